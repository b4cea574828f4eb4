// Segments and lines: the drawing tools (simple with Shift projection, ratio,
// cross), drawing, bounds, hit tests, duplication offsets, inversion,
// intersections, fitting lines to the sheet and persistence.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "figures/circle_obj.h"
#include "figures/class_registry.h"
#include "figures/figure_fixture.h"
#include "figures/line_obj.h"
#include "figures/segment_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

using Op = RecordingCanvas::Op;

bool OnBorder(const CWorldPoint& p) {
    return p.x == -8 || p.x == 8 || p.y == -6 || p.y == 6;
}

class SegmentTest : public FigureTest {};

TEST_F(SegmentTest, AZeroLengthDragLeavesNothing) {
    UseTool(kToolSegment, kCodePlain);
    CMyObj* seg = Press(DrawSegmentTool, {1, 1});
    ASSERT_TRUE(seg && seg->IsSegment());
    EXPECT_TRUE(seg->IsDegenerate());
    Move({1 + 5e-9, 1});
    Release({1 + 5e-9, 1});
    EXPECT_EQ(Figures(), 0u);

    Press(DrawSegmentTool, {1, 1});
    Move({2, 3});
    Release({2, 3});
    ASSERT_EQ(Figures(), 1u);
    EXPECT_FALSE(Last()->IsDegenerate());
    EXPECT_EQ(Last()->GetVertices()[1], CWorldPoint(2, 3));
}

TEST_F(SegmentTest, ShiftProjectsOnTheNearestOfFourDirections) {
    UseTool(kToolSegment, kCodePlain);
    auto* seg = static_cast<CSegmentObj*>(Press(DrawSegmentTool, {1, 1}));
    ASSERT_TRUE(seg);
    struct Case {
        CWorldPoint pointer, expected;
    } cases[] = {
        {{3, 2.8}, {2.9, 2.9}},       // 45 degrees
        {{-1, 2.9}, {-0.95, 2.95}},   // 135 degrees
        {{0, -0.1}, {-0.05, -0.05}},  // 45 degrees, behind the start
    };
    for (const Case& c : cases) {
        Move(c.pointer, kMkShift);
        ExpectNear(seg->P1(), c.expected);
        EXPECT_EQ(seg->P0(), CWorldPoint(1, 1));
    }
    Move({3, 2.8});
    EXPECT_EQ(seg->P1(), CWorldPoint(3, 2.8));
    Release({3, 1.3}, kMkShift);
    EXPECT_EQ(seg->P1(), CWorldPoint(3, 1));
}

TEST_F(SegmentTest, RatioDividesAtReleaseGoldenWithCtrl) {
    UseTool(kToolSegment, kCodeRatio);
    auto* seg = static_cast<CSegmentObj*>(Press(DrawSegmentTool, {0, 0}));
    Move({1.618033988, 0});
    Release({1.618033988, 0}, kMkControl);
    ASSERT_EQ(Figures(), 3u);
    // m lies at 0.618033988 from a: rho / (1 + rho) of 1.618033988.
    ExpectNear(seg->P1(), {0.618033988, 0}, 1e-9);
    auto* rest = static_cast<CSegmentObj*>(doc.Objects()[2]);
    auto* perpendicular = static_cast<CSegmentObj*>(doc.Objects()[3]);
    EXPECT_EQ(rest->P1(), CWorldPoint(1.618033988, 0));
    ExpectNear(perpendicular->P1(), {0.618033988, 0.618033988});
    EXPECT_EQ(state.m_gesture.size(), 1u);  // the results are not collected

    // A ratio of 0 has nothing to divide.
    ProgramState().params.ratio = 0;
    Press(DrawSegmentTool, {0, 2});
    Move({3, 2});
    Release({3, 2});
    EXPECT_EQ(Figures(), 4u);
}

TEST_F(SegmentTest, CrossAddsTheHalfOrthogonalFromTheMiddle) {
    UseTool(kToolSegment, kCodeCross);
    Press(DrawSegmentTool, {0, 0});
    Move({2, 2});
    Release({2, 2});
    ASSERT_EQ(Figures(), 2u);
    auto* cross = static_cast<CSegmentObj*>(Last());
    EXPECT_EQ(cross->P0(), CWorldPoint(1, 1));
    EXPECT_EQ(cross->P1(), CWorldPoint(0, 2));
}

TEST_F(SegmentTest, ReleaseRecordsPlainSegmentsAndCtrlEndsTheStep) {
    StepLog log;
    state.m_pRecorder = &log;
    for (int code : {kCodePlain, kCodeCross}) {
        UseTool(kToolSegment, code);
        state.m_nStage = 1;  // the simple tool continues at any stage
        if (code != kCodePlain) state.m_nStage = 0;
        Press(DrawSegmentTool, {0, 0});
        Move({1, 0});
        Release({1, 0}, kMkControl);
        EXPECT_EQ(state.m_nStage, 0);
    }
    ASSERT_EQ(log.steps.size(), 1u);
    EXPECT_EQ(log.steps[0].kind, 's');
    EXPECT_EQ(log.steps[0].codeOrOrigin, kCodePlain);
}

TEST_F(SegmentTest, AFarSegmentKeepsOnePixelAtTheEdgeOfTheRange) {
    CSegmentObj far({1e300, 1e300}, {2e300, 1e300});
    far.RecalcBounds();
    const PixelRect r = far.GetPixelBounds();
    EXPECT_EQ(r.Width(), 1);
    EXPECT_EQ(r.Height(), 1);
}

TEST_F(SegmentTest, DrawingBoundsAndHitTests) {
    CSegmentObj seg({0, 0}, {0.01, 0});
    seg.RecalcBounds();
    RecordingCanvas dc;
    seg.Draw(dc);
    EXPECT_TRUE(dc.records.empty());  // both ends on one pixel
    EXPECT_EQ(seg.HitTest({0, 0}), 1);
    EXPECT_EQ(seg.GetPixelBounds(), (PixelRect{400, 300, 401, 301}));

    CSegmentObj vertical({1, -1}, {1, 1});
    vertical.m_logpen = {kPenDash, 1, 0, 0xFF};
    vertical.RecalcBounds();
    vertical.Draw(dc);
    ASSERT_EQ(dc.records.size(), 1u);
    EXPECT_EQ(dc.records[0].op, Op::Polyline);
    EXPECT_EQ(dc.records[0].points, (std::vector<PixelPoint>{{450, 350}, {450, 250}}));
    EXPECT_EQ(dc.records[0].pen->style, kPenDash);

    EXPECT_EQ(vertical.HitTest({1, 1}), 2);
    EXPECT_EQ(vertical.HitTest({1.05, 0.3}), 0);
    EXPECT_EQ(vertical.HitTest({1.1, 0.3}), -1);
    EXPECT_EQ(vertical.HitTest({1, 1.5}), -1);  // beyond the end
    int edge = 0;
    EXPECT_DOUBLE_EQ(vertical.DistanceTo({1, 4}, edge), 3);
    EXPECT_FALSE(vertical.IsClosed());
    CWorldPoint r = vertical.RandomPoint();
    EXPECT_EQ(r.x, 1);
    EXPECT_LE(std::fabs(r.y), 1);
}

TEST_F(SegmentTest, DuplicateOffsetsFollowTheSegmentUnlessCtrl) {
    CSegmentObj seg({0, 0}, {2, 1});
    seg.RecalcBounds();
    EXPECT_EQ(seg.GetDuplicateOffset(kKeyRight), CWorldPoint(2, 1));
    EXPECT_EQ(seg.GetDuplicateOffset(kKeyUp), CWorldPoint(-1, 2));
    host.keysDown.insert(kKeyControl);
    EXPECT_EQ(seg.GetDuplicateOffset(kKeyRight), CWorldPoint(2, 0));  // the box width
}

TEST_F(SegmentTest, InversionGivesACircleThroughTheCentreOrACopy) {
    CSegmentObj seg({2, -1}, {2, 1});
    seg.RecalcBounds();
    std::unique_ptr<CMyObj> image(seg.Invert({0, 0}, 2));
    ASSERT_TRUE(image && image->IsCircle());
    auto* c = static_cast<CCircleObj*>(image.get());
    ExpectNear(c->Centre(), {1, 0});
    EXPECT_NEAR(c->m_radius, 1, 1e-12);
    EXPECT_EQ(Figures(), 0u);
    CSegmentObj through({-1, -1}, {1, 1});
    std::unique_ptr<CMyObj> copy(through.Invert({0, 0}, 2));
    ASSERT_TRUE(copy && copy->IsSegment());
    EXPECT_EQ(copy->GetVertices()[1], CWorldPoint(1, 1));
}

TEST_F(SegmentTest, IntersectsWholeLinesAndCircles) {
    CSegmentObj a({0, 0}, {1, 0});
    CSegmentObj b({3, 1}, {3, 2});  // their lines cross outside both
    CWorldPoint x, y;
    ASSERT_EQ(a.IntersectWith(b, x, y), 1);
    EXPECT_EQ(x, CWorldPoint(3, 0));
    CSegmentObj parallel({0, 1}, {1, 1});
    EXPECT_EQ(a.IntersectWith(parallel, x, y), 0);
    CCircleObj c({5, 0}, 1);
    c.RecalcBounds();
    ASSERT_EQ(a.IntersectWith(c, x, y), 2);
    EXPECT_EQ(x, CWorldPoint(6, 0));  // on the side of P1 first
    EXPECT_EQ(y, CWorldPoint(4, 0));
}

TEST_F(SegmentTest, SegmentsAndLinesRoundTripByteIdentically) {
    CSegmentObj seg({0.125, -3}, {7, 1e-300});
    seg.m_logpen = {kPenDot, 1, 0, 0x123456};
    seg.RecalcBounds();
    std::vector<std::uint8_t> first, second;
    std::unique_ptr<CSegmentObj> loaded(RoundTrip(seg, &first, &second));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(first, second);
    EXPECT_EQ(loaded->GetRuntimeClass(), &CSegmentObj::kClass);
    EXPECT_EQ(loaded->m_points, seg.m_points);
    // Lines through a whole document.
    CLine line({-8, 1}, {8, 2});
    line.RecalcBounds();
    doc.AddObject(new CSegmentObj(seg));
    doc.AddObject(new CLine(line));
    std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    CGyrDoc other{DrawingClasses()};
    other.LoadFromBytes(bytes.data(), bytes.size());
    EXPECT_EQ(other.SaveToBytes(), bytes);
    EXPECT_TRUE(other.Objects()[2]->IsLine());
}

class LineTest : public FigureTest {};

TEST_F(LineTest, FitToSheetPutsBothEndsOnTheBorderInTheirOrder) {
    struct Case {
        CWorldPoint p0, p1;
    } cases[] = {
        {{0, 0}, {0, 1}},
        {{1, 1}, {0, 0}},
        {{-3, 5}, {-2, -5}},
        {{0.1, 0.2}, {0.1000001, 0.2}},
    };
    for (const Case& c : cases) {
        CLine line(c.p0, c.p1);
        ASSERT_TRUE(line.FitToSheet());
        const CWorldPoint q0 = line.P0(), q1 = line.P1();
        EXPECT_TRUE(OnBorder(q0)) << q0.x << "," << q0.y;
        EXPECT_TRUE(OnBorder(q1)) << q1.x << "," << q1.y;
        // Still the same line, and still pointing from P0 to P1.
        EXPECT_LT(DistanceToLine(q0, c.p0, c.p1), 1e-9);
        EXPECT_LT(DistanceToLine(q1, c.p0, c.p1), 1e-9);
        EXPECT_GT((q1 - q0).Dot(c.p1 - c.p0), 0);
        EXPECT_EQ(line.m_leftTop.x, std::min(q0.x, q1.x));
    }
    CLine outside({0, 10}, {1, 10});
    EXPECT_FALSE(outside.FitToSheet());
    EXPECT_EQ(outside.P0(), CWorldPoint(0, 10));
    CLine corner({-8, 6}, {-7, 7});  // touches a corner only
    EXPECT_FALSE(corner.FitToSheet());
}

TEST_F(LineTest, LineToolDrawsARubberBandAndFitsAtRelease) {
    UseTool(kToolLine, kCodePlain);
    auto* line = static_cast<CLine*>(Press(DrawLineTool, {0, 0}));
    ASSERT_TRUE(line && line->IsLine() && !line->IsSegment());
    Move({1, 1});
    EXPECT_EQ(line->P1(), CWorldPoint(1, 1));
    Release({1, 1});
    ExpectNear(line->P0(), {-6, -6});
    ExpectNear(line->P1(), {6, 6});
    EXPECT_EQ(Figures(), 1u);

    // The zero drag is removed before it could be fitted.
    Press(DrawLineTool, {2, 2});
    Release({2, 2});
    EXPECT_EQ(Figures(), 1u);
}

TEST_F(LineTest, DuplicatingUpThenDownGivesTheLineBack) {
    CLine line({0, 0}, {2, 0});
    ASSERT_TRUE(line.FitToSheet());
    EXPECT_EQ(line.GetDuplicateOffset(kKeyUp), CWorldPoint(0, 1.5));
    EXPECT_EQ(line.GetDuplicateOffset(kKeyLeft), CWorldPoint(0, -1.5));
    ProgramState().params.homothetyModulus = 2;
    CWorldPoint up = line.GetDuplicateOffset(kKeyUp);
    line.Offset(up);
    line.Offset(line.GetDuplicateOffset(kKeyDown));
    ExpectNear(line.P0(), {-8, 0});
}

TEST_F(LineTest, MakeLineFitsTheSheet) {
    CLine* made = MakeLine(state, {0, 1}, {1, 1}, {});
    ASSERT_EQ(Figures(), 1u);
    EXPECT_EQ(Last(), made);
    EXPECT_EQ(made->P0(), CWorldPoint(-8, 1));
    EXPECT_EQ(made->P1(), CWorldPoint(8, 1));
}

}  // namespace
}  // namespace gyr::testing
