#include "constructions/transform_copies.h"

#include <cmath>
#include <functional>

#include "figures/angle_obj.h"
#include "figures/circle_obj.h"
#include "figures/segment_obj.h"
#include "math/kernel.h"
#include "model/document.h"
#include "model/program_state.h"

namespace gyr {

namespace {

// Makes each selected object's image, adds the finite ones and selects them.
int AddImages(CGestureState& state, const std::function<CMyObj*(const CMyObj&)>& image) {
    CGyrDoc* doc = state.Document();
    if (!doc) return 0;
    PixelRect dirty = state.SelectionRect();
    CObList copies;
    const CObList sources = state.m_selection;
    for (const CMyObj* src : sources) {
        if (doc->PlaceOf(src) < 0) continue;
        CMyObj* copy = image(*src);
        if (!copy) continue;
        copy->m_bSelected = 0;
        copy->m_pDocument = doc;  // SetDocument would restyle shapes
        copy->RecalcBounds();
        if (!IsFiniteObject(*copy)) {
            delete copy;
            continue;
        }
        doc->AddObject(copy);
        copies.push_back(copy);
        dirty = dirty.United(copy->GetInvalidRect());
    }
    if (copies.empty()) return 0;
    state.DeselectAll();
    for (CMyObj* copy : copies) state.Select(copy);
    state.Repaint(dirty);
    return int(copies.size());
}

CMyObj* FirstSelected(const CGestureState& state, bool (CMyObj::*test)() const) {
    for (CMyObj* obj : state.m_selection)
        if ((obj->*test)() && obj->GetVertexCount() >= 2) return obj;
    return nullptr;
}

}  // namespace

bool IsFiniteObject(const CMyObj& obj) {
    if (!IsFinitePoint(obj.m_leftTop) || !IsFinitePoint(obj.m_rightBottom)) return false;
    const CWorldPoint* v = obj.GetVertices();
    for (int i = 0; v && i < obj.GetVertexCount(); ++i)
        if (!IsFinitePoint(v[i])) return false;
    return true;
}

int CopySelection(CGestureState& state, CopyKind kind) {
    const CDrawingParams& params = ProgramState().params;
    return AddImages(state, [&](const CMyObj& src) {
        CMyObj* copy = src.Clone();
        switch (kind) {
            case CopyKind::Duplicate:
                copy->Offset(params.translation);
                break;
            case CopyKind::Rotate:
                copy->Rotate(params.rotationCentre, params.rotationAngle);
                break;
            case CopyKind::Homothety:
                copy->Homothety(params.homothetyCentre, params.homothetyModulus);
                break;
        }
        return copy;
    });
}

bool CopyParamsFromSelection(CGestureState& state, CopyKind kind) {
    CDrawingParams& params = ProgramState().params;
    if (kind == CopyKind::Rotate) {
        const CMyObj* angle = FirstSelected(state, &CMyObj::IsAngle);
        if (!angle || angle->GetVertexCount() < 3) return false;
        params.rotationCentre = angle->GetVertices()[1];
        params.rotationAngle = static_cast<const CAngle*>(angle)->GetAngleValue();
        return true;
    }
    const CMyObj* segment = FirstSelected(state, &CMyObj::IsSegment);
    if (!segment) return false;
    const CWorldPoint a = segment->GetVertices()[0], b = segment->GetVertices()[1];
    if (kind == CopyKind::Duplicate) {
        params.translation = b - a;
    } else {
        params.homothetyCentre = a;
        params.homothetyModulus = Distance(a, b);
    }
    return true;
}

bool ReflectSelection(CGestureState& state, unsigned, const CWorldPoint&) {
    const CMyObj* mirror = state.m_pFirstPicked;
    if (!mirror || !mirror->GetVertices() || mirror->GetVertexCount() < 2) return false;
    const int n = mirror->GetVertexCount();
    CWorldPoint a = mirror->GetVertices()[0], b = mirror->GetVertices()[1];
    // A figure's side k runs from vertex k - 1 to vertex k (mod count).
    if (!(mirror->IsSegment() || mirror->IsLine())) {
        const int k = state.m_nPart;
        if (k < 1 || k > n) return false;
        a = mirror->GetVertices()[k - 1];
        b = mirror->GetVertices()[k % n];
    }
    if (Distance(a, b) < kGeomEps) return false;
    return AddImages(state, [&](const CMyObj& src) {
               CMyObj* copy = src.Clone();
               copy->Reflect(a, b);
               return copy;
           }) > 0;
}

bool InvertSelection(CGestureState& state, unsigned flags, const CWorldPoint&) {
    const CMyObj* circle = state.m_pFirstPicked;
    if (!circle || !circle->IsCircle() || circle->GetVertexCount() < 2) return false;
    const auto* c = static_cast<const CCircleObj*>(circle);
    const CWorldPoint centre = c->GetVertices()[0];
    double radius = c->m_radius;
    if (!(radius > kGeomEps)) return false;
    if (flags & kMkControl) radius = -radius;
    return AddImages(state, [&](const CMyObj& src) -> CMyObj* {
               if (!src.IsLineOrCircle() || &src == circle) return nullptr;
               return src.Invert(centre, radius);
           }) > 0;
}

}  // namespace gyr
