#pragma once
// What the construction families share: reading picked figures as values and
// answering a press that cannot go on.

#include "math/tangent_circles.h"
#include "model/gesture_state.h"

namespace gyr {

// Whether the object is still in the gesture's document (a cut or an undo
// between the pick and the press may have taken it away).
bool IsAlive(const CGestureState& state, const CMyObj* obj);

// A circle, segment or line as the value the solvers take. False for other
// figures and for damaged ones (too few vertices).
bool ToTouchObject(const CMyObj* obj, TouchObject& out);

// The picked straight piece: a segment's or line's two points, or the side
// (k - 1, k) of another figure, k the part index modulo its vertex count.
// False when there is none or its ends coincide.
bool PickedSide(const CMyObj* obj, int part, CWorldPoint& a, CWorldPoint& b);

// A press that cannot construct: beep and give the picks up.
CMyObj* PressFailed(CGestureState& state);

}  // namespace gyr
