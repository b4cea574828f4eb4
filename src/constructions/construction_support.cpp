#include "constructions/construction_support.h"

#include <cmath>

#include "figures/circle_obj.h"
#include "math/kernel.h"
#include "model/document.h"

namespace gyr {

bool IsAlive(const CGestureState& state, const CMyObj* obj) {
    const CGyrDoc* doc = state.Document();
    return obj && doc && ListContains(doc->Objects(), obj);
}

bool ToTouchObject(const CMyObj* obj, TouchObject& out) {
    if (!obj) return false;
    if (obj->IsCircle()) {
        const auto* circle = static_cast<const CCircleObj*>(obj);
        if (circle->GetVertexCount() < 1 || !std::isfinite(circle->m_radius)) return false;
        out = TouchObject::Circle(circle->Centre(), std::fabs(circle->m_radius));
        return true;
    }
    if (obj->IsSegment() || obj->IsLine()) {
        if (obj->GetVertexCount() < 2) return false;
        const CWorldPoint* v = obj->GetVertices();
        if (IsDegenerateLine(v[0], v[1])) return false;
        out = TouchObject::Line(v[0], v[1]);
        return true;
    }
    return false;
}

bool PickedSide(const CMyObj* obj, int part, CWorldPoint& a, CWorldPoint& b) {
    if (!obj) return false;
    const int n = obj->GetVertexCount();
    if (n < 2) return false;
    const CWorldPoint* v = obj->GetVertices();
    if (obj->IsSegment() || obj->IsLine()) {
        a = v[0];
        b = v[1];
    } else {
        const int k = ((part % n) + n) % n;
        a = v[(k + n - 1) % n];
        b = v[k];
    }
    return !Coincide(a, b);
}

CMyObj* PressFailed(CGestureState& state) {
    state.Beep();
    state.m_nStage = 0;
    return nullptr;
}

}  // namespace gyr
