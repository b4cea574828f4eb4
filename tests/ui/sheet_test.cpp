// The sheet: world <-> pixel mapping, the axes' update step, drawing,
// listing, spin bands, persistence, the default page size and zooming.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <memory>

#include "doc/archive.h"
#include "doc/document.h"
#include "doc/program_state.h"
#include "port/recording_canvas.h"
#include "port/scripted_host.h"
#include "ui/axes.h"
#include "ui/sheet_mapping.h"

namespace gyr {
namespace {

CSheetParams Sheet800x600(double labelsX = 2.0, double labelsY = 2.0) {
    CSheetParams p;
    p.originX = 400;
    p.originY = 300;
    p.width = 800;
    p.height = 600;
    p.labelsPerX = labelsX;
    p.labelsPerY = labelsY;
    return p;
}

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        host.document = &doc;
        doc.OnNewDocument();
        Use(Sheet800x600());
    }
    void Use(const CSheetParams& p) {
        doc.m_sheetParams = p;
        doc.ApplySheetParams();
        doc.SetModifiedFlag(false);
        host.Clear();
    }
    CAxes& Axes() { return *doc.Sheet(); }

    ScriptedHost host;
    CGyrDoc doc;
};

TEST_F(SheetTest, MappingTruncatesTowardZero) {
    EXPECT_EQ(WorldToPixel({1, 1}), (PixelPoint{450, 250}));
    CWorldPoint w = PixelToWorld({425, 300});
    EXPECT_DOUBLE_EQ(w.x, 0.5);
    EXPECT_DOUBLE_EQ(w.y, 0.0);
    // Negative fractional products truncate toward zero, not downward.
    EXPECT_EQ(WorldToPixel({-0.01, -0.01}), (PixelPoint{400, 300}));
    EXPECT_EQ(WorldToPixel({-0.03, 0.039}), (PixelPoint{399, 299}));
    EXPECT_EQ(WorldToPixel({0.019, 0}), (PixelPoint{400, 300}));

    EXPECT_EQ(WorldToPixelRect({1, 1}, 10, 20), (PixelRect{450, 250, 460, 270}));
    EXPECT_EQ(WorldToPixelRect({-1, 2}, {3, -4}), (PixelRect{350, 200, 550, 500}));
    CWorldPoint lt, rb;
    PixelRectToWorld({350, 200, 550, 500}, lt, rb);
    EXPECT_EQ(lt, CWorldPoint(-1, 2));
    EXPECT_EQ(rb, CWorldPoint(3, -4));

    // Far-away points saturate instead of overflowing.
    EXPECT_EQ(WorldToPixel({1e300, -1e300}), (PixelPoint{INT_MAX, INT_MAX}));
    EXPECT_EQ(WorldToPixel({-1e300, std::nan("")}), (PixelPoint{INT_MIN + 400, 300}));
    EXPECT_EQ(TruncToInt(-2.9), -2);
}

TEST_F(SheetTest, SheetTestsAreStrict) {
    // World rectangle (-8, 6) .. (8, -6).
    EXPECT_TRUE(IsOnSheet({7.99, 5.99}));
    EXPECT_FALSE(IsOnSheet({8, 0}));
    EXPECT_FALSE(IsOnSheet({-8, 0}));
    EXPECT_FALSE(IsOnSheet({0, 6}));
    EXPECT_FALSE(IsOnSheet({0, -6}));
    EXPECT_TRUE(IsYWithinSheet(-5.99));
    EXPECT_FALSE(IsYWithinSheet(-6));

    // Pixel tolerance 4 / 50 = 0.08.
    EXPECT_DOUBLE_EQ(Mapping().pixelTolerance, 0.08);
    EXPECT_TRUE(SamePoint({0, 0}, {0.079, -0.079}));
    EXPECT_FALSE(SamePoint({0, 0}, {0.001, 0.08}));
    EXPECT_TRUE(SamePointExact({1, 1}, {1 + 5e-9, 1}));
    EXPECT_FALSE(SamePointExact({0, 0}, {0, 1e-8}));
}

TEST_F(SheetTest, UpdateStepDerivesTicksRectangleAndScaledMapping) {
    ResetProgramState();
    EXPECT_DOUBLE_EQ(Mapping().pixelTolerance, 0.2);

    CSheetParams p = Sheet800x600(2.0, 0.5);
    p.generalScale = 1.5;
    p.axesColor = 0x123456;
    Axes().SetAll(p);
    CAxes& a = Axes();
    EXPECT_EQ(a.m_t4, 6);
    EXPECT_EQ(a.m_t5, 7);
    EXPECT_EQ(a.m_t7, 10);
    EXPECT_EQ(a.m_ticksLeft, 16);
    EXPECT_EQ(a.m_ticksRight, 16);
    EXPECT_EQ(a.m_ticksAbove, 3);
    EXPECT_EQ(a.m_ticksBelow, 3);
    EXPECT_EQ(a.m_spacingX, 37);   // trunc(50 * 1.5 / 2)
    EXPECT_EQ(a.m_spacingY, 150);  // trunc(50 * 1.5 / 0.5)
    // The world rectangle comes from the unscaled record.
    EXPECT_EQ(a.m_leftTop, CWorldPoint(-8, 6));
    EXPECT_EQ(a.m_rightBottom, CWorldPoint(8, -6));
    EXPECT_EQ(a.m_axesPen, (LogPen{kPenInsideFrame, 1, 0, 0x123456}));

    const CSheetMapping& m = Mapping();
    EXPECT_EQ(m.originX, 600);
    EXPECT_EQ(m.originY, 450);
    EXPECT_EQ(m.unitX, 75);
    EXPECT_EQ(m.sheetWidth, 1200);
    EXPECT_EQ(m.sheetHeight, 900);
    EXPECT_DOUBLE_EQ(m.pixelTolerance, 4.0 / 75);
    EXPECT_EQ(m.worldLeftTop, CWorldPoint(-8, 6));

    // Uneven origin: counts truncate each side separately.
    p = Sheet800x600(3.0, 2.0);
    p.originX = 333;
    Axes().SetAll(p);
    EXPECT_EQ(a.m_ticksLeft, 19);   // 333 * 3 / 50 = 19.98
    EXPECT_EQ(a.m_ticksRight, 28);  // 467 * 3 / 50 = 28.02
    EXPECT_EQ(a.m_spacingX, 16);

    EXPECT_DOUBLE_EQ(a.SetGeneralScale(4.0), 1.0);
    EXPECT_EQ(Mapping().sheetWidth, 3200);
    EXPECT_DOUBLE_EQ(a.SetGeneralScale(1.0), 4.0);
    EXPECT_EQ(Mapping().sheetWidth, 800);
}

struct Label {
    PixelPoint at;
    std::string text;
};

std::vector<Label> Labels(const RecordingCanvas& dc) {
    std::vector<Label> out;
    for (auto& r : dc.Of(RecordingCanvas::Op::TextOut)) out.push_back({r.points[0], r.text});
    return out;
}

bool HasLabel(const std::vector<Label>& labels, PixelPoint at, const std::string& text) {
    for (auto& l : labels)
        if (l.at == at && l.text == text) return true;
    return false;
}

TEST_F(SheetTest, DrawsAxesTicksAndWholeUnitLabels) {
    RecordingCanvas dc;
    LogPen before{kPenDash, 3, 0, 0xFF};
    dc.SelectPen(&before);
    dc.SetTextColor(0x00FF00);
    Axes().Draw(dc);

    auto lines = dc.Of(RecordingCanvas::Op::LineTo);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].points, (std::vector<PixelPoint>{{400, 0}, {400, 600}}));
    EXPECT_EQ(lines[1].points, (std::vector<PixelPoint>{{0, 300}, {800, 300}}));
    EXPECT_EQ(lines[0].pen, (LogPen{kPenInsideFrame, 1, 0, 0xC0C0C0}));
    // 33 x ticks (-16..16) and 25 y ticks (-12..12) after the two axes.
    EXPECT_EQ(lines.size(), 2u + 33 + 25);
    EXPECT_EQ(lines[2].points, (std::vector<PixelPoint>{{0, 300}, {0, 305}}));
    EXPECT_EQ(lines[35].points, (std::vector<PixelPoint>{{400, 600}, {405, 600}}));

    auto labels = Labels(dc);
    EXPECT_EQ(labels.size(), 16u + 12);
    // Tick 1 has no label, tick 2 shows "1"; the origin none.
    EXPECT_TRUE(HasLabel(labels, {450 - 4, 307}, "1"));
    EXPECT_TRUE(HasLabel(labels, {350 - 7, 307}, "-1"));
    EXPECT_TRUE(HasLabel(labels, {407, 250 - 7}, "1"));
    EXPECT_TRUE(HasLabel(labels, {407, 350 - 7}, "-1"));
    for (auto& l : labels) {
        EXPECT_NE(l.at.x, 425 - 4);
        EXPECT_NE(l.text, "0");
    }
    EXPECT_EQ(dc.Of(RecordingCanvas::Op::TextOut)[0].textColor, 0xC0C0C0u);
    EXPECT_EQ(dc.CurrentPen().pen, before);
    EXPECT_EQ(dc.GetTextColor(), 0x00FF00u);

    // Half a label per unit: ticks every two units carry 2, 4, ...
    Use(Sheet800x600(0.5, 0.5));
    dc.Clear();
    Axes().Draw(dc);
    labels = Labels(dc);
    EXPECT_TRUE(HasLabel(labels, {500 - 4, 307}, "2"));
    EXPECT_TRUE(HasLabel(labels, {600 - 4, 307}, "4"));
    EXPECT_TRUE(HasLabel(labels, {300 - 7, 307}, "-2"));
    EXPECT_TRUE(HasLabel(labels, {407, 200 - 7}, "2"));
    EXPECT_EQ(labels.size(), 8u + 6);

    // Mode 1: the two axes only; mode 0: nothing.
    CSheetParams p = Sheet800x600();
    p.axesMode = 1;
    Use(p);
    dc.Clear();
    Axes().Draw(dc);
    EXPECT_EQ(dc.Of(RecordingCanvas::Op::LineTo).size(), 2u);
    EXPECT_TRUE(Labels(dc).empty());
    p.axesMode = 0;
    Use(p);
    dc.Clear();
    Axes().Draw(dc);
    EXPECT_TRUE(dc.records.empty());
}

TEST_F(SheetTest, ListsTheRecordWithSpinSeparators) {
    DataLines lines;
    ASSERT_EQ(Axes().ListData(lines), 15);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0].rfind("Address :  ", 0), 0u);
    EXPECT_EQ(lines[1], "Size in bytes :  " + std::to_string(sizeof(CAxes)));
    EXPECT_EQ(lines[2], "Width in pix =  800");
    EXPECT_EQ(lines[3], "Height in pix =  600");
    EXPECT_EQ(lines[4], "Origin-x in pix =  400");
    EXPECT_EQ(lines[7], "Scale-y in pix =  50");
    EXPECT_EQ(lines[8], "General scale :  1.000000");
    EXPECT_EQ(lines[10], "Labels-y :  2.000000");
    EXPECT_EQ(lines[11], "Left-top.x :  -8.000000");
    EXPECT_EQ(lines[14], "Right-bottom.y :  -6.000000");
}

TEST_F(SheetTest, SpinBandsChangeTheDocumentRecord) {
    CAxes& a = Axes();
    EXPECT_EQ(a.SetDataValue(2, 0, 1), &a);
    EXPECT_EQ(doc.m_sheetParams.width, 810);
    EXPECT_EQ(a.m_params.width, 810);
    EXPECT_EQ(Mapping().sheetWidth, 810);
    EXPECT_EQ(host.sheetSizeChanges, 1);
    EXPECT_TRUE(doc.IsModified());

    EXPECT_EQ(a.SetDataValue(5, 12345, -1), &a);  // the edited value is ignored
    EXPECT_EQ(doc.m_sheetParams.originY, 299);
    EXPECT_EQ(Mapping().originY, 299);
    EXPECT_EQ(host.sheetSizeChanges, 1);

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
    EXPECT_EQ(doc.m_sheetParams.width, 440);
    EXPECT_EQ(a.SetDataValue(2, 0, 1), nullptr);
    EXPECT_NE(a.SetDataValue(4, 0, 1), nullptr);
    EXPECT_EQ(a.SetDataValue(4, 0, 1), nullptr);  // 32000 is outside
    // A big step may not leave the reach of a single one.
    EXPECT_EQ(a.SetDataValue(3, 0, -100), nullptr);
    EXPECT_EQ(doc.m_sheetParams.height, 600);
    EXPECT_EQ(a.SetDataValue(1, 0, 1), nullptr);
    EXPECT_EQ(a.SetDataValue(8, 0, 1), nullptr);
}

TEST_F(SheetTest, OffsetCloneAndPicking) {
    CAxes& a = Axes();
    a.Offset({1, 2});
    EXPECT_EQ(a.m_leftTop, CWorldPoint(-7, 8));
    EXPECT_EQ(a.m_rightBottom, CWorldPoint(9, -4));
    EXPECT_EQ(a.m_params, Sheet800x600());
    EXPECT_EQ(Mapping().originX, 400);
    EXPECT_EQ(WorldToPixel({1, 1}), (PixelPoint{450, 250}));

    std::unique_ptr<CMyObj> copy(a.Clone());
    ASSERT_TRUE(copy->IsKindOf(&CAxes::kClass));
    EXPECT_EQ(copy->m_leftTop, a.m_leftTop);
    EXPECT_EQ(static_cast<CAxes*>(copy.get())->m_params, a.m_params);

    int edge = 0;
    EXPECT_EQ(a.DistanceTo({0, 0}, edge), 1e10);
    EXPECT_EQ(a.HitTest({0, 0}), -1);
}

TEST_F(SheetTest, RecordIsFiftySixRawBytesAfterTheBaseFields) {
    CSheetParams p = Sheet800x600(2.5, 0.25);
    p.generalScale = 1.25;
    p.unitX = 60;
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
    auto put = [&](std::size_t at, const void* v, std::size_t n) {
        std::memcpy(expect + at, v, n);
    };
    put(0, &p.generalScale, 8);
    put(8, &p.originX, 4);
    put(12, &p.originY, 4);
    put(16, &p.unitX, 4);
    put(20, &p.unitY, 4);
    put(24, &p.width, 4);
    put(28, &p.height, 4);
    put(32, &p.labelsPerX, 8);
    put(40, &p.labelsPerY, 8);
    put(48, &p.axesMode, 4);
    put(52, &p.axesColor, 4);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + start, bytes.end()),
              std::vector<std::uint8_t>(expect, expect + 56));

    CArchive in(bytes.data(), bytes.size());
    std::unique_ptr<CMyObj> back(in.ReadObject());
    ASSERT_TRUE(back && back->IsKindOf(&CAxes::kClass));
    EXPECT_EQ(static_cast<CAxes*>(back.get())->m_params, p);
}

TEST_F(SheetTest, DefaultPageSizeFromThePrinter) {
    EXPECT_EQ(DefaultPageSize(), (PixelPoint{770, 1100}));
    // A fresh document's first New took the fallback size.
    CGyrDoc fresh;
    fresh.OnNewDocument();
    EXPECT_EQ(fresh.m_sheetParams.width, 770);
    EXPECT_EQ(fresh.m_sheetParams.height, 1100);
    EXPECT_EQ(fresh.m_sheetParams.originX, 385);
    EXPECT_EQ(fresh.m_sheetParams.originY, 550);
    EXPECT_EQ(fresh.m_sheetParams.axesMode, 2);
    EXPECT_EQ(fresh.Sheet()->m_params, fresh.m_sheetParams);

    // Letter at 300 dpi: margin 23, 2527 x 3277 printer pixels, truncated
    // to screen pixels.
    host.printer = Host::PrinterPage{300, 300, 2550, 3300};
    EXPECT_EQ(DefaultPageSize(), (PixelPoint{808, 1048}));
    host.printer = Host::PrinterPage{600, 300, 4960, 3300};
    EXPECT_EQ(DefaultPageSize(), (PixelPoint{786, 1048}));
    host.printer = Host::PrinterPage{0, 0, 100, 100};
    EXPECT_EQ(DefaultPageSize(), (PixelPoint{770, 1100}));
}

TEST(ScaledUnitTest, ZoomInMovesAtLeastOnePixel) {
    EXPECT_EQ(ScaledUnit(1, 1.5), 2);
    EXPECT_EQ(ScaledUnit(0, 1.5), 2);
    EXPECT_EQ(ScaledUnit(50, 1.5), 75);
    EXPECT_EQ(ScaledUnit(3, 1.2), 4);
    EXPECT_EQ(ScaledUnit(10, 0.5), 5);
    EXPECT_EQ(ScaledUnit(1, 1 / 1.5), 0);
    EXPECT_EQ(ScaledUnit(50, 1.0), 51);
}

TEST_F(SheetTest, ZoomRespectsTheExpansionSetting) {
    // Default: units only.
    EXPECT_TRUE(ZoomSheet(doc, 1.5));
    EXPECT_EQ(doc.m_sheetParams.unitX, 75);
    EXPECT_EQ(doc.m_sheetParams.width, 800);
    EXPECT_EQ(Mapping().unitY, 75);
    EXPECT_EQ(host.sheetSizeChanges, 0);
    EXPECT_TRUE(doc.IsModified());

    doc.m_expansion = 0;
    doc.m_sheetParams.width = 1001;
    doc.m_sheetParams.height = 1000;
    EXPECT_TRUE(ZoomSheet(doc, 0.5));
    EXPECT_EQ(doc.m_sheetParams.width, 500);
    EXPECT_EQ(doc.m_sheetParams.height, 500);
    EXPECT_EQ(doc.m_sheetParams.unitX, 37);
    EXPECT_EQ(Mapping().sheetWidth, 500);
    EXPECT_EQ(host.sheetSizeChanges, 1);
    // 250 falls below 440: nothing changes, but the message shows.
    EXPECT_FALSE(ZoomSheet(doc, 0.5));
    EXPECT_EQ(doc.m_sheetParams.width, 500);
    EXPECT_EQ(host.LastMessage(), kMsgZoomLimit);
    host.Clear();

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
    EXPECT_EQ(Axes().m_params, p);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(host.sheetSizeChanges, 0);

    // Units only: a unit of 3 cannot shrink to 2.
    p = Sheet800x600();
    p.unitY = 3;
    Use(p);
    doc.m_expansion = 2;
    EXPECT_FALSE(ZoomSheet(doc, 1 / 1.5));
    EXPECT_EQ(doc.m_sheetParams.unitX, 50);
}

}  // namespace
}  // namespace gyr
