#pragma once
// Circle constructions on plain values (points, radii), shared by the arc
// tools, the circle constructions and the locus script: no drawing object is
// read or written here. Like the kernel, each answers "no solution" with false
// and leaves its out-parameters unchanged then.

#include "math/world_point.h"

namespace gyr {

// The point where the middle orthogonal of pq meets line ab: the centre of the
// circle through p and q whose centre lies on ab. False when p and q coincide,
// ab is degenerate or the two lines count as parallel.
bool MiddleOrthogonalMeetsLine(const CWorldPoint& p, const CWorldPoint& q, const CWorldPoint& a,
                               const CWorldPoint& b, CWorldPoint& centre);

// The circle centred at p orthogonal to circle (c, r): radius the tangent
// length from p. False when p is at the centre, on the circle or inside it.
bool OrthogonalCircleCentred(const CWorldPoint& p, const CWorldPoint& c, double r, double& radius);

// The circle through p orthogonal to two lines: centred at their crossing.
// False for parallel lines.
bool OrthogonalCircleToLines(const CWorldPoint& p, const CWorldPoint& a1, const CWorldPoint& b1,
                             const CWorldPoint& a2, const CWorldPoint& b2, CWorldPoint& centre,
                             double& radius);

// The circle through p orthogonal to the circles (c1, r1) and (c2, r2). False
// when p lies on the line of centres, or when a needed inverse, tangent or
// crossing does not exist.
bool OrthogonalCircleToCircles(const CWorldPoint& p, const CWorldPoint& c1, double r1,
                               const CWorldPoint& c2, double r2, CWorldPoint& centre,
                               double& radius);

// The circle through p orthogonal to circle (c, r) and to line ab. A line
// through c: the centre lies on it, halfway (in the middle-orthogonal sense)
// between p and its inverse. Otherwise the circle is orthogonal to (c, r) and
// to its mirror image in ab, and so to ab itself.
bool OrthogonalCircleToCircleAndLine(const CWorldPoint& p, const CWorldPoint& c, double r,
                                     const CWorldPoint& a, const CWorldPoint& b,
                                     CWorldPoint& centre, double& radius);

}  // namespace gyr
