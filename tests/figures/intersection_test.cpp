// Intersections: the primitive routines, the calculator's cases, the
// Edit -> Intersection command, persistence, and the nearest-intersection
// search against the plain all-pairs search.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "figures/arc_obj.h"
#include "figures/class_registry.h"
#include "figures/compo_obj.h"
#include "figures/figure_fixture.h"
#include "figures/intersection_obj.h"
#include "figures/line_obj.h"
#include "figures/nearest_intersection.h"
#include "figures/point_obj.h"
#include "figures/segment_obj.h"
#include "math/expect_near.h"
#include "model/archive.h"

namespace gyr {
namespace {

using testing::ExpectNear;

std::vector<CWorldPoint> PointsOf(CMyObj& a, CMyObj& b) {
    CIntersectionObj calc(&a, &b);
    calc.Compute();
    std::vector<CWorldPoint> out(std::size_t(calc.GetCount()));
    for (int i = 0; i < calc.GetCount(); ++i) EXPECT_TRUE(calc.GetPoint(i, out[std::size_t(i)]));
    return out;
}

CShapeObj Polygon(std::initializer_list<CWorldPoint> v) {
    CShapeObj s(int(v.size()));
    int i = 0;
    for (const CWorldPoint& p : v) s.SetVertex(i++, p);
    s.RecalcBounds();
    return s;
}

TEST(IntersectionPrimitives, ResultCodesTangencyAndEnds) {
    CWorldPoint x;
    EXPECT_EQ(LineLine({0, 0}, {1, 0}, {0, 1}, {1, 1}, x), 0);
    EXPECT_EQ(SegmentSegment({0, 0}, {2, 0}, {1, -1}, {1, 1}, x), 1);
    ExpectNear(x, {1, 0}, 1e-12);
    EXPECT_EQ(SegmentSegment({0, 0}, {0.5, 0}, {1, -1}, {1, 1}, x), -1);  // on the second only
    EXPECT_EQ(SegmentSegment({0, 0}, {0.5, 0}, {1, 1}, {1, 2}, x), -3);
    EXPECT_TRUE(OnSegment({2, 0}, {0, 0}, {2, 0}));  // ends count
    EXPECT_FALSE(OnSegment({2.001, 0}, {0, 0}, {2, 0}));

    CWorldPoint x1, x2;
    EXPECT_EQ(LineCircle({0, 0}, 2, {-5, 2 + 5e-9}, {5, 2 + 5e-9}, x1, x2), 1);
    EXPECT_EQ(x1, CWorldPoint(0, 2 + 5e-9));
    EXPECT_EQ(LineCircle({0, 0}, 2, {-5, 2.1}, {5, 2.1}, x1, x2), 0);
    EXPECT_EQ(CircleCircle({0, 0}, 1, {1, 0}, 1, x1, x2), 2);
}

class IntersectionTest : public testing::FigureTest {
protected:
    template <class T>
    T* Put(T* obj) {
        obj->SetDocument(&doc);
        obj->RecalcBounds();
        doc.AddObject(obj);
        return obj;
    }
};

TEST_F(IntersectionTest, StraightObjectsActAsTheirWholeLines) {
    // Two segments that do not touch: the crossing of their lines.
    CSegmentObj a({0, 0}, {1, 0}), b({3, 1}, {3, 2});
    EXPECT_EQ(PointsOf(a, b), std::vector<CWorldPoint>{CWorldPoint(3, 0)});
    CSegmentObj parallel({0, 1}, {1, 1});
    EXPECT_TRUE(PointsOf(a, parallel).empty());

    // A segment and a circle: both points of the segment's line.
    CCircleObj circle({5, -1}, 1.5);
    circle.RecalcBounds();
    EXPECT_EQ(PointsOf(a, circle).size(), 2u);

    // A tangent line: exactly one point.
    CCircleObj unit({0, 0}, 2);
    unit.RecalcBounds();
    CLine tangent({-5, 2}, {5, 2});
    EXPECT_EQ(PointsOf(tangent, unit), std::vector<CWorldPoint>{CWorldPoint(0, 2)});

    // An arc counts as its full circle, outside its span too.
    CArcObj arc({0, 0}, {2, 0}, {0, 2});
    CSegmentObj below({-5, -1}, {5, -1});
    const auto onArcCircle = PointsOf(below, arc);
    ASSERT_EQ(onArcCircle.size(), 2u);
    EXPECT_NEAR(std::fabs(onArcCircle[0].x), std::sqrt(3.0), 1e-12);
}

TEST_F(IntersectionTest, EdgesKeepOnlyPointsOnThemselves) {
    // A polygon edge and a circle: only the points on the edges.
    CShapeObj square = Polygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
    CCircleObj circle({5, -1}, 1.5);
    circle.RecalcBounds();
    const auto points = PointsOf(square, circle);
    ASSERT_EQ(points.size(), 2u);
    ExpectNear(points[0], {5 - std::sqrt(1.25), 0}, 1e-12);
    ExpectNear(points[1], {4, -1 + std::sqrt(1.25)}, 1e-12);

    // Two triangles sharing a vertex: it comes once per pair of edges
    // through it.
    CShapeObj t1 = Polygon({{0, 0}, {2, 0}, {0, 2}});
    CShapeObj t2 = Polygon({{0, 0}, {-2, 1}, {-1, -2}});
    EXPECT_EQ(PointsOf(t1, t2), std::vector<CWorldPoint>(4, CWorldPoint(0, 0)));

    // A curve: the closing edge counts only for a closed component.
    const CWorldPoint ring[] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    CompoObj closed, open;
    closed.AddPoints(ring, 4, 1);
    open.AddPoints(ring, 4, 0);
    CLine across({-1, 1}, {3, 1});
    EXPECT_EQ(PointsOf(across, closed),
              (std::vector<CWorldPoint>{CWorldPoint(2, 1), CWorldPoint(0, 1)}));
    EXPECT_EQ(PointsOf(open, across), std::vector<CWorldPoint>{CWorldPoint(2, 1)});
    EXPECT_EQ(PointsOf(closed, t1).size(), 8u);  // each corner once per crossing edge pair

    // Whatever is not a shape takes part in nothing.
    CMyObj plain;
    EXPECT_TRUE(PointsOf(plain, across).empty());
}

TEST_F(IntersectionTest, APointIsTheShortEdgeFromItsCentre) {
    CPointObj point({1, 1}, 0.08, 2);
    point.RecalcBounds();
    CSegmentObj far({1.04, 3}, {1.04, 5});  // its line crosses the edge
    const auto points = PointsOf(point, far);
    ASSERT_EQ(points.size(), 1u);
    ExpectNear(points[0], {1.04, 1}, 1e-12);
    CSegmentObj beside({1.2, -3}, {1.2, 5});
    EXPECT_TRUE(PointsOf(point, beside).empty());
    CCircleObj circle({1, 1}, 0.05);  // a point is no circle: its edge meets this one
    circle.RecalcBounds();
    EXPECT_EQ(PointsOf(circle, point).size(), 1u);

    // The nearest search never takes a point.
    Put(new CPointObj(point));
    Put(new CSegmentObj(far));
    CMyObj *first = nullptr, *second = nullptr;
    CWorldPoint x;
    int count = 0;
    EXPECT_FALSE(FindNearestIntersection(doc.Objects(), {1, 1}, first, second, x, count));
}

TEST_F(IntersectionTest, ResultPersistsAsItsComponentFields) {
    CSegmentObj a({0, 0}, {4, 0});
    CCircleObj c({2, 0}, 1);
    c.RecalcBounds();
    CIntersectionObj calc(&a, &c);
    calc.Compute();
    ASSERT_EQ(calc.GetCount(), 2);
    CWorldPoint x;
    EXPECT_FALSE(calc.GetPoint(2, x));

    CArchive out(&doc);
    calc.Serialize(out);
    std::vector<std::uint8_t> bytes = out.TakeBytes();
    EXPECT_EQ(bytes.size(), 2u + 4u + 2u * 16u);  // closed flag, count, points
    CArchive in(bytes.data(), bytes.size(), doc.Classes(), &doc);
    CIntersectionObj loaded;
    loaded.Serialize(in);
    ASSERT_EQ(loaded.GetCount(), 2);
    EXPECT_EQ(loaded.m_pResult->m_points, calc.m_pResult->m_points);
    EXPECT_EQ(DrawingClasses().Find("CIntersectionObj"), &CIntersectionObj::kClass);
}

TEST_F(IntersectionTest, NearestTakesTheEarliestPairOfEquallyNearPoints) {
    // Three lines through the origin; the one nearest the click is last.
    auto* s1 = Put(new CSegmentObj({-1, 0}, {1, 0}));
    auto* s2 = Put(new CSegmentObj({0, -1}, {0, 1}));
    Put(new CSegmentObj({-1, -1}, {1, 1}));
    Put(new CPointObj({0.3, 0.2}, 0.08, 2));
    CMyObj *first = nullptr, *second = nullptr;
    CWorldPoint x;
    int count = 0;
    ASSERT_TRUE(FindNearestIntersection(doc.Objects(), {0.3, 0.2}, first, second, x, count));
    EXPECT_EQ(first, s1);
    EXPECT_EQ(second, s2);
    EXPECT_EQ(x, CWorldPoint(0, 0));
    EXPECT_EQ(count, 1);
}

// Random scenes of every kind, half of them on a coarse grid so that
// coincident points and exactly equal distances are common.
class RandomScene {
public:
    explicit RandomScene(unsigned seed) : m_rng(seed), m_grid(seed % 2 == 0) {}

    CObList Build(int n) {
        CObList list;
        for (int i = 0; i < n; ++i) {
            auto obj = Make();
            obj->RecalcBounds();
            list.push_back(obj.get());
            m_owned.push_back(std::move(obj));
        }
        return list;
    }
    CWorldPoint Pt() {
        if (m_grid) return {double(Int(-4, 4)), double(Int(-3, 3))};
        std::uniform_real_distribution<double> u(-5, 5);
        return {u(m_rng), u(m_rng)};
    }

private:
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    std::unique_ptr<CMyObj> Make() {
        switch (Int(0, 8)) {
            case 0:
                return std::make_unique<CSegmentObj>(Pt(), Pt());
            case 1:
                return std::make_unique<CLine>(Pt(), Pt());
            case 2:
                return std::make_unique<CCircleObj>(Pt(), double(Int(1, 6)) / 2);
            case 3:
                return std::make_unique<CArcObj>(Pt(), Pt(), Pt());
            case 4:
                return std::make_unique<CPointObj>(Pt(), 0.08, 2);
            case 5:
                return std::make_unique<CMyObj>();
            case 6: {
                auto t = std::make_unique<CShapeObj>(Int(2, 5));
                for (int i = 0; i < t->m_nPoints; ++i) t->SetVertex(i, Pt());
                return t;
            }
            default: {
                auto c = std::make_unique<CompoObj>();
                for (int k = Int(1, 2); k > 0; --k) {
                    std::vector<CWorldPoint> walk{Pt()};
                    for (int j = Int(1, 20); j > 0; --j)
                        walk.push_back(walk.back() + (Pt() - walk.back()) * 0.3);
                    c->AddPoints(walk.data(), int(walk.size()), std::uint32_t(Int(0, 1)));
                }
                return c;
            }
        }
    }

    std::mt19937 m_rng;
    bool m_grid;
    std::vector<std::unique_ptr<CMyObj>> m_owned;
};

TEST(NearestIntersectionProperty, PrunedSearchGivesThePlainSearchsAnswer) {
    int found = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        RandomScene scene(seed);
        const CObList list = scene.Build(2 + int(seed % 30));
        for (int click = 0; click < 4; ++click) {
            const CWorldPoint p = click == 0 ? CWorldPoint(0, 0) : scene.Pt();
            CMyObj *f1 = nullptr, *s1 = nullptr, *f2 = nullptr, *s2 = nullptr;
            CWorldPoint x1, x2;
            int c1 = -1, c2 = -1;
            const bool a = FindNearestIntersectionAllPairs(list, p, f1, s1, x1, c1);
            const bool b = FindNearestIntersection(list, p, f2, s2, x2, c2);
            SCOPED_TRACE("seed " + std::to_string(seed) + " click " + std::to_string(click));
            ASSERT_EQ(a, b);
            if (!a) continue;
            ++found;
            ASSERT_EQ(f1, f2);
            ASSERT_EQ(s1, s2);
            ASSERT_EQ(x1, x2);
            ASSERT_EQ(c1, c2);
        }
    }
    EXPECT_GT(found, 180);
}

}  // namespace
}  // namespace gyr
