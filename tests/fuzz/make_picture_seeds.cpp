// Writes the picture seeds of the fuzz corpora with the program's own
// writers (nothing is downloaded): bitmaps of every depth and layout the
// reader takes, metafiles of every record family the player knows, and a
// document holding both kinds of picture. Built and run by hand:
//   g++ -std=c++20 -Isrc tests/fuzz/make_picture_seeds.cpp <core libraries> -o /tmp/seeds
//   /tmp/seeds tests/fuzz/corpus

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "figures/class_registry.h"
#include "figures/pict_obj.h"
#include "math/dib_codec.h"
#include "model/document.h"
#include "port/emf_canvas.h"
#include "port/scripted_host.h"

using namespace gyr;

namespace {

std::string g_root;

void Save(const std::string& dir, const std::string& name, const std::vector<std::uint8_t>& b) {
    std::ofstream(g_root + "/" + dir + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + std::size_t(i)] = std::uint8_t(x >> (8 * i));
}

std::vector<std::uint8_t> Bmp(int w, int h, int bpp, std::uint32_t comp,
                              std::vector<std::uint32_t> table, std::vector<std::uint8_t> bits,
                              std::uint32_t clrUsed = 0) {
    std::vector<std::uint8_t> f(54 + table.size() * 4);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, std::uint32_t(f.size() + bits.size()));
    Put32(f, 10, std::uint32_t(f.size()));
    DibInfo info;
    info.width = w;
    info.height = h;
    info.bitCount = std::uint16_t(bpp);
    info.compression = comp;
    info.sizeImage = comp ? std::uint32_t(bits.size()) : 0;
    info.clrUsed = clrUsed;
    WriteDibInfo(info, f.data() + 14);
    for (std::size_t i = 0; i < table.size(); ++i) Put32(f, 54 + 4 * i, table[i]);
    f.insert(f.end(), bits.begin(), bits.end());
    return f;
}

DibImage Gradient(int w, int h) {
    DibImage img;
    img.width = w;
    img.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.pixels.push_back(0xFF000000u | std::uint32_t(x * 40) << 16 |
                                 std::uint32_t(y * 40) << 8);
    return img;
}

std::vector<std::uint8_t> Drawing(bool withDib) {
    const std::int32_t frame[4] = {0, 0, 2730, 2210};
    EmfCanvas emf(frame, {0, 0, 100, 80});
    LogPen pen{kPenDash, 1, 0, 0x800000};
    LogBrush brush{kBrushSolid, 0xFF, 0};
    emf.SelectPen(&pen);
    emf.SelectBrush(&brush);
    emf.Ellipse({10, 10, 50, 40});
    emf.Arc({0, 0, 60, 60}, {60, 30}, {30, 0});
    const PixelPoint tri[] = {{5, 5}, {40, 70}, {90, 10}};
    emf.Polygon(tri, 3);
    emf.Polyline(tri, 3);
    const PixelPoint bez[] = {{0, 0}, {30, 80}, {60, -20}, {90, 60}};
    emf.PolyBezier(bez, 4);
    emf.MoveTo({1, 1});
    emf.LineTo({99, 79});
    emf.SetFont(FontRecord{});
    emf.SetTextColor(0x00FF00);
    emf.TextOut({3, 60}, "Gyrovant \xCF\x80");
    emf.DrawTextInRect({0, 0, 60, 60}, "two words\nwrapped", Justify::Center);
    emf.SetRasterMode(RasterMode::NotXor);
    emf.InvertRect({2, 2, 9, 9});
    emf.SetClipRect({10, 10, 30, 30});
    emf.Ellipse({0, 0, 100, 80});
    emf.SetClipRect({});
    if (withDib) emf.DrawDib({60, 40, 90, 70}, MakeDib24(Gradient(6, 4)));
    return emf.Finish();
}

// Records the writer does not make, after a header of a 200 × 200 frame.
struct Builder {
    std::vector<std::uint8_t> out = std::vector<std::uint8_t>(88, 0);
    std::uint32_t n = 1;
    Builder() {
        Put32(out, 0, 1);
        Put32(out, 4, 88);
        Put32(out, 16, 199);
        Put32(out, 20, 199);
        Put32(out, 32, 200);
        Put32(out, 36, 200);
        Put32(out, 40, kEmfSignature);
        Put32(out, 44, kEmfVersion);
        out[56] = 8;
        Put32(out, 72, 100);
        Put32(out, 76, 100);
        Put32(out, 80, 1);
        Put32(out, 84, 1);
    }
    Builder& R(std::uint32_t type, std::vector<std::int32_t> a) {
        const std::size_t at = out.size();
        out.resize(at + 8 + 4 * a.size());
        Put32(out, at, type);
        Put32(out, at + 4, std::uint32_t(8 + 4 * a.size()));
        for (std::size_t i = 0; i < a.size(); ++i) Put32(out, at + 8 + 4 * i, std::uint32_t(a[i]));
        ++n;
        return *this;
    }
    static std::int32_t F(float f) {
        std::int32_t i;
        std::memcpy(&i, &f, 4);
        return i;
    }
    std::vector<std::uint8_t> Done() {
        R(kEmrEof, {0, 16, 20});
        Put32(out, 48, std::uint32_t(out.size()));
        Put32(out, 52, n);
        return out;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 1;
    g_root = argv[1];
    ScriptedHost host;
    SetHost(&host);

    std::vector<std::uint32_t> table256(256);
    for (std::uint32_t i = 0; i < 256; ++i) table256[i] = i * 0x010101u;
    Save("fuzz_bmp", "1bpp.bmp",
         Bmp(9, 2, 1, kBiRgb, {0, 0xFFFFFF}, std::vector<std::uint8_t>(8, 0xA5)));
    Save("fuzz_bmp", "4bpp_short_table.bmp",
         Bmp(3, 2, 4, kBiRgb, {0xFF, 0xFF00}, {0x10, 0x20, 0, 0, 0x01, 0xF2, 0, 0}, 2));
    Save("fuzz_bmp", "8bpp_top_down.bmp",
         Bmp(2, -2, 8, kBiRgb, table256, {1, 200, 0, 0, 3, 4, 0, 0}));
    Save("fuzz_bmp", "16bpp.bmp", Bmp(2, 1, 16, kBiRgb, {}, {0x00, 0x7C, 0x1F, 0x00}));
    Save("fuzz_bmp", "24bpp.bmp", WriteBmpFile(MakeDib24(Gradient(5, 3))));
    Save("fuzz_bmp", "32bpp.bmp", Bmp(1, 2, 32, kBiRgb, {}, {1, 2, 3, 0, 4, 5, 6, 0}));
    Save(
        "fuzz_bmp", "rle8.bmp",
        Bmp(5, 3, 8, kBiRle8, table256, {2, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 1, 1, 9, 7, 0, 1}, 0));
    Save("fuzz_bmp", "rle4.bmp",
         Bmp(4, 2, 4, kBiRle4, std::vector<std::uint32_t>(16, 0x123456),
             {3, 0x12, 0, 0, 0, 4, 0x34, 0x56, 0, 1}));
    {
        std::vector<std::uint8_t> f(14 + 124, 0);
        f[0] = 'B';
        f[1] = 'M';
        Put32(f, 10, 14 + 124);
        Put32(f, 14, 124);
        Put32(f, 18, 2);
        Put32(f, 22, 1);
        f[26] = 1;
        f[28] = 16;
        Put32(f, 30, kBiBitfields);
        Put32(f, 54, 0xF800);
        Put32(f, 58, 0x07E0);
        Put32(f, 62, 0x001F);
        f.insert(f.end(), {0x1F, 0xF8, 0xE0, 0x07});
        Put32(f, 2, std::uint32_t(f.size()));
        Save("fuzz_bmp", "bitfields_v5.bmp", f);
    }
    Save("fuzz_bmp", "packed_dib.dib", MakeDib24(Gradient(3, 3)).ToPacked());

    Save("fuzz_emf", "drawing.emf", Drawing(false));
    Save("fuzz_emf", "drawing_with_bitmap.emf", Drawing(true));
    Save("fuzz_emf", "mapping_and_transforms.emf",
         Builder()
             .R(kEmrSetMapMode, {8})
             .R(kEmrSetWindowOrgEx, {-100, -100})
             .R(kEmrSetWindowExtEx, {1000, 1000})
             .R(kEmrSetViewportExtEx, {200, -200})
             .R(kEmrSaveDc, {})
             .R(kEmrSetWorldTransform, {Builder::F(0.8f), Builder::F(0.6f), Builder::F(-0.6f),
                                        Builder::F(0.8f), Builder::F(10), Builder::F(0)})
             .R(kEmrEllipse, {0, 0, 400, 200})
             .R(kEmrModifyWorldTransform, {Builder::F(2), 0, 0, Builder::F(2), 0, 0, 2})
             .R(kEmrRoundRect, {10, 10, 300, 200, 40, 40})
             .R(kEmrRestoreDc, {-1})
             .R(kEmrSetMapMode, {2})
             .R(kEmrRectangle, {0, 0, 100, -100})
             .Done());
    Save("fuzz_emf", "paths_and_clips.emf",
         Builder()
             .R(kEmrCreatePen, {1, 0, 3, 0, 0xFF})
             .R(kEmrExtCreatePen, {2, 0, 0, 0, 0, 0x00010000, 4, 0, 0xFF00, 0, 0})
             .R(kEmrCreateBrushIndirect, {3, 2, 0xFF0000, 3})
             .R(kEmrSelectObject, {1})
             .R(kEmrSelectObject, {3})
             .R(kEmrIntersectClipRect, {0, 0, 150, 150})
             .R(kEmrExcludeClipRect, {10, 10, 20, 20})
             .R(kEmrBeginPath, {})
             .R(kEmrMoveToEx, {10, 10})
             .R(kEmrLineTo, {100, 10})
             .R(kEmrPolyBezierTo16, {0, 0, 0, 0, 3, 0x00320064, 0x00640064, 0x0064000A})
             .R(kEmrCloseFigure, {})
             .R(kEmrArcTo, {0, 0, 50, 50, 50, 25, 25, 0})
             .R(kEmrEndPath, {})
             .R(kEmrStrokeAndFillPath, {0, 0, 200, 200})
             .R(kEmrSelectObject, {2})
             .R(kEmrChord, {20, 20, 120, 90, 120, 50, 20, 50})
             .R(kEmrPie, {20, 20, 120, 90, 20, 50, 120, 50})
             .R(kEmrPolyPolygon16, {0, 0, 0, 0, 2, 6, 3, 3, 0x00000000, 0x0000000A, 0x000A0000,
                                    0x00140014, 0x0014001E, 0x001E0014})
             .R(kEmrExtSelectClipRgn, {0, 5})
             .R(kEmrBeginPath, {})
             .R(kEmrRectangle, {0, 0, 60, 60})
             .R(kEmrEndPath, {})
             .R(kEmrSelectClipPath, {1})
             .R(kEmrGdiComment, {8, 0x2B464D45, 0})
             .R(kEmrSetTextAlign, {24 | 6})
             .R(kEmrSetBkMode, {1})
             .R(kEmrExtTextOutW, {0, 0, 0, 0, 1, 0, 0, 30, 30, 2, 76, 0, 0, 0, 0, 0, 0, 0x00790047})
             .R(kEmrExtTextOutA, {0, 0, 0, 0, 1, 0, 0, 30, 60, 3, 76, 0, 0, 0, 0, 0, 0, 0x00455247})
             .R(kEmrBitBlt,
                {0, 0, 0, 0, 5, 5, 20, 20, 0x00F00021, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})
             .Done());
    {
        // STRETCHDIBITS of a 4-bit bitmap with its table, SETDIBITSTODEVICE.
        Builder b;
        std::vector<std::int32_t> a = {0, 0,  0,  0,   10, 10, 0,        0,  2,
                                       2, 80, 48, 128, 4,  0,  0xCC0020, 40, 40};
        std::vector<std::uint8_t> bmi(48, 0);
        DibInfo info;
        info.width = 2;
        info.height = 2;
        info.bitCount = 4;
        info.clrUsed = 2;
        WriteDibInfo(info, bmi.data());
        Put32(bmi, 40, 0xFF);
        Put32(bmi, 44, 0xFF00);
        for (std::size_t i = 0; i < 48; i += 4)
            a.push_back(
                std::int32_t(bmi[i] | bmi[i + 1] << 8 | bmi[i + 2] << 16 | bmi[i + 3] << 24));
        a.push_back(0x00000010);
        b.R(kEmrStretchDiBits, a);
        std::vector<std::int32_t> s = {0, 0, 0, 0, 60, 60, 0, 0, 2, 2, 76, 48, 124, 4, 0, 0, 2};
        for (std::size_t i = 0; i < 48; i += 4)
            s.push_back(
                std::int32_t(bmi[i] | bmi[i + 1] << 8 | bmi[i + 2] << 16 | bmi[i + 3] << 24));
        s.push_back(0x00000001);
        b.R(kEmrSetDiBitsToDevice, s);
        Save("fuzz_emf", "bitmap_records.emf", b.Done());
    }

    CGyrDoc doc{DrawingClasses()};
    doc.OnNewDocument();
    doc.AddObject(new CPict(MakeDib24(Gradient(4, 3))));
    const auto emf = Drawing(true);
    doc.AddObject(PictureFromEmf(emf.data(), emf.size()));
    const auto rle = Bmp(5, 3, 8, kBiRle8, table256, {2, 1, 0, 0, 3, 4, 0, 1});
    doc.AddObject(PictureFromBmp(rle.data(), rle.size()));
    Save("fuzz_archive", "pictures.gyr", doc.SaveToBytes());
    SetHost(nullptr);
    return 0;
}
