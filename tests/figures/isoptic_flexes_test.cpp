// The flexes kept with a cubic: searched once, then reused as stored (also
// after a file round trip and a rotation, which moves them); every
// recompute of the cubic forgets them; stored data that is not finite is
// refused rather than drawn.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "figures/figure_fixture.h"
#include "figures/isoptic_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"

namespace gyr::testing {
namespace {

class IsopticFlexTest : public FigureTest {
protected:
    void SetUp() override {
        FigureTest::SetUp();
        doc.m_sheetParams = {.originX = 385, .originY = 550, .width = 770, .height = 1100};
        doc.ApplySheetParams();
    }
    CIsoptic* General() { return AddIsopticThrough(&doc, {-3, -1}, {-2, 1}, {0, -2}, {-1, -2}); }
};

const CWorldPoint kFlexes[3] = {
    {-2.924071, -0.764133}, {-0.376170, 2.258462}, {-7.232716, -5.875513}};

TEST_F(IsopticFlexTest, SearchedOnceThenReusedAfterARoundTripAndARotation) {
    CIsoptic* obj = General();
    ASSERT_NE(obj, nullptr);
    int calls = -1;
    ASSERT_EQ(obj->FindFlexes(&calls), 3);
    EXPECT_GT(calls, 0);
    for (int i = 0; i < 3; ++i) ExpectNear(obj->m_extra[i], kFlexes[i], 1e-6);
    EXPECT_EQ(obj->m_nExtra, 3);

    ASSERT_EQ(obj->FindFlexes(&calls), 3);
    EXPECT_EQ(calls, 0);

    std::unique_ptr<CIsoptic> back(RoundTrip(*obj));
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->FindFlexes(&calls), 3);
    EXPECT_EQ(calls, 0);
    for (int i = 0; i < 3; ++i) ExpectNear(back->m_extra[i], kFlexes[i], 1e-6);

    obj->Rotate({1, 2}, 0.5);
    ASSERT_EQ(obj->FindFlexes(&calls), 3);
    EXPECT_EQ(calls, 0);
    for (int i = 0; i < 3; ++i)
        ExpectNear(obj->m_extra[i], RotateAbout(kFlexes[i], {1, 2}, 0.5), 1e-6);
}

TEST_F(IsopticFlexTest, EveryRecomputeForgetsTheFlexes) {
    CIsoptic* obj = General();
    ASSERT_EQ(obj->FindFlexes(), 3);
    obj->SetDataValue(9, obj->m_b + 0.5, 0);  // same variant: recomputed in place
    EXPECT_EQ(obj->m_nExtra, -1);
    int calls = 0;
    EXPECT_EQ(obj->FindFlexes(&calls), 3);
    EXPECT_GT(calls, 0);

    obj->SetDataValue(0, obj->m_pts[0].x + 0.1, 0);
    EXPECT_EQ(obj->m_nExtra, -1);
    ASSERT_EQ(obj->FindFlexes(), 3);
    obj->Reflect({0, 0}, {1, 0.3});
    EXPECT_EQ(obj->m_nExtra, -1);
    ASSERT_EQ(obj->FindFlexes(), 3);
    obj->Homothety({1, 1}, 2);
    EXPECT_EQ(obj->m_nExtra, -1);
    // What is found again lies on the moved cubic.
    ASSERT_EQ(obj->FindFlexes(), 3);
    const CWorldPoint c = obj->Frame().ToCanonical(obj->m_extra[1]);
    EXPECT_NEAR(CubicValue(obj->Constants(), c.x, c.y), 0, 1e-8);
}

TEST_F(IsopticFlexTest, UnsoundStoredDataIsRefusedAndOnlyProperCubicsHaveFlexes) {
    CIsoptic* obj = General();
    ASSERT_EQ(obj->FindFlexes(), 3);
    obj->m_extra[2].x = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(obj->FindFlexes(), -1);
    obj->m_extra[2] = {1, 1};  // finite, but off the curve
    EXPECT_EQ(obj->FindFlexes(), -1);

    CIsoptic* other = General();
    other->m_c = std::numeric_limits<double>::infinity();
    EXPECT_EQ(other->FindFlexes(), -1);
    EXPECT_EQ(other->m_nExtra, -1);

    CIsoptic* conic = AddIsopticThrough(&doc, {0, 0}, {2, 0}, {0.5, 1}, {2.5, 1});
    ASSERT_NE(conic, nullptr);
    ASSERT_EQ(conic->GetIsopticVariant(), IsopticVariant::Conic);
    EXPECT_EQ(conic->FindFlexes(), -1);
}

}  // namespace
}  // namespace gyr::testing
