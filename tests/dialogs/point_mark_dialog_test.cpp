// The point-mark dialog: its fields as the settings fill them, the ranges it
// refuses, and OK re-marking every point of the document.

#include "dialogs/point_mark_dialog.h"

#include "figures/figure_fixture.h"
#include "figures/point_obj.h"
#include "figures/segment_obj.h"

namespace gyr::testing {
namespace {

using M = CPointMarkDialogModel;

class PointMarkDialogTest : public FigureTest {
protected:
    std::vector<CPointObj*> Points() const {
        std::vector<CPointObj*> out;
        for (CMyObj* o : doc.Objects())
            if (o->IsPoint()) out.push_back(static_cast<CPointObj*>(o));
        return out;
    }
};

TEST_F(PointMarkDialogTest, OpensWithTheSettings) {
    M m(doc);
    EXPECT_EQ(m.Title(), "Select figure to mark single points");
    EXPECT_EQ(m.Find(M::kFigureGroup)->label, "Select the figure");
    EXPECT_EQ(m.Find(M::kCircleCross)->label, "Circle + cross");
    EXPECT_EQ(m.Find(M::kCross)->label, "Cross");
    EXPECT_EQ(m.Find(M::kCircle)->label, "Circle");
    EXPECT_EQ(m.Find(M::kRadius)->label, "Radius in cm:");
    EXPECT_EQ(m.Find(M::kThickness)->label, "Thickness in pixels:");
    EXPECT_EQ(m.Find(M::kUseColors)->label, "Set actual frame/fill-color");
    EXPECT_EQ(m.SelectedMark(), 2);
    EXPECT_EQ(m.DoubleOf(M::kRadius), 0.08);
    EXPECT_EQ(m.IntOf(M::kThickness), 2);  // the record's pen width
    EXPECT_TRUE(m.Find(M::kUseColors)->checked);

    ProgramState().pointMarks.mark = 0;
    EXPECT_EQ(M(doc).SelectedMark(), 0);
}

TEST_F(PointMarkDialogTest, OkRemarksEveryPointAndRangesAreRefused) {
    AddPoint(doc, {1, 1});
    AddPoint(doc, {-2, 3});
    auto* seg = NewSegment(&doc, {0, 0}, {1, 0});
    doc.AddObject(seg);
    doc.m_drawAttr.penColor = 0x00123456;
    doc.SetModifiedFlag(false);

    int opened = 0;
    // Radius 1.5, then thickness 0, are refused; the dialog stays open.
    host.dialogScripts.push_back([&](DialogModel& d) {
        ++opened;
        d.Check(M::kCross, true);
        d.Type(M::kRadius, "1.5");
        d.Type(M::kThickness, "3");
        d.Check(M::kUseColors, false);
        return true;
    });
    host.dialogScripts.push_back([&](DialogModel& d) {
        EXPECT_EQ(d.RefusedField(), M::kRadius);
        d.Type(M::kRadius, "0.2");
        d.Type(M::kThickness, "0");
        return true;
    });
    host.dialogScripts.push_back([&](DialogModel& d) {
        EXPECT_EQ(d.RefusedField(), M::kThickness);
        d.Type(M::kThickness, "3");
        return true;
    });
    ASSERT_TRUE(RunPointMarkDialog(doc));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(host.messages.size(), 2u);

    const CPointMarkSettings& s = ProgramState().pointMarks;
    EXPECT_EQ(s.mark, 1);
    EXPECT_EQ(s.radius, 0.2);
    EXPECT_EQ(s.applyToAll, 0);
    EXPECT_NE(s.attr.penColor, 0x00123456u);  // the box was clear
    ASSERT_EQ(Points().size(), 2u);
    for (CPointObj* p : Points()) {
        EXPECT_EQ(p->m_nMark, 1);
        EXPECT_DOUBLE_EQ(p->m_radius, 0.2);
        EXPECT_EQ(p->m_points[1], p->m_points[0] + CWorldPoint(0.2, 0));
        EXPECT_EQ(p->m_logpen.widthX, 3);
    }
    EXPECT_EQ(seg->m_logpen.widthX, 2);
    EXPECT_TRUE(doc.IsModified());

    // Checked, the record takes the document's colours and on-flags; the
    // thickness stays the dialog's.
    doc.m_drawAttr.brushOn = 1;
    doc.m_drawAttr.brushColor = 0x00ABCDEF;
    host.dialogScripts.push_back([](DialogModel& d) {
        d.Check(M::kUseColors, true);
        return true;
    });
    ASSERT_TRUE(RunPointMarkDialog(doc));
    EXPECT_EQ(s.attr.penColor, 0x00123456u);
    EXPECT_EQ(s.attr.brushColor, 0x00ABCDEFu);
    EXPECT_EQ(s.attr.brushOn, 1);
    EXPECT_EQ(s.attr.penWidthX, 3);
    for (CPointObj* p : Points()) {
        EXPECT_EQ(p->m_logpen.color, 0x00123456u);
        EXPECT_TRUE(p->m_bBrush);
    }

    // Cancel changes nothing.
    const CPointMarkSettings before = s;
    host.dialogScripts.push_back([](DialogModel& d) {
        d.Check(M::kCircle, true);
        return false;
    });
    EXPECT_FALSE(RunPointMarkDialog(doc));
    EXPECT_EQ(s.mark, before.mark);
}

}  // namespace
}  // namespace gyr::testing
