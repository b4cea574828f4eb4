// Lines built from picked figures.

#include "constructions/line_constructions.h"

#include <gtest/gtest.h>

#include "figures/figure_fixture.h"
#include "figures/line_obj.h"
#include "figures/segment_obj.h"
#include "math/kernel.h"

namespace gyr::testing {
namespace {

TEST_F(FigureTest, MiddleOrthogonalOfThePickedSide) {
    CSegmentObj* seg = MakeSegment(state, {0, 0}, {2, 2}, {});
    state.m_pPicked = seg;
    state.m_nPart = 1;
    ASSERT_TRUE(MiddleOrthogonalOfSide(state, 0, {1, 1}));
    ASSERT_EQ(Figures(), 2u);
    auto* bisector = static_cast<CLine*>(Last());
    EXPECT_EQ(bisector->GetRuntimeClass(), &CLine::kClass);
    EXPECT_LT(DistanceToLine({1, 1}, bisector->P0(), bisector->P1()), 1e-9);
    EXPECT_NEAR((bisector->P1() - bisector->P0()).Dot({1, 1}), 0, 1e-9);
    // Reaches across the sheet: x + y = 2 from the right border to the top
    // one, in the direction Perp(b - a).
    EXPECT_EQ(bisector->P0(), CWorldPoint(8, -6));
    EXPECT_EQ(bisector->P1(), CWorldPoint(-4, 6));

    // A side of zero length, or no pick, has no middle orthogonal.
    seg->m_points[1] = seg->m_points[0];
    EXPECT_FALSE(MiddleOrthogonalOfSide(state, 0, {0, 0}));
    state.m_pPicked = nullptr;
    EXPECT_FALSE(MiddleOrthogonalOfSide(state, 0, {0, 0}));
    EXPECT_EQ(Figures(), 2u);
}

}  // namespace
}  // namespace gyr::testing
