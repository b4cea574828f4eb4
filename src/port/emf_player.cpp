#include "port/emf_player.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "math/dib_codec.h"
#include "math/text_codec.h"

namespace gyr {

namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr auto U32 = EmfU32;
constexpr auto I32 = EmfI32;
constexpr auto I16 = EmfI16;
constexpr auto F32 = EmfF32;

// x' = a x + c y + e, y' = b x + d y + f.
struct Xform {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    Xform Then(const Xform& n) const {  // this first, then n
        return {n.a * a + n.c * b, n.b * a + n.d * b,       n.a * c + n.c * d,
                n.b * c + n.d * d, n.a * e + n.c * f + n.e, n.b * e + n.d * f + n.f};
    }
    double Det() const { return a * d - b * c; }
    bool IsUsable() const {
        const double v[] = {a, b, c, d, e, f};
        for (double x : v)
            if (!std::isfinite(x)) return false;
        const double det = Det();
        return std::isfinite(det) && std::fabs(det) > 1e-12;
    }
    BezierPoint Apply(double x, double y) const { return {a * x + c * y + e, b * x + d * y + f}; }
};

struct Obj {
    enum Kind { None, Pen, Brush, Font } kind = None;
    bool null = false;
    LogPen pen;
    LogBrush brush;
    FontRecord font;
    std::int32_t fontHeight = 0;  // logical units
};

struct DcState {
    std::uint32_t mapMode = 1;
    double winOrgX = 0, winOrgY = 0, winExtX = 1, winExtY = 1;
    double vpOrgX = 0, vpOrgY = 0, vpExtX = 1, vpExtY = 1;
    Xform world;
    Obj pen, brush, font;
    ColorRef textColor = 0;
    ColorRef bkColor = 0xFFFFFF;
    bool transparent = false;
    std::uint32_t textAlign = 0;
    RasterMode rop = RasterMode::Copy;
    PixelRect clip;   // target pixels
    BezierPoint cur;  // logical
};

struct Subpath {
    std::vector<BezierPoint> pts;  // target pixels
    bool closed = false;
};

Obj StockObject(std::uint32_t index) {
    Obj o;
    auto brush = [&](ColorRef c) {
        o.kind = Obj::Brush;
        o.brush = {kBrushSolid, c, 0};
    };
    switch (index) {
        case kWhiteBrush:
        case 18:  // DC_BRUSH
            brush(0xFFFFFF);
            break;
        case kLtGrayBrush:
            brush(0xC0C0C0);
            break;
        case kGrayBrush:
            brush(0x808080);
            break;
        case kDkGrayBrush:
            brush(0x404040);
            break;
        case kBlackBrush:
            brush(0);
            break;
        case kNullBrush:
            o.kind = Obj::Brush;
            o.null = true;
            break;
        case kWhitePen:
            o.kind = Obj::Pen;
            o.pen = {kPenSolid, 0, 0, 0xFFFFFF};
            break;
        case kBlackPen:
        case 19:  // DC_PEN
            o.kind = Obj::Pen;
            o.pen = {kPenSolid, 0, 0, 0};
            break;
        case kNullPen:
            o.kind = Obj::Pen;
            o.null = true;
            break;
        default:
            if (index >= 10 && index <= 17) {
                o.kind = Obj::Font;
                o.font.faceName = "Sans";
                o.fontHeight = -12;
            }
            break;
    }
    return o;
}

class Player {
public:
    Player(const std::uint8_t* data, const EmfHeader& h, Canvas& dc, const PixelRect& target)
        : m_data(data), m_h(h), m_dc(dc), m_target(target.Normalized()) {
        // No more objects than the records could ever create (12 bytes each).
        m_objects.resize(std::min<std::size_t>(h.nHandles, h.nBytes / 12 + 1));
        DcState s;
        s.pen = StockObject(kBlackPen);
        s.brush = StockObject(kWhiteBrush);
        s.font = StockObject(kDefaultGuiFont);
        s.clip = m_target;
        m_s = s;
        // Frame (hundredths of a millimetre) in reference-device pixels.
        const double kx = h.millimetersCx > 0 ? double(h.deviceCx) / (h.millimetersCx * 100.0) : 0;
        const double ky = h.millimetersCy > 0 ? double(h.deviceCy) / (h.millimetersCy * 100.0) : 0;
        const double fl = h.frame[0] * kx, ft = h.frame[1] * ky;
        const double fr = h.frame[2] * kx, fb = h.frame[3] * ky;
        double sx = fr > fl ? (m_target.right - m_target.left) / (fr - fl) : 0;
        double sy = fb > ft ? (m_target.bottom - m_target.top) / (fb - ft) : 0;
        // A frame that says nothing: the bounds instead.
        if (!(sx > 0) || !(sy > 0)) {
            const double bw = double(h.bounds[2]) - h.bounds[0] + 1;
            const double bh = double(h.bounds[3]) - h.bounds[1] + 1;
            sx = bw > 0 ? m_target.Width() / bw : 1;
            sy = bh > 0 ? m_target.Height() / bh : 1;
            m_frameMap = {
                sx, 0, 0, sy, m_target.left - h.bounds[0] * sx, m_target.top - h.bounds[1] * sy};
        } else {
            m_frameMap = {sx, 0, 0, sy, m_target.left - fl * sx, m_target.top - ft * sy};
        }
    }

    void Play(std::size_t offset, std::size_t end) {
        m_dc.SaveState();
        m_dc.IntersectClip(m_target);
        m_applied = m_target;
        m_dc.SetBkTransparent(false);
        while (offset + 8 <= end) {
            const std::uint32_t type = U32(m_data + offset);
            const std::uint32_t size = U32(m_data + offset + 4);
            if (type == kEmrEof || size < 8 || size % 4 || size > end - offset) break;
            m_r = m_data + offset;
            m_size = size;
            Record(type);
            offset += size;
        }
        m_dc.RestoreState();
    }

private:
    // ------------------------------------------------------------ mapping
    Xform Page() const {
        const DcState& s = m_s;
        double sx = 1, sy = 1;
        const double mmx = m_h.millimetersCx > 0 ? double(m_h.deviceCx) / m_h.millimetersCx : 1;
        const double mmy = m_h.millimetersCy > 0 ? double(m_h.deviceCy) / m_h.millimetersCy : 1;
        switch (s.mapMode) {
            case 2:  // MM_LOMETRIC, 0.1 mm
                sx = mmx / 10, sy = -mmy / 10;
                break;
            case 3:  // MM_HIMETRIC, 0.01 mm
                sx = mmx / 100, sy = -mmy / 100;
                break;
            case 4:  // MM_LOENGLISH, 0.01 inch
                sx = mmx * 0.254, sy = -mmy * 0.254;
                break;
            case 5:  // MM_HIENGLISH, 0.001 inch
                sx = mmx * 0.0254, sy = -mmy * 0.0254;
                break;
            case 6:  // MM_TWIPS
                sx = mmx * 25.4 / 1440, sy = -mmy * 25.4 / 1440;
                break;
            case 7:    // MM_ISOTROPIC
            case 8: {  // MM_ANISOTROPIC
                sx = s.winExtX != 0 ? s.vpExtX / s.winExtX : 0;
                sy = s.winExtY != 0 ? s.vpExtY / s.winExtY : 0;
                if (s.mapMode == 7) {
                    const double m = std::min(std::fabs(sx), std::fabs(sy));
                    sx = sx < 0 ? -m : m;
                    sy = sy < 0 ? -m : m;
                }
                break;
            }
            default:
                break;
        }
        return {sx, 0, 0, sy, s.vpOrgX - s.winOrgX * sx, s.vpOrgY - s.winOrgY * sy};
    }

    // Logical to target pixels; false when the transform cannot be used.
    bool Matrix(Xform& m) const {
        m = m_s.world.Then(Page()).Then(m_frameMap);
        return m.IsUsable();
    }

    static bool AxisAligned(const Xform& m) {
        return std::fabs(m.b) < 1e-9 && std::fabs(m.c) < 1e-9 && m.a > 0 && m.d > 0;
    }

    static PixelPoint Px(const BezierPoint& p) { return {RoundPixel(p.x), RoundPixel(p.y)}; }

    // ------------------------------------------------------------ state into the canvas
    bool Prepare(bool pen, bool brush, const Xform& m) {
        if (m_s.clip.IsEmpty()) return false;
        if (!(m_s.clip == m_applied)) {
            m_dc.RestoreState();
            m_dc.SaveState();
            m_dc.IntersectClip(m_s.clip);
            m_applied = m_s.clip;
        }
        if (pen) {
            if (m_s.pen.null || m_s.pen.pen.style == kPenNull) {
                m_dc.SelectPen(nullptr);
            } else {
                LogPen p = m_s.pen.pen;
                const double w = p.widthX * std::sqrt(std::fabs(m.Det()));
                p.widthX =
                    std::int32_t(std::lround(std::clamp(std::isfinite(w) ? w : 1.0, 1.0, 1000.0)));
                p.widthY = 0;
                m_dc.SelectPen(&p);
            }
        } else {
            m_dc.SelectPen(nullptr);
        }
        if (brush && !m_s.brush.null && m_s.brush.brush.style != kBrushNull)
            m_dc.SelectBrush(&m_s.brush.brush);
        else
            m_dc.SelectBrush(nullptr);
        m_dc.SetRasterMode(m_s.rop);
        return true;
    }

    // ------------------------------------------------------------ geometry
    std::vector<BezierPoint> EllipsePoints(const Xform& m, double l, double t, double r, double b,
                                           double t0, double sweep, bool full) const {
        const double cx = (l + r) / 2, cy = (t + b) / 2, rx = std::fabs(r - l) / 2,
                     ry = std::fabs(b - t) / 2;
        const int steps = 64;
        std::vector<BezierPoint> out;
        const int n = full ? steps : std::max(2, int(std::ceil(steps * sweep / (2 * kPi))));
        for (int k = 0; k <= n; ++k) {
            const double a = full ? 2 * kPi * k / n : t0 + sweep * k / n;
            out.push_back(m.Apply(cx + rx * std::cos(a), cy - ry * std::sin(a)));
        }
        return out;
    }

    // The start angle and the counter-clockwise sweep of an arc of the box
    // from the ray to (sx, sy) to the ray to (ex, ey).
    static void ArcAngles(double l, double t, double r, double b, double sx, double sy, double ex,
                          double ey, double& t0, double& sweep) {
        const double cx = (l + r) / 2, cy = (t + b) / 2;
        const double rx = std::max(1e-9, std::fabs(r - l) / 2),
                     ry = std::max(1e-9, std::fabs(b - t) / 2);
        t0 = std::atan2(-(sy - cy) / ry, (sx - cx) / rx);
        double t1 = std::atan2(-(ey - cy) / ry, (ex - cx) / rx);
        sweep = t1 - t0;
        while (sweep <= 1e-12) sweep += 2 * kPi;
    }

    void Stroke(const std::vector<BezierPoint>& pts, bool closed, const Xform& m) {
        if (pts.size() < 2 || !Prepare(true, false, m)) return;
        std::vector<PixelPoint> q;
        q.reserve(pts.size() + 1);
        for (const BezierPoint& p : pts) q.push_back(Px(p));
        if (closed) q.push_back(q.front());
        m_dc.Polyline(q.data(), int(q.size()));
    }

    void Fill(const std::vector<BezierPoint>& pts, bool pen, const Xform& m) {
        if (pts.size() < 2 || !Prepare(pen, true, m)) return;
        std::vector<PixelPoint> q;
        q.reserve(pts.size());
        for (const BezierPoint& p : pts) q.push_back(Px(p));
        m_dc.Polygon(q.data(), int(q.size()));
    }

    // A figure inside BEGINPATH ... ENDPATH joins the path instead.
    void AddToPath(std::vector<BezierPoint> pts, bool closed, bool continues) {
        if (pts.empty()) return;
        if (continues && !m_path.empty() && !m_path.back().closed && !m_path.back().pts.empty()) {
            auto& back = m_path.back().pts;
            back.insert(back.end(), pts.begin() + 1, pts.end());
            m_path.back().closed = closed;
            return;
        }
        m_path.push_back({std::move(pts), closed});
        if (m_path.size() > 100000) m_path.erase(m_path.begin());
    }

    // Lines from the current position (…TO records).
    void Figure(std::vector<BezierPoint> pts, bool closed, bool filled, bool continues,
                const Xform& m) {
        if (m_inPath) {
            AddToPath(std::move(pts), closed, continues);
            return;
        }
        if (filled)
            Fill(pts, true, m);
        else
            Stroke(pts, closed, m);
    }

    // ------------------------------------------------------------ records
    bool Has(std::size_t n) const { return m_size >= n; }

    // Points of a POLY… record: 32-bit at 28 or 16-bit at 28.
    bool ReadPoints(std::size_t at, std::uint32_t n, bool small, std::vector<BezierPoint>& out,
                    const Xform& m) const {
        const std::size_t each = small ? 4 : 8;
        if (at > m_size || n > (m_size - at) / each) return false;
        out.clear();
        out.reserve(n);
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::uint8_t* p = m_r + at + i * each;
            const double x = small ? I16(p) : I32(p), y = small ? I16(p + 2) : I32(p + 4);
            out.push_back(m.Apply(x, y));
        }
        return true;
    }

    void Poly(std::uint32_t type) {
        if (!Has(28)) return;
        Xform m;
        if (!Matrix(m)) return;
        const bool small = type >= kEmrPolyBezier16;
        const std::uint32_t n = U32(m_r + 24);
        std::vector<BezierPoint> pts;
        if (!ReadPoints(28, n, small, pts, m)) return;
        const std::uint32_t base = small ? type - kEmrPolyBezier16 + kEmrPolyBezier : type;
        const BezierPoint cur = m.Apply(m_s.cur.x, m_s.cur.y);
        auto setCur = [&](std::size_t at) {
            const std::uint8_t* p = m_r + 28 + at * (small ? 4 : 8);
            m_s.cur = small ? BezierPoint{double(I16(p)), double(I16(p + 2))}
                            : BezierPoint{double(I32(p)), double(I32(p + 4))};
        };
        switch (base) {
            case kEmrPolyline:
                Figure(pts, false, false, false, m);
                break;
            case kEmrPolygon:
                Figure(pts, true, true, false, m);
                break;
            case kEmrPolylineTo:
                if (pts.empty()) return;
                pts.insert(pts.begin(), cur);
                Figure(pts, false, false, true, m);
                setCur(n - 1);
                break;
            case kEmrPolyBezier:
            case kEmrPolyBezierTo: {
                const bool to = base == kEmrPolyBezierTo;
                if (to) pts.insert(pts.begin(), cur);
                if (pts.size() < 4) return;
                pts.resize(1 + (pts.size() - 1) / 3 * 3);
                if (m_inPath) {
                    std::vector<BezierPoint> flat;
                    FlattenBezier(pts.data(), int(pts.size()), flat);
                    AddToPath(std::move(flat), false, to);
                } else if (Prepare(true, false, m)) {
                    std::vector<PixelPoint> q;
                    for (const BezierPoint& p : pts) q.push_back(Px(p));
                    m_dc.PolyBezier(q.data(), int(q.size()));
                }
                if (to && n > 0) setCur(n - 1);
                break;
            }
            default:
                break;
        }
    }

    void PolyPoly(std::uint32_t type) {
        if (!Has(32)) return;
        Xform m;
        if (!Matrix(m)) return;
        const bool small = type == kEmrPolyPolyline16 || type == kEmrPolyPolygon16;
        const bool closed = type == kEmrPolyPolygon || type == kEmrPolyPolygon16;
        const std::uint32_t polys = U32(m_r + 24), total = U32(m_r + 28);
        if (polys > (m_size - 32) / 4) return;
        const std::size_t pointsAt = 32 + std::size_t(polys) * 4;
        std::vector<BezierPoint> all;
        if (!ReadPoints(pointsAt, total, small, all, m)) return;
        std::size_t at = 0;
        for (std::uint32_t i = 0; i < polys; ++i) {
            const std::uint32_t k = U32(m_r + 32 + 4 * i);
            if (k > all.size() - at) return;
            std::vector<BezierPoint> part(all.begin() + std::ptrdiff_t(at),
                                          all.begin() + std::ptrdiff_t(at + k));
            at += k;
            Figure(std::move(part), closed, closed, false, m);
        }
    }

    void Box(std::uint32_t type) {
        if (!Has(24)) return;
        Xform m;
        if (!Matrix(m)) return;
        const double l = I32(m_r + 8), t = I32(m_r + 12), r = I32(m_r + 16), b = I32(m_r + 20);
        if (type == kEmrRectangle) {
            Figure({m.Apply(l, t), m.Apply(r, t), m.Apply(r, b), m.Apply(l, b)}, true, true, false,
                   m);
        } else if (type == kEmrEllipse) {
            if (!m_inPath && AxisAligned(m)) {
                if (!Prepare(true, true, m)) return;
                const BezierPoint p = m.Apply(l, t), q = m.Apply(r, b);
                m_dc.Ellipse(PixelRect{Px(p).x, Px(p).y, Px(q).x, Px(q).y}.Normalized());
            } else {
                Figure(EllipsePoints(m, l, t, r, b, 0, 0, true), true, true, false, m);
            }
        } else if (type == kEmrRoundRect) {
            if (!Has(32)) return;
            const double w = std::min(std::fabs(double(I32(m_r + 24))), std::fabs(r - l)) / 2;
            const double h = std::min(std::fabs(double(I32(m_r + 28))), std::fabs(b - t)) / 2;
            const double x0 = std::min(l, r), x1 = std::max(l, r), y0 = std::min(t, b),
                         y1 = std::max(t, b);
            std::vector<BezierPoint> pts;
            const double cs[4][3] = {{x1 - w, y0 + h, 0},
                                     {x0 + w, y0 + h, kPi / 2},
                                     {x0 + w, y1 - h, kPi},
                                     {x1 - w, y1 - h, 3 * kPi / 2}};
            for (const auto& c : cs)
                for (int k = 0; k <= 8; ++k) {
                    const double a = c[2] + kPi / 2 * k / 8;
                    pts.push_back(m.Apply(c[0] + w * std::cos(a), c[1] - h * std::sin(a)));
                }
            Figure(pts, true, true, false, m);
        }
    }

    void ArcRecord(std::uint32_t type) {
        if (!Has(40)) return;
        Xform m;
        if (!Matrix(m)) return;
        const double l = I32(m_r + 8), t = I32(m_r + 12), r = I32(m_r + 16), b = I32(m_r + 20);
        const double sx = I32(m_r + 24), sy = I32(m_r + 28), ex = I32(m_r + 32), ey = I32(m_r + 36);
        double t0, sweep;
        ArcAngles(l, t, r, b, sx, sy, ex, ey, t0, sweep);
        std::vector<BezierPoint> pts = EllipsePoints(m, l, t, r, b, t0, sweep, false);
        if (type == kEmrArc && !m_inPath && AxisAligned(m)) {
            if (!Prepare(true, false, m)) return;
            const BezierPoint p = m.Apply(l, t), q = m.Apply(r, b);
            m_dc.Arc(PixelRect{Px(p).x, Px(p).y, Px(q).x, Px(q).y}.Normalized(),
                     Px(m.Apply(sx, sy)), Px(m.Apply(ex, ey)));
            return;
        }
        switch (type) {
            case kEmrArc:
                Figure(pts, false, false, false, m);
                break;
            case kEmrArcTo: {
                pts.insert(pts.begin(), m.Apply(m_s.cur.x, m_s.cur.y));
                Figure(pts, false, false, true, m);
                const double cx = (l + r) / 2, cy = (t + b) / 2;
                const double a = t0 + sweep;
                m_s.cur = {cx + std::fabs(r - l) / 2 * std::cos(a),
                           cy - std::fabs(b - t) / 2 * std::sin(a)};
                break;
            }
            case kEmrChord:
                Figure(pts, true, true, false, m);
                break;
            case kEmrPie:
                pts.push_back(m.Apply((l + r) / 2, (t + b) / 2));
                Figure(pts, true, true, false, m);
                break;
            default:
                break;
        }
    }

    void PathEnd(std::uint32_t type) {
        Xform m;
        if (!Matrix(m)) m = m_frameMap;
        const bool fill = type == kEmrFillPath || type == kEmrStrokeAndFillPath;
        const bool stroke = type == kEmrStrokePath || type == kEmrStrokeAndFillPath;
        if (fill)
            for (const Subpath& sp : m_path) Fill(sp.pts, false, m);
        if (stroke)
            for (const Subpath& sp : m_path) Stroke(sp.pts, sp.closed, m);
        m_path.clear();
        m_inPath = false;
    }

    PixelRect TargetBox(double l, double t, double r, double b, const Xform& m) const {
        const BezierPoint c[] = {m.Apply(l, t), m.Apply(r, t), m.Apply(r, b), m.Apply(l, b)};
        double x0 = c[0].x, x1 = c[0].x, y0 = c[0].y, y1 = c[0].y;
        for (const BezierPoint& p : c) {
            x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        }
        return {RoundPixel(x0), RoundPixel(y0), RoundPixel(x1), RoundPixel(y1)};
    }

    static PixelRect Meet(const PixelRect& a, const PixelRect& b) {
        PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
        return r.IsEmpty() ? PixelRect{} : r;
    }

    void Text(bool wide) {
        if (!Has(76)) return;
        Xform m;
        if (!Matrix(m)) return;
        const double x = I32(m_r + 36), y = I32(m_r + 40);
        const std::uint32_t n = U32(m_r + 44), off = U32(m_r + 48);
        const std::size_t bytes = std::size_t(n) * (wide ? 2 : 1);
        if (off > m_size || bytes > m_size - off) return;
        std::string text;
        if (wide) {
            std::u16string units;
            for (std::uint32_t i = 0; i < n; ++i)
                units += char16_t(m_r[off + 2 * i] | (m_r[off + 2 * i + 1] << 8));
            for (std::size_t i = 0; i < units.size(); ++i) {
                char32_t c = units[i];
                if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                    units[i + 1] < 0xE000) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
                    ++i;
                } else if (c >= 0xD800 && c < 0xE000) {
                    c = 0xFFFD;
                }
                if (c != 0) AppendUtf8(text, c);
            }
        } else {
            text = Cp1252ToUtf8(m_r + off, n);
        }
        if (text.empty() || !Prepare(false, false, m)) return;
        const BezierPoint at = (m_s.textAlign & 1) ? m.Apply(m_s.cur.x, m_s.cur.y) : m.Apply(x, y);
        FontRecord f = m_s.font.font;
        std::int32_t lh = m_s.font.fontHeight;
        if (lh == 0) lh = -12;
        const double px = std::fabs(double(lh)) * std::sqrt(std::fabs(m.Det()));
        f.heightPixels = -int(std::clamp(std::isfinite(px) ? px : 12.0, 1.0, 2000.0));
        m_dc.SetFont(f);
        m_dc.SetTextColor(m_s.textColor);
        m_dc.SetBkTransparent(m_s.transparent);
        const PixelPoint ext = m_dc.TextExtent(text);
        double tx = at.x, ty = at.y;
        const std::uint32_t h = m_s.textAlign & 6, v = m_s.textAlign & 24;
        if (h == 6)
            tx -= ext.x / 2.0;
        else if (h == 2)
            tx -= ext.x;
        if (v == 24)
            ty -= ext.y * 0.8;
        else if (v == 8)
            ty -= ext.y;
        m_dc.TextOut({RoundPixel(tx), RoundPixel(ty)}, text);
    }

    // A bitmap of a record: header and table at offBmi, bits at offBits.
    bool RecordDib(std::size_t offBmiAt, Dib& dib) const {
        const std::uint32_t offBmi = U32(m_r + offBmiAt), cbBmi = U32(m_r + offBmiAt + 4);
        const std::uint32_t offBits = U32(m_r + offBmiAt + 8), cbBits = U32(m_r + offBmiAt + 12);
        if (cbBmi == 0) return false;
        if (offBmi > m_size || cbBmi > m_size - offBmi) return false;
        if (offBits > m_size || cbBits > m_size - offBits) return false;
        return ReadDibParts(m_r + offBmi, cbBmi, m_r + offBits, cbBits, dib);
    }

    void DrawBitmap(const Dib& dib, double x, double y, double w, double h, double sx, double sy,
                    double sw, double sh) {
        Xform m;
        if (!Matrix(m)) return;
        const PixelRect dst = TargetBox(x, y, x + w, y + h, m);
        if (dst.IsEmpty() || !Prepare(false, false, m)) return;
        const int H = dib.Height();
        // Source rows count from the bottom in bottom-up bitmaps.
        double top = dib.Info().height > 0 ? H - (sy + std::fabs(sh)) : sy;
        PixelRect src{RoundPixel(std::min(sx, sx + sw)), RoundPixel(top),
                      RoundPixel(std::max(sx, sx + sw)), RoundPixel(top + std::fabs(sh))};
        src = Meet(src, {0, 0, dib.Width(), H});
        if (src.IsEmpty()) return;
        m_dc.DrawDib(dst, dib, src == PixelRect{0, 0, dib.Width(), H} ? PixelRect{} : src);
    }

    void Blit(std::uint32_t type) {
        Xform m;
        if (type == kEmrStretchDiBits) {
            if (!Has(80)) return;
            Dib dib;
            if (U32(m_r + 64) != 0 || !RecordDib(48, dib)) return;
            DrawBitmap(dib, I32(m_r + 24), I32(m_r + 28), I32(m_r + 72), I32(m_r + 76),
                       I32(m_r + 32), I32(m_r + 36), I32(m_r + 40), I32(m_r + 44));
        } else if (type == kEmrSetDiBitsToDevice) {
            if (!Has(76)) return;
            Dib dib;
            if (U32(m_r + 64) != 0 || !RecordDib(48, dib)) return;
            const double w = I32(m_r + 40), h = I32(m_r + 44);
            DrawBitmap(dib, I32(m_r + 24), I32(m_r + 28), w, h, I32(m_r + 32), I32(m_r + 36), w, h);
        } else {
            const bool stretch = type == kEmrStretchBlt;
            if (!Has(stretch ? 108 : 100)) return;
            const double x = I32(m_r + 24), y = I32(m_r + 28), w = I32(m_r + 32), h = I32(m_r + 36);
            const std::uint32_t rop = U32(m_r + 40);
            Dib dib;
            if (U32(m_r + 88) == 0) {
                // No source: a pattern or a constant colour.
                if (!Matrix(m)) return;
                Obj saved = m_s.brush;
                if (rop == 0x00000042) m_s.brush = StockObject(kBlackBrush);
                if (rop == 0x00FF0062) m_s.brush = StockObject(kWhiteBrush);
                if (rop == 0x00F00021 || rop == 0x00000042 || rop == 0x00FF0062) {
                    if (Prepare(false, true, m)) {
                        const PixelRect r = TargetBox(x, y, x + w, y + h, m);
                        const PixelPoint q[] = {{r.left, r.top},
                                                {r.right, r.top},
                                                {r.right, r.bottom},
                                                {r.left, r.bottom}};
                        m_dc.Polygon(q, 4);
                    }
                }
                m_s.brush = saved;
                return;
            }
            if (U32(m_r + 80) != 0 || !RecordDib(84, dib)) return;
            const double sw = stretch ? I32(m_r + 100) : w, sh = stretch ? I32(m_r + 104) : h;
            DrawBitmap(dib, x, y, w, h, I32(m_r + 44), I32(m_r + 48), sw, sh);
        }
    }

    void Record(std::uint32_t type) {
        DcState& s = m_s;
        switch (type) {
            case kEmrPolyBezier:
            case kEmrPolygon:
            case kEmrPolyline:
            case kEmrPolyBezierTo:
            case kEmrPolylineTo:
            case kEmrPolyBezier16:
            case kEmrPolygon16:
            case kEmrPolyline16:
            case kEmrPolyBezierTo16:
            case kEmrPolylineTo16:
                Poly(type);
                break;
            case kEmrPolyPolyline:
            case kEmrPolyPolygon:
            case kEmrPolyPolyline16:
            case kEmrPolyPolygon16:
                PolyPoly(type);
                break;
            case kEmrSetWindowExtEx:
            case kEmrSetWindowOrgEx:
            case kEmrSetViewportExtEx:
            case kEmrSetViewportOrgEx: {
                if (!Has(16)) return;
                const double x = I32(m_r + 8), y = I32(m_r + 12);
                if (type == kEmrSetWindowExtEx) {
                    if (x == 0 || y == 0) return;
                    s.winExtX = x, s.winExtY = y;
                } else if (type == kEmrSetWindowOrgEx) {
                    s.winOrgX = x, s.winOrgY = y;
                } else if (type == kEmrSetViewportExtEx) {
                    if (x == 0 || y == 0) return;
                    s.vpExtX = x, s.vpExtY = y;
                } else {
                    s.vpOrgX = x, s.vpOrgY = y;
                }
                break;
            }
            case kEmrSetMapMode:
                if (Has(12) && U32(m_r + 8) >= 1 && U32(m_r + 8) <= 8) s.mapMode = U32(m_r + 8);
                break;
            case kEmrSetBkMode:
                if (Has(12)) s.transparent = U32(m_r + 8) == 1;
                break;
            case kEmrSetRop2:
                if (Has(12)) {
                    const std::uint32_t r = U32(m_r + 8);
                    s.rop = r == 10  ? RasterMode::NotXor
                            : r == 6 ? RasterMode::InvertDest
                                     : RasterMode::Copy;
                }
                break;
            case kEmrSetTextAlign:
                if (Has(12)) s.textAlign = U32(m_r + 8);
                break;
            case kEmrSetTextColor:
                if (Has(12)) s.textColor = U32(m_r + 8) & 0xFFFFFF;
                break;
            case kEmrSetBkColor:
                if (Has(12)) s.bkColor = U32(m_r + 8) & 0xFFFFFF;
                break;
            case kEmrMoveToEx:
                if (Has(16)) {
                    s.cur = {double(I32(m_r + 8)), double(I32(m_r + 12))};
                    if (m_inPath) m_path.push_back({});
                }
                break;
            case kEmrLineTo: {
                if (!Has(16)) return;
                Xform m;
                if (!Matrix(m)) return;
                const BezierPoint to{double(I32(m_r + 8)), double(I32(m_r + 12))};
                Figure({m.Apply(s.cur.x, s.cur.y), m.Apply(to.x, to.y)}, false, false, true, m);
                s.cur = to;
                break;
            }
            case kEmrIntersectClipRect:
            case kEmrExcludeClipRect: {
                if (!Has(24)) return;
                Xform m;
                if (!Matrix(m)) return;
                // A hole cannot be cut with rectangles: excluding is not played.
                if (type == kEmrIntersectClipRect)
                    s.clip = Meet(s.clip, TargetBox(I32(m_r + 8), I32(m_r + 12), I32(m_r + 16),
                                                    I32(m_r + 20), m));
                break;
            }
            case kEmrExtSelectClipRgn: {
                if (!Has(16)) return;
                const std::uint32_t cb = U32(m_r + 8), mode = U32(m_r + 12);
                if (cb == 0) {
                    if (mode == 5) s.clip = m_target;
                    return;
                }
                if (cb < 32 || cb > m_size - 16) return;
                // The region's bounding rectangle, in device pixels.
                const PixelRect r = TargetBox(I32(m_r + 32), I32(m_r + 36), I32(m_r + 40),
                                              I32(m_r + 44), m_frameMap);
                if (mode == 1)
                    s.clip = Meet(s.clip, r);
                else if (mode == 5)
                    s.clip = Meet(m_target, r);
                else if (mode == 2)
                    s.clip = Meet(m_target, s.clip.United(r));
                break;
            }
            case kEmrSaveDc:
                if (int(m_stack.size()) < kMaxEmfSaveDepth) m_stack.push_back(s);
                break;
            case kEmrRestoreDc: {
                if (!Has(12)) return;
                const std::int32_t rel = I32(m_r + 8);
                if (rel >= 0 || std::int64_t(-std::int64_t(rel)) > std::int64_t(m_stack.size()))
                    return;
                for (std::int32_t i = 0; i < -rel - 1; ++i) m_stack.pop_back();
                s = m_stack.back();
                m_stack.pop_back();
                break;
            }
            case kEmrSetWorldTransform:
            case kEmrModifyWorldTransform: {
                if (!Has(32)) return;
                Xform x{F32(m_r + 8),  F32(m_r + 12), F32(m_r + 16),
                        F32(m_r + 20), F32(m_r + 24), F32(m_r + 28)};
                std::uint32_t mode = 4;  // MWT_SET
                if (type == kEmrModifyWorldTransform) {
                    if (!Has(36)) return;
                    mode = U32(m_r + 32);
                }
                Xform next;
                if (mode == 1)  // MWT_IDENTITY
                    next = Xform{};
                else if (mode == 2)  // MWT_LEFTMULTIPLY: x first, then the old
                    next = x.Then(s.world);
                else if (mode == 3)
                    next = s.world.Then(x);
                else if (mode == 4)
                    next = x;
                else
                    return;
                if (!next.IsUsable()) return;
                s.world = next;
                break;
            }
            case kEmrSelectObject: {
                if (!Has(12)) return;
                const std::uint32_t ih = U32(m_r + 8);
                Obj o;
                if (ih & kStockFlag)
                    o = StockObject(ih & ~kStockFlag);
                else if (ih < m_objects.size())
                    o = m_objects[ih];
                if (o.kind == Obj::Pen) s.pen = o;
                if (o.kind == Obj::Brush) s.brush = o;
                if (o.kind == Obj::Font) s.font = o;
                break;
            }
            case kEmrCreatePen: {
                if (!Has(28)) return;
                const std::uint32_t ih = U32(m_r + 8);
                if (ih == 0 || ih >= m_objects.size()) return;
                Obj o;
                o.kind = Obj::Pen;
                const std::uint32_t style = U32(m_r + 12) & 0xF;
                o.pen = {style > 6 ? kPenSolid : style, std::max(0, I32(m_r + 16)), 0,
                         U32(m_r + 24) & 0xFFFFFF};
                o.null = style == kPenNull;
                m_objects[ih] = o;
                break;
            }
            case kEmrExtCreatePen: {
                // ih, offBmi, cbBmi, offBits, cbBits, then the pen: style,
                // width, brush style, colour, hatch, entries.
                if (!Has(52)) return;
                const std::uint32_t ih = U32(m_r + 8);
                if (ih == 0 || ih >= m_objects.size()) return;
                Obj o;
                o.kind = Obj::Pen;
                const std::uint32_t style = U32(m_r + 28) & 0xF;
                const bool cosmetic = (U32(m_r + 28) & 0x000F0000) == 0;
                o.pen = {style > 6 ? kPenSolid : style,
                         cosmetic ? 0 : std::max<std::int32_t>(0, std::int32_t(U32(m_r + 32))), 0,
                         U32(m_r + 40) & 0xFFFFFF};
                o.null = style == kPenNull || U32(m_r + 36) == 1;
                m_objects[ih] = o;
                break;
            }
            case kEmrCreateBrushIndirect: {
                if (!Has(24)) return;
                const std::uint32_t ih = U32(m_r + 8);
                if (ih == 0 || ih >= m_objects.size()) return;
                Obj o;
                o.kind = Obj::Brush;
                const std::uint32_t style = U32(m_r + 12);
                o.null = style == kBrushNull;
                o.brush = {style == kBrushHatched ? kBrushHatched : kBrushSolid,
                           U32(m_r + 16) & 0xFFFFFF, I32(m_r + 20)};
                m_objects[ih] = o;
                break;
            }
            case kEmrExtCreateFontIndirectW: {
                if (!Has(12 + 92)) return;
                const std::uint32_t ih = U32(m_r + 8);
                if (ih == 0 || ih >= m_objects.size()) return;
                Obj o;
                o.kind = Obj::Font;
                const std::uint8_t* lf = m_r + 12;
                o.fontHeight = I32(lf);
                o.font.bold = I32(lf + 16) >= 600;
                o.font.italic = lf[20] != 0;
                o.font.underline = lf[21] != 0;
                o.font.strikeOut = lf[22] != 0;
                std::string face;
                for (int i = 0; i < 32; ++i) {
                    const char32_t c = char32_t(lf[28 + 2 * i] | (lf[29 + 2 * i] << 8));
                    if (c == 0) break;
                    AppendUtf8(face, c >= 0xD800 && c < 0xE000 ? char32_t(0xFFFD) : c);
                }
                o.font.faceName = face;
                m_objects[ih] = o;
                break;
            }
            case kEmrDeleteObject:
                if (Has(12) && U32(m_r + 8) < m_objects.size() && U32(m_r + 8) != 0)
                    m_objects[U32(m_r + 8)] = Obj{};
                break;
            case kEmrEllipse:
            case kEmrRectangle:
            case kEmrRoundRect:
                Box(type);
                break;
            case kEmrArc:
            case kEmrArcTo:
            case kEmrChord:
            case kEmrPie:
                ArcRecord(type);
                break;
            case kEmrBeginPath:
                m_path.clear();
                m_inPath = true;
                break;
            case kEmrEndPath:
                m_inPath = false;
                break;
            case kEmrAbortPath:
                m_path.clear();
                m_inPath = false;
                break;
            case kEmrCloseFigure:
                if (!m_path.empty()) m_path.back().closed = true;
                break;
            case kEmrFillPath:
            case kEmrStrokeAndFillPath:
            case kEmrStrokePath:
                PathEnd(type);
                break;
            case kEmrSelectClipPath: {
                // The clip becomes the path's bounding box.
                bool any = false;
                double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
                for (const Subpath& sp : m_path)
                    for (const BezierPoint& p : sp.pts) {
                        if (!any) x0 = x1 = p.x, y0 = y1 = p.y, any = true;
                        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
                        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
                    }
                if (any)
                    s.clip = Meet(s.clip,
                                  {RoundPixel(x0), RoundPixel(y0), RoundPixel(x1), RoundPixel(y1)});
                m_path.clear();
                m_inPath = false;
                break;
            }
            case kEmrExtTextOutW:
            case kEmrExtTextOutA:
                Text(type == kEmrExtTextOutW);
                break;
            case kEmrBitBlt:
            case kEmrStretchBlt:
            case kEmrSetDiBitsToDevice:
            case kEmrStretchDiBits:
                Blit(type);
                break;
            default:
                break;  // not played (comments, EMF+, palettes, …)
        }
    }

    const std::uint8_t* m_data;
    EmfHeader m_h;
    Canvas& m_dc;
    PixelRect m_target;
    Xform m_frameMap;
    DcState m_s;
    std::vector<DcState> m_stack;
    std::vector<Obj> m_objects;
    std::vector<Subpath> m_path;
    bool m_inPath = false;
    PixelRect m_applied;
    const std::uint8_t* m_r = nullptr;
    std::size_t m_size = 0;
};

}  // namespace

bool PlayEmf(const std::uint8_t* data, std::size_t size, Canvas& dc, const PixelRect& target) {
    EmfHeader h;
    if (!ReadEmfHeader(data, size, h)) return false;
    if (target.Normalized().IsEmpty()) return true;
    Player player(data, h, dc, target);
    player.Play(h.nSize, h.nBytes);
    return true;
}

}  // namespace gyr
