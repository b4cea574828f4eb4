#include "constructions/isoptic_constructions.h"

#include "figures/isoptic_obj.h"
#include "math/isoptic.h"
#include "model/document.h"

namespace gyr {

namespace {

bool Shown(CGestureState& state, CIsoptic* obj) {
    if (!obj) return false;
    state.Repaint(obj->GetInvalidRect());
    return true;
}

}  // namespace

bool IsopticThroughSegments(CGestureState& state, unsigned, const CWorldPoint&) {
    const CMyObj* first = state.m_pFirstPicked;
    const CMyObj* second = state.m_pPicked;
    if (!first || !second || first == second || !first->IsSegment() || !second->IsSegment() ||
        first->GetVertexCount() < 2 || second->GetVertexCount() < 2)
        return false;
    const CWorldPoint* ab = first->GetVertices();
    const CWorldPoint* cd = second->GetVertices();
    return Shown(state, AddIsopticThrough(state.Document(), ab[0], ab[1], cd[0], cd[1]));
}

bool IsopticOfAngle(CGestureState& state, unsigned, const CWorldPoint&) {
    const CMyObj* angle = state.m_pPicked;
    if (!angle || !angle->IsAngle() || angle->GetVertexCount() < 3) return false;
    const CWorldPoint* v = angle->GetVertices();
    return Shown(state, AddIsoptic(state.Document(), DefineAngleIsoptic(v[0], v[1], v[2])));
}

}  // namespace gyr
