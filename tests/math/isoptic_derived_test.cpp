// The constructions' maths on an isoptic cubic: the flex curve against the
// Hessian, the flexes of known cubics, chords and the group law, the main
// involution, tangents from a point and the self-inversions, with property
// sweeps over random cubics.

#include "math/isoptic_derived.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "math/expect_near.h"
#include "math/kernel.h"

namespace gyr {
namespace {

using testing::ExpectNear;

const CSheetRect kSheet{-7.7, 7.7, -11, 11};

// Distance of p from the curve to first order.
double OffCurve(const CIsopticConstants& k, const CWorldPoint& p) {
    const CWorldPoint g = CubicGradient(k, p.x, p.y);
    return std::fabs(CubicValue(k, p.x, p.y)) / std::hypot(g.x, g.y);
}

struct Sampled {
    CIsopticDefinition def;
    std::vector<CPolyline> lines;
    std::vector<CPointRun> runs;
};

Sampled Sample(const CIsopticDefinition& def, int n = 41) {
    Sampled s{def, {}, {}};
    const CubicClass cls = ClassifyCubic(def.k);
    SampleCubic(cls, def.frame, def.k, IsopticIntervals(cls, def.k), n, kSheet, s.lines);
    for (const CPolyline& l : s.lines) s.runs.push_back({l.data(), int(l.size())});
    return s;
}

CIsopticDefinition Canonical(double a, double b, double c) {
    CIsopticDefinition def;
    def.k = {a, b, c};
    return def;
}

CIsopticDefinition OfP() {
    return DefineIsoptic({-3, -1}, {-2, 1}, {0, -2}, {-1, -2});
}

TEST(FlexCurve, EightTimesItIsTheHessianDeterminantOfTheHomogenisedCubic) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-3, 3);
    for (int i = 0; i < 200; ++i) {
        const CIsopticConstants k{u(rng), u(rng), u(rng)};
        const double x = u(rng), y = u(rng), z = 1;
        const double a = k.a, b = k.b, c = k.c;
        // F = (x - a z)(x^2 + y^2) + b x z^2 + c y z^2.
        const double fxx = 6 * x - 2 * a * z, fxy = 2 * y, fxz = -2 * a * x + 2 * b * z;
        const double fyy = 2 * x - 2 * a * z, fyz = -2 * a * y + 2 * c * z;
        const double fzz = 2 * b * x + 2 * c * y;
        const double det = fxx * (fyy * fzz - fyz * fyz) - fxy * (fxy * fzz - fyz * fxz) +
                           fxz * (fxy * fyz - fyy * fxz);
        const double h = FlexCurveValue(k, x, y);
        EXPECT_NEAR(8 * h, det, 1e-9 * (1 + std::fabs(det)));
        // The gradient is that of the value.
        const double e = 1e-6;
        const CWorldPoint g = FlexCurveGradient(k, x, y);
        EXPECT_NEAR(g.x, (FlexCurveValue(k, x + e, y) - FlexCurveValue(k, x - e, y)) / (2 * e),
                    1e-5 * (1 + std::fabs(g.x)));
        EXPECT_NEAR(g.y, (FlexCurveValue(k, x, y + e) - FlexCurveValue(k, x, y - e)) / (2 * e),
                    1e-5 * (1 + std::fabs(g.y)));
    }
}

TEST(Flexes, KnownCubicsGiveTheirThreeCollinearFlexesAndTheSingularOne) {
    const Sampled p = Sample(OfP());
    CFlexResult r = FindCubicFlexes(p.def.frame, p.def.k, false, p.runs.data(), int(p.runs.size()));
    ASSERT_EQ(r.count, 3);
    ExpectNear(p.def.frame.ToWorld(r.flex[0]), {-2.924071, -0.764133}, 1e-6);
    ExpectNear(p.def.frame.ToWorld(r.flex[1]), {-0.376170, 2.258462}, 1e-6);
    ExpectNear(p.def.frame.ToWorld(r.flex[2]), {-7.232716, -5.875513}, 1e-6);
    EXPECT_NEAR((r.flex[1] - r.flex[0]).Cross(r.flex[2] - r.flex[0]), 0, 1e-9);
    for (const CWorldPoint& f : r.flex) {
        EXPECT_LT(OffCurve(p.def.k, f), 1e-9);
        EXPECT_NEAR(FlexCurveValue(p.def.k, f.x, f.y), 0, 1e-8);
    }
    EXPECT_GE(r.solverCalls, 2);

    const Sampled two = Sample(Canonical(-1, -3, 1));
    r = FindCubicFlexes(two.def.frame, two.def.k, false, two.runs.data(), int(two.runs.size()));
    ASSERT_EQ(r.count, 3);
    ExpectNear(r.flex[0], {-1.558201, -1.702102}, 1e-6);
    ExpectNear(r.flex[1], {-1.934624, 2.194275}, 1e-6);
    ExpectNear(r.flex[2], {-0.920594, -8.302021}, 1e-6);

    const Sampled sing = Sample(Canonical(-1, -0.75, 1));
    ASSERT_EQ(ClassifyCubic(sing.def.k), CubicClass::Singular);
    r = FindCubicFlexes(sing.def.frame, sing.def.k, true, sing.runs.data(), int(sing.runs.size()));
    ASSERT_EQ(r.count, 1);
    ExpectNear(r.flex[0], {-1.5, 2}, 1e-6);
    EXPECT_EQ(r.solverCalls >= 1, true);

    // Runs of fewer than four points give no start; nothing sampled, nothing found.
    const CWorldPoint three[3] = {{-3, -1}, {-2, 1}, {0, -2}};
    const CPointRun shortRun{three, 3};
    r = FindCubicFlexes(p.def.frame, p.def.k, false, &shortRun, 1);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.solverCalls, 0);
}

TEST(Chords, ThirdPointsAndTheGroupLawOverRandomCubics) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(-2, 2);
    int sums = 0;
    for (int i = 0; i < 60; ++i) {
        const CIsopticConstants k{u(rng), u(rng), u(rng)};
        // Points of the curve from random x by the quadratic in y.
        std::vector<CWorldPoint> on;
        for (int j = 0; j < 40 && on.size() < 3; ++j) {
            const double x = u(rng) * 3;
            if (std::fabs(x - k.a) < 0.1) continue;
            const double d = k.c * k.c - 4 * x * (x - k.a) * (x * (x - k.a) + k.b);
            if (d <= 0) continue;
            double y1 = 0, y2 = 0;
            CubicRoots(k, x, y1, y2);
            on.push_back({x, j % 2 ? y1 : y2});
        }
        if (on.size() < 3) continue;
        const CWorldPoint n = on[0], p = on[1], q = on[2];
        CWorldPoint pq, qp, pn;
        ASSERT_TRUE(CubicGroupSum(k, n, p, q, pq));
        ASSERT_TRUE(CubicGroupSum(k, n, q, p, qp));
        ASSERT_TRUE(CubicGroupSum(k, n, p, n, pn));
        const double scale = 1 + std::hypot(pq.x, pq.y);
        EXPECT_LT(OffCurve(k, pq), 1e-7 * scale);
        ExpectNear(pq, qp, 1e-7 * scale);
        ExpectNear(pn, p, 1e-7);
        ++sums;
    }
    EXPECT_GT(sums, 20);

    // A line along the asymptote meets the cubic once: no third point.
    CWorldPoint out;
    EXPECT_FALSE(CubicThirdPoint({-1, -3, 1}, {0, 0}, {0, 1}, 1, out));
    EXPECT_FALSE(CubicThirdPoint({-1, -3, 1}, {0, 0}, {0, 0}, 1, out));
}

TEST(Involution, ImagesLieOnTheCurveAndTheOriginHasNone) {
    const CIsopticConstants k{-1, -3, 1};
    EXPECT_NEAR(MainInvolutionRadius(k), std::pow(10.0, 0.25), 1e-12);
    CWorldPoint pts[4];
    ASSERT_TRUE(PointsFromConstants(k, pts));
    CWorldPoint image;
    ASSERT_TRUE(MainInvolutionImage(k, pts[0], image));
    ExpectNear(image, pts[3], 1e-12);
    EXPECT_FALSE(MainInvolutionImage(k, {0, 0}, image));
    EXPECT_FALSE(MainInvolutionImage(k, {NAN, 1}, image));

    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(-2, 2);
    for (int i = 0; i < 100; ++i) {
        const CIsopticConstants r{u(rng), u(rng), u(rng)};
        const double x = u(rng) * 2;
        if (std::fabs(x - r.a) < 0.05) continue;
        double y1 = 0, y2 = 0;
        if (r.c * r.c - 4 * x * (x - r.a) * (x * (x - r.a) + r.b) <= 0) continue;
        CubicRoots(r, x, y1, y2);
        if (!MainInvolutionImage(r, {x, y1}, image)) continue;
        EXPECT_LT(OffCurve(r, image), 1e-8 * (1 + std::hypot(image.x, image.y)));
    }
}

TEST(Involution, TheAnglesOfTheTwoSegmentsAgreeEverywhereOnTheCurve) {
    // What the angle animation shows: from each point of the cubic AB and CD
    // are seen under the same directed angle, modulo pi.
    std::mt19937 rng(9);
    std::uniform_real_distribution<double> u(-2, 2);
    int checked = 0;
    for (int i = 0; i < 60; ++i) {
        const CIsopticConstants k{u(rng), u(rng), u(rng)};
        CWorldPoint pts[4];
        if (!PointsFromConstants(k, pts)) continue;
        for (double x = -3; x <= 3; x += 0.41) {
            if (std::fabs(x - k.a) < 0.05) continue;
            if (k.c * k.c - 4 * x * (x - k.a) * (x * (x - k.a) + k.b) <= 0) continue;
            double y1 = 0, y2 = 0;
            CubicRoots(k, x, y1, y2);
            for (const CWorldPoint p : {CWorldPoint{x, y1}, CWorldPoint{x, y2}}) {
                bool near = false;
                for (const CWorldPoint& q : pts) near |= Distance(p, q) < 1e-3;
                if (near) continue;
                const double d = std::remainder(
                    SignedAngle(p, pts[0], pts[1]) - SignedAngle(p, pts[2], pts[3]), M_PI);
                EXPECT_NEAR(d, 0, 1e-9 * (1 + std::hypot(p.x, p.y)));
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 200);
}

TEST(TangentsFrom, TheKnownFootTouchesAtFourPointsEachATangentThrough) {
    const CIsopticDefinition def = OfP();
    CWorldPoint foot;
    ASSERT_EQ(CubicFootOfNormal(def.k, def.frame.ToCanonical({1, 1}), foot), 0);
    ExpectNear(def.frame.ToWorld(foot), {0.015618, 2.510172}, 1e-6);
    CWorldPoint touch[4];
    ASSERT_EQ(TangentPointsFrom(def.k, foot, touch), 4);
    const CWorldPoint expected[4] = {{-0.558530, 2.141980},
                                     {0.287992, -1.412517},
                                     {-3.626230, -2.168935},
                                     {-1.113132, -1.570428}};
    for (int i = 0; i < 4; ++i) {
        ExpectNear(def.frame.ToWorld(touch[i]), expected[i], 1e-6);
        // The line from the foot touches there: the gradient is normal to it.
        const CWorldPoint g = CubicGradient(def.k, touch[i].x, touch[i].y);
        const CWorldPoint d = touch[i] - foot;
        EXPECT_NEAR(g.Dot(d) / (std::hypot(g.x, g.y) * std::hypot(d.x, d.y)), 0, 1e-8);
    }
    EXPECT_EQ(TangentPointsFrom(def.k, {0, 0}, touch), 0);
}

TEST(Inversions, TheCirclesMapTheCubicOntoItself) {
    const CIsopticConstants k{-1, -3, 1};
    const CIsopticIntervals iv = IsopticIntervals(CubicClass::Two, k);
    CInversionCircle circles[4];
    ASSERT_EQ(InversionCircles(CubicClass::Two, k, iv.x, circles), 4);
    const struct {
        CWorldPoint centre;
        double rho;
    } expected[4] = {{{-2.325141, 0.377318}, 2.951428},
                     {{-0.910927, -5.613386}, 5.401631},
                     {{-0.089073, -0.548891}, -1.689101},
                     {{1.325141, -0.215041}, 2.228120}};
    for (int i = 0; i < 4; ++i) {
        ExpectNear(circles[i].centre, expected[i].centre, 1e-6);
        EXPECT_NEAR(circles[i].rho, expected[i].rho, 1e-6);
    }

    // Every inverse of a sampled point lies on the cubic, over random cubics.
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(-2, 2);
    int checked = 0;
    for (int i = 0; i < 80; ++i) {
        const CIsopticConstants r{u(rng), u(rng), u(rng)};
        const CubicClass cls = ClassifyCubic(r);
        const CIsopticIntervals rv = IsopticIntervals(cls, r);
        const int n = InversionCircles(cls, r, rv.x, circles);
        for (int c = 0; c < n; ++c) {
            for (double x = -3; x <= 3; x += 0.37) {
                if (std::fabs(x - r.a) < 0.05) continue;
                if (r.c * r.c - 4 * x * (x - r.a) * (x * (x - r.a) + r.b) <= 0) continue;
                double y1 = 0, y2 = 0;
                CubicRoots(r, x, y1, y2);
                CWorldPoint image;
                if (!InvertPoint({x, y1}, circles[c].centre, circles[c].rho, image)) continue;
                if (std::hypot(image.x, image.y) > 1e3) continue;
                EXPECT_LT(OffCurve(r, image), 1e-8 * (1 + std::hypot(image.x, image.y)));
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace gyr
