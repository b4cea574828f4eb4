#include "math/tangent_lines.h"

#include <cmath>

#include "math/kernel.h"

namespace gyr {

PointPair ParallelThrough(const CWorldPoint& p, const CWorldPoint& a, const CWorldPoint& b) {
    return {p, p + (b - a)};
}

PointPair OrthogonalThrough(const CWorldPoint& p, const CWorldPoint& a, const CWorldPoint& b) {
    return {p, p + Perp(b - a)};
}

int CommonTangents(const CWorldPoint& c1, double r1, const CWorldPoint& c2, double r2,
                   PointPair (&out)[4]) {
    r1 = std::fabs(r1);
    r2 = std::fabs(r2);
    const bool firstLarger = !(r2 > r1);
    const CWorldPoint bigC = firstLarger ? c1 : c2, smallC = firstLarger ? c2 : c1;
    const double bigR = firstLarger ? r1 : r2, smallR = firstLarger ? r2 : r1;
    const double d = Distance(bigC, smallC);
    const double delta = bigR - smallR;
    // Equal circles in the same place have every tangent in common.
    if (d < kGeomEps || d < delta) return 0;

    PointPair found[4];
    int n = 0;
    if (delta < kGeomEps) {
        const CWorldPoint o = Perp(smallC - bigC) * (bigR / d);
        found[n++] = {bigC + o, smallC + o};
        found[n++] = {bigC - o, smallC - o};
    } else {
        CWorldPoint u[2];
        const int k = TangentPoints(smallC, bigC, delta, u[0], u[1]);
        if (k == 1) {
            const CWorldPoint t = bigC + UnitVector(bigC, smallC) * bigR;
            found[n++] = {t - Perp(t - bigC), t + Perp(t - bigC)};
        } else {
            for (int i = 0; i < k; ++i) {
                const CWorldPoint v = UnitVector(bigC, u[i]);
                found[n++] = {bigC + v * bigR, smallC + v * smallR};
            }
        }
    }
    if (d > bigR + smallR) {
        CWorldPoint u[2];
        const int k = TangentPoints(smallC, bigC, bigR + smallR, u[0], u[1]);
        for (int i = 0; i < k && k == 2; ++i) {
            const CWorldPoint v = UnitVector(bigC, u[i]);
            found[n++] = {bigC + v * bigR, smallC - v * smallR};
        }
    }
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        if (Coincide(found[i].a, found[i].b) || !IsFinitePoint(found[i].a) ||
            !IsFinitePoint(found[i].b))
            continue;
        out[kept++] = found[i];
    }
    return kept;
}

bool DiagonalTriangle(const CWorldPoint& p0, const CWorldPoint& p1, const CWorldPoint& p2,
                      const CWorldPoint& p3, CWorldPoint (&out)[3]) {
    CWorldPoint x[3];
    if (IsDegenerateLine(p0, p1) || IsDegenerateLine(p2, p3)) return false;
    if (!LineIntersection(p0, p1, p2, p3, x[0]) || !LineIntersection(p0, p2, p3, p1, x[1]) ||
        !LineIntersection(p0, p3, p1, p2, x[2]))
        return false;
    if (Coincide(x[0], x[1]) || Coincide(x[1], x[2]) || Coincide(x[2], x[0])) return false;
    for (int i = 0; i < 3; ++i) out[i] = x[i];
    return true;
}

}  // namespace gyr
