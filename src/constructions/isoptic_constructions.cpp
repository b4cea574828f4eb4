#include "constructions/isoptic_constructions.h"

#include <cmath>
#include <utility>

#include "constructions/construction_support.h"
#include "figures/angle_obj.h"
#include "figures/circle_obj.h"
#include "figures/isoptic_obj.h"
#include "figures/line_obj.h"
#include "figures/point_obj.h"
#include "figures/segment_obj.h"
#include "figures/text_obj.h"
#include "math/isoptic.h"
#include "math/isoptic_derived.h"
#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/program_state.h"

namespace gyr {

namespace {

bool Shown(CGestureState& state, CIsoptic* obj) {
    if (!obj) return false;
    state.Repaint(obj->GetInvalidRect());
    return true;
}

}  // namespace

bool IsopticThroughSegments(CGestureState& state, unsigned, const CWorldPoint&) {
    const CMyObj* first = state.m_pFirstPicked;
    const CMyObj* second = state.m_pPicked;
    if (!first || !second || first == second || !first->IsSegment() || !second->IsSegment() ||
        first->GetVertexCount() < 2 || second->GetVertexCount() < 2)
        return false;
    const CWorldPoint* ab = first->GetVertices();
    const CWorldPoint* cd = second->GetVertices();
    return Shown(state, AddIsopticThrough(state.Document(), ab[0], ab[1], cd[0], cd[1]));
}

bool IsopticOfAngle(CGestureState& state, unsigned, const CWorldPoint&) {
    const CMyObj* angle = state.m_pPicked;
    if (!angle || !angle->IsAngle() || angle->GetVertexCount() < 3) return false;
    const CWorldPoint* v = angle->GetVertices();
    return Shown(state, AddIsoptic(state.Document(), DefineAngleIsoptic(v[0], v[1], v[2])));
}

// ---------------------------------------------------------------- on a picked cubic

namespace {

bool IsGeneral(const CMyObj* obj) {
    const IsopticVariant v = obj->GetIsopticVariant();
    return v == IsopticVariant::One || v == IsopticVariant::Two || v == IsopticVariant::Singular;
}

bool IsSound(const CIsoptic& cubic) {
    return cubic.Frame().IsSound() && cubic.Constants().IsFinite();
}

// The picked cubic when it is still in the document and its data can be
// used (a file may hold a broken frame): null otherwise.
CIsoptic* PickedCubic(CGestureState& state, bool generalOnly) {
    CMyObj* obj = state.m_pPicked;
    if (!IsAlive(state, obj) || obj->GetIsopticVariant() == IsopticVariant::None) return nullptr;
    if (generalOnly && !IsGeneral(obj)) return nullptr;
    auto* cubic = static_cast<CIsoptic*>(obj);
    return IsSound(*cubic) ? cubic : nullptr;
}

// The nearest cubic of any of the four classes to p, the earliest on a tie.
CIsoptic* NearestCubic(CGestureState& state, const CWorldPoint& p, bool generalOnly) {
    CGyrDoc* doc = state.Document();
    if (!doc) return nullptr;
    int edge = 0;
    CMyObj* obj = NearestByDistance(doc->Objects(), p, edge, 1e9, [](const CMyObj* o) {
        return o->GetIsopticVariant() != IsopticVariant::None;
    });
    // A conic nearest to a press of a general-only command refuses it.
    if (!obj || (generalOnly && !IsGeneral(obj))) return nullptr;
    auto* cubic = static_cast<CIsoptic*>(obj);
    return IsSound(*cubic) ? cubic : nullptr;
}

// The foot of the normal from world p on the cubic (or the conic's
// hyperbola), in canonical and world coordinates. False when the solver
// fails.
bool FootOn(const CIsoptic& cubic, const CWorldPoint& p, CWorldPoint& canonical,
            CWorldPoint& world) {
    if (!IsFinitePoint(p)) return false;
    const CIsopticFrame f = cubic.Frame();
    cubic.LoadCurrent();
    const CWorldPoint c = f.ToCanonical(p);
    ProgramState().isoptic.reference = c;
    CWorldPoint foot;
    const int code = cubic.GetIsopticVariant() == IsopticVariant::Conic
                         ? HyperbolaFootOfNormal(cubic.m_a, c, foot)
                         : CubicFootOfNormal(cubic.Constants(), c, foot);
    if (code != 0) return false;
    const CWorldPoint w = f.ToWorld(foot);
    if (!IsFinitePoint(foot) || !IsFinitePoint(w)) return false;
    canonical = foot;
    world = w;
    return true;
}

// A line through two distinct finite points, fitted to the sheet.
bool LineThrough(CGestureState& state, const CWorldPoint& a, const CWorldPoint& b) {
    if (!IsFinitePoint(a) || !IsFinitePoint(b) || Coincide(a, b)) return false;
    MakeLine(state, a, b, {});
    return true;
}

void PointAt(CGestureState& state, const CWorldPoint& p) {
    if (CGyrDoc* doc = state.Document()) AddPoint(*doc, p);
}

bool Cousin(CGestureState& state, int swapWith) {
    CMyObj* obj = state.m_pPicked;
    if (!IsAlive(state, obj) || obj->GetIsopticVariant() == IsopticVariant::None) return false;
    const auto* cubic = static_cast<const CIsoptic*>(obj);
    CWorldPoint pts[4] = {cubic->m_pts[0], cubic->m_pts[1], cubic->m_pts[2], cubic->m_pts[3]};
    for (const CWorldPoint& q : pts)
        if (!IsFinitePoint(q)) return false;
    std::swap(pts[swapWith], pts[3]);
    return Shown(state, AddIsopticThrough(state.Document(), pts[0], pts[1], pts[2], pts[3]));
}

}  // namespace

bool IsopticCousinTwo(CGestureState& state, unsigned, const CWorldPoint&) {
    return Cousin(state, 2);
}

bool IsopticCousinThree(CGestureState& state, unsigned, const CWorldPoint&) {
    return Cousin(state, 1);
}

bool IsopticCanonicalAxes(CGestureState& state, unsigned, const CWorldPoint&) {
    const CIsoptic* cubic = PickedCubic(state, false);
    if (!cubic) return false;
    const CWorldPoint o = cubic->m_origin;
    return LineThrough(state, o, o + cubic->m_axisX) && LineThrough(state, o, o + cubic->m_axisY);
}

bool IsopticAsymptote(CGestureState& state, unsigned, const CWorldPoint&) {
    const CIsoptic* cubic = PickedCubic(state, true);
    if (!cubic) return false;
    const CIsopticFrame f = cubic->Frame();
    const CWorldPoint p = f.ToWorld({cubic->m_a, 0});
    if (!LineThrough(state, p, p + f.ey)) return false;
    const IsopticVariant v = cubic->GetIsopticVariant();
    if ((v == IsopticVariant::One || v == IsopticVariant::Two) && cubic->m_c != 0) {
        const CWorldPoint meet = f.ToWorld({cubic->m_a, -cubic->m_a * cubic->m_b / cubic->m_c});
        if (IsFinitePoint(meet)) PointAt(state, meet);
    }
    return true;
}

bool IsopticMiddleLine(CGestureState& state, unsigned, const CWorldPoint&) {
    const CIsoptic* cubic = PickedCubic(state, true);
    if (!cubic) return false;
    const CIsopticFrame f = cubic->Frame();
    const CWorldPoint p = f.ToWorld({cubic->m_a / 2, 0});
    return LineThrough(state, p, p + f.ey);
}

bool IsopticFlexes(CGestureState& state, unsigned, const CWorldPoint&) {
    CIsoptic* cubic = PickedCubic(state, true);
    if (!cubic) return false;
    const int n = cubic->FindFlexes();
    for (int i = 0; i < n; ++i) PointAt(state, cubic->m_extra[i]);
    return n > 0;
}

// ---------------------------------------------------------------- staged tools

bool StartGroupOperation(CGestureState& state, unsigned, const CWorldPoint&) {
    CIsoptic* cubic = PickedCubic(state, true);
    // Without flexes Shift still chooses any point of the curve as N.
    return cubic && cubic->FindFlexes() >= 0;
}

bool StartMainInvolution(CGestureState& state, unsigned, const CWorldPoint&) {
    const CIsoptic* cubic = PickedCubic(state, true);
    if (!cubic) return false;
    const double r = MainInvolutionRadius(cubic->Constants());
    if (!(r > 0) || !std::isfinite(r)) return false;
    MakeCircle(state, cubic->m_origin, r, {});
    return true;
}

namespace {

int CirclesOf(const CIsoptic& cubic, CInversionCircle circles[4]) {
    const IsopticVariant v = cubic.GetIsopticVariant();
    const CubicClass cls = v == IsopticVariant::Two        ? CubicClass::Two
                           : v == IsopticVariant::Singular ? CubicClass::Singular
                                                           : CubicClass::One;
    // The interval ends from the constants, not as a file stored them; a
    // class the constants contradict has no circles.
    const CIsopticConstants k = cubic.Constants();
    if (ClassifyCubic(k) != cls) return 0;
    const int n = InversionCircles(cls, k, IsopticIntervals(cls, k).x, circles);
    for (int i = 0; i < n; ++i) circles[i].centre = cubic.Frame().ToWorld(circles[i].centre);
    for (int i = 0; i < n; ++i)
        if (!IsFinitePoint(circles[i].centre)) return 0;
    return n;
}

}  // namespace

bool StartOtherInversions(CGestureState& state, unsigned, const CWorldPoint&) {
    const CIsoptic* cubic = PickedCubic(state, true);
    if (!cubic) return false;
    CInversionCircle circles[4];
    const int n = CirclesOf(*cubic, circles);
    for (int i = 0; i < n; ++i) MakeCircle(state, circles[i].centre, std::fabs(circles[i].rho), {});
    return n > 0;
}

bool StartAngleAnimation(CGestureState& state, unsigned, const CWorldPoint&) {
    return PickedCubic(state, true) != nullptr;
}

CMyObj* PressGroupOperation(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    CIsoptic* cubic = PickedCubic(state, true);
    if (!cubic) return PressFailed(state);
    const bool shift = (flags & kMkShift) != 0;
    if (state.m_nStage >= 2 && (flags & kMkControl)) {
        // Leaves the tool: the view follows with the selection tool.
        state.m_nToolKind = kToolSelect;
        state.m_nToolCode = kCodePlain;
        state.m_nStage = 0;
        state.ClearPicks();
        return nullptr;
    }
    if (state.m_nStage >= 2 && shift) {
        state.m_nStage = 1;
        return nullptr;
    }
    CWorldPoint* kept = state.m_press.q;  // [0] N, [1] P, canonical
    CWorldPoint c, w;
    if (state.m_nStage <= 1) {
        if (shift) {
            if (!FootOn(*cubic, p, c, w)) {
                state.Beep();
                return nullptr;
            }
        } else {
            const int n = cubic->FindFlexes();
            int nearest = -1;
            double best = 1e10;
            for (int i = 0; i < n; ++i) {
                const double d = Distance(cubic->m_extra[i], p);
                if (d < best) {
                    best = d;
                    nearest = i;
                }
            }
            if (nearest < 0) {
                state.Beep();
                return nullptr;
            }
            w = cubic->m_extra[nearest];
            c = cubic->Frame().ToCanonical(w);
        }
        kept[0] = c;
        PointAt(state, w);
        const PixelPoint at = WorldToPixel(w);
        if (CTextObj* label =
                CreateTextBox(state, "O", 0, {at.x + 4, at.y - 22, at.x + 20, at.y - 4}))
            state.Deselect(label);
        state.m_nStage = 2;
        return nullptr;
    }
    if (!FootOn(*cubic, p, c, w)) {
        state.Beep();
        return nullptr;
    }
    if (state.m_nStage == 2) {
        kept[1] = c;
        PointAt(state, w);
        state.m_nStage = 3;
        return nullptr;
    }
    CWorldPoint sum;
    if (!CubicGroupSum(cubic->Constants(), kept[0], kept[1], c, sum) ||
        !IsFinitePoint(cubic->Frame().ToWorld(sum))) {
        state.Beep();
        return nullptr;
    }
    PointAt(state, w);
    PointAt(state, cubic->Frame().ToWorld(sum));
    state.m_nStage = 2;
    return nullptr;
}

CMyObj* PressMainInvolution(CGestureState& state, unsigned, const CWorldPoint& p) {
    const CIsoptic* cubic = PickedCubic(state, true);
    if (!cubic) return PressFailed(state);
    const CIsopticFrame f = cubic->Frame();
    CWorldPoint image;
    if (!IsFinitePoint(p) || !MainInvolutionImage(cubic->Constants(), f.ToCanonical(p), image) ||
        !IsFinitePoint(f.ToWorld(image))) {
        state.Beep();
        return nullptr;
    }
    MakeSegment(state, cubic->m_origin, p, {});
    MakeSegment(state, cubic->m_origin, f.ToWorld(image), {});
    return nullptr;
}

CMyObj* PressOtherInversions(CGestureState& state, unsigned, const CWorldPoint& p) {
    const CIsoptic* cubic = PickedCubic(state, true);
    if (!cubic) return PressFailed(state);
    CInversionCircle circles[4];
    const int n = CirclesOf(*cubic, circles);
    int nearest = -1;
    double best = 1e10;
    for (int i = 0; i < n; ++i) {
        const double d = std::fabs(Distance(p, circles[i].centre) - std::fabs(circles[i].rho));
        if (d < best) {
            best = d;
            nearest = i;
        }
    }
    CWorldPoint image;
    if (nearest < 0 || !IsFinitePoint(p) ||
        !InvertPoint(p, circles[nearest].centre, circles[nearest].rho, image)) {
        state.Beep();
        return nullptr;
    }
    const CWorldPoint k = circles[nearest].centre;
    MakeSegment(state, k, p, {});
    PointAt(state, image);
    MakeSegment(state, k, image, {});
    return nullptr;
}

namespace {

// The angles follow the foot of the pointer on the cubic loaded at the
// press (the current cubic of the program state); A..D are in the press
// input. Where the solver fails the angle stays.
void FollowAngleAnimation(CShapeObj& obj, CGestureState& state, const CWorldPoint& p, unsigned) {
    if (obj.m_nPoints < 3 || !IsFinitePoint(p)) return;
    const CIsopticSettings& s = ProgramState().isoptic;
    CWorldPoint foot;
    if (CubicFootOfNormal(s.constants, s.frame.ToCanonical(p), foot) != 0) return;
    const CWorldPoint w = s.frame.ToWorld(foot);
    if (!IsFinitePoint(w)) return;
    const CWorldPoint* q = state.m_press.q;
    const int first = obj.m_follow.solution == 0 ? 0 : 2;
    obj.m_points[0] = q[first];
    obj.m_points[1] = w;
    obj.m_points[2] = q[first + 1];
}

}  // namespace

CMyObj* PressAngleAnimation(CGestureState& state, unsigned, const CWorldPoint& p) {
    const CIsoptic* cubic = PickedCubic(state, true);
    if (!cubic) return PressFailed(state);
    CWorldPoint c, w;
    if (!FootOn(*cubic, p, c, w)) {
        state.Beep();
        return nullptr;
    }
    for (int i = 0; i < 4; ++i) state.m_press.q[i] = cubic->m_pts[i];
    cubic->LoadCurrent();
    CAngle* first = MakeAngle(state, cubic->m_pts[0], w, cubic->m_pts[1], {.collect = true});
    first->FollowBy(&FollowAngleAnimation, 0);
    CAngle* second = MakeAngle(state, cubic->m_pts[2], w, cubic->m_pts[3], {.collect = true});
    second->FollowBy(&FollowAngleAnimation, 1);
    return nullptr;
}

CMyObj* PressIsopticBisectors(CGestureState& state, unsigned, const CWorldPoint& p) {
    const CIsoptic* cubic = NearestCubic(state, p, true);
    CWorldPoint c, w;
    if (!cubic || !FootOn(*cubic, p, c, w)) {
        state.Beep();
        return nullptr;
    }
    CWorldPoint plus, minus;
    BisectorPoints(c, plus, minus);
    const CIsopticFrame f = cubic->Frame();
    const bool one = LineThrough(state, w, f.ToWorld(plus));
    const bool two = LineThrough(state, w, f.ToWorld(minus));
    if (!one && !two) state.Beep();
    return nullptr;
}

CMyObj* PressIsopticTangentAt(CGestureState& state, unsigned, const CWorldPoint& p) {
    const CIsoptic* cubic = NearestCubic(state, p, false);
    CWorldPoint c, w;
    if (!cubic || !FootOn(*cubic, p, c, w)) {
        state.Beep();
        return nullptr;
    }
    CLine* line = cubic->MakeTangentLine(state.Document(), w);
    if (!line) {
        state.Beep();
        return nullptr;
    }
    line->Finish(state, {.recalc = false});
    return nullptr;
}

CMyObj* PressIsopticTangentsFrom(CGestureState& state, unsigned, const CWorldPoint& p) {
    const CIsoptic* cubic = NearestCubic(state, p, true);
    CWorldPoint c, w;
    if (!cubic || !FootOn(*cubic, p, c, w)) {
        state.Beep();
        return nullptr;
    }
    CWorldPoint touch[4];
    const int n = TangentPointsFrom(cubic->Constants(), c, touch);
    bool made = false;
    for (int i = 0; i < n; ++i) made |= LineThrough(state, w, cubic->Frame().ToWorld(touch[i]));
    if (!made) state.Beep();
    return nullptr;
}

}  // namespace gyr
