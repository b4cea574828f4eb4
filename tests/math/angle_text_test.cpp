// The text forms of angles: degrees:minutes:seconds both ways, and the
// recognition of fractions of pi.

#include "math/angle_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace gyr {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

TEST(AngleTextTest, DmsTruncatesAndKeepsTheSignOnTheLeadingPart) {
    EXPECT_EQ(FormatDms(-10.5 * kDeg), "-10:30:0");
    EXPECT_EQ(FormatDms(-0.5 * kDeg), "0:-30:0");
    EXPECT_EQ(FormatDms((30 + 15.0 / 60 + 59.9 / 3600) * kDeg), "30:15:59");
    // 60 degrees arrives as 59.99999999999999: whole seconds stay whole.
    EXPECT_EQ(FormatDms(std::numbers::pi / 3), "60:0:0");
    EXPECT_EQ(FormatDms(std::nan("")), "0:0:0");
    EXPECT_EQ(FormatDms(1e300), FormatDms(1e299));  // clamped, no overflow
}

TEST(AngleTextTest, ParseDmsReadsThreeIntegersWithAnySeparator) {
    EXPECT_NEAR(ParseDms("-10:30:0"), -10.5 * kDeg, 1e-15);
    EXPECT_NEAR(ParseDms("0:-30:0"), -0.5 * kDeg, 1e-15);
    EXPECT_NEAR(ParseDms("30 15/36"), (30 + 0.25 + 0.01) * kDeg, 1e-15);
    EXPECT_NEAR(ParseDms("45"), 45 * kDeg, 1e-15);
    EXPECT_EQ(ParseDms("abc"), 0);
    EXPECT_EQ(ParseDms("99999999999:1:1"), 0);  // does not fit: counts as 0
    EXPECT_NEAR(ParseDms(FormatDms(-123.456 * kDeg)), -123.456 * kDeg, 1.0 / 3600 * kDeg);
}

TEST(AngleTextTest, PiDenominatorRecognisesOnlyExactFractions) {
    EXPECT_EQ(PiDenominator(std::numbers::pi / 7), 7);
    EXPECT_EQ(PiDenominator(std::numbers::pi), 1);
    EXPECT_EQ(PiDenominator(0.5), 0);
    EXPECT_EQ(PiDenominator(1e-9), 0);
    EXPECT_EQ(PiDenominator(std::numbers::pi / 6 + 1e-7), 0);
    // Negative fractions are recognised as their mirror image.
    EXPECT_EQ(PiDenominator(-std::numbers::pi / 6), -6);
    EXPECT_EQ(FormatPiFraction(6), "pi/6");
    EXPECT_EQ(ParsePiFraction("pi/12"), 12);
    EXPECT_EQ(ParsePiFraction("pi/"), 0);
    EXPECT_EQ(ParsePiFraction("xx"), 0);
}

}  // namespace
}  // namespace gyr
