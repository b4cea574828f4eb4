// The point tool through the view: Ctrl places the point on the nearest
// crossing of two figures.

#include <gtest/gtest.h>

#include "control/view_fixture.h"
#include "figures/point_obj.h"

namespace gyr::testing {
namespace {

TEST_F(ViewTest, CtrlClickWithThePointToolPlacesThePointOnTheCrossing) {
    AddSegment({-2, -1}, {2, 1});
    AddSegment({0, 1.5}, {2, -0.5});  // crosses the first at (1, 0.5)
    state.m_nToolKind = kToolPointMark;
    Click(Px(1.1, 0.4), kMkControl);
    ASSERT_EQ(doc.Objects().size(), 4u);
    ASSERT_TRUE(doc.Objects().back()->IsPoint());
    EXPECT_EQ(static_cast<CPointObj*>(doc.Objects().back())->Centre(), CWorldPoint(1, 0.5));

    // With only points and one segment left to pair, Ctrl adds nothing.
    doc.RemoveObject(doc.Objects()[1]);
    Click(Px(1.1, 0.4), kMkControl);
    EXPECT_EQ(doc.Objects().size(), 3u);
}

}  // namespace
}  // namespace gyr::testing
