#pragma once
// Straight constructions on plain values: parallels and orthogonals through a
// point, the common tangents of two circles and the diagonal triangle of a
// complete quadrilateral. Shared by the segment and line tools and the locus
// script; nothing is allocated, results go to fixed-size arrays.

#include "math/world_point.h"

namespace gyr {

// Two points of a straight line or the two ends of a segment.
struct PointPair {
    CWorldPoint a;
    CWorldPoint b;
};

// The line through p parallel to ab: (p, p + (b - a)).
PointPair ParallelThrough(const CWorldPoint& p, const CWorldPoint& a, const CWorldPoint& b);
// The line through p orthogonal to ab: (p, p + Perp(b - a)).
PointPair OrthogonalThrough(const CWorldPoint& p, const CWorldPoint& a, const CWorldPoint& b);

// The common tangents of circles 1 and 2, each as its point of contact on the
// larger circle (circle 1 on a tie) and on the smaller one: the outer tangents
// first, then the inner ones when the circles are apart. Circles touching from
// inside have one, given as a piece of the tangent at the touching point of
// the length of the larger radius to each side. 0 when one circle lies inside
// the other, when they coincide, or when a tangent would collapse to a point.
int CommonTangents(const CWorldPoint& c1, double r1, const CWorldPoint& c2, double r2,
                   PointPair (&out)[4]);

// The diagonal points of the complete quadrilateral of segments p0p1 and
// p2p3: p0p1 x p2p3, p0p2 x p3p1, p0p3 x p1p2. False when two of those
// lines are parallel or two diagonal points coincide.
bool DiagonalTriangle(const CWorldPoint& p0, const CWorldPoint& p1, const CWorldPoint& p2,
                      const CWorldPoint& p3, CWorldPoint (&out)[3]);

}  // namespace gyr
