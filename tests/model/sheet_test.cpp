// The sheet: world <-> pixel mapping, the axes' update step, drawing,
// listing, spin bands, persistence, the default page size and zooming.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "math/sheet_mapping.h"
#include "model/archive.h"
#include "model/axes.h"
#include "model/document.h"
#include "model/program_state.h"
#include "model/runtime_class.h"
#include "model/sheet_fixture.h"
#include "port/recording_canvas.h"
#include "port/scripted_host.h"

namespace gyr::testing {
namespace {

TEST_F(SheetTest, MappingTruncatesTowardZero) {
    EXPECT_EQ(WorldToPixel({1, 1}), (PixelPoint{450, 250}));
    CWorldPoint w = PixelToWorld({425, 300});
    EXPECT_DOUBLE_EQ(w.x, 0.5);
    EXPECT_DOUBLE_EQ(w.y, 0.0);
    // Negative fractional products truncate toward zero, not downward.
    EXPECT_EQ(WorldToPixel({-0.01, -0.01}), (PixelPoint{400, 300}));
    EXPECT_EQ(WorldToPixel({-0.03, 0.039}), (PixelPoint{399, 299}));
    EXPECT_EQ(WorldToPixelRect({-1, 2}, {3, -4}), (PixelRect{350, 200, 550, 500}));
    // Far-away points saturate instead of overflowing.
    EXPECT_EQ(WorldToPixel({1e300, -1e300}), (PixelPoint{INT_MAX, INT_MAX}));
    EXPECT_EQ(WorldToPixel({-1e300, std::nan("")}), (PixelPoint{INT_MIN + 400, 300}));

    // The sheet rectangle (-8, 6) .. (8, -6) is open; tolerance 4 / 50.
    EXPECT_TRUE(IsOnSheet({7.99, 5.99}));
    EXPECT_FALSE(IsOnSheet({8, 0}));
    EXPECT_TRUE(SamePoint({0, 0}, {0.079, -0.079}));
    EXPECT_FALSE(SamePoint({0, 0}, {0.001, 0.08}));
}

TEST_F(SheetTest, UpdateStepDerivesTicksRectangleAndScaledMapping) {
    CSheetParams p = Sheet800x600(3.0, 0.5);
    p.originX = 333;
    p.generalScale = 1.5;
    Axes().SetAll(p);
    // Counts truncate each side separately: 333 * 3 / 50 = 19.98, 467 * 3 / 50 = 28.02.
    EXPECT_EQ(Axes().m_ticksLeft, 19);
    EXPECT_EQ(Axes().m_ticksRight, 28);
    EXPECT_EQ(Axes().m_spacingY, 150);  // trunc(50 * 1.5 / 0.5)
    // The world rectangle comes from the unscaled record, the mapping is scaled.
    EXPECT_DOUBLE_EQ(Axes().m_rightBottom.x, 9.34);
    EXPECT_EQ(Mapping().unitX, 75);
    EXPECT_EQ(Mapping().sheetWidth, 1200);
    EXPECT_DOUBLE_EQ(Mapping().pixelTolerance, 4.0 / 75);
}

bool HasLabel(const RecordingCanvas& dc, PixelPoint at, const std::string& text) {
    for (auto& r : dc.Of(RecordingCanvas::Op::TextOut))
        if (r.points[0] == at && r.text == text) return true;
    return false;
}

TEST_F(SheetTest, DrawsAxesTicksAndWholeUnitLabels) {
    RecordingCanvas dc;
    LogPen before{kPenDash, 3, 0, 0xFF};
    dc.SelectPen(&before);
    Axes().Draw(dc);
    auto lines = dc.Of(RecordingCanvas::Op::LineTo);
    ASSERT_EQ(lines.size(), 2u + 33 + 25);  // the axes, x ticks -16..16, y ticks -12..12
    EXPECT_EQ(lines[0].points, (std::vector<PixelPoint>{{400, 0}, {400, 600}}));
    EXPECT_EQ(lines[0].pen, (LogPen{kPenInsideFrame, 1, 0, 0xC0C0C0}));

    // Two labels per unit: tick 1 has no label, tick 2 shows "1"; the origin none.
    auto labels = dc.Of(RecordingCanvas::Op::TextOut);
    EXPECT_EQ(labels.size(), 16u + 12);
    EXPECT_TRUE(HasLabel(dc, {450 - 4, 307}, "1"));
    for (auto& l : labels) {
        EXPECT_NE(l.points[0].x, 425 - 4);
        EXPECT_NE(l.text, "0");
    }
    EXPECT_EQ(dc.CurrentPen().pen, before);

    // Half a label per unit: ticks every two units carry 2, 4, ...
    Use(Sheet800x600(0.5, 0.5));
    dc.Clear();
    Axes().Draw(dc);
    EXPECT_TRUE(HasLabel(dc, {500 - 4, 307}, "2"));
    EXPECT_EQ(dc.Of(RecordingCanvas::Op::TextOut).size(), 8u + 6);

    // Mode 1: the two axes only; mode 0: nothing.
    CSheetParams p = Sheet800x600();
    for (int mode : {1, 0}) {
        p.axesMode = mode;
        Use(p);
        dc.Clear();
        Axes().Draw(dc);
        EXPECT_EQ(dc.Of(RecordingCanvas::Op::LineTo).size(), mode == 1 ? 2u : 0u);
        EXPECT_TRUE(dc.Of(RecordingCanvas::Op::TextOut).empty());
    }
}

// Sheet records that no dialog produces but a file may hold: every tick and
// label lies on the sheet, nothing overflows (the sanitizer build aborts on
// any signed overflow), and the record is saved back unchanged.
TEST_F(SheetTest, HostileRecordsDrawOnlyWhatLiesOnTheSheet) {
    const double inf = std::numeric_limits<double>::infinity();
    auto drawn = [&](const CSheetParams& p) {
        Axes().SetAll(p);
        RecordingCanvas dc;
        Axes().Draw(dc);
        return dc;
    };
    auto ticks = [](const RecordingCanvas& dc) {
        return dc.Of(RecordingCanvas::Op::LineTo).size() - 2;
    };
    auto labels = [](const RecordingCanvas& dc) {
        return dc.Of(RecordingCanvas::Op::TextOut).size();
    };

    // Non-finite or non-positive label counts: no ticks, no labels.
    for (double l : {-inf, inf, std::nan(""), 0.0, -2.0}) {
        RecordingCanvas dc = drawn(Sheet800x600(l, l));
        EXPECT_EQ(ticks(dc), 0u) << l;
        EXPECT_EQ(labels(dc), 0u) << l;
    }
    // A unit of 0 pixels: every tick would land on the origin.
    CSheetParams p = Sheet800x600();
    p.unitX = p.unitY = 0;
    EXPECT_EQ(ticks(drawn(p)), 0u);
    // Spacing 1 pixel: none; 2 pixels: one tick every two pixels, on the sheet only.
    p = Sheet800x600(50, 50);
    EXPECT_EQ(ticks(drawn(p)), 0u);
    p = Sheet800x600(25, 25);
    EXPECT_EQ(ticks(drawn(p)), 401u + 301u);

    // The origin near INT_MAX: the y axis lies far below the sheet, so its
    // x ticks cannot show; the y ticks are those between 0 and 600.
    p = Sheet800x600();
    p.originY = INT_MAX;
    RecordingCanvas dc = drawn(p);
    for (auto& r : dc.Of(RecordingCanvas::Op::LineTo)) {
        if (r.points[0].x == r.points[1].x) continue;  // the vertical axis
        if (r.points[0].y == INT_MAX) continue;        // the horizontal axis
        EXPECT_GE(r.points[1].y, 0);
        EXPECT_LE(r.points[1].y, 600);
    }
    EXPECT_EQ(ticks(dc), 24u);  // y ticks at 22, 47, ..., 597 (INT_MAX is 22 mod 25)
    // An origin far to the left claims millions of ticks; 33 are on the sheet.
    p = Sheet800x600();
    p.originX = -100000;
    p.originY = 300;
    EXPECT_EQ(ticks(drawn(p)), 0u + 33u);
    // A sheet wider than any the dialog makes has ticks over 32000 pixels only.
    p = Sheet800x600();
    p.width = 67'436'543;
    EXPECT_EQ(ticks(drawn(p)), (32000u - 400u) / 25u + 17u + 25u);

    // None of these changes the record: it saves as it was read.
    p = Sheet800x600(-inf, std::nan(""));
    p.originY = INT_MAX;
    p.unitX = 0;
    Axes().SetAll(p);
    const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    CGyrDoc back{ModelClasses()};
    back.LoadFromBytes(bytes.data(), bytes.size());
    back.Sheet()->Update();
    RecordingCanvas sink;
    back.Sheet()->Draw(sink);
    EXPECT_EQ(back.SaveToBytes(), bytes);
}

TEST_F(SheetTest, ListingAndSpinBandsChangeTheDocumentRecord) {
    DataLines lines;
    ASSERT_EQ(Axes().ListData(lines), 15);
    EXPECT_EQ(lines[8], "General scale :  1.000000");

    CAxes& a = Axes();
    EXPECT_EQ(a.SetDataValue(2, 0, 1), &a);
    EXPECT_EQ(doc.m_sheetParams.width, 810);
    EXPECT_EQ(Mapping().sheetWidth, 810);
    EXPECT_EQ(host.sheetSizeChanges, 1);
    EXPECT_TRUE(doc.IsModified());

    // Band edges: unit 10 may still step down once, 9 no more.
    CSheetParams p = Sheet800x600();
    p.unitX = 10;
    p.width = 450;
    p.originX = 31999;
    Use(p);
    EXPECT_NE(a.SetDataValue(6, 0, -1), nullptr);
    EXPECT_EQ(doc.m_sheetParams.unitX, 9);
    EXPECT_EQ(a.SetDataValue(6, 0, 1), nullptr);
    EXPECT_NE(a.SetDataValue(2, 0, -1), nullptr);
    EXPECT_EQ(a.SetDataValue(2, 0, 1), nullptr);
    EXPECT_NE(a.SetDataValue(4, 0, 1), nullptr);
    EXPECT_EQ(a.SetDataValue(4, 0, 1), nullptr);     // 32000 is outside
    EXPECT_EQ(a.SetDataValue(3, 0, -100), nullptr);  // no more than one step
    EXPECT_EQ(doc.m_sheetParams.height, 600);
}

TEST_F(SheetTest, RecordIsFiftySixRawBytesAfterTheBaseFields) {
    CSheetParams p = Sheet800x600(2.5, 0.25);
    p.generalScale = 1.25;
    p.unitY = -7;
    p.axesMode = 1;
    p.axesColor = 0x80FF0102;
    Axes().SetAll(p);
    CArchive ar;
    ar.WriteObject(&Axes());
    const auto& bytes = ar.Bytes();
    // New class (6 + 5 name bytes), two corners, the u16 flag, the record.
    const std::size_t start = 6 + 5 + 32 + 2;
    ASSERT_EQ(bytes.size(), start + 56);
    std::uint8_t expect[56];
    std::size_t at = 0;
    auto put = [&](const auto& v) {
        std::memcpy(expect + at, &v, sizeof v);
        at += sizeof v;
    };
    put(p.generalScale), put(p.originX), put(p.originY), put(p.unitX), put(p.unitY);
    put(p.width), put(p.height), put(p.labelsPerX), put(p.labelsPerY), put(p.axesMode);
    put(p.axesColor);
    ASSERT_EQ(at, 56u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + start, bytes.end()),
              std::vector<std::uint8_t>(expect, expect + 56));
    CArchive in(bytes.data(), bytes.size(), ModelClasses());
    std::unique_ptr<CMyObj> back(in.ReadObject());
    ASSERT_TRUE(back && back->IsKindOf(&CAxes::kClass));
    EXPECT_EQ(static_cast<CAxes*>(back.get())->m_params, p);
}

TEST_F(SheetTest, DefaultPageSizeFromThePrinter) {
    EXPECT_EQ(DefaultPageSize(), (PixelPoint{770, 1100}));
    CGyrDoc fresh{ModelClasses()};
    fresh.OnNewDocument();
    EXPECT_EQ(fresh.m_sheetParams.originY, 550);
    // Letter at 300 dpi: margin 23, 2527 x 3277 printer pixels, truncated.
    host.printer = Host::PrinterPage{300, 300, 2550, 3300};
    EXPECT_EQ(DefaultPageSize(), (PixelPoint{808, 1048}));
    host.printer = Host::PrinterPage{0, 0, 100, 100};
    EXPECT_EQ(DefaultPageSize(), (PixelPoint{770, 1100}));
}

TEST_F(SheetTest, ZoomRespectsTheExpansionSettingAndItsLimits) {
    EXPECT_EQ(ScaledUnit(50, 1.0), 51);  // zooming in moves at least one pixel

    EXPECT_TRUE(ZoomSheet(doc, 1.5));  // default: units only
    EXPECT_EQ(doc.m_sheetParams.unitX, 75);
    EXPECT_EQ(doc.m_sheetParams.width, 800);
    EXPECT_EQ(Mapping().unitY, 75);
    EXPECT_TRUE(doc.IsModified());

    doc.m_expansion = 0;
    doc.m_sheetParams.width = 1001;
    doc.m_sheetParams.height = 1000;
    EXPECT_TRUE(ZoomSheet(doc, 0.5));
    EXPECT_EQ(doc.m_sheetParams.unitX, 37);
    EXPECT_EQ(host.sheetSizeChanges, 1);
    // 250 falls below 440: nothing changes, but the message shows.
    EXPECT_FALSE(ZoomSheet(doc, 0.5));
    EXPECT_EQ(doc.m_sheetParams.width, 500);
    EXPECT_EQ(host.LastMessage(), kMsgZoomLimit);

    CSheetParams p = Sheet800x600();
    p.width = 30000;
    Use(p);
    doc.m_expansion = 1;
    EXPECT_FALSE(ZoomSheet(doc, 1.5));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Dimensions cannot be greater than 32000 pixels \n or less than 440 pixels.\n"
              "So be kind and don't insist pressing this key");
    EXPECT_EQ(doc.m_sheetParams, p);
    EXPECT_EQ(host.sheetSizeChanges, 0);
}

}  // namespace
}  // namespace gyr::testing
