#include "constructions/triangle_constructions.h"

#include <cmath>

#include "constructions/construction_support.h"
#include "figures/circle_obj.h"
#include "figures/line_obj.h"
#include "figures/segment_obj.h"
#include "math/kernel.h"
#include "math/tangent_circles.h"

namespace gyr {

namespace {

struct Corners {
    CWorldPoint a, b, c;
};

// The picked triangle's vertices; false for anything else, for a damaged
// triangle and for one that is gone from the document.
bool PickedTriangle(const CGestureState& state, Corners& t) {
    const CMyObj* obj = state.m_pPicked;
    if (!obj || !obj->IsTriangle() || !IsAlive(state, obj) || obj->GetVertexCount() < 3)
        return false;
    const CWorldPoint* v = obj->GetVertices();
    t = {v[0], v[1], v[2]};
    return IsFinitePoint(t.a) && IsFinitePoint(t.b) && IsFinitePoint(t.c);
}

CWorldPoint Mid(const CWorldPoint& p, const CWorldPoint& q) {
    return (p + q) * 0.5;
}

// The segment p-q unless it would have no length or is not finite.
bool SegmentIfDefined(CGestureState& state, const CWorldPoint& p, const CWorldPoint& q) {
    if (!IsFinitePoint(p) || !IsFinitePoint(q) || Coincide(p, q)) return false;
    MakeSegment(state, p, q, {});
    return true;
}

bool CircleIfDefined(CGestureState& state, const CWorldPoint& centre, double radius) {
    if (!IsFinitePoint(centre) || !std::isfinite(radius) || IsZero(radius)) return false;
    MakeCircle(state, centre, radius, {});
    return true;
}

}  // namespace

bool MediansOfPick(CGestureState& state, unsigned, const CWorldPoint&) {
    Corners t;
    if (!PickedTriangle(state, t)) return false;
    bool made = SegmentIfDefined(state, t.a, Mid(t.b, t.c));
    made |= SegmentIfDefined(state, t.b, Mid(t.c, t.a));
    made |= SegmentIfDefined(state, t.c, Mid(t.a, t.b));
    return made;
}

bool HeightsOfPick(CGestureState& state, unsigned, const CWorldPoint&) {
    Corners t;
    if (!PickedTriangle(state, t)) return false;
    // A side without a direction has no perpendicular.
    auto height = [&state](const CWorldPoint& p, const CWorldPoint& q, const CWorldPoint& r) {
        return !Coincide(q, r) && SegmentIfDefined(state, p, FootOfPerpendicular(p, q, r));
    };
    bool made = height(t.a, t.b, t.c);
    made |= height(t.b, t.c, t.a);
    made |= height(t.c, t.a, t.b);
    return made;
}

bool BisectorsOfPick(CGestureState& state, unsigned, const CWorldPoint&) {
    Corners t;
    if (!PickedTriangle(state, t)) return false;
    const double a = Distance(t.b, t.c), b = Distance(t.c, t.a), c = Distance(t.a, t.b);
    // The feet divide by the side lengths: a vanishing side has no bisectors.
    if (IsZero(a) || IsZero(b) || IsZero(c)) return false;
    CWorldPoint da, db, dc;
    if (!DivideRatio(t.b, t.c, -c / b, da) || !DivideRatio(t.c, t.a, -a / c, db) ||
        !DivideRatio(t.a, t.b, -b / a, dc))
        return false;
    bool made = SegmentIfDefined(state, t.a, da);
    made |= SegmentIfDefined(state, t.b, db);
    made |= SegmentIfDefined(state, t.c, dc);
    return made;
}

bool EulerCircleOfPick(CGestureState& state, unsigned, const CWorldPoint&) {
    Corners t;
    if (!PickedTriangle(state, t)) return false;
    CWorldPoint centre;
    double radius;
    return CircleThrough3Points(Mid(t.a, t.b), Mid(t.b, t.c), Mid(t.c, t.a), centre, radius) &&
           CircleIfDefined(state, centre, radius);
}

bool EulerLineOfPick(CGestureState& state, unsigned, const CWorldPoint&) {
    Corners t;
    if (!PickedTriangle(state, t)) return false;
    const CWorldPoint m = Mid(t.a, t.b);
    const CWorldPoint g = t.c + (m - t.c) * (2.0 / 3.0);
    const CWorldPoint ha = FootOfPerpendicular(t.a, t.b, t.c);
    const CWorldPoint hb = FootOfPerpendicular(t.b, t.c, t.a);
    CWorldPoint h;
    if (!LineIntersection(t.a, ha, t.b, hb, h)) return false;
    if (!IsFinitePoint(g) || !IsFinitePoint(h) || Coincide(g, h)) return false;
    MakeLine(state, g, h, {});
    return true;
}

bool InscribedCirclesOfPick(CGestureState& state, unsigned, const CWorldPoint&) {
    Corners t;
    if (!PickedTriangle(state, t)) return false;
    // With the sides as AB, CA, BC the solver's first pairs of bisectors are
    // the external ones at A and B: ex-circles opposite C, B, A, then the
    // in-circle.
    CircleValue c[8];
    const int n = TangentCircles3(TouchObject::Line(t.a, t.b), TouchObject::Line(t.c, t.a),
                                  TouchObject::Line(t.b, t.c), c);
    bool made = false;
    for (int i = 0; i < n && i < 4; ++i)
        made |= CircleIfDefined(state, c[i].centre, DistanceToLine(c[i].centre, t.a, t.b));
    return made;
}

bool EnclosingCircleOfPick(CGestureState& state, unsigned, const CWorldPoint&) {
    Corners t;
    if (!PickedTriangle(state, t)) return false;
    CWorldPoint centre;
    double radius;
    return CircleThrough3Points(t.a, t.b, t.c, centre, radius) &&
           CircleIfDefined(state, centre, radius);
}

}  // namespace gyr
