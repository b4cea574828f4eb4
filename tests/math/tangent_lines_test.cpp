// Parallels, orthogonals, common tangents and the diagonal triangle.

#include "math/tangent_lines.h"

#include <gtest/gtest.h>

#include <cmath>

#include "math/expect_near.h"
#include "math/kernel.h"

namespace gyr {
namespace {

using testing::ExpectNear;

TEST(TangentLinesTest, ParallelAndOrthogonalThroughAPoint) {
    const PointPair par = ParallelThrough({1, 1}, {0, 0}, {2, 1});
    EXPECT_EQ(par.a, CWorldPoint(1, 1));
    EXPECT_EQ(par.b, CWorldPoint(3, 2));
    const PointPair ort = OrthogonalThrough({1, 1}, {0, 0}, {2, 1});
    EXPECT_EQ(ort.b, CWorldPoint(0, 3));
}

// Each pair touches both circles and is orthogonal to both radii there.
void ExpectTangent(const PointPair& t, const CWorldPoint& c, double r, const CWorldPoint& at) {
    EXPECT_NEAR(Distance(at, c), r, 1e-9);
    EXPECT_NEAR(DistanceToLine(c, t.a, t.b), r, 1e-9);
}

TEST(TangentLinesTest, CommonTangentsOuterFirstLargeToSmall) {
    PointPair t[4];
    // Either pick order: the larger circle gives the first point.
    for (bool swapped : {false, true}) {
        const int n = swapped ? CommonTangents({8, 0}, 1, {0, 0}, 3, t)
                              : CommonTangents({0, 0}, 3, {8, 0}, 1, t);
        ASSERT_EQ(n, 4);
        const double s15 = std::sqrt(15.0), s3 = std::sqrt(3.0);
        ExpectNear(t[0].a, {0.75, -0.75 * s15});
        ExpectNear(t[0].b, {33.0 / 4, -s15 / 4});
        ExpectNear(t[1].a, {0.75, 0.75 * s15});
        ExpectNear(t[1].b, {33.0 / 4, s15 / 4});
        ExpectNear(t[2].a, {1.5, -1.5 * s3});
        ExpectNear(t[2].b, {7.5, s3 / 2});
        ExpectNear(t[3].a, {1.5, 1.5 * s3});
        ExpectNear(t[3].b, {7.5, -s3 / 2});
        for (const PointPair& p : t) {
            ExpectTangent(p, {0, 0}, 3, p.a);
            ExpectTangent(p, {8, 0}, 1, p.b);
        }
    }
}

TEST(TangentLinesTest, CommonTangentsOfSpecialPairs) {
    PointPair t[4];
    // Equal radii: the first circle counts as the larger one.
    ASSERT_EQ(CommonTangents({0, 0}, 1, {5, 0}, 1, t), 4);
    ExpectNear(t[0].a, {0, 1});
    ExpectNear(t[0].b, {5, 1});
    ExpectNear(t[1].a, {0, -1});
    ExpectNear(t[1].b, {5, -1});
    // Touching from outside: the outer pair only.
    EXPECT_EQ(CommonTangents({0, 0}, 2, {3, 0}, 1, t), 2);
    // Cutting: the outer pair.
    EXPECT_EQ(CommonTangents({0, 0}, 2, {2, 0}, 1, t), 2);
    // Touching from inside: the tangent at the touching point.
    ASSERT_EQ(CommonTangents({0, 0}, 3, {1, 0}, 2, t), 1);
    ExpectNear(t[0].a, {3, -3});
    ExpectNear(t[0].b, {3, 3});
    // Nested, and the same circle twice: nothing.
    EXPECT_EQ(CommonTangents({0, 0}, 3, {0.5, 0}, 1, t), 0);
    EXPECT_EQ(CommonTangents({1, 1}, 2, {1, 1}, 2, t), 0);
    EXPECT_EQ(CommonTangents({1, 1}, 0, {1, 1}, 0, t), 0);
}

TEST(TangentLinesTest, DiagonalTriangleOfACompleteQuadrilateral) {
    CWorldPoint x[3];
    ASSERT_TRUE(DiagonalTriangle({0, 0}, {4, 0}, {1, 2}, {3, 3}, x));
    ExpectNear(x[0], {-3, 0});
    ExpectNear(x[1], {2.4, 4.8});
    ExpectNear(x[2], {1.6, 1.6});
    // Parallel segments, and a segment without length.
    EXPECT_FALSE(DiagonalTriangle({0, 0}, {4, 0}, {0, 1}, {4, 1}, x));
    EXPECT_FALSE(DiagonalTriangle({0, 0}, {0, 0}, {1, 2}, {3, 3}, x));
}

}  // namespace
}  // namespace gyr
