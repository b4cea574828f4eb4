#include "figures/triangle_obj.h"

#include "figures/angle_obj.h"
#include "figures/segment_obj.h"
#include "math/kernel.h"
#include "model/gesture_state.h"
#include "model/obj_list.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CTriangle, CShapeObj)

CTriangle::CTriangle(const CWorldPoint& v0, const CWorldPoint& v1, const CWorldPoint& v2)
    : CShapeObj(3) {
    m_points[0] = v0;
    m_points[1] = v1;
    m_points[2] = v2;
    m_bSelected = 0;
}

bool CTriangle::IsDegenerate() const {
    if (m_nPoints < 3) return true;
    return Coincide(m_points[1], m_points[2]) || Coincide(m_points[0], m_points[2]);
}

void CTriangle::TrackLastVertex(CGestureState&, const CWorldPoint& p, unsigned flags, int code) {
    if (code != kCodePlain || m_nPoints < 3) return;
    const CWorldPoint a = m_points[0], b = m_points[1];
    const CWorldPoint middle = (a + b) * 0.5;
    CWorldPoint apex = p;
    if (flags & kMkShift)
        apex = FootOfPerpendicular(p, middle, middle + Perp(b - a));
    else if (flags & kMkControl)
        apex = NearestPointOnCircle(p, middle, Distance(a, b) / 2);
    m_points[2] = apex;
}

CTriangle* MakeTriangle(CGestureState& state, const CWorldPoint& v0, const CWorldPoint& v1,
                        const CWorldPoint& v2) {
    auto* triangle = new CTriangle(v0, v1, v2);
    triangle->Finish(state, {});
    return triangle;
}

CTriangle* NewTriangle(CGyrDoc* doc, const CWorldPoint& v0, const CWorldPoint& v1,
                       const CWorldPoint& v2) {
    auto* triangle = new CTriangle(v0, v1, v2);
    triangle->SetDocument(doc);
    triangle->RecalcBounds();
    return triangle;
}

// Stage 0 draws the first side; stage 1 turns it into a triangle whose third
// vertex follows the pointer.
CMyObj* DrawTriangleTool(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    if (state.m_nStage == 0) return StartFirstSide(state, flags, p);
    CWorldPoint a, b;
    if (!TakeFirstSide(state, a, b)) return nullptr;
    auto* triangle = new CTriangle(a, b, p);
    triangle->SetDocument(state.Document());
    triangle->RecalcBounds();
    return triangle;
}

}  // namespace gyr
