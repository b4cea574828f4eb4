#pragma once
// A Canvas for tests: draws nothing, logs every primitive with its integer
// pixel coordinates and the pen and brush in force, both as a record and as a
// readable line such as
//   "polygon (10,20) (30,40) pen{0,2,0x800000} brush{null}".

#include <optional>
#include <string>
#include <vector>

#include "port/canvas.h"

namespace gyr {

class RecordingCanvas : public Canvas {
public:
    enum class Op {
        MoveTo,
        LineTo,
        Polyline,
        Polygon,
        Ellipse,
        Arc,
        TextOut,
        DrawTextInRect,
        InvertRect,
        DrawFocusRect,
        Dib,
        Bezier,
    };

    struct Record {
        Op op;
        // Points in call order; rectangles give (left, top) and (right, bottom),
        // arcs then add their start and end pixels.
        std::vector<PixelPoint> points;
        std::optional<LogPen> pen;  // empty: the null pen
        std::optional<LogBrush> brush;
        RasterMode raster = RasterMode::Copy;
        ColorRef textColor = 0;
        std::string text;
        PixelRect clip;  // the clip in force (empty: none)
    };

    PenSel SelectPen(const LogPen* pen) override;
    BrushSel SelectBrush(const LogBrush* brush) override;

    void MoveTo(PixelPoint p) override;
    void LineTo(PixelPoint p) override;
    void Polyline(const PixelPoint* pts, int n) override;
    void Polygon(const PixelPoint* pts, int n) override;
    void Ellipse(const PixelRect& r) override;
    void Arc(const PixelRect& r, PixelPoint start, PixelPoint end) override;

    void SetTextColor(ColorRef c) override { m_textColor = c; }
    ColorRef GetTextColor() const override { return m_textColor; }
    void SetBkTransparent(bool transparent) override { m_bkTransparent = transparent; }
    void SetFont(const FontRecord& font) override { m_font = font; }
    void TextOut(PixelPoint p, const std::string& text) override;
    void DrawTextInRect(const PixelRect& r, const std::string& text, Justify j) override;
    // A fixed-width estimate: kCharWidth per byte, kLineHeight high.
    PixelPoint TextExtent(const std::string& text) override;

    RasterMode SetRasterMode(RasterMode m) override;
    void InvertRect(const PixelRect& r) override;
    void DrawFocusRect(const PixelRect& r) override;

    void SetClipRect(const PixelRect& r) override { m_clip = r; }
    // Bitmaps log their destination and source rectangles and the size of
    // the bitmap as the text "WxH".
    void DrawDib(const PixelRect& r, const Dib& dib, const PixelRect& src = {}) override;
    void PolyBezier(const PixelPoint* pts, int n) override;
    void SaveState() override;
    void RestoreState() override;
    void IntersectClip(const PixelRect& r) override;
    int SaveDepth() const { return int(m_saved.size()); }
    PixelPoint SetViewportOrg(PixelPoint org) override;

    int DpiX() const override { return 96; }
    int DpiY() const override { return 96; }

    static constexpr int kCharWidth = 8;
    static constexpr int kLineHeight = 16;

    // The log.
    std::vector<Record> records;
    std::vector<std::string> lines;
    void Clear() {
        records.clear();
        lines.clear();
    }
    // The records of one kind, in order.
    std::vector<Record> Of(Op op) const;

    // Current state.
    const PenSel& CurrentPen() const { return m_pen; }
    const BrushSel& CurrentBrush() const { return m_brush; }
    RasterMode CurrentRasterMode() const { return m_raster; }
    const PixelRect& ClipRect() const { return m_clip; }
    PixelPoint ViewportOrg() const { return m_viewportOrg; }
    const FontRecord& Font() const { return m_font; }
    bool BkTransparent() const { return m_bkTransparent; }
    PixelPoint CurrentPosition() const { return m_position; }

    static const char* OpName(Op op);

private:
    void Log(Op op, std::vector<PixelPoint> pts, std::string text = {});

    PenSel m_pen{false, LogPen{}};  // a fresh surface draws with a thin black pen
    BrushSel m_brush{false, LogBrush{kBrushSolid, 0x00FFFFFF, 0}};
    ColorRef m_textColor = 0;
    bool m_bkTransparent = false;
    FontRecord m_font;
    RasterMode m_raster = RasterMode::Copy;
    PixelRect m_clip;
    PixelPoint m_viewportOrg;
    PixelPoint m_position;
    struct Saved {
        PenSel pen;
        BrushSel brush;
        ColorRef textColor;
        bool bkTransparent;
        FontRecord font;
        RasterMode raster;
        PixelRect clip;
        PixelPoint viewportOrg;
    };
    std::vector<Saved> m_saved;
};

}  // namespace gyr
