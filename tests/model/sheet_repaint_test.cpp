// A repaint of part of a wide sheet draws every tick and label that shows
// there, and leaves out the thousands that lie elsewhere.

#include <gtest/gtest.h>

#include <algorithm>

#include "model/obj_list.h"
#include "model/sheet_fixture.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

using SheetRepaintTest = SheetTest;

bool Meets(PixelRect a, const PixelRect& r) {
    return a.Normalized().Intersects(r);
}

TEST_F(SheetRepaintTest, APartOfAWideSheetDrawsWhatShowsThere) {
    CSheetParams p = Sheet800x600();
    p.width = 20000;
    p.height = 3000;
    p.originX = 10000;
    p.originY = 1500;
    Use(p);
    RecordingCanvas whole;
    Axes().Draw(whole);
    const auto allTexts = whole.Of(RecordingCanvas::Op::TextOut);
    ASSERT_GT(allTexts.size(), 400u);

    for (const PixelRect r : {PixelRect{9990, 1490, 10100, 1600}, PixelRect{400, 1400, 460, 1530},
                              PixelRect{10000, 300, 10040, 340}, PixelRect{0, 0, 20000, 3000},
                              PixelRect{10003, 1510, 10004, 1511}}) {
        RecordingCanvas part;
        DrawObjectWithin(&Axes(), part, r);
        const auto texts = part.Of(RecordingCanvas::Op::TextOut);
        // Every label whose box meets r, and nothing but labels of the whole.
        for (const auto& t : allTexts) {
            const PixelPoint a = t.points[0];
            const PixelPoint e = part.TextExtent(t.text);
            if (!Meets({a.x, a.y, a.x + e.x, a.y + e.y}, r)) continue;
            EXPECT_TRUE(std::ranges::any_of(texts, [&](const auto& u) {
                return u.points == t.points && u.text == t.text;
            })) << t.text;
        }
        for (const auto& u : texts)
            EXPECT_TRUE(std::ranges::any_of(
                allTexts, [&](const auto& t) { return u.points == t.points && u.text == t.text; }));
        // Each tick that meets r is there too; the two axes always are.
        const auto allLines = whole.Of(RecordingCanvas::Op::LineTo);
        const auto lines = part.Of(RecordingCanvas::Op::LineTo);
        for (const auto& l : allLines) {
            const PixelPoint a = l.points[0], b = l.points[1];
            if (!Meets({a.x, a.y, b.x + 1, b.y + 1}, r)) continue;
            EXPECT_TRUE(
                std::ranges::any_of(lines, [&](const auto& m) { return m.points == l.points; }))
                << a.x << "," << a.y;
        }
        if (r.Width() < 200) {
            EXPECT_LT(texts.size(), 12u);
            EXPECT_LT(lines.size(), 16u);
        }
    }
}

}  // namespace
}  // namespace gyr::testing
