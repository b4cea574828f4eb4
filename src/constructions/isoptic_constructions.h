#pragma once
// Isoptic cubics from picked figures: through two segments, and the singular
// cubic of an angle. The cubic is added to the document and shown at once.

#include "model/gesture_state.h"

namespace gyr {

// A and B are the ends of the first picked segment, C and D those of the
// second. False when no cubic could be built.
bool IsopticThroughSegments(CGestureState& state, unsigned flags, const CWorldPoint& p);

// The singular cubic of the picked angle (its apex the node). False when
// there is none.
bool IsopticOfAngle(CGestureState& state, unsigned flags, const CWorldPoint& p);

}  // namespace gyr
