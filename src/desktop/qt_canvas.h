#pragma once
// The drawing seam on QPainter: one implementation for the screen's backing
// image, QImage export, printers, SVG and PDF.
//
// Pens and brushes are applied lazily: selecting only records the choice, and
// the painter is touched when a primitive draws with a record different from
// the one it already holds. Objects select and restore their pen around every
// draw, so consecutive figures with the same attributes cost no setPen at all.

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QTransform>
#include <vector>

#include "port/canvas.h"

namespace gyr {

QColor ToQColor(ColorRef c);
// The platform pen of a logical pen record: widths below 1 draw one pixel,
// inside-frame draws solid, and wide pens have round ends and joins.
QPen MakeQPen(const LogPen& pen);
QBrush MakeQBrush(const LogBrush& brush);
// The font of a record at the given vertical resolution (sizes in logical pixels).
QFont MakeQFont(const FontRecord& font, int dpiY);
class QtCanvas : public Canvas {
public:
    // The painter must be active and outlive the canvas. Its transform at this
    // point is the device mapping; the viewport origin is applied on top.
    explicit QtCanvas(QPainter& painter);
    ~QtCanvas() override;

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
    void SetBkTransparent(bool transparent) override;
    void SetFont(const FontRecord& font) override;
    void TextOut(PixelPoint p, const std::string& text) override;
    void DrawTextInRect(const PixelRect& r, const std::string& text, Justify j) override;
    PixelPoint TextExtent(const std::string& text) override;

    RasterMode SetRasterMode(RasterMode m) override;
    void InvertRect(const PixelRect& r) override;
    void DrawFocusRect(const PixelRect& r) override;

    void SetClipRect(const PixelRect& r) override;
    PixelPoint SetViewportOrg(PixelPoint org) override;

    int DpiX() const override;
    int DpiY() const override;

    // Nearest-neighbour stretch of the decoded bitmap (decoded once).
    void DrawDib(const PixelRect& r, const Dib& dib, const PixelRect& src = {}) override;
    void PolyBezier(const PixelPoint* pts, int n) override;
    void SaveState() override;
    void RestoreState() override;
    void IntersectClip(const PixelRect& r) override;

    // Whether the device honours the inverting raster modes.
    bool SupportsRasterOps() const { return m_rasterOps; }
    // Number of times the painter's pen was actually changed (for tests of
    // the caching).
    int PenChanges() const { return m_penChanges; }

private:
    void ApplyPen();
    void ApplyBrush();
    // Sets the painter's pen to a plain pen of the text colour for a text call;
    // the next primitive re-applies the selected pen.
    void ApplyTextPen();
    QRect ToQRect(const PixelRect& r) const;

    QPainter& m_painter;
    QTransform m_deviceTransform;
    PixelPoint m_org;
    PixelPoint m_current;

    PenSel m_pen;  // selected
    BrushSel m_brush;
    PenSel m_appliedPen;  // what the painter holds
    BrushSel m_appliedBrush;
    bool m_penValid = false;  // false: the painter's pen is unknown
    bool m_brushValid = false;
    int m_penChanges = 0;

    ColorRef m_textColor = 0;
    bool m_transparent = false;
    FontRecord m_font;
    RasterMode m_mode = RasterMode::Copy;
    bool m_rasterOps = false;
    std::vector<QPoint> m_buffer;
    struct Saved {
        PenSel pen;
        BrushSel brush;
        ColorRef textColor;
        bool transparent;
        FontRecord font;
        RasterMode mode;
        PixelPoint org;
    };
    std::vector<Saved> m_saved;
};

// The pixels of a decoded bitmap as an image sharing its memory (valid while
// the bitmap lives).
QImage ImageOf(const DibImage& image);
// The pixels of an image, 0xFFRRGGBB each.
DibImage DibImageOf(const QImage& image);

}  // namespace gyr
