#pragma once
// Arcs built from picked figures.

#include "model/gesture_state.h"

namespace gyr {

// "Arc on angle": the arc about the corner picked (an angle, or the vertex
// m_nPart of a polygon) through p, drawn in the one of the four angles the
// two arm lines make at the apex that contains p. False (a beep) when the
// arms are parallel or p lies on the apex.
bool ArcOnPickedAngle(CGestureState& state, unsigned flags, const CWorldPoint& p);

}  // namespace gyr
