// Text boxes: their file form, data lines, font, drawing and the text tool.

#include "figures/text_obj.h"

#include <gtest/gtest.h>

#include "figure_fixture.h"
#include "math/sheet_mapping.h"
#include "math/text_codec.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

class TextBoxTest : public FigureTest {
protected:
    void TearDown() override { TextResolution() = 96; }
    CTextObj Box(const std::string& text) {
        CTextObj box(text, {-2, 2}, {2, -2}, doc.m_textAttr);
        box.m_pDocument = &doc;
        return box;
    }
};

TEST_F(TextBoxTest, RoundTripsByteForByteAndLoadsIdle) {
    CTextObj box = Box("Caf\xC3\xA9\r\n\xCF\x80");
    box.m_bBold = 1;
    box.m_nJustify = 2;
    box.m_color = 0x00123456;
    box.m_strFontName = "Times";
    box.m_nSize = 13;
    std::vector<std::uint8_t> first, second;
    std::unique_ptr<CTextObj> loaded(RoundTrip(box, &first, &second));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(loaded->m_strText, box.m_strText);
    EXPECT_EQ(loaded->m_strFontName, "Times");
    EXPECT_EQ(loaded->m_nSize, 13);
    EXPECT_EQ(loaded->m_bBold, 1);
    EXPECT_EQ(loaded->m_nJustify, 2u);
    EXPECT_EQ(loaded->m_color, 0x00123456u);

    // The editing flag (right after the base fields: 16 + 16 + 2 bytes after
    // the class record) is stored but never read back as set.
    box.m_bEditing = 1;
    CArchive out(&doc);
    out.WriteObject(&box);
    std::vector<std::uint8_t> bytes = out.TakeBytes();
    const std::size_t flagAt = 6 + 8 + 34;
    ASSERT_EQ(bytes[flagAt], 1);
    CArchive in(bytes.data(), bytes.size(), doc.Classes(), &doc);
    std::unique_ptr<CMyObj> idle(in.ReadObject());
    EXPECT_EQ(static_cast<CTextObj*>(idle.get())->m_bEditing, 0);
    // A clone is never being edited either.
    std::unique_ptr<CMyObj> copy(box.Clone());
    EXPECT_EQ(static_cast<CTextObj*>(copy.get())->m_bEditing, 0);
}

TEST_F(TextBoxTest, DataLinesCountCharactersAndEditsKeepTheLimits) {
    CTextObj box = Box("Caf\xC3\xA9");
    DataLines lines;
    box.ListData(lines);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[1], "Text-size :  4");
    EXPECT_EQ(lines[2], "Total-size :  131");
    EXPECT_EQ(lines[3], "Upper-left.x =  -2.000000");
    EXPECT_EQ(lines[7], "Font : Courier New");
    EXPECT_EQ(lines[8], "Size =  12");

    box.SetDataValue(3, 1.8, 0);  // past right - 0.3
    EXPECT_EQ(box.m_leftTop.x, -2);
    box.SetDataValue(3, 1.6, 0);
    EXPECT_EQ(box.m_leftTop.x, 1.6);
    box.SetDataValue(6, 1.8, 0);
    EXPECT_EQ(box.m_rightBottom.y, -2);
    box.SetDataValue(8, 0, 2);
    EXPECT_EQ(box.m_nSize, 14);
    box.m_nSize = 999;
    box.SetDataValue(8, 0, 1);
    EXPECT_EQ(box.m_nSize, 999);
    box.m_nSize = 1;
    box.SetDataValue(8, 0, -1);
    EXPECT_EQ(box.m_nSize, 1);
}

TEST_F(TextBoxTest, FontFollowsTheSizeResolutionAndStyles) {
    CTextObj box = Box("x");
    EXPECT_EQ(box.Font().heightPixels, -16);
    TextResolution() = 1200;
    EXPECT_EQ(box.Font().heightPixels, -200);
    TextResolution() = 96;
    box.m_bBold = 1;
    box.m_bStrikeOut = 1;
    EXPECT_TRUE(box.Font().bold);
    EXPECT_TRUE(box.Font().strikeOut);
    EXPECT_FALSE(box.Font().italic);
    // A stored size beyond the range is kept but drawn clamped.
    box.m_nSize = -5;
    EXPECT_EQ(box.Font().heightPixels, -1);
    box.m_nSize = 100000;
    EXPECT_EQ(box.Font().heightPixels, -(999 * 96 / 72));
}

TEST_F(TextBoxTest, DrawsClippedToTheBoxWithLineBreaksAndJustification) {
    CTextObj box = Box("one\r\ntwo\rthree\nfour");
    box.m_nJustify = 1;
    box.m_color = 0x0000FF;
    RecordingCanvas dc;
    box.Draw(dc);
    ASSERT_EQ(dc.records.size(), 1u);
    const auto& r = dc.records[0];
    EXPECT_EQ(r.op, RecordingCanvas::Op::DrawTextInRect);
    EXPECT_EQ(r.text, "one\ntwo\nthree\nfour");
    EXPECT_EQ(r.textColor, 0x0000FFu);
    const PixelRect bounds = box.GetPixelBounds();
    EXPECT_EQ(r.points[0], (PixelPoint{bounds.left, bounds.top}));
    EXPECT_EQ(r.points[1], (PixelPoint{bounds.right, bounds.bottom}));

    // Text far beyond what the box can show is cut before it is drawn.
    CTextObj big = Box(std::string(1000000, 'x'));
    dc.Clear();
    big.Draw(dc);
    ASSERT_EQ(dc.records.size(), 1u);
    EXPECT_LT(dc.records[0].text.size(), 20000u);
    EXPECT_GT(dc.records[0].text.size(),
              400u);  // more than a 200-pixel box of 16-pixel lines shows
}

TEST_F(TextBoxTest, HitsTheHandleTheBodyOrNothing) {
    CTextObj box = Box("x");
    const PixelRect b = box.GetPixelBounds();
    EXPECT_EQ(box.HitTest(PixelToWorld({b.right - 2, b.bottom - 2})), 1);
    EXPECT_EQ(box.HitTest(PixelToWorld({b.left + 2, b.top + 2})), 0);
    EXPECT_EQ(box.HitTest(PixelToWorld({b.right + 2, b.top + 2})), -1);
    int edge = 0;
    EXPECT_EQ(box.DistanceTo({0, 0}, edge), 1e10);
    // The handle drags the bottom-right corner.
    box.MoveHandle(1, {3, -3});
    EXPECT_EQ(box.m_rightBottom, CWorldPoint(3, -3));
    EXPECT_EQ(box.m_leftTop, CWorldPoint(-2, 2));
}

TEST_F(TextBoxTest, TheToolSizesABoxAndDropsATinyOne) {
    UseTool(kToolText, kCodePlain);
    CMyObj* obj = Press(&DrawTextTool, {0, 0});
    ASSERT_NE(obj, nullptr);
    Move({2, -1});
    Release({2, -1});
    ASSERT_EQ(Figures(), 1u);
    auto* box = static_cast<CTextObj*>(Last());
    EXPECT_EQ(box->m_strText, kEnterTextHere);
    EXPECT_EQ(box->m_leftTop, CWorldPoint(0, 0));
    EXPECT_EQ(box->m_rightBottom, CWorldPoint(2, -1));
    EXPECT_TRUE(state.IsSelected(box));

    Press(&DrawTextTool, {4, 4});
    Move({4.1, 4});
    Release({4.1, 4});
    EXPECT_EQ(Figures(), 1u);
}

TEST_F(TextBoxTest, AttributesApplyToSelectedBoxesOnly) {
    auto* a = CreateTextBox(state, "a", 0, {0, 0, 100, 50});
    auto* b = CreateTextBox(state, "b\n", 20, {0, 100, 100, 150});
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->m_strText, "b\r\n");
    EXPECT_EQ(b->m_nSize, 20);
    state.Deselect(b);
    doc.m_textAttr.pointSize = 14;
    doc.m_textAttr.faceName = "Serif";
    doc.ApplyTextToSelection(0);
    EXPECT_EQ(a->m_nSize, 14);
    EXPECT_EQ(b->m_nSize, 20);
    EXPECT_EQ(a->m_strFontName, "Courier New");
    doc.ApplyTextToSelection(7);
    EXPECT_EQ(a->m_strFontName, "Serif");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(TextBoxTest, PastedTextIsABoxAtTheOriginCutAtAMillionCharacters) {
    CTextObj* box = PasteTextBox(state, "one\ntwo");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->m_strText, "one\r\ntwo");
    const PixelRect r = box->GetPixelBounds();
    EXPECT_EQ((PixelPoint{r.left, r.top}), WorldToPixel({0, 0}));
    EXPECT_EQ(r.Width(), 150);
    EXPECT_EQ(r.Height(), 150);
    EXPECT_EQ(host.beeps, 0);

    std::string big;
    for (std::size_t i = 0; i < kMaxPastedChars + 5; ++i) big += "\xC3\xA9";
    box = PasteTextBox(state, big);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Utf8Length(box->m_strText), kMaxPastedChars);
    EXPECT_EQ(host.beeps, 1);
}

}  // namespace
}  // namespace gyr::testing
