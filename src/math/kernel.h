#pragma once
// The plane geometry kernel: free functions on world points, lines (two
// distinct points) and circles (centre and stored radius). Every construction
// of the program is built from them, so their formulas, thresholds and the
// order of their results fix how many figures a construction makes and in
// which order.
//
// Contract shared by every function:
// - Nothing is allocated and nothing is reported; geometric failure is a count
//   of 0 or false. On failure the out-parameters are left unchanged.
// - Finite input never yields non-finite output. Inputs the formulas cannot
//   answer (a line given by one point twice, a point at the centre of an
//   inversion, parallel directions) answer "no solution"; the few functions
//   that return a value directly document the finite value they give instead.
//   Functions answering with a count or a bool keep this for every finite
//   input; the value functions keep it while magnitudes stay below 1e100 (a
//   sheet is many orders of magnitude inside), beyond which a distance itself
//   may exceed the range of doubles.
// - A line a, b counts as degenerate only when |b - a|^2 is 0 in doubles, the
//   case in which the formulas would divide by zero.

#include <cmath>
#include <cstddef>

#include "math/geom_sqrt.h"
#include "math/world_point.h"

namespace gyr {

// A length below it is zero; two points closer than it in both coordinates
// coincide.
inline constexpr double kGeomEps = 1e-8;

// Signed: a negative value counts as zero.
inline bool IsZero(double v) {
    return v < kGeomEps;
}
inline bool IsZeroAbs(double v) {
    return std::fabs(v) < kGeomEps;
}
// Chebyshev distance below kGeomEps.
inline bool Coincide(const CWorldPoint& a, const CWorldPoint& b) {
    return ChebyshevDistance(a, b) < kGeomEps;
}

inline bool IsFinitePoint(const CWorldPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}
// |b - a|^2 is 0: no direction can be taken from a to b.
inline bool IsDegenerateLine(const CWorldPoint& a, const CWorldPoint& b) {
    CWorldPoint ab = b - a;
    return !(ab.Dot(ab) > 0);
}

// ---- Vectors -------------------------------------------------------------

// v turned by +90 degrees.
inline constexpr CWorldPoint Perp(const CWorldPoint& v) {
    return {-v.y, v.x};
}
// sqrt(x^2 + y^2) with GeomSqrt; exact scaling keeps it accurate where the
// squares would under- or overflow.
// The box of n >= 1 points: left-top (min x, max y), right-bottom (max x,
// min y).
void BoundingBox(const CWorldPoint* v, std::size_t n, CWorldPoint& leftTop,
                 CWorldPoint& rightBottom);
double Norm(const CWorldPoint& v);
double Distance(const CWorldPoint& a, const CWorldPoint& b);
// In [0, 2pi), counter-clockwise from the positive x axis; a vector just below
// the axis whose angle would round up to 2pi gets 0.
double PolarAngle(const CWorldPoint& v);
// The turn from a to p seen from o, in [-pi, pi].
double SignedAngle(const CWorldPoint& o, const CWorldPoint& a, const CWorldPoint& p);
// p rotated about c by angle (radians, counter-clockwise).
CWorldPoint RotateAbout(const CWorldPoint& p, const CWorldPoint& c, double angle);
// (cos(2pi/n), sin(2pi/n)): the step of a regular n-gon. n = 0 gives (1, 0).
CWorldPoint UnitStep(int n);
// The point at signed distance h from f in the direction from a to b. f itself
// when a, b is degenerate or the step leaves the range of doubles.
CWorldPoint PointAlong(const CWorldPoint& f, const CWorldPoint& a, const CWorldPoint& b, double h);
// (b - a) / |b - a|; (0, 0) when a, b is degenerate.
CWorldPoint UnitVector(const CWorldPoint& a, const CWorldPoint& b);
// The point P of line ab with PA/PB = |k|: k > 0 the external point, k < 0 the
// internal one; (1 - t)a + tb with t = k/(k - 1). False when |k - 1| <
// kGeomEps (the point is at infinity).
bool DivideRatio(const CWorldPoint& a, const CWorldPoint& b, double k, CWorldPoint& point);
// v turned and scaled by w, as complex numbers.
inline constexpr CWorldPoint ComplexMul(const CWorldPoint& v, const CWorldPoint& w) {
    return {v.x * w.x - v.y * w.y, v.x * w.y + v.y * w.x};
}

// ---- Lines ---------------------------------------------------------------

// a + t(b - a) with t = ((b - a).(p - a)) / |b - a|^2; a when a, b is
// degenerate.
CWorldPoint FootOfPerpendicular(const CWorldPoint& p, const CWorldPoint& a, const CWorldPoint& b);
// Distance from p to its foot (to a for a degenerate line).
double DistanceToLine(const CWorldPoint& p, const CWorldPoint& a, const CWorldPoint& b);
// Mirror image of p in line ab (in the point a for a degenerate line).
CWorldPoint ReflectInLine(const CWorldPoint& p, const CWorldPoint& a, const CWorldPoint& b);
// Projection of p onto line oa along the direction of ob. False when the two
// directions are parallel: |(a - o) x (b - o)| < kGeomEps on the raw cross
// product, as in LineIntersection.
bool ObliqueProjection(const CWorldPoint& p, const CWorldPoint& o, const CWorldPoint& a,
                       const CWorldPoint& b, CWorldPoint& point);
// Whether p lies inside the closed polygon v[0..n) (even-odd rule; points on
// the outline may go either way). Fewer than three vertices hold nothing.
bool PointInPolygon(const CWorldPoint* v, int n, const CWorldPoint& p);
// Intersection of lines a0b0 and a1b1, as a0 + t(b0 - a0). False (parallel)
// when the raw cross product of b1 - a1 and a0 - b0 is below kGeomEps in
// absolute value, so short defining segments count as parallel earlier.
bool LineIntersection(const CWorldPoint& a0, const CWorldPoint& b0, const CWorldPoint& a1,
                      const CWorldPoint& b1, CWorldPoint& point);

// ---- Circles -------------------------------------------------------------
// Counts of 1 write the point to both out-parameters.

// Common points of circle (c, r) and line ab. 1 (the foot of c) when the
// line's distance from c is within kGeomEps of r; 0 when farther or the line
// is degenerate; else 2, the first on the side of b, the second on the side
// of a.
int CircleLineIntersection(const CWorldPoint& c, double r, const CWorldPoint& a,
                           const CWorldPoint& b, CWorldPoint& first, CWorldPoint& second);
// Points of contact of the tangents from p, compared with r exactly: 2 when p
// is outside (the first to the left of the direction from p to c, the second
// to the right), 1 (p itself) when |p - c| == r, 0 inside or when p is the
// centre.
int TangentPoints(const CWorldPoint& p, const CWorldPoint& c, double r, CWorldPoint& first,
                  CWorldPoint& second);
// The tangent at the circle point f nearest p, as f and f + Perp(f - c).
// 2, or 0 when p coincides with c or |r| < kGeomEps (no direction, or the two
// points would coincide).
int TangentLineAt(const CWorldPoint& p, const CWorldPoint& c, double r, CWorldPoint& first,
                  CWorldPoint& second);
// Centre as the intersection of the middle perpendiculars of ab and ac; false
// when those count as parallel (collinear or coincident points). The radius
// is the distance from the centre to a.
bool CircleThrough3Points(const CWorldPoint& a, const CWorldPoint& b, const CWorldPoint& c,
                          CWorldPoint& centre, double& radius);
// PointAlong(c, c, p, r); when p is the centre every circle point is equally
// near and the one at polar angle 0 is given.
CWorldPoint NearestPointOnCircle(const CWorldPoint& p, const CWorldPoint& c, double r);
// | |p - c| - r |.
double DistanceToCircle(const CWorldPoint& p, const CWorldPoint& c, double r);
// Within kGeomEps of the circle.
bool LiesOnCircle(const CWorldPoint& p, const CWorldPoint& c, double r);
// The radical axis as two points: f, at distance ((R^2 - r^2)/d + d)/2 from
// the centre C of the larger circle towards the other centre c, and
// f + Perp(c - C). The circles are ordered by radius first, so swapping the
// arguments gives the same axis (with equal radii the first argument counts as
// the larger). False for centres closer than kGeomEps.
bool RadicalAxis(const CWorldPoint& c1, double r1, const CWorldPoint& c2, double r2,
                 CWorldPoint& first, CWorldPoint& second);
// Locus of X with XA/XB = k: centre halfway between DivideRatio(a, b, k) and
// DivideRatio(a, b, -k), through both. False when |k - 1| < kGeomEps (a line)
// or k = -1.
bool ApollonianCircle(const CWorldPoint& a, const CWorldPoint& b, double k, CWorldPoint& centre,
                      double& radius);
// CircleLineIntersection of circle 1 with the radical axis (f, g): 0 (also
// for concentric circles), 1 when touching within kGeomEps, or 2, the first on
// the side of g.
int CircleCircleIntersection(const CWorldPoint& c1, double r1, const CWorldPoint& c2, double r2,
                             CWorldPoint& first, CWorldPoint& second);

// ---- Inversion -----------------------------------------------------------
// Inversion in the circle (o, |k|); a negative k composes it with the half-turn
// about o. The centre maps to infinity: a point coinciding with o (kGeomEps)
// has no image, and neither has an image beyond the range of doubles.

bool InvertPoint(const CWorldPoint& p, const CWorldPoint& o, double k, CWorldPoint& image);
// Image of circle (c, r) not through o. Concentric: centre o, radius k^2/r
// (false for r = 0). Otherwise through the images of the ends of the diameter
// on the line co; false when the circle passes through o.
bool InvertCircle(const CWorldPoint& c, double r, const CWorldPoint& o, double k,
                  CWorldPoint& centre, double& radius);
// Image line of a circle with centre c through o (the caller has established
// that): e, the image of d = 2c - o (the circle point opposite o), and
// e + Perp(d - o). False when c coincides with o.
bool InvertCircleThroughCentre(const CWorldPoint& c, const CWorldPoint& o, double k,
                               CWorldPoint& first, CWorldPoint& second);
// Image circle (through o) of line ab: centre halfway between o and the image
// of the foot of o. False for a degenerate line or a line through o.
bool InvertLine(const CWorldPoint& a, const CWorldPoint& b, const CWorldPoint& o, double k,
                CWorldPoint& centre, double& radius);

}  // namespace gyr
