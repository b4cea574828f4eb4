// The BMP reader takes untrusted files: every depth and layout it accepts
// must decode to the right pixels, and every malformed size must be refused
// before it is trusted.

#include "math/dib_codec.h"

#include <gtest/gtest.h>

#include <cstring>

namespace gyr {
namespace {

void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint16_t x) {
    v[at] = std::uint8_t(x);
    v[at + 1] = std::uint8_t(x >> 8);
}
void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + std::size_t(i)] = std::uint8_t(x >> (8 * i));
}

// A BMP file of a 40-byte header, a table and bits, offsets as a writer sets
// them.
std::vector<std::uint8_t> Bmp(int w, int h, int bpp, std::uint32_t compression,
                              const std::vector<std::uint32_t>& table,
                              const std::vector<std::uint8_t>& bits, std::uint32_t clrUsed = 0,
                              std::uint32_t sizeImage = 0) {
    std::vector<std::uint8_t> f(54 + table.size() * 4);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, std::uint32_t(f.size() + bits.size()));
    Put32(f, 10, std::uint32_t(f.size()));
    Put32(f, 14, 40);
    Put32(f, 18, std::uint32_t(w));
    Put32(f, 22, std::uint32_t(h));
    Put16(f, 26, 1);
    Put16(f, 28, std::uint16_t(bpp));
    Put32(f, 30, compression);
    Put32(f, 34, sizeImage);
    Put32(f, 46, clrUsed);
    for (std::size_t i = 0; i < table.size(); ++i) Put32(f, 54 + 4 * i, table[i]);
    f.insert(f.end(), bits.begin(), bits.end());
    return f;
}

DibImage Decode(const std::vector<std::uint8_t>& file) {
    Dib dib;
    EXPECT_TRUE(ReadBmpFile(file.data(), file.size(), dib));
    const DibImage* img = dib.Image();
    return img ? *img : DibImage{};
}

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF,
                        kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

TEST(DibCodecTest, DecodesEveryDepthBottomUpAndTopDown) {
    // 1 bpp, 3 × 2, bottom-up: the file's first row is the image's last.
    DibImage one = Decode(
        Bmp(3, 2, 1, kBiRgb, {0x000000, 0xFFFFFF}, {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0}));
    ASSERT_EQ(one.width, 3);
    EXPECT_EQ(one.At(0, 0), kBlack);
    EXPECT_EQ(one.At(1, 0), kWhite);
    EXPECT_EQ(one.At(0, 1), kWhite);
    EXPECT_EQ(one.At(2, 1), kWhite);

    // 4 bpp with a two-entry table: index 5 lies beyond it and is black.
    DibImage four = Decode(Bmp(2, 1, 4, kBiRgb, {0xFF0000, 0x00FF00}, {0x15, 0, 0, 0}, 2));
    EXPECT_EQ(four.At(0, 0), kGreen);
    EXPECT_EQ(four.At(1, 0), kBlack);

    // 8 bpp, top-down (negative height).
    std::vector<std::uint32_t> table(256, 0);
    table[7] = 0x0000FF;
    table[9] = 0xFF0000;
    DibImage eight = Decode(Bmp(1, -2, 8, kBiRgb, table, {7, 0, 0, 0, 9, 0, 0, 0}));
    EXPECT_EQ(eight.At(0, 0), kBlue);
    EXPECT_EQ(eight.At(0, 1), kRed);

    // 16 bpp 5-5-5, 24 bpp BGR, 32 bpp BGRX.
    DibImage sixteen = Decode(Bmp(2, 1, 16, kBiRgb, {}, {0x00, 0x7C, 0x1F, 0x00}));
    EXPECT_EQ(sixteen.At(0, 0), kRed);
    EXPECT_EQ(sixteen.At(1, 0), kBlue);
    DibImage twentyFour = Decode(Bmp(1, 1, 24, kBiRgb, {}, {0x00, 0xFF, 0x00, 0}));
    EXPECT_EQ(twentyFour.At(0, 0), kGreen);
    DibImage thirtyTwo = Decode(Bmp(1, 1, 32, kBiRgb, {}, {0xFF, 0x00, 0x00, 0x55}));
    EXPECT_EQ(thirtyTwo.At(0, 0), kBlue);
}

TEST(DibCodecTest, ColourTablesFollowTheCountRules) {
    std::vector<std::uint32_t> table(256, 0x123456);
    Dib dib;
    auto eight = Bmp(1, 1, 8, kBiRgb, table, {0, 0, 0, 0});
    ASSERT_TRUE(ReadBmpFile(eight.data(), eight.size(), dib));
    EXPECT_EQ(dib.ColorCount(), 256u);
    EXPECT_EQ(dib.Header().size(), 40u + 1024u);
    // A table in a 24-bit file is a hint only: the bitmap keeps none.
    auto direct = Bmp(1, 1, 24, kBiRgb, {1, 2}, {1, 2, 3, 0}, 2);
    ASSERT_TRUE(ReadBmpFile(direct.data(), direct.size(), dib));
    EXPECT_EQ(dib.ColorCount(), 0u);
    EXPECT_EQ(dib.Header().size(), 40u);
    EXPECT_EQ(dib.Image()->At(0, 0), 0xFF030201u);
}

TEST(DibCodecTest, RunLengthBitmapsStayInsideTheImage) {
    std::vector<std::uint32_t> table = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    // Row 0 (bottom): a run of 2 × index 1, then absolute 3 pixels 2 3 2 (padded);
    // end of line; row 1: a run of 300 pixels (cut at the width), end of bitmap.
    std::vector<std::uint8_t> rle = {2, 1, 0, 3, 2, 3, 2, 0, 0, 0, 255, 2, 45, 2, 0, 1};
    DibImage img = Decode(Bmp(5, 2, 8, kBiRle8, table, rle, 4, std::uint32_t(rle.size())));
    ASSERT_EQ(img.width, 5);
    EXPECT_EQ(img.At(0, 1), kRed);
    EXPECT_EQ(img.At(1, 1), kRed);
    EXPECT_EQ(img.At(2, 1), kGreen);
    EXPECT_EQ(img.At(3, 1), kBlue);
    EXPECT_EQ(img.At(4, 1), kGreen);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(img.At(x, 0), kGreen);
    // A delta far beyond the image writes nothing.
    std::vector<std::uint8_t> far = {0, 2, 200, 200, 3, 1, 0, 1};
    DibImage none = Decode(Bmp(2, 2, 8, kBiRle8, table, far, 4, std::uint32_t(far.size())));
    for (std::uint32_t p : none.pixels) EXPECT_EQ(p, kBlack);
    // RLE4: nibbles alternate.
    std::vector<std::uint8_t> rle4 = {3, 0x12, 0, 1};
    DibImage four = Decode(Bmp(3, 1, 4, kBiRle4, table, rle4, 4, std::uint32_t(rle4.size())));
    EXPECT_EQ(four.At(0, 0), kRed);
    EXPECT_EQ(four.At(1, 0), kGreen);
    EXPECT_EQ(four.At(2, 0), kRed);
}

TEST(DibCodecTest, RefusesUntrustedSizes) {
    Dib dib;
    auto refuse = [&](const std::vector<std::uint8_t>& f) {
        return !ReadBmpFile(f.data(), f.size(), dib);
    };
    const auto good = Bmp(2, 2, 24, kBiRgb, {}, std::vector<std::uint8_t>(16, 7));
    EXPECT_FALSE(refuse(good));
    // Truncated bits.
    EXPECT_TRUE(refuse(std::vector<std::uint8_t>(good.begin(), good.end() - 1)));
    // bfOffBits beyond the file, or inside the header.
    auto off = good;
    Put32(off, 10, 0xFFFFFFF0);
    EXPECT_TRUE(refuse(off));
    Put32(off, 10, 20);
    EXPECT_TRUE(refuse(off));
    // A huge colour count in a 1 KB file.
    auto colours = Bmp(2, 2, 8, kBiRgb, std::vector<std::uint32_t>(200, 0),
                       std::vector<std::uint8_t>(8, 0), 200);
    colours.resize(1024, 0);
    Put32(colours, 46, 0x40000000);
    EXPECT_TRUE(refuse(colours));
    // A 12-byte core header.
    auto core = good;
    Put32(core, 14, 12);
    EXPECT_TRUE(refuse(core));
    // Zero, oversized and overflowing sizes; mismatched depth and compression.
    EXPECT_TRUE(refuse(Bmp(0, 2, 24, kBiRgb, {}, {})));
    EXPECT_TRUE(refuse(Bmp(40000, 1, 1, kBiRgb, {0, 0}, std::vector<std::uint8_t>(5000, 0))));
    EXPECT_TRUE(refuse(Bmp(2, int(0x80000000), 24, kBiRgb, {}, std::vector<std::uint8_t>(16))));
    EXPECT_TRUE(refuse(Bmp(32768, 32768, 1, kBiRgb, {0, 0}, {})));
    EXPECT_TRUE(refuse(Bmp(2, 2, 24, kBiRle8, {}, std::vector<std::uint8_t>(16), 0, 16)));
    EXPECT_TRUE(refuse(Bmp(2, -2, 8, kBiRle8, {0}, {0, 1}, 1, 2)));
    EXPECT_TRUE(refuse(Bmp(2, 2, 3, kBiRgb, {}, std::vector<std::uint8_t>(16))));
    EXPECT_TRUE(refuse({'B', 'M', 0}));
    EXPECT_TRUE(refuse({'X', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0}));
}

TEST(DibCodecTest, BitfieldsAndLongHeadersBecomeThePlainForm) {
    // A 124-byte header with BI_BITFIELDS 32-bit pixels, masks R 0xFF00, G
    // 0xFF0000, B 0xFF000000 (not the usual layout).
    std::vector<std::uint8_t> f(14 + 124, 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 10, 14 + 124);
    Put32(f, 14, 124);
    Put32(f, 18, 1);
    Put32(f, 22, 1);
    Put16(f, 26, 1);
    Put16(f, 28, 32);
    Put32(f, 30, kBiBitfields);
    Put32(f, 54, 0x0000FF00);
    Put32(f, 58, 0x00FF0000);
    Put32(f, 62, 0xFF000000);
    f.insert(f.end(), {0x00, 0x11, 0x22, 0x33});
    Put32(f, 2, std::uint32_t(f.size()));
    Dib dib;
    ASSERT_TRUE(ReadBmpFile(f.data(), f.size(), dib));
    const DibInfo info = dib.Info();
    EXPECT_EQ(info.size, 40u);
    EXPECT_EQ(info.bitCount, 32);
    EXPECT_EQ(info.compression, kBiRgb);
    EXPECT_EQ(dib.Image()->At(0, 0), 0xFF112233u);
}

TEST(DibCodecTest, WritesTheFileHeaderAndRoundTrips) {
    DibImage img;
    img.width = 3;
    img.height = 2;
    img.pixels = {kRed, kGreen, kBlue, kWhite, kBlack, kRed};
    const Dib dib = MakeDib24(img);
    const std::vector<std::uint8_t> file = WriteBmpFile(dib);
    // 3 pixels of 3 bytes pad to 12 per row.
    ASSERT_EQ(file.size(), 54u + 24u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[2], 78);
    EXPECT_EQ(file[10], 54);
    const DibInfo info = ReadDibInfo(file.data() + 14);
    EXPECT_EQ(info.sizeImage, 24u);
    EXPECT_EQ(info.xPelsPerMeter, 3780);
    EXPECT_EQ(info.bitCount, 24);
    EXPECT_EQ(info.height, 2);  // bottom-up
    Dib back;
    ASSERT_TRUE(ReadBmpFile(file.data(), file.size(), back));
    EXPECT_EQ(back.Image()->pixels, img.pixels);
    EXPECT_EQ(WriteBmpFile(back), file);
    // Packed form for the clipboard.
    Dib packed;
    const auto bytes = dib.ToPacked();
    ASSERT_TRUE(ReadPackedDib(bytes.data(), bytes.size(), packed));
    EXPECT_EQ(packed.Bits(), dib.Bits());

    // A short table is announced in biClrUsed.
    auto eight = Bmp(1, 1, 8, kBiRgb, {0x0000FF, 0x00FF00}, {1, 0, 0, 0}, 2);
    Dib small;
    ASSERT_TRUE(ReadBmpFile(eight.data(), eight.size(), small));
    const auto out = WriteBmpFile(small);
    EXPECT_EQ(ReadDibInfo(out.data() + 14).clrUsed, 2u);
    EXPECT_EQ(out.size(), 14u + 40 + 8 + 4);
}

}  // namespace
}  // namespace gyr
