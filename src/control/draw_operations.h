#pragma once
// The drawing operation of each tool kind: called at a drawing-mode
// button-down with the key flags and the (snapped) world point. It returns a
// new object, which the view appends to the document and to the gesture
// list, or null when the tool made nothing (or added its objects itself).
// Each figure implements its own beside the figure class.

#include "math/world_point.h"

namespace gyr {

class CGestureState;
class CMyObj;

using DrawOperation = CMyObj* (*)(CGestureState& state, unsigned flags, const CWorldPoint& p);

// Null when the kind draws nothing.
DrawOperation DrawOperationOf(int kind);
// Whether the kind's drawing operation makes something for the tool code
// (after the tool's picks, if any).
bool DrawsCode(int kind, int code);

}  // namespace gyr
