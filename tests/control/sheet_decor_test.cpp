// "Logo and Frame" and "Delete All Point-marks" through the view's commands.

#include "control/sheet_decor.h"

#include "control/command_table.h"
#include "figures/point_obj.h"
#include "figures/rect_obj.h"
#include "figures/text_obj.h"
#include "math/expect_near.h"
#include "view_fixture.h"

namespace gyr::testing {
namespace {

class SheetDecorTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        // A new document's sheet: 770 x 1100, origin (385, 550), unit 50.
        doc.m_sheetParams = {.originX = 385, .originY = 550, .width = 770, .height = 1100};
        doc.ApplySheetParams();
        doc.SetModifiedFlag(false);
    }
    static void ExpectBox(const CMyObj* obj, const std::string& text, CWorldPoint lt,
                          CWorldPoint rb) {
        ASSERT_TRUE(obj->IsText());
        auto* box = static_cast<const CTextObj*>(obj);
        EXPECT_EQ(box->m_strText, text);
        EXPECT_EQ(box->m_nSize, 10);
        ExpectNear(box->m_leftTop, lt, 1e-9);
        ExpectNear(box->m_rightBottom, rb, 1e-9);
    }
};

TEST_F(SheetDecorTest, LogoAndFrameAddsFourObjectsInOrder) {
    doc.m_drawAttr.penColor = 0x00112233;
    doc.m_textAttr.color = 0x00445566;
    const std::size_t before = doc.Objects().size();
    ASSERT_TRUE(view.OnCommand(ID_LOGO_FRAME));
    ASSERT_EQ(doc.Objects().size(), before + 4);
    const CMyObj* const* added = &doc.Objects()[before];

    ASSERT_TRUE(added[0]->IsRect());
    auto* frame = static_cast<const CRectObj*>(added[0]);
    EXPECT_EQ(frame->m_kind, kRectScreen);
    ASSERT_EQ(frame->m_nPoints, 4);
    ExpectNear(frame->m_points[0], {-6.8, 10.1}, 1e-9);
    ExpectNear(frame->m_points[1], {-6.8, -10.4}, 1e-9);
    ExpectNear(frame->m_points[2], {7.1, -10.4}, 1e-9);
    ExpectNear(frame->m_points[3], {7.1, 10.1}, 1e-9);
    EXPECT_EQ(frame->m_logpen.color, 0x00112233u);

    ExpectBox(added[1], "Drawn with Gyrovant", {4.1, -10.44}, {7.1, -10.84});
    ExpectBox(added[2], "Untitled", {-6.8, -10.44}, {3.9, -10.84});
    EXPECT_EQ(static_cast<const CTextObj*>(added[2])->m_color, 0x00445566u);

    ASSERT_TRUE(added[3]->IsSegment());
    auto* side = static_cast<const CShapeObj*>(added[3]);
    ExpectNear(side->m_points[0], {7.1, -10.4}, 1e-9);
    ExpectNear(side->m_points[1], {7.1, 10.1}, 1e-9);
    EXPECT_EQ(side->m_logpen.color, 0x00112233u);

    // Added like drawn objects: unselected, the document modified, the
    // areas repainted.
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(added[i]->m_bSelected);
    EXPECT_TRUE(state.m_selection.empty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(Invalidated().Intersects(frame->GetInvalidRect()));

    // A saved document's title is its file name.
    doc.SetPathName("/tmp/somewhere/figure.gyr");
    ASSERT_TRUE(view.OnCommand(ID_LOGO_FRAME));
    EXPECT_EQ(static_cast<const CTextObj*>(doc.Objects()[before + 6])->m_strText, "figure.gyr");
}

TEST_F(SheetDecorTest, DeleteAllPointMarksRemovesEveryPointAndItsSelection) {
    CPointObj* a = AddPoint(doc, {1, 1});
    AddSegment({0, 0}, {2, 0});
    CPointObj* b = AddPoint(doc, {-1, 2});
    state.Select(b);
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(view.OnCommand(ID_DELETE_POINT_MARKS));
    for (const CMyObj* obj : doc.Objects()) EXPECT_FALSE(obj->IsPoint());
    EXPECT_EQ(doc.Objects().size(), 2u);  // the sheet and the segment
    EXPECT_TRUE(state.m_selection.empty());
    EXPECT_TRUE(doc.IsModified());
    (void)a;

    // Nothing to delete: a beep, nothing changes.
    doc.SetModifiedFlag(false);
    EXPECT_EQ(host.beeps, 0);
    EXPECT_EQ(DeleteAllPointMarksCommand(state), 0);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(SheetDecorTest, TheSheetCommandsAreAvailable) {
    for (int id : {ID_POINT_MARK, ID_DELETE_POINT_MARKS, ID_LOGO_FRAME}) {
        const CommandEntry* cmd = FindCommand(id);
        ASSERT_TRUE(cmd) << id;
        EXPECT_TRUE(IsCommandAvailable(*cmd)) << id;
    }
}

}  // namespace
}  // namespace gyr::testing
