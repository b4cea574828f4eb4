#include "math/dib_codec.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace gyr {

namespace {

std::uint16_t U16At(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t U32At(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
void PutU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
void PutU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

std::int64_t AbsHeight(const DibInfo& info) {
    return info.height < 0 ? -std::int64_t(info.height) : std::int64_t(info.height);
}

bool IsHeaderSizeAccepted(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// The colour of a table entry (RGBQUAD: blue, green, red, reserved); an
// index beyond the table is black.
std::uint32_t TableColor(const std::uint8_t* table, std::uint32_t colors, std::uint32_t index) {
    if (index >= colors) return 0xFF000000u;
    const std::uint8_t* q = table + 4 * std::size_t(index);
    return 0xFF000000u | (std::uint32_t(q[2]) << 16) | (std::uint32_t(q[1]) << 8) | q[0];
}

// The position of a mask's lowest bit and its width, for BI_BITFIELDS.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(std::uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        while (shift + bits < 32 && ((m >> (shift + bits)) & 1)) ++bits;
    }
    std::uint32_t Eight(std::uint32_t v) const {
        if (!bits) return 0;
        std::uint32_t c = (v & mask) >> shift;
        if (bits >= 8) return c >> (bits - 8);
        // Widen by repeating the high bits.
        std::uint32_t out = 0;
        int have = 0;
        while (have < 8) {
            out = (out << bits) | c;
            have += bits;
        }
        return out >> (have - 8);
    }
};

void DecodeRle(const DibInfo& info, const std::uint8_t* table, std::uint32_t colors,
               const std::uint8_t* b, std::size_t n, DibImage& out) {
    const bool four = info.compression == kBiRle4;
    const std::int64_t w = out.width, h = out.height;
    std::fill(out.pixels.begin(), out.pixels.end(), TableColor(table, colors, 0));
    std::int64_t x = 0, y = 0;  // y counts rows from the bottom
    auto put = [&](std::uint32_t index) {
        if (x >= 0 && x < w && y >= 0 && y < h)
            out.pixels[std::size_t(h - 1 - y) * std::size_t(w) + std::size_t(x)] =
                TableColor(table, colors, index);
        ++x;
    };
    std::size_t i = 0;
    while (i + 1 < n && y < h) {
        const std::uint32_t c = b[i], v = b[i + 1];
        i += 2;
        if (c > 0) {
            for (std::uint32_t k = 0; k < c && x < w; ++k)
                put(four ? ((k & 1) ? (v & 15) : (v >> 4)) : v);
        } else if (v == 0) {
            x = 0;
            ++y;
        } else if (v == 1) {
            break;
        } else if (v == 2) {
            if (i + 1 >= n) break;
            x += b[i];
            y += b[i + 1];
            i += 2;
        } else {
            const std::size_t bytes = four ? (v + 1) / 2 : v;
            const std::size_t padded = (bytes + 1) & ~std::size_t(1);
            if (padded > n - i) break;
            for (std::uint32_t k = 0; k < v; ++k) {
                const std::uint8_t byte = b[i + (four ? k / 2 : k)];
                put(four ? ((k & 1) ? (byte & 15) : (byte >> 4)) : byte);
            }
            i += padded;
        }
    }
}

// Header (of hdrSize bytes at hdr, hdrAvail bytes readable there) and bits
// (bitsAvail bytes) into a validated DIB.
bool ParseDib(const std::uint8_t* hdr, std::size_t hdrAvail, std::uint32_t hdrSize,
              const std::uint8_t* bits, std::size_t bitsAvail, Dib& out) {
    if (!IsHeaderSizeAccepted(hdrSize) || hdrSize > hdrAvail) return false;
    DibInfo info = ReadDibInfo(hdr);
    info.size = kDibHeaderSize;
    std::size_t tableStart = hdrSize;
    std::uint32_t masks[3] = {0, 0, 0};
    const bool bitfields = info.compression == kBiBitfields;
    if (bitfields) {
        if (info.bitCount != 16 && info.bitCount != 32) return false;
        if (hdrSize == kDibHeaderSize) tableStart += 12;
        if (hdrAvail < kDibHeaderSize + 12) return false;
        for (int k = 0; k < 3; ++k) masks[k] = U32At(hdr + 40 + 4 * k);
        // Overlapping masks describe no colour.
        if ((masks[0] & masks[1]) || (masks[1] & masks[2]) || (masks[0] & masks[2])) return false;
        info.compression = kBiRgb;  // checked as the plain form of its size
    }
    // Tables of direct-colour bitmaps are only hints for palette devices.
    if (info.bitCount > 8) info.clrUsed = 0;
    if (!IsValidDibInfo(info)) return false;
    const std::uint32_t colors = DibColorCount(info);
    const std::uint64_t tableBytes = std::uint64_t(colors) * 4;
    if (tableStart + tableBytes > hdrAvail) return false;
    const std::uint64_t imageSize = DibImageSize(info);
    if (imageSize == 0 || imageSize > bitsAvail) return false;

    if (!bitfields) {
        std::vector<std::uint8_t> header(kDibHeaderSize + std::size_t(tableBytes));
        WriteDibInfo(info, header.data());
        std::memcpy(header.data() + kDibHeaderSize, hdr + tableStart, std::size_t(tableBytes));
        out = Dib(std::move(header), std::vector<std::uint8_t>(bits, bits + imageSize));
        return true;
    }
    // BI_BITFIELDS: the pixels become 32-bit BGRX.
    const Channel r(masks[0]), g(masks[1]), b(masks[2]);
    const std::int64_t w = info.width, h = AbsHeight(info);
    const std::uint64_t stride = DibStride(info);
    DibImage image;
    image.width = int(w);
    image.height = int(h);
    image.pixels.resize(std::size_t(w * h));
    for (std::int64_t row = 0; row < h; ++row) {
        const std::uint8_t* src = bits + std::size_t(stride) * std::size_t(row);
        const std::int64_t dy = info.height > 0 ? h - 1 - row : row;
        std::uint32_t* dst = image.pixels.data() + std::size_t(dy * w);
        for (std::int64_t x = 0; x < w; ++x) {
            const std::uint32_t v = info.bitCount == 16 ? U16At(src + 2 * x) : U32At(src + 4 * x);
            dst[x] = 0xFF000000u | (r.Eight(v) << 16) | (g.Eight(v) << 8) | b.Eight(v);
        }
    }
    DibInfo plain = info;
    plain.bitCount = 32;
    plain.compression = kBiRgb;
    plain.height = info.height < 0 ? -std::int32_t(h) : std::int32_t(h);
    plain.sizeImage = std::uint32_t(w * h * 4);
    plain.clrUsed = 0;
    plain.clrImportant = 0;
    std::vector<std::uint8_t> header(kDibHeaderSize);
    WriteDibInfo(plain, header.data());
    std::vector<std::uint8_t> px(std::size_t(w * h * 4));
    for (std::int64_t row = 0; row < h; ++row) {
        const std::int64_t dy = info.height > 0 ? h - 1 - row : row;
        for (std::int64_t x = 0; x < w; ++x)
            PutU32(px.data() + std::size_t((row * w + x) * 4),
                   image.pixels[std::size_t(dy * w + x)]);
    }
    out = Dib(std::move(header), std::move(px));
    return true;
}

}  // namespace

DibInfo ReadDibInfo(const std::uint8_t* p) {
    DibInfo i;
    i.size = U32At(p);
    i.width = std::int32_t(U32At(p + 4));
    i.height = std::int32_t(U32At(p + 8));
    i.planes = U16At(p + 12);
    i.bitCount = U16At(p + 14);
    i.compression = U32At(p + 16);
    i.sizeImage = U32At(p + 20);
    i.xPelsPerMeter = std::int32_t(U32At(p + 24));
    i.yPelsPerMeter = std::int32_t(U32At(p + 28));
    i.clrUsed = U32At(p + 32);
    i.clrImportant = U32At(p + 36);
    return i;
}

void WriteDibInfo(const DibInfo& i, std::uint8_t* p) {
    PutU32(p, i.size);
    PutU32(p + 4, std::uint32_t(i.width));
    PutU32(p + 8, std::uint32_t(i.height));
    PutU16(p + 12, i.planes);
    PutU16(p + 14, i.bitCount);
    PutU32(p + 16, i.compression);
    PutU32(p + 20, i.sizeImage);
    PutU32(p + 24, std::uint32_t(i.xPelsPerMeter));
    PutU32(p + 28, std::uint32_t(i.yPelsPerMeter));
    PutU32(p + 32, i.clrUsed);
    PutU32(p + 36, i.clrImportant);
}

std::uint32_t DibColorCount(const DibInfo& info) {
    if (info.clrUsed != 0) return info.clrUsed;
    switch (info.bitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

std::uint64_t DibStride(const DibInfo& info) {
    const std::uint64_t w = info.width < 0 ? 0 : std::uint64_t(info.width);
    return (std::uint64_t(info.bitCount) * w + 31) / 32 * 4;
}

std::uint64_t DibImageSize(const DibInfo& info) {
    if (info.compression == kBiRle8 || info.compression == kBiRle4) return info.sizeImage;
    return DibStride(info) * std::uint64_t(AbsHeight(info));
}

bool IsValidDibInfo(const DibInfo& info) {
    if (info.size != kDibHeaderSize) return false;
    const std::int64_t w = info.width, h = AbsHeight(info);
    if (w <= 0 || w > kMaxDibSide || h == 0 || h > kMaxDibSide) return false;
    const std::int64_t pixels = w * h;
    switch (info.compression) {
        case kBiRgb:
            if (info.bitCount != 1 && info.bitCount != 4 && info.bitCount != 8 &&
                info.bitCount != 16 && info.bitCount != 24 && info.bitCount != 32)
                return false;
            if (pixels > kMaxDibPixels) return false;
            break;
        case kBiRle8:
        case kBiRle4:
            if (info.bitCount != (info.compression == kBiRle8 ? 8 : 4)) return false;
            // Run-length rows go bottom-up only.
            if (info.height < 0 || pixels > kMaxRlePixels || info.sizeImage == 0) return false;
            break;
        default:
            return false;
    }
    if (info.bitCount <= 8) return DibColorCount(info) <= (1u << info.bitCount);
    return info.clrUsed <= 256;
}

bool IsValidDibParts(const std::vector<std::uint8_t>& header, std::size_t bitsSize) {
    if (header.size() < kDibHeaderSize) return false;
    const DibInfo info = ReadDibInfo(header.data());
    if (!IsValidDibInfo(info)) return false;
    if (header.size() != kDibHeaderSize + std::uint64_t(DibColorCount(info)) * 4) return false;
    return DibImageSize(info) == bitsSize;
}

Dib::Dib(std::vector<std::uint8_t> header, std::vector<std::uint8_t> bits)
    : m_header(std::move(header)), m_bits(std::move(bits)) {}

DibInfo Dib::Info() const {
    return IsEmpty() ? DibInfo{} : ReadDibInfo(m_header.data());
}

int Dib::Width() const {
    return Info().width;
}

int Dib::Height() const {
    return int(AbsHeight(Info()));
}

std::uint32_t Dib::ColorCount() const {
    return IsEmpty() ? 0 : DibColorCount(Info());
}

const DibImage* Dib::Image() const {
    if (IsEmpty()) return nullptr;
    if (!m_image) {
        auto image = std::make_shared<DibImage>();
        if (!DecodeDib(m_header, m_bits, *image)) return nullptr;
        m_image = std::move(image);
    }
    return m_image.get();
}

std::vector<std::uint8_t> Dib::ToPacked() const {
    std::vector<std::uint8_t> out(m_header);
    out.insert(out.end(), m_bits.begin(), m_bits.end());
    return out;
}

bool ReadBmpFile(const std::uint8_t* data, std::size_t size, Dib& out) {
    if (size < 18 || data[0] != 'B' || data[1] != 'M') return false;
    const std::uint64_t offBits = U32At(data + 10);
    const std::uint32_t hdrSize = U32At(data + 14);
    if (!IsHeaderSizeAccepted(hdrSize) || 14 + std::uint64_t(hdrSize) > size) return false;
    // The bits lie after the header, inside the file.
    if (offBits < 14 + std::uint64_t(hdrSize) || offBits > size) return false;
    try {
        return ParseDib(data + 14, std::size_t(offBits - 14), hdrSize, data + offBits,
                        size - std::size_t(offBits), out);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool ReadPackedDib(const std::uint8_t* data, std::size_t size, Dib& out) {
    if (size < kDibHeaderSize) return false;
    const std::uint32_t hdrSize = U32At(data);
    if (!IsHeaderSizeAccepted(hdrSize) || hdrSize > size) return false;
    // The bits follow the table (and the masks of a 40-byte BI_BITFIELDS
    // header) at once.
    DibInfo info = ReadDibInfo(data);
    std::uint64_t start = hdrSize;
    if (info.compression == kBiBitfields && hdrSize == kDibHeaderSize) start += 12;
    if (info.bitCount > 8) info.clrUsed = 0;
    info.size = kDibHeaderSize;
    const std::uint32_t colors = info.bitCount <= 8 ? DibColorCount(info) : 0;
    if (colors > 256) return false;
    start += std::uint64_t(colors) * 4;
    if (start > size) return false;
    try {
        return ParseDib(data, std::size_t(start), hdrSize, data + start, size - std::size_t(start),
                        out);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool ReadDibParts(const std::uint8_t* bmi, std::size_t bmiSize, const std::uint8_t* bits,
                  std::size_t bitsSize, Dib& out) {
    if (bmiSize < kDibHeaderSize) return false;
    try {
        return ParseDib(bmi, bmiSize, U32At(bmi), bits, bitsSize, out);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::vector<std::uint8_t> WriteBmpFile(const Dib& dib) {
    if (dib.IsEmpty()) return {};
    std::vector<std::uint8_t> header = dib.Header();
    DibInfo info = ReadDibInfo(header.data());
    if (info.size != kDibHeaderSize) return {};
    const std::uint32_t tableBytes = std::uint32_t(header.size() - kDibHeaderSize);
    if (info.compression != kBiRle8 && info.compression != kBiRle4)
        info.sizeImage = std::uint32_t(DibImageSize(info));
    if (info.bitCount <= 8 && tableBytes / 4 < (1u << info.bitCount)) info.clrUsed = tableBytes / 4;
    WriteDibInfo(info, header.data());
    const std::uint32_t offBits = 14 + kDibHeaderSize + tableBytes;
    const std::uint32_t fileSize = offBits + std::uint32_t(dib.Bits().size());
    std::vector<std::uint8_t> out(14);
    out[0] = 'B';
    out[1] = 'M';
    PutU32(out.data() + 2, fileSize);
    PutU32(out.data() + 10, offBits);
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), dib.Bits().begin(), dib.Bits().end());
    return out;
}

Dib MakeDib24(const DibImage& image) {
    DibInfo info;
    info.width = image.width;
    info.height = image.height;
    info.bitCount = 24;
    info.compression = kBiRgb;
    info.xPelsPerMeter = 3780;
    info.yPelsPerMeter = 3780;
    const std::size_t stride = std::size_t(DibStride(info));
    info.sizeImage = std::uint32_t(stride * std::size_t(image.height));
    std::vector<std::uint8_t> header(kDibHeaderSize);
    WriteDibInfo(info, header.data());
    std::vector<std::uint8_t> bits(stride * std::size_t(image.height), 0);
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* row = bits.data() + stride * std::size_t(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t c = image.At(x, y);
            row[3 * x] = std::uint8_t(c);
            row[3 * x + 1] = std::uint8_t(c >> 8);
            row[3 * x + 2] = std::uint8_t(c >> 16);
        }
    }
    return Dib(std::move(header), std::move(bits));
}

bool DecodeDib(const std::vector<std::uint8_t>& header, const std::vector<std::uint8_t>& bits,
               DibImage& out) {
    out = {};
    if (!IsValidDibParts(header, bits.size())) return false;
    const DibInfo info = ReadDibInfo(header.data());
    const std::uint8_t* table = header.data() + kDibHeaderSize;
    const std::uint32_t colors = DibColorCount(info);
    const std::int64_t w = info.width, h = AbsHeight(info);
    try {
        out.pixels.resize(std::size_t(w * h));
    } catch (const std::bad_alloc&) {
        out.pixels.clear();
        return false;
    }
    out.width = int(w);
    out.height = int(h);
    if (info.compression == kBiRle8 || info.compression == kBiRle4) {
        DecodeRle(info, table, colors, bits.data(), bits.size(), out);
        return true;
    }
    const std::uint64_t stride = DibStride(info);
    for (std::int64_t row = 0; row < h; ++row) {
        const std::uint8_t* src = bits.data() + std::size_t(stride) * std::size_t(row);
        const std::int64_t dy = info.height > 0 ? h - 1 - row : row;
        std::uint32_t* dst = out.pixels.data() + std::size_t(dy * w);
        for (std::int64_t x = 0; x < w; ++x) {
            std::uint32_t c = 0;
            switch (info.bitCount) {
                case 1:
                    c = TableColor(table, colors, (src[x >> 3] >> (7 - (x & 7))) & 1);
                    break;
                case 4:
                    c = TableColor(table, colors,
                                   (x & 1) ? (src[x >> 1] & 15) : (src[x >> 1] >> 4));
                    break;
                case 8:
                    c = TableColor(table, colors, src[x]);
                    break;
                case 16: {
                    const std::uint32_t v = U16At(src + 2 * x);
                    auto five = [](std::uint32_t f) { return (f << 3) | (f >> 2); };
                    c = 0xFF000000u | (five((v >> 10) & 31) << 16) | (five((v >> 5) & 31) << 8) |
                        five(v & 31);
                    break;
                }
                case 24:
                    c = 0xFF000000u | (std::uint32_t(src[3 * x + 2]) << 16) |
                        (std::uint32_t(src[3 * x + 1]) << 8) | src[3 * x];
                    break;
                default:
                    c = 0xFF000000u | (U32At(src + 4 * x) & 0xFFFFFF);
                    break;
            }
            dst[x] = c;
        }
    }
    return true;
}

}  // namespace gyr
