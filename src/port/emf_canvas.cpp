#include "port/emf_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "math/text_codec.h"

namespace gyr {

const char* const kEmfDescription = "Gyrovant EMF 1.2.3";

namespace {

constexpr std::uint32_t kHeaderBytes = 108;
// The description in UTF-16 with two terminating NULs.
constexpr std::uint32_t kDescriptionUnits = 20;
constexpr std::uint32_t kPenHandle = 1, kBrushHandle = 2, kFontHandle = 3, kHandleCount = 4;
constexpr std::uint32_t kRgnCopy = 5;
constexpr std::uint32_t kR2Not = 6, kR2NotXorPen = 10, kR2CopyPen = 13;
constexpr std::uint32_t kSrcCopy = 0x00CC0020;

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
    PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
    if (r.IsEmpty()) return {r.left, r.top, r.left, r.top};
    return r;
}

std::u16string Utf16Of(const std::string& s) {
    std::u16string out;
    for (char32_t c : DecodeUtf8(s)) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out += char16_t(c);
        }
    }
    return out;
}

}  // namespace

int FontPixelHeight(const FontRecord& font) {
    if (font.heightPixels != 0) return std::max(1, std::abs(font.heightPixels));
    return std::max(1, font.pointSize * 96 / 72);
}

EmfCanvas::EmfCanvas(const std::int32_t frame[4], const PixelRect& clip)
    : m_baseClip(clip.Normalized()), m_clip(m_baseClip) {
    std::copy(frame, frame + 4, m_frame);
    m_out.resize(kHeaderBytes + kDescriptionUnits * 2);
    m_records = 1;
    // Everything is clipped to the given rectangle.
    Begin(kEmrIntersectClipRect);
    PutRect(m_baseClip);
    End();
    m_appliedClip = m_baseClip;
    Begin(kEmrSetBkMode);
    Put32(2);  // opaque, the platform's initial mode
    End();
    m_appliedBkMode = 2;
}

void EmfCanvas::Begin(std::uint32_t type) {
    m_recordStart = m_out.size();
    Put32(type);
    Put32(0);
}

void EmfCanvas::Put32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) m_out.push_back(std::uint8_t(v >> (8 * i)));
}

void EmfCanvas::PutRect(const PixelRect& r) {
    Put32(std::uint32_t(r.left));
    Put32(std::uint32_t(r.top));
    Put32(std::uint32_t(r.right));
    Put32(std::uint32_t(r.bottom));
}

void EmfCanvas::PutPoint(PixelPoint p) {
    Put32(std::uint32_t(p.x));
    Put32(std::uint32_t(p.y));
}

void EmfCanvas::End() {
    while ((m_out.size() - m_recordStart) % 4) m_out.push_back(0);
    const std::uint32_t size = std::uint32_t(m_out.size() - m_recordStart);
    std::memcpy(m_out.data() + m_recordStart + 4, &size, 4);
    ++m_records;
}

PixelRect EmfCanvas::Dev(const PixelRect& r) const {
    const PixelPoint a = Dev(PixelPoint{r.left, r.top}), b = Dev(PixelPoint{r.right, r.bottom});
    return {a.x, a.y, b.x, b.y};
}

int EmfCanvas::PenHalf() const {
    if (m_pen.null) return 0;
    return std::max(1, int(m_pen.pen.widthX)) / 2 + 1;
}

void EmfCanvas::Touch(PixelRect r, bool stroked) {
    r = r.Normalized();
    if (stroked) r = r.Inflated(PenHalf());
    const PixelRect c{std::max(r.left, m_clip.left), std::max(r.top, m_clip.top),
                      std::min(r.right, m_clip.right), std::min(r.bottom, m_clip.bottom)};
    if (c.IsEmpty()) return;
    m_bounds = m_bounds.United(c);
}

void EmfCanvas::Sync(bool pen, bool brush) {
    if (pen && (!m_penValid || m_pen.null != m_appliedPen.null ||
                (!m_pen.null && !(m_pen.pen == m_appliedPen.pen)))) {
        if (m_pen.null) {
            Begin(kEmrSelectObject);
            Put32(kStockFlag | kNullPen);
            End();
        } else {
            if (m_penMade) {
                Begin(kEmrSelectObject);
                Put32(kStockFlag | kBlackPen);
                End();
                Begin(kEmrDeleteObject);
                Put32(kPenHandle);
                End();
            }
            Begin(kEmrCreatePen);
            Put32(kPenHandle);
            Put32(m_pen.pen.style == kPenInsideFrame ? kPenSolid : m_pen.pen.style);
            Put32(std::uint32_t(std::max<std::int32_t>(1, m_pen.pen.widthX)));
            Put32(0);
            Put32(m_pen.pen.color & 0xFFFFFF);
            End();
            Begin(kEmrSelectObject);
            Put32(kPenHandle);
            End();
            m_penMade = true;
        }
        m_appliedPen = m_pen;
        m_penValid = true;
    }
    if (brush && (!m_brushValid || m_brush.null != m_appliedBrush.null ||
                  (!m_brush.null && !(m_brush.brush == m_appliedBrush.brush)))) {
        if (m_brush.null) {
            Begin(kEmrSelectObject);
            Put32(kStockFlag | kNullBrush);
            End();
        } else {
            if (m_brushMade) {
                Begin(kEmrSelectObject);
                Put32(kStockFlag | kNullBrush);
                End();
                Begin(kEmrDeleteObject);
                Put32(kBrushHandle);
                End();
            }
            Begin(kEmrCreateBrushIndirect);
            Put32(kBrushHandle);
            Put32(m_brush.brush.style);
            Put32(m_brush.brush.color & 0xFFFFFF);
            Put32(std::uint32_t(m_brush.brush.hatch));
            End();
            Begin(kEmrSelectObject);
            Put32(kBrushHandle);
            End();
            m_brushMade = true;
        }
        m_appliedBrush = m_brush;
        m_brushValid = true;
    }
    if (m_mode != m_appliedMode) {
        Begin(kEmrSetRop2);
        Put32(m_mode == RasterMode::NotXor       ? kR2NotXorPen
              : m_mode == RasterMode::InvertDest ? kR2Not
                                                 : kR2CopyPen);
        End();
        m_appliedMode = m_mode;
    }
    EmitClip();
}

void EmfCanvas::EmitClip() {
    if (m_clip == m_appliedClip) return;
    // A rectangle region replaces the clip.
    Begin(kEmrExtSelectClipRgn);
    Put32(48);  // cbRgnData: header and one rectangle
    Put32(kRgnCopy);
    Put32(32);  // RGNDATAHEADER: dwSize, iType, nCount, nRgnSize, rcBound
    Put32(1);
    Put32(1);
    Put32(16);
    PutRect(m_clip);
    PutRect(m_clip);
    End();
    m_appliedClip = m_clip;
}

void EmfCanvas::SyncText() {
    Sync(false, false);
    if (!m_fontMade || !(m_font == m_appliedFont)) {
        if (m_fontMade) {
            Begin(kEmrSelectObject);
            Put32(kStockFlag | kDefaultGuiFont);
            End();
            Begin(kEmrDeleteObject);
            Put32(kFontHandle);
            End();
        }
        Begin(kEmrExtCreateFontIndirectW);
        Put32(kFontHandle);
        // LOGFONTW: height, width, escapement, orientation, weight, four flag
        // bytes, four precision bytes, 32 UTF-16 units of face name.
        Put32(std::uint32_t(-FontPixelHeight(m_font)));
        Put32(0);
        Put32(0);
        Put32(0);
        Put32(m_font.bold ? 700 : 400);
        m_out.push_back(m_font.italic ? 1 : 0);
        m_out.push_back(m_font.underline ? 1 : 0);
        m_out.push_back(m_font.strikeOut ? 1 : 0);
        m_out.push_back(1);  // default charset
        for (int i = 0; i < 4; ++i) m_out.push_back(0);
        std::u16string face = Utf16Of(m_font.faceName);
        face.resize(31);
        for (int i = 0; i < 32; ++i) {
            const char16_t u = i < 31 ? face[std::size_t(i)] : 0;
            m_out.push_back(std::uint8_t(u));
            m_out.push_back(std::uint8_t(u >> 8));
        }
        End();
        Begin(kEmrSelectObject);
        Put32(kFontHandle);
        End();
        m_appliedFont = m_font;
        m_fontMade = true;
    }
    if (m_textColor != m_appliedTextColor) {
        Begin(kEmrSetTextColor);
        Put32(m_textColor & 0xFFFFFF);
        End();
        m_appliedTextColor = m_textColor;
    }
    const int bk = m_transparent ? 1 : 2;
    if (bk != m_appliedBkMode) {
        Begin(kEmrSetBkMode);
        Put32(std::uint32_t(bk));
        End();
        m_appliedBkMode = bk;
    }
}

Canvas::PenSel EmfCanvas::SelectPen(const LogPen* pen) {
    PenSel old = m_pen;
    m_pen = pen ? PenSel{false, *pen} : PenSel{true, LogPen{}};
    return old;
}

Canvas::BrushSel EmfCanvas::SelectBrush(const LogBrush* brush) {
    BrushSel old = m_brush;
    m_brush = brush ? BrushSel{false, *brush} : BrushSel{true, LogBrush{}};
    return old;
}

void EmfCanvas::MoveTo(PixelPoint p) {
    m_current = Dev(p);
    Begin(kEmrMoveToEx);
    PutPoint(m_current);
    End();
}

void EmfCanvas::LineTo(PixelPoint p) {
    Sync(true, false);
    const PixelPoint d = Dev(p);
    Begin(kEmrLineTo);
    PutPoint(d);
    End();
    Touch({std::min(d.x, m_current.x), std::min(d.y, m_current.y), std::max(d.x, m_current.x) + 1,
           std::max(d.y, m_current.y) + 1},
          true);
    m_current = d;
}

void EmfCanvas::PolyRecord(std::uint32_t type, const PixelPoint* pts, int n, bool stroked) {
    if (n <= 0) return;
    std::vector<PixelPoint> d(static_cast<std::size_t>(n));
    PixelRect box{Dev(pts[0]).x, Dev(pts[0]).y, Dev(pts[0]).x, Dev(pts[0]).y};
    for (int i = 0; i < n; ++i) {
        d[std::size_t(i)] = Dev(pts[i]);
        box.left = std::min(box.left, d[std::size_t(i)].x);
        box.top = std::min(box.top, d[std::size_t(i)].y);
        box.right = std::max(box.right, d[std::size_t(i)].x);
        box.bottom = std::max(box.bottom, d[std::size_t(i)].y);
    }
    Begin(type);
    PutRect(box);  // inclusive bounds of the points
    Put32(std::uint32_t(n));
    for (const PixelPoint& p : d) PutPoint(p);
    End();
    Touch({box.left, box.top, box.right + 1, box.bottom + 1}, stroked);
}

void EmfCanvas::Polyline(const PixelPoint* pts, int n) {
    if (n < 2) return;
    Sync(true, false);
    PolyRecord(kEmrPolyline, pts, n, true);
}

void EmfCanvas::Polygon(const PixelPoint* pts, int n) {
    if (n < 2) return;
    Sync(true, true);
    PolyRecord(kEmrPolygon, pts, n, true);
}

void EmfCanvas::PolyBezier(const PixelPoint* pts, int n) {
    if (n < 4 || (n - 1) % 3) return;
    Sync(true, false);
    PolyRecord(kEmrPolyBezier, pts, n, true);
}

void EmfCanvas::Ellipse(const PixelRect& r) {
    Sync(true, true);
    const PixelRect d = Dev(r);
    Begin(kEmrEllipse);
    PutRect(d);
    End();
    Touch(d, true);
}

void EmfCanvas::Arc(const PixelRect& r, PixelPoint start, PixelPoint end) {
    Sync(true, false);
    const PixelRect d = Dev(r);
    Begin(kEmrArc);
    PutRect(d);
    PutPoint(Dev(start));
    PutPoint(Dev(end));
    End();
    Touch(d, true);
}

PixelPoint EmfCanvas::TextExtent(const std::string& text) {
    const int h = FontPixelHeight(m_font);
    const int chars = int(Utf8Length(text));
    return {int(std::lround(chars * h * 0.6)), h};
}

void EmfCanvas::TextOut(PixelPoint p, const std::string& text) {
    if (text.empty()) return;
    SyncText();
    const PixelPoint d = Dev(p);
    const std::u16string units = Utf16Of(text);
    const std::uint32_t n = std::uint32_t(units.size());
    const PixelPoint ext = TextExtent(text);
    const std::uint32_t stringBytes = (n * 2 + 3) & ~3u;
    Begin(kEmrExtTextOutW);
    PutRect({d.x, d.y, d.x + ext.x, d.y + ext.y});
    Put32(1);           // GM_COMPATIBLE
    Put32(0x3F800000);  // exScale 1.0f
    Put32(0x3F800000);  // eyScale 1.0f
    PutPoint(d);
    Put32(n);
    Put32(76);  // offString: after the fixed part
    Put32(0);   // options
    PutRect({0, 0, -1, -1});
    Put32(76 + stringBytes);  // offDx
    for (char16_t u : units) {
        m_out.push_back(std::uint8_t(u));
        m_out.push_back(std::uint8_t(u >> 8));
    }
    while ((m_out.size() - m_recordStart) % 4) m_out.push_back(0);
    const std::uint32_t advance = std::uint32_t(std::max(1, int(std::lround(ext.y * 0.6))));
    for (std::uint32_t i = 0; i < n; ++i) Put32(advance);
    End();
    Touch({d.x, d.y, d.x + ext.x, d.y + ext.y}, false);
}

void EmfCanvas::DrawTextInRect(const PixelRect& r, const std::string& text, Justify j) {
    // Word wrap by the estimated widths; one text record per line.
    const int width = std::max(1, r.Width());
    const int lineHeight = FontPixelHeight(m_font);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t nl = text.find('\n', start);
        std::string para =
            text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        std::string line;
        std::size_t pos = 0;
        while (pos <= para.size()) {
            std::size_t sp = para.find(' ', pos);
            std::string word =
                para.substr(pos, sp == std::string::npos ? std::string::npos : sp - pos);
            std::string next = line.empty() ? word : line + " " + word;
            if (!line.empty() && TextExtent(next).x > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = next;
            }
            if (sp == std::string::npos) break;
            pos = sp + 1;
        }
        lines.push_back(line);
        if (nl == std::string::npos) break;
        start = nl + 1;
        if (int(lines.size()) * lineHeight > r.Height() + lineHeight) break;
    }
    int y = r.top;
    for (const std::string& line : lines) {
        if (y >= r.bottom) break;
        const int w = TextExtent(line).x;
        int x = r.left;
        if (j == Justify::Center) x = r.left + (r.Width() - w) / 2;
        if (j == Justify::Right) x = r.right - w;
        TextOut({x, y}, line);
        y += lineHeight;
    }
}

RasterMode EmfCanvas::SetRasterMode(RasterMode m) {
    RasterMode old = m_mode;
    m_mode = m;
    return old;
}

void EmfCanvas::InvertRect(const PixelRect& r) {
    const PenSel pen = SelectPen(nullptr);
    const LogBrush black{kBrushSolid, 0, 0};
    const BrushSel brush = SelectBrush(&black);
    const RasterMode mode = SetRasterMode(RasterMode::InvertDest);
    Sync(true, true);
    const PixelRect d = Dev(r);
    Begin(kEmrRectangle);
    PutRect({d.left, d.top, d.right + 1, d.bottom + 1});
    End();
    Touch(d, false);
    SetRasterMode(mode);
    RestoreBrush(brush);
    RestorePen(pen);
}

void EmfCanvas::DrawFocusRect(const PixelRect& r) {
    const LogPen dot{kPenDot, 1, 0, 0};
    const PenSel pen = SelectPen(&dot);
    const RasterMode mode = SetRasterMode(RasterMode::InvertDest);
    const PixelPoint pts[] = {{r.left, r.top},
                              {r.right - 1, r.top},
                              {r.right - 1, r.bottom - 1},
                              {r.left, r.bottom - 1},
                              {r.left, r.top}};
    Polyline(pts, 5);
    SetRasterMode(mode);
    RestorePen(pen);
}

void EmfCanvas::SetClipRect(const PixelRect& r) {
    const PixelRect n = r.Normalized();
    m_clip = n.IsEmpty() ? m_baseClip : Intersect(m_baseClip, Dev(n));
}

void EmfCanvas::IntersectClip(const PixelRect& r) {
    m_clip = Intersect(m_clip, Dev(r.Normalized()));
}

PixelPoint EmfCanvas::SetViewportOrg(PixelPoint org) {
    PixelPoint old = m_org;
    m_org = org;
    return old;
}

void EmfCanvas::SaveState() {
    m_saved.push_back({m_pen, m_brush, m_textColor, m_transparent, m_font, m_mode, m_clip, m_org});
}

void EmfCanvas::RestoreState() {
    if (m_saved.empty()) return;
    const Saved& s = m_saved.back();
    m_pen = s.pen;
    m_brush = s.brush;
    m_textColor = s.textColor;
    m_transparent = s.transparent;
    m_font = s.font;
    m_mode = s.mode;
    m_clip = s.clip;
    m_org = s.org;
    m_saved.pop_back();
}

void EmfCanvas::DrawDib(const PixelRect& r, const Dib& dib, const PixelRect& src) {
    if (dib.IsEmpty()) return;
    Sync(false, false);
    const PixelRect d = Dev(r.Normalized());
    PixelRect s = src.IsEmpty() ? PixelRect{0, 0, dib.Width(), dib.Height()} : src;
    // Source rows count from the bottom in bottom-up bitmaps.
    const int ySrc = dib.Info().height > 0 ? dib.Height() - s.bottom : s.top;
    const std::uint32_t cbBmi = std::uint32_t(dib.Header().size());
    const std::uint32_t cbBits = std::uint32_t(dib.Bits().size());
    if (m_tooLarge || m_out.size() + cbBmi + cbBits > kMaxEmfBytes) {
        m_tooLarge = true;
        return;
    }
    Begin(kEmrStretchDiBits);
    PutRect({d.left, d.top, d.right - 1, d.bottom - 1});
    Put32(std::uint32_t(d.left));
    Put32(std::uint32_t(d.top));
    Put32(std::uint32_t(s.left));
    Put32(std::uint32_t(ySrc));
    Put32(std::uint32_t(s.Width()));
    Put32(std::uint32_t(s.Height()));
    Put32(80);  // offBmiSrc
    Put32(cbBmi);
    Put32(80 + ((cbBmi + 3) & ~3u));  // offBitsSrc
    Put32(cbBits);
    Put32(0);  // DIB_RGB_COLORS
    Put32(kSrcCopy);
    Put32(std::uint32_t(d.Width()));
    Put32(std::uint32_t(d.Height()));
    m_out.insert(m_out.end(), dib.Header().begin(), dib.Header().end());
    while ((m_out.size() - m_recordStart) % 4) m_out.push_back(0);
    m_out.insert(m_out.end(), dib.Bits().begin(), dib.Bits().end());
    End();
    Touch(d, false);
}

std::vector<std::uint8_t> EmfCanvas::Finish() {
    if (m_tooLarge) {
        m_finished = true;
        return {};
    }
    if (m_finished) return m_out;
    m_finished = true;
    if (m_penMade || m_brushMade || m_fontMade) {
        // Nothing of ours stays selected when the objects go.
        Begin(kEmrSelectObject);
        Put32(kStockFlag | kBlackPen);
        End();
        Begin(kEmrSelectObject);
        Put32(kStockFlag | kWhiteBrush);
        End();
        Begin(kEmrSelectObject);
        Put32(kStockFlag | kDefaultGuiFont);
        End();
        for (std::uint32_t h : {kPenHandle, kBrushHandle, kFontHandle}) {
            if ((h == kPenHandle && !m_penMade) || (h == kBrushHandle && !m_brushMade) ||
                (h == kFontHandle && !m_fontMade))
                continue;
            Begin(kEmrDeleteObject);
            Put32(h);
            End();
        }
    }
    Begin(kEmrEof);
    Put32(0);   // nPalEntries
    Put32(16);  // offPalEntries
    Put32(20);  // nSizeLast
    End();

    std::vector<std::uint8_t> head;
    auto put = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) head.push_back(std::uint8_t(v >> (8 * i)));
    };
    put(kEmrHeader);
    put(kHeaderBytes + kDescriptionUnits * 2);
    // Inclusive pixel bounds; (0, 0, -1, -1) when nothing was drawn.
    if (m_bounds.IsEmpty()) {
        put(0), put(0), put(std::uint32_t(-1)), put(std::uint32_t(-1));
    } else {
        put(std::uint32_t(m_bounds.left));
        put(std::uint32_t(m_bounds.top));
        put(std::uint32_t(m_bounds.right - 1));
        put(std::uint32_t(m_bounds.bottom - 1));
    }
    for (int i = 0; i < 4; ++i) put(std::uint32_t(m_frame[i]));
    put(kEmfSignature);
    put(kEmfVersion);
    put(std::uint32_t(m_out.size()));
    put(m_records);
    head.push_back(std::uint8_t(kHandleCount));
    head.push_back(0);
    head.push_back(0);
    head.push_back(0);
    put(kDescriptionUnits);
    put(kHeaderBytes);
    put(0);  // nPalEntries
    put(kEmfDeviceWidthPx);
    put(kEmfDeviceHeightPx);
    put(kEmfDeviceWidthMm);
    put(kEmfDeviceHeightMm);
    put(0);  // cbPixelFormat
    put(0);  // offPixelFormat
    put(0);  // bOpenGL
    put(kEmfDeviceWidthMm * 1000);
    put(285750);  // 1080 pixels at 96 per inch, in micrometres
    const std::u16string desc = Utf16Of(kEmfDescription);
    for (std::uint32_t i = 0; i < kDescriptionUnits; ++i) {
        const char16_t u = i < desc.size() ? desc[i] : 0;
        head.push_back(std::uint8_t(u));
        head.push_back(std::uint8_t(u >> 8));
    }
    std::copy(head.begin(), head.end(), m_out.begin());
    return m_out;
}

}  // namespace gyr
