// Pixel rectangles of far-away figures: coordinates saturated at the int
// range stay there when a rectangle is grown or measured.

#include "math/pixel.h"

#include <gtest/gtest.h>

#include <climits>

namespace gyr {
namespace {

TEST(PixelRect, InflatingAndMeasuringSaturateAtTheIntRange) {
    const PixelRect far{INT_MAX - 2, INT_MIN + 1, INT_MAX, INT_MAX};
    EXPECT_EQ(far.Inflated(4), (PixelRect{INT_MAX - 6, INT_MIN, INT_MAX, INT_MAX}));
    EXPECT_EQ(far.Inflated(-4).left, INT_MAX);
    EXPECT_EQ(far.Height(), INT_MAX);
    EXPECT_EQ((PixelRect{INT_MAX, 0, INT_MIN, 0}).Width(), INT_MIN);
    EXPECT_EQ((PixelRect{10, 20, 30, 50}).Inflated(2), (PixelRect{8, 18, 32, 52}));
    EXPECT_EQ((PixelRect{10, 20, 30, 50}).Width(), 20);
    // Marks and crosses of a figure whose pixel saturated.
    EXPECT_EQ(Shifted({INT_MAX, INT_MIN}, 5, -4), (PixelPoint{INT_MAX, INT_MIN}));
    EXPECT_EQ(Shifted({INT_MAX, INT_MIN}, -5, 4), (PixelPoint{INT_MAX - 5, INT_MIN + 4}));
    EXPECT_EQ(MarkRect({INT_MAX, 7}), (PixelRect{INT_MAX - 3, 4, INT_MAX, 11}));
}

}  // namespace
}  // namespace gyr
