#include "figures/point_obj.h"

#include <cmath>

#include "figures/nearest_intersection.h"
#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/gesture_state.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CPointObj, CCircleObj)

namespace {

// The point-mark attribute record applied as attribute kind "all".
void ApplyRecord(CShapeObj& shape, const CDrawAttr& a) {
    shape.m_bPen = a.penOn;
    shape.m_bBrush = a.brushOn;
    shape.m_logpen = {a.penStyle, a.penWidthX, a.penWidthY, a.penColor};
    shape.m_logbrush = {a.brushStyle, a.brushColor, a.hatch};
}

CPointObj* Recorded(CGestureState& state, CPointObj* point, PointOrigin origin,
                    const CMyObj* first = nullptr, const CMyObj* second = nullptr) {
    if (point && state.m_pRecorder) state.m_pRecorder->RecordPoint(*point, origin, first, second);
    return point;
}

}  // namespace

bool CPointObj::SnapToVertex(CWorldPoint& p) const {
    if (m_nPoints < 1) return false;
    if (ChebyshevDistance(m_points[0], p) >= ProgramState().params.matchDistance) return false;
    p = m_points[0];
    return true;
}

// The image of a point is a point, not the image of its little circle.
CMyObj* CPointObj::Invert(const CWorldPoint& o, double k) const {
    CWorldPoint image;
    if (m_nPoints < 1 || !InvertPoint(m_points[0], o, k, image)) return nullptr;
    return NewPoint(m_pDocument, image);
}

void CPointObj::Draw(Canvas& dc) const {
    if (m_nPoints < 2) return;
    const CWorldPoint q = m_points[0];
    if (m_nMark == 1) {
        const CWorldPoint d = m_points[1] - q, n = Perp(d);
        Canvas::PenSel oldPen = dc.SelectPen(m_bPen ? &m_logpen : nullptr);
        dc.MoveTo(WorldToPixel(q + d));
        dc.LineTo(WorldToPixel(q - d));
        dc.MoveTo(WorldToPixel(q + n));
        dc.LineTo(WorldToPixel(q - n));
        dc.RestorePen(oldPen);
        return;
    }
    Canvas::PenSel oldPen = dc.SelectPen(m_bPen ? &m_logpen : nullptr);
    Canvas::BrushSel oldBrush = dc.SelectBrush(m_bBrush ? &m_logbrush : nullptr);
    const PixelRect r = GetPixelBounds();
    const PixelPoint corner = Shifted({r.right, r.bottom}, 1, 1);
    dc.Ellipse({r.left, r.top, corner.x, corner.y});
    dc.RestorePen(oldPen);
    dc.RestoreBrush(oldBrush);
    if (m_nMark == 0) DrawCross(dc, WorldToPixel(q));
}

void CPointObj::DrawMarks(Canvas& dc) const {
    const PixelPoint c = WorldToPixel(Centre());
    dc.InvertRect(MarkRect(c));
}

double CPointObj::DistanceTo(const CWorldPoint&, int& edge) const {
    edge = -1;
    return 1e10;
}

int CPointObj::HitTest(const CWorldPoint& p) const {
    if (m_nPoints < 1) return -1;
    return std::fabs(Distance(p, m_points[0]) - m_radius) < Mapping().pixelTolerance ? 0 : -1;
}

double CPointObj::NearestVertex(const CWorldPoint& p, int& index) const {
    index = 0;
    return m_nPoints < 1 ? 1e10 : Distance(m_points[0], p);
}

void CPointObj::ExchangeFields(CFieldExchange& fx) {
    CCircleObj::ExchangeFields(fx);
    fx.I32("mark", m_nMark);
}

CPointObj* NewPoint(CGyrDoc* doc, const CWorldPoint& p) {
    const CPointMarkSettings& s = ProgramState().pointMarks;
    auto* point = new CPointObj(p, s.radius, s.mark);
    point->SetDocument(doc);
    ApplyRecord(*point, s.attr);
    point->RecalcBounds();
    return point;
}

CPointObj* AddPoint(CGyrDoc& doc, const CWorldPoint& p) {
    CPointObj* point = NewPoint(&doc, p);
    doc.AddObject(point);
    if (Host* host = FindHost()) host->Invalidate(point->GetInvalidRect());
    return point;
}

CPointObj* MakePointAt(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    CGyrDoc* doc = state.Document();
    if (!doc) return nullptr;
    const CDrawingParams& params = ProgramState().params;
    if (flags & kMkControl) {
        if (IsKeyHeld(kKeyF1))
            return Recorded(state, AddPoint(*doc, params.rotationCentre),
                            PointOrigin::RotationCentre);
        if (IsKeyHeld(kKeyF2))
            return Recorded(state, AddPoint(*doc, params.homothetyCentre),
                            PointOrigin::HomothetyCentre);
        CMyObj *first = nullptr, *second = nullptr;
        CWorldPoint x;
        if (!FindNearestIntersection(doc->Objects(), p, first, second, x)) return nullptr;
        return Recorded(state, AddPoint(*doc, x), PointOrigin::Intersection, first, second);
    }
    if (flags & kMkShift) {
        int edge = 0;
        CMyObj* shape = FindNearestShape(doc->Objects(), p, edge);
        if (!shape || !shape->IsShape()) return nullptr;
        return Recorded(state, AddPoint(*doc, static_cast<CShapeObj*>(shape)->NearestPointOn(p)),
                        PointOrigin::OnObject, shape);
    }
    return Recorded(state, AddPoint(*doc, p), PointOrigin::Free);
}

void ApplyPointMarks(CGyrDoc& doc) {
    const CPointMarkSettings& s = ProgramState().pointMarks;
    PixelRect changed;
    for (CMyObj* obj : doc.Objects()) {
        if (!obj->IsPoint() || obj->GetVertexCount() < 2) continue;
        auto* point = static_cast<CPointObj*>(obj);
        changed = changed.United(point->GetInvalidRect());
        doc.WillChange(point);
        ApplyRecord(*point, s.attr);
        point->m_nMark = s.mark;
        point->m_points[1] = point->m_points[0] + CWorldPoint{s.radius, 0};
        point->RecalcBounds();
        changed = changed.United(point->GetInvalidRect());
    }
    if (Host* host = FindHost(); host && !changed.IsEmpty()) host->Invalidate(changed);
}

int DeleteAllPointMarks(CGyrDoc& doc) {
    CObList points;
    for (CMyObj* obj : doc.Objects())
        if (obj->IsPoint()) points.push_back(obj);
    if (points.empty()) return 0;
    PixelRect changed;
    for (CMyObj* point : points) {
        changed = changed.United(point->GetInvalidRect());
        // The document also takes it out of every view's selection.
        doc.RemoveObject(point);
    }
    if (Host* host = FindHost()) host->Invalidate(changed);
    return int(points.size());
}

CMyObj* DrawPointTool(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    MakePointAt(state, flags, p);
    return nullptr;
}

}  // namespace gyr
