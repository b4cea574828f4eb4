// Figures far beyond the sheet are drawn on their true lines: the pixels
// handed to the canvas never come from a saturated conversion.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "figures/angle_obj.h"
#include "figures/figure_fixture.h"
#include "figures/segment_obj.h"
#include "figures/triangle_obj.h"
#include "math/sheet_mapping.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

// Pixel distance of q from the pixel line through the world point a in the
// world direction d.
double OffLine(PixelPoint q, CWorldPoint a, CWorldPoint d) {
    const double ax = Mapping().originX + Mapping().unitX * a.x;
    const double ay = Mapping().originY - Mapping().unitY * a.y;
    const double dx = d.x, dy = -d.y, len = std::hypot(dx, dy);
    return std::fabs((q.x - ax) * dy - (q.y - ay) * dx) / len;
}

bool OnWindowBorder(PixelPoint q) {
    const CSheetMapping& m = Mapping();
    auto near = [](double v, double edge) { return std::fabs(v - edge) <= 1; };
    return near(q.x, -kDrawMargin) || near(q.x, m.sheetWidth + kDrawMargin) ||
           near(q.y, -kDrawMargin) || near(q.y, m.sheetHeight + kDrawMargin);
}

using FarDrawingTest = FigureTest;

TEST_F(FarDrawingTest, AHugeTriangleKeepsTheDirectionOfItsSides) {
    const double c = 10 * std::numbers::pi / 180;
    for (double size : {1e8, 1e300}) {
        SCOPED_TRACE(size);
        const CWorldPoint dir{std::cos(c), std::sin(c)};
        CTriangle triangle({0, 0}, {size, 0}, dir * size);
        triangle.SetDocument(&doc);
        triangle.RecalcBounds();
        RecordingCanvas dc;
        triangle.Draw(dc);
        ASSERT_EQ(dc.records.size(), 1u);
        const auto& pts = dc.records[0].points;
        ASSERT_GE(pts.size(), 3u);
        bool reachesFarAlongTheSide = false;
        for (PixelPoint q : pts) {
            const double offSide = OffLine(q, {0, 0}, dir);
            const bool onAxis = OffLine(q, {0, 0}, {1, 0}) <= 1.5;
            EXPECT_TRUE(offSide <= 1.5 || onAxis || OnWindowBorder(q))
                << q.x << "," << q.y << " is " << offSide << " px off the side";
            if (offSide <= 1.5 && q.x > kDrawMargin / 2) reachesFarAlongTheSide = true;
        }
        EXPECT_TRUE(reachesFarAlongTheSide);
    }
}

TEST_F(FarDrawingTest, FarSegmentsAndAnglesAreCutToTheirVisiblePart) {
    // A diagonal through the origin with ends at +-1e300.
    CSegmentObj seg({-1e300, -1e300}, {1e300, 1e300});
    seg.SetDocument(&doc);
    seg.RecalcBounds();
    RecordingCanvas dc;
    seg.Draw(dc);
    ASSERT_EQ(dc.records.size(), 1u);
    for (PixelPoint q : dc.records[0].points) {
        EXPECT_LE(OffLine(q, {0, 0}, {1, 1}), 1.5);
        EXPECT_TRUE(OnWindowBorder(q));
    }

    // An arm wholly outside the window is not drawn; the other still is.
    CAngle angle({1e12, 1e12 + 1}, {1e12, 1e12}, {0, 0});
    angle.SetDocument(&doc);
    angle.RecalcBounds();
    dc.Clear();
    angle.Draw(dc);
    ASSERT_EQ(dc.records.size(), 1u);
    ASSERT_EQ(dc.records[0].points.size(), 2u);
    EXPECT_EQ(dc.records[0].points[0], WorldToPixel({0, 0}));
    EXPECT_LE(OffLine(dc.records[0].points[1], {0, 0}, {1, 1}), 1.5);
    EXPECT_TRUE(OnWindowBorder(dc.records[0].points[1]));

    // A segment wholly outside draws nothing.
    CSegmentObj away({1e9, 1e9}, {2e9, 1e9});
    away.SetDocument(&doc);
    away.RecalcBounds();
    dc.Clear();
    away.Draw(dc);
    EXPECT_TRUE(dc.records.empty());
}

}  // namespace
}  // namespace gyr::testing
