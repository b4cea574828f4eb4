#include "constructions/circle_constructions.h"

#include <algorithm>
#include <utility>

#include "constructions/construction_support.h"
#include "figures/circle_obj.h"
#include "figures/line_obj.h"
#include "math/circle_helpers.h"
#include "math/kernel.h"
#include "model/program_state.h"

namespace gyr {

namespace {

using Kind = TouchObject::Kind;

// A circle of the press with the document's attributes, not yet added.
CCircleObj* NewPressCircle(CGestureState& state, const CWorldPoint& centre,
                           const CWorldPoint& through, FollowRule rule, int solution) {
    auto* circle = new CCircleObj(centre, 0);
    circle->SetDocument(state.Document());
    circle->m_points[1] = through;
    circle->FollowBy(rule, solution);
    circle->RecalcBounds();
    return circle;
}

// The further solutions of a press join the gesture at once.
void AddExtraCircle(CGestureState& state, const CWorldPoint& centre, const CWorldPoint& through,
                    FollowRule rule, int solution) {
    NewPressCircle(state, centre, through, rule, solution)
        ->Finish(state, {.redraw = Redraw::Now, .collect = true});
}

// Copies the last pick (and for two-pick tools the first) into the press
// input; false when one is gone or is no circle, segment or line.
bool TakePicks(CGestureState& state, int count) {
    CMyObj* picks[2] = {count == 2 ? state.m_pFirstPicked : state.m_pPicked, state.m_pPicked};
    for (int i = 0; i < count; ++i)
        if (!IsAlive(state, picks[i]) || !ToTouchObject(picks[i], state.m_press.objects[i]))
            return false;
    return true;
}

void Place(CShapeObj& obj, const CWorldPoint& centre, const CWorldPoint& through) {
    obj.m_points[0] = centre;
    obj.m_points[1] = through;
}

// ---- 703: centred at the pointer
void FollowTangentCentred(CShapeObj& obj, CGestureState& state, const CWorldPoint& p, unsigned) {
    CWorldPoint t[2];
    const int n = TangentCirclesCentred(p, state.m_press.objects[0], t);
    if (obj.m_follow.solution < n) Place(obj, p, t[obj.m_follow.solution]);
}

// ---- 704: through a fixed point of contact t, centre on the normal tn
void FollowTangentCircleAt(CShapeObj& obj, CGestureState& state, const CWorldPoint& p, unsigned) {
    CircleValue c;
    const CWorldPoint t = state.m_press.q[0];
    if (TangentCircleAtPoint(t, state.m_press.q[1], p, c)) Place(obj, c.centre, t);
}

// ---- 705: through the press point and the pointer
void FollowTangentThrough2(CShapeObj& obj, CGestureState& state, const CWorldPoint& p, unsigned) {
    CircleValue c[2];
    const int n =
        TangentCirclesThroughTwoPoints(state.m_press.q[0], p, state.m_press.objects[0], c);
    if (obj.m_follow.solution < n) Place(obj, c[obj.m_follow.solution].centre, p);
}

// ---- 706: touching both picks, through the pointer. Each circle keeps to
// its branch of solutions, so that it does not jump to another circle when
// one before it vanishes.
void FollowTangentTo2Through1(CShapeObj& obj, CGestureState& state, const CWorldPoint& p,
                              unsigned) {
    CircleValue c[4];
    int branch[4];
    const int n = TangentCirclesThroughPoint(p, state.m_press.objects[0], state.m_press.objects[1],
                                             c, branch);
    for (int i = 0; i < n; ++i)
        if (branch[i] == obj.m_follow.solution) Place(obj, c[i].centre, p);
}

// ---- 708: centred at the pointer, orthogonal to the picked circle
void FollowOrthogonalCentred(CShapeObj& obj, CGestureState& state, const CWorldPoint& p, unsigned) {
    const TouchObject& k = state.m_press.objects[0];
    double radius;
    if (OrthogonalCircleCentred(p, k.p, k.r, radius) && radius >= kGeomEps)
        Place(obj, p, PointAlong(p, p, k.p, radius));
}

// ---- 709: orthogonal to both picks, through the pointer
void FollowOrthogonalTo2Through1(CShapeObj& obj, CGestureState& state, const CWorldPoint& p,
                                 unsigned) {
    CircleValue c;
    if (OrthogonalCircleThroughPoint(p, state.m_press.objects[0], state.m_press.objects[1], c))
        Place(obj, c.centre, p);
}

// ---- 710: orthogonal to the pick, through the press point and the pointer
void FollowOrthogonalThrough2(CShapeObj& obj, CGestureState& state, const CWorldPoint& p,
                              unsigned) {
    CircleValue c;
    if (OrthogonalCircleThroughTwoPoints(state.m_press.q[0], p, state.m_press.objects[0], c))
        Place(obj, c.centre, p);
}

}  // namespace

bool TangentCirclesTo3(CGestureState& state, unsigned, const CWorldPoint&) {
    const CMyObj* picks[3] = {state.m_pFirstPicked, state.m_pSecondPicked, state.m_pPicked};
    TouchObject objs[3];
    for (int i = 0; i < 3; ++i)
        if (!ToTouchObject(picks[i], objs[i])) return false;
    std::stable_partition(objs, objs + 3,
                          [](const TouchObject& o) { return o.kind == Kind::Line; });
    CircleValue c[8];
    const int n = TangentCircles3(objs[0], objs[1], objs[2], c);
    for (int i = 0; i < n; ++i) {
        CCircleObj* circle = MakeCircle(state, c[i].centre, c[i].radius, {});
        // Made at the last pick, without a release: recorded here.
        if (circle && state.m_pRecorder)
            state.m_pRecorder->RecordCircle(*circle, kCodeTangentTo3);
    }
    return n > 0;
}

bool RadicalAxisOfPicks(CGestureState& state, unsigned, const CWorldPoint&) {
    TouchObject k1, k2;
    if (!ToTouchObject(state.m_pFirstPicked, k1) || !ToTouchObject(state.m_pPicked, k2) ||
        k1.kind != Kind::Circle || k2.kind != Kind::Circle)
        return false;
    CWorldPoint f, g;
    if (!RadicalAxis(k1.p, k1.r, k2.p, k2.r, f, g)) return false;
    MakeLine(state, f, g, {});
    return true;
}

bool InversionInterchangingPicks(CGestureState& state, unsigned, const CWorldPoint&) {
    TouchObject k1, o2;
    if (!ToTouchObject(state.m_pFirstPicked, k1) || !ToTouchObject(state.m_pPicked, o2))
        return false;
    // Interchanging is symmetric: a line picked first is the second object.
    if (k1.kind != Kind::Circle) std::swap(k1, o2);
    if (k1.kind != Kind::Circle) return false;
    CircleValue c[4];
    int firstGroup = 0;
    const int n = InversionInterchangingCircles(k1.p, k1.r, o2, c, firstGroup);
    for (int i = 0; i < n; ++i) MakeCircle(state, c[i].centre, c[i].radius, {});
    return n > 0;
}

bool ApollonianCircleOfPick(CGestureState& state, unsigned, const CWorldPoint&) {
    const CMyObj* seg = state.m_pPicked;
    if (!seg || seg->GetVertexCount() < 2) return false;
    const CWorldPoint* v = seg->GetVertices();
    CWorldPoint centre;
    double radius;
    if (!ApollonianCircle(v[0], v[1], ProgramState().params.ratio, centre, radius) ||
        radius < kGeomEps)
        return false;
    MakeCircle(state, centre, radius, {});
    return true;
}

CMyObj* PressTangentCentred(CGestureState& state, unsigned, const CWorldPoint& p) {
    CWorldPoint t[2];
    if (!TakePicks(state, 1)) return PressFailed(state);
    const int n = TangentCirclesCentred(p, state.m_press.objects[0], t);
    if (n == 0) return PressFailed(state);
    if (n == 2) AddExtraCircle(state, p, t[1], &FollowTangentCentred, 1);
    return NewPressCircle(state, p, t[0], &FollowTangentCentred, 0);
}

CMyObj* PressTangentCircleAt(CGestureState& state, unsigned, const CWorldPoint& p) {
    if (!TakePicks(state, 1)) return PressFailed(state);
    const TouchObject& o = state.m_press.objects[0];
    CWorldPoint t, n;
    if (o.kind == Kind::Circle) {
        if (Coincide(p, o.p) || o.r < kGeomEps) return PressFailed(state);
        t = IsZeroAbs(Distance(p, o.p) - o.r) ? p : PointAlong(o.p, o.p, p, o.r);
        n = o.p;
    } else {
        t = DistanceToLine(p, o.p, o.q) < kGeomEps ? p : FootOfPerpendicular(p, o.p, o.q);
        n = t + Perp(o.q - o.p);
    }
    state.m_press.q[0] = t;
    state.m_press.q[1] = n;
    // A provisional centre a tenth of the way along the normal; the first
    // pointer move replaces it.
    return NewPressCircle(state, t + (n - t) * 0.1, t, &FollowTangentCircleAt, 0);
}

CMyObj* PressTangentThrough2(CGestureState& state, unsigned, const CWorldPoint& p) {
    if (!TakePicks(state, 1)) return PressFailed(state);
    const TouchObject& o = state.m_press.objects[0];
    state.m_press.q[0] = p;
    CWorldPoint t[2];
    int n = 2;
    if (o.kind == Kind::Circle) {
        n = CircleLineIntersection(o.p, o.r, o.p, p, t[0], t[1]);
        if (n == 0) return PressFailed(state);
    } else {
        t[0] = t[1] = FootOfPerpendicular(p, o.p, o.q);
    }
    if (n == 2) AddExtraCircle(state, (p + t[1]) * 0.5, p, &FollowTangentThrough2, 1);
    return NewPressCircle(state, (p + t[0]) * 0.5, p, &FollowTangentThrough2, 0);
}

CMyObj* PressTangentTo2Through1(CGestureState& state, unsigned, const CWorldPoint& p) {
    if (!TakePicks(state, 2)) return PressFailed(state);
    CircleValue c[4];
    int branch[4];
    const int n = TangentCirclesThroughPoint(p, state.m_press.objects[0], state.m_press.objects[1],
                                             c, branch);
    if (n == 0) return PressFailed(state);
    for (int i = 1; i < n; ++i)
        AddExtraCircle(state, c[i].centre, p, &FollowTangentTo2Through1, branch[i]);
    return NewPressCircle(state, c[0].centre, p, &FollowTangentTo2Through1, branch[0]);
}

CMyObj* PressOrthogonalCentred(CGestureState& state, unsigned, const CWorldPoint& p) {
    if (!TakePicks(state, 1) || state.m_press.objects[0].kind != Kind::Circle)
        return PressFailed(state);
    const TouchObject& k = state.m_press.objects[0];
    double radius;
    if (!OrthogonalCircleCentred(p, k.p, k.r, radius) || radius < kGeomEps)
        return PressFailed(state);
    return NewPressCircle(state, p, PointAlong(p, p, k.p, radius), &FollowOrthogonalCentred, 0);
}

CMyObj* PressOrthogonalTo2Through1(CGestureState& state, unsigned, const CWorldPoint& p) {
    if (!TakePicks(state, 2)) return PressFailed(state);
    CircleValue c;
    if (!OrthogonalCircleThroughPoint(p, state.m_press.objects[0], state.m_press.objects[1], c))
        return PressFailed(state);
    return NewPressCircle(state, c.centre, p, &FollowOrthogonalTo2Through1, 0);
}

CMyObj* PressOrthogonalThrough2(CGestureState& state, unsigned, const CWorldPoint& p) {
    if (!TakePicks(state, 1)) return PressFailed(state);
    const TouchObject& o = state.m_press.objects[0];
    state.m_press.q[0] = p;
    CWorldPoint centre;
    if (o.kind == Kind::Circle) {
        CWorldPoint inverse;
        if (o.r < kGeomEps || !InvertPoint(p, o.p, o.r, inverse)) return PressFailed(state);
        centre = (p + inverse) * 0.5;
    } else {
        centre = FootOfPerpendicular(p, o.p, o.q);
    }
    return NewPressCircle(state, centre, p, &FollowOrthogonalThrough2, 0);
}

}  // namespace gyr
