#include "constructions/line_constructions.h"

#include "constructions/construction_support.h"
#include "figures/circle_obj.h"
#include "figures/line_obj.h"
#include "figures/point_obj.h"
#include "math/division.h"
#include "math/kernel.h"
#include "math/tangent_lines.h"
#include "model/document.h"
#include "model/program_state.h"

namespace gyr {

namespace {

// A segment or, for the line tools, a line through a and b, made and finished.
CSegmentObj* MakeStraight(CGestureState& state, const CWorldPoint& a, const CWorldPoint& b,
                          const CFinish& how) {
    if (state.m_nToolKind == kToolLine) return MakeLine(state, a, b, how);
    return MakeSegment(state, a, b, how);
}

// The figure of a press, both ends at p, with the document's attributes; not
// yet added: the view adds it.
CSegmentObj* NewStraightAt(CGestureState& state, const CWorldPoint& p) {
    CSegmentObj* obj = state.m_nToolKind == kToolLine ? new CLine(p, p) : new CSegmentObj(p, p);
    obj->SetDocument(state.Document());
    obj->RecalcBounds();
    return obj;
}

// The picked figure of a pointer construction, when it is still there.
const CMyObj* LivePick(CGestureState& state) {
    return IsAlive(state, state.m_pPicked) ? state.m_pPicked : nullptr;
}

// The picked circle as (centre, radius) in the press input.
bool TakeCircle(CGestureState& state) {
    const CMyObj* obj = LivePick(state);
    TouchObject circle;
    if (!obj || !obj->IsCircle() || !ToTouchObject(obj, circle)) return false;
    state.m_press.objects[0] = circle;
    return true;
}

void FollowParallel(CShapeObj& obj, CGestureState& state, const CWorldPoint& p, unsigned) {
    obj.m_points[1] = FootOfPerpendicular(p, state.m_press.q[0], state.m_press.q[1]);
}

void FollowOrthogonal(CShapeObj& obj, CGestureState& state, const CWorldPoint& p, unsigned flags) {
    const CWorldPoint* q = state.m_press.q;
    if (flags & kMkShift) {
        obj.m_points[0] = q[2];
        obj.m_points[1] = FootOfPerpendicular(p, q[2], q[3]);
    } else {
        obj.m_points[0] = FootOfPerpendicular(p, q[0], q[1]);
        obj.m_points[1] = p;
    }
}

void FollowTangentsFrom(CShapeObj& obj, CGestureState& state, const CWorldPoint& p, unsigned) {
    const TouchObject& k = state.m_press.objects[0];
    CWorldPoint t[2];
    if (TangentPoints(p, k.p, k.r, t[0], t[1]) == 0) return;
    obj.m_points[0] = t[obj.m_follow.solution == 0 ? 0 : 1];
    obj.m_points[1] = p;
}

void FollowTangentAt(CShapeObj& obj, CGestureState& state, const CWorldPoint& p, unsigned) {
    const TouchObject& k = state.m_press.objects[0];
    CWorldPoint f, g;
    if (TangentLineAt(p, k.p, k.r, f, g) == 0) return;
    obj.m_points[0] = f;
    obj.m_points[1] = g;
}

}  // namespace

bool MiddleOrthogonalOfSide(CGestureState& state, unsigned, const CWorldPoint&) {
    CWorldPoint a, b;
    if (!PickedSide(state.m_pPicked, state.m_nPart, a, b)) return false;
    const CWorldPoint m = (a + b) * 0.5;
    MakeLine(state, m, m + Perp(b - a), {});
    return true;
}

bool CommonTangentsOfPicks(CGestureState& state, unsigned, const CWorldPoint&) {
    TouchObject k1, k2;
    if (!ToTouchObject(state.m_pFirstPicked, k1) || !ToTouchObject(state.m_pPicked, k2) ||
        k1.kind != TouchObject::Kind::Circle || k2.kind != TouchObject::Kind::Circle)
        return false;
    PointPair t[4];
    const int n = CommonTangents(k1.p, k1.r, k2.p, k2.r, t);
    for (int i = 0; i < n; ++i) {
        CSegmentObj* obj = MakeStraight(state, t[i].a, t[i].b, {});
        if (state.m_pRecorder && state.m_nToolKind == kToolSegment)
            state.m_pRecorder->RecordSegment(*obj, kCodeCommonTangents);
    }
    return n > 0;
}

bool DiagonalTriangleOfPicks(CGestureState& state, unsigned, const CWorldPoint&) {
    const CMyObj* s1 = state.m_pFirstPicked;
    const CMyObj* s2 = state.m_pPicked;
    if (!s1 || !s2 || s1->GetVertexCount() < 2 || s2->GetVertexCount() < 2) return false;
    const CWorldPoint* u = s1->GetVertices();
    const CWorldPoint* v = s2->GetVertices();
    CWorldPoint x[3];
    if (!DiagonalTriangle(u[0], u[1], v[0], v[1], x)) return false;
    for (int i = 0; i < 3; ++i) MakeSegment(state, x[i], x[(i + 1) % 3], {});
    return true;
}

bool DivideInParts(CGestureState& state, unsigned, const CWorldPoint& p) {
    CGyrDoc* doc = state.Document();
    const CMyObj* obj = state.m_pPicked;
    if (!doc || !obj) return false;
    const int n = int(ProgramState().params.divideParts);
    std::vector<CWorldPoint> points;
    TouchObject circle;
    if (obj->IsCircle()) {
        if (!ToTouchObject(obj, circle) || circle.r < kGeomEps) return false;
        CWorldPoint at = p;
        if (state.m_bMatchPoints) SnapToAnyVertex(doc->Objects(), at, nullptr);
        points = CircleDivisionPoints(at, circle.p, circle.r, n);
    } else {
        CWorldPoint a, b;
        if (!PickedSide(obj, state.m_nPart, a, b)) return false;
        points = SegmentDivisionPoints(a, b, n);
    }
    for (const CWorldPoint& x : points) AddPoint(*doc, x);
    return !points.empty();
}

CMyObj* PressParallel(CGestureState& state, unsigned, const CWorldPoint& p) {
    CWorldPoint a, b;
    if (!PickedSide(LivePick(state), state.m_nPart, a, b)) return PressFailed(state);
    const PointPair line = ParallelThrough(p, a, b);
    state.m_press.q[0] = line.a;
    state.m_press.q[1] = line.b;
    CSegmentObj* obj = NewStraightAt(state, p);
    obj->FollowBy(&FollowParallel, 0);
    return obj;
}

CMyObj* PressOrthogonal(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    CWorldPoint a, b;
    if (!PickedSide(LivePick(state), state.m_nPart, a, b)) return PressFailed(state);
    const PointPair raised = OrthogonalThrough(p, a, b);
    CWorldPoint* q = state.m_press.q;
    q[0] = a;
    q[1] = b;
    q[2] = raised.a;
    q[3] = raised.b;
    CSegmentObj* obj = NewStraightAt(state, p);
    obj->FollowBy(&FollowOrthogonal, 0);
    FollowOrthogonal(*obj, state, p, flags);
    obj->RecalcBounds();
    return obj;
}

CMyObj* PressTangentsFrom(CGestureState& state, unsigned, const CWorldPoint& p) {
    if (!TakeCircle(state)) return PressFailed(state);
    const TouchObject& k = state.m_press.objects[0];
    CWorldPoint t[2];
    const int n = TangentPoints(p, k.p, k.r, t[0], t[1]);
    if (n == 0) {
        state.Beep();
        return nullptr;
    }
    if (n == 2) {
        CSegmentObj* extra = NewStraightAt(state, p);
        extra->m_points[0] = t[1];
        extra->FollowBy(&FollowTangentsFrom, 1);
        extra->Finish(state, {.redraw = Redraw::Now, .collect = true});
    }
    CSegmentObj* obj = NewStraightAt(state, p);
    obj->m_points[0] = t[0];
    obj->FollowBy(&FollowTangentsFrom, 0);
    obj->RecalcBounds();
    return obj;
}

CMyObj* PressTangentAt(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    if (!TakeCircle(state)) return PressFailed(state);
    const TouchObject& k = state.m_press.objects[0];
    CWorldPoint f, g;
    if (TangentLineAt(p, k.p, k.r, f, g) == 0) {
        state.Beep();
        return nullptr;
    }
    CSegmentObj* obj = NewStraightAt(state, p);
    obj->FollowBy(&FollowTangentAt, 0);
    FollowTangentAt(*obj, state, p, flags);
    obj->RecalcBounds();
    return obj;
}

bool RatioFromSelectedAngle(CGestureState& state) {
    for (const CMyObj* obj : state.m_selection) {
        if (!obj->IsAngle()) continue;
        if (obj->GetVertexCount() < 3) return false;
        const CWorldPoint* v = obj->GetVertices();
        const double arm = Distance(v[1], v[2]);
        if (arm < kGeomEps) return false;
        ProgramState().params.ratio = Distance(v[0], v[1]) / arm;
        return true;
    }
    return false;
}

}  // namespace gyr
