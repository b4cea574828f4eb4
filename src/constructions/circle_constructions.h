#pragma once
// Circles built from picked circles, lines and segments: the ones made at the
// last pick (tangent to three objects, radical axis, inversion interchanging,
// Apollonian circle) and the presses of the tools that pick and then place a
// point with the pointer (703 to 710). Their circles follow the pointer
// until the release; a position without a solution leaves them as they were.

#include "model/gesture_state.h"

namespace gyr {

// Up to 8 circles touching the three picks (lines first, then circles, each
// in picking order). False when there is none.
bool TangentCirclesTo3(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The radical axis of the two picked circles as a line; false for
// concentric circles.
bool RadicalAxisOfPicks(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The circles of the inversions, then anti-inversions, interchanging the
// first picked circle and the second pick (a line picked first is taken as
// the second object). False when none exists.
bool InversionInterchangingPicks(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The Apollonian circle of the picked segment for the ratio setting; false
// for a ratio of 1 or a circle that would have no size.
bool ApollonianCircleOfPick(CGestureState& state, unsigned flags, const CWorldPoint& p);

// The presses of the pointer tools. Each returns the pressed circle (the
// first solution; further ones are made here and join the gesture), or null
// after a beep, with the picks given up, when there is no solution or a pick
// has gone.
CMyObj* PressTangentCentred(CGestureState& state, unsigned flags, const CWorldPoint& p);
CMyObj* PressTangentCircleAt(CGestureState& state, unsigned flags, const CWorldPoint& p);
CMyObj* PressTangentThrough2(CGestureState& state, unsigned flags, const CWorldPoint& p);
CMyObj* PressTangentTo2Through1(CGestureState& state, unsigned flags, const CWorldPoint& p);
CMyObj* PressOrthogonalCentred(CGestureState& state, unsigned flags, const CWorldPoint& p);
CMyObj* PressOrthogonalTo2Through1(CGestureState& state, unsigned flags, const CWorldPoint& p);
CMyObj* PressOrthogonalThrough2(CGestureState& state, unsigned flags, const CWorldPoint& p);

}  // namespace gyr
