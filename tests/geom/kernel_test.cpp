// The geometry kernel: exact values and result order per function, the
// thresholds at their edges, the square root over the whole double range, and
// a randomised sweep proving that finite input never gives non-finite output.

#include "geom/kernel.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <string>

namespace gyr {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTol = 1e-12;
const CWorldPoint kSentinel{12345.0, -6789.0};

#define EXPECT_POINT_NEAR(actual, ex, ey)                 \
    do {                                                  \
        const CWorldPoint p_ = (actual);                  \
        EXPECT_NEAR(p_.x, (ex), kTol) << "x of " #actual; \
        EXPECT_NEAR(p_.y, (ey), kTol) << "y of " #actual; \
    } while (0)

// ---- GeomSqrt --------------------------------------------------------------

double Ulp(double v) {
    return std::nextafter(v, INFINITY) - v;
}

TEST(GeomSqrtTest, NonPositiveAndNaNGiveZero) {
    EXPECT_EQ(GeomSqrt(-4.0), 0.0);
    EXPECT_EQ(GeomSqrt(0.0), 0.0);
    EXPECT_EQ(GeomSqrt(-0.0), 0.0);
    EXPECT_FALSE(std::signbit(GeomSqrt(-0.0)));
    EXPECT_EQ(GeomSqrt(-DBL_MAX), 0.0);
    EXPECT_EQ(GeomSqrt(-INFINITY), 0.0);
    EXPECT_EQ(GeomSqrt(std::numeric_limits<double>::quiet_NaN()), 0.0);
    EXPECT_EQ(GeomSqrt(-std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST(GeomSqrtTest, ExactSquaresAndInfinity) {
    EXPECT_EQ(GeomSqrt(1.0), 1.0);
    EXPECT_EQ(GeomSqrt(4.0), 2.0);
    EXPECT_DOUBLE_EQ(GeomSqrt(9.0), 3.0);
    EXPECT_DOUBLE_EQ(GeomSqrt(2.25), 1.5);
    EXPECT_DOUBLE_EQ(GeomSqrt(1e10), 1e5);
    EXPECT_DOUBLE_EQ(GeomSqrt(2.0), std::numbers::sqrt2);
    EXPECT_EQ(GeomSqrt(INFINITY), INFINITY);
}

TEST(GeomSqrtTest, HugeAndTinyArgumentsEndCloseToTheRoot) {
    // An absolute stopping test alone would answer about 1e-24 for these.
    EXPECT_NEAR(GeomSqrt(1e-60) / 1e-30, 1.0, 1e-15);
    EXPECT_NEAR(GeomSqrt(1e-300) / 1e-150, 1.0, 1e-15);
    const double extremes[] = {DBL_MAX, DBL_MIN, DBL_TRUE_MIN, 1e308, 1e-320, 3e-24, 1e-48};
    for (double x : extremes) {
        double s = std::sqrt(x);
        EXPECT_LE(std::fabs(GeomSqrt(x) - s), Ulp(s)) << x;
    }
}

TEST(GeomSqrtTest, WithinOneUlpOverTheWholeRange) {
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> exponent(-1074, 1023);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    for (int i = 0; i < 20000; ++i) {
        double x = std::ldexp(mantissa(rng), exponent(rng));
        if (!(x > 0) || std::isinf(x)) continue;
        double s = std::sqrt(x);
        ASSERT_LE(std::fabs(GeomSqrt(x) - s), Ulp(s)) << x;
    }
}

// ---- Vectors ---------------------------------------------------------------

TEST(KernelVectorTest, PerpNormDistanceComplexMul) {
    EXPECT_EQ(Perp({3, 4}), CWorldPoint(-4, 3));
    EXPECT_EQ(Norm({3, 4}), 5.0);
    EXPECT_EQ(Distance({1, 1}, {4, 5}), 5.0);
    EXPECT_EQ(Distance({2, 2}, {2, 2}), 0.0);
    EXPECT_EQ(ComplexMul({1, 2}, {3, 4}), CWorldPoint(-5, 10));
    EXPECT_EQ(ComplexMul({1, 0}, {0, 1}), CWorldPoint(0, 1));
}

TEST(KernelVectorTest, PolarAngleStaysInHalfOpenTurn) {
    EXPECT_EQ(PolarAngle({1, 0}), 0.0);
    EXPECT_NEAR(PolarAngle({0, 1}), kPi / 2, kTol);
    EXPECT_NEAR(PolarAngle({-1, 0}), kPi, kTol);
    EXPECT_NEAR(PolarAngle({0, -1}), 3 * kPi / 2, kTol);
    EXPECT_NEAR(PolarAngle({1, -1}), 7 * kPi / 4, kTol);
    // atan2 gives -pi for a negative zero y.
    EXPECT_NEAR(PolarAngle({-1, -0.0}), kPi, kTol);
    // The exact angle is just below 2pi but rounds to it.
    double a = PolarAngle({1, -1e-300});
    EXPECT_GE(a, 0.0);
    EXPECT_LT(a, 2 * kPi);
}

TEST(KernelVectorTest, SignedAngleIsTheShorterTurn) {
    CWorldPoint o{1, 1};
    EXPECT_NEAR(SignedAngle(o, {2, 1}, {1, 2}), kPi / 2, kTol);
    EXPECT_NEAR(SignedAngle(o, {2, 1}, {1, 0}), -kPi / 2, kTol);
    EXPECT_NEAR(SignedAngle(o, {1, 0}, {2, 1.0001}), kPi / 2 + 1e-4, 1e-9);
    EXPECT_NEAR(SignedAngle(o, {2, 1}, {0, 1}), kPi, kTol);
    EXPECT_EQ(SignedAngle(o, {3, 1}, {5, 1}), 0.0);
}

TEST(KernelVectorTest, RotateAboutAndUnitStep) {
    EXPECT_POINT_NEAR(RotateAbout({2, 1}, {1, 1}, kPi / 2), 1, 2);
    EXPECT_POINT_NEAR(RotateAbout({2, 1}, {1, 1}, -kPi), 0, 1);
    EXPECT_POINT_NEAR(UnitStep(4), 0, 1);
    EXPECT_POINT_NEAR(UnitStep(6), 0.5, std::sqrt(3.0) / 2);
    EXPECT_POINT_NEAR(UnitStep(-4), 0, -1);
    EXPECT_EQ(UnitStep(0), CWorldPoint(1, 0));
}

TEST(KernelVectorTest, PointAlongAndUnitVector) {
    EXPECT_POINT_NEAR(PointAlong({1, 1}, {0, 0}, {3, 4}, 10), 7, 9);
    EXPECT_POINT_NEAR(PointAlong({1, 1}, {0, 0}, {3, 4}, -5), -2, -3);
    EXPECT_POINT_NEAR(UnitVector({1, 1}, {4, 5}), 0.6, 0.8);
    // A degenerate direction leaves f where it is and has no unit vector.
    EXPECT_EQ(PointAlong({1, 1}, {2, 2}, {2, 2}, 3), CWorldPoint(1, 1));
    EXPECT_EQ(UnitVector({2, 2}, {2, 2}), CWorldPoint(0, 0));
}

TEST(KernelVectorTest, DivideRatioExternalAndInternal) {
    CWorldPoint a{0, 0}, b{3, 0}, p = kSentinel;
    ASSERT_TRUE(DivideRatio(a, b, 0.5, p));
    EXPECT_POINT_NEAR(p, -3, 0);
    ASSERT_TRUE(DivideRatio(a, b, -0.5, p));
    EXPECT_POINT_NEAR(p, 1, 0);
    ASSERT_TRUE(DivideRatio(a, b, 2, p));
    EXPECT_POINT_NEAR(p, 6, 0);
    ASSERT_TRUE(DivideRatio(a, b, -1, p));
    EXPECT_POINT_NEAR(p, 1.5, 0);
    p = kSentinel;
    EXPECT_FALSE(DivideRatio(a, b, 1, p));
    EXPECT_FALSE(DivideRatio(a, b, 1 + 5e-9, p));
    EXPECT_EQ(p, kSentinel);
}

// ---- Lines -------------------------------------------------------------------

TEST(KernelLineTest, FootDistanceReflection) {
    CWorldPoint a{0, 0}, b{4, 0};
    EXPECT_POINT_NEAR(FootOfPerpendicular({1, 3}, a, b), 1, 0);
    EXPECT_POINT_NEAR(FootOfPerpendicular({-2, -5}, a, b), -2, 0);
    EXPECT_POINT_NEAR(FootOfPerpendicular({2, 0}, {0, 0}, {1, 1}), 1, 1);
    EXPECT_NEAR(DistanceToLine({1, 3}, a, b), 3, kTol);
    EXPECT_NEAR(DistanceToLine({0, 2}, {0, 0}, {1, 1}), std::sqrt(2.0), kTol);
    EXPECT_POINT_NEAR(ReflectInLine({1, 3}, a, b), 1, -3);
    EXPECT_POINT_NEAR(ReflectInLine({2, 0}, {0, 0}, {1, 1}), 0, 2);
    // A line given by one point twice collapses to that point.
    EXPECT_EQ(FootOfPerpendicular({5, 5}, {1, 2}, {1, 2}), CWorldPoint(1, 2));
    EXPECT_POINT_NEAR(ReflectInLine({5, 5}, {1, 2}, {1, 2}), -3, -1);
}

TEST(KernelLineTest, ObliqueProjection) {
    CWorldPoint q = kSentinel;
    ASSERT_TRUE(ObliqueProjection({3, 2}, {0, 0}, {1, 0}, {1, 1}, q));
    EXPECT_POINT_NEAR(q, 1, 0);
    ASSERT_TRUE(ObliqueProjection({5, 7}, {1, 1}, {1, 4}, {3, 1}, q));
    EXPECT_POINT_NEAR(q, 1, 7);
    q = kSentinel;
    EXPECT_FALSE(ObliqueProjection({3, 2}, {0, 0}, {1, 1}, {2, 2}, q));
    EXPECT_FALSE(ObliqueProjection({3, 2}, {0, 0}, {0, 0}, {2, 1}, q));
    EXPECT_EQ(q, kSentinel);
}

TEST(KernelLineTest, LineIntersection) {
    CWorldPoint q = kSentinel;
    ASSERT_TRUE(LineIntersection({0, 0}, {2, 2}, {0, 2}, {2, 0}, q));
    EXPECT_POINT_NEAR(q, 1, 1);
    ASSERT_TRUE(LineIntersection({0, 1}, {1, 1}, {5, -3}, {5, 8}, q));
    EXPECT_POINT_NEAR(q, 5, 1);
    q = kSentinel;
    EXPECT_FALSE(LineIntersection({0, 0}, {1, 1}, {0, 1}, {1, 2}, q));
    EXPECT_EQ(q, kSentinel);
}

TEST(KernelLineTest, ParallelTestIsOnTheRawCrossProduct) {
    // Perpendicular but short: cross product 5e-9, counted as parallel.
    CWorldPoint q = kSentinel;
    EXPECT_FALSE(LineIntersection({0, 0}, {5e-5, 0}, {1e-5, -5e-5}, {1e-5, 5e-5}, q));
    EXPECT_EQ(q, kSentinel);
    // Twice as long: cross product 2e-8, they meet.
    ASSERT_TRUE(LineIntersection({0, 0}, {1e-4, 0}, {1e-5, -1e-4}, {1e-5, 1e-4}, q));
    EXPECT_NEAR(q.x, 1e-5, 1e-18);
    EXPECT_NEAR(q.y, 0, 1e-18);
}

// ---- Circles -----------------------------------------------------------------

TEST(KernelCircleLineTest, ThroughTheCentreFirstOnTheSideOfB) {
    CWorldPoint p1 = kSentinel, p2 = kSentinel;
    ASSERT_EQ(CircleLineIntersection({1, 1}, 2, {-5, 1}, {5, 1}, p1, p2), 2);
    EXPECT_POINT_NEAR(p1, 3, 1);
    EXPECT_POINT_NEAR(p2, -1, 1);
    ASSERT_EQ(CircleLineIntersection({1, 1}, 2, {5, 1}, {-5, 1}, p1, p2), 2);
    EXPECT_POINT_NEAR(p1, -1, 1);
    EXPECT_POINT_NEAR(p2, 3, 1);
    // A slanted chord keeps the order along a to b.
    ASSERT_EQ(CircleLineIntersection({0, 0}, 5, {0, -3}, {-8, -3}, p1, p2), 2);
    EXPECT_POINT_NEAR(p1, -4, -3);
    EXPECT_POINT_NEAR(p2, 4, -3);
}

TEST(KernelCircleLineTest, TangentWithinTheThreshold) {
    CWorldPoint p1 = kSentinel, p2 = kSentinel;
    for (double y : {1 + 5e-9, 1 - 5e-9, -1 + 5e-9}) {
        ASSERT_EQ(CircleLineIntersection({0, 0}, 1, {-3, y}, {2, y}, p1, p2), 1) << y;
        EXPECT_EQ(p1.x, 0.0);
        EXPECT_EQ(p1.y, y);
        EXPECT_EQ(p2, p1);
    }
    p1 = p2 = kSentinel;
    EXPECT_EQ(CircleLineIntersection({0, 0}, 1, {-3, 1 + 2e-8}, {2, 1 + 2e-8}, p1, p2), 0);
    EXPECT_EQ(p1, kSentinel);
    EXPECT_EQ(p2, kSentinel);
    EXPECT_EQ(CircleLineIntersection({0, 0}, 1, {-3, 1 - 2e-8}, {2, 1 - 2e-8}, p1, p2), 2);
}

TEST(KernelCircleLineTest, DegenerateLineHasNoPoints) {
    CWorldPoint p1 = kSentinel, p2 = kSentinel;
    EXPECT_EQ(CircleLineIntersection({0, 0}, 1, {0.5, 0}, {0.5, 0}, p1, p2), 0);
    EXPECT_EQ(CircleLineIntersection({0, 0}, 1, {1, 0}, {1, 0}, p1, p2), 0);
    EXPECT_EQ(p1, kSentinel);
}

TEST(KernelTangentTest, TangentPointsFromOutsideOnAndInside) {
    CWorldPoint p1 = kSentinel, p2 = kSentinel;
    ASSERT_EQ(TangentPoints({2, 0}, {0, 0}, 1, p1, p2), 2);
    // First on the left of the direction from p to the centre.
    EXPECT_POINT_NEAR(p1, 0.5, -std::sqrt(3.0) / 2);
    EXPECT_POINT_NEAR(p2, 0.5, std::sqrt(3.0) / 2);
    ASSERT_EQ(TangentPoints({1, 6}, {1, 1}, 3, p1, p2), 2);
    EXPECT_POINT_NEAR(p1, 1 + 2.4, 1 + 1.8);
    EXPECT_POINT_NEAR(p2, 1 - 2.4, 1 + 1.8);
    // A zero radius touches at the centre.
    ASSERT_EQ(TangentPoints({3, 4}, {1, 1}, 0, p1, p2), 2);
    EXPECT_POINT_NEAR(p1, 1, 1);

    ASSERT_EQ(TangentPoints({0, 5}, {0, 0}, 5, p1, p2), 1);
    EXPECT_EQ(p1, CWorldPoint(0, 5));
    EXPECT_EQ(p2, CWorldPoint(0, 5));

    p1 = p2 = kSentinel;
    EXPECT_EQ(TangentPoints({0, 5 - 1e-12}, {0, 0}, 5, p1, p2), 0);
    EXPECT_EQ(TangentPoints({0, 0}, {0, 0}, 5, p1, p2), 0);
    EXPECT_EQ(TangentPoints({0, 0}, {0, 0}, -5, p1, p2), 0);
    EXPECT_EQ(p1, kSentinel);
    EXPECT_EQ(p2, kSentinel);
}

TEST(KernelTangentTest, TangentLineAt) {
    CWorldPoint p1 = kSentinel, p2 = kSentinel;
    ASSERT_EQ(TangentLineAt({3, 4}, {0, 0}, 10, p1, p2), 2);
    EXPECT_POINT_NEAR(p1, 6, 8);
    EXPECT_POINT_NEAR(p2, -2, 14);
    ASSERT_EQ(TangentLineAt({1, -5}, {1, 1}, 2, p1, p2), 2);
    EXPECT_POINT_NEAR(p1, 1, -1);
    EXPECT_POINT_NEAR(p2, 3, -1);
    p1 = p2 = kSentinel;
    EXPECT_EQ(TangentLineAt({1, 1}, {1, 1}, 2, p1, p2), 0);
    EXPECT_EQ(TangentLineAt({1 + 5e-9, 1}, {1, 1}, 2, p1, p2), 0);
    EXPECT_EQ(TangentLineAt({3, 4}, {0, 0}, 0, p1, p2), 0);
    EXPECT_EQ(p1, kSentinel);
}

TEST(KernelCircleTest, CircleThroughThreePoints) {
    CWorldPoint m = kSentinel;
    double r = -1;
    ASSERT_TRUE(CircleThrough3Points({0, 0}, {2, 0}, {0, 2}, m, r));
    EXPECT_POINT_NEAR(m, 1, 1);
    EXPECT_NEAR(r, std::sqrt(2.0), kTol);
    ASSERT_TRUE(CircleThrough3Points({6, 1}, {1, 6}, {-4, 1}, m, r));
    EXPECT_POINT_NEAR(m, 1, 1);
    EXPECT_NEAR(r, 5, kTol);

    m = kSentinel;
    r = -1;
    EXPECT_FALSE(CircleThrough3Points({0, 0}, {1, 1}, {3, 3}, m, r));
    EXPECT_FALSE(CircleThrough3Points({0, 0}, {0, 0}, {3, 1}, m, r));
    EXPECT_FALSE(CircleThrough3Points({2, 2}, {2, 2}, {2, 2}, m, r));
    EXPECT_EQ(m, kSentinel);
    EXPECT_EQ(r, -1);
}

TEST(KernelCircleTest, NearestPointDistanceAndIncidence) {
    EXPECT_POINT_NEAR(NearestPointOnCircle({4, 5}, {1, 1}, 10), 7, 9);
    EXPECT_POINT_NEAR(NearestPointOnCircle({1.5, 1}, {1, 1}, 2), 3, 1);
    // From the centre every point is nearest; the one at angle 0 is given.
    EXPECT_EQ(NearestPointOnCircle({1, 1}, {1, 1}, 2), CWorldPoint(3, 1));
    EXPECT_NEAR(DistanceToCircle({4, 5}, {1, 1}, 2), 3, kTol);
    EXPECT_NEAR(DistanceToCircle({1, 1}, {1, 1}, 2), 2, kTol);
    EXPECT_TRUE(LiesOnCircle({3, 1 + 5e-9}, {1, 1}, 2));
    EXPECT_TRUE(LiesOnCircle({1, 3 - 5e-9}, {1, 1}, 2));
    EXPECT_FALSE(LiesOnCircle({1, 3 + 2e-8}, {1, 1}, 2));
}

TEST(KernelRadicalAxisTest, FromTheLargerCircle) {
    CWorldPoint f = kSentinel, g = kSentinel;
    ASSERT_TRUE(RadicalAxis({0, 0}, 3, {5, 0}, 4, f, g));
    EXPECT_POINT_NEAR(f, 1.8, 0);
    EXPECT_POINT_NEAR(g, 1.8, -5);
    CWorldPoint f2, g2;
    ASSERT_TRUE(RadicalAxis({5, 0}, 4, {0, 0}, 3, f2, g2));
    EXPECT_EQ(f2, f);
    EXPECT_EQ(g2, g);
}

TEST(KernelRadicalAxisTest, SymmetricAndThroughTheMidpointForEqualRadii) {
    CWorldPoint c1{1, 2}, c2{5, 6};
    CWorldPoint f1, g1, f2, g2;
    ASSERT_TRUE(RadicalAxis(c1, 3, c2, 3, f1, g1));
    ASSERT_TRUE(RadicalAxis(c2, 3, c1, 3, f2, g2));
    EXPECT_POINT_NEAR(f1, 3, 4);
    EXPECT_POINT_NEAR(f2, 3, 4);
    // The same line: each defining point lies on the other axis.
    EXPECT_NEAR(DistanceToLine(g2, f1, g1), 0, kTol);
    EXPECT_NEAR(DistanceToLine(g1, f2, g2), 0, kTol);
    // Perpendicular to the line of centres.
    EXPECT_NEAR((g1 - f1).Dot(c2 - c1), 0, kTol);
}

TEST(KernelRadicalAxisTest, ConcentricHasNone) {
    CWorldPoint f = kSentinel, g = kSentinel;
    EXPECT_FALSE(RadicalAxis({1, 1}, 3, {1, 1}, 4, f, g));
    EXPECT_FALSE(RadicalAxis({1, 1}, 3, {1 + 5e-9, 1 - 5e-9}, 4, f, g));
    EXPECT_EQ(f, kSentinel);
    EXPECT_EQ(g, kSentinel);
}

TEST(KernelCircleCircleTest, CountsAndOrder) {
    CWorldPoint p1 = kSentinel, p2 = kSentinel;
    ASSERT_EQ(CircleCircleIntersection({0, 0}, 3, {5, 0}, 4, p1, p2), 2);
    // First on the side of the axis' second point, (1.8, -5).
    EXPECT_POINT_NEAR(p1, 1.8, -2.4);
    EXPECT_POINT_NEAR(p2, 1.8, 2.4);
    ASSERT_EQ(CircleCircleIntersection({0, 0}, 1, {3, 0}, 2, p1, p2), 1);
    EXPECT_POINT_NEAR(p1, 1, 0);
    ASSERT_EQ(CircleCircleIntersection({0, 0}, 3, {1, 0}, 2, p1, p2), 1);
    EXPECT_POINT_NEAR(p1, 3, 0);
    p1 = p2 = kSentinel;
    EXPECT_EQ(CircleCircleIntersection({0, 0}, 1, {5, 0}, 2, p1, p2), 0);
    EXPECT_EQ(CircleCircleIntersection({0, 0}, 5, {1, 0}, 1, p1, p2), 0);
    EXPECT_EQ(CircleCircleIntersection({0, 0}, 1, {0, 0}, 1, p1, p2), 0);
    EXPECT_EQ(p1, kSentinel);
}

TEST(KernelApollonianTest, CentreAndRadius) {
    CWorldPoint m = kSentinel;
    double r = -1;
    ASSERT_TRUE(ApollonianCircle({0, 0}, {3, 0}, 0.5, m, r));
    EXPECT_POINT_NEAR(m, -1, 0);
    EXPECT_NEAR(r, 2, kTol);
    ASSERT_TRUE(ApollonianCircle({1, 1}, {1, 4}, 2, m, r));
    // Every point of the circle sees the ratio 2.
    for (double t = 0; t < 6; t += 0.7) {
        CWorldPoint x = m + CWorldPoint(std::cos(t), std::sin(t)) * r;
        EXPECT_NEAR(Distance(x, {1, 1}) / Distance(x, {1, 4}), 2, 1e-12);
    }
    m = kSentinel;
    r = -1;
    EXPECT_FALSE(ApollonianCircle({0, 0}, {3, 0}, 1, m, r));
    EXPECT_FALSE(ApollonianCircle({0, 0}, {3, 0}, 1 - 5e-9, m, r));
    EXPECT_FALSE(ApollonianCircle({0, 0}, {3, 0}, -1, m, r));
    EXPECT_EQ(m, kSentinel);
    EXPECT_EQ(r, -1);
}

// ---- Inversion -----------------------------------------------------------------

TEST(KernelInversionTest, InvertPoint) {
    CWorldPoint q = kSentinel;
    ASSERT_TRUE(InvertPoint({2, 0}, {0, 0}, -2, q));
    EXPECT_POINT_NEAR(q, -2, 0);
    ASSERT_TRUE(InvertPoint({2, 0}, {0, 0}, 2, q));
    EXPECT_POINT_NEAR(q, 2, 0);
    ASSERT_TRUE(InvertPoint({1, 3}, {1, 1}, 4, q));
    EXPECT_POINT_NEAR(q, 1, 9);
    ASSERT_TRUE(InvertPoint({1, 3}, {1, 1}, -4, q));
    EXPECT_POINT_NEAR(q, 1, -7);
    // An involution.
    CWorldPoint back;
    ASSERT_TRUE(InvertPoint({3.5, -0.25}, {1, 2}, -1.5, q));
    ASSERT_TRUE(InvertPoint(q, {1, 2}, -1.5, back));
    EXPECT_POINT_NEAR(back, 3.5, -0.25);

    q = kSentinel;
    EXPECT_FALSE(InvertPoint({1, 1}, {1, 1}, 2, q));
    EXPECT_FALSE(InvertPoint({1 + 5e-9, 1}, {1, 1}, 2, q));
    // The image would lie beyond the range of doubles.
    EXPECT_FALSE(InvertPoint({1e-7, 0}, {0, 0}, 1e160, q));
    EXPECT_EQ(q, kSentinel);
}

TEST(KernelInversionTest, InvertCircle) {
    CWorldPoint m = kSentinel;
    double r = -1;
    ASSERT_TRUE(InvertCircle({3, 0}, 1, {0, 0}, 2, m, r));
    EXPECT_POINT_NEAR(m, 1.5, 0);
    EXPECT_NEAR(r, 0.5, kTol);
    ASSERT_TRUE(InvertCircle({1, 1}, 2, {1, 1}, 4, m, r));
    EXPECT_EQ(m, CWorldPoint(1, 1));
    EXPECT_EQ(r, 8.0);
    // Points of the circle map onto the image circle.
    ASSERT_TRUE(InvertCircle({2, 3}, 1.5, {-1, 0.5}, 2.5, m, r));
    for (double t = 0; t < 6; t += 0.5) {
        CWorldPoint x = CWorldPoint(2, 3) + CWorldPoint(std::cos(t), std::sin(t)) * 1.5;
        CWorldPoint y;
        ASSERT_TRUE(InvertPoint(x, {-1, 0.5}, 2.5, y));
        EXPECT_NEAR(Distance(y, m), r, 1e-12);
    }
    m = kSentinel;
    r = -1;
    EXPECT_FALSE(InvertCircle({1, 1}, 0, {1, 1}, 4, m, r));
    EXPECT_FALSE(InvertCircle({3, 0}, 3, {0, 0}, 2, m, r));
    EXPECT_EQ(m, kSentinel);
    EXPECT_EQ(r, -1);
}

TEST(KernelInversionTest, InvertCircleThroughCentreGivesALine) {
    CWorldPoint e = kSentinel, g = kSentinel;
    ASSERT_TRUE(InvertCircleThroughCentre({1, 0}, {0, 0}, 2, e, g));
    EXPECT_POINT_NEAR(e, 2, 0);
    EXPECT_POINT_NEAR(g, 2, 2);
    ASSERT_TRUE(InvertCircleThroughCentre({1, 3}, {1, 1}, -4, e, g));
    EXPECT_POINT_NEAR(e, 1, -3);
    EXPECT_POINT_NEAR(g, -3, -3);
    e = g = kSentinel;
    EXPECT_FALSE(InvertCircleThroughCentre({1, 1}, {1, 1}, 2, e, g));
    EXPECT_EQ(e, kSentinel);
}

TEST(KernelInversionTest, InvertLineGivesACircleThroughTheCentre) {
    CWorldPoint m = kSentinel;
    double r = -1;
    ASSERT_TRUE(InvertLine({2, -1}, {2, 5}, {0, 0}, 2, m, r));
    EXPECT_POINT_NEAR(m, 1, 0);
    EXPECT_NEAR(r, 1, kTol);
    ASSERT_TRUE(InvertLine({2, -1}, {2, 5}, {0, 0}, -2, m, r));
    EXPECT_POINT_NEAR(m, -1, 0);
    m = kSentinel;
    r = -1;
    EXPECT_FALSE(InvertLine({-1, -1}, {1, 1}, {0, 0}, 2, m, r));
    EXPECT_FALSE(InvertLine({2, 2}, {2, 2}, {0, 0}, 2, m, r));
    EXPECT_EQ(m, kSentinel);
    EXPECT_EQ(r, -1);
}

// ---- Randomised sweep -----------------------------------------------------------

// Inputs drawn to hit the degenerate cases: coincident and nearly coincident
// points, collinear triples, zero and threshold-sized radii, ratios of 1, and
// magnitudes from 1e-300 up to maxExp.
class Inputs {
public:
    Inputs(unsigned seed, int maxExp) : m_rng(seed), m_maxExp(maxExp) {}

    double Scalar() {
        switch (Pick(8)) {
            case 0:
                return Uniform(-10, 10);
            case 1:
                return 0.0;
            case 2:
                return double(Pick(7)) - 3;
            case 3:
                return Sign() * std::pow(10.0, Uniform(-300, -9));
            case 4:
                return Sign() * std::pow(10.0, Uniform(6, m_maxExp));
            case 5:
                return Sign() * (1 + Uniform(-2e-8, 2e-8));
            case 6:
                return Uniform(-2e-8, 2e-8);
            default:
                return Sign() * std::pow(10.0, Uniform(-9, 9));
        }
    }

    CWorldPoint Point() {
        CWorldPoint p;
        switch (Pick(7)) {
            case 0:
            case 1:
                p = {Scalar(), Scalar()};
                break;
            case 2:
                p = Recent();
                break;
            case 3:
                p = Recent() + CWorldPoint(Uniform(-2e-8, 2e-8), Uniform(-2e-8, 2e-8));
                break;
            case 4: {
                CWorldPoint a = Recent(), b = Recent();
                p = a + (b - a) * Scalar();
                break;
            }
            case 5:
                p = {Uniform(-10, 10), Uniform(-10, 10)};
                break;
            default:
                p = Recent() * Scalar();
                break;
        }
        double limit = std::pow(10.0, m_maxExp);
        if (!(std::fabs(p.x) <= limit && std::fabs(p.y) <= limit))
            p = {Uniform(-10, 10), Uniform(-10, 10)};
        m_recent[m_next++ % 4] = p;
        return p;
    }

    double Angle() { return Pick(2) ? Uniform(-7, 7) : Scalar(); }
    int Sides() { return Pick(21) - 10; }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    double Uniform(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(m_rng);
    }
    double Sign() { return Pick(2) ? 1.0 : -1.0; }
    CWorldPoint Recent() { return m_recent[Pick(4)]; }

    std::mt19937 m_rng;
    int m_maxExp;
    CWorldPoint m_recent[4] = {{0, 0}, {1, 0}, {0, 1}, {3, 4}};
    int m_next = 0;
};

struct Sweep {
    int failures = 0;
    std::string first;

    void Check(bool ok, const char* what, int iteration) {
        if (ok) return;
        if (failures++ == 0)
            first = std::string(what) + " at iteration " + std::to_string(iteration);
    }
};

bool Finite(const CWorldPoint& p) {
    return IsFinitePoint(p);
}

// Functions answering with a count or a bool: a success carries finite
// results, a failure leaves the out-parameters alone.
void SweepSolvers(Inputs& in, Sweep& s, int i) {
    CWorldPoint a = in.Point(), b = in.Point(), c = in.Point(), p = in.Point();
    double r1 = in.Scalar(), r2 = in.Scalar(), k = in.Scalar();

    auto point = [&](bool ok, const CWorldPoint& q, const char* what) {
        s.Check(ok ? Finite(q) : q == kSentinel, what, i);
    };
    auto count = [&](int n, int maxCount, const CWorldPoint& q1, const CWorldPoint& q2,
                     const char* what) {
        bool ok = n >= 0 && n <= maxCount;
        ok = ok && (n > 0 ? Finite(q1) && Finite(q2) : q1 == kSentinel && q2 == kSentinel);
        s.Check(ok, what, i);
    };
    auto circle = [&](bool ok, const CWorldPoint& m, double r, const char* what) {
        s.Check(ok ? Finite(m) && std::isfinite(r) : m == kSentinel && r == -1, what, i);
    };

    CWorldPoint q = kSentinel, q2 = kSentinel;
    double r = -1;
    point(DivideRatio(a, b, k, q), q, "DivideRatio");
    q = kSentinel;
    point(ObliqueProjection(p, a, b, c, q), q, "ObliqueProjection");
    q = kSentinel;
    point(LineIntersection(a, b, c, p, q), q, "LineIntersection");
    q = kSentinel;
    point(InvertPoint(p, c, k, q), q, "InvertPoint");

    q = q2 = kSentinel;
    count(CircleLineIntersection(c, r1, a, b, q, q2), 2, q, q2, "CircleLineIntersection");
    q = q2 = kSentinel;
    count(TangentPoints(p, c, r1, q, q2), 2, q, q2, "TangentPoints");
    q = q2 = kSentinel;
    int n = TangentLineAt(p, c, r1, q, q2);
    count(n, 2, q, q2, "TangentLineAt");
    s.Check(n != 1, "TangentLineAt count", i);
    q = q2 = kSentinel;
    count(CircleCircleIntersection(a, r1, b, r2, q, q2), 2, q, q2, "CircleCircleIntersection");
    q = q2 = kSentinel;
    count(RadicalAxis(a, r1, b, r2, q, q2) ? 2 : 0, 2, q, q2, "RadicalAxis");
    q = q2 = kSentinel;
    count(InvertCircleThroughCentre(c, p, k, q, q2) ? 2 : 0, 2, q, q2, "InvertCircleThroughCentre");

    q = kSentinel;
    r = -1;
    circle(CircleThrough3Points(a, b, c, q, r), q, r, "CircleThrough3Points");
    q = kSentinel;
    r = -1;
    circle(ApollonianCircle(a, b, k, q, r), q, r, "ApollonianCircle");
    q = kSentinel;
    r = -1;
    circle(InvertCircle(c, r1, p, k, q, r), q, r, "InvertCircle");
    q = kSentinel;
    r = -1;
    circle(InvertLine(a, b, p, k, q, r), q, r, "InvertLine");
}

// Functions answering with a value directly.
void SweepValues(Inputs& in, Sweep& s, int i) {
    CWorldPoint a = in.Point(), b = in.Point(), c = in.Point(), p = in.Point();
    double h = in.Scalar();
    s.Check(std::isfinite(Norm(p)), "Norm", i);
    s.Check(std::isfinite(Distance(a, b)), "Distance", i);
    double polar = PolarAngle(p - a);
    s.Check(polar >= 0 && polar < 2 * kPi, "PolarAngle range", i);
    double turn = SignedAngle(a, b, p);
    s.Check(turn >= -kPi && turn <= kPi, "SignedAngle range", i);
    s.Check(Finite(RotateAbout(p, c, in.Angle())), "RotateAbout", i);
    s.Check(Finite(UnitStep(in.Sides())), "UnitStep", i);
    s.Check(Finite(PointAlong(p, a, b, h)), "PointAlong", i);
    CWorldPoint u = UnitVector(a, b);
    s.Check(Finite(u) && Norm(u) < 1 + 1e-12, "UnitVector", i);
    s.Check(Finite(ComplexMul(a, b)), "ComplexMul", i);
    s.Check(Finite(FootOfPerpendicular(p, a, b)), "FootOfPerpendicular", i);
    s.Check(std::isfinite(DistanceToLine(p, a, b)), "DistanceToLine", i);
    s.Check(Finite(ReflectInLine(p, a, b)), "ReflectInLine", i);
    s.Check(Finite(NearestPointOnCircle(p, c, h)), "NearestPointOnCircle", i);
    s.Check(std::isfinite(DistanceToCircle(p, c, h)), "DistanceToCircle", i);
}

TEST(KernelPropertyTest, FiniteInputGivesFiniteOutput) {
    Inputs in(7311, 100);
    Sweep s;
    for (int i = 0; i < 200000; ++i) {
        SweepSolvers(in, s, i);
        SweepValues(in, s, i);
    }
    EXPECT_EQ(s.failures, 0) << "first: " << s.first;
}

TEST(KernelPropertyTest, SolversNeverSucceedWithNonFiniteResultsAtAnyMagnitude) {
    Inputs in(90210, 300);
    Sweep s;
    for (int i = 0; i < 200000; ++i) SweepSolvers(in, s, i);
    EXPECT_EQ(s.failures, 0) << "first: " << s.first;
}

// Moderate random configurations keep their defining properties, so the sweep
// above is not satisfied by answering "no solution" everywhere.
TEST(KernelPropertyTest, SolutionsSatisfyTheirDefinitions) {
    std::mt19937 rng(4242);
    std::uniform_real_distribution<double> coord(-10, 10), radius(0.5, 6);
    int lineHits = 0, tangentHits = 0, circleHits = 0;
    for (int i = 0; i < 5000; ++i) {
        CWorldPoint a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)}, c{coord(rng), coord(rng)};
        CWorldPoint c2{coord(rng), coord(rng)};
        double r = radius(rng), r2 = radius(rng);
        CWorldPoint p1, p2;
        if (CircleLineIntersection(c, r, a, b, p1, p2) == 2) {
            ++lineHits;
            ASSERT_NEAR(Distance(p1, c), r, 1e-9);
            ASSERT_NEAR(Distance(p2, c), r, 1e-9);
            ASSERT_NEAR(DistanceToLine(p1, a, b), 0, 1e-9);
            ASSERT_GT((p1 - p2).Dot(b - a), 0);
        }
        if (TangentPoints(a, c, r, p1, p2) == 2) {
            ++tangentHits;
            ASSERT_NEAR(Distance(p1, c), r, 1e-9);
            ASSERT_NEAR((p1 - c).Dot(p1 - a), 0, 1e-8);
            ASSERT_NEAR((p2 - c).Dot(p2 - a), 0, 1e-8);
            ASSERT_GT((c - a).Cross(p1 - a), 0);
        }
        if (CircleCircleIntersection(c, r, c2, r2, p1, p2) == 2) {
            ++circleHits;
            ASSERT_NEAR(Distance(p1, c), r, 1e-9);
            ASSERT_NEAR(Distance(p1, c2), r2, 1e-9);
            ASSERT_NEAR(Distance(p2, c2), r2, 1e-9);
        }
        CWorldPoint m;
        double rr;
        if (CircleThrough3Points(a, b, c, m, rr)) {
            ASSERT_NEAR(Distance(m, b), rr, 1e-6 * (1 + rr));
            ASSERT_NEAR(Distance(m, c), rr, 1e-6 * (1 + rr));
        }
    }
    EXPECT_GT(lineHits, 500);
    EXPECT_GT(tangentHits, 500);
    EXPECT_GT(circleHits, 500);
}

}  // namespace
}  // namespace gyr
