// Isoptic cubics: frames and constants of known quadruples, the variant and
// interval table, sampling counts and clipping, the special positions, the
// hyperbola fit, points from constants, and a randomised accuracy sweep.

#include "math/isoptic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>

#include "math/expect_near.h"
#include "math/kernel.h"

namespace gyr {
namespace {

using testing::ExpectNear;
using Cx = std::complex<double>;

// The 770 x 1100 sheet at 50 pixels a unit, origin in the middle.
const CSheetRect kSheet{-7.7, 7.7, -11, 11};

Cx ToCx(const CWorldPoint& p) {
    return {p.x, p.y};
}

bool OnBorder(const CWorldPoint& p, const CSheetRect& s) {
    constexpr double e = 1e-9;
    return std::fabs(p.x - s.left) < e || std::fabs(p.x - s.right) < e ||
           std::fabs(p.y - s.bottom) < e || std::fabs(p.y - s.top) < e;
}

void ExpectFrameIdentity(const CIsopticDefinition& def) {
    const Cx O = ToCx(def.frame.origin);
    const Cx lhs = (ToCx(def.pts[0]) - O) * (ToCx(def.pts[3]) - O);
    const Cx rhs = (ToCx(def.pts[1]) - O) * (ToCx(def.pts[2]) - O);
    EXPECT_NEAR(std::abs(lhs - rhs), 0, 1e-9 * (1 + std::abs(lhs)));
    const CWorldPoint b = def.frame.ToCanonical(def.pts[1]), c = def.frame.ToCanonical(def.pts[2]);
    EXPECT_NEAR(b.x + c.x, def.k.a, 1e-9 * (1 + std::fabs(def.k.a)));
}

std::vector<int> Counts(const std::vector<CPolyline>& lines) {
    std::vector<int> n;
    for (const CPolyline& l : lines) n.push_back(int(l.size()));
    return n;
}

std::vector<CPolyline> Sample(const CIsopticDefinition& def, int n = 41) {
    const CubicClass cls = ClassifyCubic(def.k);
    std::vector<CPolyline> out;
    EXPECT_EQ(SampleCubic(cls, def.frame, def.k, IsopticIntervals(cls, def.k), n, kSheet, out), 0);
    return out;
}

TEST(IsopticFrameTest, KnownQuadruplesGiveTheirFramesConstantsAndComponents) {
    {
        SCOPED_TRACE("general position");
        const CIsopticDefinition def = DefineIsoptic({-3, -1}, {-2, 1}, {0, -2}, {-1, -2});
        ASSERT_EQ(def.build, IsopticBuild::Two);
        ExpectFrameIdentity(def);
        ExpectNear(def.frame.origin, {-0.5, -1});
        ExpectNear(def.frame.ey, {M_SQRT1_2, M_SQRT1_2});
        ExpectNear(def.frame.ex, {M_SQRT1_2, -M_SQRT1_2});
        EXPECT_NEAR(def.k.a, -std::sqrt(2.0), 1e-12);
        EXPECT_NEAR(def.k.b, -2.5, 1e-12);
        EXPECT_NEAR(def.k.c, 1.25, 1e-12);
        const CIsopticIntervals iv = IsopticIntervals(CubicClass::Two, def.k);
        const double want[] = {-2.481238, -1.300788, -0.113425, 1.067025};
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(iv.x[i], want[i], 1e-6);
        EXPECT_EQ(Counts(Sample(def)), (std::vector<int>{78, 48, 82}));
    }
    {
        SCOPED_TRACE("E is one of the points: the origin from the identity");
        const CIsopticDefinition def = DefineIsoptic({0, 0}, {1, 2}, {1, 0}, {3, 0});
        ASSERT_EQ(def.build, IsopticBuild::Two);
        ExpectNear(def.frame.origin, {0.6, -0.8});
        ExpectFrameIdentity(def);
    }
    {
        SCOPED_TRACE("the singular cubic of an angle");
        const CIsopticDefinition def = DefineAngleIsoptic({3, 0}, {0, 0}, {1, 2});
        ASSERT_EQ(def.build, IsopticBuild::Singular);
        ExpectFrameIdentity(def);
        ExpectNear(def.frame.origin, {1.2, 0.9});
        ExpectNear(def.frame.ey, CWorldPoint{2, 1} * (1 / std::sqrt(5.0)));
        EXPECT_NEAR(def.k.a, 0.536656, 1e-6);
        EXPECT_NEAR(def.k.b, -2.106, 1e-9);
        EXPECT_NEAR(def.k.c, -0.792, 1e-9);
        EXPECT_NEAR(IsopticDiscriminant(def.k), 0, 1e-9);
        // The node is the apex: the double root at the middle interval end.
        const CIsopticIntervals iv = IsopticIntervals(CubicClass::Singular, def.k);
        double y1, y2;
        CubicRoots(def.k, iv.x[1], y1, y2);
        ExpectNear(def.frame.ToWorld({iv.x[1], y1}), {0, 0}, 1e-9);
        EXPECT_NEAR(y1, y2, 1e-9);
    }
}

TEST(IsopticFrameTest, CoincidingMidpointsAndNonFiniteInputBuildNothing) {
    CIsopticFrame f;
    EXPECT_FALSE(IsopticFrameOf({-1, 0}, {0, -1}, {0, 1}, {1, 0}, f));
    // A = D with the other midpoint elsewhere still has axes.
    EXPECT_TRUE(IsopticAxesOf({0, 0}, {1, 2}, {3, 1}, {0, 0}, f));
    EXPECT_EQ(DefineIsoptic({NAN, 0}, {1, 2}, {3, 1}, {0, 0}).build, IsopticBuild::None);
}

TEST(IsopticConstantsTest, ClassesIntervalsAndThePointsOfTheDialogDefaults) {
    EXPECT_EQ(ClassifyCubic({-1, -3, 1}), CubicClass::Two);  // 49 - 40 = 9
    EXPECT_EQ(ClassifyCubic({0, -100, 1}), CubicClass::One);
    // a^2 - 2b = 2 sqrt(b^2 + c^2) exactly.
    EXPECT_EQ(ClassifyCubic({2, 0, 2}), CubicClass::Singular);
    EXPECT_EQ(ClassifyCubic({2, 0, 2 + 1e-9}), CubicClass::One);

    CWorldPoint p[4];
    ASSERT_TRUE(PointsFromConstants({-1, -3, 1}, p));
    ExpectNear(p[0], {-1.8, -1.35}, 1e-12);
    ExpectNear(p[1], {0.8, 0.6}, 1e-12);
    ExpectNear(p[2], {-1.8, 2.6}, 1e-12);
    ExpectNear(p[3], {0.8, -52.0 / 45}, 1e-12);
    const Cx w = ToCx(p[0]) * ToCx(p[3]);
    EXPECT_NEAR(std::abs(w - Cx(-3, 1)), 0, 1e-12);
    EXPECT_NEAR((ToCx(p[1]) * ToCx(p[2]) - w).real(), 0, 1e-12);

    CIsopticDefinition def;
    def.k = {-1, -3, 1};
    std::copy(p, p + 4, def.pts);
    const CIsopticIntervals iv = IsopticIntervals(CubicClass::Two, def.k);
    const double want[] = {-2.325141, -0.910927, -0.089073, 1.325141};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(iv.x[i], want[i], 1e-6);
    EXPECT_EQ(Counts(Sample(def)), (std::vector<int>{79, 52, 82}));

    double b = 0;
    ASSERT_TRUE(SingularB(-1, 1, b));
    EXPECT_DOUBLE_EQ(b, -0.75);
    EXPECT_FALSE(SingularB(0, 1, b));
    def.k.b = b;
    ASSERT_EQ(ClassifyCubic(def.k), CubicClass::Singular);
    const CIsopticIntervals s = IsopticIntervals(CubicClass::Singular, def.k);
    EXPECT_NEAR(s.x[0], -1.618034, 1e-6);
    EXPECT_NEAR(s.x[1], -0.5, 1e-12);
    EXPECT_NEAR(s.x[2], 0.618034, 1e-6);
    double y1, y2;
    CubicRoots(def.k, -0.5, y1, y2);
    EXPECT_NEAR(y1, -1, 1e-12);
    EXPECT_NEAR(y2, -1, 1e-12);

    // The generation would divide by zero.
    EXPECT_FALSE(PointsFromConstants({2, 0, 0}, p));
    EXPECT_FALSE(PointsFromConstants({0, 3, 0}, p));
    EXPECT_FALSE(PointsFromConstants({NAN, -3, 1}, p));
    for (const CIsopticConstants& k :
         {CIsopticConstants{0, -2, 0}, CIsopticConstants{1, 2, 0}, CIsopticConstants{5, 2, 0},
          CIsopticConstants{1, 0, 2}, CIsopticConstants{1, 3, -2}}) {
        SCOPED_TRACE(k.a + 10 * k.b + 100 * k.c);
        ASSERT_TRUE(PointsFromConstants(k, p));
        const Cx ad = ToCx(p[0]) * ToCx(p[3]), bc = ToCx(p[1]) * ToCx(p[2]);
        EXPECT_NEAR(std::abs(ad - Cx(k.b, k.c)), 0, 1e-9);
        EXPECT_NEAR(std::abs(bc - Cx(k.b, k.c)), 0, 1e-9);
        EXPECT_NEAR(p[0].x + p[3].x, k.a, 1e-9);
        EXPECT_NEAR(p[1].x + p[2].x, k.a, 1e-9);
    }
}

TEST(IsopticSamplingTest, PiecesEndNextToTheAsymptoteOvalsHave2nPointsAndClippingKeepsRuns) {
    // A negative discriminant at x gives the double root.
    double y1, y2;
    CubicRoots({0, -1, 1}, 0.5, y1, y2);  // c^2 - 4t(t + b) = 1 - 4(0.25)(-0.75) > 0
    EXPECT_NE(y1, y2);
    CubicRoots({0, 1, 1}, 2, y1, y2);  // 1 - 4 * 4 * 5 < 0
    EXPECT_EQ(y1, y2);
    EXPECT_DOUBLE_EQ(y1, -0.25);

    // An unclipped piece: the last abscissa is a -/+ the gap, 2n points.
    const CIsopticConstants k{1, 0.5, 0.25};
    const CSheetRect huge{-1e12, 1e12, -1e12, 1e12};
    std::vector<CPolyline> out;
    ASSERT_EQ(SampleIsopticInterval({}, k, -1, 2, 11, huge, out), 0);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].size(), 22u);
    EXPECT_EQ(out[0].front().x, 1 - kAsymptoteGap);
    EXPECT_EQ(out[0].back().x, 1 - kAsymptoteGap);
    EXPECT_EQ(out[1].front().x, 1 + kAsymptoteGap);
    out.clear();
    ASSERT_EQ(SampleIsopticInterval({}, k, 1.5, 2, 11, kSheet, out), 0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].size(), 22u);  // an oval, never tested against the sheet

    // (0, -100, 1): both turning points are off the sheet; ending a branch
    // at its first outside point would keep nothing. The runs make four
    // components that begin and end on the border (or where the curve
    // crosses its asymptote, x = 0).
    CIsopticDefinition def;
    def.k = {0, -100, 1};
    const std::vector<CPolyline> lines = Sample(def);
    ASSERT_EQ(lines.size(), 4u);
    for (const CPolyline& l : lines) {
        EXPECT_TRUE(OnBorder(l.front(), kSheet) || std::fabs(l.front().x) < 1e-6);
        EXPECT_TRUE(OnBorder(l.back(), kSheet) || std::fabs(l.back().x) < 1e-6);
        EXPECT_TRUE(OnBorder(l.front(), kSheet) || OnBorder(l.back(), kSheet));
        for (std::size_t i = 1; i + 1 < l.size(); ++i) EXPECT_TRUE(kSheet.StrictlyInside(l[i]));
    }

    // A branch that leaves and comes back makes a new run: a small sheet cut
    // by the oval-less piece of a One cubic.
    const CSheetRect band{-3, 3, -1.5, 1.5};
    out.clear();
    def.k = {0, -4, 0.1};
    SampleCubic(CubicClass::One, {}, def.k, IsopticIntervals(CubicClass::One, def.k), 201, band,
                out);
    // Per piece: the run through the turning point, and the lower branch
    // coming back to the asymptote after its dip below the band.
    ASSERT_EQ(out.size(), 4u);
    EXPECT_TRUE(OnBorder(out[1].front(), band));
    EXPECT_NEAR(std::fabs(out[1].back().x), kAsymptoteGap, 1e-12);
    for (const CPolyline& l : out) {
        EXPECT_GT(l.size(), 2u);
        for (const CWorldPoint& p : l)
            EXPECT_TRUE(band.StrictlyInside(p) || OnBorder(p, band)) << p.x << ", " << p.y;
    }
}

TEST(IsopticPositionTest, SpecialPositionsGiveTheirDegenerateShapesOrConics) {
    {
        SCOPED_TRACE("A = B is reordered to A = C: line BD and the point A");
        const CIsopticDefinition def = DefineIsoptic({1, 1}, {1, 1}, {3, 0}, {0, 4});
        ASSERT_EQ(def.build, IsopticBuild::Degenerate);
        EXPECT_EQ(def.parts.kind, 1);
        EXPECT_EQ(def.parts.shapeCode, 0);
        ExpectNear(def.parts.second[0], {1, 1});
        ExpectNear(def.pts[2], {1, 1});
        EXPECT_NEAR(DistanceToLine({3, 0}, def.parts.line[0], def.parts.line[1]), 0, 1e-12);
        EXPECT_NEAR(DistanceToLine({0, 4}, def.parts.line[0], def.parts.line[1]), 0, 1e-12);
    }
    {
        SCOPED_TRACE("B = C becomes A = D: the singular construction");
        const CIsopticDefinition def = DefineIsoptic({3, 0}, {0, 0}, {0, 0}, {1, 2});
        ASSERT_EQ(def.build, IsopticBuild::Singular);
        ExpectNear(def.pts[0], {0, 0});
        ExpectNear(def.pts[3], {0, 0});
        ExpectFrameIdentity(def);
    }
    {
        SCOPED_TRACE("collinear, code 0: a line and a circle");
        const CIsopticDefinition def = DefineIsoptic({0, 0}, {1, 0}, {2, 0}, {5, 0});
        ASSERT_EQ(def.build, IsopticBuild::Degenerate);
        EXPECT_EQ(def.parts.kind, 2);
        EXPECT_EQ(def.parts.shapeCode, 1);
        ExpectNear(def.parts.second[0], {-1, 0});
        EXPECT_NEAR(Distance(def.parts.second[0], def.parts.second[1]), std::sqrt(6.0), 1e-12);
    }
    {
        SCOPED_TRACE("collinear, code 1: the line and the perpendicular bisector of AD");
        const CIsopticDefinition def = DefineIsoptic({0, 0}, {1, 1}, {3, 3}, {4, 4});
        ASSERT_EQ(def.build, IsopticBuild::Degenerate);
        EXPECT_EQ(def.parts.shapeCode, 3);
        ExpectNear(def.parts.second[0], {2, 2});
        EXPECT_NEAR((def.parts.second[1] - def.parts.second[0]).Dot({1, 1}), 0, 1e-12);
    }
    {
        SCOPED_TRACE("collinear, code 2: the same pair twice");
        const CIsopticDefinition def = DefineIsoptic({0, 0}, {0, 0}, {4, 0}, {4, 0});
        ASSERT_EQ(def.build, IsopticBuild::Degenerate);
        EXPECT_EQ(def.parts.shapeCode, 2);
    }
    {
        SCOPED_TRACE("isosceles trapezoid: kind 9");
        const CIsopticDefinition def = DefineIsoptic({-1, 0}, {-2, 2}, {2, 2}, {1, 0});
        ASSERT_EQ(def.build, IsopticBuild::Degenerate);
        EXPECT_EQ(def.parts.kind, 9);
        ExpectNear(def.parts.second[0], {0, 1.75});
        EXPECT_NEAR(Distance(def.parts.second[0], def.parts.second[1]), 2.015564, 1e-6);
        EXPECT_NEAR(def.parts.line[0].x, 0, 1e-12);
        EXPECT_NEAR(def.parts.line[1].x, 0, 1e-12);
    }
    {
        SCOPED_TRACE("rectangle with AD || BC: kind 5");
        const CIsopticDefinition def = DefineIsoptic({0, 0}, {2, 0}, {2, 1}, {0, 1});
        ASSERT_EQ(def.build, IsopticBuild::Degenerate);
        EXPECT_EQ(def.parts.kind, 5);
        EXPECT_NEAR(def.parts.line[0].y, 0.5, 1e-12);
        EXPECT_NEAR(def.parts.line[1].y, 0.5, 1e-12);
        ExpectNear(def.parts.second[0], {1, 0.5});
        EXPECT_NEAR(Distance(def.parts.second[0], def.parts.second[1]), std::sqrt(1.25), 1e-12);
    }
    {
        SCOPED_TRACE("rectangle paired by its diagonals: a hyperbola, not kind 7");
        const CIsopticDefinition def = DefineIsoptic({0, 0}, {2, 0}, {0, 1}, {2, 1});
        ASSERT_EQ(def.build, IsopticBuild::Conic);
        ExpectNear(def.frame.origin, {1, 0.5});
        EXPECT_NEAR(def.k.a, 0.75, 1e-12);
    }
    {
        SCOPED_TRACE("unit square: the diagonals, kind 6");
        const CIsopticDefinition def = DefineIsoptic({0, 0}, {1, 0}, {0, 1}, {1, 1});
        ASSERT_EQ(def.build, IsopticBuild::Degenerate);
        EXPECT_EQ(def.parts.kind, 6);
        EXPECT_EQ(def.parts.shapeCode, 3);
    }
    {
        SCOPED_TRACE("a parallelogram with AD || BC: O halfway between the midpoints");
        const CIsopticDefinition def = DefineIsoptic({0, 0}, {3, 0}, {4, 2}, {1, 2});
        ASSERT_NE(def.build, IsopticBuild::None);
        ASSERT_NE(def.build, IsopticBuild::Degenerate);
        ExpectNear(def.frame.origin, {2, 1});
        ExpectFrameIdentity(def);
    }
}

TEST(IsopticConicTest, FitsEveryParallelogramThroughItsPointsAndSamplesBothBranches) {
    // The points lie on x^2 - y^2 = a in the fitted frame; the second set has
    // asymptotes parallel to the world axes and needs the turned fit.
    const CWorldPoint sets[][4] = {{{0, 0}, {2, 0}, {0, 1}, {2, 1}},
                                   {{0, 0}, {1, 2}, {3, -6}, {4, -4}},
                                   {{0, 0}, {1, 0}, {0.5, 2}, {1.5, 2}},
                                   {{1, 1}, {4, 2}, {0, 3}, {3, 4}}};
    for (const auto& pts : sets) {
        SCOPED_TRACE(pts[2].y);
        CIsopticFrame f;
        double a = 0;
        ASSERT_TRUE(FitRectangularHyperbola(pts, f, a));
        EXPECT_TRUE(f.IsSound());
        for (int i = 0; i < 4; ++i) {
            const CWorldPoint c = f.ToCanonical(pts[i]);
            EXPECT_NEAR(c.x * c.x - c.y * c.y, a, 1e-9);
        }
    }
    const CIsopticDefinition def = DefineIsoptic({0, 0}, {2, 0}, {0, 1}, {2, 1});
    double x1, x2;
    ASSERT_TRUE(ConicInterval(def.frame, def.k.a, kSheet, x1, x2));
    EXPECT_NEAR(x1, -11.5, 1e-12);
    EXPECT_NEAR(x2, 10.5, 1e-12);
    CPolyline first, second;
    SampleConic(def.frame, def.k.a, x1, x2, 41, kSheet, first, second);
    EXPECT_GT(first.size(), 2u);
    EXPECT_GT(second.size(), 2u);
    for (const CWorldPoint& p : first) {
        const CWorldPoint c = def.frame.ToCanonical(p);
        EXPECT_GT(c.x, 0);
        EXPECT_NEAR(c.x * c.x - c.y * c.y, 0.75, 1e-9);
    }
}

// |F| / |grad F| in canonical coordinates, and the argument of the defining
// ratio, for every sampled point of random cubics.
TEST(IsopticAccuracyTest, SampledPointsLieOnTheCubicAndSeeBothSegmentsUnderEqualAngles) {
    std::mt19937 gen(20261206);
    std::uniform_real_distribution<double> u(-5, 5);
    int built = 0;
    for (int trial = 0; trial < 60; ++trial) {
        const CWorldPoint P[4] = {
            {u(gen), u(gen)}, {u(gen), u(gen)}, {u(gen), u(gen)}, {u(gen), u(gen)}};
        const CIsopticDefinition def = DefineIsoptic(P[0], P[1], P[2], P[3]);
        if (def.build != IsopticBuild::One && def.build != IsopticBuild::Two &&
            def.build != IsopticBuild::Singular)
            continue;
        ++built;
        ExpectFrameIdentity(def);
        for (int n : {41, 1001}) {
            const std::vector<CPolyline> lines = Sample(def, n);
            for (const CPolyline& l : lines) {
                ASSERT_LE(int(l.size()), 2 * n);
                for (const CWorldPoint& p : l) {
                    ASSERT_TRUE(IsFinitePoint(p));
                    if (OnBorder(p, kSheet)) continue;
                    const CWorldPoint c = def.frame.ToCanonical(p);
                    const CWorldPoint g = CubicGradient(def.k, c.x, c.y);
                    const double gn = std::hypot(g.x, g.y);
                    ASSERT_LE(std::fabs(CubicValue(def.k, c.x, c.y)), 1e-6 * gn)
                        << "trial " << trial << " n " << n;
                    bool nearDefining = false;
                    for (const CWorldPoint& q : def.pts) nearDefining |= Distance(p, q) <= 0.01;
                    if (nearDefining) continue;
                    const Cx z = ToCx(p);
                    const Cx q = (ToCx(def.pts[0]) - z) * (ToCx(def.pts[3]) - z) *
                                 std::conj((ToCx(def.pts[1]) - z) * (ToCx(def.pts[2]) - z));
                    ASSERT_LE(std::fabs(q.imag()), 1e-6 * std::abs(q)) << "trial " << trial;
                }
            }
        }
    }
    EXPECT_GT(built, 40);
}

TEST(IsopticSolverTest, FootOfNormalAndTangent) {
    const CIsopticConstants k{-1, -3, 1};
    CWorldPoint foot;
    ASSERT_EQ(CubicFootOfNormal(k, {0.3, 0.4}, foot), 0);
    EXPECT_NEAR(CubicValue(k, foot.x, foot.y), 0, 1e-9);
    // The foot sees the start point along the normal.
    const CWorldPoint g = CubicGradient(k, foot.x, foot.y);
    EXPECT_NEAR(g.Cross(CWorldPoint{0.3, 0.4} - foot), 0, 1e-9);
    // A point on the curve is its own foot; the tangent is orthogonal to the
    // gradient.
    CWorldPoint again;
    ASSERT_EQ(CubicFootOfNormal(k, foot, again), 0);
    ExpectNear(again, foot, 1e-9);
    const CWorldPoint t = CubicTangentDirection({}, k, foot);
    EXPECT_NEAR(t.Dot(g), 0, 1e-9);
    // At the singular point of a node the Jacobian vanishes.
    EXPECT_EQ(CubicFootOfNormal({-1, -0.75, 1}, {-0.5, -1}, foot), 1);
}

}  // namespace
}  // namespace gyr
