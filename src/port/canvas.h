#pragma once
// The drawing surface seam. Everything below the desktop layer draws through
// this GDI-like interface in logical (sheet) pixels; the desktop implements it
// on QPainter, the tests on a recorder.

#include <cstdint>
#include <string>
#include <vector>

#include "math/dib_codec.h"
#include "math/pixel.h"

namespace gyr {

// Colours are 0x00BBGGRR throughout the program and in files.
using ColorRef = std::uint32_t;
constexpr ColorRef Rgb(int r, int g, int b) {
    return ColorRef(r & 0xFF) | (ColorRef(g & 0xFF) << 8) | (ColorRef(b & 0xFF) << 16);
}
constexpr int RedOf(ColorRef c) {
    return int(c & 0xFF);
}
constexpr int GreenOf(ColorRef c) {
    return int((c >> 8) & 0xFF);
}
constexpr int BlueOf(ColorRef c) {
    return int((c >> 16) & 0xFF);
}

// Pen styles use the platform numbering.
enum PenStyle : std::uint32_t {
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
    kPenNull = 5,
    kPenInsideFrame = 6,
};

// Logical pen record: stored raw (16 bytes) in files.
struct LogPen {
    std::uint32_t style = kPenSolid;
    std::int32_t widthX = 1;
    std::int32_t widthY = 0;
    ColorRef color = 0;
    friend bool operator==(const LogPen&, const LogPen&) = default;
};

enum BrushStyle : std::uint32_t { kBrushSolid = 0, kBrushNull = 1, kBrushHatched = 2 };

// Logical brush record: stored raw (12 bytes) in files.
struct LogBrush {
    std::uint32_t style = kBrushSolid;
    ColorRef color = 0;
    std::int32_t hatch = 0;
    friend bool operator==(const LogBrush&, const LogBrush&) = default;
};

struct FontRecord {
    int pointSize = 12;
    int heightPixels = 0;  // when non-zero, overrides the point size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::string faceName = "Courier New";
    friend bool operator==(const FontRecord&, const FontRecord&) = default;
};

// The font the sheet's axes write their labels with: a fresh canvas holds
// it, and printing sets it at the printer's resolution.
inline FontRecord DefaultLabelFont() {
    FontRecord f;
    f.pointSize = 9;
    f.faceName = "Courier New";
    return f;
}

enum class RasterMode { Copy, InvertDest, NotXor };

enum class Justify { Left = 0, Center = 1, Right = 2 };

class Canvas {
public:
    virtual ~Canvas() = default;

    // Pens and brushes: null selects the null pen / null brush. The canvas
    // keeps a copy; the returned value is the previous selection so callers
    // can restore it.
    struct PenSel {
        bool null = true;
        LogPen pen;
    };
    struct BrushSel {
        bool null = true;
        LogBrush brush;
    };
    virtual PenSel SelectPen(const LogPen* pen) = 0;
    virtual BrushSel SelectBrush(const LogBrush* brush) = 0;
    PenSel RestorePen(const PenSel& s) { return SelectPen(s.null ? nullptr : &s.pen); }
    BrushSel RestoreBrush(const BrushSel& s) { return SelectBrush(s.null ? nullptr : &s.brush); }

    virtual void MoveTo(PixelPoint p) = 0;
    virtual void LineTo(PixelPoint p) = 0;
    // Open polyline, stroked with the current pen.
    virtual void Polyline(const PixelPoint* pts, int n) = 0;
    // Closed path through the points: stroked with the pen, filled with the brush.
    virtual void Polygon(const PixelPoint* pts, int n) = 0;
    // Ellipse inscribed in the rectangle: stroked and filled.
    virtual void Ellipse(const PixelRect& r) = 0;
    // Counter-clockwise arc of the ellipse in r, from the ray towards start to
    // the ray towards end (the platform's arc convention). Stroked only.
    virtual void Arc(const PixelRect& r, PixelPoint start, PixelPoint end) = 0;

    virtual void SetTextColor(ColorRef c) = 0;
    virtual ColorRef GetTextColor() const = 0;
    virtual void SetBkTransparent(bool transparent) = 0;
    virtual void SetFont(const FontRecord& font) = 0;
    // Text with its top-left corner at p.
    virtual void TextOut(PixelPoint p, const std::string& text) = 0;
    // Word-wrapped text inside r.
    virtual void DrawTextInRect(const PixelRect& r, const std::string& text, Justify j) = 0;
    // Pixel size of a single line of text in the current font.
    virtual PixelPoint TextExtent(const std::string& text) = 0;

    virtual RasterMode SetRasterMode(RasterMode m) = 0;
    virtual void InvertRect(const PixelRect& r) = 0;
    virtual void DrawFocusRect(const PixelRect& r) = 0;

    // Clip to r; an empty rectangle removes the clip.
    virtual void SetClipRect(const PixelRect& r) = 0;
    virtual PixelPoint SetViewportOrg(PixelPoint org) = 0;

    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;

    // The part src (image pixels, top row first; empty: all of it) of a
    // bitmap stretched into r, nearest neighbour, colour on colour.
    virtual void DrawDib(const PixelRect& r, const Dib& dib, const PixelRect& src = {}) {
        (void)r;
        (void)dib;
        (void)src;
    }
    // Cubic Bézier curves through n = 1 + 3k points, stroked with the pen. By
    // default flattened into a polyline.
    virtual void PolyBezier(const PixelPoint* pts, int n);
    // Save and restore the pen, brush, text settings, raster mode, origin and
    // clip; restoring without a save does nothing.
    virtual void SaveState() {}
    virtual void RestoreState() {}
    // Clips to the intersection of the current clip and r (logical pixels).
    virtual void IntersectClip(const PixelRect& r) { SetClipRect(r); }
};

// The points of cubic Bézier curves (1 + 3k control points) flattened into a
// polyline, in doubles; segments per curve by its control polygon's length.
struct BezierPoint {
    double x = 0, y = 0;
};
void FlattenBezier(const BezierPoint* pts, int n, std::vector<BezierPoint>& out);
// The nearest int, saturating at the int range (NaN gives 0).
int RoundPixel(double v);

}  // namespace gyr
