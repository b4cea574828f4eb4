#pragma once
// What the constructions on an isoptic cubic compute, in its canonical
// frame: the flexes (Newton's method on the cubic and its Hessian curve),
// the third point of a chord, the group law with a chosen neutral point, the
// main involution P -> w / P (w = b + ic), the tangents from a point of the
// curve and the inversions that map the cubic onto itself. Points are
// canonical unless said otherwise; failures are return values.

#include "math/isoptic.h"

namespace gyr {

// The Hessian curve of the cubic, scaled so that 8 H is the determinant of
// the Hessian of the homogenised left side at z = 1; its meets with the
// cubic are the flexes.
double FlexCurveValue(const CIsopticConstants& k, double x, double y);
CWorldPoint FlexCurveGradient(const CIsopticConstants& k, double x, double y);

// Newton's method on F = 0, H = 0 from start: 0 with the point, 1 singular
// Jacobian or divergence, 2 no convergence in 100 steps.
int SolveFlex(const CIsopticConstants& k, const CWorldPoint& start, CWorldPoint& flex);

// A sampled component in world points; the search converts to canonical.
struct CPointRun {
    const CWorldPoint* points = nullptr;
    int count = 0;
};

struct CFlexResult {
    CWorldPoint flex[3];  // canonical
    int count = 0;
    int solverCalls = 0;
};

// The flexes: each run of 4 or more points in turn gives start points from
// its middle outwards (m + i, then m - i). The first success is flex 1 (the
// singular cubic has no other); a success farther than 1e-8 from it is flex
// 2, and flex 3 the third point of their line. count 0: none found.
CFlexResult FindCubicFlexes(const CIsopticFrame& frame, const CIsopticConstants& k, bool singular,
                            const CPointRun* runs, int runCount);

// The third meet of the line p + t d with the cubic, where tSum is the sum of
// the parameters of the two meets known (0 + 1 for a chord from p to p + d,
// 0 + 0 for a tangent at p). False when the line is parallel to the asymptote
// or d is null (the third point is at infinity) or the result is not finite.
bool CubicThirdPoint(const CIsopticConstants& k, const CWorldPoint& p, const CWorldPoint& d,
                     double tSum, CWorldPoint& out);
// The third point of the chord PQ; for coinciding points that of the tangent.
bool CubicChordPoint(const CIsopticConstants& k, const CWorldPoint& p, const CWorldPoint& q,
                     CWorldPoint& out);
// P + Q with the neutral point n: the third point of the line through n and
// the third point of PQ.
bool CubicGroupSum(const CIsopticConstants& k, const CWorldPoint& n, const CWorldPoint& p,
                   const CWorldPoint& q, CWorldPoint& sum);

// w / p for w = b + ic; false for p at the origin or a non-finite image.
bool MainInvolutionImage(const CIsopticConstants& k, const CWorldPoint& p, CWorldPoint& image);
// The radius of the main involution's circle, sqrt|w|.
double MainInvolutionRadius(const CIsopticConstants& k);

// The two points (x/2, (y +- r)/2), r = |p|: the lines from p to them bisect
// the angle between the line to the origin and the asymptote's direction.
void BisectorPoints(const CWorldPoint& p, CWorldPoint& plus, CWorldPoint& minus);

// The points where the tangents from p (a point of the cubic) touch it,
// through the image Q = w / p and the lines from Q through its bisector
// points; up to four. 0 when there is no image.
int TangentPointsFrom(const CIsopticConstants& k, const CWorldPoint& p, CWorldPoint out[4]);

// An inversion that maps the cubic onto itself: centre K and a signed
// radius (negative: composed with the half-turn about K).
struct CInversionCircle {
    CWorldPoint centre;  // canonical
    double rho = 0;
};
// The centres are the points of vertical tangent at the interval ends that
// differ from a: all four ends for the class Two, x1 and x3 for the
// singular class, x1 and x2 otherwise. For centre K_i and the next K_(i+1)
// (cyclically) with T the third point of their line, rho_i^2 = |K_i K_(i+1)|
// |K_i T|, negative when K_i lies between the two. Centres whose line has no
// third point are left out.
int InversionCircles(CubicClass cls, const CIsopticConstants& k, const double x[4],
                     CInversionCircle out[4]);

}  // namespace gyr
