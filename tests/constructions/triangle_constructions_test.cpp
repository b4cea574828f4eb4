// The elements of a picked triangle: values for a scalene, right, obtuse,
// equilateral and degenerate triangle, and what is left out where an element
// is undefined.

#include "constructions/triangle_constructions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "figures/circle_obj.h"
#include "figures/figure_fixture.h"
#include "figures/line_obj.h"
#include "figures/segment_obj.h"
#include "figures/triangle_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"

namespace gyr::testing {
namespace {

using Construction = bool (*)(CGestureState&, unsigned, const CWorldPoint&);

class TriangleConstructionTest : public FigureTest {
protected:
    // Picks the triangle with the tool and runs the construction; the
    // figures it added, in order.
    std::vector<CMyObj*> Run(Construction f, int code, const CWorldPoint& a, const CWorldPoint& b,
                             const CWorldPoint& c, bool expectMade = true) {
        UseTool(kToolTriangle, code);
        CTriangle* t = MakeTriangle(state, a, b, c);
        const std::size_t before = doc.Objects().size();
        state.m_pFirstPicked = state.m_pPicked = t;
        state.m_nStage = 1;
        EXPECT_EQ(f(state, 0, a), expectMade);
        std::vector<CMyObj*> made(doc.Objects().begin() + before, doc.Objects().end());
        for (const CMyObj* obj : made) {
            EXPECT_TRUE(state.m_gesture.empty());
            for (int i = 0; i < obj->GetVertexCount(); ++i)
                EXPECT_TRUE(IsFinitePoint(obj->GetVertices()[i]));
        }
        return made;
    }
    static void ExpectSegment(const CMyObj* obj, const CWorldPoint& p0, const CWorldPoint& p1) {
        ASSERT_TRUE(obj && obj->IsSegment());
        ExpectNear(obj->GetVertices()[0], p0, 1e-9);
        ExpectNear(obj->GetVertices()[1], p1, 1e-9);
    }
    static void ExpectCircle(const CMyObj* obj, const CWorldPoint& centre, double r) {
        ASSERT_TRUE(obj && obj->IsCircle());
        const auto* c = static_cast<const CCircleObj*>(obj);
        ExpectNear(c->Centre(), centre, 1e-6);
        EXPECT_NEAR(c->m_radius, r, 1e-9);
    }
    const CWorldPoint A{0, 0}, B{6, 0}, C{1, 4};
};

TEST_F(TriangleConstructionTest, SegmentsOfAScaleneTriangle) {
    auto m = Run(&MediansOfPick, kCodeMedians, A, B, C);
    ASSERT_EQ(m.size(), 3u);
    ExpectSegment(m[0], A, {3.5, 2});
    ExpectSegment(m[1], B, {0.5, 2});
    ExpectSegment(m[2], C, {3, 0});

    auto h = Run(&HeightsOfPick, kCodeHeights, A, B, C);
    ASSERT_EQ(h.size(), 3u);
    ExpectSegment(h[0], A, {96.0 / 41, 120.0 / 41});
    ExpectSegment(h[1], B, {6.0 / 17, 24.0 / 17});
    ExpectSegment(h[2], C, {1, 0});

    const double s17 = std::sqrt(17.0), s41 = std::sqrt(41.0);
    auto d = Run(&BisectorsOfPick, kCodeBisectors, A, B, C);
    ASSERT_EQ(d.size(), 3u);
    ExpectSegment(d[0], A, CWorldPoint{6, 0} + CWorldPoint{-5, 4} * (6 / (6 + s17)));
    ExpectSegment(d[1], B, CWorldPoint{1, 4} * (6 / (6 + s41)));
    ExpectSegment(d[2], C, {6 * s17 / (s17 + s41), 0});
}

TEST_F(TriangleConstructionTest, CirclesAndEulerLineOfAScaleneTriangle) {
    const double s17 = std::sqrt(17.0), s41 = std::sqrt(41.0), s697 = std::sqrt(697.0);
    auto e = Run(&EulerCircleOfPick, kCodeEulerCircle, A, B, C);
    ASSERT_EQ(e.size(), 1u);
    ExpectCircle(e[0], {2, 21.0 / 16}, s697 / 16);

    auto k = Run(&EnclosingCircleOfPick, kCodeEnclosingCircle, A, B, C);
    ASSERT_EQ(k.size(), 1u);
    ExpectCircle(k[0], {3, 11.0 / 8}, s697 / 8);

    auto l = Run(&EulerLineOfPick, kCodeEulerLine, A, B, C);
    ASSERT_EQ(l.size(), 1u);
    ASSERT_TRUE(l[0]->IsLine());
    for (int i = 0; i < 2; ++i) {  // x - 16y + 19 = 0 through centroid and orthocentre
        const CWorldPoint v = l[0]->GetVertices()[i];
        EXPECT_NEAR(v.x - 16 * v.y + 19, 0, 1e-9);
    }

    auto in = Run(&InscribedCirclesOfPick, kCodeInscribedCircles, A, B, C);
    ASSERT_EQ(in.size(), 4u);
    ExpectCircle(in[0], {4.140009, -5.302426}, 24 / (s41 + s17 - 6));
    ExpectCircle(in[1], {-2.263115, 2.898544}, 24 / (s41 - s17 + 6));
    ExpectCircle(in[2], {8.263115, 6.451645}, 24 / (s17 + 6 - s41));
    ExpectCircle(in[3], {1.859991, 1.452237}, 24 / (6 + s17 + s41));
}

TEST_F(TriangleConstructionTest, RightAndObtuseTriangles) {
    // Right angle at C = (0, 0).
    const CWorldPoint a{4, 0}, b{0, 3}, c{0, 0};
    auto h = Run(&HeightsOfPick, kCodeHeights, a, b, c);
    ASSERT_EQ(h.size(), 3u);
    ExpectSegment(h[0], a, c);  // the legs
    ExpectSegment(h[1], b, c);
    ExpectSegment(h[2], c, FootOfPerpendicular(c, a, b));
    auto k = Run(&EnclosingCircleOfPick, kCodeEnclosingCircle, a, b, c);
    ASSERT_EQ(k.size(), 1u);
    ExpectCircle(k[0], {2, 1.5}, 2.5);

    // Obtuse at (1, 1): two feet beyond their sides; the circumcircle, not
    // the smallest enclosing circle.
    const CWorldPoint p{0, 0}, q{4, 0}, r{1, 1};
    h = Run(&HeightsOfPick, kCodeHeights, p, q, r);
    ASSERT_EQ(h.size(), 3u);
    ExpectSegment(h[0], p, {0.4, 1.2});
    ExpectSegment(h[1], q, {2, 2});
    k = Run(&EnclosingCircleOfPick, kCodeEnclosingCircle, p, q, r);
    ASSERT_EQ(k.size(), 1u);
    ExpectCircle(k[0], {2, -1}, std::sqrt(5.0));
}

TEST_F(TriangleConstructionTest, EquilateralSegmentsCoincideAndHaveNoEulerLine) {
    const CWorldPoint a{0, 0}, b{2, 0}, c{1, std::sqrt(3.0)};
    auto m = Run(&MediansOfPick, kCodeMedians, a, b, c);
    auto h = Run(&HeightsOfPick, kCodeHeights, a, b, c);
    auto d = Run(&BisectorsOfPick, kCodeBisectors, a, b, c);
    ASSERT_EQ(m.size(), 3u);
    ASSERT_EQ(h.size(), 3u);
    ASSERT_EQ(d.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        ExpectSegment(h[i], m[i]->GetVertices()[0], m[i]->GetVertices()[1]);
        ExpectSegment(d[i], m[i]->GetVertices()[0], m[i]->GetVertices()[1]);
    }
    EXPECT_TRUE(Run(&EulerLineOfPick, kCodeEulerLine, a, b, c, false).empty());
    EXPECT_EQ(Run(&InscribedCirclesOfPick, kCodeInscribedCircles, a, b, c).size(), 4u);
}

TEST_F(TriangleConstructionTest, DegenerateTrianglesGiveOnlyWhatIsDefined) {
    // Collinear: no circle, no Euler line.
    const CWorldPoint a{0, 0}, b{4, 0}, c{1, 0};
    for (auto [f, code] : {std::pair<Construction, int>{&EulerCircleOfPick, kCodeEulerCircle},
                           {&EnclosingCircleOfPick, kCodeEnclosingCircle},
                           {&InscribedCirclesOfPick, kCodeInscribedCircles},
                           {&EulerLineOfPick, kCodeEulerLine}})
        EXPECT_TRUE(Run(f, code, a, b, c, false).empty()) << code;
    // Heights of collinear vertices would have no length.
    EXPECT_TRUE(Run(&HeightsOfPick, kCodeHeights, a, b, c, false).empty());

    // A zero side: no bisectors at all; only the medians that have a length.
    const CWorldPoint z{2, 3};
    EXPECT_TRUE(Run(&BisectorsOfPick, kCodeBisectors, a, z, z, false).empty());
    EXPECT_TRUE(Run(&BisectorsOfPick, kCodeBisectors, a, b, {4, 1e-12}, false).empty());
    auto m = Run(&MediansOfPick, kCodeMedians, a, z, z);
    ASSERT_EQ(m.size(), 3u);
    ExpectSegment(m[0], a, z);
    auto all = Run(&MediansOfPick, kCodeMedians, z, z, z, false);
    EXPECT_TRUE(all.empty());
    // Heights onto a side without direction are left out.
    EXPECT_TRUE(Run(&HeightsOfPick, kCodeHeights, a, z, z, false).empty());
}

TEST_F(TriangleConstructionTest, OnlyATriangleIsTaken) {
    UseTool(kToolTriangle, kCodeMedians);
    state.m_pFirstPicked = state.m_pPicked = MakeSegment(state, {0, 0}, {1, 1}, {});
    const std::size_t before = doc.Objects().size();
    EXPECT_FALSE(MediansOfPick(state, 0, {0, 0}));
    EXPECT_FALSE(EnclosingCircleOfPick(state, 0, {0, 0}));
    state.m_pPicked = nullptr;
    EXPECT_FALSE(HeightsOfPick(state, 0, {0, 0}));
    EXPECT_EQ(doc.Objects().size(), before);
}

}  // namespace
}  // namespace gyr::testing
