#include "math/division.h"

#include <algorithm>

#include "math/kernel.h"

namespace gyr {

std::vector<CWorldPoint> SegmentDivisionPoints(const CWorldPoint& a, const CWorldPoint& b, int n) {
    std::vector<CWorldPoint> points;
    if (n < 2) return points;
    const CWorldPoint step = (b - a) * (1.0 / n);
    points.reserve(std::size_t(n - 1));
    for (int i = 1; i < n; ++i) points.push_back(a + step * i);
    return points;
}

std::vector<CWorldPoint> AngleDivisionPoints(const CWorldPoint& apex, const CWorldPoint& p,
                                             const CWorldPoint& q, int n) {
    std::vector<CWorldPoint> points;
    if (n < 2 || Coincide(apex, p) || Coincide(apex, q)) return points;
    const double turn = SignedAngle(apex, p, q);
    const double reach = std::min(Distance(apex, p), Distance(apex, q));
    const CWorldPoint start = PointAlong(apex, apex, p, reach);
    points.reserve(std::size_t(n - 1));
    for (int i = 1; i < n; ++i) points.push_back(RotateAbout(start, apex, turn * i / n));
    return points;
}

std::vector<CWorldPoint> CircleDivisionPoints(const CWorldPoint& start, const CWorldPoint& c,
                                              double r, int n) {
    std::vector<CWorldPoint> points;
    if (n < 1) return points;
    const CWorldPoint step = UnitStep(n);
    points.reserve(std::size_t(n));
    CWorldPoint v = NearestPointOnCircle(start, c, r) - c;
    for (int i = 0; i < n; ++i) {
        points.push_back(c + v);
        v = ComplexMul(v, step);
    }
    return points;
}

}  // namespace gyr
