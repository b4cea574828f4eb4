#pragma once
// The classical elements of a picked triangle A = vertex 0, B = vertex 1,
// C = vertex 2, made at the pick as independent segments, circles and lines
// (they do not follow later changes of the triangle). Each returns false,
// having made nothing, when the triangle gives none of its elements; the
// pick rule then beeps. No element is a zero-length segment or has
// non-finite coordinates: where a degenerate triangle leaves an element
// undefined it is left out.

#include "model/gesture_state.h"

namespace gyr {

// Segments from each vertex to the midpoint of the opposite side, A first.
bool MediansOfPick(CGestureState& state, unsigned flags, const CWorldPoint& p);
// Segments from each vertex to the foot of its perpendicular on the
// opposite side's line (outside the side for an obtuse triangle).
bool HeightsOfPick(CGestureState& state, unsigned flags, const CWorldPoint& p);
// Segments from each vertex along the internal bisector to the opposite
// side. Nothing when a side is shorter than the geometric tolerance.
bool BisectorsOfPick(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The circle through the three side midpoints (nine-point circle).
bool EulerCircleOfPick(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The line through the centroid and the orthocentre; nothing when the two
// coincide (equilateral) or the heights do not meet.
bool EulerLineOfPick(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The ex-circles opposite C, B and A, then the in-circle.
bool InscribedCirclesOfPick(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The circumcircle (for an obtuse triangle not the smallest enclosing one).
bool EnclosingCircleOfPick(CGestureState& state, unsigned flags, const CWorldPoint& p);

}  // namespace gyr
