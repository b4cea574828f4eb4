// Tangent, orthogonal and interchanging circles. The tangent circles of three
// objects are also checked against a separate algebraic count over random
// configurations.

#include "math/tangent_circles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "math/expect_near.h"
#include "math/kernel.h"

namespace gyr {
namespace {

using testing::ExpectNear;
using T = TouchObject;

// Whether the results contain a circle (centre, radius) within eps.
template <int N>
bool Has(const CircleValue (&c)[N], int n, const CWorldPoint& centre, double r, double eps = 1e-6) {
    for (int i = 0; i < n; ++i)
        if (ChebyshevDistance(c[i].centre, centre) < eps && std::fabs(c[i].radius - r) < eps)
            return true;
    return false;
}

// How far circle (x, rho) is from touching the object.
double TouchError(const CircleValue& c, const TouchObject& o) {
    if (o.kind == T::Kind::Line) return std::fabs(DistanceToLine(c.centre, o.p, o.q) - c.radius);
    const double d = Distance(c.centre, o.p);
    return std::min(std::fabs(d - (c.radius + o.r)), std::fabs(d - std::fabs(c.radius - o.r)));
}

TEST(TangentCirclesTest, CentredAtAPoint) {
    CWorldPoint t[2];
    ASSERT_EQ(TangentCirclesCentred({3, 4}, T::Circle({0, 0}, 1), t), 2);
    EXPECT_NEAR(Distance({3, 4}, t[0]), 4, 1e-12);
    EXPECT_NEAR(Distance({3, 4}, t[1]), 6, 1e-12);
    ASSERT_EQ(TangentCirclesCentred({3, 4}, T::Line({0, 0}, {1, 0}), t), 1);
    ExpectNear(t[0], {3, 0});
    EXPECT_EQ(TangentCirclesCentred({3, 4}, T::Circle({0, 0}, 0), t), 1);
    EXPECT_EQ(TangentCirclesCentred({0, 0}, T::Circle({0, 0}, 1), t), 0);
    EXPECT_EQ(TangentCirclesCentred({3, 4}, T::Line({1, 1}, {1, 1}), t), 0);
}

TEST(TangentCirclesTest, ThroughTwoPointsTouchingALine) {
    const T line = T::Line({0, 0}, {1, 0});
    CircleValue c[2];
    const double s6 = std::sqrt(6.0);
    ASSERT_EQ(TangentCirclesThroughTwoPoints({0, 1}, {2, 3}, line, c), 2);
    ExpectNear(c[0].centre, {s6 - 1, 4 - s6});
    EXPECT_NEAR(c[0].radius, 4 - s6, 1e-9);
    ExpectNear(c[1].centre, {-1 - s6, 4 + s6});
    EXPECT_NEAR(c[1].radius, 4 + s6, 1e-9);
    // A chord parallel to the line: one circle.
    ASSERT_EQ(TangentCirclesThroughTwoPoints({0, 1}, {2, 1}, line, c), 1);
    ExpectNear(c[0].centre, {1, 1});
    EXPECT_NEAR(c[0].radius, 1, 1e-12);
    // The points on opposite sides: a touching circle cannot reach both.
    EXPECT_EQ(TangentCirclesThroughTwoPoints({0, 1}, {2, -1}, line, c), 0);
    EXPECT_EQ(TangentCirclesThroughTwoPoints({0, 1}, {0, 1}, line, c), 0);
    // One point on the line: the circle touches there.
    ASSERT_EQ(TangentCirclesThroughTwoPoints({0, 0}, {0, 2}, line, c), 1);
    ExpectNear(c[0].centre, {0, 1});
}

TEST(TangentCirclesTest, ThroughTwoPointsTouchingACircle) {
    CircleValue c[2];
    // Symmetric about the line of centres, where a radical-centre method fails.
    const T k = T::Circle({0, 0}, 1);
    ASSERT_EQ(TangentCirclesThroughTwoPoints({3, 1}, {3, -1}, k, c), 2);
    for (const CircleValue& v : c) {
        EXPECT_NEAR(Distance(v.centre, {3, 1}), v.radius, 1e-9);
        EXPECT_LT(TouchError(v, k), 1e-9);
    }
    // One point inside, one outside: none.
    EXPECT_EQ(TangentCirclesThroughTwoPoints({0.5, 0}, {3, 0}, k, c), 0);
}

TEST(TangentCirclesTest, ThroughAPointTouchingTwoObjects) {
    CircleValue c[4];
    const int n =
        TangentCirclesThroughPoint({1, 2}, T::Line({0, 0}, {1, 0}), T::Line({0, 0}, {0, 1}), c);
    ASSERT_EQ(n, 2);
    ExpectNear(c[0].centre, {5, 5});
    ExpectNear(c[1].centre, {1, 1});
    // Parallel lines with the point outside the strip, one line twice.
    EXPECT_EQ(
        TangentCirclesThroughPoint({0, 5}, T::Line({0, 0}, {1, 0}), T::Line({0, 2}, {1, 2}), c), 0);
    EXPECT_EQ(
        TangentCirclesThroughPoint({0, 5}, T::Line({0, 0}, {1, 0}), T::Line({0, 0}, {1, 0}), c), 0);
    // Two touching circles: three circles, one of them through the touching point.
    const int m = TangentCirclesThroughPoint({3, 3}, T::Circle({0, 0}, 1), T::Circle({2, 0}, 1), c);
    EXPECT_EQ(m, 3);
    // A point at a circle's centre or on it still gives finite circles.
    const int k = TangentCirclesThroughPoint({0, 0}, T::Circle({0, 0}, 1), T::Circle({4, 0}, 1), c);
    for (int i = 0; i < k; ++i) EXPECT_TRUE(IsFinitePoint(c[i].centre));
}

TEST(TangentCirclesTest, ApolloniusKnownConfigurations) {
    CircleValue c[8];
    int n = TangentCircles3(T::Circle({0, 0}, 1), T::Circle({4, 0}, 1), T::Circle({2, 3}, 1), c);
    ASSERT_EQ(n, 8);
    EXPECT_TRUE(Has(c, n, {2, 5.0 / 6}, 7.0 / 6));
    EXPECT_TRUE(Has(c, n, {2, 5.0 / 6}, 19.0 / 6));
    EXPECT_TRUE(Has(c, n, {2, 2.1}, 1.9));
    EXPECT_TRUE(Has(c, n, {2, -1.5}, 3.5));
    EXPECT_TRUE(Has(c, n, {3.004456, 0.163696}, 2.008912));
    EXPECT_TRUE(Has(c, n, {0.995544, 0.163696}, 2.008912));
    EXPECT_TRUE(Has(c, n, {3.439239, 1.792826}, 2.878477));
    EXPECT_TRUE(Has(c, n, {0.560761, 1.792826}, 2.878477));

    n = TangentCircles3(T::Line({0, 0}, {1, 0}), T::Line({0, 0}, {0, 1}), T::Circle({3, 2}, 1), c);
    ASSERT_EQ(n, 4);
    const double s = 2 * std::sqrt(6.0);
    for (double rho : {6 - s, 6 + s, 2.0, 6.0}) EXPECT_TRUE(Has(c, n, {rho, rho}, rho));

    // Three lines: the in-circle and the ex-circles, by the bisector pairs at
    // (0, 0) and (4, 0): inner-outer, inner-inner, outer-outer, outer-inner.
    n = TangentCircles3(T::Line({0, 0}, {4, 0}), T::Line({0, 0}, {0, 3}), T::Line({4, 0}, {0, 3}),
                        c);
    ASSERT_EQ(n, 4);
    const CircleValue lll[] = {{{6, 6}, 6}, {{1, 1}, 1}, {{3, -3}, 3}, {{-2, 2}, 2}};
    for (int i = 0; i < 4; ++i) {
        ExpectNear(c[i].centre, lll[i].centre);
        EXPECT_NEAR(c[i].radius, lll[i].radius, 1e-9);
    }
    // Touching objects: no given circle and no double root comes back.
    n = TangentCircles3(T::Circle({0, 0}, 1), T::Circle({2, 0}, 1),
                        T::Circle({1, std::sqrt(3.0)}, 1), c);
    ASSERT_EQ(n, 2);
    EXPECT_TRUE(Has(c, n, {1, 1 / std::sqrt(3.0)}, 2 / std::sqrt(3.0) + 1));
    EXPECT_TRUE(Has(c, n, {1, 1 / std::sqrt(3.0)}, 2 / std::sqrt(3.0) - 1));
    n = TangentCircles3(T::Circle({0, 0}, 1), T::Circle({2, 0}, 1), T::Circle({1, 3}, 1), c);
    EXPECT_EQ(n, 6);
    EXPECT_TRUE(Has(c, n, {5, 0}, 4));
    n = TangentCircles3(T::Line({0, -1}, {1, -1}), T::Circle({0, 0}, 1), T::Circle({3, 0}, 1), c);
    EXPECT_EQ(n, 3);
    EXPECT_TRUE(Has(c, n, {1.5, -0.4375}, 0.5625));

    // Two parallel lines and a transversal: the two circles filling the strip.
    n = TangentCircles3(T::Line({0, 0}, {1, 0}), T::Line({0, 1}, {1, 1}), T::Line({0, 0}, {1, 1}),
                        c);
    ASSERT_EQ(n, 2);
    EXPECT_TRUE(Has(c, n, {0.5 + std::sqrt(0.5), 0.5}, 0.5));
    EXPECT_TRUE(Has(c, n, {0.5 - std::sqrt(0.5), 0.5}, 0.5));
    // Three parallel lines, three concurrent lines, a line without length: none.
    EXPECT_EQ(TangentCircles3(T::Line({0, 0}, {1, 0}), T::Line({0, 1}, {1, 1}),
                              T::Line({0, 3}, {1, 3}), c),
              0);
    EXPECT_EQ(TangentCircles3(T::Line({0, 0}, {1, 0}), T::Line({0, 0}, {0, 1}),
                              T::Line({0, 0}, {1, 1}), c),
              0);
    EXPECT_EQ(TangentCircles3(T::Line({0, 0}, {0, 0}), T::Line({0, 0}, {0, 1}),
                              T::Line({1, 0}, {1, 1}), c),
              0);
}

// The test's own solver: for each of the eight orientations, the centre as an
// affine function of a radius rho >= 0 from two linear equations, put into
// the remaining equation. Counted without duplicates.
int IndependentCount(const TouchObject (&o)[3]) {
    std::vector<CircleValue> found;
    for (int mask = 0; mask < 8; ++mask) {
        // Each object: a x + b y + c rho = d (linear) or the circle equation.
        double s[3];
        for (int i = 0; i < 3; ++i) s[i] = (mask >> i) & 1 ? 1 : -1;
        // Linear rows: lines, and the differences of circle equations.
        struct L {
            double a, b, c, d;
        };
        std::vector<L> rows;
        int firstCircle = -1;
        for (int i = 0; i < 3; ++i) {
            if (o[i].kind == T::Kind::Line) {
                const CWorldPoint n = Perp(o[i].q - o[i].p) * (1 / Distance(o[i].p, o[i].q));
                rows.push_back({n.x, n.y, -s[i], n.Dot(o[i].p)});
            } else if (firstCircle < 0) {
                firstCircle = i;
            } else {
                const TouchObject& q = o[firstCircle];
                const double sq = s[firstCircle] * q.r, si = s[i] * o[i].r;
                rows.push_back({2 * (q.p.x - o[i].p.x), 2 * (q.p.y - o[i].p.y), 2 * (sq - si),
                                q.p.Dot(q.p) - sq * sq - o[i].p.Dot(o[i].p) + si * si});
            }
        }
        // x = x0 + x1 rho, y = y0 + y1 rho from the first two rows.
        const L& r0 = rows[0];
        const L& r1 = rows[1];
        const double det = r0.a * r1.b - r0.b * r1.a;
        const double x0 = (r0.d * r1.b - r0.b * r1.d) / det,
                     x1 = (-r0.c * r1.b + r0.b * r1.c) / det;
        const double y0 = (r0.a * r1.d - r0.d * r1.a) / det,
                     y1 = (-r0.a * r1.c + r0.c * r1.a) / det;
        std::vector<double> rhos;
        if (firstCircle < 0) {
            const L& r2 = rows[2];
            const double k = r2.a * x1 + r2.b * y1 + r2.c;
            rhos.push_back((r2.d - r2.a * x0 - r2.b * y0) / k);
        } else {
            const TouchObject& q = o[firstCircle];
            const double sq = s[firstCircle] * q.r;
            const double ax = x0 - q.p.x, ay = y0 - q.p.y;
            const double A = x1 * x1 + y1 * y1 - 1, B = 2 * (ax * x1 + ay * y1 - sq),
                         C = ax * ax + ay * ay - sq * sq;
            const double disc = B * B - 4 * A * C;
            if (disc >= 0) {
                rhos.push_back((-B + std::sqrt(disc)) / (2 * A));
                rhos.push_back((-B - std::sqrt(disc)) / (2 * A));
            }
        }
        for (double rho : rhos) {
            if (!(rho > 1e-6)) continue;
            const CircleValue v{{x0 + x1 * rho, y0 + y1 * rho}, rho};
            bool dup = false;
            for (const CircleValue& f : found)
                dup = dup || (ChebyshevDistance(f.centre, v.centre) < 1e-6 &&
                              std::fabs(f.radius - v.radius) < 1e-6);
            if (!dup) found.push_back(v);
        }
    }
    return int(found.size());
}

TEST(TangentCirclesTest, ApolloniusRandomConfigurationsAgreeWithAlgebra) {
    std::mt19937 gen(12345);
    std::uniform_real_distribution<double> pos(-5, 5), rad(0.2, 3);
    const auto circle = [&] { return T::Circle({pos(gen), pos(gen)}, rad(gen)); };
    const auto line = [&] { return T::Line({pos(gen), pos(gen)}, {pos(gen), pos(gen)}); };
    int checked = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const int circles = trial % 4;  // LLL, CLL, CCL, CCC
        TouchObject o[3];
        for (int i = 0; i < 3; ++i) o[i] = i < 3 - circles ? line() : circle();
        // Every fifth: the last circle nested in the one before.
        if (circles >= 2 && trial % 5 == 0)
            o[2] = T::Circle(o[1].p + CWorldPoint{0.1, 0.05}, o[1].r * 0.5);
        CircleValue c[8];
        const int n = TangentCircles3(o[0], o[1], o[2], c);
        double scale = 1;
        for (const TouchObject& t : o)
            scale = std::max({scale, std::fabs(t.p.x), std::fabs(t.p.y), t.r});
        for (int i = 0; i < n; ++i) {
            ASSERT_TRUE(IsFinitePoint(c[i].centre) && std::isfinite(c[i].radius));
            ASSERT_GE(c[i].radius, kGeomEps);
            const double tol = 1e-7 * std::max(scale, c[i].radius);
            for (const TouchObject& t : o) EXPECT_LT(TouchError(c[i], t), tol) << trial;
            for (int j = 0; j < i; ++j)
                EXPECT_FALSE(ChebyshevDistance(c[i].centre, c[j].centre) < 1e-9 &&
                             std::fabs(c[i].radius - c[j].radius) < 1e-9);
        }
        EXPECT_EQ(n, IndependentCount(o)) << "trial " << trial;
        ++checked;
    }
    EXPECT_EQ(checked, 400);
}

TEST(TangentCirclesTest, OrthogonalCircles) {
    CircleValue c;
    ASSERT_TRUE(
        OrthogonalCircleThroughPoint({2, 2}, T::Circle({0, 0}, 1), T::Circle({4, 0}, 1), c));
    ExpectNear(c.centre, {2, 0.25});
    EXPECT_NEAR(c.radius, 1.75, 1e-9);
    ASSERT_TRUE(OrthogonalCircleThroughTwoPoints({2, 0}, {0, 2}, T::Circle({0, 0}, 1), c));
    ExpectNear(c.centre, {1.25, 1.25});
    EXPECT_NEAR(c.radius, std::sqrt(2.125), 1e-9);
    // Both points on the circle, a point at its centre: none.
    EXPECT_FALSE(OrthogonalCircleThroughTwoPoints({1, 0}, {0, 1}, T::Circle({0, 0}, 1), c));
    EXPECT_FALSE(OrthogonalCircleThroughTwoPoints({0, 0}, {0, 2}, T::Circle({0, 0}, 1), c));
    ASSERT_TRUE(OrthogonalCircleThroughTwoPoints({0, 1}, {2, 1}, T::Line({0, 0}, {1, 0}), c));
    ExpectNear(c.centre, {1, 0});
}

TEST(TangentCirclesTest, TangentCircleAtAPoint) {
    CircleValue c;
    ASSERT_TRUE(TangentCircleAtPoint({2, 0}, {0, 0}, {3, 1}, c));
    ExpectNear(c.centre, {3, 0});
    EXPECT_NEAR(c.radius, 1, 1e-12);
    EXPECT_FALSE(TangentCircleAtPoint({2, 0}, {0, 0}, {2, 3}, c));  // on the tangent
}

TEST(TangentCirclesTest, InversionInterchangingCircles) {
    CircleValue c[4];
    int first = -1;
    ASSERT_EQ(InversionInterchangingCircles({0, 0}, 1, T::Circle({6, 0}, 2), c, first), 2);
    EXPECT_EQ(first, 1);
    ExpectNear(c[0].centre, {-6, 0});
    EXPECT_NEAR(c[0].radius, std::sqrt(70.0), 1e-9);
    ExpectNear(c[1].centre, {2, 0});
    EXPECT_NEAR(c[1].radius, std::sqrt(6.0), 1e-9);
    // Cutting circles: two inversions and no anti-inversion.
    ASSERT_EQ(InversionInterchangingCircles({0, 0}, 3, T::Circle({4, 0}, 2), c, first), 2);
    EXPECT_EQ(first, 2);
    ExpectNear(c[0].centre, {12, 0});
    EXPECT_NEAR(c[0].radius, std::sqrt(90.0), 1e-9);
    ExpectNear(c[1].centre, {2.4, 0});
    EXPECT_NEAR(c[1].radius, std::sqrt(2.16), 1e-9);
    // Concentric: the same circle from each group.
    ASSERT_EQ(InversionInterchangingCircles({0, 0}, 2, T::Circle({0, 0}, 1), c, first), 2);
    EXPECT_NEAR(c[0].radius, std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(c[1].radius, std::sqrt(2.0), 1e-12);
    // A circle and a line missing it.
    ASSERT_EQ(InversionInterchangingCircles({0, 0}, 1, T::Line({0, 3}, {1, 3}), c, first), 2);
    ExpectNear(c[0].centre, {0, -1});
    EXPECT_NEAR(c[0].radius, std::sqrt(8.0), 1e-12);
    ExpectNear(c[1].centre, {0, 1});
    EXPECT_NEAR(c[1].radius, 2, 1e-12);
    // Equal circles touching; a line through the centre; a zero circle.
    EXPECT_EQ(InversionInterchangingCircles({0, 0}, 1, T::Circle({2, 0}, 1), c, first), 0);
    EXPECT_EQ(InversionInterchangingCircles({0, 0}, 1, T::Line({-1, 0}, {1, 0}), c, first), 0);
    EXPECT_EQ(InversionInterchangingCircles({0, 0}, 0, T::Circle({3, 0}, 1), c, first), 0);
}

}  // namespace
}  // namespace gyr
