// Circles and inversion of the geometry kernel.

#include <utility>

#include "math/kernel.h"

namespace gyr {
namespace {

// PointAlong without its fallback, for callers that have already excluded a
// degenerate direction and check their own results for finiteness.
CWorldPoint Along(const CWorldPoint& f, const CWorldPoint& a, const CWorldPoint& b, double h) {
    return f + (b - a) * (h / Distance(a, b));
}

bool Finite(const CWorldPoint& p, const CWorldPoint& q) {
    return IsFinitePoint(p) && IsFinitePoint(q);
}

}  // namespace

int CircleLineIntersection(const CWorldPoint& c, double r, const CWorldPoint& a,
                           const CWorldPoint& b, CWorldPoint& first, CWorldPoint& second) {
    if (IsDegenerateLine(a, b)) return 0;
    CWorldPoint f = FootOfPerpendicular(c, a, b);
    double d = Distance(c, f);
    if (std::fabs(d - r) < kGeomEps) {
        if (!IsFinitePoint(f)) return 0;
        first = second = f;
        return 1;
    }
    if (d > r) return 0;
    double h = GeomSqrt(r * r - d * d);
    CWorldPoint u = UnitVector(a, b);
    CWorldPoint p1 = f + u * h;
    CWorldPoint p2 = f - u * h;
    if (!Finite(p1, p2)) return 0;
    first = p1;
    second = p2;
    return 2;
}

int TangentPoints(const CWorldPoint& p, const CWorldPoint& c, double r, CWorldPoint& first,
                  CWorldPoint& second) {
    double d = Distance(p, c);
    if (d > r) {
        double t = GeomSqrt((d - r) * (d + r));
        double q = t * t / d;  // from p to the chord of contact
        double h = GeomSqrt((d - q) * q);
        CWorldPoint m = Along(p, p, c, q);
        CWorldPoint n = Perp(c - p);
        double len = Norm(n);
        CWorldPoint off{h * n.x / len, h * n.y / len};
        CWorldPoint p1 = m + off;
        CWorldPoint p2 = m - off;
        if (!Finite(p1, p2)) return 0;
        first = p1;
        second = p2;
        return 2;
    }
    if (d == r) {
        first = second = p;
        return 1;
    }
    return 0;
}

int TangentLineAt(const CWorldPoint& p, const CWorldPoint& c, double r, CWorldPoint& first,
                  CWorldPoint& second) {
    if (Coincide(p, c) || IsZeroAbs(r)) return 0;
    CWorldPoint f = Along(c, c, p, r);
    CWorldPoint g = f + Perp(f - c);
    // f == g: the offset vanished in rounding against huge coordinates.
    if (!Finite(f, g) || f == g) return 0;
    first = f;
    second = g;
    return 2;
}

bool CircleThrough3Points(const CWorldPoint& a, const CWorldPoint& b, const CWorldPoint& c,
                          CWorldPoint& centre, double& radius) {
    CWorldPoint m1 = (a + b) * 0.5;
    CWorldPoint q1 = m1 + Perp(b - a);
    CWorldPoint m2 = (a + c) * 0.5;
    CWorldPoint q2 = m2 + Perp(c - a);
    CWorldPoint m;
    if (!LineIntersection(m1, q1, m2, q2, m)) return false;
    double rad = Distance(m, a);
    if (!std::isfinite(rad)) return false;
    centre = m;
    radius = rad;
    return true;
}

CWorldPoint NearestPointOnCircle(const CWorldPoint& p, const CWorldPoint& c, double r) {
    if (!(Distance(p, c) > 0)) return {c.x + r, c.y};
    return PointAlong(c, c, p, r);
}

double DistanceToCircle(const CWorldPoint& p, const CWorldPoint& c, double r) {
    return std::fabs(Distance(p, c) - r);
}

bool LiesOnCircle(const CWorldPoint& p, const CWorldPoint& c, double r) {
    return IsZero(DistanceToCircle(p, c, r));
}

bool RadicalAxis(const CWorldPoint& c1, double r1, const CWorldPoint& c2, double r2,
                 CWorldPoint& first, CWorldPoint& second) {
    double d = Distance(c1, c2);
    if (!(d >= kGeomEps)) return false;
    CWorldPoint bigC = c1, smallC = c2;
    double bigR = r1, smallR = r2;
    if (r1 < r2) {
        std::swap(bigC, smallC);
        std::swap(bigR, smallR);
    }
    double s = ((bigR * bigR - smallR * smallR) / d + d) / 2;
    CWorldPoint f = Along(bigC, bigC, smallC, s);
    CWorldPoint g = f + Perp(smallC - bigC);
    if (!Finite(f, g)) return false;
    first = f;
    second = g;
    return true;
}

bool ApollonianCircle(const CWorldPoint& a, const CWorldPoint& b, double k, CWorldPoint& centre,
                      double& radius) {
    if (IsZeroAbs(k - 1)) return false;
    CWorldPoint external, internal;
    if (!DivideRatio(a, b, k, external) || !DivideRatio(a, b, -k, internal)) return false;
    CWorldPoint m = (external + internal) * 0.5;
    double rad = Distance(m, external);
    if (!IsFinitePoint(m) || !std::isfinite(rad)) return false;
    centre = m;
    radius = rad;
    return true;
}

int CircleCircleIntersection(const CWorldPoint& c1, double r1, const CWorldPoint& c2, double r2,
                             CWorldPoint& first, CWorldPoint& second) {
    CWorldPoint f, g;
    if (!RadicalAxis(c1, r1, c2, r2, f, g)) return 0;
    return CircleLineIntersection(c1, r1, f, g, first, second);
}

bool InvertPoint(const CWorldPoint& p, const CWorldPoint& o, double k, CWorldPoint& image) {
    if (Coincide(p, o)) return false;
    double s = k / Distance(p, o);
    s *= s;
    CWorldPoint q = k <= 0 ? o - (p - o) * s : o + (p - o) * s;
    if (!IsFinitePoint(q)) return false;
    image = q;
    return true;
}

bool InvertCircle(const CWorldPoint& c, double r, const CWorldPoint& o, double k,
                  CWorldPoint& centre, double& radius) {
    if (Coincide(c, o)) {
        if (r == 0) return false;
        double rad = k * k / r;
        if (!std::isfinite(rad)) return false;
        centre = o;
        radius = rad;
        return true;
    }
    CWorldPoint e1, e2;
    if (!InvertPoint(Along(c, c, o, r), o, k, e1) || !InvertPoint(Along(c, c, o, -r), o, k, e2))
        return false;
    CWorldPoint m = (e1 + e2) * 0.5;
    double rad = Distance(m, e2);
    if (!IsFinitePoint(m) || !std::isfinite(rad)) return false;
    centre = m;
    radius = rad;
    return true;
}

bool InvertCircleThroughCentre(const CWorldPoint& c, const CWorldPoint& o, double k,
                               CWorldPoint& first, CWorldPoint& second) {
    if (Coincide(c, o)) return false;
    CWorldPoint d = c * 2 - o;
    CWorldPoint e;
    if (!InvertPoint(d, o, k, e)) return false;
    CWorldPoint g = e + Perp(d - o);
    if (!IsFinitePoint(g) || e == g) return false;
    first = e;
    second = g;
    return true;
}

bool InvertLine(const CWorldPoint& a, const CWorldPoint& b, const CWorldPoint& o, double k,
                CWorldPoint& centre, double& radius) {
    if (IsDegenerateLine(a, b)) return false;
    CWorldPoint image;
    if (!InvertPoint(FootOfPerpendicular(o, a, b), o, k, image)) return false;
    CWorldPoint m = (o + image) * 0.5;
    double rad = Distance(m, o);
    if (!IsFinitePoint(m) || !std::isfinite(rad)) return false;
    centre = m;
    radius = rad;
    return true;
}

}  // namespace gyr
