#pragma once
// A triangle: a closed shape of three vertices, drawn in two stages (a side,
// then the third vertex) or built from three of its elements.

#include "model/gesture_state.h"
#include "model/shape_obj.h"

namespace gyr {

class CTriangle : public CShapeObj {
    GYR_DECLARE_CLASS(CTriangle)
public:
    CTriangle() = default;
    CTriangle(const CWorldPoint& v0, const CWorldPoint& v1, const CWorldPoint& v2);

    bool IsTriangle() const override { return true; }
    // V2 coincides with V1 or with V0.
    bool IsDegenerate() const override;
    // The plain tool only: V2 follows the pointer; Shift keeps it on the middle
    // perpendicular of V0V1 (isosceles), Ctrl on the circle over V0V1 (right
    // angle at V2).
    void TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags,
                         int code) override;
};

// Constructs and finishes it in the gesture's document: recalc, add, a
// repaint request, not collected.
CTriangle* MakeTriangle(CGestureState& state, const CWorldPoint& v0, const CWorldPoint& v1,
                        const CWorldPoint& v2);
// Constructs it with the document and its attributes; not added.
CTriangle* NewTriangle(CGyrDoc* doc, const CWorldPoint& v0, const CWorldPoint& v1,
                       const CWorldPoint& v2);
// The drawing operation of the triangle tool.
CMyObj* DrawTriangleTool(CGestureState& state, unsigned flags, const CWorldPoint& p);

}  // namespace gyr
