#pragma once
// The drawing operation of each tool: called at a drawing-mode button-down
// with the key flags and the (snapped) world point. It returns a new object,
// which the view appends to the document and to the gesture list, or null
// when the tool made nothing (or added its objects itself).
//
// The table is keyed by tool kind and code. A kind's own row (any code the
// figure's tool table knows) names the figure's drawing operation; a
// construction that picks and then draws with the pointer has a row of its
// own naming its press in src/constructions/, which makes the figures and
// gives them their drag rule.

#include "math/world_point.h"

namespace gyr {

class CGestureState;
class CMyObj;

using DrawOperation = CMyObj* (*)(CGestureState& state, unsigned flags, const CWorldPoint& p);

// Null when the tool draws nothing (after its picks, if any).
DrawOperation DrawOperationOf(int kind, int code);

}  // namespace gyr
