#include "port/canvas.h"

#include <algorithm>
#include <cmath>

namespace gyr {

void FlattenBezier(const BezierPoint* pts, int n, std::vector<BezierPoint>& out) {
    if (n < 1) return;
    out.push_back(pts[0]);
    for (int i = 0; i + 3 < n; i += 3) {
        const BezierPoint p0 = pts[i], p1 = pts[i + 1], p2 = pts[i + 2], p3 = pts[i + 3];
        const double len = std::hypot(p1.x - p0.x, p1.y - p0.y) +
                           std::hypot(p2.x - p1.x, p2.y - p1.y) +
                           std::hypot(p3.x - p2.x, p3.y - p2.y);
        // About one segment per four pixels, bounded either way.
        const int steps = std::isfinite(len) ? int(std::clamp(len / 4, 2.0, 32.0)) : 2;
        for (int k = 1; k <= steps; ++k) {
            const double t = double(k) / steps, u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            out.push_back({a * p0.x + b * p1.x + c * p2.x + d * p3.x,
                           a * p0.y + b * p1.y + c * p2.y + d * p3.y});
        }
    }
}

int RoundPixel(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return int(std::lround(v));
}

void Canvas::PolyBezier(const PixelPoint* pts, int n) {
    if (n < 4) return;
    std::vector<BezierPoint> in(static_cast<std::size_t>(n));
    std::vector<BezierPoint> flat;
    for (int i = 0; i < n; ++i) in[std::size_t(i)] = {double(pts[i].x), double(pts[i].y)};
    FlattenBezier(in.data(), n, flat);
    std::vector<PixelPoint> line;
    line.reserve(flat.size());
    for (const BezierPoint& p : flat) line.push_back({RoundPixel(p.x), RoundPixel(p.y)});
    Polyline(line.data(), int(line.size()));
}

}  // namespace gyr
