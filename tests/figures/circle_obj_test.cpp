// Circles: radius bookkeeping and persistence, drawing, hit tests, the
// transformations and the general and three-point circle tools.

#include "figures/circle_obj.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>

#include "figures/figure_fixture.h"
#include "figures/line_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

using Op = RecordingCanvas::Op;

constexpr int kKindCircles = 70;

class CircleTest : public FigureTest {};

TEST_F(CircleTest, RadiusFollowsTheVerticesOnlyAfterRecalcBounds) {
    CCircleObj c({1, 1}, 2);
    EXPECT_EQ(c.m_points[1], CWorldPoint(3, 1));
    c.m_points[1] = {4, 5};  // distance 5
    c.m_radius = 7;          // as stored in a file
    std::vector<std::uint8_t> first, second;
    std::unique_ptr<CCircleObj> loaded(RoundTrip(c, &first, &second));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(first, second);
    EXPECT_EQ(loaded->m_radius, 7);
    loaded->RecalcBounds();
    EXPECT_DOUBLE_EQ(loaded->m_radius, 5);
    // The box is the full circle's, whatever the radius point.
    EXPECT_EQ(loaded->m_leftTop, CWorldPoint(-4, 6));
    EXPECT_EQ(loaded->m_rightBottom, CWorldPoint(6, -4));
}

TEST_F(CircleTest, DrawsTheEllipseOneLargerThenABlackCentreCross) {
    CCircleObj c({0, 0}, 1);
    c.m_logpen = {kPenSolid, 2, 2, 0x800000};
    c.m_bBrush = 0;
    c.RecalcBounds();
    RecordingCanvas dc;
    c.Draw(dc);
    auto ellipses = dc.Of(Op::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].points, (std::vector<PixelPoint>{{350, 250}, {451, 351}}));
    auto strokes = dc.Of(Op::LineTo);
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[0].points, (std::vector<PixelPoint>{{396, 300}, {405, 300}}));
    ASSERT_TRUE(strokes[0].pen);
    EXPECT_EQ(strokes[0].pen->color, 0u);
}

TEST_F(CircleTest, HitTestDistanceAndNearestPoint) {
    CCircleObj c({0, 0}, 2);
    c.RecalcBounds();
    EXPECT_EQ(c.HitTest({0.05, 0}), 1);  // centre
    EXPECT_EQ(c.HitTest({2, 0.05}), 2);  // radius point
    EXPECT_EQ(c.HitTest({0, 2.05}), 0);  // circumference
    EXPECT_EQ(c.HitTest({1, 0}), -1);    // inside, and not the radius edge
    int edge = 5;
    EXPECT_DOUBLE_EQ(c.DistanceTo({0, 3}, edge), 1);
    EXPECT_EQ(edge, -1);
    ExpectNear(c.NearestPointOn({0, -5}), {0, -2});
}

TEST_F(CircleTest, InvertGivesACircleOrThroughTheCentreALine) {
    CCircleObj c({3, 0}, 1);
    c.RecalcBounds();
    std::unique_ptr<CMyObj> image(c.Invert({0, 0}, 2));
    ASSERT_TRUE(image && image->IsCircle());
    auto* ic = static_cast<CCircleObj*>(image.get());
    // The diameter ends 2 and 4 map to 2 and 1.
    ExpectNear(ic->Centre(), {1.5, 0});
    EXPECT_NEAR(ic->m_radius, 0.5, 1e-12);
    EXPECT_EQ(Figures(), 0u);  // not added

    CCircleObj through({1, 0}, 1);
    through.RecalcBounds();
    std::unique_ptr<CMyObj> line(through.Invert({0, 0}, 2));
    ASSERT_TRUE(line && line->IsLine());
    // The image of (2, 0) is (2, 0): the line x = 2, fitted to the sheet.
    const CWorldPoint* v = line->GetVertices();
    EXPECT_NEAR(v[0].x, 2, 1e-12);
    EXPECT_NEAR(v[1].x, 2, 1e-12);
    EXPECT_EQ(std::fabs(v[0].y), 6);
}

TEST_F(CircleTest, TransformationsKeepTheRadiusALength) {
    CCircleObj c({1, 0}, 1);
    c.RecalcBounds();
    c.Homothety({0, 0}, -2);
    EXPECT_EQ(c.m_radius, 2);
    ExpectNear(c.Centre(), {-2, 0});
    c.Rotate({0, 0}, std::numbers::pi / 2);
    EXPECT_NEAR(c.m_radius, 2, 1e-12);
    ExpectNear(c.Centre(), {0, -2});
}

TEST_F(CircleTest, DuplicateOffsetsAreTheDiameterUnlessCtrlIsHeld) {
    CCircleObj c({0, 0}, 1);
    c.RecalcBounds();
    EXPECT_EQ(c.GetDuplicateOffset(kKeyDown), CWorldPoint(0, -2));
    EXPECT_EQ(c.GetDuplicateOffset(65), CWorldPoint(2, 0));
    host.keysDown.insert(kKeyControl);
    EXPECT_EQ(c.GetDuplicateOffset(kKeyUp), CWorldPoint(0, 2));  // the box height
    EXPECT_EQ(c.GetDuplicateOffset(65), CWorldPoint(0, 0));
}

TEST_F(CircleTest, GeneralCircleFromTheCentreOrWithCtrlOnADiameter) {
    UseTool(kKindCircles, kCodePlain);
    auto* c = static_cast<CCircleObj*>(Press(DrawCircleTool, {1, 1}));
    ASSERT_TRUE(c);
    Move({4, 5});
    EXPECT_EQ(c->Centre(), CWorldPoint(1, 1));
    EXPECT_DOUBLE_EQ(c->m_radius, 5);
    Move({3, 1}, kMkControl);
    EXPECT_EQ(c->Centre(), CWorldPoint(2, 1));
    EXPECT_DOUBLE_EQ(c->m_radius, 1);
    Release({3, 1}, kMkControl);
    EXPECT_EQ(Figures(), 1u);

    // A click makes a zero circle, which the release removes.
    Press(DrawCircleTool, {0, 0});
    Release({0, 0});
    EXPECT_EQ(Figures(), 1u);
}

TEST_F(CircleTest, ThreePointCircleTakesOverTheDiameterCircle) {
    UseTool(kKindCircles, kCodeThreePoints);
    Press(DrawCircleTool, {0, 0});
    Move({2, 0});
    Release({2, 0});
    ASSERT_EQ(Figures(), 1u);
    EXPECT_EQ(state.m_pPicked, Last());

    auto* c = static_cast<CCircleObj*>(Press(DrawCircleTool, {1, 1}));
    ASSERT_TRUE(c);
    EXPECT_EQ(Figures(), 1u);  // the diameter circle was absorbed
    Move({1, 3});
    ExpectNear(c->Centre(), {1, 4.0 / 3});
    // Collinear with the two kept points: the circle stays as it was.
    Move({5, 0});
    ExpectNear(c->Centre(), {1, 4.0 / 3});
    Release({1, 3});
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_TRUE(LiesOnCircle({2, 0}, c->Centre(), c->m_radius));
}

TEST_F(CircleTest, ThreePointCircleWithCollinearPointsMakesNothing) {
    UseTool(kKindCircles, kCodeThreePoints);
    Press(DrawCircleTool, {0, 0});
    Move({2, 0});
    Release({2, 0});
    CMyObj* first = Last();
    EXPECT_EQ(Press(DrawCircleTool, {3, 0}), nullptr);
    EXPECT_EQ(state.m_nStage, 0);
    ASSERT_EQ(Figures(), 1u);
    EXPECT_EQ(Last(), first);
}

}  // namespace
}  // namespace gyr::testing
