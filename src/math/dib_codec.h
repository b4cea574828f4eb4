#pragma once
// Device-independent bitmaps: the BMP file and packed-DIB (clipboard) forms,
// read from untrusted bytes, decoded for drawing and written back.
//
// A DIB is kept as its BITMAPINFOHEADER (always the 40-byte form) followed by
// the colour table, plus the pixel rows. Everything read is validated before
// a byte of pixels is looked at, so that decoding never reads or writes
// outside its buffers.

#include <cstdint>
#include <memory>
#include <vector>

namespace gyr {

constexpr std::uint32_t kDibHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;

// Limits on untrusted sizes.
constexpr std::int64_t kMaxDibSide = 32768;
constexpr std::int64_t kMaxDibPixels = std::int64_t(1) << 26;
constexpr std::int64_t kMaxRlePixels = std::int64_t(1) << 24;

// The fields of a BITMAPINFOHEADER.
struct DibInfo {
    std::uint32_t size = kDibHeaderSize;
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: rows top-down
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};

// Reads the first 40 bytes (the caller checked there are 40).
DibInfo ReadDibInfo(const std::uint8_t* p);
void WriteDibInfo(const DibInfo& info, std::uint8_t* p);

// Colour-table entries: clrUsed when non-zero, else 2^bitCount up to 8 bits
// per pixel, else 0.
std::uint32_t DibColorCount(const DibInfo& info);
// Bytes of one row padded to 32 bits, computed in 64 bits.
std::uint64_t DibStride(const DibInfo& info);
// Byte count of the pixel rows: the header's own for run-length encoded
// bitmaps, otherwise the rows' size.
std::uint64_t DibImageSize(const DibInfo& info);
// Whether the header's numbers make a bitmap this program draws: the 40-byte
// size, width and height not 0 and at most kMaxDibSide, the pixel limits,
// a bit count its compression allows, a table of at most 2^bitCount entries.
bool IsValidDibInfo(const DibInfo& info);

// Decoded pixels, top row first, each 0xFFRRGGBB.
struct DibImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const {
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

// A validated DIB: header (40 bytes + table) and bits. Decoding happens once,
// on the first draw, and is shared by copies.
class Dib {
public:
    Dib() = default;
    // Takes header and bits already validated by one of the readers.
    Dib(std::vector<std::uint8_t> header, std::vector<std::uint8_t> bits);

    bool IsEmpty() const { return m_header.size() < kDibHeaderSize; }
    const std::vector<std::uint8_t>& Header() const { return m_header; }
    const std::vector<std::uint8_t>& Bits() const { return m_bits; }
    DibInfo Info() const;
    int Width() const;
    int Height() const;  // always positive
    std::uint32_t ColorCount() const;
    // Decoded pixels (cached); null when empty.
    const DibImage* Image() const;

    // Header, table and bits contiguous: the clipboard's form.
    std::vector<std::uint8_t> ToPacked() const;

private:
    std::vector<std::uint8_t> m_header;
    std::vector<std::uint8_t> m_bits;
    mutable std::shared_ptr<const DibImage> m_image;
};

// Checks header (40 + table bytes) and bits as the archive holds them: the
// header valid, the table exactly the colour count, the bits exactly the
// image size.
bool IsValidDibParts(const std::vector<std::uint8_t>& header, std::size_t bitsSize);

// Readers: false for anything malformed (the caller reports "Unexpected file
// format."). Headers of 108 and 124 bytes are taken as their first 40;
// BI_BITFIELDS bitmaps become 32-bit BI_RGB.
bool ReadBmpFile(const std::uint8_t* data, std::size_t size, Dib& out);
bool ReadPackedDib(const std::uint8_t* data, std::size_t size, Dib& out);
// The header and table (bmiSize bytes) and the bits apart, as metafile
// records hold them.
bool ReadDibParts(const std::uint8_t* bmi, std::size_t bmiSize, const std::uint8_t* bits,
                  std::size_t bitsSize, Dib& out);

// The BMP file of a DIB: "BM", sizes and offset from the header and table;
// the image size is stored back into the header (run-length encoded bitmaps
// keep their own), and biClrUsed is set whenever the table is shorter than
// 2^bitCount. Empty for an empty DIB.
std::vector<std::uint8_t> WriteBmpFile(const Dib& dib);

// A 24-bit BI_RGB DIB of the pixels: no table, bottom-up rows, 3780 pixels
// per metre (96 per inch).
Dib MakeDib24(const DibImage& image);

// The pixels decoded from header and bits known valid; false (image empty)
// otherwise.
bool DecodeDib(const std::vector<std::uint8_t>& header, const std::vector<std::uint8_t>& bits,
               DibImage& out);

}  // namespace gyr
