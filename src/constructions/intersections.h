#pragma once
// Edit -> Intersection: a point at every common point of the first two shapes
// of the selection.

#include "model/gesture_state.h"

namespace gyr {

extern const char* const kNoIntersectionMessage;

// Takes the first two shapes of the selection (points included), in
// selection order; with fewer it beeps. Adds a point to the document at
// every intersection point in the calculator's order, coincident ones
// included, or reports that there is none. Returns the number of points
// added.
int IntersectSelection(CGestureState& state);

}  // namespace gyr
