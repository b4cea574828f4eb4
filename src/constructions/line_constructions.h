#pragma once
// Lines and segments built from picked figures: the middle orthogonal,
// common tangents, the diagonal triangle, the division into parts, and the
// presses of the tools that pick and then draw with the pointer (parallel,
// orthogonal, tangents from a point, tangent at a circle point). Kind 10
// makes segments, kind 20 lines.

#include "model/gesture_state.h"

namespace gyr {

// The middle orthogonal of the side picked (part index s): of vertices s and
// s - 1 (cyclically) of the picked figure, through their middle. False when
// there is no such side.
bool MiddleOrthogonalOfSide(CGestureState& state, unsigned flags, const CWorldPoint& p);

// The common tangents of the first and the last picked circle, outer ones
// first, each from its point on the larger circle to its point on the
// smaller. False (nothing made) when they have none.
bool CommonTangentsOfPicks(CGestureState& state, unsigned flags, const CWorldPoint& p);

// The three sides of the diagonal triangle of the two picked segments.
bool DiagonalTriangleOfPicks(CGestureState& state, unsigned flags, const CWorldPoint& p);

// Points dividing the picked segment or side in the number of parts of the
// drawing parameters, or that many points on the picked circle,
// counter-clockwise from its point nearest the (snapped) click.
bool DivideInParts(CGestureState& state, unsigned flags, const CWorldPoint& p);

// The presses of the pointer constructions on the picked figure (stage 1):
// a new figure that then follows the pointer, or null (beep) when the press
// has no solution or the pick has gone.
CMyObj* PressParallel(CGestureState& state, unsigned flags, const CWorldPoint& p);
// Without Shift the perpendicular dropped from the pointer; with Shift the
// one raised at the press point.
CMyObj* PressOrthogonal(CGestureState& state, unsigned flags, const CWorldPoint& p);
// Both tangents from the press point: the pressed figure to the first point
// of contact, a second one (made here) to the other.
CMyObj* PressTangentsFrom(CGestureState& state, unsigned flags, const CWorldPoint& p);
CMyObj* PressTangentAt(CGestureState& state, unsigned flags, const CWorldPoint& p);

// Shift with "Ratio (golden)": the ratio setting becomes |v0v1| / |v1v2| of
// the first selected angle. False (unchanged) without one or with a second
// arm shorter than kGeomEps.
bool RatioFromSelectedAngle(CGestureState& state);

}  // namespace gyr
