#pragma once
// Lines and segments built from picked figures.

#include "model/gesture_state.h"

namespace gyr {

// The middle orthogonal of the side picked (part index s): of vertices s and
// s - 1 (cyclically) of the picked figure, through their middle. False when
// there is no such side.
bool MiddleOrthogonalOfSide(CGestureState& state, unsigned flags, const CWorldPoint& p);

}  // namespace gyr
