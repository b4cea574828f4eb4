#include "port/recording_canvas.h"

#include <algorithm>
#include <cstdio>

namespace gyr {

namespace {

std::string PenText(const std::optional<LogPen>& pen) {
    if (!pen) return "pen{null}";
    char buf[64];
    std::snprintf(buf, sizeof buf, "pen{%u,%d,0x%x}", unsigned(pen->style), int(pen->widthX),
                  unsigned(pen->color));
    return buf;
}

std::string BrushText(const std::optional<LogBrush>& brush) {
    if (!brush) return "brush{null}";
    char buf[64];
    std::snprintf(buf, sizeof buf, "brush{%u,0x%x,%d}", unsigned(brush->style),
                  unsigned(brush->color), int(brush->hatch));
    return buf;
}

const char* RasterText(RasterMode m) {
    switch (m) {
        case RasterMode::InvertDest:
            return " rop{invert}";
        case RasterMode::NotXor:
            return " rop{notxor}";
        default:
            return "";
    }
}

}  // namespace

const char* RecordingCanvas::OpName(Op op) {
    switch (op) {
        case Op::MoveTo:
            return "moveto";
        case Op::LineTo:
            return "lineto";
        case Op::Polyline:
            return "polyline";
        case Op::Polygon:
            return "polygon";
        case Op::Ellipse:
            return "ellipse";
        case Op::Arc:
            return "arc";
        case Op::TextOut:
            return "text";
        case Op::DrawTextInRect:
            return "textrect";
        case Op::InvertRect:
            return "invertrect";
        case Op::DrawFocusRect:
            return "focusrect";
        case Op::Dib:
            return "dib";
        case Op::Bezier:
            return "bezier";
    }
    return "?";
}

void RecordingCanvas::Log(Op op, std::vector<PixelPoint> pts, std::string text) {
    Record r;
    r.op = op;
    r.points = std::move(pts);
    if (!m_pen.null) r.pen = m_pen.pen;
    if (!m_brush.null) r.brush = m_brush.brush;
    r.raster = m_raster;
    r.textColor = m_textColor;
    r.text = std::move(text);
    r.clip = m_clip;

    std::string line = OpName(op);
    for (const PixelPoint& p : r.points)
        line += " (" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    line += " " + PenText(r.pen) + " " + BrushText(r.brush) + RasterText(r.raster);
    if (op == Op::TextOut || op == Op::DrawTextInRect || op == Op::Dib)
        line += " \"" + r.text + "\"";
    lines.push_back(std::move(line));
    records.push_back(std::move(r));
}

std::vector<RecordingCanvas::Record> RecordingCanvas::Of(Op op) const {
    std::vector<Record> out;
    for (const Record& r : records)
        if (r.op == op) out.push_back(r);
    return out;
}

Canvas::PenSel RecordingCanvas::SelectPen(const LogPen* pen) {
    PenSel old = m_pen;
    m_pen = pen ? PenSel{false, *pen} : PenSel{true, LogPen{}};
    return old;
}

Canvas::BrushSel RecordingCanvas::SelectBrush(const LogBrush* brush) {
    BrushSel old = m_brush;
    m_brush = brush ? BrushSel{false, *brush} : BrushSel{true, LogBrush{}};
    return old;
}

void RecordingCanvas::MoveTo(PixelPoint p) {
    m_position = p;
    Log(Op::MoveTo, {p});
}

void RecordingCanvas::LineTo(PixelPoint p) {
    Log(Op::LineTo, {m_position, p});
    m_position = p;
}

void RecordingCanvas::Polyline(const PixelPoint* pts, int n) {
    Log(Op::Polyline, std::vector<PixelPoint>(pts, pts + (n > 0 ? n : 0)));
}

void RecordingCanvas::Polygon(const PixelPoint* pts, int n) {
    Log(Op::Polygon, std::vector<PixelPoint>(pts, pts + (n > 0 ? n : 0)));
}

void RecordingCanvas::Ellipse(const PixelRect& r) {
    Log(Op::Ellipse, {{r.left, r.top}, {r.right, r.bottom}});
}

void RecordingCanvas::Arc(const PixelRect& r, PixelPoint start, PixelPoint end) {
    Log(Op::Arc, {{r.left, r.top}, {r.right, r.bottom}, start, end});
}

void RecordingCanvas::TextOut(PixelPoint p, const std::string& text) {
    Log(Op::TextOut, {p}, text);
}

void RecordingCanvas::DrawTextInRect(const PixelRect& r, const std::string& text, Justify) {
    Log(Op::DrawTextInRect, {{r.left, r.top}, {r.right, r.bottom}}, text);
}

PixelPoint RecordingCanvas::TextExtent(const std::string& text) {
    return {int(text.size()) * kCharWidth, kLineHeight};
}

RasterMode RecordingCanvas::SetRasterMode(RasterMode m) {
    RasterMode old = m_raster;
    m_raster = m;
    return old;
}

void RecordingCanvas::InvertRect(const PixelRect& r) {
    Log(Op::InvertRect, {{r.left, r.top}, {r.right, r.bottom}});
}

void RecordingCanvas::DrawFocusRect(const PixelRect& r) {
    Log(Op::DrawFocusRect, {{r.left, r.top}, {r.right, r.bottom}});
}

PixelPoint RecordingCanvas::SetViewportOrg(PixelPoint org) {
    PixelPoint old = m_viewportOrg;
    m_viewportOrg = org;
    return old;
}

void RecordingCanvas::DrawDib(const PixelRect& r, const Dib& dib, const PixelRect& src) {
    Log(Op::Dib,
        {{r.left, r.top}, {r.right, r.bottom}, {src.left, src.top}, {src.right, src.bottom}},
        std::to_string(dib.Width()) + "x" + std::to_string(dib.Height()));
}

void RecordingCanvas::PolyBezier(const PixelPoint* pts, int n) {
    Log(Op::Bezier, std::vector<PixelPoint>(pts, pts + (n > 0 ? n : 0)));
}

void RecordingCanvas::SaveState() {
    m_saved.push_back(
        {m_pen, m_brush, m_textColor, m_bkTransparent, m_font, m_raster, m_clip, m_viewportOrg});
}

void RecordingCanvas::RestoreState() {
    if (m_saved.empty()) return;
    const Saved& s = m_saved.back();
    m_pen = s.pen;
    m_brush = s.brush;
    m_textColor = s.textColor;
    m_bkTransparent = s.bkTransparent;
    m_font = s.font;
    m_raster = s.raster;
    m_clip = s.clip;
    m_viewportOrg = s.viewportOrg;
    m_saved.pop_back();
}

void RecordingCanvas::IntersectClip(const PixelRect& r) {
    const PixelRect n = r.Normalized();
    if (m_clip.IsEmpty()) {  // no clip yet
        m_clip = n;
        return;
    }
    PixelRect c{std::max(m_clip.left, n.left), std::max(m_clip.top, n.top),
                std::min(m_clip.right, n.right), std::min(m_clip.bottom, n.bottom)};
    // An empty intersection clips everything away: keep it as a zero-sized rectangle.
    if (c.IsEmpty()) c = {n.left, n.top, n.left, n.top};
    m_clip = c;
}

}  // namespace gyr
