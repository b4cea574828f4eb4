#include "constructions/line_constructions.h"

#include "figures/line_obj.h"
#include "math/kernel.h"

namespace gyr {

bool MiddleOrthogonalOfSide(CGestureState& state, unsigned, const CWorldPoint&) {
    const CMyObj* obj = state.m_pPicked;
    if (!obj) return false;
    const int n = obj->GetVertexCount();
    if (n < 2) return false;
    const int s = ((state.m_nPart % n) + n) % n;
    const CWorldPoint a = obj->GetVertices()[s];
    const CWorldPoint b = obj->GetVertices()[(s + n - 1) % n];
    if (Coincide(a, b)) return false;
    const CWorldPoint m = (a + b) * 0.5;
    MakeLine(state, m, m + Perp(a - b), {});
    return true;
}

}  // namespace gyr
