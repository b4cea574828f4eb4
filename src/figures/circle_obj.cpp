#include "figures/circle_obj.h"

#include <cmath>
#include <numbers>

#include "figures/line_obj.h"
#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/gesture_state.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CCircleObj, CShapeObj)

namespace {

// The press step of a circle tool: a new circle or null; the drag step moves
// the circle with the pointer.
struct CircleTool {
    int code;
    CMyObj* (*press)(CGestureState& state, unsigned flags, const CWorldPoint& p);
    void (*drag)(CCircleObj& circle, CGestureState& state, const CWorldPoint& p, unsigned flags);
};

CCircleObj* PressedCircle(CGestureState& state, const CWorldPoint& p) {
    auto* circle = new CCircleObj(p, 0);
    circle->SetDocument(state.Document());
    circle->m_q1 = p;
    circle->RecalcBounds();
    return circle;
}

// Centre at the press, or with Ctrl on the diameter from the press point.
CMyObj* PressGeneral(CGestureState& state, unsigned, const CWorldPoint& p) {
    return PressedCircle(state, p);
}

void DragOnDiameter(CCircleObj& c, const CWorldPoint& p) {
    c.m_points[0] = (c.m_q1 + p) * 0.5;
    c.m_points[1] = p;
}

void DragGeneral(CCircleObj& c, CGestureState&, const CWorldPoint& p, unsigned flags) {
    if (flags & kMkControl) {
        DragOnDiameter(c, p);
    } else {
        c.m_points[0] = c.m_q1;
        c.m_points[1] = p;
    }
}

// Stage 0 draws on a diameter; stage 1 takes over the circle of stage 0, whose
// radius point and opposite end become two of the three points.
CMyObj* PressThreePoints(CGestureState& state, unsigned, const CWorldPoint& p) {
    CGyrDoc* doc = state.Document();
    CMyObj* picked = state.m_pPicked;
    const bool continues = state.m_nStage == 1 && picked && picked->IsCircle() && doc &&
                           ListContains(doc->Objects(), picked) && picked->GetVertexCount() >= 2;
    if (!continues) {
        state.m_nStage = 0;
        state.m_pPicked = nullptr;
        return PressedCircle(state, p);
    }
    auto* old = static_cast<CCircleObj*>(picked);
    const CWorldPoint centre = old->m_points[0];
    const CWorldPoint g2 = old->m_points[1];
    const CWorldPoint g1 = g2 + UnitVector(g2, centre) * (2 * old->m_radius);
    CWorldPoint c;
    double r;
    if (!CircleThrough3Points(g1, g2, p, c, r)) {
        state.m_nStage = 0;
        state.m_pPicked = nullptr;
        return nullptr;
    }
    auto* circle = new CCircleObj(centre, 0);
    circle->SetDocument(doc);
    circle->m_points[1] = g2;
    circle->m_q1 = g1;
    circle->m_q2 = g2;
    circle->m_nPressStage = 1;
    circle->RecalcBounds();
    state.Repaint(old->GetInvalidRect());
    doc->RemoveObject(old);
    return circle;
}

void DragThreePoints(CCircleObj& c, CGestureState&, const CWorldPoint& p, unsigned) {
    if (c.m_nPressStage == 0) {
        DragOnDiameter(c, p);
        return;
    }
    CWorldPoint centre;
    double r;
    if (!CircleThrough3Points(c.m_q1, c.m_q2, p, centre, r)) return;
    c.m_points[0] = centre;
    c.m_points[1] = p;
}

// The circle tools that need no pick.
const CircleTool kCircleTools[] = {
    {kCodePlain, PressGeneral, DragGeneral},
    {kCodeThreePoints, PressThreePoints, DragThreePoints},
};

const CircleTool* FindCircleTool(int code) {
    for (const CircleTool& t : kCircleTools)
        if (t.code == code) return &t;
    return nullptr;
}

}  // namespace

CCircleObj::CCircleObj(const CWorldPoint& centre, double radius) : CShapeObj(2), m_radius(radius) {
    m_points[0] = centre;
    m_points[1] = centre + CWorldPoint{radius, 0};
    m_bSelected = 0;
}

void CCircleObj::RecalcBounds() {
    if (m_nPoints < 2) return;
    const CWorldPoint c = m_points[0];
    m_radius = Distance(c, m_points[1]);
    m_leftTop = {c.x - m_radius, c.y + m_radius};
    m_rightBottom = {c.x + m_radius, c.y - m_radius};
}

void CCircleObj::TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags,
                                 int code) {
    if (m_nPoints < 2 || FollowPointer(state, p, flags)) return;
    if (const CircleTool* tool = FindCircleTool(code))
        tool->drag(*this, state, p, flags);
    else
        CShapeObj::TrackLastVertex(state, p, flags, code);
}

void CCircleObj::EndTrack(CGestureState& state, unsigned flags, const CWorldPoint&) {
    StopFollowing();
    const int code = state.m_nToolCode;
    if (state.m_pRecorder) state.m_pRecorder->RecordCircle(*this, code);
    if (code == kCodeThreePoints) {
        // The circle of stage 0 is the object of stage 1; stage 1 ends it.
        state.m_nStage = m_nPressStage == 0 ? 1 : 0;
        state.m_pPicked = m_nPressStage == 0 ? this : nullptr;
    } else if (code >= kCodeTangentCentred && code <= kCodeOrthogonalThrough2 &&
               (flags & kMkControl)) {
        state.m_nStage = 0;
    }
}

void CCircleObj::Homothety(const CWorldPoint& c, double k) {
    CShapeObj::Homothety(c, k);
    // A radius is a length: a negative ratio turns the circle, it does not
    // make the radius negative.
    m_radius *= std::fabs(k);
}

CMyObj* CCircleObj::Invert(const CWorldPoint& o, double k) const {
    if (m_nPoints < 2) return nullptr;
    const CWorldPoint c = m_points[0];
    if (std::fabs(Distance(c, o) - m_radius) < kGeomEps) {
        CWorldPoint a, b;
        if (!InvertCircleThroughCentre(c, o, k, a, b)) return nullptr;
        return NewLine(m_pDocument, a, b);
    }
    CWorldPoint centre;
    double radius;
    if (!InvertCircle(c, m_radius, o, k, centre, radius)) return nullptr;
    CCircleObj* image = NewCircle(m_pDocument, centre, radius);
    image->RecalcBounds();
    return image;
}

CWorldPoint CCircleObj::GetDuplicateOffset(int key) const {
    if (IsKeyHeld(kKeyControl) || m_nPoints < 2) return CShapeObj::GetDuplicateOffset(key);
    const CWorldPoint v = (m_points[1] - m_points[0]) * 2;
    switch (key) {
        case kKeyLeft:
            return -v;
        case kKeyUp:
            return Perp(v);
        case kKeyDown:
            return -Perp(v);
        default:
            return v;
    }
}

void CCircleObj::Draw(Canvas& dc) const {
    if (m_nPoints < 2) return;
    Canvas::PenSel oldPen = dc.SelectPen(m_bPen ? &m_logpen : nullptr);
    Canvas::BrushSel oldBrush = dc.SelectBrush(m_bBrush ? &m_logbrush : nullptr);
    if (NeedsTrueCircle(Centre(), m_radius)) {
        // Beyond the platform ellipse's reach: the disc and the circle cut
        // to the window, filled without a pen and then stroked.
        if (m_bBrush) {
            const std::vector<PixelPoint> disc = DiscPixels(Centre(), m_radius);
            if (disc.size() >= 3) {
                Canvas::PenSel stroke = dc.SelectPen(nullptr);
                dc.Polygon(disc.data(), int(disc.size()));
                dc.RestorePen(stroke);
            }
        }
        if (m_bPen) {
            for (const auto& run : CirclePixelRuns(Centre(), m_radius, {}, 2 * std::numbers::pi))
                dc.Polyline(run.data(), int(run.size()));
        }
    } else {
        PixelRect r = GetPixelBounds();
        const PixelPoint corner = Shifted({r.right, r.bottom}, 1, 1);
        dc.Ellipse({r.left, r.top, corner.x, corner.y});
    }
    dc.RestorePen(oldPen);
    dc.RestoreBrush(oldBrush);
    DrawCentreMark(dc);
}

void CCircleObj::DrawCentreMark(Canvas& dc) const {
    // A centre beyond the window is nowhere to be seen, and its pixel would
    // be a saturated one.
    if (!IsInDrawWindow(Centre())) return;
    const LogPen black{kPenSolid, 1, 0, 0};
    Canvas::PenSel old = dc.SelectPen(&black);
    DrawCross(dc, WorldToPixel(Centre()));
    dc.RestorePen(old);
}

double CCircleObj::DistanceTo(const CWorldPoint& p, int& edge) const {
    edge = -1;
    if (m_nPoints < 2) return 1e10;
    return DistanceToCircle(p, m_points[0], m_radius);
}

int CCircleObj::HitVertex(const CWorldPoint& p, int n) const {
    for (int i = 0; i < n && i < m_nPoints; ++i)
        if (SamePoint(m_points[i], p)) return i + 1;
    return 0;
}

int CCircleObj::HitTest(const CWorldPoint& p) const {
    if (m_nPoints < 2) return -1;
    if (int k = HitVertex(p, 2)) return k;
    return DistanceToCircle(p, m_points[0], m_radius) < Mapping().pixelTolerance ? 0 : -1;
}

CWorldPoint CCircleObj::RandomPoint() const {
    Host* host = FindHost();
    const double theta = (host ? host->Random() : 0) * std::numbers::pi * (2.0 / 32767);
    return Centre() + CWorldPoint{std::cos(theta), std::sin(theta)} * m_radius;
}

CWorldPoint CCircleObj::NearestPointOn(const CWorldPoint& p) const {
    return NearestPointOnCircle(p, Centre(), m_radius);
}

void CCircleObj::ExchangeFields(CFieldExchange& fx) {
    CShapeObj::ExchangeFields(fx);
    fx.F64("radius", m_radius);
}

CCircleObj* NewCircle(CGyrDoc* doc, const CWorldPoint& centre, double radius) {
    auto* circle = new CCircleObj(centre, radius);
    circle->SetDocument(doc);
    return circle;
}

CCircleObj* MakeCircle(CGestureState& state, const CWorldPoint& centre, double radius,
                       const CFinish& how) {
    CCircleObj* circle = NewCircle(state.Document(), centre, radius);
    circle->Finish(state, how);
    return circle;
}

void DrawCross(Canvas& dc, PixelPoint c) {
    // A pixel size: printed, the cross keeps its size relative to the sheet.
    const double g = Mapping().generalScale;
    const int a = TruncToInt(4 * g), b = TruncToInt(5 * g);
    dc.MoveTo(Shifted(c, -a, 0));
    dc.LineTo(Shifted(c, b, 0));
    dc.MoveTo(Shifted(c, 0, -a));
    dc.LineTo(Shifted(c, 0, b));
}

bool CircleToolDraws(int code) {
    return FindCircleTool(code) != nullptr;
}

CMyObj* DrawCircleTool(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    const CircleTool* tool = FindCircleTool(state.m_nToolCode);
    return tool ? tool->press(state, flags, p) : nullptr;
}

}  // namespace gyr
