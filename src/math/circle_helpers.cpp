#include "math/circle_helpers.h"

#include "math/kernel.h"

namespace gyr {

bool MiddleOrthogonalMeetsLine(const CWorldPoint& p, const CWorldPoint& q, const CWorldPoint& a,
                               const CWorldPoint& b, CWorldPoint& centre) {
    if (Coincide(p, q) || IsDegenerateLine(a, b)) return false;
    CWorldPoint m = (p + q) * 0.5;
    return LineIntersection(m, m + Perp(q - p), a, b, centre);
}

bool OrthogonalCircleCentred(const CWorldPoint& p, const CWorldPoint& c, double r, double& radius) {
    double d = Distance(p, c);
    if (d < kGeomEps || IsZeroAbs(d - r) || d < r) return false;
    CWorldPoint t1, t2;
    if (TangentPoints(p, c, r, t1, t2) == 0) return false;
    radius = Distance(p, t1);
    return true;
}

bool OrthogonalCircleToLines(const CWorldPoint& p, const CWorldPoint& a1, const CWorldPoint& b1,
                             const CWorldPoint& a2, const CWorldPoint& b2, CWorldPoint& centre,
                             double& radius) {
    CWorldPoint x;
    if (IsDegenerateLine(a1, b1) || IsDegenerateLine(a2, b2)) return false;
    if (!LineIntersection(a1, b1, a2, b2, x)) return false;
    centre = x;
    radius = Distance(p, x);
    return true;
}

bool OrthogonalCircleToCircles(const CWorldPoint& p, const CWorldPoint& c1, double r1,
                               const CWorldPoint& c2, double r2, CWorldPoint& centre,
                               double& radius) {
    if (Coincide(c1, c2) || DistanceToLine(p, c1, c2) < kGeomEps) return false;
    const bool onFirst = LiesOnCircle(p, c1, r1);
    const bool onSecond = LiesOnCircle(p, c2, r2);
    if (!onFirst && !onSecond) {
        CWorldPoint i1, i2;
        if (!InvertPoint(p, c1, r1, i1) || !InvertPoint(p, c2, r2, i2)) return false;
        return CircleThrough3Points(p, i1, i2, centre, radius);
    }
    // On a circle the inverse is p itself: the centre lies on the tangent there.
    CWorldPoint t1, t2;
    int n = onSecond ? TangentLineAt(p, c2, r2, t1, t2) : TangentLineAt(p, c1, r1, t1, t2);
    if (n == 0) return false;
    CWorldPoint f, g, x;
    if (!RadicalAxis(c1, r1, c2, r2, f, g)) return false;
    if (!LineIntersection(t1, t2, f, g, x)) return false;
    centre = x;
    radius = Distance(p, x);
    return true;
}

bool OrthogonalCircleToCircleAndLine(const CWorldPoint& p, const CWorldPoint& c, double r,
                                     const CWorldPoint& a, const CWorldPoint& b,
                                     CWorldPoint& centre, double& radius) {
    if (IsDegenerateLine(a, b)) return false;
    CWorldPoint m = ReflectInLine(c, a, b);
    if (!Coincide(m, c)) return OrthogonalCircleToCircles(p, c, r, m, r, centre, radius);
    CWorldPoint inverse, x;
    if (!InvertPoint(p, c, r, inverse)) return false;
    if (!MiddleOrthogonalMeetsLine(p, inverse, a, b, x)) return false;
    centre = x;
    radius = Distance(p, x);
    return true;
}

}  // namespace gyr
