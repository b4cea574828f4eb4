// Metafiles of other programs: one written by libEMF must play with each
// figure where it was drawn, and ours must convert with emf2svg-conv.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "port/emf_canvas.h"
#include "port/emf_player.h"
#include "port/recording_canvas.h"

namespace gyr {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

fs::path TempDir() {
    fs::path d =
        fs::temp_directory_path() /
        ("gyr_emf_reference_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::create_directories(d);
    return d;
}

// Keeps the font of the last text drawn.
class FontCanvas : public RecordingCanvas {
public:
    void TextOut(PixelPoint p, const std::string& text) override {
        textFont = Font();
        RecordingCanvas::TextOut(p, text);
    }
    FontRecord textFont;
};

bool Near(PixelPoint p, int x, int y) {
    return std::abs(p.x - x) <= 2 && std::abs(p.y - y) <= 2;
}

TEST(EmfReferenceTest, ALibEmfFilePlaysEachFigureInPlace) {
    const fs::path dir = TempDir();
    const fs::path file = dir / "libemf.emf";
    ASSERT_EQ(std::system((std::string(LIBEMF_WRITER) + " " + file.string()).c_str()), 0);
    const auto bytes = ReadAll(file);
    EmfHeader h;
    ASSERT_TRUE(ReadEmfHeader(bytes.data(), bytes.size(), h));
    // The target is the frame in the reference device's pixels: one pixel per
    // logical unit.
    auto px = [](double hundredths, int dev, int mm) {
        return int(std::lround(hundredths * dev / (mm * 100.0)));
    };
    const PixelRect target{
        px(h.frame[0], h.deviceCx, h.millimetersCx), px(h.frame[1], h.deviceCy, h.millimetersCy),
        px(h.frame[2], h.deviceCx, h.millimetersCx), px(h.frame[3], h.deviceCy, h.millimetersCy)};
    FontCanvas dc;
    ASSERT_TRUE(PlayEmf(bytes.data(), bytes.size(), dc, target));
    using Op = RecordingCanvas::Op;
    auto find = [&](Op op, int x, int y) {
        for (const auto& r : dc.Of(op))
            if (!r.points.empty() && Near(r.points[0], x, y)) return true;
        return false;
    };
    EXPECT_TRUE(find(Op::Polyline, 10, 10));   // MoveToEx + LineTo
    EXPECT_TRUE(find(Op::Polyline, 10, 20));   // Polyline
    EXPECT_TRUE(find(Op::Polygon, 120, 20));   // Polygon
    EXPECT_TRUE(find(Op::Bezier, 10, 100));    // PolyBezier
    EXPECT_TRUE(find(Op::Ellipse, 200, 20));   // Ellipse
    EXPECT_TRUE(find(Op::Arc, 200, 80));       // Arc
    EXPECT_TRUE(find(Op::Polygon, 300, 20));   // Rectangle
    EXPECT_TRUE(find(Op::Polygon, 400, 200));  // a rectangle under the world transform
    EXPECT_TRUE(find(Op::Polygon, 500, 300));  // a rectangle under window/viewport mapping
    // The path: filled, then stroked round its three corners.
    EXPECT_TRUE(find(Op::Polygon, 300, 100));
    EXPECT_TRUE(find(Op::Polyline, 300, 100));
    const auto texts = dc.Of(Op::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Gyr");
    EXPECT_EQ(dc.textFont.heightPixels, -20);
    EXPECT_TRUE(dc.textFont.bold);
    EXPECT_EQ(dc.textFont.faceName, "Serif");
    const auto polygons = dc.Of(Op::Polygon);
    ASSERT_FALSE(polygons.empty());
    EXPECT_EQ(polygons[0].brush->color, 0x0000FFu);
    fs::remove_all(dir);
}

TEST(EmfReferenceTest, OurMetafilesConvertWithEmf2Svg) {
    const fs::path dir = TempDir();
    const std::int32_t frame[4] = {-5, -5, 415 * 26, 315 * 26};
    EmfCanvas emf(frame, {0, 0, 400, 300});
    const LogPen pen{kPenDash, 1, 0, 0x800000};
    const LogBrush brush{kBrushSolid, 0xFF, 0};
    emf.SelectPen(&pen);
    emf.SelectBrush(&brush);
    emf.Ellipse({10, 10, 110, 90});
    emf.Arc({120, 10, 220, 110}, {220, 60}, {170, 10});
    const PixelPoint pts[] = {{0, 0}, {300, 200}, {399, 0}};
    emf.Polygon(pts, 3);
    emf.SetFont(FontRecord{});
    emf.TextOut({20, 250}, "Gyrovant \xCF\x80");
    DibImage img;
    img.width = 3;
    img.height = 2;
    img.pixels.assign(6, 0xFF00FF00);
    emf.DrawDib({300, 200, 360, 240}, MakeDib24(img));
    const auto bytes = emf.Finish();
    {
        std::ofstream out(dir / "ours.emf", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    const std::string cmd = "emf2svg-conv -i " + (dir / "ours.emf").string() + " -o " +
                            (dir / "ours.svg").string() + " > /dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const auto svg = ReadAll(dir / "ours.svg");
    const std::string text(svg.begin(), svg.end());
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("<image"), std::string::npos);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace gyr
