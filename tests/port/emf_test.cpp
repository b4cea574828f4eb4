// Our metafile writer and player: the writer's header must describe its
// records exactly, the player must draw each record where standard playback
// puts it, and hostile files must neither crash it nor draw past their
// records.

#include <gtest/gtest.h>

#include <cstring>

#include "math/dib_codec.h"
#include "port/emf_canvas.h"
#include "port/emf_player.h"
#include "port/recording_canvas.h"

namespace gyr {
namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& v, std::size_t at) {
    std::uint32_t x;
    std::memcpy(&x, v.data() + at, 4);
    return x;
}

// A metafile of hand-made records after a header whose frame maps one
// hundredth of a millimetre... to pixels 1:1 (device 100 px on 1 mm).
struct EmfBuilder {
    std::vector<std::uint8_t> out;
    std::uint32_t records = 1;
    EmfBuilder(int w, int h, std::uint16_t handles = 8) {
        out.resize(88, 0);
        Set(0, kEmrHeader);
        Set(4, 88);
        Set(8, 0), Set(12, 0), Set(16, std::uint32_t(w - 1)), Set(20, std::uint32_t(h - 1));
        Set(24, 0), Set(28, 0), Set(32, std::uint32_t(w)), Set(36, std::uint32_t(h));
        Set(40, kEmfSignature);
        Set(44, kEmfVersion);
        out[56] = std::uint8_t(handles);
        Set(72, 100), Set(76, 100), Set(80, 1), Set(84, 1);
    }
    void Set(std::size_t at, std::uint32_t v) { std::memcpy(out.data() + at, &v, 4); }
    EmfBuilder& Rec(std::uint32_t type, std::vector<std::int32_t> args) {
        const std::size_t at = out.size();
        out.resize(at + 8 + 4 * args.size());
        Set(at, type);
        Set(at + 4, std::uint32_t(8 + 4 * args.size()));
        for (std::size_t i = 0; i < args.size(); ++i) Set(at + 8 + 4 * i, std::uint32_t(args[i]));
        ++records;
        return *this;
    }
    EmfBuilder& Float(std::uint32_t type, std::vector<float> args,
                      std::vector<std::int32_t> more = {}) {
        std::vector<std::int32_t> raw;
        for (float f : args) {
            std::int32_t i;
            std::memcpy(&i, &f, 4);
            raw.push_back(i);
        }
        raw.insert(raw.end(), more.begin(), more.end());
        return Rec(type, raw);
    }
    std::vector<std::uint8_t> Done() {
        Rec(kEmrEof, {0, 16, 20});
        Set(48, std::uint32_t(out.size()));
        Set(52, records);
        return out;
    }
};

TEST(EmfWriterTest, HeaderDescribesTheRecordsExactly) {
    const std::int32_t frame[4] = {0, 0, 2730, 2210};
    EmfCanvas emf(frame, {0, 0, 100, 80});
    LogPen pen{kPenSolid, 2, 0, 0x800000};
    emf.SelectPen(&pen);
    emf.SelectBrush(nullptr);
    emf.Ellipse({10, 10, 50, 40});
    const PixelPoint line[] = {{0, 0}, {300, 20}};
    emf.Polyline(line, 2);
    emf.SetFont(FontRecord{});
    emf.TextOut({5, 60}, "Ab\xC3\xA9");
    const std::vector<std::uint8_t> b = emf.Finish();

    EXPECT_EQ(U32(b, 0), 1u);
    EXPECT_EQ(U32(b, 4), 148u);
    // Bounds: the union drawn, clipped to the 100 × 80 clip, inclusive.
    EXPECT_EQ(U32(b, 8), 0u);
    EXPECT_EQ(U32(b, 16), 99u);
    EXPECT_EQ(U32(b, 24 + 8), 2730u);
    EXPECT_EQ(U32(b, 24 + 12), 2210u);
    EXPECT_EQ(U32(b, 40), kEmfSignature);
    EXPECT_EQ(U32(b, 44), 0x10000u);
    EXPECT_EQ(U32(b, 48), b.size());
    EXPECT_EQ(U32(b, 60), 20u);
    EXPECT_EQ(U32(b, 64), 108u);
    EXPECT_EQ(U32(b, 72), 1920u);
    EXPECT_EQ(U32(b, 84), 286u);
    EXPECT_EQ(U32(b, 100), 508000u);
    EXPECT_EQ(U32(b, 104), 285750u);
    EXPECT_EQ(b[108], 'G');
    EXPECT_EQ(b[110], 'y');
    EXPECT_EQ(U32(b, 108 + 36), 0u);  // two NULs end the description
    // The records add up to nBytes, the last is EOF, and nRecords counts them.
    std::size_t off = 0, n = 0, ellipses = 0;
    std::uint32_t last = 0;
    while (off < b.size()) {
        last = U32(b, off);
        if (last == kEmrEllipse) ++ellipses;
        off += U32(b, off + 4);
        ++n;
    }
    EXPECT_EQ(off, b.size());
    EXPECT_EQ(last, std::uint32_t(kEmrEof));
    EXPECT_EQ(n, U32(b, 52));
    EXPECT_EQ(ellipses, 1u);

    EmfHeader h;
    EXPECT_TRUE(ReadEmfHeader(b.data(), b.size(), h));
    EXPECT_EQ(h.nHandles, 4);

    // Nothing drawn: the empty bounds.
    EmfCanvas empty(frame, {0, 0, 10, 10});
    const auto e = empty.Finish();
    EXPECT_EQ(std::int32_t(U32(e, 16)), -1);
    EXPECT_EQ(std::int32_t(U32(e, 20)), -1);
}

// Captures of captures of bitmaps would grow without end: a metafile whose
// bitmaps pass the limit is not written at all.
TEST(EmfWriterTest, BitmapsBeyondTheLimitLeaveNoMetafile) {
    DibImage image;
    image.width = 2048;
    image.height = 2048;
    image.pixels.assign(std::size_t(2048) * 2048, 0xFF808080);
    const Dib dib = MakeDib24(image);  // 12 MiB of bits
    const std::int32_t frame[4] = {0, 0, 2730, 2210};
    EmfCanvas fits(frame, {0, 0, 100, 80});
    for (int i = 0; i < 4; ++i) fits.DrawDib({0, 0, 100, 80}, dib, {});
    EXPECT_GT(fits.Finish().size(), 4 * dib.Bits().size());
    EmfCanvas tooLarge(frame, {0, 0, 100, 80});
    for (int i = 0; i < 6; ++i) tooLarge.DrawDib({0, 0, 100, 80}, dib, {});
    EXPECT_TRUE(tooLarge.Finish().empty());
}

TEST(EmfPlayerTest, PlaysOurRecordsBackInPlace) {
    // Frame of 100 pixels of the reference device, played into 100 pixels.
    const std::int32_t frame[4] = {0, 0, 100 * 508 * 100 / 1920, 50 * 286 * 100 / 1080};
    EmfCanvas emf(frame, {0, 0, 100, 50});
    LogPen pen{kPenSolid, 1, 0, 0xFF};
    LogBrush brush{kBrushSolid, 0xFF00, 0};
    emf.SelectPen(&pen);
    emf.SelectBrush(&brush);
    emf.Ellipse({10, 10, 30, 30});
    emf.Arc({0, 0, 40, 40}, {40, 20}, {20, 0});
    const PixelPoint pts[] = {{0, 0}, {10, 0}, {10, 10}};
    emf.Polygon(pts, 3);
    DibImage img;
    img.width = 2;
    img.height = 2;
    img.pixels = {1, 2, 3, 4};
    emf.DrawDib({50, 0, 60, 10}, MakeDib24(img));
    const auto bytes = emf.Finish();

    RecordingCanvas dc;
    ASSERT_TRUE(PlayEmf(bytes.data(), bytes.size(), dc, {0, 0, 100, 50}));
    const auto ellipses = dc.Of(RecordingCanvas::Op::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    // Integer frame factors make the mapping a hair above 1:1.
    EXPECT_NEAR(ellipses[0].points[0].x, 10, 1);
    EXPECT_NEAR(ellipses[0].points[1].x, 30, 1);
    EXPECT_EQ(ellipses[0].brush->color, 0xFF00u);
    EXPECT_EQ(dc.Of(RecordingCanvas::Op::Arc).size(), 1u);
    EXPECT_EQ(dc.Of(RecordingCanvas::Op::Polygon).size(), 1u);
    const auto dibs = dc.Of(RecordingCanvas::Op::Dib);
    ASSERT_EQ(dibs.size(), 1u);
    EXPECT_EQ(dibs[0].text, "2x2");
    EXPECT_NEAR(dibs[0].points[0].x, 50, 1);
    // The player leaves the canvas's state as it found it.
    EXPECT_EQ(dc.SaveDepth(), 0);
}

TEST(EmfPlayerTest, MapsWindowsViewportsAndWorldTransforms) {
    // Anisotropic: window 0..1000 onto viewport 0..100, y flipped.
    EmfBuilder a(200, 200);
    a.Rec(kEmrSetMapMode, {8})
        .Rec(kEmrSetWindowExtEx, {1000, 1000})
        .Rec(kEmrSetViewportExtEx, {100, -100})
        .Rec(kEmrSetViewportOrgEx, {0, 100})
        .Rec(kEmrMoveToEx, {0, 0})
        .Rec(kEmrLineTo, {500, 500});
    const auto bytes = a.Done();
    RecordingCanvas dc;
    ASSERT_TRUE(PlayEmf(bytes.data(), bytes.size(), dc, {0, 0, 200, 200}));
    const auto lines = dc.Of(RecordingCanvas::Op::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points[0], (PixelPoint{0, 100}));
    EXPECT_EQ(lines[0].points[1], (PixelPoint{50, 50}));

    // A rotation turns an ellipse into a polygon; a singular transform is
    // refused and the previous one stays.
    EmfBuilder r(200, 200);
    r.Float(kEmrSetWorldTransform, {0, 1, -1, 0, 100, 0})
        .Float(kEmrModifyWorldTransform, {0, 0, 0, 0, 0, 0}, {4})
        .Rec(kEmrEllipse, {0, 0, 40, 20})
        .Float(kEmrSetWorldTransform, {1, 0, 0, 1, 0, 0})
        .Rec(kEmrRectangle, {10, 10, 20, 20});
    const auto rb = r.Done();
    RecordingCanvas rot;
    ASSERT_TRUE(PlayEmf(rb.data(), rb.size(), rot, {0, 0, 200, 200}));
    ASSERT_EQ(rot.Of(RecordingCanvas::Op::Ellipse).size(), 0u);
    const auto polys = rot.Of(RecordingCanvas::Op::Polygon);
    ASSERT_EQ(polys.size(), 2u);
    // The rotated ellipse spans x 80..100 and y 0..40.
    int minX = 1000, maxY = -1000;
    for (const PixelPoint& p : polys[0].points)
        minX = std::min(minX, p.x), maxY = std::max(maxY, p.y);
    EXPECT_EQ(minX, 80);
    EXPECT_EQ(maxY, 40);
    EXPECT_EQ(polys[1].points[0], (PixelPoint{10, 10}));
}

TEST(EmfPlayerTest, PathsClipsAndTheDcStack) {
    EmfBuilder b(100, 100);
    b.Rec(kEmrCreateBrushIndirect, {1, 0, 0x0000FF, 0})
        .Rec(kEmrSelectObject, {1})
        .Rec(kEmrSaveDc, {})
        .Rec(kEmrIntersectClipRect, {0, 0, 50, 50})
        .Rec(kEmrBeginPath, {})
        .Rec(kEmrMoveToEx, {0, 0})
        .Rec(kEmrLineTo, {40, 0})
        .Rec(kEmrLineTo, {40, 40})
        .Rec(kEmrCloseFigure, {})
        .Rec(kEmrEndPath, {})
        .Rec(kEmrFillPath, {0, 0, 0, 0})
        .Rec(kEmrRestoreDc, {-1})
        .Rec(kEmrRestoreDc, {-5})  // deeper than the stack: ignored
        .Rec(kEmrSelectObject, {int(kStockFlag | kNullBrush)})
        .Rec(kEmrRectangle, {0, 0, 10, 10});
    const auto bytes = b.Done();
    RecordingCanvas dc;
    ASSERT_TRUE(PlayEmf(bytes.data(), bytes.size(), dc, {0, 0, 100, 100}));
    const auto polys = dc.Of(RecordingCanvas::Op::Polygon);
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[0].points.size(), 3u);
    ASSERT_TRUE(polys[0].brush.has_value());
    EXPECT_EQ(polys[0].brush->color, 0x0000FFu);
    EXPECT_FALSE(polys[0].pen.has_value());  // a filled path has no outline
    EXPECT_FALSE(polys[1].brush.has_value());
    EXPECT_EQ(dc.SaveDepth(), 0);
}

TEST(EmfPlayerTest, HostileFilesAreRefusedOrBounded) {
    RecordingCanvas dc;
    auto base = EmfBuilder(10, 10).Rec(kEmrRectangle, {0, 0, 5, 5}).Done();
    EmfHeader h;
    ASSERT_TRUE(ReadEmfHeader(base.data(), base.size(), h));
    // nBytes beyond the data.
    auto longer = base;
    std::uint32_t big = std::uint32_t(base.size() + 4);
    std::memcpy(longer.data() + 48, &big, 4);
    EXPECT_FALSE(ReadEmfHeader(longer.data(), longer.size(), h));
    // A record of 6 bytes, of a size not a multiple of 4, or of 0.
    for (std::uint32_t size : {6u, 10u, 0u, 0x7FFFFFF0u}) {
        auto bad = base;
        std::memcpy(bad.data() + 88 + 4, &size, 4);
        EXPECT_FALSE(ReadEmfHeader(bad.data(), bad.size(), h)) << size;
        EXPECT_FALSE(PlayEmf(bad.data(), bad.size(), dc, {0, 0, 10, 10}));
    }
    // Wrong signature, short header.
    auto sig = base;
    sig[40] = 0;
    EXPECT_FALSE(ReadEmfHeader(sig.data(), sig.size(), h));
    EXPECT_FALSE(ReadEmfHeader(base.data(), 80, h));
    EXPECT_TRUE(dc.records.empty());

    // Counts beyond their record draw nothing; handles beyond the table are
    // not created; a SAVEDC flood stops at the limit.
    EmfBuilder c(10, 10, 2);
    c.Rec(kEmrPolyline, {0, 0, 9, 9, 1000000, 1, 1, 2, 2})
        .Rec(kEmrPolyPolyline, {0, 0, 9, 9, 3, 2, 1, 1, 1})
        .Rec(kEmrCreatePen, {5, 0, 1, 0, 0xFF})
        .Rec(kEmrSelectObject, {5})
        .Rec(kEmrExtTextOutW, {0, 0, 9, 9, 1, 0, 0, 0, 0, 100000, 76, 0, 0, 0, 0, 0, 0});
    for (int i = 0; i < 2000; ++i) c.Rec(kEmrSaveDc, {});
    c.Rec(kEmrPolyline16, {0, 0, 9, 9, 2, 0x00010001, 0x00050005});
    const auto cb = c.Done();
    RecordingCanvas counts;
    ASSERT_TRUE(PlayEmf(cb.data(), cb.size(), counts, {0, 0, 10, 10}));
    const auto lines = counts.Of(RecordingCanvas::Op::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points[1], (PixelPoint{5, 5}));
    EXPECT_EQ(lines[0].pen->color, 0u);  // the stock black pen: handle 5 was never made
    EXPECT_TRUE(counts.Of(RecordingCanvas::Op::TextOut).empty());
}

}  // namespace
}  // namespace gyr
