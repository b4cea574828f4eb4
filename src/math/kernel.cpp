// Vectors and lines of the geometry kernel.

#include "math/kernel.h"

#include <algorithm>
#include <cfloat>
#include <numbers>

namespace gyr {

void BoundingBox(const CWorldPoint* v, std::size_t n, CWorldPoint& leftTop,
                 CWorldPoint& rightBottom) {
    double minX = v[0].x, maxX = minX, minY = v[0].y, maxY = minY;
    for (std::size_t i = 1; i < n; ++i) {
        minX = std::min(minX, v[i].x);
        maxX = std::max(maxX, v[i].x);
        minY = std::min(minY, v[i].y);
        maxY = std::max(maxY, v[i].y);
    }
    leftTop = {minX, maxY};
    rightBottom = {maxX, minY};
}

double Norm(const CWorldPoint& v) {
    double s = v.x * v.x + v.y * v.y;
    if (s >= DBL_MIN && s <= DBL_MAX) return GeomSqrt(s);
    // The squares under- or overflowed: measure the vector scaled by a power
    // of two near its larger coordinate, which is exact.
    double m = std::fmax(std::fabs(v.x), std::fabs(v.y));
    if (!(m > 0) || std::isinf(m)) return GeomSqrt(s);
    int exponent = 0;
    std::frexp(m, &exponent);
    double x = std::ldexp(v.x, -exponent), y = std::ldexp(v.y, -exponent);
    return std::ldexp(GeomSqrt(x * x + y * y), exponent);
}

double Distance(const CWorldPoint& a, const CWorldPoint& b) {
    return Norm(a - b);
}

double PolarAngle(const CWorldPoint& v) {
    constexpr double kTwoPi = 2 * std::numbers::pi;
    double a = std::atan2(v.y, v.x);
    // Tested on the angle rather than on y: atan2(-0.0, x < 0) is -pi.
    if (a < 0) a += kTwoPi;
    return a < kTwoPi ? a : 0.0;
}

double SignedAngle(const CWorldPoint& o, const CWorldPoint& a, const CWorldPoint& p) {
    constexpr double kPi = std::numbers::pi;
    double turn = PolarAngle(p - o) - PolarAngle(a - o);
    if (turn > kPi) turn -= 2 * kPi;
    if (turn < -kPi) turn += 2 * kPi;
    return turn;
}

CWorldPoint RotateAbout(const CWorldPoint& p, const CWorldPoint& c, double angle) {
    double dx = p.x - c.x, dy = p.y - c.y;
    double co = std::cos(angle), s = std::sin(angle);
    return {c.x + (dx * co - dy * s), c.y + (dx * s + dy * co)};
}

CWorldPoint UnitStep(int n) {
    if (n == 0) return {1.0, 0.0};
    double a = 2 * std::numbers::pi / n;
    return {std::cos(a), std::sin(a)};
}

CWorldPoint PointAlong(const CWorldPoint& f, const CWorldPoint& a, const CWorldPoint& b, double h) {
    double d = Distance(a, b);
    if (!(d > 0)) return f;
    CWorldPoint p = f + (b - a) * (h / d);
    return IsFinitePoint(p) ? p : f;
}

CWorldPoint UnitVector(const CWorldPoint& a, const CWorldPoint& b) {
    double d = Distance(a, b);
    if (!(d > 0)) return {};
    CWorldPoint ab = b - a;
    CWorldPoint u{ab.x / d, ab.y / d};
    return IsFinitePoint(u) ? u : CWorldPoint{};
}

bool DivideRatio(const CWorldPoint& a, const CWorldPoint& b, double k, CWorldPoint& point) {
    if (IsZeroAbs(k - 1)) return false;
    double t = k / (k - 1);
    CWorldPoint p = a * (1 - t) + b * t;
    if (!IsFinitePoint(p)) return false;
    point = p;
    return true;
}

CWorldPoint FootOfPerpendicular(const CWorldPoint& p, const CWorldPoint& a, const CWorldPoint& b) {
    CWorldPoint ab = b - a;
    double len2 = ab.Dot(ab);
    if (!(len2 > 0)) return a;
    double t = ab.Dot(p - a) / len2;
    CWorldPoint f = a + ab * t;
    return IsFinitePoint(f) ? f : a;
}

double DistanceToLine(const CWorldPoint& p, const CWorldPoint& a, const CWorldPoint& b) {
    return Distance(p, FootOfPerpendicular(p, a, b));
}

CWorldPoint ReflectInLine(const CWorldPoint& p, const CWorldPoint& a, const CWorldPoint& b) {
    return p + (FootOfPerpendicular(p, a, b) - p) * 2;
}

bool PointInPolygon(const CWorldPoint* v, int n, const CWorldPoint& p) {
    if (!v || n < 3) return false;
    bool inside = false;
    for (int i = 0, j = n - 1; i < n; j = i++) {
        if ((v[i].y > p.y) == (v[j].y > p.y)) continue;
        const double x = v[j].x + (p.y - v[j].y) * (v[i].x - v[j].x) / (v[i].y - v[j].y);
        if (p.x < x) inside = !inside;
    }
    return inside;
}

bool ObliqueProjection(const CWorldPoint& p, const CWorldPoint& o, const CWorldPoint& a,
                       const CWorldPoint& b, CWorldPoint& point) {
    CWorldPoint w = Perp(b - o);
    double denom = (a - o).Dot(w);
    if (!(std::fabs(denom) >= kGeomEps)) return false;
    double t = (p - o).Dot(w) / denom;
    CWorldPoint q = o + (a - o) * t;
    if (!IsFinitePoint(q)) return false;
    point = q;
    return true;
}

bool LineIntersection(const CWorldPoint& a0, const CWorldPoint& b0, const CWorldPoint& a1,
                      const CWorldPoint& b1, CWorldPoint& point) {
    CWorldPoint d = b1 - a1;
    CWorldPoint e = a0 - b0;
    double det = d.x * e.y - d.y * e.x;
    if (!(std::fabs(det) >= kGeomEps)) return false;
    CWorldPoint f = a0 - a1;
    double t = (d.x * f.y - d.y * f.x) / det;
    CWorldPoint q = a0 + (b0 - a0) * t;
    if (!IsFinitePoint(q)) return false;
    point = q;
    return true;
}

}  // namespace gyr
