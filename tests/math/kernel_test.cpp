// The geometry kernel: exact values and result order per function, the
// thresholds at their edges, the square root over the whole double range, and
// a randomised sweep proving that finite input never gives non-finite output.

#include "math/kernel.h"

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

double Ulp(double v) {
    return std::nextafter(v, INFINITY) - v;
}

TEST(GeomSqrtTest, NonPositiveAndNaNGiveZeroTheRestIsWithinOneUlp) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double x : {-4.0, 0.0, -0.0, -DBL_MAX, -double(INFINITY), nan, -nan}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(GeomSqrt(x), 0.0);
        EXPECT_FALSE(std::signbit(GeomSqrt(x)));
    }
    EXPECT_EQ(GeomSqrt(4.0), 2.0);
    EXPECT_EQ(GeomSqrt(INFINITY), INFINITY);
    // An absolute stopping test alone would answer about 1e-24 for the tiny ones.
    for (double x : {2.0, 1e10, DBL_MAX, DBL_MIN, DBL_TRUE_MIN, 1e-320, 3e-24, 1e-60, 1e-300})
        EXPECT_LE(std::fabs(GeomSqrt(x) - std::sqrt(x)), Ulp(std::sqrt(x))) << x;
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> exponent(-1074, 1023);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    for (int i = 0; i < 2000; ++i) {
        double x = std::ldexp(mantissa(rng), exponent(rng));
        if (!(x > 0) || std::isinf(x)) continue;
        ASSERT_LE(std::fabs(GeomSqrt(x) - std::sqrt(x)), Ulp(std::sqrt(x))) << x;
    }
}

TEST(KernelVectorTest, AnglesStepsAndRatios) {
    EXPECT_EQ(Perp({3, 4}), CWorldPoint(-4, 3));
    EXPECT_EQ(ComplexMul({1, 2}, {3, 4}), CWorldPoint(-5, 10));
    EXPECT_NEAR(PolarAngle({0, -1}), 3 * kPi / 2, kTol);
    EXPECT_NEAR(PolarAngle({-1, -0.0}), kPi, kTol);  // atan2 gives -pi here
    double a = PolarAngle({1, -1e-300});             // just below 2pi but rounds to it
    EXPECT_GE(a, 0.0);
    EXPECT_LT(a, 2 * kPi);
    CWorldPoint o{1, 1};
    EXPECT_NEAR(SignedAngle(o, {2, 1}, {1, 0}), -kPi / 2, kTol);
    EXPECT_NEAR(SignedAngle(o, {2, 1}, {0, 1}), kPi, kTol);
    EXPECT_POINT_NEAR(RotateAbout({2, 1}, {1, 1}, kPi / 2), 1, 2);
    EXPECT_POINT_NEAR(UnitStep(6), 0.5, std::sqrt(3.0) / 2);
    EXPECT_EQ(UnitStep(0), CWorldPoint(1, 0));
    EXPECT_POINT_NEAR(PointAlong({1, 1}, {0, 0}, {3, 4}, -5), -2, -3);
    // A degenerate direction leaves f where it is and has no unit vector.
    EXPECT_EQ(PointAlong({1, 1}, {2, 2}, {2, 2}, 3), CWorldPoint(1, 1));
    EXPECT_EQ(UnitVector({2, 2}, {2, 2}), CWorldPoint(0, 0));

    CWorldPoint p = kSentinel;
    ASSERT_TRUE(DivideRatio({0, 0}, {3, 0}, 0.5, p));  // external
    EXPECT_POINT_NEAR(p, -3, 0);
    ASSERT_TRUE(DivideRatio({0, 0}, {3, 0}, -1, p));  // internal
    EXPECT_POINT_NEAR(p, 1.5, 0);
    p = kSentinel;
    EXPECT_FALSE(DivideRatio({0, 0}, {3, 0}, 1 + 5e-9, p));
    EXPECT_EQ(p, kSentinel);
}

TEST(KernelLineTest, ProjectionsAndIntersections) {
    EXPECT_POINT_NEAR(FootOfPerpendicular({2, 0}, {0, 0}, {1, 1}), 1, 1);
    EXPECT_NEAR(DistanceToLine({0, 2}, {0, 0}, {1, 1}), std::sqrt(2.0), kTol);
    EXPECT_POINT_NEAR(ReflectInLine({2, 0}, {0, 0}, {1, 1}), 0, 2);
    // A line given by one point twice collapses to that point.
    EXPECT_EQ(FootOfPerpendicular({5, 5}, {1, 2}, {1, 2}), CWorldPoint(1, 2));
    EXPECT_POINT_NEAR(ReflectInLine({5, 5}, {1, 2}, {1, 2}), -3, -1);

    CWorldPoint q = kSentinel;
    ASSERT_TRUE(ObliqueProjection({5, 7}, {1, 1}, {1, 4}, {3, 1}, q));
    EXPECT_POINT_NEAR(q, 1, 7);
    q = kSentinel;
    EXPECT_FALSE(ObliqueProjection({3, 2}, {0, 0}, {1, 1}, {2, 2}, q));
    EXPECT_FALSE(ObliqueProjection({3, 2}, {0, 0}, {0, 0}, {2, 1}, q));
    EXPECT_EQ(q, kSentinel);

    ASSERT_TRUE(LineIntersection({0, 1}, {1, 1}, {5, -3}, {5, 8}, q));
    EXPECT_POINT_NEAR(q, 5, 1);
    q = kSentinel;
    EXPECT_FALSE(LineIntersection({0, 0}, {1, 1}, {0, 1}, {1, 2}, q));
    // Perpendicular but short: cross product 5e-9, counted as parallel.
    EXPECT_FALSE(LineIntersection({0, 0}, {5e-5, 0}, {1e-5, -5e-5}, {1e-5, 5e-5}, q));
    EXPECT_EQ(q, kSentinel);
    // Twice as long: cross product 2e-8, they meet.
    ASSERT_TRUE(LineIntersection({0, 0}, {1e-4, 0}, {1e-5, -1e-4}, {1e-5, 1e-4}, q));
    EXPECT_NEAR(q.x, 1e-5, 1e-18);
    EXPECT_NEAR(q.y, 0, 1e-18);
}

TEST(KernelCircleLineTest, ThroughTheCentreTangentAndDegenerate) {
    CWorldPoint p1 = kSentinel, p2 = kSentinel;
    // Through the centre: the first point on the side of b.
    ASSERT_EQ(CircleLineIntersection({1, 1}, 2, {-5, 1}, {5, 1}, p1, p2), 2);
    EXPECT_POINT_NEAR(p1, 3, 1);
    EXPECT_POINT_NEAR(p2, -1, 1);
    ASSERT_EQ(CircleLineIntersection({1, 1}, 2, {5, 1}, {-5, 1}, p1, p2), 2);
    EXPECT_POINT_NEAR(p1, -1, 1);
    // Tangent within the threshold, at r + 5e-9 and r - 5e-9.
    for (double y : {1 + 5e-9, 1 - 5e-9, -1 + 5e-9}) {
        SCOPED_TRACE(y);
        ASSERT_EQ(CircleLineIntersection({0, 0}, 1, {-3, y}, {2, y}, p1, p2), 1);
        EXPECT_EQ(p1, CWorldPoint(0, y));
        EXPECT_EQ(p2, p1);
    }
    p1 = p2 = kSentinel;
    EXPECT_EQ(CircleLineIntersection({0, 0}, 1, {-3, 1 + 2e-8}, {2, 1 + 2e-8}, p1, p2), 0);
    EXPECT_EQ(CircleLineIntersection({0, 0}, 1, {0.5, 0}, {0.5, 0}, p1, p2), 0);
    EXPECT_EQ(p1, kSentinel);
    EXPECT_EQ(p2, kSentinel);
    EXPECT_EQ(CircleLineIntersection({0, 0}, 1, {-3, 1 - 2e-8}, {2, 1 - 2e-8}, p1, p2), 2);
}

TEST(KernelTangentTest, TangentPointsAndTangentLine) {
    CWorldPoint p1 = kSentinel, p2 = kSentinel;
    ASSERT_EQ(TangentPoints({2, 0}, {0, 0}, 1, p1, p2), 2);
    // First on the left of the direction from p to the centre.
    EXPECT_POINT_NEAR(p1, 0.5, -std::sqrt(3.0) / 2);
    EXPECT_POINT_NEAR(p2, 0.5, std::sqrt(3.0) / 2);
    ASSERT_EQ(TangentPoints({0, 5}, {0, 0}, 5, p1, p2), 1);  // on the circle
    EXPECT_EQ(p1, CWorldPoint(0, 5));
    EXPECT_EQ(p2, CWorldPoint(0, 5));
    p1 = p2 = kSentinel;
    EXPECT_EQ(TangentPoints({0, 5 - 1e-12}, {0, 0}, 5, p1, p2), 0);  // 1e-12 inside
    EXPECT_EQ(TangentPoints({0, 0}, {0, 0}, -5, p1, p2), 0);
    EXPECT_EQ(p1, kSentinel);
    EXPECT_EQ(p2, kSentinel);

    ASSERT_EQ(TangentLineAt({1, -5}, {1, 1}, 2, p1, p2), 2);
    EXPECT_POINT_NEAR(p1, 1, -1);
    EXPECT_POINT_NEAR(p2, 3, -1);
    p1 = p2 = kSentinel;
    EXPECT_EQ(TangentLineAt({1 + 5e-9, 1}, {1, 1}, 2, p1, p2), 0);
    EXPECT_EQ(TangentLineAt({3, 4}, {0, 0}, 0, p1, p2), 0);
    EXPECT_EQ(p1, kSentinel);
}

TEST(KernelCircleTest, ThreePointsNearestPointAndIncidence) {
    CWorldPoint m = kSentinel;
    double r = -1;
    ASSERT_TRUE(CircleThrough3Points({6, 1}, {1, 6}, {-4, 1}, m, r));
    EXPECT_POINT_NEAR(m, 1, 1);
    EXPECT_NEAR(r, 5, kTol);
    m = kSentinel;
    r = -1;
    EXPECT_FALSE(CircleThrough3Points({0, 0}, {1, 1}, {3, 3}, m, r));
    EXPECT_FALSE(CircleThrough3Points({0, 0}, {0, 0}, {3, 1}, m, r));
    EXPECT_EQ(m, kSentinel);
    EXPECT_EQ(r, -1);

    EXPECT_POINT_NEAR(NearestPointOnCircle({1.5, 1}, {1, 1}, 2), 3, 1);
    // From the centre every point is nearest; the one at angle 0 is given.
    EXPECT_EQ(NearestPointOnCircle({1, 1}, {1, 1}, 2), CWorldPoint(3, 1));
    EXPECT_NEAR(DistanceToCircle({1, 1}, {1, 1}, 2), 2, kTol);
    EXPECT_TRUE(LiesOnCircle({1, 3 - 5e-9}, {1, 1}, 2));
    EXPECT_FALSE(LiesOnCircle({1, 3 + 2e-8}, {1, 1}, 2));
}

TEST(KernelRadicalAxisTest, FromTheLargerCircleSymmetricAndNoneWhenConcentric) {
    CWorldPoint f = kSentinel, g = kSentinel, f2, g2;
    ASSERT_TRUE(RadicalAxis({0, 0}, 3, {5, 0}, 4, f, g));
    EXPECT_POINT_NEAR(f, 1.8, 0);
    EXPECT_POINT_NEAR(g, 1.8, -5);
    ASSERT_TRUE(RadicalAxis({5, 0}, 4, {0, 0}, 3, f2, g2));
    EXPECT_EQ(f2, f);
    EXPECT_EQ(g2, g);
    // Equal radii: through the midpoint, the same line whichever comes first.
    CWorldPoint c1{1, 2}, c2{5, 6}, f1, g1;
    ASSERT_TRUE(RadicalAxis(c1, 3, c2, 3, f1, g1));
    ASSERT_TRUE(RadicalAxis(c2, 3, c1, 3, f2, g2));
    EXPECT_POINT_NEAR(f1, 3, 4);
    EXPECT_POINT_NEAR(f2, 3, 4);
    EXPECT_NEAR(DistanceToLine(g2, f1, g1), 0, kTol);
    EXPECT_NEAR(DistanceToLine(g1, f2, g2), 0, kTol);
    EXPECT_NEAR((g1 - f1).Dot(c2 - c1), 0, kTol);
    f = g = kSentinel;
    EXPECT_FALSE(RadicalAxis({1, 1}, 3, {1 + 5e-9, 1 - 5e-9}, 4, f, g));
    EXPECT_EQ(f, kSentinel);
    EXPECT_EQ(g, kSentinel);
}

TEST(KernelCircleTest, CircleCircleAndApollonian) {
    CWorldPoint p1 = kSentinel, p2 = kSentinel;
    ASSERT_EQ(CircleCircleIntersection({0, 0}, 3, {5, 0}, 4, p1, p2), 2);
    // First on the side of the axis' second point, (1.8, -5).
    EXPECT_POINT_NEAR(p1, 1.8, -2.4);
    EXPECT_POINT_NEAR(p2, 1.8, 2.4);
    ASSERT_EQ(CircleCircleIntersection({0, 0}, 3, {1, 0}, 2, p1, p2), 1);
    EXPECT_POINT_NEAR(p1, 3, 0);
    p1 = p2 = kSentinel;
    EXPECT_EQ(CircleCircleIntersection({0, 0}, 5, {1, 0}, 1, p1, p2), 0);
    EXPECT_EQ(CircleCircleIntersection({0, 0}, 1, {0, 0}, 1, p1, p2), 0);
    EXPECT_EQ(p1, kSentinel);

    CWorldPoint m = kSentinel;
    double r = -1;
    ASSERT_TRUE(ApollonianCircle({0, 0}, {3, 0}, 0.5, m, r));
    EXPECT_POINT_NEAR(m, -1, 0);
    EXPECT_NEAR(r, 2, kTol);
    m = kSentinel;
    r = -1;
    EXPECT_FALSE(ApollonianCircle({0, 0}, {3, 0}, 1 - 5e-9, m, r));
    EXPECT_FALSE(ApollonianCircle({0, 0}, {3, 0}, -1, m, r));
    EXPECT_EQ(m, kSentinel);
    EXPECT_EQ(r, -1);
}

TEST(KernelInversionTest, PointsCirclesAndLines) {
    CWorldPoint q = kSentinel, back;
    ASSERT_TRUE(InvertPoint({2, 0}, {0, 0}, -2, q));  // a negative radius
    EXPECT_POINT_NEAR(q, -2, 0);
    ASSERT_TRUE(InvertPoint({1, 3}, {1, 1}, -4, q));
    EXPECT_POINT_NEAR(q, 1, -7);
    ASSERT_TRUE(InvertPoint(q, {1, 1}, -4, back));  // an involution
    EXPECT_POINT_NEAR(back, 1, 3);
    q = kSentinel;
    EXPECT_FALSE(InvertPoint({1 + 5e-9, 1}, {1, 1}, 2, q));
    EXPECT_FALSE(InvertPoint({1e-7, 0}, {0, 0}, 1e160, q));  // beyond the doubles
    EXPECT_EQ(q, kSentinel);

    CWorldPoint m = kSentinel;
    double r = -1;
    ASSERT_TRUE(InvertCircle({3, 0}, 1, {0, 0}, 2, m, r));
    EXPECT_POINT_NEAR(m, 1.5, 0);
    EXPECT_NEAR(r, 0.5, kTol);
    m = kSentinel;
    r = -1;
    EXPECT_FALSE(InvertCircle({3, 0}, 3, {0, 0}, 2, m, r));  // through the centre
    EXPECT_EQ(m, kSentinel);
    CWorldPoint e = kSentinel, g = kSentinel;
    ASSERT_TRUE(InvertCircleThroughCentre({1, 3}, {1, 1}, -4, e, g));
    EXPECT_POINT_NEAR(e, 1, -3);
    EXPECT_POINT_NEAR(g, -3, -3);
    ASSERT_TRUE(InvertLine({2, -1}, {2, 5}, {0, 0}, -2, m, r));
    EXPECT_POINT_NEAR(m, -1, 0);
    EXPECT_NEAR(r, 1, kTol);
    m = kSentinel;
    EXPECT_FALSE(InvertLine({-1, -1}, {1, 1}, {0, 0}, 2, m, r));  // through the centre
    EXPECT_EQ(m, kSentinel);
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
        CWorldPoint p, a = Recent(), b = Recent();
        switch (Pick(6)) {
            case 0:
                p = {Scalar(), Scalar()};
                break;
            case 1:
                p = a;
                break;
            case 2:
                p = a + CWorldPoint(Uniform(-2e-8, 2e-8), Uniform(-2e-8, 2e-8));
                break;
            case 3:
                p = a + (b - a) * Scalar();
                break;  // collinear
            case 4:
                p = {Uniform(-10, 10), Uniform(-10, 10)};
                break;
            default:
                p = a * Scalar();
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

// Counts failures and remembers the first one.
struct Sweep {
    int failures = 0;
    std::string first;
    int i = 0;
    void Check(bool ok, const char* what) {
        if (!ok && failures++ == 0)
            first = std::string(what) + " at iteration " + std::to_string(i);
    }
};

// Functions answering with a count or a bool: a success carries finite
// results, a failure leaves the out-parameters alone.
void SweepSolvers(Inputs& in, Sweep& s) {
    CWorldPoint a = in.Point(), b = in.Point(), c = in.Point(), p = in.Point();
    double r1 = in.Scalar(), r2 = in.Scalar(), k = in.Scalar();
    CWorldPoint q, q2;
    double r;
    auto reset = [&] { q = q2 = kSentinel, r = -1; };
    auto point = [&](bool ok, const char* what) {
        s.Check(ok ? IsFinitePoint(q) : q == kSentinel, what);
    };
    auto pair = [&](int n, const char* what) {
        s.Check(
            n >= 0 && n <= 2 &&
                (n > 0 ? IsFinitePoint(q) && IsFinitePoint(q2) : q == kSentinel && q2 == kSentinel),
            what);
    };
    auto circle = [&](bool ok, const char* what) {
        s.Check(ok ? IsFinitePoint(q) && std::isfinite(r) : q == kSentinel && r == -1, what);
    };
    reset(), point(DivideRatio(a, b, k, q), "DivideRatio");
    reset(), point(ObliqueProjection(p, a, b, c, q), "ObliqueProjection");
    reset(), point(LineIntersection(a, b, c, p, q), "LineIntersection");
    reset(), point(InvertPoint(p, c, k, q), "InvertPoint");
    reset(), pair(CircleLineIntersection(c, r1, a, b, q, q2), "CircleLineIntersection");
    reset(), pair(TangentPoints(p, c, r1, q, q2), "TangentPoints");
    reset();
    int n = TangentLineAt(p, c, r1, q, q2);
    pair(n, "TangentLineAt");
    s.Check(n != 1, "TangentLineAt count");
    reset(), pair(CircleCircleIntersection(a, r1, b, r2, q, q2), "CircleCircleIntersection");
    reset(), pair(RadicalAxis(a, r1, b, r2, q, q2) ? 2 : 0, "RadicalAxis");
    reset(), pair(InvertCircleThroughCentre(c, p, k, q, q2) ? 2 : 0, "InvertCircleThroughCentre");
    reset(), circle(CircleThrough3Points(a, b, c, q, r), "CircleThrough3Points");
    reset(), circle(ApollonianCircle(a, b, k, q, r), "ApollonianCircle");
    reset(), circle(InvertCircle(c, r1, p, k, q, r), "InvertCircle");
    reset(), circle(InvertLine(a, b, p, k, q, r), "InvertLine");
}

// Functions answering with a value directly.
void SweepValues(Inputs& in, Sweep& s) {
    CWorldPoint a = in.Point(), b = in.Point(), c = in.Point(), p = in.Point();
    double h = in.Scalar();
    s.Check(std::isfinite(Norm(p)) && std::isfinite(Distance(a, b)), "Norm/Distance");
    double polar = PolarAngle(p - a);
    s.Check(polar >= 0 && polar < 2 * kPi, "PolarAngle range");
    double turn = SignedAngle(a, b, p);
    s.Check(turn >= -kPi && turn <= kPi, "SignedAngle range");
    s.Check(IsFinitePoint(RotateAbout(p, c, in.Angle())), "RotateAbout");
    s.Check(IsFinitePoint(UnitStep(in.Sides())), "UnitStep");
    s.Check(IsFinitePoint(PointAlong(p, a, b, h)), "PointAlong");
    CWorldPoint u = UnitVector(a, b);
    s.Check(IsFinitePoint(u) && Norm(u) < 1 + 1e-12, "UnitVector");
    s.Check(IsFinitePoint(ComplexMul(a, b)), "ComplexMul");
    s.Check(IsFinitePoint(FootOfPerpendicular(p, a, b)), "FootOfPerpendicular");
    s.Check(std::isfinite(DistanceToLine(p, a, b)), "DistanceToLine");
    s.Check(IsFinitePoint(ReflectInLine(p, a, b)), "ReflectInLine");
    s.Check(IsFinitePoint(NearestPointOnCircle(p, c, h)), "NearestPointOnCircle");
    s.Check(std::isfinite(DistanceToCircle(p, c, h)), "DistanceToCircle");
}

TEST(KernelPropertyTest, FiniteInputGivesFiniteOutput) {
    Sweep s;
    Inputs moderate(7311, 100), huge(90210, 300);
    for (; s.i < 50000; ++s.i) {
        SweepSolvers(moderate, s);
        SweepValues(moderate, s);
        SweepSolvers(huge, s);  // solvers never succeed with non-finite results
    }
    EXPECT_EQ(s.failures, 0) << "first: " << s.first;
}

// Moderate random configurations keep their defining properties, so the sweep
// above is not satisfied by answering "no solution" everywhere.
TEST(KernelPropertyTest, SolutionsSatisfyTheirDefinitions) {
    std::mt19937 rng(4242);
    std::uniform_real_distribution<double> coord(-10, 10), radius(0.5, 6);
    int lineHits = 0, tangentHits = 0, circleHits = 0;
    for (int i = 0; i < 2000; ++i) {
        CWorldPoint a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)}, c{coord(rng), coord(rng)};
        CWorldPoint c2{coord(rng), coord(rng)}, p1, p2, m;
        double r = radius(rng), r2 = radius(rng), rr;
        if (CircleLineIntersection(c, r, a, b, p1, p2) == 2) {
            ++lineHits;
            ASSERT_NEAR(Distance(p1, c), r, 1e-9);
            ASSERT_NEAR(DistanceToLine(p2, a, b), 0, 1e-9);
            ASSERT_GT((p1 - p2).Dot(b - a), 0);
        }
        if (TangentPoints(a, c, r, p1, p2) == 2) {
            ++tangentHits;
            ASSERT_NEAR((p1 - c).Dot(p1 - a), 0, 1e-8);
            ASSERT_NEAR((p2 - c).Dot(p2 - a), 0, 1e-8);
            ASSERT_GT((c - a).Cross(p1 - a), 0);
        }
        if (CircleCircleIntersection(c, r, c2, r2, p1, p2) == 2) {
            ++circleHits;
            ASSERT_NEAR(Distance(p1, c), r, 1e-9);
            ASSERT_NEAR(Distance(p2, c2), r2, 1e-9);
        }
        if (CircleThrough3Points(a, b, c, m, rr)) {
            ASSERT_NEAR(Distance(m, b), rr, 1e-6 * (1 + rr));
            ASSERT_NEAR(Distance(m, c), rr, 1e-6 * (1 + rr));
        }
    }
    EXPECT_GT(lineHits, 200);
    EXPECT_GT(tangentHits, 200);
    EXPECT_GT(circleHits, 200);
}

}  // namespace
}  // namespace gyr
