// Points: the marks they draw, their hit test and distances, persistence,
// the point tool with its modifiers, re-marking and deleting all points.

#include "figures/point_obj.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "figures/circle_obj.h"
#include "figures/figure_fixture.h"
#include "figures/segment_obj.h"
#include "model/obj_list.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

using Op = RecordingCanvas::Op;

class PointTest : public FigureTest {
protected:
    CPointObj* Point(int i) const { return static_cast<CPointObj*>(doc.Objects()[i]); }
};

TEST_F(PointTest, NewPointTakesTheMarkSettings) {
    CPointMarkSettings& s = ProgramState().pointMarks;
    s.attr.penColor = 0x00FF00;
    s.attr.brushOn = 1;
    std::unique_ptr<CPointObj> p(NewPoint(&doc, {1, 2}));
    EXPECT_EQ(p->Centre(), CWorldPoint(1, 2));
    EXPECT_EQ(p->m_points[1], CWorldPoint(1.08, 2));
    EXPECT_EQ(p->m_nMark, 2);
    EXPECT_EQ(p->m_logpen.color, 0x00FF00u);
    EXPECT_TRUE(p->IsPoint() && !p->IsCircle());
}

TEST_F(PointTest, MarksDrawADiscACrossOrBoth) {
    CPointObj p({0, 0}, 0.2, 2);  // 10 pixels
    p.m_bBrush = 1;
    p.m_logbrush = {kBrushSolid, 0xFF, 0};
    p.RecalcBounds();
    RecordingCanvas dc;
    p.Draw(dc);
    ASSERT_EQ(dc.records.size(), 1u);
    EXPECT_EQ(dc.records[0].op, Op::Ellipse);
    EXPECT_EQ(dc.records[0].points, (std::vector<PixelPoint>{{390, 290}, {411, 311}}));
    ASSERT_TRUE(dc.records[0].brush);
    dc.Clear();
    p.m_nMark = 1;
    p.Draw(dc);
    EXPECT_TRUE(dc.Of(Op::Ellipse).empty());
    auto strokes = dc.Of(Op::LineTo);
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[0].points, (std::vector<PixelPoint>{{410, 300}, {390, 300}}));
    EXPECT_EQ(strokes[1].points, (std::vector<PixelPoint>{{400, 290}, {400, 310}}));
    dc.Clear();
    p.m_nMark = 0;
    p.Draw(dc);
    EXPECT_EQ(dc.Of(Op::Ellipse).size(), 1u);
    EXPECT_EQ(dc.Of(Op::LineTo).size(), 2u);
}

TEST_F(PointTest, HitOnItsCircleButNeverTheNearestShape) {
    CPointObj p({1, 1}, 0.5, 2);
    p.RecalcBounds();
    EXPECT_EQ(p.HitTest({1.5, 1}), 0);
    EXPECT_EQ(p.HitTest({1, 1}), -1);  // the centre is not on the mark's circle
    int edge = 0, index = 7;
    EXPECT_EQ(p.DistanceTo({1, 1}, edge), 1e10);
    EXPECT_DOUBLE_EQ(p.NearestVertex({4, 5}, index), 5);
    EXPECT_EQ(index, 0);
    CWorldPoint snap{1.2, 0.9};
    EXPECT_TRUE(p.SnapToVertex(snap));
    EXPECT_EQ(snap, CWorldPoint(1, 1));
    CWorldPoint far{1.5, 1};  // the radius point is not a snap target
    EXPECT_FALSE(p.SnapToVertex(far));

    auto* point = new CPointObj(p);
    auto* seg = new CSegmentObj({0, 3}, {4, 3});
    seg->RecalcBounds();
    doc.AddObject(point);
    doc.AddObject(seg);
    EXPECT_EQ(FindNearestShape(doc.Objects(), {1, 1}, edge), seg);
}

TEST_F(PointTest, InvertingAPointGivesAPoint) {
    CPointObj p({2, 0}, 0.08, 1);
    p.RecalcBounds();
    std::unique_ptr<CMyObj> image(p.Invert({0, 0}, 2));
    ASSERT_TRUE(image && image->IsPoint());
    EXPECT_EQ(static_cast<CPointObj*>(image.get())->Centre(), CWorldPoint(2, 0));
    CPointObj centre({0, 0}, 0.08, 1);
    EXPECT_EQ(centre.Invert({0, 0}, 2), nullptr);
}

TEST_F(PointTest, PointsRoundTripWithTheirMark) {
    CPointObj p({-1.5, 2.25}, 0.3, 1);
    p.RecalcBounds();
    p.m_radius = 0.25;  // loading keeps the stored radius
    std::vector<std::uint8_t> first, second;
    std::unique_ptr<CPointObj> loaded(RoundTrip(p, &first, &second));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(first, second);
    EXPECT_EQ(loaded->GetRuntimeClass(), &CPointObj::kClass);
    EXPECT_EQ(loaded->m_nMark, 1);
    EXPECT_EQ(loaded->m_radius, 0.25);
}

TEST_F(PointTest, ThePointToolAndItsModifiers) {
    UseTool(kToolPointMark, kCodePlain);
    EXPECT_EQ(Press(DrawPointTool, {1, 1}), nullptr);  // it adds the point itself
    ASSERT_EQ(Figures(), 1u);
    EXPECT_EQ(Point(1)->Centre(), CWorldPoint(1, 1));

    // Shift: on the nearest shape that is not a point.
    auto* seg = new CSegmentObj({0, 3}, {4, 3});
    seg->RecalcBounds();
    doc.AddObject(seg);
    MakePointAt(state, kMkShift, {1, 2.5});
    ASSERT_EQ(Figures(), 3u);
    EXPECT_EQ(Point(3)->Centre(), CWorldPoint(1, 3));

    // Ctrl with F1 / F2: the rotation and homothety centres.
    ProgramState().params.rotationCentre = {2, -1};
    ProgramState().params.homothetyCentre = {-3, 4};
    host.keysDown = {kKeyF1};
    MakePointAt(state, kMkControl, {0, 0});
    EXPECT_EQ(Point(4)->Centre(), CWorldPoint(2, -1));
    host.keysDown = {kKeyF2};
    MakePointAt(state, kMkControl, {0, 0});
    EXPECT_EQ(Point(5)->Centre(), CWorldPoint(-3, 4));
    host.keysDown.clear();

    // Ctrl: the nearest intersection, when there is one; a recording script
    // is told where the point came from.
    EXPECT_EQ(MakePointAt(state, kMkControl, {0, 0}), nullptr);
    auto* cut = new CSegmentObj({1.5, -3}, {1.5, 5});
    cut->RecalcBounds();
    doc.AddObject(cut);
    StepLog log;
    state.m_pRecorder = &log;
    CPointObj* x = MakePointAt(state, kMkControl, {1, 1});
    state.m_pRecorder = nullptr;
    ASSERT_TRUE(x);
    EXPECT_EQ(x->Centre(), CWorldPoint(1.5, 3));
    ASSERT_EQ(log.steps.size(), 1u);
    EXPECT_EQ(log.steps[0].codeOrOrigin, int(PointOrigin::Intersection));
    EXPECT_EQ(Figures(), 7u);
    doc.RemoveObject(cut);

    // Shift with nothing but points and the sheet: nothing.
    doc.RemoveObject(seg);
    EXPECT_EQ(MakePointAt(state, kMkShift, {1, 1}), nullptr);
}

TEST_F(PointTest, ApplyPointMarksReMarksEveryPoint) {
    AddPoint(doc, {0, 0});
    AddPoint(doc, {1, 1});
    auto* circle = new CCircleObj({3, 3}, 1);
    circle->RecalcBounds();
    doc.AddObject(circle);
    CPointMarkSettings& s = ProgramState().pointMarks;
    s.mark = 0;
    s.radius = 0.5;
    s.attr.penColor = 0x0000FF;
    host.Clear();
    ApplyPointMarks(doc);
    EXPECT_EQ(Point(2)->m_nMark, 0);
    EXPECT_EQ(Point(2)->m_points[1], CWorldPoint(1.5, 1));
    EXPECT_EQ(Point(2)->m_logpen.color, 0x0000FFu);
    EXPECT_DOUBLE_EQ(circle->m_radius, 1);
    ASSERT_EQ(host.invalidated.size(), 1u);
}

TEST_F(PointTest, DeleteAllPointMarksRemovesEveryPointAndItsSelection) {
    AddPoint(doc, {0, 0});
    auto* seg = new CSegmentObj({0, 3}, {4, 3});
    seg->RecalcBounds();
    doc.AddObject(seg);
    CPointObj* selected = AddPoint(doc, {1, 1});
    state.Select(selected);
    state.Select(seg);
    host.Clear();
    EXPECT_EQ(DeleteAllPointMarks(doc), 2);
    ASSERT_EQ(Figures(), 1u);
    EXPECT_EQ(Last(), seg);
    EXPECT_EQ(state.m_selection, CObList{seg});
    EXPECT_EQ(DeleteAllPointMarks(doc), 0);
}

}  // namespace
}  // namespace gyr::testing
