#include "desktop/qt_canvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace gyr {

namespace {

// Dash lengths of the platform's one-pixel styled pens, in pixels.
const QList<qreal> kDash{18, 6};
const QList<qreal> kDot{3, 3};
const QList<qreal> kDashDot{9, 6, 3, 6};
const QList<qreal> kDashDotDot{9, 3, 3, 3, 3, 3};

bool SamePen(const Canvas::PenSel& a, const Canvas::PenSel& b) {
    return a.null == b.null && (a.null || a.pen == b.pen);
}

bool SameBrush(const Canvas::BrushSel& a, const Canvas::BrushSel& b) {
    return a.null == b.null && (a.null || a.brush == b.brush);
}

QString FromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The angle, in degrees counter-clockwise from 3 o'clock, at which the ray from
// the ellipse's centre towards p meets the ellipse, in the parametric form
// QPainter's arcs use (screen y grows downward).
double EllipseAngle(const QRectF& r, PixelPoint p) {
    double dx = (p.x - r.center().x()) / (r.width() / 2);
    double dy = (p.y - r.center().y()) / (r.height() / 2);
    return std::atan2(-dy, dx) * 180.0 / std::numbers::pi;
}

}  // namespace

QColor ToQColor(ColorRef c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QPen MakeQPen(const LogPen& pen) {
    if (pen.style == kPenNull) return QPen(Qt::NoPen);
    int width = std::max(1, int(pen.widthX));
    QPen q(ToQColor(pen.color));
    q.setWidth(width);
    if (width > 1) {
        // Wide pens are solid whatever their style.
        q.setCapStyle(Qt::RoundCap);
        q.setJoinStyle(Qt::RoundJoin);
        return q;
    }
    // One-pixel lines leave out their end pixel, as the platform's LineTo does.
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::MiterJoin);
    switch (pen.style) {
        case kPenDash:
            q.setDashPattern(kDash);
            break;
        case kPenDot:
            q.setDashPattern(kDot);
            break;
        case kPenDashDot:
            q.setDashPattern(kDashDot);
            break;
        case kPenDashDotDot:
            q.setDashPattern(kDashDotDot);
            break;
        default:
            break;
    }
    return q;
}

QBrush MakeQBrush(const LogBrush& brush) {
    switch (brush.style) {
        case kBrushSolid:
            return QBrush(ToQColor(brush.color), Qt::SolidPattern);
        case kBrushHatched: {
            // Platform hatch indices: horizontal, vertical, forward diagonal,
            // backward diagonal, cross, diagonal cross.
            static constexpr Qt::BrushStyle kHatch[] = {Qt::HorPattern,   Qt::VerPattern,
                                                        Qt::FDiagPattern, Qt::BDiagPattern,
                                                        Qt::CrossPattern, Qt::DiagCrossPattern};
            int h = brush.hatch >= 0 && brush.hatch < 6 ? brush.hatch : 0;
            return QBrush(ToQColor(brush.color), kHatch[h]);
        }
        default:
            return QBrush(Qt::NoBrush);
    }
}

QFont MakeQFont(const FontRecord& font, int dpiY) {
    QFont f(QString::fromStdString(font.faceName));
    // Courier-like faces resolve to a metric-compatible monospace face through
    // fontconfig; the hint keeps it monospaced where no alias exists.
    if (font.faceName.find("Courier") != std::string::npos) f.setStyleHint(QFont::TypeWriter);
    int px = font.heightPixels != 0 ? std::abs(font.heightPixels)
                                    : int(std::lround(font.pointSize * double(dpiY) / 72.0));
    f.setPixelSize(std::max(1, px));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    return f;
}

QtCanvas::QtCanvas(QPainter& painter)
    : m_painter(painter), m_deviceTransform(painter.worldTransform()) {
    QPaintEngine* engine = painter.paintEngine();
    m_rasterOps = engine && engine->hasFeature(QPaintEngine::RasterOpModes);
    // The platform's fresh drawing context: black one-pixel pen, white brush,
    // black text on an opaque white background.
    m_pen = {false, LogPen{kPenSolid, 1, 0, 0}};
    m_brush = {false, LogBrush{kBrushSolid, 0xFFFFFF, 0}};
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setBackground(Qt::white);
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    SetFont(DefaultLabelFont());
}

QtCanvas::~QtCanvas() {
    if (m_mode != RasterMode::Copy)
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

Canvas::PenSel QtCanvas::SelectPen(const LogPen* pen) {
    PenSel previous = m_pen;
    m_pen.null = pen == nullptr;
    if (pen) m_pen.pen = *pen;
    return previous;
}

Canvas::BrushSel QtCanvas::SelectBrush(const LogBrush* brush) {
    BrushSel previous = m_brush;
    m_brush.null = brush == nullptr;
    if (brush) m_brush.brush = *brush;
    return previous;
}

void QtCanvas::ApplyPen() {
    if (m_penValid && SamePen(m_pen, m_appliedPen)) return;
    m_painter.setPen(m_pen.null ? QPen(Qt::NoPen) : MakeQPen(m_pen.pen));
    m_appliedPen = m_pen;
    m_penValid = true;
    ++m_penChanges;
}

void QtCanvas::ApplyBrush() {
    if (m_brushValid && SameBrush(m_brush, m_appliedBrush)) return;
    m_painter.setBrush(m_brush.null ? QBrush(Qt::NoBrush) : MakeQBrush(m_brush.brush));
    m_appliedBrush = m_brush;
    m_brushValid = true;
}

void QtCanvas::ApplyTextPen() {
    m_painter.setPen(ToQColor(m_textColor));
    m_penValid = false;
}

void QtCanvas::MoveTo(PixelPoint p) {
    m_current = p;
}

void QtCanvas::LineTo(PixelPoint p) {
    ApplyPen();
    m_painter.drawLine(m_current.x, m_current.y, p.x, p.y);
    m_current = p;
}

void QtCanvas::Polyline(const PixelPoint* pts, int n) {
    if (n < 2) return;
    ApplyPen();
    if (n == 2) {
        m_painter.drawLine(pts[0].x, pts[0].y, pts[1].x, pts[1].y);
        return;
    }
    m_buffer.resize(std::size_t(n));
    for (int i = 0; i < n; ++i) m_buffer[std::size_t(i)] = QPoint(pts[i].x, pts[i].y);
    m_painter.drawPolyline(m_buffer.data(), n);
}

void QtCanvas::Polygon(const PixelPoint* pts, int n) {
    if (n < 2) return;
    ApplyPen();
    if (n == 2) {
        // The closed path of two points encloses nothing: only its stroke shows.
        m_painter.drawLine(pts[0].x, pts[0].y, pts[1].x, pts[1].y);
        return;
    }
    ApplyBrush();
    m_buffer.resize(std::size_t(n));
    for (int i = 0; i < n; ++i) m_buffer[std::size_t(i)] = QPoint(pts[i].x, pts[i].y);
    m_painter.drawPolygon(m_buffer.data(), n, Qt::OddEvenFill);
}

void QtCanvas::Ellipse(const PixelRect& r) {
    PixelRect n = r.Normalized();
    if (n.IsEmpty()) return;
    ApplyPen();
    ApplyBrush();
    // The rectangle's right and bottom edges are exclusive.
    m_painter.drawEllipse(QRectF(n.left, n.top, n.Width() - 1, n.Height() - 1));
}

void QtCanvas::Arc(const PixelRect& r, PixelPoint start, PixelPoint end) {
    PixelRect n = r.Normalized();
    if (n.Width() < 2 || n.Height() < 2) return;
    ApplyPen();
    QRectF box(n.left, n.top, n.Width() - 1, n.Height() - 1);
    double a0 = EllipseAngle(box, start);
    double a1 = EllipseAngle(box, end);
    double span = a1 - a0;
    while (span <= 0) span += 360.0;  // equal rays: the whole ellipse
    while (span > 360.0) span -= 360.0;
    m_painter.drawArc(box, int(std::lround(a0 * 16)), int(std::lround(span * 16)));
}

void QtCanvas::SetBkTransparent(bool transparent) {
    m_transparent = transparent;
    m_painter.setBackgroundMode(transparent ? Qt::TransparentMode : Qt::OpaqueMode);
}

void QtCanvas::SetFont(const FontRecord& font) {
    m_font = font;
    m_painter.setFont(MakeQFont(font, DpiY()));
}

void QtCanvas::TextOut(PixelPoint p, const std::string& text) {
    if (text.empty()) return;
    ApplyTextPen();
    QString s = FromUtf8(text);
    QFontMetrics fm = m_painter.fontMetrics();
    if (!m_transparent)
        m_painter.fillRect(QRect(p.x, p.y, fm.horizontalAdvance(s), fm.height()),
                           m_painter.background());
    const PixelPoint baseline = Shifted(p, 0, fm.ascent());
    m_painter.drawText(QPoint(baseline.x, baseline.y), s);
}

void QtCanvas::DrawTextInRect(const PixelRect& r, const std::string& text, Justify j) {
    ApplyTextPen();
    int align = j == Justify::Center  ? Qt::AlignHCenter
                : j == Justify::Right ? Qt::AlignRight
                                      : Qt::AlignLeft;
    QRect box = ToQRect(r.Normalized());
    if (!m_transparent) m_painter.fillRect(box, m_painter.background());
    m_painter.drawText(box, align | Qt::AlignTop | Qt::TextWordWrap, FromUtf8(text));
}

PixelPoint QtCanvas::TextExtent(const std::string& text) {
    QFontMetrics fm = m_painter.fontMetrics();
    return {fm.horizontalAdvance(FromUtf8(text)), fm.height()};
}

RasterMode QtCanvas::SetRasterMode(RasterMode m) {
    RasterMode previous = m_mode;
    m_mode = m;
    if (!m_rasterOps) return previous;
    switch (m) {
        case RasterMode::Copy:
            m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
        case RasterMode::InvertDest:
            m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
            break;
        case RasterMode::NotXor:
            m_painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
            break;
    }
    return previous;
}

void QtCanvas::InvertRect(const PixelRect& r) {
    QRect box = ToQRect(r.Normalized());
    if (box.isEmpty()) return;
    if (!m_rasterOps) {
        // Vector devices cannot invert; white paper inverts to black.
        m_painter.fillRect(box, Qt::black);
        return;
    }
    QPainter::CompositionMode mode = m_painter.compositionMode();
    m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    m_painter.fillRect(box, Qt::black);
    m_painter.setCompositionMode(mode);
}

void QtCanvas::DrawFocusRect(const PixelRect& r) {
    PixelRect n = r.Normalized();
    if (n.IsEmpty()) return;
    // Every other pixel of the outline, each pixel once, so that drawing the
    // same rectangle twice by inversion removes it.
    QPolygon dots;
    int x0 = n.left, y0 = n.top, x1 = n.right - 1, y1 = n.bottom - 1;
    int k = 0;
    auto add = [&](int x, int y) {
        if ((k++ & 1) == 0) dots << QPoint(x, y);
    };
    for (int x = x0; x <= x1; ++x) add(x, y0);
    for (int y = y0 + 1; y <= y1; ++y) add(x1, y);
    if (y1 > y0)
        for (int x = x1 - 1; x >= x0; --x) add(x, y1);
    if (x1 > x0)
        for (int y = y1 - 1; y > y0; --y) add(x0, y);
    QPainter::CompositionMode mode = m_painter.compositionMode();
    m_painter.setPen(QPen(Qt::black, 0));
    m_penValid = false;
    if (m_rasterOps) m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    m_painter.drawPoints(dots);
    m_painter.setCompositionMode(mode);
}

void QtCanvas::SetClipRect(const PixelRect& r) {
    PixelRect n = r.Normalized();
    if (n.IsEmpty()) {
        m_painter.setClipping(false);
        return;
    }
    m_painter.setClipRect(ToQRect(n));
}

PixelPoint QtCanvas::SetViewportOrg(PixelPoint org) {
    PixelPoint previous = m_org;
    m_org = org;
    m_painter.setWorldTransform(QTransform::fromTranslate(org.x, org.y) * m_deviceTransform);
    return previous;
}

int QtCanvas::DpiX() const {
    QPaintDevice* d = m_painter.device();
    return d ? d->logicalDpiX() : 96;
}

int QtCanvas::DpiY() const {
    QPaintDevice* d = m_painter.device();
    return d ? d->logicalDpiY() : 96;
}

QRect QtCanvas::ToQRect(const PixelRect& r) const {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

QImage ImageOf(const DibImage& image) {
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                  image.width * 4, QImage::Format_RGB32);
}

DibImage DibImageOf(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    DibImage out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.pixels.resize(std::size_t(out.width) * std::size_t(out.height));
    for (int y = 0; y < out.height; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y));
        for (int x = 0; x < out.width; ++x)
            out.pixels[std::size_t(y) * std::size_t(out.width) + std::size_t(x)] =
                line[x] | 0xFF000000u;
    }
    return out;
}

void QtCanvas::DrawDib(const PixelRect& r, const Dib& dib, const PixelRect& src) {
    const DibImage* image = dib.Image();
    const PixelRect n = r.Normalized();
    if (!image || n.IsEmpty()) return;
    const QImage view = ImageOf(*image);
    const QRect from = src.IsEmpty() ? view.rect() : ToQRect(src.Normalized());
    // Colour on colour: every target pixel takes its nearest source pixel.
    const bool smooth = m_painter.testRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.drawImage(ToQRect(n), view, from);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void QtCanvas::PolyBezier(const PixelPoint* pts, int n) {
    if (n < 4) return;
    ApplyPen();
    QPainterPath path(QPointF(pts[0].x, pts[0].y));
    for (int i = 1; i + 2 < n; i += 3)
        path.cubicTo(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, pts[i + 2].x, pts[i + 2].y);
    m_painter.strokePath(path, m_painter.pen());
}

void QtCanvas::SaveState() {
    m_painter.save();
    m_saved.push_back({m_pen, m_brush, m_textColor, m_transparent, m_font, m_mode, m_org});
}

void QtCanvas::RestoreState() {
    if (m_saved.empty()) return;
    m_painter.restore();
    const Saved s = m_saved.back();
    m_saved.pop_back();
    m_pen = s.pen;
    m_brush = s.brush;
    m_textColor = s.textColor;
    m_transparent = s.transparent;
    m_font = s.font;
    m_mode = s.mode;
    m_org = s.org;
    // The painter took back its own pen, brush and modes.
    m_penValid = false;
    m_brushValid = false;
}

void QtCanvas::IntersectClip(const PixelRect& r) {
    const PixelRect n = r.Normalized();
    m_painter.setClipRect(n.IsEmpty() ? QRect(n.left, n.top, 0, 0) : ToQRect(n),
                          m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

}  // namespace gyr
