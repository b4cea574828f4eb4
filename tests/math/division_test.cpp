// Division points of segments, angles and circles.

#include "math/division.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "math/kernel.h"

namespace gyr {
namespace {

TEST(DivisionTest, SegmentAngleAndCirclePoints) {
    auto seg = SegmentDivisionPoints({0, 0}, {3, 6}, 3);
    ASSERT_EQ(seg.size(), 2u);
    EXPECT_NEAR(seg[0].x, 1, 1e-12);
    EXPECT_NEAR(seg[1].y, 4, 1e-12);
    EXPECT_TRUE(SegmentDivisionPoints({0, 0}, {1, 0}, 1).empty());

    // The quarter turn from (2, 0) to (0, 5), in three: at the shorter arm.
    const CWorldPoint apex{1, 1};
    auto rays = AngleDivisionPoints(apex, {3, 1}, {1, 6}, 3);
    ASSERT_EQ(rays.size(), 2u);
    EXPECT_NEAR(Distance(apex, rays[0]), 2, 1e-12);
    EXPECT_NEAR(SignedAngle(apex, {3, 1}, rays[0]), std::numbers::pi / 6, 1e-12);
    EXPECT_NEAR(SignedAngle(apex, {3, 1}, rays[1]), std::numbers::pi / 3, 1e-12);
    // Clockwise arms divide clockwise.
    auto back = AngleDivisionPoints(apex, {1, 6}, {3, 1}, 2);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_NEAR(SignedAngle(apex, {1, 6}, back[0]), -std::numbers::pi / 4, 1e-12);
    EXPECT_TRUE(AngleDivisionPoints(apex, apex, {1, 6}, 2).empty());

    auto circle = CircleDivisionPoints({5, 0}, {0, 0}, 2, 2);
    ASSERT_EQ(circle.size(), 2u);
    EXPECT_NEAR(circle[0].x, 2, 1e-12);
    EXPECT_NEAR(circle[1].x, -2, 1e-12);
}

}  // namespace
}  // namespace gyr
