#include "math/sheet_mapping.h"

#include <algorithm>
#include <climits>
#include <cmath>

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
    if (!v || n < 2) return px;
    std::vector<CWorldPoint> poly;
    for (int i = 0; i < n; ++i)
        if (Finite(v[i])) poly.push_back(v[i]);
    const WorldWindow w = DrawWindow();
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
    return px;
}

bool IsYWithinSheet(double y) {
    const CSheetMapping& m = Mapping();
    return m.worldRightBottom.y < y && y < m.worldLeftTop.y;
}

bool SamePoint(const CWorldPoint& a, const CWorldPoint& b) {
    return ChebyshevDistance(a, b) < Mapping().pixelTolerance;
}

}  // namespace gyr
