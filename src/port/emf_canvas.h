#pragma once
// A Canvas that records an enhanced metafile: every primitive becomes the
// matching record in device pixels (circles as ELLIPSE, arcs as ARC, bitmaps
// as STRETCHDIBITS), pens, brushes and fonts are created as they change, and
// the header is written at the end with exact sizes, counts and the union of
// what was drawn as its bounds.

#include <cstdint>
#include <string>
#include <vector>

#include "port/canvas.h"
#include "port/emf_format.h"

namespace gyr {

// The description our metafiles carry.
extern const char* const kEmfDescription;

// The largest metafile we write.
inline constexpr std::size_t kMaxEmfBytes = std::size_t(64) << 20;

class EmfCanvas : public Canvas {
public:
    // frame: the picture's frame in hundredths of a millimetre (left, top,
    // right, bottom); clip: the device rectangle everything is clipped to
    // (and that the bounds are clipped to).
    EmfCanvas(const std::int32_t frame[4], const PixelRect& clip);

    // The finished metafile: header, records, EOF; empty when the bitmaps
    // drawn into it would pass kMaxEmfBytes (a capture of captures of
    // bitmaps grows without end). The canvas takes no more drawing afterwards.
    std::vector<std::uint8_t> Finish();

    PenSel SelectPen(const LogPen* pen) override;
    BrushSel SelectBrush(const LogBrush* brush) override;

    void MoveTo(PixelPoint p) override;
    void LineTo(PixelPoint p) override;
    void Polyline(const PixelPoint* pts, int n) override;
    void Polygon(const PixelPoint* pts, int n) override;
    void Ellipse(const PixelRect& r) override;
    void Arc(const PixelRect& r, PixelPoint start, PixelPoint end) override;
    void PolyBezier(const PixelPoint* pts, int n) override;

    void SetTextColor(ColorRef c) override { m_textColor = c; }
    ColorRef GetTextColor() const override { return m_textColor; }
    void SetBkTransparent(bool transparent) override { m_transparent = transparent; }
    void SetFont(const FontRecord& font) override { m_font = font; }
    void TextOut(PixelPoint p, const std::string& text) override;
    void DrawTextInRect(const PixelRect& r, const std::string& text, Justify j) override;
    // An estimate (no font metrics here): 0.6 of the height per character.
    PixelPoint TextExtent(const std::string& text) override;

    RasterMode SetRasterMode(RasterMode m) override;
    void InvertRect(const PixelRect& r) override;
    void DrawFocusRect(const PixelRect& r) override;

    void SetClipRect(const PixelRect& r) override;
    PixelPoint SetViewportOrg(PixelPoint org) override;
    void DrawDib(const PixelRect& r, const Dib& dib, const PixelRect& src = {}) override;
    void SaveState() override;
    void RestoreState() override;
    void IntersectClip(const PixelRect& r) override;

    int DpiX() const override { return 96; }
    int DpiY() const override { return 96; }

private:
    struct Rec;
    void Begin(std::uint32_t type);
    void Put32(std::uint32_t v);
    void PutRect(const PixelRect& r);
    void PutPoint(PixelPoint p);
    void End();
    PixelPoint Dev(PixelPoint p) const { return Shifted(p, m_org.x, m_org.y); }
    PixelRect Dev(const PixelRect& r) const;
    // Brings the metafile's pen, brush, raster mode and clip up to date.
    void Sync(bool pen, bool brush);
    void SyncText();
    void EmitClip();
    // Adds a device rectangle (exclusive right/bottom) to the bounds.
    void Touch(PixelRect r, bool stroked);
    int PenHalf() const;
    void PolyRecord(std::uint32_t type, const PixelPoint* pts, int n, bool stroked);

    std::vector<std::uint8_t> m_out;
    std::size_t m_recordStart = 0;
    std::uint32_t m_records = 0;
    std::int32_t m_frame[4];
    PixelRect m_baseClip;
    PixelRect m_clip;         // current clip, device
    PixelRect m_appliedClip;  // what the metafile holds
    PixelRect m_bounds;       // union drawn, exclusive
    PixelPoint m_org;
    PixelPoint m_current;

    PenSel m_pen{false, LogPen{}};
    BrushSel m_brush{false, LogBrush{kBrushSolid, 0x00FFFFFF, 0}};
    PenSel m_appliedPen;
    BrushSel m_appliedBrush;
    bool m_penMade = false, m_brushMade = false, m_penValid = false, m_brushValid = false;
    ColorRef m_textColor = 0;
    bool m_transparent = false;
    FontRecord m_font;
    FontRecord m_appliedFont;
    bool m_fontMade = false;
    ColorRef m_appliedTextColor = 0xFFFFFFFF;
    int m_appliedBkMode = -1;
    RasterMode m_mode = RasterMode::Copy;
    RasterMode m_appliedMode = RasterMode::Copy;
    struct Saved {
        PenSel pen;
        BrushSel brush;
        ColorRef textColor;
        bool transparent;
        FontRecord font;
        RasterMode mode;
        PixelRect clip;
        PixelPoint org;
    };
    std::vector<Saved> m_saved;
    bool m_finished = false;
    bool m_tooLarge = false;
};

// The pixel height of a font record at 96 pixels per inch (positive).
int FontPixelHeight(const FontRecord& font);

}  // namespace gyr
