// Figures far beyond the sheet are drawn on their true lines: the pixels
// handed to the canvas never come from a saturated conversion.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>

#include "figures/angle_obj.h"
#include "figures/arc_obj.h"
#include "figures/circle_obj.h"
#include "figures/figure_fixture.h"
#include "figures/isoptic_obj.h"
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

// The pixel points of every stroke the canvas was given.
std::vector<PixelPoint> StrokedPoints(const RecordingCanvas& dc) {
    std::vector<PixelPoint> pts;
    for (const auto& rec : dc.records) {
        EXPECT_EQ(rec.op, RecordingCanvas::Op::Polyline);
        pts.insert(pts.end(), rec.points.begin(), rec.points.end());
    }
    return pts;
}

// Whether the pixel p lies inside the closed polygon (even-odd rule).
bool InsidePolygon(const std::vector<PixelPoint>& poly, double x, double y) {
    bool in = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const double xi = poly[i].x, yi = poly[i].y, xj = poly[j].x, yj = poly[j].y;
        if ((yi > y) != (yj > y) && x < xj + (y - yj) / (yi - yj) * (xi - xj)) in = !in;
    }
    return in;
}

TEST_F(FarDrawingTest, AHugeCircleShowsItsVisiblePartOnTheTrueCircle) {
    // Radius 1e8 (5e9 pixels), lowest point at (0, 1): across the sheet it is
    // a horizontal line one unit above the origin.
    const double r = 1e8;
    CCircleObj circle({0, r + 1}, r);
    circle.SetDocument(&doc);
    circle.RecalcBounds();
    RecordingCanvas dc;
    circle.Draw(dc);
    const std::vector<PixelPoint> pts = StrokedPoints(dc);
    ASSERT_GE(pts.size(), 2u);
    const int lineY = WorldToPixel({0, 1}).y;
    int left = INT_MAX, right = INT_MIN;
    for (PixelPoint q : pts) {
        // Within a pixel of the true circle (the sag is x^2 / 2r); across the
        // sheet that is the line y = 1.
        const CWorldPoint w = PixelToWorld(q);
        const double y = 1 + w.x * w.x / (2 * r);
        EXPECT_LE(std::fabs(q.y - (Mapping().originY - Mapping().unitY * y)), 1.5)
            << q.x << "," << q.y;
        if (q.x >= 0 && q.x <= Mapping().sheetWidth) {
            EXPECT_LE(std::fabs(double(q.y) - lineY), 1);
        }
        left = std::min(left, q.x);
        right = std::max(right, q.x);
    }
    // It runs out of the window on both sides.
    EXPECT_LE(left, -kDrawMargin / 2);
    EXPECT_GE(right, Mapping().sheetWidth + kDrawMargin / 2);
    // The centre is too far for its mark.
    for (const auto& rec : dc.records) EXPECT_NE(rec.op, RecordingCanvas::Op::MoveTo);

    // With 1e300 every digit near the sheet would be lost: the circle
    // through the origin is the axis.
    CCircleObj vast({0, 1e300}, 1e300);
    vast.SetDocument(&doc);
    vast.RecalcBounds();
    dc.Clear();
    vast.Draw(dc);
    const std::vector<PixelPoint> axis = StrokedPoints(dc);
    ASSERT_GE(axis.size(), 2u);
    for (PixelPoint q : axis) EXPECT_LE(std::fabs(double(q.y) - Mapping().originY), 1) << q.y;
}

TEST_F(FarDrawingTest, AHugeDiscIsFilledOnItsSideOfTheCircle) {
    // The disc below y = 1, filled: its polygon holds the sheet's points
    // below the line and none above it; the stroke comes after the fill.
    const double r = 1e8;
    CCircleObj disc({0, -r + 1}, r);
    disc.SetDocument(&doc);
    disc.m_bBrush = 1;
    disc.RecalcBounds();
    RecordingCanvas dc;
    disc.Draw(dc);
    ASSERT_GE(dc.records.size(), 2u);
    ASSERT_EQ(dc.records[0].op, RecordingCanvas::Op::Polygon);
    EXPECT_FALSE(dc.records[0].pen.has_value());
    EXPECT_TRUE(dc.records[0].brush.has_value());
    EXPECT_EQ(dc.records[1].op, RecordingCanvas::Op::Polyline);
    const auto& poly = dc.records[0].points;
    const int lineY = WorldToPixel({0, 1}).y;
    for (int x : {0, 400, 799})
        for (int dy : {-40, -3, 3, 40}) {
            EXPECT_EQ(InsidePolygon(poly, x + 0.5, lineY + dy + 0.5), dy > 0) << x << "," << dy;
        }

    // A disc holding the whole window fills it; its circle is nowhere near.
    CCircleObj all({0, 0}, 1e12);
    all.SetDocument(&doc);
    all.m_bBrush = 1;
    all.RecalcBounds();
    dc.Clear();
    all.Draw(dc);
    ASSERT_GE(dc.records.size(), 1u);
    EXPECT_EQ(dc.records[0].op, RecordingCanvas::Op::Polygon);
    for (const auto& rec : dc.records) EXPECT_NE(rec.op, RecordingCanvas::Op::Polyline);
    EXPECT_TRUE(InsidePolygon(dc.records[0].points, 10, 10));
}

TEST_F(FarDrawingTest, AHugeArcShowsOnlyItsOwnPart) {
    // Of the circle of radius 1e8 touching y = 1, the arc from x = 5
    // rightwards (counter-clockwise from just right of its lowest point),
    // turning by 0.002: far beyond the window.
    const double r = 1e8;
    const CWorldPoint c{0, r + 1};
    CArcObj arc;
    arc.SetArc(c, {5, 1 + 25 / (2 * r)}, c + CWorldPoint{std::sin(0.002), -std::cos(0.002)} * r);
    arc.SetDocument(&doc);
    arc.RecalcBounds();
    ASSERT_GT(arc.m_sweep, 0.001);
    RecordingCanvas dc;
    arc.Draw(dc);
    const std::vector<PixelPoint> pts = StrokedPoints(dc);
    ASSERT_GE(pts.size(), 2u);
    const int startX = WorldToPixel({5, 1}).x;
    int left = INT_MAX, right = INT_MIN;
    for (PixelPoint q : pts) {
        left = std::min(left, q.x);
        right = std::max(right, q.x);
        if (q.x <= Mapping().sheetWidth) {
            EXPECT_LE(std::fabs(double(q.y) - WorldToPixel({0, 1}).y), 1);
        }
    }
    EXPECT_LE(std::abs(left - startX), 1);
    EXPECT_GE(right, Mapping().sheetWidth + kDrawMargin / 2);

    // The rest of the circle, clockwise from the same start: from the
    // window's left edge up to x = 5.
    arc.m_sweep -= 2 * std::numbers::pi;
    dc.Clear();
    arc.Draw(dc);
    left = INT_MAX;
    right = INT_MIN;
    for (PixelPoint q : StrokedPoints(dc)) {
        right = std::max(right, q.x);
        left = std::min(left, q.x);
    }
    EXPECT_LE(std::abs(right - startX), 1);
    EXPECT_LE(left, -kDrawMargin / 2);
}

TEST_F(FarDrawingTest, AHugeCircleOfADegenerateIsopticIsItsVisiblePart) {
    auto* deg =
        static_cast<CIsopticDegenerate*>(AddIsopticThrough(&doc, {-1, 0}, {-2, 2}, {2, 2}, {1, 0}));
    ASSERT_NE(deg, nullptr);
    ASSERT_EQ(deg->m_nShapeCode, 1);
    // Its circle moved to centre (0, 1e8 + 1) through (0, 1), as a damaged
    // file could hold it.
    int count = 0;
    std::uint32_t closed = 0;
    auto* circle = const_cast<CWorldPoint*>(deg->ComponentAt(1, count, closed));
    ASSERT_EQ(count, 2);
    circle[0] = {0, 1e8 + 1};
    circle[1] = {0, 1};
    RecordingCanvas dc;
    deg->Draw(dc);
    const auto runs = dc.Of(RecordingCanvas::Op::Polyline);
    ASSERT_FALSE(runs.empty());
    const int lineY = WorldToPixel({0, 1}).y;
    for (const auto& run : runs)
        for (PixelPoint q : run.points)
            if (q.x >= 0 && q.x <= Mapping().sheetWidth) {
                EXPECT_LE(std::fabs(double(q.y) - lineY), 1);
            }
    // The point marks stay small ellipses.
    for (const auto& e : dc.Of(RecordingCanvas::Op::Ellipse))
        EXPECT_LE(std::abs(e.points[1].x - e.points[0].x), 20);
}

TEST_F(FarDrawingTest, ALargeCircleOnTheSheetIsAFinePolyline) {
    // 5,000 pixels of radius: beyond the platform ellipse, all in the window.
    CCircleObj circle({1, -2}, 100);
    circle.SetDocument(&doc);
    circle.RecalcBounds();
    RecordingCanvas dc;
    circle.Draw(dc);
    ASSERT_GE(dc.records.size(), 1u);
    ASSERT_EQ(dc.records[0].op, RecordingCanvas::Op::Polyline);
    const auto& pts = dc.records[0].points;
    ASSERT_GE(pts.size(), 100u);
    EXPECT_EQ(pts.front(), pts.back());  // closed
    const PixelPoint c = WorldToPixel({1, -2});
    for (PixelPoint q : pts) EXPECT_NEAR(std::hypot(q.x - c.x, q.y - c.y), 5000, 1.5);
    // A small one keeps the platform ellipse.
    CCircleObj small({1, -2}, 2);
    small.SetDocument(&doc);
    small.RecalcBounds();
    dc.Clear();
    small.Draw(dc);
    EXPECT_EQ(dc.records[0].op, RecordingCanvas::Op::Ellipse);
}

}  // namespace
}  // namespace gyr::testing
