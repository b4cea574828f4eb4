#pragma once
// Points that divide a segment, an angle or a circle into N equal parts, for
// the constructions that mark or draw them.

#include <vector>

#include "math/world_point.h"

namespace gyr {

// The N - 1 inner points a + i(b - a)/N, i = 1 .. N - 1, from a towards b.
// Empty for N < 2.
std::vector<CWorldPoint> SegmentDivisionPoints(const CWorldPoint& a, const CWorldPoint& b, int n);

// The N - 1 points on the rays that divide the angle at the apex from the ray
// towards p to the ray towards q (the turn of at most pi between them) into N
// equal parts, in order from p's side. Each lies at the distance of the
// shorter arm from the apex, so the dividing segments stay inside the drawn
// figure. Empty for N < 2 or when an arm has no length.
std::vector<CWorldPoint> AngleDivisionPoints(const CWorldPoint& apex, const CWorldPoint& p,
                                             const CWorldPoint& q, int n);

// N points of the circle (c, r), counter-clockwise, the first the circle point
// nearest to start, each next one the previous turned about c by 2pi/N.
// Empty for N < 1.
std::vector<CWorldPoint> CircleDivisionPoints(const CWorldPoint& start, const CWorldPoint& c,
                                              double r, int n);

}  // namespace gyr
