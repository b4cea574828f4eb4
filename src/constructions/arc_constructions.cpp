#include "constructions/arc_constructions.h"

#include "figures/angle_obj.h"
#include "figures/arc_obj.h"
#include "math/kernel.h"

namespace gyr {

bool ArcOnPickedAngle(CGestureState& state, unsigned, const CWorldPoint& p) {
    CWorldPoint o, a, b;
    if (!state.m_pPicked || !CornerAt(*state.m_pPicked, state.m_nPart, o, a, b)) return false;
    CWorldPoint pa, pb;
    if (!ObliqueProjection(p, o, a, b, pa) || !ObliqueProjection(p, o, b, a, pb)) return false;
    // Each arm is turned through the apex when p lies on its other side.
    if ((pa - o).Dot(a - o) < 0) a = o * 2 - a;
    if ((pb - o).Dot(b - o) < 0) b = o * 2 - b;
    const double radius = Distance(o, p);
    if (radius < kGeomEps) return false;
    auto* arc = new CArcObj(o, a, b);
    if (arc->m_radius < kGeomEps) {
        delete arc;
        return false;
    }
    for (int i = 1; i <= 3; ++i) arc->m_points[i] = PointAlong(o, o, arc->m_points[i], radius);
    arc->Finish(state, {});
    return true;
}

}  // namespace gyr
