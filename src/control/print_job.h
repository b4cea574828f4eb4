#pragma once
// Printing the sheet over printer pages, free of any toolkit: the page plan,
// the job that switches the sheet to the printer's scale for one synchronous
// rendering, and the printing of a page range through a CPrintTarget that
// the desktop implements on its printer (and tests on a recorder).

#include <vector>

#include "math/pixel.h"
#include "port/canvas.h"

namespace gyr {

class CGyrDoc;
class CGyrView;
class CAxes;
class CMyObj;

extern const char* const kMsgNoPrintableArea;  // "The printer has no printable area."

// The pages of a sheet of W x H device pixels on a printable area of P x Q:
// columns ceil(W / P), rows ceil(H / Q), at least one each; no pages at all
// when the printable area is empty. Pages run left to right, then top to
// bottom, numbered from 1.
struct CPagePlan {
    int columns = 0;
    int rows = 0;
    int pageWidth = 0;  // P and Q
    int pageHeight = 0;

    long long Count() const { return (long long)columns * rows; }
    bool Empty() const { return Count() == 0; }
    int ColumnOf(long long page) const;  // 1-based
    int RowOf(long long page) const;     // 1-based
    // The viewport origin that brings the page to the device's top-left:
    // (-(column - 1) P, -(row - 1) Q).
    PixelPoint Origin(long long page) const;
    // The page's part of the sheet, in sheet pixels at the print scale.
    PixelRect Area(long long page) const;
};

CPagePlan PlanPages(long long sheetWidth, long long sheetHeight, int printableWidth,
                    int printableHeight);

// What the printer offers: its resolution and its printable area (the page
// less its unprintable margins) in device pixels.
struct CPrintDevice {
    int dpiX = 0;
    int dpiY = 0;
    int pageWidth = 0;
    int pageHeight = 0;
};

// The print scale: printer over screen pixels per inch (1 when either is
// unknown).
double PrintScale(int screenDpi, const CPrintDevice& device);

// The plan of the document's sheet on the device, computed without touching
// the sheet: the print dialog offers its pages before any job begins. The
// sheet's size is bounded by the largest sheet the program makes (32000
// pixels a side), so that a damaged file cannot ask for millions of pages.
CPagePlan PlanPrint(const CGyrDoc& doc, int screenDpi, const CPrintDevice& device);

// One print job. The constructor (begin printing) sets the sheet's general
// scale to the print scale and the text resolution to the printer's; the
// destructor (end printing) puts back the values that were in force, on
// every path. A job lives only within one synchronous rendering, so that no
// repaint of the screen ever sees the printer's scale. The document's bytes
// and modified flag are not touched.
class CPrintJob {
public:
    CPrintJob(CGyrDoc& doc, int screenDpi, const CPrintDevice& device);
    ~CPrintJob();
    CPrintJob(const CPrintJob&) = delete;
    CPrintJob& operator=(const CPrintJob&) = delete;

    const CPagePlan& Plan() const { return m_plan; }
    // Draws page n (1-based) onto the device canvas: the objects whose area
    // meets the page, in catalogue order, clipped to it, with pen widths at
    // the print scale; no selection marks.
    void DrawPage(Canvas& dc, long long page) const;

private:
    CAxes* m_sheet = nullptr;
    double m_previousScale = 1.0;
    int m_previousTextResolution = 96;
    double m_scale = 1.0;
    int m_labelHeight = 0;
    CPagePlan m_plan;
    // Each object's area at the print scale, in catalogue order: measured
    // once for all pages.
    struct Placed {
        PixelRect area;
        const CMyObj* obj;
    };
    std::vector<Placed> m_placed;
};

// The printer as the print steps use it.
class CPrintTarget {
public:
    virtual ~CPrintTarget() = default;
    virtual CPrintDevice Device() const = 0;
    // Starts the document and returns the first page's canvas; null when
    // the printer cannot start.
    virtual Canvas* Begin() = 0;
    // Moves to a fresh page; false when the printer failed or the user
    // cancelled.
    virtual bool NewPage() = 0;
    // Ends the document; false when it failed.
    virtual bool End() = 0;
    // Whether the user cancelled the job (asked after each page).
    virtual bool Cancelled() const { return false; }
};

enum class PrintResult { Printed, NoPrintableArea, Failed, Cancelled };

// Prints pages first..last of the plan (clamped to it; last 0 is the last
// page). An empty printable area prints nothing and says so.
PrintResult PrintDocument(CGyrDoc& doc, int screenDpi, CPrintTarget& target, long long first = 1,
                          long long last = 0);

// The view's print step: ends text editing, prints with the view's screen
// resolution and keeps the job's page count in the view.
PrintResult PrintView(CGyrView& view, CPrintTarget& target, long long first = 1,
                      long long last = 0);

// A canvas that hands everything to another one, scaling pen widths by the
// print scale and keeping every clip inside the page.
class CPageCanvas : public Canvas {
public:
    CPageCanvas(Canvas& inner, double scale, const PixelRect& page);

    PenSel SelectPen(const LogPen* pen) override;
    BrushSel SelectBrush(const LogBrush* brush) override { return m_inner.SelectBrush(brush); }
    void MoveTo(PixelPoint p) override { m_inner.MoveTo(p); }
    void LineTo(PixelPoint p) override { m_inner.LineTo(p); }
    void Polyline(const PixelPoint* pts, int n) override { m_inner.Polyline(pts, n); }
    void Polygon(const PixelPoint* pts, int n) override { m_inner.Polygon(pts, n); }
    void Ellipse(const PixelRect& r) override { m_inner.Ellipse(r); }
    void Arc(const PixelRect& r, PixelPoint start, PixelPoint end) override {
        m_inner.Arc(r, start, end);
    }
    void SetTextColor(ColorRef c) override { m_inner.SetTextColor(c); }
    ColorRef GetTextColor() const override { return m_inner.GetTextColor(); }
    void SetBkTransparent(bool transparent) override { m_inner.SetBkTransparent(transparent); }
    void SetFont(const FontRecord& font) override { m_inner.SetFont(font); }
    void TextOut(PixelPoint p, const std::string& text) override { m_inner.TextOut(p, text); }
    void DrawTextInRect(const PixelRect& r, const std::string& text, Justify j) override {
        m_inner.DrawTextInRect(r, text, j);
    }
    PixelPoint TextExtent(const std::string& text) override { return m_inner.TextExtent(text); }
    RasterMode SetRasterMode(RasterMode m) override { return m_inner.SetRasterMode(m); }
    void InvertRect(const PixelRect& r) override { m_inner.InvertRect(r); }
    void DrawFocusRect(const PixelRect& r) override { m_inner.DrawFocusRect(r); }
    // An empty rectangle clips to the page, any other to its part of it.
    void SetClipRect(const PixelRect& r) override;
    PixelPoint SetViewportOrg(PixelPoint org) override { return m_inner.SetViewportOrg(org); }
    int DpiX() const override { return m_inner.DpiX(); }
    int DpiY() const override { return m_inner.DpiY(); }

    // A pen width at the scale: widths below one pixel count as one.
    static int ScaledWidth(int width, double scale);

private:
    Canvas& m_inner;
    double m_scale;
    PixelRect m_page;
    PenSel m_pen{false, LogPen{}};  // as the figures selected it, unscaled
};

}  // namespace gyr
