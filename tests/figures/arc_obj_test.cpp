// Arcs: the sweep invariants, drawing and hit tests, handles, persistence
// and the tools of the Circular Arcs menu driven as press, moves, release.

#include "figures/arc_obj.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "figures/figure_fixture.h"
#include "figures/segment_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

using Op = RecordingCanvas::Op;

constexpr int kKindArcs = 80;

// End and middle are the start turned by the sweep and by half of it, all on
// the circle, and the sweep stays within a full turn.
void ExpectConsistent(const CArcObj& arc) {
    const CWorldPoint c = arc.m_points[0], s = arc.m_points[1];
    EXPECT_LE(std::fabs(arc.m_sweep), 2 * std::numbers::pi);
    ExpectNear(arc.m_points[2], RotateAbout(s, c, arc.m_sweep), 1e-7);
    ExpectNear(arc.m_points[3], RotateAbout(s, c, arc.m_sweep / 2), 1e-7);
    EXPECT_NEAR(Distance(c, s), arc.m_radius, 1e-9);
}

class ArcTest : public FigureTest {
protected:
    // The hyperbolic line of centre (0, 0) and radius 2, picked at stage 0.
    CArcObj* PickHyperbolicLine(int code) {
        UseTool(kKindArcs, kCodeHyperbolicLine);
        Press(DrawArcTool, {0, 2});
        Move({2, 0.0});
        Release({2, 0.0});
        auto* line = static_cast<CArcObj*>(Last());
        UseTool(kKindArcs, code);
        state.m_pPicked = line;
        state.m_nStage = 1;
        return line;
    }
};

TEST_F(ArcTest, SetArcTakesTheShorterTurnAndDegeneratesToTheStart) {
    CArcObj arc({0, 0}, {1, 0}, {0, 3});
    EXPECT_DOUBLE_EQ(arc.m_sweep, std::numbers::pi / 2);
    ExpectConsistent(arc);
    arc.SetArc({0, 0}, {1, 0}, {0, 0});
    EXPECT_EQ(arc.m_sweep, 0);
    EXPECT_EQ(arc.m_points[3], CWorldPoint(1, 0));
}

TEST_F(ArcTest, DrawsCounterClockwiseFromTheLowerAngleAndNothingWhenTiny) {
    CArcObj arc({0, 0}, {1, 0}, {0, 1});
    arc.m_bBrush = 1;
    arc.RecalcBounds();
    RecordingCanvas dc;
    arc.Draw(dc);
    auto arcs = dc.Of(Op::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].points,
              (std::vector<PixelPoint>{{350, 250}, {450, 350}, {450, 300}, {400, 250}}));
    EXPECT_FALSE(arcs[0].brush);
    EXPECT_EQ(dc.Of(Op::LineTo).size(), 2u);  // the centre mark

    dc.Clear();
    arc.SetArc({0, 0}, {1, 0}, {0, -1});
    arc.Draw(dc);
    ASSERT_EQ(dc.Of(Op::Arc).size(), 1u);
    // Clockwise arcs are drawn from their end.
    EXPECT_EQ(dc.Of(Op::Arc)[0].points[2], (PixelPoint{400, 350}));
    EXPECT_EQ(dc.Of(Op::Arc)[0].points[3], (PixelPoint{450, 300}));

    dc.Clear();
    arc.SetArc({0, 0}, {1, 0}, {1, 0.0009});
    arc.Draw(dc);
    EXPECT_TRUE(dc.records.empty());
    EXPECT_EQ(arc.HitTest({1, 0}), 2);  // still hit at its vertices
}

TEST_F(ArcTest, HitTestCoversOnlyTheSweptPart) {
    CArcObj arc({0, 0}, {2, 0}, {0, 2});
    arc.RecalcBounds();
    EXPECT_EQ(arc.HitTest({0, 2}), 3);
    EXPECT_EQ(arc.HitTest(arc.m_points[3]), 4);
    EXPECT_EQ(arc.HitTest(RotateAbout({2, 0}, {0, 0}, 0.3)), 0);
    EXPECT_EQ(arc.HitTest(RotateAbout({2, 0}, {0, 0}, -0.3)), -1);  // on the circle only
}

TEST_F(ArcTest, HandlesTurnTheEndsAndChangeTheRadius) {
    CArcObj arc({0, 0}, {2, 0}, {0, 2});
    arc.RecalcBounds();
    arc.MoveHandle(3, {-1, 1});  // the end to 135 degrees
    EXPECT_NEAR(arc.m_sweep, 3 * std::numbers::pi / 4, 1e-12);
    ExpectConsistent(arc);
    arc.MoveHandle(2, {1, -1});  // the start back to -45 degrees
    EXPECT_NEAR(arc.m_sweep, std::numbers::pi, 1e-12);
    ExpectConsistent(arc);

    const CWorldPoint mid = arc.m_points[3];
    arc.MoveHandle(4, mid * 1.5);  // the middle outwards: radius 3
    EXPECT_NEAR(arc.m_radius, 3, 1e-12);
    EXPECT_NEAR(arc.m_sweep, std::numbers::pi, 1e-12);
    ExpectConsistent(arc);
    const CArcObj before = arc;
    arc.MoveHandle(4, mid * -1);  // beyond the centre: refused
    EXPECT_EQ(arc.m_radius, before.m_radius);

    // The centre slides along the axis; start and end stay.
    CArcObj quarter({0, 0}, {1, 0}, {0, 1});
    quarter.RecalcBounds();
    quarter.MoveHandle(1, {-1, -1.2});
    ExpectNear(quarter.m_points[0], {-1.1, -1.1});
    ExpectNear(quarter.m_points[2], {0, 1}, 1e-12);
    ExpectConsistent(quarter);
}

TEST_F(ArcTest, ReflectionNegatesTheSweepAndPersistenceIsExact) {
    CArcObj arc({1, 1}, {3, 1}, {1, 5});
    arc.RecalcBounds();
    arc.Reflect({0, 0}, {1, 0});
    EXPECT_DOUBLE_EQ(arc.m_sweep, -std::numbers::pi / 2);
    ExpectConsistent(arc);

    arc.m_bSelected = 1;
    std::vector<std::uint8_t> first, second;
    std::unique_ptr<CArcObj> loaded(RoundTrip(arc, &first, &second));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(first, second);
    EXPECT_EQ(loaded->GetRuntimeClass(), &CArcObj::kClass);
    EXPECT_EQ(loaded->m_sweep, arc.m_sweep);
    EXPECT_EQ(loaded->m_points, arc.m_points);
}

TEST_F(ArcTest, SimpleArcWoundPastAFullTurnWrapsWithTheMiddleFlipped) {
    UseTool(kKindArcs, kCodePlain);
    ASSERT_TRUE(Press(DrawArcTool, {0, 0}));
    Move({2, 0});
    Release({2, 0});
    ASSERT_EQ(Figures(), 1u);
    EXPECT_TRUE(Last()->IsSegment());
    EXPECT_EQ(state.m_nStage, 1);

    auto* arc = static_cast<CArcObj*>(Press(DrawArcTool, {5, 5}));
    ASSERT_TRUE(arc && arc->IsArc());
    EXPECT_EQ(Figures(), 1u);  // the segment became the arc
    EXPECT_EQ(arc->m_points[1], CWorldPoint(2, 0));

    double previous = 0;
    bool wrapped = false;
    for (int step = 1; step <= 10; ++step) {  // 10 eighths of a turn
        Move(RotateAbout({3, 0}, {0, 0}, step * std::numbers::pi / 4));
        ExpectConsistent(*arc);
        if (arc->m_sweep < previous) {
            wrapped = true;
            // Past 2pi the sweep drops by a full turn and the middle point
            // jumps across the centre.
            EXPECT_NEAR(arc->m_sweep, step * std::numbers::pi / 4 - 2 * std::numbers::pi, 1e-9);
        }
        previous = arc->m_sweep;
    }
    EXPECT_TRUE(wrapped);
    EXPECT_NEAR(arc->m_sweep, std::numbers::pi / 2, 1e-9);
    ExpectNear(arc->m_points[3], RotateAbout({2, 0}, {0, 0}, std::numbers::pi / 4), 1e-9);

    // The other sense: pi/2 - 3pi = -5pi/2 comes back by a full turn.
    double lowest = 0;
    for (int step = 1; step <= 12; ++step) {
        Move(RotateAbout({3, 0}, {0, 0}, std::numbers::pi / 2 - step * std::numbers::pi / 4));
        ExpectConsistent(*arc);
        lowest = std::min(lowest, arc->m_sweep);
    }
    EXPECT_NEAR(lowest, -2 * std::numbers::pi, 1e-9);
    EXPECT_NEAR(arc->m_sweep, -std::numbers::pi / 2, 1e-9);
    Release(arc->m_points[2]);
    EXPECT_EQ(state.m_nStage, 0);
}

TEST_F(ArcTest, SimpleArcWithoutItsSegmentReportsABadDefinition) {
    UseTool(kKindArcs, kCodePlain);
    state.m_nStage = 1;  // as if something replaced the segment since
    EXPECT_EQ(Press(DrawArcTool, {1, 1}), nullptr);
    EXPECT_EQ(host.LastMessage(), kBadDefinitionMessage);
    EXPECT_EQ(state.m_nStage, 0);

    // A mere click at stage 0 leaves no segment; the second stage then says
    // so rather than starting a new radius unannounced.
    host.Clear();
    Press(DrawArcTool, {1, 1});
    Release({1, 1});
    EXPECT_EQ(state.m_nStage, 1);
    EXPECT_EQ(Figures(), 0u);
    EXPECT_EQ(Press(DrawArcTool, {2, 2}), nullptr);
    EXPECT_EQ(host.LastMessage(), kBadDefinitionMessage);
    EXPECT_EQ(state.m_nStage, 0);
}

TEST_F(ArcTest, HalfCircleFromItsEndOrWithCtrlFromItsCentre) {
    UseTool(kKindArcs, kCodeHalfCircleArc);
    auto* arc = static_cast<CArcObj*>(Press(DrawArcTool, {0, 0}));
    ASSERT_TRUE(arc);
    EXPECT_EQ(arc->m_sweep, std::numbers::pi);
    Move({2, 0});
    EXPECT_EQ(arc->m_points[0], CWorldPoint(1, 0));
    EXPECT_EQ(arc->m_points[3], CWorldPoint(1, 1));
    ExpectConsistent(*arc);
    Move({1, 0}, kMkControl);
    EXPECT_EQ(arc->m_points[0], CWorldPoint(0, 0));
    EXPECT_EQ(arc->m_points[2], CWorldPoint(-1, 0));

    // Back on the press point: radius 0, invisible, removed at the release.
    Move({0, 0});
    EXPECT_TRUE(arc->IsDegenerate());
    RecordingCanvas dc;
    arc->Draw(dc);
    EXPECT_TRUE(dc.records.empty());
    Release({0, 0});
    EXPECT_EQ(Figures(), 0u);
}

TEST_F(ArcTest, HyperbolicLineIsTheUpperHalfCircleCentredOnTheAxis) {
    UseTool(kKindArcs, kCodeHyperbolicLine);
    EXPECT_EQ(Press(DrawArcTool, {1, 0}), nullptr);  // on the boundary
    auto* arc = static_cast<CArcObj*>(Press(DrawArcTool, {1, 2}));
    ASSERT_TRUE(arc);
    EXPECT_EQ(arc->m_points[0], CWorldPoint(1, 0));
    Move({3, 2});
    ExpectNear(arc->m_points[0], {2, 0});
    EXPECT_EQ(arc->m_sweep, std::numbers::pi);
    ExpectConsistent(*arc);
    const CArcObj before = *arc;
    Move({1, 5});  // a vertical chord: no centre
    EXPECT_EQ(arc->m_points, before.m_points);
}

TEST_F(ArcTest, HyperbolicSegmentRunsFromThePressToThePointer) {
    UseTool(kKindArcs, kCodeHyperbolicSegment);
    auto* arc = static_cast<CArcObj*>(Press(DrawArcTool, {0, 1}));
    ASSERT_TRUE(arc);
    EXPECT_TRUE(arc->IsDegenerate());
    Move({2, 1});
    ExpectNear(arc->m_points[0], {1, 0});
    ExpectNear(arc->m_points[2], {2, 1});
    EXPECT_LT(arc->m_sweep, 0);  // clockwise over the top
    ExpectConsistent(*arc);
}

TEST_F(ArcTest, HyperbolicNextMakesTheTwoLimitingParallels) {
    CArcObj* line = PickHyperbolicLine(805);
    const CWorldPoint e1 = line->m_points[1], e2 = line->m_points[2];
    ASSERT_EQ(Figures(), 1u);
    auto* pressed = static_cast<CArcObj*>(Press(DrawArcTool, {0.5, 3}));
    ASSERT_TRUE(pressed);
    ASSERT_EQ(Figures(), 3u);
    ASSERT_EQ(state.m_gesture.size(), 2u);
    EXPECT_EQ(state.m_gesture.back(), pressed);
    auto* other = static_cast<CArcObj*>(state.m_gesture.front());
    Move({-1, 4});
    for (auto [arc, end] : {std::pair{pressed, e1}, std::pair{other, e2}}) {
        EXPECT_NEAR(arc->m_points[0].y, 0, 1e-12);  // centre on the boundary
        EXPECT_EQ(arc->m_points[1], CWorldPoint(-1, 4));
        ExpectNear(arc->m_points[2], end, 1e-9);
        ExpectConsistent(*arc);
    }
}

TEST_F(ArcTest, HyperbolicOrthogonalMeetsThePickedLineAtRightAngles) {
    CArcObj* line = PickHyperbolicLine(10030);
    auto* arc = static_cast<CArcObj*>(Press(DrawArcTool, {1, 3}));
    ASSERT_TRUE(arc);
    for (CWorldPoint p : {CWorldPoint{-2, 1}, CWorldPoint{0.5, 0.5}}) {
        Move(p);
        const CWorldPoint c = arc->m_points[0];
        EXPECT_NEAR(c.y, 0, 1e-9);
        // Orthogonal circles: |c - c'|^2 = r^2 + r'^2.
        const double d = Distance(c, line->m_points[0]);
        EXPECT_NEAR(d * d, arc->m_radius * arc->m_radius + 4, 1e-9);
        EXPECT_NEAR(Distance(arc->m_points[2], {0, 0}), 2, 1e-9);  // the foot
        EXPECT_GE(arc->m_points[2].y, 0);
        ExpectConsistent(*arc);
    }
    Release({0.5, 0.5});
    EXPECT_EQ(state.m_nStage, 1);  // the pick stays for the next perpendicular
    Press(DrawArcTool, {1, 3});
    Release({1, 3}, kMkControl);
    EXPECT_EQ(state.m_nStage, 0);

    // Without a picked arc the press makes nothing.
    state.m_nStage = 1;
    state.m_pPicked = nullptr;
    EXPECT_EQ(Press(DrawArcTool, {1, 3}), nullptr);
    EXPECT_EQ(state.m_nStage, 0);
}

}  // namespace
}  // namespace gyr::testing
