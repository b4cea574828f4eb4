#pragma once
// A triangle: a closed shape of three vertices, drawn in two stages (a side,
// then the third vertex) or built from three of its elements.

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
    void TrackLastVertex(CGyrView* view, const CWorldPoint& p, unsigned flags, int code) override;
};

// Constructs and finishes it: recalc, add, redraw mode 1, not collected.
CTriangle* MakeTriangle(const CWorldPoint& v0, const CWorldPoint& v1, const CWorldPoint& v2);
// Constructs it with the active document and its attributes; not added.
CTriangle* NewTriangle(const CWorldPoint& v0, const CWorldPoint& v1, const CWorldPoint& v2);

}  // namespace gyr
