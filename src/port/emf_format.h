#pragma once
// Enhanced metafiles: the record types, the header layout and its check,
// shared by our writer (EmfCanvas) and our player (PlayEmf).

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace gyr {

enum EmfRecord : std::uint32_t {
    kEmrHeader = 1,
    kEmrPolyBezier = 2,
    kEmrPolygon = 3,
    kEmrPolyline = 4,
    kEmrPolyBezierTo = 5,
    kEmrPolylineTo = 6,
    kEmrPolyPolyline = 7,
    kEmrPolyPolygon = 8,
    kEmrSetWindowExtEx = 9,
    kEmrSetWindowOrgEx = 10,
    kEmrSetViewportExtEx = 11,
    kEmrSetViewportOrgEx = 12,
    kEmrEof = 14,
    kEmrSetMapMode = 17,
    kEmrSetBkMode = 18,
    kEmrSetPolyFillMode = 19,
    kEmrSetRop2 = 20,
    kEmrSetTextAlign = 22,
    kEmrSetTextColor = 24,
    kEmrSetBkColor = 25,
    kEmrMoveToEx = 27,
    kEmrExcludeClipRect = 29,
    kEmrIntersectClipRect = 30,
    kEmrSaveDc = 33,
    kEmrRestoreDc = 34,
    kEmrSetWorldTransform = 35,
    kEmrModifyWorldTransform = 36,
    kEmrSelectObject = 37,
    kEmrCreatePen = 38,
    kEmrCreateBrushIndirect = 39,
    kEmrDeleteObject = 40,
    kEmrEllipse = 42,
    kEmrRectangle = 43,
    kEmrRoundRect = 44,
    kEmrArc = 45,
    kEmrChord = 46,
    kEmrPie = 47,
    kEmrLineTo = 54,
    kEmrArcTo = 55,
    kEmrBeginPath = 59,
    kEmrEndPath = 60,
    kEmrCloseFigure = 61,
    kEmrFillPath = 62,
    kEmrStrokeAndFillPath = 63,
    kEmrStrokePath = 64,
    kEmrSelectClipPath = 67,
    kEmrAbortPath = 68,
    kEmrGdiComment = 70,
    kEmrExtSelectClipRgn = 75,
    kEmrBitBlt = 76,
    kEmrStretchBlt = 77,
    kEmrSetDiBitsToDevice = 80,
    kEmrStretchDiBits = 81,
    kEmrExtCreateFontIndirectW = 82,
    kEmrExtTextOutA = 83,
    kEmrExtTextOutW = 84,
    kEmrPolyBezier16 = 85,
    kEmrPolygon16 = 86,
    kEmrPolyline16 = 87,
    kEmrPolyBezierTo16 = 88,
    kEmrPolylineTo16 = 89,
    kEmrPolyPolyline16 = 90,
    kEmrPolyPolygon16 = 91,
    kEmrExtCreatePen = 95,
};

constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kEmfVersion = 0x10000;
constexpr std::uint32_t kEmfMinHeader = 88;

// Stock objects are selected by 0x80000000 | index.
constexpr std::uint32_t kStockFlag = 0x80000000u;
enum StockObject : std::uint32_t {
    kWhiteBrush = 0,
    kLtGrayBrush = 1,
    kGrayBrush = 2,
    kDkGrayBrush = 3,
    kBlackBrush = 4,
    kNullBrush = 5,
    kWhitePen = 6,
    kBlackPen = 7,
    kNullPen = 8,
    kDefaultGuiFont = 17,
};

// Our reference device: 1920 × 1080 pixels on 508 × 286 mm.
constexpr int kEmfDeviceWidthPx = 1920;
constexpr int kEmfDeviceHeightPx = 1080;
constexpr int kEmfDeviceWidthMm = 508;
constexpr int kEmfDeviceHeightMm = 286;
// Hundredths of a millimetre per pixel (integer multiply-divide): 26 and 26.
constexpr int kEmfHundredthsPerPixelX = kEmfDeviceWidthMm * 100 / kEmfDeviceWidthPx;
constexpr int kEmfHundredthsPerPixelY = kEmfDeviceHeightMm * 100 / kEmfDeviceHeightPx;

// The fields of an EMR_HEADER record.
struct EmfHeader {
    std::uint32_t iType = 0;
    std::uint32_t nSize = 0;
    std::int32_t bounds[4] = {0, 0, 0, 0};  // left, top, right, bottom (inclusive pixels)
    std::int32_t frame[4] = {0, 0, 0, 0};   // hundredths of a millimetre
    std::uint32_t signature = 0;
    std::uint32_t version = 0;
    std::uint32_t nBytes = 0;
    std::uint32_t nRecords = 0;
    std::uint16_t nHandles = 0;
    std::uint32_t nDescription = 0;
    std::uint32_t offDescription = 0;
    std::int32_t deviceCx = 0, deviceCy = 0;
    std::int32_t millimetersCx = 0, millimetersCy = 0;
};

// Little-endian fields of a record.
inline std::uint32_t EmfU32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
inline std::int32_t EmfI32(const std::uint8_t* p) {
    return std::int32_t(EmfU32(p));
}
inline std::int16_t EmfI16(const std::uint8_t* p) {
    return std::int16_t(std::uint16_t(p[0] | (p[1] << 8)));
}
inline float EmfF32(const std::uint8_t* p) {
    float f;
    std::memcpy(&f, p, 4);
    return f;
}

// The header of a well-framed metafile: type 1, the signature, nSize at
// least 88, nBytes within the data, every record at least 8 bytes, a
// multiple of 4 and inside nBytes (EOF ends the walk). False otherwise.
bool ReadEmfHeader(const std::uint8_t* data, std::size_t size, EmfHeader& out);

}  // namespace gyr
