#include "figures/angle_obj.h"

#include <numbers>

#include "figures/segment_obj.h"
#include "math/division.h"
#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/gesture_state.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CAngle, CShapeObj)

namespace {

// The key codes the angle operations tell apart (F8 and F9).
constexpr int kKeyFirstVariant = kKeyF8;
constexpr int kKeySecondVariant = kKeyF9;

bool ControlDown() {
    return IsKeyHeld(kKeyControl);
}

CAngle* NewAngleAt(CGestureState& state, const CWorldPoint& p) {
    auto* angle = new CAngle(p, p, p);
    angle->SetDocument(state.Document());
    angle->RecalcBounds();
    return angle;
}

// What an angle tool does at the press and while the pointer moves.
struct AngleTool {
    int code;
    CMyObj* (*press)(CGestureState& state, unsigned flags, const CWorldPoint& p);
    void (*drag)(CAngle& angle, const CWorldPoint& p, unsigned flags);
};

// Both two-stage tools start with a segment; the second press builds the
// angle on it: the segment's first end is vertex 0, its other end goes to
// vertex `endAt`, and the remaining vertex follows the pointer.
CMyObj* PressOnFirstSide(CGestureState& state, unsigned flags, const CWorldPoint& p, int endAt) {
    if (state.m_nStage == 0) return StartFirstSide(state, flags, p);
    CWorldPoint a, b;
    if (!TakeFirstSide(state, a, b)) return nullptr;
    CAngle* angle = NewAngleAt(state, p);
    angle->m_points[0] = a;
    angle->m_points[std::size_t(endAt)] = b;
    angle->RecalcBounds();
    return angle;
}

// The first arm is the segment drawn first; the second follows the pointer.
CMyObj* PressFromSide(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    return PressOnFirstSide(state, flags, p, 1);
}

void DragSecondArm(CAngle& angle, const CWorldPoint& p, unsigned) {
    angle.m_points[2] = p;
}

// The segment drawn first is seen from the apex, which follows the pointer.
CMyObj* PressViewing(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    return PressOnFirstSide(state, flags, p, 2);
}

// With Ctrl the apex stays on the circle over V0V2 (Thales): a right angle.
void DragApex(CAngle& angle, const CWorldPoint& p, unsigned flags) {
    CWorldPoint apex = p;
    if (flags & kMkControl) {
        const CWorldPoint centre = (angle.V0() + angle.V2()) * 0.5;
        apex = NearestPointOnCircle(p, centre, Distance(angle.V0(), angle.V2()) / 2);
    }
    angle.m_points[1] = apex;
}

CMyObj* PressFixed(CGestureState& state, unsigned, const CWorldPoint& p) {
    return NewAngleAt(state, p);
}

void DragFixed(CAngle& angle, const CWorldPoint& p, unsigned flags) {
    double value = (flags & kMkShift) ? std::numbers::pi / 2 : ProgramState().angles.fixedAngle;
    if (flags & kMkControl) value = -value;
    angle.m_points[0] = p;
    angle.m_points[2] = RotateAbout(p, angle.V1(), value);
}

constexpr AngleTool kAngleTools[] = {
    {kCodePlain, PressFromSide, DragSecondArm},
    {kCodeViewingSegment, PressViewing, DragApex},
    {kCodeFixedAngle, PressFixed, DragFixed},
};

// Codes of other families that borrow the angle tool (the singular isoptic
// draws its angle first) behave as the plain one.
const AngleTool& FindAngleTool(int code) {
    for (const AngleTool& t : kAngleTools)
        if (t.code == code) return t;
    return kAngleTools[0];
}

// The copy replaces the selection of the view and joins the document.
CAngle* AddAsSelection(CGestureState& state, CAngle* copy) {
    const PixelRect marks = state.SelectionRect();
    state.DeselectAll();
    copy->m_bSelected = 0;
    copy->RecalcBounds();
    copy->AddToDocument();
    state.Select(copy);
    state.Repaint(marks.United(copy->GetInvalidRect()));
    return copy;
}

}  // namespace

CAngle::CAngle(const CWorldPoint& v0, const CWorldPoint& v1, const CWorldPoint& v2) : CShapeObj(3) {
    m_points[0] = v0;
    m_points[1] = v1;
    m_points[2] = v2;
    m_bSelected = 0;
}

bool CAngle::IsDegenerate() const {
    if (m_nPoints < 3) return true;
    return Coincide(m_points[1], m_points[2]);
}

PixelRect CAngle::MoveHandle(int k, const CWorldPoint& p) {
    if (!ControlDown() || m_nPoints < 3) return CShapeObj::MoveHandle(k, p);
    if (k == 1 || k == 3) return ProjectVertexOntoLine(m_points[1], m_points[k - 1], p, k);
    if (k != 2) return {};
    CWorldPoint centre;
    double radius;
    // Collinear vertices have no circle; at the centre every point is nearest.
    if (!CircleThrough3Points(m_points[0], m_points[1], m_points[2], centre, radius) ||
        Coincide(p, centre))
        return {};
    return CShapeObj::MoveHandle(2, NearestPointOnCircle(p, centre, radius));
}

void CAngle::TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags, int code) {
    if (m_nPoints < 3 || FollowPointer(state, p, flags)) return;
    FindAngleTool(code).drag(*this, p, flags);
}

void CAngle::EndTrack(CGestureState&, unsigned, const CWorldPoint&) {
    StopFollowing();
}

void CAngle::Draw(Canvas& dc) const {
    if (m_nPoints < 3) return;
    const CWorldPoint path[3] = {m_points[2], m_points[1], m_points[0]};
    Canvas::PenSel oldPen = dc.SelectPen(m_bPen ? &m_logpen : nullptr);
    for (const auto& run : PolylinePixelRuns(path, 3, false))
        dc.Polyline(run.data(), int(run.size()));
    dc.RestorePen(oldPen);
}  // namespace

double CAngle::GetAngleValue() const {
    if (m_nPoints < 3) return 0;
    return SignedAngle(m_points[1], m_points[0], m_points[2]);
}

CAngle* CAngle::AdjacentAngle(CGestureState& state, int key) const {
    if (m_nPoints < 3) return nullptr;
    const double value = GetAngleValue();
    auto* copy = static_cast<CAngle*>(Clone());
    copy->Rotate(m_points[1], key == kKeyFirstVariant ? -value : value);
    return AddAsSelection(state, copy);
}

CAngle* CAngle::SupplementaryAngle(CGestureState& state, int key) const {
    if (m_nPoints < 3) return nullptr;
    auto* copy = static_cast<CAngle*>(Clone());
    if (key == kKeyFirstVariant) {
        copy->m_points[2] = m_points[1] * 2 - m_points[2];
    } else if (key == kKeySecondVariant) {
        copy->m_points[2] = m_points[1] * 2 - m_points[0];
        copy->m_points[0] = m_points[2];
    }
    return AddAsSelection(state, copy);
}

CAngle* MakeAngle(CGestureState& state, const CWorldPoint& v0, const CWorldPoint& v1,
                  const CWorldPoint& v2, const CFinish& how) {
    auto* angle = new CAngle(v0, v1, v2);
    angle->Finish(state, how);
    return angle;
}

bool CornerAt(const CMyObj& obj, int vertex, CWorldPoint& apex, CWorldPoint& first,
              CWorldPoint& second) {
    if (!obj.IsShape() || obj.GetVertexCount() < 3) return false;
    const CWorldPoint* v = obj.GetVertices();
    if (obj.IsAngle()) {
        apex = v[1];
        first = v[0];
        second = v[2];
        return true;
    }
    CWorldPoint next;
    if (!static_cast<const CShapeObj&>(obj).GetCorner(vertex, apex, next, first)) return false;
    second = next;
    return true;
}

bool AngleToolDraws(int code) {
    for (const AngleTool& t : kAngleTools)
        if (t.code == code) return true;
    return false;
}

CMyObj* DrawAngleTool(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    return FindAngleTool(state.m_nToolCode).press(state, flags, p);
}

}  // namespace gyr
