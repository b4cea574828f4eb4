// The constructions on a picked isoptic through the controller: the
// at-once commands (cousins, axes, asymptote, middle line, flexes), the
// presses that take the nearest cubic themselves (tangent, bisectors,
// tangents from), and the staged tools (group operation with Shift, Ctrl
// and the group bar, main involution, inversions, angle animation with Esc).
// The 770 x 1100 sheet at 50 pixels a unit with the origin in the middle.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "control/command_table.h"
#include "control/view_fixture.h"
#include "figures/angle_obj.h"
#include "figures/circle_obj.h"
#include "figures/isoptic_obj.h"
#include "figures/line_obj.h"
#include "figures/point_obj.h"
#include "figures/text_obj.h"
#include "math/expect_near.h"
#include "math/isoptic_derived.h"
#include "math/kernel.h"

namespace gyr::testing {
namespace {

class IsopticDerivedTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        doc.m_sheetParams = {.originX = 385, .originY = 550, .width = 770, .height = 1100};
        doc.ApplySheetParams();
        host.Clear();
    }
    static PixelPoint Px(double x, double y) { return WorldToPixel({x, y}); }

    CIsoptic* OfP() { return AddIsopticThrough(&doc, {-3, -1}, {-2, 1}, {0, -2}, {-1, -2}); }
    CIsoptic* Canonical(double a, double b, double c) {
        CIsopticDefinition def;
        def.k = {a, b, c};
        def.build = BuildOfClass(ClassifyCubic(def.k));
        if (!PointsFromConstants(def.k, def.pts)) return nullptr;
        return AddIsoptic(&doc, def);
    }
    // A parallelogram that is no square: a rectangular hyperbola.
    CIsoptic* Conic() { return AddIsopticThrough(&doc, {0, 0}, {2, 0}, {0.5, 1}, {2.5, 1}); }

    std::size_t Count() const { return doc.Objects().size(); }
    template <class T>
    std::vector<T*> Made(std::size_t from) const {
        std::vector<T*> out;
        for (std::size_t i = from; i < Count(); ++i)
            if (doc.Objects()[i]->GetRuntimeClass() == &T::kClass)
                out.push_back(static_cast<T*>(doc.Objects()[i]));
        return out;
    }
    // Clicks the command's pick onto the cubic at world point on.
    void PickWith(int id, CWorldPoint on) {
        view.OnCommand(id);
        Click(Px(on.x, on.y));
    }
};

bool LineThroughAlong(const CLine& l, CWorldPoint p, CWorldPoint dir, double angle = 1e-6) {
    const CWorldPoint d = l.P1() - l.P0();
    const double n = std::hypot(d.x, d.y), m = std::hypot(dir.x, dir.y);
    return std::fabs(d.Cross(dir)) < angle * n * m && std::fabs((p - l.P0()).Cross(d)) < 2e-6 * n;
}

CWorldPoint Mark(const CPointObj* p) {
    return p->GetVertices()[0];
}

TEST_F(IsopticDerivedTest, AtOnceCommandsOnTheCubicOfP) {
    CIsoptic* cubic = OfP();
    ASSERT_NE(cubic, nullptr);
    const CWorldPoint onCurve = cubic->m_pts[0];

    std::size_t before = Count();
    PickWith(ID_ISOPTIC_ASYMPTOTE, onCurve);
    auto lines = Made<CLine>(before);
    auto points = Made<CPointObj>(before);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(LineThroughAlong(*lines[0], {-1.5, 0}, {1, 1}));
    ASSERT_EQ(points.size(), 1u);
    ExpectNear(Mark(points[0]), {-3.5, -2}, 1e-9);
    EXPECT_EQ(host.beeps, 0);
    EXPECT_EQ(state.m_nStage, 0);

    before = Count();
    PickWith(ID_ISOPTIC_MIDDLE_LINE, onCurve);
    lines = Made<CLine>(before);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(LineThroughAlong(*lines[0], {-1, -0.5}, {1, 1}));

    before = Count();
    PickWith(ID_ISOPTIC_AXES, onCurve);
    lines = Made<CLine>(before);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(LineThroughAlong(*lines[0], cubic->m_origin, cubic->m_axisX));
    EXPECT_TRUE(LineThroughAlong(*lines[1], cubic->m_origin, cubic->m_axisY));

    before = Count();
    PickWith(ID_ISOPTIC_FLEXES, onCurve);
    points = Made<CPointObj>(before);
    const CWorldPoint flexes[3] = {
        {-2.924071, -0.764133}, {-0.376170, 2.258462}, {-7.232716, -5.875513}};
    ASSERT_EQ(points.size(), 3u);
    for (int i = 0; i < 3; ++i) ExpectNear(Mark(points[i]), flexes[i], 1e-6);
    EXPECT_EQ(cubic->m_nExtra, 3);
    EXPECT_TRUE(doc.IsModified());
    // A second run adds the stored points again.
    before = Count();
    PickWith(ID_ISOPTIC_FLEXES, onCurve);
    points = Made<CPointObj>(before);
    ASSERT_EQ(points.size(), 3u);
    ExpectNear(Mark(points[2]), flexes[2], 1e-6);
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(IsopticDerivedTest, CousinsAreTheOtherPairingsAndTheSecondOfTheSecondIsTheFirst) {
    CIsoptic* cubic = OfP();
    PickWith(ID_ISOPTIC_TWO, cubic->m_pts[0]);
    auto* two = dynamic_cast<CIsoptic*>(doc.Objects().back());
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->GetRuntimeClass(), &CIsopticOne::kClass);
    ExpectNear(two->m_origin, {-1.5, -3}, 1e-9);
    ExpectNear(two->m_axisX, {1, 0}, 1e-9);
    ExpectNear(two->m_axisY, {0, 1}, 1e-9);
    EXPECT_NEAR(two->m_a, 0, 1e-9);
    EXPECT_NEAR(two->m_b, -4.25, 1e-9);
    EXPECT_NEAR(two->m_c, 1.5, 1e-9);
    // Its asymptote point is O.
    std::size_t before = Count();
    PickWith(ID_ISOPTIC_ASYMPTOTE, two->m_pts[1]);
    auto points = Made<CPointObj>(before);
    ASSERT_EQ(points.size(), 1u);
    ExpectNear(Mark(points[0]), {-1.5, -3}, 1e-9);

    // Nearest by distance: a point of the first cubic picks the first.
    PickWith(ID_ISOPTIC_THREE, cubic->m_pts[0]);
    auto* three = dynamic_cast<CIsoptic*>(doc.Objects().back());
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->GetRuntimeClass(), &CIsopticTwo::kClass);
    ExpectNear(three->m_origin, {-1.75, -1}, 1e-9);
    ExpectNear(three->m_axisY, CWorldPoint{1, -1} * (1 / std::sqrt(2.0)), 1e-9);
    EXPECT_NEAR(three->m_a, -0.353553, 1e-6);
    EXPECT_NEAR(three->m_b, -2.5, 1e-9);
    EXPECT_NEAR(three->m_c, -0.3125, 1e-9);

    // II of II: a flex of the second cubic lies on no other; the pick there
    // takes the second.
    ASSERT_EQ(two->FindFlexes(), 3);
    PickWith(ID_ISOPTIC_TWO, two->m_extra[0]);
    auto* back = dynamic_cast<CIsoptic*>(doc.Objects().back());
    ASSERT_NE(back, nullptr);
    ASSERT_NE(back, two);
    ExpectNear(back->m_origin, cubic->m_origin, 1e-9);
    ExpectNear(back->m_axisY, cubic->m_axisY, 1e-9);
    EXPECT_NEAR(back->m_a, cubic->m_a, 1e-9);
    EXPECT_NEAR(back->m_b, cubic->m_b, 1e-9);
    EXPECT_NEAR(back->m_c, cubic->m_c, 1e-9);
}

TEST_F(IsopticDerivedTest, CanonicalCubicAsymptoteInvolutionAndInversions) {
    CIsoptic* cubic = Canonical(-1, -3, 1);
    ASSERT_NE(cubic, nullptr);
    const CWorldPoint on = cubic->m_pts[1];

    std::size_t before = Count();
    PickWith(ID_ISOPTIC_ASYMPTOTE, on);
    ASSERT_EQ(Made<CPointObj>(before).size(), 1u);
    ExpectNear(Mark(Made<CPointObj>(before)[0]), {-1, -3}, 1e-9);
    EXPECT_TRUE(LineThroughAlong(*Made<CLine>(before)[0], {-1, 0}, {0, 1}));
    before = Count();
    PickWith(ID_ISOPTIC_MIDDLE_LINE, on);
    EXPECT_TRUE(LineThroughAlong(*Made<CLine>(before)[0], {-0.5, 0}, {0, 1}));

    // The involution: its circle at the pick, then two segments per press.
    before = Count();
    PickWith(ID_ISOPTIC_INVOLUTION, on);
    EXPECT_EQ(state.m_nStage, 1);
    auto circles = Made<CCircleObj>(before);
    ASSERT_EQ(circles.size(), 1u);
    ExpectNear(circles[0]->GetVertices()[0], {0, 0}, 1e-12);
    EXPECT_NEAR(circles[0]->m_radius, 1.778279, 1e-6);
    before = Count();
    Click(Px(-3, 4));
    auto segs = Made<CSegmentObj>(before);
    ASSERT_EQ(segs.size(), 2u);
    ExpectNear(segs[0]->GetVertices()[1], {-3, 4}, 1e-12);
    CWorldPoint image;
    ASSERT_TRUE(MainInvolutionImage(cubic->Constants(), {-3, 4}, image));
    ExpectNear(segs[1]->GetVertices()[1], image, 1e-12);
    // A press near A snaps onto the end of the segment AB: its image is D.
    AddSegment(cubic->m_pts[0], cubic->m_pts[1]);
    before = Count();
    Click(Px(cubic->m_pts[0].x + 0.1, cubic->m_pts[0].y - 0.1));
    segs = Made<CSegmentObj>(before);
    ASSERT_EQ(segs.size(), 2u);
    ExpectNear(segs[0]->GetVertices()[1], cubic->m_pts[0], 0);
    ExpectNear(segs[1]->GetVertices()[1], cubic->m_pts[3], 1e-9);
    // At O there is no image: a beep and nothing.
    before = Count();
    host.Clear();
    Click(Px(0, 0));
    EXPECT_EQ(Count(), before);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(state.m_nStage, 1);

    // The inversions: four circles at the pick, then per press the nearest.
    before = Count();
    PickWith(ID_ISOPTIC_INVERSIONS, on);
    circles = Made<CCircleObj>(before);
    ASSERT_EQ(circles.size(), 4u);
    const double radii[4] = {2.951428, 5.401631, 1.689101, 2.228120};
    const CWorldPoint centres[4] = {{-2.325141, 0.377318},
                                    {-0.910927, -5.613386},
                                    {-0.089073, -0.548891},
                                    {1.325141, -0.215041}};
    for (int i = 0; i < 4; ++i) {
        ExpectNear(circles[i]->GetVertices()[0], centres[i], 1e-6);
        EXPECT_NEAR(circles[i]->m_radius, radii[i], 1e-6);
    }
    // A press on the third circle (whose rho is negative).
    const CWorldPoint p{-0.089073, -0.548891 + 1.689101};
    before = Count();
    view.State().m_bMatchPoints = false;
    Click(Px(p.x, p.y));
    segs = Made<CSegmentObj>(before);
    auto images = Made<CPointObj>(before);
    ASSERT_EQ(segs.size(), 2u);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(Made<CCircleObj>(before).size(), 0u);  // the circle is not added again
    const CWorldPoint q = PixelToWorld(Px(p.x, p.y));
    ASSERT_TRUE(InvertPoint(q, centres[2], -1.689101, image));
    ExpectNear(Mark(images[0]), image, 1e-5);
    ExpectNear(segs[0]->GetVertices()[0], centres[2], 1e-6);
    ExpectNear(segs[1]->GetVertices()[1], Mark(images[0]), 1e-12);
}

TEST_F(IsopticDerivedTest, PressesAtAPointTakeTheNearestCubicThemselves) {
    CIsoptic* cubic = OfP();
    const CWorldPoint foot{0.015618, 2.510172};

    view.OnCommand(ID_ISOPTIC_TANGENT_AT);
    EXPECT_FALSE(view.IsPickMode());
    std::size_t before = Count();
    Click(Px(1, 1));
    auto lines = Made<CLine>(before);
    ASSERT_EQ(lines.size(), 1u);
    // The gradient at the foot gives (11.185923, 7.291367), 3e-6 rad from the
    // direction quoted with the example.
    EXPECT_TRUE(LineThroughAlong(*lines[0], foot, {11.185870, 7.291294}, 1e-5));
    EXPECT_TRUE(LineThroughAlong(*lines[0], foot, {11.185923, 7.291367}));

    view.OnCommand(ID_ISOPTIC_BISECTORS_AT);
    before = Count();
    Click(Px(1, 1));
    lines = Made<CLine>(before);
    ASSERT_EQ(lines.size(), 2u);
    // Each bisects the angle of the lines to A and D and that to B and C.
    auto unit = [](CWorldPoint v) { return v * (1 / std::hypot(v.x, v.y)); };
    const CWorldPoint* pts = cubic->m_pts;
    for (const CLine* l : lines) {
        const CWorldPoint d = unit(l->P1() - l->P0());
        for (auto [i, j] : {std::pair{0, 3}, std::pair{1, 2}}) {
            const CWorldPoint u = unit(pts[i] - foot), v = unit(pts[j] - foot);
            // The mirror image of u in the bisector is parallel to v.
            const CWorldPoint m = d * (2 * u.Dot(d)) - u;
            EXPECT_NEAR(m.Cross(v), 0, 1e-5);
        }
    }

    view.OnCommand(ID_ISOPTIC_TANGENTS_FROM);
    before = Count();
    Click(Px(1, 1));
    lines = Made<CLine>(before);
    const CWorldPoint touch[4] = {{-0.558530, 2.141980},
                                  {0.287992, -1.412517},
                                  {-3.626230, -2.168935},
                                  {-1.113132, -1.570428}};
    ASSERT_EQ(lines.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(LineThroughAlong(*lines[i], foot, touch[i] - foot));
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(IsopticDerivedTest, TheConicAndBrokenDataBeepForWhatTheyCannotDo) {
    CIsoptic* conic = Conic();
    ASSERT_NE(conic, nullptr);
    const CWorldPoint on = conic->m_pts[0];
    for (int id :
         {ID_ISOPTIC_ASYMPTOTE, ID_ISOPTIC_MIDDLE_LINE, ID_ISOPTIC_FLEXES, ID_ISOPTIC_BISECTORS_AT,
          ID_ISOPTIC_TANGENTS_FROM, ID_ISOPTIC_INVOLUTION, ID_ISOPTIC_GROUP}) {
        SCOPED_TRACE(id);
        host.Clear();
        const std::size_t before = Count();
        PickWith(id, on);
        EXPECT_EQ(Count(), before);
        EXPECT_EQ(host.beeps, 1);
        EXPECT_EQ(state.m_nStage, 0);
    }
    // The tangent and the axes work on it; the cousins too.
    for (int id : {ID_ISOPTIC_TANGENT_AT, ID_ISOPTIC_AXES, ID_ISOPTIC_TWO}) {
        SCOPED_TRACE(id);
        host.Clear();
        const std::size_t before = Count();
        PickWith(id, on);
        EXPECT_GT(Count(), before);
        EXPECT_EQ(host.beeps, 0);
    }

    // A cubic whose stored constants are not finite constructs nothing.
    CIsoptic* broken = OfP();
    broken->m_b = std::numeric_limits<double>::quiet_NaN();
    for (int id :
         {ID_ISOPTIC_ASYMPTOTE, ID_ISOPTIC_FLEXES, ID_ISOPTIC_INVERSIONS, ID_ISOPTIC_INVOLUTION}) {
        SCOPED_TRACE(id);
        host.Clear();
        const std::size_t before = Count();
        PickWith(id, broken->m_pts[1]);
        EXPECT_EQ(Count(), before);
        EXPECT_EQ(host.beeps, 1);
    }
}

TEST_F(IsopticDerivedTest, StoredIntervalEndsAreNotTrustedAClassTheConstantsDenyHasNoCircles) {
    CIsoptic* cubic = Canonical(-1, -3, 1);
    for (double& x : cubic->m_x) x = 0.25;  // as a damaged file might hold them
    std::size_t before = Count();
    PickWith(ID_ISOPTIC_INVERSIONS, cubic->m_pts[1]);
    auto circles = Made<CCircleObj>(before);
    ASSERT_EQ(circles.size(), 4u);
    ExpectNear(circles[0]->GetVertices()[0], {-2.325141, 0.377318}, 1e-6);

    cubic->m_b = -0.75;  // singular constants in a two-piece cubic
    host.Clear();
    before = Count();
    PickWith(ID_ISOPTIC_INVERSIONS, cubic->m_pts[1]);
    EXPECT_EQ(Count(), before);
    EXPECT_EQ(host.beeps, 1);
}

TEST_F(IsopticDerivedTest, GroupOperationStagesWithShiftCtrlAndTheGroupBar) {
    CIsoptic* cubic = OfP();
    state.m_bMatchPoints = false;
    PickWith(ID_ISOPTIC_GROUP, cubic->m_pts[0]);
    EXPECT_EQ(state.m_nStage, 1);
    EXPECT_EQ(cubic->m_nExtra, 3);

    // N: the flex nearest the press, labelled O.
    std::size_t before = Count();
    Click(Px(-3, -1));
    ASSERT_EQ(state.m_nStage, 2);
    auto points = Made<CPointObj>(before);
    ASSERT_EQ(points.size(), 1u);
    ExpectNear(Mark(points[0]), cubic->m_extra[0], 1e-12);
    auto labels = Made<CTextObj>(before);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0]->m_strText, "O");

    before = Count();
    Click(Px(1, 1));
    EXPECT_EQ(state.m_nStage, 3);
    ASSERT_EQ(Made<CPointObj>(before).size(), 1u);
    const CWorldPoint P = Mark(Made<CPointObj>(before)[0]);
    ExpectNear(P, {0.015618, 2.510172}, 1e-6);

    before = Count();
    Click(Px(-5, -4));
    EXPECT_EQ(state.m_nStage, 2);
    points = Made<CPointObj>(before);
    ASSERT_EQ(points.size(), 2u);  // Q and P + Q
    const CIsopticFrame f = cubic->Frame();
    CWorldPoint sum;
    ASSERT_TRUE(CubicGroupSum(cubic->Constants(), f.ToCanonical(cubic->m_extra[0]),
                              f.ToCanonical(P), f.ToCanonical(Mark(points[0])), sum));
    ExpectNear(Mark(points[1]), f.ToWorld(sum), 1e-9);
    const CWorldPoint s = f.ToCanonical(Mark(points[1]));
    EXPECT_NEAR(CubicValue(cubic->Constants(), s.x, s.y), 0, 1e-6);

    // Shift in stage 2 or 3 goes back to choosing N and adds nothing.
    before = Count();
    Click(Px(1, 1), kMkShift);
    EXPECT_EQ(state.m_nStage, 1);
    EXPECT_EQ(Count(), before);
    // With Shift, N is the foot of the press.
    Click(Px(1, 1), kMkShift);
    EXPECT_EQ(state.m_nStage, 2);
    ExpectNear(Mark(Made<CPointObj>(before)[0]), {0.015618, 2.510172}, 1e-6);

    // The group bar: the second and third buttons keep the stage, the first
    // starts again with a pick.
    Click(Px(1, 1));
    EXPECT_EQ(state.m_nStage, 3);
    view.OnCommand(ID_GROUP_BAR_SECOND);
    EXPECT_EQ(state.m_nStage, 3);
    view.OnCommand(ID_GROUP_BAR_THIRD);
    EXPECT_EQ(state.m_nStage, 3);
    view.OnCommand(ID_GROUP_BAR_FIRST);
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_TRUE(view.IsPickMode());
    Click(Px(cubic->m_pts[0].x, cubic->m_pts[0].y));
    Click(Px(-3, -1));
    EXPECT_EQ(state.m_nStage, 2);

    // Ctrl leaves the tool for the selection tool.
    before = Count();
    Click(Px(1, 1), kMkControl);
    EXPECT_EQ(Count(), before);
    EXPECT_EQ(state.m_nToolKind, kToolSelect);
    EXPECT_TRUE(view.IsChecked(ID_SELECT_TOOL));
}

TEST_F(IsopticDerivedTest, AngleAnimationFollowsTheFootAndEscStopsIt) {
    CIsoptic* cubic = OfP();
    state.m_bMatchPoints = false;
    PickWith(ID_ISOPTIC_ANIMATION, cubic->m_pts[0]);
    EXPECT_EQ(state.m_nStage, 1);
    EXPECT_FALSE(view.IsPickMode());

    std::size_t before = Count();
    Press(Px(1, 1));
    auto angles = Made<CAngle>(before);
    ASSERT_EQ(angles.size(), 2u);
    const CWorldPoint* pts = cubic->m_pts;
    auto check = [&](CWorldPoint foot) {
        for (int k = 0; k < 2; ++k) {
            ExpectNear(angles[k]->V1(), foot, 1e-6);
            ExpectNear(angles[k]->V0(), pts[2 * k], 0);
            ExpectNear(angles[k]->V2(), pts[2 * k + 1], 0);
        }
        const double d = std::remainder(angles[0]->GetAngleValue() - angles[1]->GetAngleValue(),
                                        3.141592653589793);
        EXPECT_NEAR(d, 0, 1e-9);
    };
    check({0.015618, 2.510172});

    host.Clear();
    Move(Px(-5, -4));
    const CWorldPoint moved = cubic->NearestPointOn(PixelToWorld(Px(-5, -4)));
    check(moved);
    // Only the angles' area is repainted.
    PixelRect area = angles[0]->GetInvalidRect().United(angles[1]->GetInvalidRect());
    const PixelRect r = Invalidated();
    EXPECT_FALSE(r.IsEmpty());
    EXPECT_LT(r.Width() * r.Height(), 770 * 1100 / 2);
    (void)area;

    // Esc stops the drag where it is.
    EXPECT_TRUE(view.OnKeyDown(kKeyEscape, kMkLButton));
    Move(Px(0, -2));
    Release(Px(0, -2));
    check(moved);
    EXPECT_EQ(Made<CAngle>(before).size(), 2u);
    // The ended gesture leaves plain angles.
    EXPECT_EQ(angles[0]->m_follow.rule, nullptr);
    EXPECT_EQ(angles[1]->m_follow.rule, nullptr);

    // A release keeps the last pair; the next press makes a new pair.
    Press(Px(-2, 1));
    Move(Px(-1, -2.2));
    Release(Px(-1, -2.2));
    EXPECT_EQ(Made<CAngle>(before).size(), 4u);
    // Another command ends the mode.
    view.OnCommand(ID_ISOPTIC_ABCD);
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_FALSE(view.OnKeyDown(kKeyEscape, 0));
}

}  // namespace
}  // namespace gyr::testing
