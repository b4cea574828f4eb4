#pragma once
// Constructions on angles and on the corners of figures: division of an
// angle, and the adjacent and supplementary angles of the F8/F9 keys.

#include "model/gesture_state.h"

namespace gyr {

// Segments from the apex that divide the angle between the rays towards p and
// q into n equal parts (added, not collected). Returns how many were made.
int DivideAngle(CGestureState& state, const CWorldPoint& apex, const CWorldPoint& p,
                const CWorldPoint& q, int n);

// "Divide angle": the corner at the picked vertex, in the number of parts of
// the drawing parameters.
bool DividePickedAngle(CGestureState& state, unsigned flags, const CWorldPoint& p);

// F8 and F9 on a selected angle: the adjacent angle, with Ctrl (in the key
// flags) the supplementary one, becomes the selection. False when obj is not
// an angle with its three vertices.
bool AngleVariantKey(CGestureState& state, const CMyObj& obj, int key, unsigned flags);

}  // namespace gyr
