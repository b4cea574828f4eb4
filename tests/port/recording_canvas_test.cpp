// The test canvas must log exactly what was drawn with the pen and brush in
// force at that moment, since every drawing test reads its log.

#include "port/recording_canvas.h"

#include <gtest/gtest.h>

namespace gyr {
namespace {

TEST(RecordingCanvasTest, LogsPrimitivesWithTheSelectionInForce) {
    RecordingCanvas dc;
    LogPen pen{kPenDash, 3, 0, 0x00800000};
    LogBrush brush{kBrushSolid, 0xFF, 0};
    dc.SelectPen(&pen);
    dc.SelectBrush(nullptr);
    dc.MoveTo({1, 2});
    dc.LineTo({3, 4});
    dc.LineTo({5, 6});
    EXPECT_TRUE(dc.SelectBrush(&brush).null);
    Canvas::PenSel oldPen = dc.SelectPen(nullptr);
    EXPECT_EQ(oldPen.pen, pen);
    dc.Ellipse({0, 0, 10, 20});
    dc.RestorePen(oldPen);
    dc.SetRasterMode(RasterMode::InvertDest);
    dc.InvertRect({1, 1, 8, 8});
    dc.SetTextColor(0x123456);
    dc.TextOut({10, 20}, "abc");

    ASSERT_EQ(dc.lines.size(), 6u);
    EXPECT_EQ(dc.lines[2], "lineto (3,4) (5,6) pen{1,3,0x800000} brush{null}");
    EXPECT_EQ(dc.lines[3], "ellipse (0,0) (10,20) pen{null} brush{0,0xff,0}");
    EXPECT_EQ(dc.lines[4], "invertrect (1,1) (8,8) pen{1,3,0x800000} brush{0,0xff,0} rop{invert}");
    EXPECT_EQ(dc.Of(RecordingCanvas::Op::LineTo).size(), 2u);
    EXPECT_EQ(dc.records.back().textColor, 0x123456u);
    EXPECT_EQ(dc.records.back().text, "abc");
    EXPECT_EQ(dc.CurrentPosition(), (PixelPoint{5, 6}));
    EXPECT_EQ(dc.SetViewportOrg({5, 6}), (PixelPoint{0, 0}));
    EXPECT_EQ(dc.SetRasterMode(RasterMode::NotXor), RasterMode::InvertDest);
    dc.Arc({0, 0, 10, 10}, {10, 5}, {5, 0});
    EXPECT_EQ(dc.records.back().points.size(), 4u);
    dc.Clear();
    EXPECT_TRUE(dc.records.empty() && dc.lines.empty());
}

}  // namespace
}  // namespace gyr
