// Edit -> Intersection: points at every common point of two selected
// figures, a beep without two, a message without a common point.

#include "constructions/intersections.h"

#include <gtest/gtest.h>

#include "figures/circle_obj.h"
#include "figures/figure_fixture.h"
#include "figures/point_obj.h"
#include "figures/segment_obj.h"

namespace gyr::testing {
namespace {

class IntersectionTest : public FigureTest {
protected:
    template <class T>
    T* Put(T* obj) {
        obj->SetDocument(&doc);
        obj->RecalcBounds();
        doc.AddObject(obj);
        return obj;
    }
    static CShapeObj Polygon(std::initializer_list<CWorldPoint> pts) {
        CShapeObj s(int(pts.size()));
        int i = 0;
        for (const CWorldPoint& p : pts) s.m_points[i++] = p;
        return s;
    }
};

TEST_F(IntersectionTest, CommandAddsEveryPointBeepsOrReports) {
    auto* t1 = Put(new CShapeObj(Polygon({{0, 0}, {2, 0}, {0, 2}})));
    auto* t2 = Put(new CShapeObj(Polygon({{0, 0}, {-2, 1}, {-1, -2}})));
    state.Select(t1);
    EXPECT_EQ(IntersectSelection(state), 0);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(Figures(), 2u);

    state.Select(t2);
    IntersectSelection(state);
    ASSERT_EQ(Figures(), 6u);  // four coincident points
    ASSERT_TRUE(doc.Objects()[6]->IsPoint());
    EXPECT_EQ(static_cast<CPointObj*>(doc.Objects()[6])->Centre(), CWorldPoint(0, 0));
    EXPECT_TRUE(host.messages.empty());

    auto* far = Put(new CCircleObj({9, 9}, 1));
    state.DeselectAll();
    state.Select(far);
    state.Select(t1);
    IntersectSelection(state);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Pardon me, it seems that the objects you selected, \nhave no intersection "
              "points\n");
    EXPECT_EQ(Figures(), 7u);
}

TEST_F(IntersectionTest, APointOfTheSelectionTakesPart) {
    CPointObj* p = Put(new CPointObj({1, 1}, 0.08, 2));
    CSegmentObj* s = Put(new CSegmentObj({1.04, 3}, {1.04, 5}));
    state.Select(p);
    state.Select(s);
    EXPECT_EQ(IntersectSelection(state), 1);
}

}  // namespace
}  // namespace gyr::testing
