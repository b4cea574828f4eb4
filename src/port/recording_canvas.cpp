#include "port/recording_canvas.h"

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

    std::string line = OpName(op);
    for (const PixelPoint& p : r.points)
        line += " (" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    line += " " + PenText(r.pen) + " " + BrushText(r.brush) + RasterText(r.raster);
    if (op == Op::TextOut || op == Op::DrawTextInRect) line += " \"" + r.text + "\"";
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

}  // namespace gyr
