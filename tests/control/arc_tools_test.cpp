// The arc tools driven through the view: the arc on an angle, and the simple
// arc's second stage after a first stage that drew nothing.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "control/view_fixture.h"
#include "figures/angle_obj.h"
#include "figures/arc_obj.h"
#include "math/expect_near.h"

namespace gyr::testing {
namespace {

class ArcToolTest : public ViewTest {
protected:
    void DragW(CWorldPoint a, CWorldPoint b) { Drag(Px(a.x, a.y), Px(b.x, b.y)); }
    const CArcObj* LastArc() const {
        const CMyObj* last = doc.Objects().back();
        return last->IsArc() ? static_cast<const CArcObj*>(last) : nullptr;
    }
};

TEST_F(ArcToolTest, ArcOnAngleIsMadeAtOnceInTheQuarterOfTheClick) {
    ASSERT_TRUE(view.OnCommand(ID_ANGLE_FROM_SIDE));
    DragW({2, 0}, {0, 0});
    DragW({0, 0}, {0, 2});
    ASSERT_TRUE(doc.Objects().back()->IsAngle());
    ASSERT_TRUE(view.OnCommand(ID_ARC_ON_ANGLE));

    // On an arm: the arc of radius 1.5 from that arm to the other.
    Click(Px(1.5, 0));
    const CArcObj* arc = LastArc();
    ASSERT_NE(arc, nullptr);
    ExpectNear(arc->m_points[0], {0, 0});
    ExpectNear(arc->m_points[1], {1.5, 0});
    ExpectNear(arc->m_points[2], {0, 1.5});
    ExpectNear(arc->m_points[3], {1.5 / std::sqrt(2.0), 1.5 / std::sqrt(2.0)});
    EXPECT_NEAR(arc->m_radius, 1.5, 1e-12);
    EXPECT_NEAR(arc->m_sweep, std::numbers::pi / 2, 1e-12);
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_EQ(host.beeps, 0);

    // Inside the angle: through the click.
    Click(Px(0.5, 0.5));
    arc = LastArc();
    ASSERT_NE(arc, nullptr);
    EXPECT_NEAR(arc->m_radius, std::sqrt(0.5), 1e-12);
    ExpectNear(arc->m_points[2], {0, std::sqrt(0.5)});

    // Just behind the apex (still on its handle): the opposite quarter, both
    // arms turned through the apex.
    Click(Px(-0.04, -0.04));
    arc = LastArc();
    ASSERT_NE(arc, nullptr);
    const double r = 0.04 * std::sqrt(2.0);
    ExpectNear(arc->m_points[1], {-r, 0});
    ExpectNear(arc->m_points[2], {0, -r});
    EXPECT_NEAR(arc->m_sweep, std::numbers::pi / 2, 1e-12);
    EXPECT_EQ(doc.Objects().size(), 5u);  // sheet, angle, three arcs
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(ArcToolTest, ArcOnAngleTakesACornerOfATriangleAndBeepsOnNothing) {
    AddTriangle({0, 0}, {4, 0}, {0, 3});
    ASSERT_TRUE(view.OnCommand(ID_ARC_ON_ANGLE));
    Click(Px(1, 0));  // the side near the corner at (0, 0)
    const CArcObj* arc = LastArc();
    ASSERT_NE(arc, nullptr);
    ExpectNear(arc->m_points[0], {0, 0});
    EXPECT_NEAR(arc->m_radius, 1, 1e-12);
    EXPECT_NEAR(std::fabs(arc->m_sweep), std::numbers::pi / 2, 1e-12);

    const std::size_t before = doc.Objects().size();
    Click(Px(-5, -5));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(doc.Objects().size(), before);
}

TEST_F(ArcToolTest, SimpleArcAfterAMereClickReportsAndRestarts) {
    CSegmentObj* mine = AddSegment({-6, -5}, {-4, -5});
    ASSERT_TRUE(view.OnCommand(ID_ARC_SIMPLE));
    Click(Px(1, 1));
    EXPECT_EQ(state.m_nStage, 1);
    DragW({2, 2}, {3, 3});
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.LastMessage(), kBadDefinitionMessage);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_EQ(doc.Objects().back(), mine);  // nothing made, the user's segment kept

    // Restarted: a radius, then the arc from its end.
    DragW({0, 0}, {2, 0});
    EXPECT_EQ(state.m_nStage, 1);
    DragW({1, 1}, {0, 2});
    const CArcObj* arc = LastArc();
    ASSERT_NE(arc, nullptr);
    ExpectNear(arc->m_points[0], {0, 0});
    ExpectNear(arc->m_points[1], {2, 0});
    ExpectNear(arc->m_points[2], {0, 2});
    EXPECT_EQ(doc.Objects().size(), 3u);  // sheet, the user's segment, the arc
    EXPECT_EQ(state.m_nStage, 0);
}

}  // namespace
}  // namespace gyr::testing
