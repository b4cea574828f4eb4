#pragma once
// Pictures on the sheet: device-independent bitmaps (CPict, holding a CDib)
// and enhanced metafiles (CMetaObj). Both are rectangles given by the base
// corners; they draw their picture stretched into it, resize from the
// square at the bottom-right corner and list their sizes as object data.

#include <cstdint>
#include <vector>

#include "math/dib_codec.h"
#include "model/gesture_state.h"
#include "model/my_obj.h"
#include "port/emf_format.h"

namespace gyr {

// A bitmap as the archive keeps it: u32 header length (40 + colours × 4),
// the header and table, then the bits (their count follows from the header).
class CDib : public CObject {
    GYR_DECLARE_SERIAL(CDib)
public:
    CDib() = default;
    explicit CDib(Dib dib) : m_dib(std::move(dib)) {}
    void ExchangeFields(CFieldExchange& fx) override;

    Dib m_dib;
};

class CPict : public CMyObj {
    GYR_DECLARE_CLASS(CPict)
public:
    CPict() = default;
    // At the world origin, the bitmap's pixel size at the current mapping;
    // not selected.
    explicit CPict(Dib dib);

    bool IsDegenerate() const override { return false; }
    int GetPictureKind() const override { return 1; }
    void Draw(Canvas& dc) const override;
    void DrawMarks(Canvas& dc) const override;
    // 1 on the resize square at the bottom-right, 0 inside, -1 outside.
    int HitTest(const CWorldPoint& p) const override;
    double DistanceTo(const CWorldPoint& p, int& edge) const override;
    // With Ctrl held the bitmap's own pixel size returns at the top-left
    // corner; otherwise the grabbed corner follows.
    PixelRect MoveHandle(int k, const CWorldPoint& p) override;
    int ListData(DataLines& lines) const override;
    // Lines 4 to 7: left, top, right, bottom.
    CMyObj* SetDataValue(int index, double value, int step) override;
    void ExchangeFields(CFieldExchange& fx) override;

    const Dib& GetDib() const { return m_dib.m_dib; }

private:
    CDib m_dib;
};

class CMetaObj : public CMyObj {
    GYR_DECLARE_CLASS(CMetaObj)
public:
    CMetaObj() = default;
    // Bytes already checked by ReadEmfHeader, over the pixel rectangle; not
    // selected.
    CMetaObj(std::vector<std::uint8_t> emf, const PixelRect& r);

    bool IsDegenerate() const override { return false; }
    int GetPictureKind() const override { return 2; }
    // Plays into the pixel rectangle less one pixel at the right and bottom.
    void Draw(Canvas& dc) const override;
    void DrawMarks(Canvas& dc) const override;
    int HitTest(const CWorldPoint& p) const override;
    double DistanceTo(const CWorldPoint& p, int& edge) const override;
    // With Ctrl held the size of the header's bounds (right - left, bottom -
    // top pixels) returns at the top-left corner.
    PixelRect MoveHandle(int k, const CWorldPoint& p) override;
    int ListData(DataLines& lines) const override;
    // Lines 3 to 6: left, top, right, bottom.
    CMyObj* SetDataValue(int index, double value, int step) override;
    void ExchangeFields(CFieldExchange& fx) override;

    const std::vector<std::uint8_t>& Bytes() const { return m_emf; }
    const EmfHeader& Header() const { return m_header; }

private:
    std::vector<std::uint8_t> m_emf;
    EmfHeader m_header;
};

// Pictures of file or clipboard bytes, as Import places them: a bitmap at
// the world origin at its pixel size, a metafile over its header's bounds.
// Null (nothing made) when the bytes are not a picture we read.
CPict* PictureFromBmp(const std::uint8_t* data, std::size_t size);
CPict* PictureFromPackedDib(const std::uint8_t* data, std::size_t size);
CMetaObj* PictureFromEmf(const std::uint8_t* data, std::size_t size);

// The forms picture data comes in from the clipboard.
enum class PictureData { PackedDib, BmpFile, Emf };
// The clipboard types of a bitmap file and of a metafile.
inline constexpr const char* kBmpMime = "image/bmp";
inline constexpr const char* kEmfMime = "image/x-emf";
// Paste's picture: the picture of the data added to the state's document and
// repainted, as Import adds it; null with a beep when the data cannot be read
// (or there is no document).
CMyObj* PastePicture(CGestureState& state, PictureData kind, const std::uint8_t* data,
                     std::size_t size);


}  // namespace gyr
