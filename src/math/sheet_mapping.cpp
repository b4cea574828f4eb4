#include "math/sheet_mapping.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace gyr {

CSheetMapping& Mapping() {
    static CSheetMapping mapping;
    return mapping;
}

namespace {

int SaturateToInt(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return int(v);
}

}  // namespace

int TruncToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT_MAX;
    if (v <= -2147483648.0) return INT_MIN;
    return int(v);  // the conversion itself truncates toward zero
}

PixelPoint WorldToPixel(const CWorldPoint& p) {
    const CSheetMapping& m = Mapping();
    long long x = (long long)m.originX + TruncToInt(m.unitX * p.x);
    long long y = (long long)m.originY - TruncToInt(m.unitY * p.y);
    return {SaturateToInt(x), SaturateToInt(y)};
}

CWorldPoint PixelToWorld(PixelPoint p) {
    const CSheetMapping& m = Mapping();
    return {double(p.x - (long long)m.originX) / m.unitX,
            double((long long)m.originY - p.y) / m.unitY};
}

PixelRect WorldToPixelRect(const CWorldPoint& p, int width, int height) {
    PixelPoint tl = WorldToPixel(p);
    return {tl.x, tl.y, SaturateToInt((long long)tl.x + width),
            SaturateToInt((long long)tl.y + height)};
}

PixelRect WorldToPixelRect(const CWorldPoint& leftTop, const CWorldPoint& rightBottom) {
    PixelPoint tl = WorldToPixel(leftTop);
    PixelPoint br = WorldToPixel(rightBottom);
    return {tl.x, tl.y, br.x, br.y};
}

void PixelRectToWorld(const PixelRect& r, CWorldPoint& leftTop, CWorldPoint& rightBottom) {
    leftTop = PixelToWorld({r.left, r.top});
    rightBottom = PixelToWorld({r.right, r.bottom});
}

bool IsOnSheet(const CWorldPoint& p) {
    const CSheetMapping& m = Mapping();
    return m.worldLeftTop.x < p.x && p.x < m.worldRightBottom.x && IsYWithinSheet(p.y);
}

namespace {

struct WorldWindow {
    double left, right, bottom, top;
};

WorldWindow DrawWindow() {
    const CSheetMapping& m = Mapping();
    const double ux = m.unitX > 0 ? m.unitX : 1, uy = m.unitY > 0 ? m.unitY : 1;
    return {(-double(kDrawMargin) - m.originX) / ux,
            (double(m.sheetWidth) + kDrawMargin - m.originX) / ux,
            (double(m.originY) - m.sheetHeight - kDrawMargin) / uy,
            (double(m.originY) + kDrawMargin) / uy};
}

bool Finite(const CWorldPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

CWorldPoint Centre(const WorldWindow& w) {
    return {(w.left + w.right) / 2, (w.bottom + w.top) / 2};
}

bool InsideAll(const WorldWindow& w, const CWorldPoint& p) {
    return w.left <= p.x && p.x <= w.right && w.bottom <= p.y && p.y <= w.top;
}

// The line through a and b as the foot of the window's centre and a unit
// direction from a to b. Far-away ends lose every digit when subtracted near
// the window, so the line is placed by its distance from the centre, taken at
// the end nearer to the window. False for a point or non-finite input.
bool LineNearWindow(const WorldWindow& w, const CWorldPoint& a, const CWorldPoint& b,
                    CWorldPoint& foot, CWorldPoint& u) {
    CWorldPoint d = b - a;
    if (!std::isfinite(d.x) || !std::isfinite(d.y)) d = b * 0.5 - a * 0.5;
    const double len = std::hypot(d.x, d.y);
    if (!(len > 0) || !std::isfinite(len)) return false;
    u = d * (1 / len);
    const CWorldPoint n{-u.y, u.x};
    const CWorldPoint c = Centre(w);
    const CWorldPoint& o = ChebyshevDistance(a, c) <= ChebyshevDistance(b, c) ? a : b;
    const double h = n.Dot(o - c);
    foot = c + n * h;
    return std::isfinite(foot.x) && std::isfinite(foot.y);
}

// Clips a-b to the window: from and to, and whether they are a and b
// themselves.
bool ClipSegment(const WorldWindow& w, const CWorldPoint& a, const CWorldPoint& b,
                 CWorldPoint& from, CWorldPoint& to, bool& fromIsA, bool& toIsB) {
    // Inside the window means finite too: NaN and infinities fail the bounds.
    if (InsideAll(w, a) && InsideAll(w, b)) {
        from = a;
        to = b;
        fromIsA = toIsB = true;
        return true;
    }
    if (!Finite(a) || !Finite(b)) return false;
    CWorldPoint foot, u;
    if (!LineNearWindow(w, a, b, foot, u)) return false;
    // Along the line, s measured from the foot; the segment spans [sa, sb].
    const double sa = (a - foot).Dot(u), sb = (b - foot).Dot(u);
    double s0 = sa, s1 = sb;
    const double p[4] = {-u.x, u.x, -u.y, u.y};
    const double q[4] = {foot.x - w.left, w.right - foot.x, foot.y - w.bottom, w.top - foot.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            s0 = std::max(s0, r);
        else
            s1 = std::min(s1, r);
    }
    if (s0 > s1) return false;
    fromIsA = s0 == sa;
    toIsB = s1 == sb;
    from = fromIsA ? a : foot + u * s0;
    to = toIsB ? b : foot + u * s1;
    return true;
}

bool Inside(const WorldWindow& w, const CWorldPoint& p, int edge) {
    switch (edge) {
        case 0:
            return p.x >= w.left;
        case 1:
            return p.x <= w.right;
        case 2:
            return p.y >= w.bottom;
        default:
            return p.y <= w.top;
    }
}

// Where the line a-b crosses the line of a window edge (the two ends lie on
// either side of it).
CWorldPoint Crossing(const WorldWindow& w, const CWorldPoint& a, const CWorldPoint& b, int edge) {
    CWorldPoint foot, u;
    if (!LineNearWindow(w, a, b, foot, u)) return a;
    switch (edge) {
        case 0:
        case 1: {
            const double x = edge == 0 ? w.left : w.right;
            return {x, foot.y + (x - foot.x) / u.x * u.y};
        }
        default: {
            const double y = edge == 2 ? w.bottom : w.top;
            return {foot.x + (y - foot.y) / u.y * u.x, y};
        }
    }
}

}  // namespace

bool ClipToDrawWindow(CWorldPoint& a, CWorldPoint& b) {
    CWorldPoint from, to;
    bool fromIsA, toIsB;
    if (!ClipSegment(DrawWindow(), a, b, from, to, fromIsA, toIsB)) return false;
    a = from;
    b = to;
    return true;
}

std::vector<std::vector<PixelPoint>> PolylinePixelRuns(const CWorldPoint* v, int n, bool closed) {
    std::vector<std::vector<PixelPoint>> runs;
    if (!v || n < 2) return runs;
    const WorldWindow w = DrawWindow();
    const int edges = closed ? n : n - 1;
    bool open = false;  // the last run ends at the previous edge's end
    for (int i = 0; i < edges; ++i) {
        CWorldPoint from, to;
        bool fromIsA, toIsB;
        if (!ClipSegment(w, v[i], v[(i + 1) % n], from, to, fromIsA, toIsB)) {
            open = false;
            continue;
        }
        if (!open || !fromIsA) runs.push_back({WorldToPixel(from)});
        runs.back().push_back(WorldToPixel(to));
        open = toIsB;
    }
    return runs;
}

std::vector<PixelPoint> PolygonPixels(const CWorldPoint* v, int n) {
    std::vector<PixelPoint> px;
    PolygonPixels(v, n, px);
    return px;
}

void PolygonPixels(const CWorldPoint* v, int n, std::vector<PixelPoint>& px) {
    px.clear();
    if (!v || n < 2) return;
    const WorldWindow w = DrawWindow();
    // Most figures lie inside the window: nothing to cut.
    if (std::all_of(v, v + n, [&w](const CWorldPoint& p) { return InsideAll(w, p); })) {
        for (int i = 0; i < n; ++i) px.push_back(WorldToPixel(v[i]));
        return;
    }
    std::vector<CWorldPoint> poly;
    for (int i = 0; i < n; ++i)
        if (Finite(v[i])) poly.push_back(v[i]);
    // Sutherland-Hodgman, one window edge at a time.
    for (int edge = 0; edge < 4 && !poly.empty(); ++edge) {
        std::vector<CWorldPoint> out;
        for (std::size_t i = 0; i < poly.size(); ++i) {
            const CWorldPoint& cur = poly[i];
            const CWorldPoint& prev = poly[(i + poly.size() - 1) % poly.size()];
            const bool curIn = Inside(w, cur, edge), prevIn = Inside(w, prev, edge);
            if (curIn != prevIn) out.push_back(Crossing(w, prev, cur, edge));
            if (curIn) out.push_back(cur);
        }
        poly = std::move(out);
    }
    px.reserve(poly.size());
    for (const CWorldPoint& p : poly) px.push_back(WorldToPixel(p));
}

namespace {

// The circle as seen from the window. p0 is its point nearest the window's
// centre, u the unit vector from the circle's centre towards it and v that
// vector turned a quarter turn counter-clockwise. The point at angle phi
// from p0 about the centre is p0 - 2r sin^2(phi/2) u + r sin(phi) v: near the
// window every term is small, so huge radii and centres lose no digit there.
struct CircleView {
    CWorldPoint c, p0, u, v;
    double r = 0;
    // Every point of the circle, and every ray from its centre, that meets
    // the window lies within [-reach, reach] of p0 (reach is pi when the
    // centre is near).
    double reach = 0;
    bool meets = false;   // the circle comes near enough to the window
    bool covers = false;  // the disc holds the whole window
    double step = 0;      // the angle between samples
};

constexpr int kMaxCircleSamples = 1 << 16;

bool ViewCircle(const WorldWindow& w, const CWorldPoint& c, double r, CircleView& out) {
    if (!Finite(c) || !std::isfinite(r) || !(r > 0)) return false;
    const CWorldPoint m = Centre(w);
    // Every point of the window lies within rho of its centre.
    const double rho = std::hypot(w.right - w.left, w.top - w.bottom) / 2;
    CWorldPoint d = m - c;
    double scale = 1;  // the true distance is len * scale
    if (!Finite(d)) {
        d = m * 0.5 - c * 0.5;
        scale = 2;
    }
    const double len = std::hypot(d.x, d.y);
    out.c = c;
    out.r = r;
    out.u = len > 0 ? d * (1 / len) : CWorldPoint{1, 0};
    out.v = {-out.u.y, out.u.x};
    out.p0 = {c.x + r * out.u.x, c.y + r * out.u.y};
    if (!Finite(out.p0)) return false;
    const CWorldPoint off = m - out.p0;
    // The window's centre lies inside the circle when it is on the centre's
    // side of p0.
    const bool inside = off.Dot(out.u) < 0;
    if (std::hypot(off.x, off.y) > rho) {
        out.meets = false;
        out.covers = inside;
        return true;
    }
    out.meets = true;
    // A ray from the centre meets the window only within asin(rho / distance)
    // of the direction of its centre; a little more for rounding.
    const double sine = len * scale > rho ? rho / len / scale * 1.001 : 1;
    out.reach = sine >= 1 ? std::numbers::pi : std::asin(sine);
    // A chord of angle step stands off the circle by r (1 - cos(step / 2)),
    // at most r step^2 / 8: a quarter pixel.
    const CSheetMapping& mp = Mapping();
    const double unit = std::max({std::abs(double(mp.unitX)), std::abs(double(mp.unitY)), 1.0});
    out.step = std::min(std::sqrt(2 / (r * unit)), std::numbers::pi / 32);
    return true;
}

CWorldPoint CirclePointAt(const CircleView& cv, double phi) {
    const double h = std::sin(phi / 2);
    return cv.p0 - cv.u * (2 * cv.r * h * h) + cv.v * (cv.r * std::sin(phi));
}

// Samples from angle a to angle b, both ends included (without b when
// closing, where b comes back to a).
void SampleCircle(const CircleView& cv, double a, double b, bool closing,
                  std::vector<CWorldPoint>& out) {
    const double n =
        std::clamp(std::ceil(std::fabs(b - a) / cv.step), 1.0, double(kMaxCircleSamples));
    const int count = int(n);
    for (int k = 0; k <= count; ++k) {
        if (closing && k == count) break;
        out.push_back(CirclePointAt(cv, a + (b - a) * k / count));
    }
}

// The angle of q about the centre, from p0.
double AngleFromNearest(const CircleView& cv, const CWorldPoint& q) {
    // Halved so that no difference overflows; the angle does not change.
    const CWorldPoint t = q * 0.5 - cv.c * 0.5;
    return std::atan2(cv.u.x * t.y - cv.u.y * t.x, cv.u.Dot(t));
}

}  // namespace

bool NeedsTrueCircle(const CWorldPoint& c, double r) {
    const CSheetMapping& m = Mapping();
    const double unit = std::max(std::abs(double(m.unitX)), std::abs(double(m.unitY)));
    if (!(r * unit <= kEllipsePixelLimit)) return true;
    const WorldWindow w = DrawWindow();
    return !InsideAll(w, {c.x - r, c.y - r}) || !InsideAll(w, {c.x + r, c.y + r});
}

std::vector<std::vector<PixelPoint>> CirclePixelRuns(const CWorldPoint& c, double r,
                                                     const CWorldPoint& from, double sweep) {
    std::vector<std::vector<PixelPoint>> runs;
    const WorldWindow w = DrawWindow();
    CircleView cv;
    if (!std::isfinite(sweep) || !ViewCircle(w, c, r, cv) || !cv.meets) return runs;
    const double pi = std::numbers::pi;
    const bool full = cv.reach >= pi;
    auto add = [&](double a, double b, bool closed) {
        std::vector<CWorldPoint> pts;
        SampleCircle(cv, a, b, closed, pts);
        for (auto& run : PolylinePixelRuns(pts.data(), int(pts.size()), closed))
            runs.push_back(std::move(run));
    };
    if (std::fabs(sweep) >= 2 * pi) {
        if (full)
            add(-pi, pi, true);
        else
            add(-cv.reach, cv.reach, false);
        return runs;
    }
    if (!Finite(from)) return runs;
    const double a = AngleFromNearest(cv, from);
    const double lo = std::min(a, a + sweep), hi = std::max(a, a + sweep);
    if (full) {
        add(lo, hi, false);
        return runs;
    }
    // The arc's angles lie within (-3pi, 3pi): its part in [-reach, reach]
    // is found in one of three turns.
    for (int k = -1; k <= 1; ++k) {
        const double from0 = std::max(lo + 2 * pi * k, -cv.reach);
        const double to0 = std::min(hi + 2 * pi * k, cv.reach);
        if (from0 < to0) add(from0, to0, false);
    }
    return runs;
}

std::vector<PixelPoint> DiscPixels(const CWorldPoint& c, double r) {
    const WorldWindow w = DrawWindow();
    CircleView cv;
    if (!ViewCircle(w, c, r, cv)) return {};
    if (!cv.meets) {
        if (!cv.covers) return {};
        const CSheetMapping& m = Mapping();
        const int l = -kDrawMargin, t = -kDrawMargin;
        const int rt = m.sheetWidth + kDrawMargin, b = m.sheetHeight + kDrawMargin;
        return {{l, t}, {rt, t}, {rt, b}, {l, b}};
    }
    std::vector<CWorldPoint> pts;
    if (cv.reach >= std::numbers::pi) {
        SampleCircle(cv, -std::numbers::pi, std::numbers::pi, true, pts);
    } else {
        // The sector holds every part of the disc that the window sees.
        SampleCircle(cv, -cv.reach, cv.reach, false, pts);
        pts.push_back(c);
    }
    return PolygonPixels(pts.data(), int(pts.size()));
}

bool IsInDrawWindow(const CWorldPoint& p) {
    return InsideAll(DrawWindow(), p);
}

bool IsYWithinSheet(double y) {
    const CSheetMapping& m = Mapping();
    return m.worldRightBottom.y < y && y < m.worldLeftTop.y;
}

bool SamePoint(const CWorldPoint& a, const CWorldPoint& b) {
    return ChebyshevDistance(a, b) < Mapping().pixelTolerance;
}

}  // namespace gyr
