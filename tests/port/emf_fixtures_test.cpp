// Metafiles written by another program (LibreOffice, from the SVG sources
// beside them in tests/data/emf; make_fixtures.sh remakes them): our player
// must accept their headers, pass over their EMF+ comment records, and draw
// their plain records where the SVG put the shapes, inside their clips.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "port/emf_player.h"
#include "port/recording_canvas.h"

namespace gyr {
namespace {

using Op = RecordingCanvas::Op;

std::vector<std::uint8_t> Fixture(const std::string& name) {
    std::ifstream in(std::string(GYR_EMF_FIXTURES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U32(const std::vector<std::uint8_t>& v, std::size_t at) {
    std::uint32_t x;
    std::memcpy(&x, v.data() + at, 4);
    return x;
}

constexpr std::uint32_t kEmrComment = 70;
constexpr std::uint32_t kEmfPlusTag = 0x2B464D45;  // "EMF+"

bool IsEmfPlusComment(const std::vector<std::uint8_t>& v, std::size_t at) {
    return U32(v, at) == kEmrComment && U32(v, at + 4) >= 16 && U32(v, at + 12) == kEmfPlusTag;
}

// The same metafile without its comment records, header counts mended.
std::vector<std::uint8_t> WithoutComments(const std::vector<std::uint8_t>& v) {
    const std::size_t headerSize = U32(v, 4);
    std::vector<std::uint8_t> out(v.begin(), v.begin() + std::ptrdiff_t(headerSize));
    std::uint32_t records = 1;
    for (std::size_t at = headerSize; at < v.size(); at += U32(v, at + 4)) {
        if (U32(v, at) == kEmrComment) continue;
        out.insert(out.end(), v.begin() + std::ptrdiff_t(at),
                   v.begin() + std::ptrdiff_t(at + U32(v, at + 4)));
        ++records;
    }
    const std::uint32_t bytes = std::uint32_t(out.size());
    std::memcpy(out.data() + 48, &bytes, 4);
    std::memcpy(out.data() + 52, &records, 4);
    return out;
}

// Where an SVG unit lands in the target. LibreOffice's page of these
// drawings starts 5.6 px inside the SVG's, one SVG unit to a reference
// pixel; standard playback maps the header's frame onto the target.
struct SvgToTarget {
    double scaleX = 1, scaleY = 1, left = 0, top = 0;
    SvgToTarget(const EmfHeader& h, const PixelRect& target) {
        const double frameW = h.frame[2] * double(h.deviceCx) / (h.millimetersCx * 100.0);
        const double frameH = h.frame[3] * double(h.deviceCy) / (h.millimetersCy * 100.0);
        scaleX = target.Width() / frameW;
        scaleY = target.Height() / frameH;
        left = target.left;
        top = target.top;
    }
    // A box of SVG units, grown by one unit for rounding and stroke ends.
    PixelRect Box(double l, double t, double r, double b) const {
        constexpr double kShift = 5.6;
        return {int(left + (l - kShift - 1) * scaleX), int(top + (t - kShift - 1) * scaleY),
                int(left + (r - kShift + 1) * scaleX) + 1,
                int(top + (b - kShift + 1) * scaleY) + 1};
    }
};

PixelRect Extent(const RecordingCanvas::Record& r) {
    PixelRect e{r.points[0].x, r.points[0].y, r.points[0].x, r.points[0].y};
    for (const PixelPoint& p : r.points) {
        e.left = std::min(e.left, p.x), e.right = std::max(e.right, p.x);
        e.top = std::min(e.top, p.y), e.bottom = std::max(e.bottom, p.y);
    }
    return e;
}

bool Inside(const PixelRect& inner, const PixelRect& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

std::string Show(const PixelRect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// Shapes drawn with lines or fills (text and bitmaps aside).
bool IsGeometry(Op op) {
    return op == Op::Polygon || op == Op::Polyline || op == Op::Bezier || op == Op::Ellipse ||
           op == Op::Arc;
}

TEST(EmfFixtureTest, EmfPlusCommentsAreSkippedAndThePlainRecordsDraw) {
    const auto bytes = Fixture("emf_plus.emf");
    ASSERT_GT(bytes.size(), 108u) << "fixture missing";
    EmfHeader h;
    ASSERT_TRUE(ReadEmfHeader(bytes.data(), bytes.size(), h));
    // A dual file: EMF+ records ride in comments before the plain records.
    int plusComments = 0;
    for (std::size_t at = h.nSize; at < h.nBytes; at += U32(bytes, at + 4))
        plusComments += IsEmfPlusComment(bytes, at);
    EXPECT_GE(plusComments, 2);

    const PixelRect target{40, 30, 40 + 945, 30 + 445};
    RecordingCanvas dc;
    ASSERT_TRUE(PlayEmf(bytes.data(), bytes.size(), dc, target));
    EXPECT_EQ(dc.SaveDepth(), 0);

    // Green rectangle, red ellipse, blue triangle, each filled where the SVG
    // put it (colours are 0x00BBGGRR).
    const SvgToTarget svg(h, target);
    struct Shape {
        ColorRef fill;
        PixelRect box;
        const char* name;
    } shapes[] = {{0x00FF00, svg.Box(20, 10, 80, 50), "rectangle"},
                  {0x0000FF, svg.Box(80, 20, 180, 80), "ellipse"},
                  {0xFF0000, svg.Box(20, 60, 100, 90), "triangle"}};
    for (const Shape& s : shapes) {
        PixelRect drawn;
        bool any = false;
        for (const auto& r : dc.records) {
            if (!IsGeometry(r.op) || !r.brush || r.brush->color != s.fill) continue;
            const PixelRect e = Extent(r);
            drawn = any ? drawn.United(e) : e;
            any = true;
        }
        ASSERT_TRUE(any) << s.name;
        EXPECT_TRUE(Inside(drawn, s.box)) << s.name << " " << Show(drawn) << " in " << Show(s.box);
        // And it fills most of its box, not a sliver of it.
        EXPECT_GT(drawn.Width() * 10, s.box.Width() * 8) << s.name;
        EXPECT_GT(drawn.Height() * 10, s.box.Height() * 8) << s.name;
    }
    for (const auto& r : dc.records) {
        if (IsGeometry(r.op)) {
            EXPECT_TRUE(Inside(Extent(r), target)) << Show(Extent(r));
        }
    }

    // The comments change nothing: the same file without them plays alike.
    const auto plain = WithoutComments(bytes);
    ASSERT_LT(plain.size(), bytes.size());
    RecordingCanvas bare;
    ASSERT_TRUE(PlayEmf(plain.data(), plain.size(), bare, target));
    EXPECT_EQ(bare.lines, dc.lines);
}

TEST(EmfFixtureTest, ClippedGroupStaysInsideItsClip) {
    const auto bytes = Fixture("clip_group.emf");
    ASSERT_GT(bytes.size(), 108u) << "fixture missing";
    EmfHeader h;
    ASSERT_TRUE(ReadEmfHeader(bytes.data(), bytes.size(), h));

    const PixelRect target{40, 30, 40 + 945, 30 + 445};
    RecordingCanvas dc;
    ASSERT_TRUE(PlayEmf(bytes.data(), bytes.size(), dc, target));
    EXPECT_EQ(dc.SaveDepth(), 0);
    EXPECT_TRUE(dc.ClipRect().IsEmpty());  // the player's clip is gone afterwards

    // The group's clip is x 50..150, y 20..80 in SVG units. Every shape lies
    // within it, and every primitive is drawn under a clip inside the target
    // (the file clips to its frame; region clips are played as their boxes).
    const SvgToTarget svg(h, target);
    const PixelRect window = svg.Box(50, 20, 150, 80);
    int shapes = 0, texts = 0;
    bool blueFill = false, redStroke = false, greenLine = false;
    for (const auto& r : dc.records) {
        ASSERT_FALSE(r.clip.IsEmpty()) << RecordingCanvas::OpName(r.op);
        EXPECT_TRUE(Inside(r.clip, target)) << Show(r.clip);
        if (r.op == Op::TextOut) {
            // The text runs past the group's clip, which LibreOffice drops
            // for text; the file's own clip rectangle (its page, 4993 × 2347
            // logical units of 1/2540 inch) still holds it, narrower than the
            // target because the frame's millimetres are rounded.
            ++texts;
            EXPECT_EQ(r.text, "Clipped text");
            EXPECT_NEAR(r.clip.right, target.left + 4993 * 96 / 2540.0 * svg.scaleX, 1.5);
            EXPECT_NEAR(r.clip.bottom, target.top + 2347 * 96 / 2540.0 * svg.scaleY, 1.5);
            EXPECT_LT(r.clip.right, target.right - 10);
            continue;
        }
        if (!IsGeometry(r.op)) continue;
        ++shapes;
        const PixelRect e = Extent(r);
        EXPECT_TRUE(Inside(e, window))
            << RecordingCanvas::OpName(r.op) << " " << Show(e) << " outside " << Show(window);
        if (r.brush && r.brush->color == 0xFF0000) {
            blueFill = true;
            // The blue rectangle reaches past the clip on every side: it
            // fills the whole window.
            EXPECT_GT(e.Width() * 10, window.Width() * 9);
            EXPECT_GT(e.Height() * 10, window.Height() * 9);
        }
        if (r.pen && r.pen->color == 0x0000FF) redStroke = true;
        if (r.pen && r.pen->color == 0x00AA00) greenLine = true;
    }
    EXPECT_GE(shapes, 3);
    EXPECT_EQ(texts, 1);
    EXPECT_TRUE(blueFill);
    EXPECT_TRUE(redStroke);
    EXPECT_TRUE(greenLine);
}

}  // namespace
}  // namespace gyr
