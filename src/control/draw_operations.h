#pragma once
// The drawing operation of each tool kind: called at a drawing-mode
// button-down with the key flags and the (snapped) world point. It returns a
// new object, which the view appends to the document and to the gesture
// list, or null when the tool made nothing (or added its objects itself).
// Each figure family implements its own; the view's tool table maps tool
// kinds to them.

#include "math/world_point.h"

namespace gyr {

class CGyrView;
class CMyObj;

using DrawOperation = CMyObj* (*)(CGyrView& view, unsigned flags, const CWorldPoint& p);

CMyObj* DrawSegmentTool(CGyrView& view, unsigned flags, const CWorldPoint& p);  // kind 10
CMyObj* DrawLineTool(CGyrView& view, unsigned flags, const CWorldPoint& p);     // kind 20
CMyObj* DrawCircleTool(CGyrView& view, unsigned flags, const CWorldPoint& p);   // kind 70
CMyObj* DrawArcTool(CGyrView& view, unsigned flags, const CWorldPoint& p);      // kind 80
CMyObj* DrawPointTool(CGyrView& view, unsigned flags, const CWorldPoint& p);    // kind 25000

CMyObj* DrawAngleTool(CGyrView& view, unsigned flags, const CWorldPoint& p);     // kind 40
CMyObj* DrawTriangleTool(CGyrView& view, unsigned flags, const CWorldPoint& p);  // kind 50

}  // namespace gyr
