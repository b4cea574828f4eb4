#include "constructions/locus_recorder.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "constructions/construction_support.h"
#include "figures/circle_obj.h"
#include "math/kernel.h"
#include "math/locus_script.h"
#include "math/tangent_circles.h"
#include "model/program_state.h"

namespace gyr {

namespace {

CScriptSteps& Steps() {
    return ProgramState().script.steps;
}

CWorldPoint Vertex(const CMyObj& obj, int k) {
    return obj.GetVertexCount() > k ? obj.GetVertices()[k] : CWorldPoint{};
}

// The recorded object of the given kind that obj is, or null.
const CMyObj* StepObject(const CMyObj* obj, int kind) {
    const CScriptStep* s = Steps().StepOf(obj);
    return s && s->kind == kind ? obj : nullptr;
}

// The latest recorded point at p, or null.
const CMyObj* RecordedPointAt(const CWorldPoint& p) {
    const auto& steps = Steps().Steps();
    for (auto it = steps.rbegin(); it != steps.rend(); ++it)
        if (it->kind == kKindPoint && it->object && Coincide(Vertex(*it->object, 0), p))
            return it->object;
    return nullptr;
}

// Whether a recorded circle has this centre and radius.
bool RecordedCircle(const CWorldPoint& c, double r) {
    for (const CScriptStep& s : Steps().Steps())
        if (s.kind == kKindCircle && s.object && Coincide(Vertex(*s.object, 0), c) &&
            std::fabs(Distance(Vertex(*s.object, 0), Vertex(*s.object, 1)) - r) < kGeomEps)
            return true;
    return false;
}

bool RecordedPoint(const CWorldPoint& p) {
    return RecordedPointAt(p) != nullptr;
}

bool RecordedLine(const CWorldPoint& a, const CWorldPoint& b) {
    for (const CScriptStep& s : Steps().Steps()) {
        if (s.kind != kKindLine || !s.object) continue;
        const CWorldPoint u = Vertex(*s.object, 0), v = Vertex(*s.object, 1);
        if ((Coincide(u, a) && Coincide(v, b)) || (Coincide(u, b) && Coincide(v, a))) return true;
    }
    return false;
}

// Of n solutions, the one nearest `at`; the selector to write: -1 when the
// script's own rule (the first solution not already made) picks it anyway.
template <class Made>
int SelectorFor(const CWorldPoint* solutions, int n, const CWorldPoint& at, Made made) {
    int nearest = 0;
    for (int k = 1; k < n; ++k)
        if (Distance(solutions[k], at) < Distance(solutions[nearest], at)) nearest = k;
    for (int k = 0; k < n; ++k)
        if (!made(k)) return k == nearest ? -1 : nearest;
    return nearest;
}

TouchObject Touch(const CMyObj* obj) {
    TouchObject t;
    ToTouchObject(obj, t);
    return t;
}

}  // namespace

bool CScriptRecorder::Record(const CMyObj& obj, int kind, int op, int selector,
                             std::initializer_list<const CMyObj*> refs,
                             std::initializer_list<CWorldPoint> pairs,
                             std::initializer_list<double> numbers) {
    CScriptSteps& steps = Steps();
    const int label = 10 * (steps.Count() + 1);
    std::string line =
        "L" + std::to_string(label) + "  " + kScriptKindWords[kind] + kScriptOpWords[op];
    CScriptStep step;
    for (const CMyObj* ref : refs) {
        const CScriptStep* s = steps.StepOf(ref);
        if (!s) return false;
        line += "L" + std::to_string(s->lineNumber) + "  ";
        step.refs.push_back(ref);
    }
    for (const CWorldPoint& p : pairs) line += FormatScriptPair(p);
    for (double v : numbers) line += FormatScriptNumber(v);
    if (selector >= 0) line += "P" + std::to_string(selector) + " ";
    line += ";\r\n";
    m_text += line;
    step.lineNumber = label;
    step.operation = op;
    step.kind = kind;
    step.selector = selector;
    step.object = const_cast<CMyObj*>(&obj);
    step.owned = false;
    steps.Add(std::move(step));
    if (m_onRecord) m_onRecord();
    return true;
}

void CScriptRecorder::RecordPoint(const CMyObj& point, PointOrigin origin, const CMyObj* first,
                                  const CMyObj* second) {
    const CWorldPoint p = Vertex(point, 0);
    switch (origin) {
        case PointOrigin::RotationCentre:
        case PointOrigin::HomothetyCentre:
            Record(point, kKindPoint, kOpNone, -1, {}, {p});
            return;
        case PointOrigin::OnObject: {
            const CScriptStep* s = Steps().StepOf(first);
            if (s && (s->kind == kKindLine || s->kind == kKindCircle))
                Record(point, kKindPoint, kOpVariable, -1, {first}, {});
            return;
        }
        case PointOrigin::Intersection: {
            const CScriptStep* a = Steps().StepOf(first);
            const CScriptStep* b = Steps().StepOf(second);
            if (!a || !b || a->kind == kKindPoint || b->kind == kKindPoint) return;
            // The script's points of the pair, in its order.
            CWorldPoint x[2];
            int n = 0;
            const CWorldPoint a0 = Vertex(*first, 0), a1 = Vertex(*first, 1);
            const CWorldPoint b0 = Vertex(*second, 0), b1 = Vertex(*second, 1);
            if (a->kind == kKindLine && b->kind == kKindLine) {
                n = LineIntersection(a0, a1, b0, b1, x[0]) ? 1 : 0;
            } else if (a->kind == kKindCircle && b->kind == kKindCircle) {
                n = CircleCircleIntersection(a0, Distance(a0, a1), b0, Distance(b0, b1), x[0],
                                             x[1]);
            } else {
                const bool circleFirst = a->kind == kKindCircle;
                const CWorldPoint c = circleFirst ? a0 : b0, t = circleFirst ? a1 : b1;
                n = CircleLineIntersection(c, Distance(c, t), circleFirst ? b0 : a0,
                                           circleFirst ? b1 : b0, x[0], x[1]);
            }
            int sel = -1;
            if (n == 2) {
                // The script takes the second when the first is a point of it.
                const int rule = RecordedPoint(x[0]) ? 1 : 0;
                const int nearest = Distance(x[1], p) < Distance(x[0], p) ? 1 : 0;
                if (nearest != rule) sel = nearest;
            }
            Record(point, kKindPoint, kOpIntersection, sel, {first, second}, {});
            return;
        }
        case PointOrigin::Free:
            break;
    }
    for (const CScriptStep& s : Steps().Steps()) {
        if (s.kind != kKindLine || !s.object) continue;
        for (int k = 0; k < 2; ++k)
            if (Coincide(Vertex(*s.object, k), p)) {
                Record(point, kKindPoint, kOpEndpoint, k, {s.object}, {});
                return;
            }
    }
    for (const CScriptStep& s : Steps().Steps())
        if (s.kind == kKindCircle && s.object && Coincide(Vertex(*s.object, 0), p)) {
            Record(point, kKindPoint, kOpCenter, -1, {s.object}, {});
            return;
        }
    Record(point, kKindPoint, kOpNone, -1, {}, {p});
}

void CScriptRecorder::RecordSegment(const CMyObj& segment, int toolCode) {
    if (segment.GetVertexCount() < 2) return;
    const CWorldPoint p0 = Vertex(segment, 0), p1 = Vertex(segment, 1);
    const CMyObj* picked = m_state.m_pPicked;
    switch (toolCode) {
        case kCodePlain: {
            const CMyObj* r0 = RecordedPointAt(p0);
            const CMyObj* r1 = RecordedPointAt(p1);
            if (r0 && r1)
                Record(segment, kKindLine, kOpNone, -1, {r0, r1}, {});
            else if (r0)
                Record(segment, kKindLine, kOpEndpoint, 0, {r0}, {p1});
            else if (r1)
                Record(segment, kKindLine, kOpEndpoint, 1, {r1}, {p0});
            else
                Record(segment, kKindLine, kOpNone, -1, {}, {p0, p1});
            return;
        }
        case kCodeParallel:
        case kCodeOrthogonal: {
            // From the press point (parallel) or to the pointer (orthogonal).
            const CMyObj* line = StepObject(picked, kKindLine);
            if (!line) return;
            const int op = toolCode == kCodeParallel ? kOpParallel : kOpOrthogonal;
            const CWorldPoint q = toolCode == kCodeParallel ? p0 : p1;
            if (const CMyObj* r = RecordedPointAt(q))
                Record(segment, kKindLine, op, -1, {line, r}, {});
            else
                Record(segment, kKindLine, op, -1, {line}, {q});
            return;
        }
        case kCodeTangentsFrom: {
            const CMyObj* circle = StepObject(picked, kKindCircle);
            if (!circle) return;
            const CWorldPoint c = Vertex(*circle, 0);
            CWorldPoint t[2];
            const int n = TangentPoints(p1, c, Distance(c, Vertex(*circle, 1)), t[0], t[1]);
            if (n == 0) return;
            const int sel = SelectorFor(t, n, p0, [&](int k) { return RecordedLine(t[k], p1); });
            if (const CMyObj* r = RecordedPointAt(p1))
                Record(segment, kKindLine, kOpTangent, sel, {circle, r}, {});
            else
                Record(segment, kKindLine, kOpTangent, sel, {circle}, {p1});
            return;
        }
        case kCodeTangentAt: {
            const CMyObj* circle = StepObject(picked, kKindCircle);
            if (!circle) return;
            if (const CMyObj* r = RecordedPointAt(p0))
                Record(segment, kKindLine, kOpTangentAt, -1, {circle, r}, {});
            else
                Record(segment, kKindLine, kOpTangentAt, -1, {circle}, {p0});
            return;
        }
        default:
            return;
    }
}

void CScriptRecorder::RecordCircle(const CMyObj& circle, int toolCode) {
    if (m_state.m_nToolKind != kToolCircle || !circle.IsCircle() || circle.GetVertexCount() < 2)
        return;
    const auto& c = static_cast<const CCircleObj&>(circle);
    const CWorldPoint centre = c.m_points[0], through = c.m_points[1];
    const double radius = Distance(centre, through);
    switch (toolCode) {
        case kCodePlain: {
            const CMyObj* rc = RecordedPointAt(centre);
            const CMyObj* rt = RecordedPointAt(through);
            const CWorldPoint opposite = centre * 2 - through;
            const CMyObj* ro = rc ? nullptr : RecordedPointAt(opposite);
            if (rc && rt)
                Record(circle, kKindCircle, kOpCenter, -1, {rc, rt}, {});
            else if (rc)
                Record(circle, kKindCircle, kOpCenter, 0, {rc}, {through});
            else if (ro && rt)  // drawn on a diameter
                Record(circle, kKindCircle, kOpThrough, -1, {ro, rt}, {});
            else if (ro)
                Record(circle, kKindCircle, kOpThrough, -1, {ro}, {through});
            else if (rt)
                Record(circle, kKindCircle, kOpCenter, 1, {rt}, {centre});
            else
                Record(circle, kKindCircle, kOpCenter, -1, {}, {centre, through});
            return;
        }
        case kCodeThreePoints: {
            // The circle of the first stage is taken over by the second.
            if (c.m_nPressStage == 0) return;
            const CWorldPoint pts[3] = {c.m_q1, c.m_q2, through};
            std::vector<const CMyObj*> refs;
            std::vector<CWorldPoint> free;
            for (const CWorldPoint& p : pts) {
                if (const CMyObj* r = RecordedPointAt(p))
                    refs.push_back(r);
                else
                    free.push_back(p);
            }
            if (refs.size() == 3)
                Record(circle, kKindCircle, kOpThrough, -1, {refs[0], refs[1], refs[2]}, {});
            else if (refs.size() == 2)
                Record(circle, kKindCircle, kOpThrough, -1, {refs[0], refs[1]}, {free[0]});
            else if (refs.size() == 1)
                Record(circle, kKindCircle, kOpThrough, -1, {refs[0]}, {free[0], free[1]});
            else
                Record(circle, kKindCircle, kOpThrough, -1, {}, {free[0], free[1], free[2]});
            return;
        }
        case kCodeTangentThrough2:
        case kCodeTangentTo2Through1:
        case kCodeTangentTo3:
            break;
        default:
            return;
    }
    // The tangent circles: the picked lines and circles, then the points
    // (the press point and the pointer for 705, the pointer for 706).
    std::vector<const CMyObj*> objs;
    if (toolCode == kCodeTangentTo3) {
        objs = {m_state.m_pFirstPicked, m_state.m_pSecondPicked, m_state.m_pPicked};
        // As the construction orders them: lines first.
        std::stable_partition(objs.begin(), objs.end(),
                              [](const CMyObj* o) { return o && o->IsStraight(); });
    } else if (toolCode == kCodeTangentTo2Through1) {
        objs = {m_state.m_pFirstPicked, m_state.m_pPicked};
    } else {
        objs = {m_state.m_pPicked};
    }
    for (const CMyObj* o : objs) {
        const CScriptStep* s = Steps().StepOf(o);
        if (!s || (s->kind != kKindLine && s->kind != kKindCircle)) return;
    }
    std::vector<CWorldPoint> points;
    if (toolCode == kCodeTangentThrough2) points = {m_state.m_press.q[0], through};
    if (toolCode == kCodeTangentTo2Through1) points = {through};
    // Points that are recorded points are referred to, the others written.
    std::vector<const CMyObj*> refs(objs);
    std::vector<CWorldPoint> free;
    for (const CWorldPoint& p : points) {
        if (const CMyObj* r = RecordedPointAt(p))
            refs.push_back(r);
        else
            free.push_back(p);
    }
    // The points in the order the script will hand them to the solver.
    std::vector<CWorldPoint> ordered;
    for (std::size_t k = objs.size(); k < refs.size(); ++k) ordered.push_back(Vertex(*refs[k], 0));
    for (const CWorldPoint& p : free) ordered.push_back(p);
    CircleValue sol[8];
    int n = 0;
    if (objs.size() == 3) {
        n = TangentCircles3(Touch(objs[0]), Touch(objs[1]), Touch(objs[2]), sol);
    } else if (objs.size() == 2) {
        CircleValue four[4];
        n = TangentCirclesThroughPoint(ordered[0], Touch(objs[0]), Touch(objs[1]), four);
        std::copy(four, four + n, sol);
    } else {
        CircleValue two[2];
        n = TangentCirclesThroughTwoPoints(ordered[0], ordered[1], Touch(objs[0]), two);
        std::copy(two, two + n, sol);
    }
    if (n == 0) return;
    CWorldPoint centres[8];
    for (int k = 0; k < n; ++k) centres[k] = sol[k].centre;
    // This circle is already a step of its own: it is not "made before".
    const int sel = SelectorFor(centres, n, centre, [&](int k) {
        return RecordedCircle(sol[k].centre, std::fabs(sol[k].radius));
    });
    (void)radius;
    switch (refs.size() * 4 + free.size()) {
        case 3 * 4 + 0:
            Record(circle, kKindCircle, kOpTangent, sel, {refs[0], refs[1], refs[2]}, {});
            return;
        case 2 * 4 + 1:
            Record(circle, kKindCircle, kOpTangent, sel, {refs[0], refs[1]}, {free[0]});
            return;
        case 1 * 4 + 2:
            Record(circle, kKindCircle, kOpTangent, sel, {refs[0]}, {free[0], free[1]});
            return;
        default:
            return;
    }
}

}  // namespace gyr
