#include "figures/arc_obj.h"

#include <cmath>
#include <numbers>

#include "figures/segment_obj.h"
#include "math/circle_helpers.h"
#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/gesture_state.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CArcObj, CCircleObj)

namespace {

// The boundary of the half-plane model.
constexpr CWorldPoint kAxisA{0, 0};
constexpr CWorldPoint kAxisB{1, 0};

struct ArcTool {
    int code;
    CMyObj* (*press)(CGestureState& state, unsigned flags, const CWorldPoint& p);
    void (*drag)(CArcObj& arc, const CWorldPoint& p, unsigned flags);
};

CArcObj* NewArcAt(CGestureState& state, const CWorldPoint& p, double sweep) {
    auto* arc = new CArcObj(p, p, p);
    arc->SetDocument(state.Document());
    arc->m_sweep = sweep;
    arc->m_q1 = p;
    arc->RecalcBounds();
    return arc;
}

// A press that finds no solution creates nothing and abandons the picks.
CMyObj* Refuse(CGestureState& state) {
    state.m_nStage = 0;
    return nullptr;
}

// The arc picked at stage 0, while it is still in the document.
const CArcObj* PickedArc(CGestureState& state) {
    CMyObj* picked = state.m_pPicked;
    CGyrDoc* doc = state.Document();
    if (!picked || !picked->IsArc() || !doc || !ListContains(doc->Objects(), picked) ||
        picked->GetVertexCount() < 4)
        return nullptr;
    return static_cast<const CArcObj*>(picked);
}

// Stage 0 draws the radius as a segment; stage 1 turns that segment into an
// arc of sweep 0 whose end then follows the pointer.
CMyObj* PressSimpleArc(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    if (state.m_nStage == 0) return StartFirstSide(state, flags, p);
    CWorldPoint centre, start;
    if (!TakeFirstSide(state, centre, start)) return nullptr;
    auto* arc = new CArcObj(centre, start, start);
    arc->SetDocument(state.Document());
    arc->RecalcBounds();
    return arc;
}

void DragSimpleArc(CArcObj& arc, const CWorldPoint& p, unsigned) {
    arc.TurnEnd(2, p);
}

CMyObj* PressHalfCircle(CGestureState& state, unsigned, const CWorldPoint& p) {
    return NewArcAt(state, p, std::numbers::pi);
}

// Without Ctrl the press point is the end, with Ctrl the centre; the pointer
// is the start and the half circle runs counter-clockwise from it.
void DragHalfCircle(CArcObj& arc, const CWorldPoint& p, unsigned flags) {
    const CWorldPoint g = arc.m_q1;
    CWorldPoint centre, end;
    if (flags & kMkControl) {
        centre = g;
        end = g * 2 - p;
    } else {
        centre = (g + p) * 0.5;
        end = g;
    }
    arc.m_points[0] = centre;
    arc.m_points[1] = p;
    arc.m_points[2] = end;
    arc.m_points[3] = centre + Perp(p - centre);
    arc.m_sweep = std::numbers::pi;
}

void SetUpperHalf(CArcObj& arc, const CWorldPoint& centre, double r) {
    arc.m_points[0] = centre;
    arc.m_points[1] = centre + CWorldPoint{r, 0};
    arc.m_points[2] = centre - CWorldPoint{r, 0};
    arc.m_points[3] = centre + CWorldPoint{0, r};
    arc.m_sweep = std::numbers::pi;
}

CMyObj* PressHyperbolicLine(CGestureState& state, unsigned, const CWorldPoint& g) {
    const double r = std::fabs(g.y);
    if (r < kGeomEps) return nullptr;
    CArcObj* arc = NewArcAt(state, g, std::numbers::pi);
    SetUpperHalf(*arc, {g.x, 0}, r);
    arc->RecalcBounds();
    return arc;
}

// The centre on the boundary of the circle through g and p.
bool CentreOnAxis(const CWorldPoint& g, const CWorldPoint& p, CWorldPoint& centre) {
    return MiddleOrthogonalMeetsLine(g, p, kAxisA, kAxisB, centre) &&
           Distance(centre, g) >= kGeomEps;
}

void DragHyperbolicLine(CArcObj& arc, const CWorldPoint& p, unsigned) {
    CWorldPoint centre;
    if (!CentreOnAxis(arc.m_q1, p, centre)) return;
    SetUpperHalf(arc, centre, Distance(centre, arc.m_q1));
}

CMyObj* PressHyperbolicSegment(CGestureState& state, unsigned, const CWorldPoint& g) {
    return NewArcAt(state, g, 0);
}

void DragHyperbolicSegment(CArcObj& arc, const CWorldPoint& p, unsigned) {
    CWorldPoint centre;
    const CWorldPoint g = arc.m_q1;
    if (!CentreOnAxis(g, p, centre)) return;
    arc.m_sweep = SignedAngle(centre, g, p);
    arc.m_points[0] = centre;
    arc.m_points[1] = g;
    arc.m_points[2] = RotateAbout(g, centre, arc.m_sweep);
    arc.m_points[3] = RotateAbout(g, centre, arc.m_sweep / 2);
}

// The limiting parallel from p through the end point e of a hyperbolic line
// with centre o (kept in q1 and q2).
bool LimitingParallel(CArcObj& arc, const CWorldPoint& p) {
    CWorldPoint centre;
    if (!MiddleOrthogonalMeetsLine(p, arc.m_q1, arc.m_q1, arc.m_q2, centre)) return false;
    arc.SetArc(centre, p, arc.m_q1);
    return true;
}

CMyObj* PressHyperbolicNext(CGestureState& state, unsigned, const CWorldPoint& p) {
    const CArcObj* line = PickedArc(state);
    if (!line) return Refuse(state);
    const CWorldPoint o = line->m_points[0];
    const CWorldPoint ends[2] = {line->m_points[2], line->m_points[1]};
    // The second arc (for the end point) joins the gesture first; the pressed
    // arc (for the start point) is the one returned.
    CArcObj* made[2] = {nullptr, nullptr};
    for (int i = 0; i < 2; ++i) {
        auto* arc = new CArcObj();
        arc->SetVertexCount(4);
        arc->m_q1 = ends[i];
        arc->m_q2 = o;
        if (LimitingParallel(*arc, p))
            made[i] = arc;
        else
            delete arc;
    }
    if (!made[0] && !made[1]) return Refuse(state);
    if (!made[1]) std::swap(made[0], made[1]);
    if (made[0]) made[0]->Finish(state, {.redraw = Redraw::Now, .collect = true});
    made[1]->SetDocument(state.Document());
    made[1]->RecalcBounds();
    return made[1];
}

void DragHyperbolicNext(CArcObj& arc, const CWorldPoint& p, unsigned) {
    LimitingParallel(arc, p);
}

// The hyperbolic perpendicular from p to the picked line (centre q1, radius
// rho), drawn up to its foot: the upper of the common points.
bool Perpendicular(CArcObj& arc, const CWorldPoint& p) {
    CWorldPoint centre, first, second;
    double radius;
    if (!OrthogonalCircleToCircleAndLine(p, arc.m_q1, arc.m_rho, kAxisA, kAxisB, centre, radius))
        return false;
    if (CircleCircleIntersection(centre, radius, arc.m_q1, arc.m_rho, first, second) == 0)
        return false;
    arc.SetArc(centre, p, first.y >= 0 ? first : second);
    return true;
}

CMyObj* PressHyperbolicOrthogonal(CGestureState& state, unsigned, const CWorldPoint& p) {
    const CArcObj* line = PickedArc(state);
    if (!line) return Refuse(state);
    CArcObj* arc = NewArcAt(state, p, 0);
    arc->m_q1 = line->m_points[0];
    arc->m_rho = line->m_radius;
    if (!Perpendicular(*arc, p)) {
        delete arc;
        return Refuse(state);
    }
    arc->RecalcBounds();
    return arc;
}

void DragHyperbolicOrthogonal(CArcObj& arc, const CWorldPoint& p, unsigned) {
    Perpendicular(arc, p);
}

// The arc tools that draw. "Arc on angle" picks and builds at once and has no
// drag.
const ArcTool kArcTools[] = {
    {kCodePlain, PressSimpleArc, DragSimpleArc},
    {kCodeHalfCircleArc, PressHalfCircle, DragHalfCircle},
    {kCodeHyperbolicLine, PressHyperbolicLine, DragHyperbolicLine},
    {kCodeHyperbolicSegment, PressHyperbolicSegment, DragHyperbolicSegment},
    {kCodeHyperbolicNext, PressHyperbolicNext, DragHyperbolicNext},
    {kCodeOrthogonal, PressHyperbolicOrthogonal, DragHyperbolicOrthogonal},
};

const ArcTool* FindArcTool(int code) {
    for (const ArcTool& t : kArcTools)
        if (t.code == code) return &t;
    return nullptr;
}

}  // namespace

CArcObj::CArcObj(const CWorldPoint& centre, const CWorldPoint& start, const CWorldPoint& through) {
    SetVertexCount(4);
    m_bSelected = 0;
    SetArc(centre, start, through);
}

void CArcObj::SetArc(const CWorldPoint& centre, const CWorldPoint& start,
                     const CWorldPoint& through) {
    if (m_nPoints < 4) SetVertexCount(4);
    m_points[0] = centre;
    m_points[1] = start;
    m_radius = Distance(centre, start);
    if (m_radius >= kGeomEps && Distance(centre, through) >= kGeomEps) {
        m_sweep = SignedAngle(centre, start, through);
        m_points[2] = RotateAbout(start, centre, m_sweep);
        m_points[3] = RotateAbout(start, centre, m_sweep / 2);
    } else {
        m_sweep = 0;
        m_points[2] = m_points[3] = start;
    }
}

void CArcObj::WrapSweep() {
    const CWorldPoint c = m_points[0];
    if (m_sweep > 2 * std::numbers::pi) {
        m_sweep -= 2 * std::numbers::pi;
        m_points[3] = c * 2 - m_points[3];
    } else if (m_sweep < -2 * std::numbers::pi) {
        m_sweep += 2 * std::numbers::pi;
        m_points[3] = c * 2 - m_points[3];
    }
}

void CArcObj::TurnEnd(int k, const CWorldPoint& p) {
    if (m_nPoints < 4 || (k != 1 && k != 2)) return;
    const CWorldPoint c = m_points[0];
    const double delta = SignedAngle(c, m_points[k], p);
    m_points[k] = RotateAbout(m_points[k], c, delta);
    m_points[3] = RotateAbout(m_points[3], c, delta / 2);
    m_sweep += k == 2 ? delta : -delta;
    WrapSweep();
}

PixelRect CArcObj::MoveHandle(int k, const CWorldPoint& p) {
    if (m_nPoints < 4 || k < 1 || k > 4) return {};
    const PixelRect before = GetInvalidRect();
    CWorldPoint& centre = m_points[0];
    if (k == 1) {
        // The centre slides on the axis of symmetry; start and end stay on
        // the new circle by symmetry.
        const CWorldPoint c = FootOfPerpendicular(p, centre, m_points[3]);
        const double r = Distance(c, m_points[1]);
        if (r >= kGeomEps && !Coincide(c, m_points[3])) {
            m_points[3] = PointAlong(c, c, m_points[3], r);
            m_sweep = 2 * SignedAngle(c, m_points[1], m_points[3]);
            centre = c;
        }
    } else if (k == 2 || k == 3) {
        TurnEnd(k - 1, p);
    } else {
        const CWorldPoint f = FootOfPerpendicular(p, centre, m_points[3]);
        if ((f - centre).Dot(m_points[3] - centre) >= kGeomEps) {
            const double r = Distance(centre, f);
            for (int i = 1; i <= 3; ++i) m_points[i] = PointAlong(centre, centre, m_points[i], r);
        }
    }
    RecalcBounds();
    return before.United(GetInvalidRect());
}

void CArcObj::TrackLastVertex(CGestureState&, const CWorldPoint& p, unsigned flags, int code) {
    if (m_nPoints < 4) return;
    if (const ArcTool* tool = FindArcTool(code)) tool->drag(*this, p, flags);
}

void CArcObj::EndTrack(CGestureState& state, unsigned flags, const CWorldPoint&) {
    const int code = state.m_nToolCode;
    if (code == kCodePlain || (code == kCodeOrthogonal && (flags & kMkControl))) state.m_nStage = 0;
}

void CArcObj::Reflect(const CWorldPoint& a, const CWorldPoint& b) {
    if (a == b) return;
    CCircleObj::Reflect(a, b);
    m_sweep = -m_sweep;
}

void CArcObj::Draw(Canvas& dc) const {
    // A zero radius (a half circle back on its press point) shows nothing,
    // not even its centre mark, until the pointer moves on.
    if (m_nPoints < 4 || std::fabs(m_sweep) < 0.001 || m_radius < kGeomEps) return;
    Canvas::PenSel oldPen = dc.SelectPen(m_bPen ? &m_logpen : nullptr);
    Canvas::BrushSel oldBrush = dc.SelectBrush(nullptr);
    if (NeedsTrueCircle(m_points[0], m_radius)) {
        for (const auto& run : CirclePixelRuns(m_points[0], m_radius, m_points[1], m_sweep))
            dc.Polyline(run.data(), int(run.size()));
    } else {
        const PixelPoint start = WorldToPixel(m_points[1]);
        const PixelPoint end = WorldToPixel(m_points[2]);
        if (m_sweep >= 0)
            dc.Arc(GetPixelBounds(), start, end);
        else
            dc.Arc(GetPixelBounds(), end, start);
    }
    dc.RestorePen(oldPen);
    dc.RestoreBrush(oldBrush);
    DrawCentreMark(dc);
}

int CArcObj::HitTest(const CWorldPoint& p) const {
    if (m_nPoints < 4) return -1;
    if (int k = HitVertex(p, 4)) return k;
    const CWorldPoint c = m_points[0];
    if (DistanceToCircle(p, c, m_radius) >= Mapping().pixelTolerance) return -1;
    return std::fabs(SignedAngle(c, m_points[3], p)) < std::fabs(m_sweep) / 2 ? 0 : -1;
}

void CArcObj::ExchangeFields(CFieldExchange& fx) {
    CCircleObj::ExchangeFields(fx);
    fx.F64("sweep", m_sweep);
}

bool ArcToolDraws(int code) {
    return FindArcTool(code) != nullptr;
}

CMyObj* DrawArcTool(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    const ArcTool* tool = FindArcTool(state.m_nToolCode);
    return tool ? tool->press(state, flags, p) : nullptr;
}

}  // namespace gyr
