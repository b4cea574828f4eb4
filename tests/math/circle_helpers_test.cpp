// The orthogonal-circle helpers: every result is checked by the defining
// property (orthogonality: |c - c'|^2 = r^2 + r'^2), not by a formula.

#include "math/circle_helpers.h"

#include <gtest/gtest.h>

#include <cmath>

#include "math/kernel.h"

namespace gyr {
namespace {

bool Orthogonal(const CWorldPoint& c1, double r1, const CWorldPoint& c2, double r2) {
    const double d = Distance(c1, c2);
    return std::fabs(d * d - r1 * r1 - r2 * r2) < 1e-8;
}

TEST(CircleHelpersTest, MiddleOrthogonalMeetsLine) {
    CWorldPoint c{9, 9};
    ASSERT_TRUE(MiddleOrthogonalMeetsLine({0, 1}, {2, 1}, {0, 0}, {1, 0}, c));
    EXPECT_EQ(c, CWorldPoint(1, 0));
    // A vertical chord's middle orthogonal runs along the axis: no point.
    c = {9, 9};
    EXPECT_FALSE(MiddleOrthogonalMeetsLine({1, 1}, {1, 3}, {0, 0}, {1, 0}, c));
    EXPECT_FALSE(MiddleOrthogonalMeetsLine({1, 1}, {1, 1}, {0, 0}, {1, 0}, c));
    EXPECT_FALSE(MiddleOrthogonalMeetsLine({0, 1}, {2, 1}, {3, 3}, {3, 3}, c));
    EXPECT_EQ(c, CWorldPoint(9, 9));
}

TEST(CircleHelpersTest, CentredOrthogonalCircleHasTheTangentLength) {
    double r = -1;
    ASSERT_TRUE(OrthogonalCircleCentred({5, 0}, {0, 0}, 3, r));
    EXPECT_NEAR(r, 4, 1e-12);
    EXPECT_FALSE(OrthogonalCircleCentred({1, 0}, {0, 0}, 3, r));  // inside
    EXPECT_FALSE(OrthogonalCircleCentred({3, 0}, {0, 0}, 3, r));  // on it
    EXPECT_FALSE(OrthogonalCircleCentred({0, 0}, {0, 0}, 3, r));  // the centre
    EXPECT_NEAR(r, 4, 1e-12);
}

TEST(CircleHelpersTest, OrthogonalToTwoLinesIsCentredAtTheirCrossing) {
    CWorldPoint c;
    double r;
    ASSERT_TRUE(OrthogonalCircleToLines({4, 3}, {0, 0}, {1, 0}, {1, -1}, {1, 1}, c, r));
    EXPECT_EQ(c, CWorldPoint(1, 0));
    EXPECT_DOUBLE_EQ(r, std::sqrt(18.0));
    EXPECT_FALSE(OrthogonalCircleToLines({4, 3}, {0, 0}, {1, 0}, {0, 1}, {1, 1}, c, r));
}

TEST(CircleHelpersTest, OrthogonalToTwoCirclesThroughAPoint) {
    const CWorldPoint c1{0, 0}, c2{6, 0};
    const double r1 = 2, r2 = 1;
    for (CWorldPoint p : {CWorldPoint{1, 4}, CWorldPoint{3, -2}, CWorldPoint{0, 2},
                          CWorldPoint{6, 1}, CWorldPoint{-5, 0.5}}) {
        CWorldPoint c;
        double r;
        ASSERT_TRUE(OrthogonalCircleToCircles(p, c1, r1, c2, r2, c, r)) << p.x << "," << p.y;
        EXPECT_TRUE(Orthogonal(c, r, c1, r1));
        EXPECT_TRUE(Orthogonal(c, r, c2, r2));
        EXPECT_NEAR(Distance(c, p), r, 1e-9);
    }
    CWorldPoint c;
    double r;
    EXPECT_FALSE(OrthogonalCircleToCircles({3, 0}, c1, r1, c2, r2, c, r));  // line of centres
    EXPECT_FALSE(OrthogonalCircleToCircles({3, 1}, c1, r1, c1, r2, c, r));  // concentric
}

TEST(CircleHelpersTest, OrthogonalToACircleAndALineThroughAPoint) {
    const CWorldPoint a{0, 0}, b{1, 0};
    for (CWorldPoint centre : {CWorldPoint{0, 0}, CWorldPoint{1, 3}}) {
        for (CWorldPoint p : {CWorldPoint{2, 3.5}, CWorldPoint{-3, 1}, CWorldPoint{0.5, 0.5}}) {
            CWorldPoint c;
            double r;
            ASSERT_TRUE(OrthogonalCircleToCircleAndLine(p, centre, 2, a, b, c, r));
            EXPECT_TRUE(Orthogonal(c, r, centre, 2));
            EXPECT_NEAR(c.y, 0, 1e-9);  // orthogonal to the line: centred on it
            EXPECT_NEAR(Distance(c, p), r, 1e-9);
        }
    }
    CWorldPoint c;
    double r;
    // On the circle, with the circle centred on the line: p is its own inverse.
    EXPECT_FALSE(OrthogonalCircleToCircleAndLine({0, 2}, {0, 0}, 2, a, b, c, r));
    EXPECT_FALSE(OrthogonalCircleToCircleAndLine({1, 1}, {0, 0}, 2, a, a, c, r));
    // On the line through the circle's centre and its mirror image.
    EXPECT_FALSE(OrthogonalCircleToCircleAndLine({1, 5}, {1, 3}, 2, a, b, c, r));
}

}  // namespace
}  // namespace gyr
