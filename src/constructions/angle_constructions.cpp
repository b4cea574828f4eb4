#include "constructions/angle_constructions.h"

#include "figures/angle_obj.h"
#include "figures/segment_obj.h"
#include "math/division.h"
#include "model/program_state.h"

namespace gyr {

int DivideAngle(CGestureState& state, const CWorldPoint& apex, const CWorldPoint& p,
                const CWorldPoint& q, int n) {
    int made = 0;
    for (const CWorldPoint& end : AngleDivisionPoints(apex, p, q, n)) {
        MakeSegment(state, apex, end, {});
        ++made;
    }
    return made;
}

bool DividePickedAngle(CGestureState& state, unsigned, const CWorldPoint&) {
    CWorldPoint apex, first, second;
    if (!state.m_pPicked || !CornerAt(*state.m_pPicked, state.m_nPart, apex, first, second))
        return false;
    return DivideAngle(state, apex, first, second, ProgramState().params.divideAngleParts) > 0;
}

bool AngleVariantKey(CGestureState& state, const CMyObj& obj, int key, unsigned flags) {
    if (!obj.IsAngle() || obj.GetVertexCount() < 3) return false;
    const auto& angle = static_cast<const CAngle&>(obj);
    return ((flags & kMkControl) ? angle.SupplementaryAngle(state, key)
                                 : angle.AdjacentAngle(state, key)) != nullptr;
}

}  // namespace gyr
