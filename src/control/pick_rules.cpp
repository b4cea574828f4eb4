#include "control/pick_rules.h"

#include <algorithm>
#include <iterator>

#include "constructions/angle_constructions.h"
#include "constructions/arc_constructions.h"
#include "constructions/circle_constructions.h"
#include "constructions/isoptic_constructions.h"
#include "constructions/line_constructions.h"
#include "constructions/transform_copies.h"
#include "constructions/triangle_constructions.h"
#include "math/kernel.h"
#include "model/document.h"

namespace gyr {

namespace {

constexpr unsigned kCorner = kPickAngle | kPickTriangle | kPickParallelogram | kPickPolygon;
constexpr unsigned kStraight = kPickSegment | kPickLine;
constexpr unsigned kCircleOrStraight = kPickCircle | kStraight;
constexpr unsigned kIsoptic2 = kPickIsopticOne | kPickIsopticTwo;
constexpr unsigned kIsoptic3 = kIsoptic2 | kPickIsopticSingular;
constexpr unsigned kIsoptic4 = kIsoptic3 | kPickIsopticConic;
// A rule without classes finds the corner figure (angle, or a corner of a
// triangle, parallelogram or polygon) under the point.
constexpr unsigned kCornerAt = 0;

constexpr int A = kAlwaysPicks;
using S = PickStep;

// A rule without a construction yet picks as the table says and beeps where
// it would construct.
constexpr PickRule kRules[] = {
    // Segments (kind 10) and lines (kind 20).
    {kToolSegment, kCodeCommonTangents, A, S::Construct, kPickCircle, 2, true,
     &CommonTangentsOfPicks},
    {kToolSegment, kCodeQuadrilateral, A, S::Construct, kPickSegment, 2, true,
     &DiagonalTriangleOfPicks},
    {kToolSegment, kCodeDivideInParts, 1, S::Construct, kCorner | kPickSegment | kPickCircle, 1,
     false, &DivideInParts},
    {kToolSegment, kCodeTangentAt, 1, S::Stage, kPickCircle, 1, false, nullptr},
    {kToolSegment, kCodeTangentsFrom, 1, S::Stage, kPickCircle, 1, false, nullptr},
    {kToolSegment, kCodeParallel, 1, S::Stage, kCorner | kStraight, 1, false, nullptr},
    {kToolSegment, kCodeOrthogonal, 1, S::Stage, kCorner | kStraight, 1, false, nullptr},
    {kToolLine, kCodeCommonTangents, A, S::Construct, kPickCircle, 2, true, &CommonTangentsOfPicks},
    {kToolLine, kCodeMiddleOrthogonal, A, S::Construct, kCorner | kStraight, 1, false,
     &MiddleOrthogonalOfSide},
    {kToolLine, kCodeTangentAt, 1, S::Stage, kPickCircle, 1, false, nullptr},
    {kToolLine, kCodeTangentsFrom, 1, S::Stage, kPickCircle, 1, false, nullptr},
    {kToolLine, kCodeParallel, 1, S::Stage, kCorner | kStraight, 1, false, nullptr},
    {kToolLine, kCodeOrthogonal, 1, S::Stage, kCorner | kStraight, 1, false, nullptr},
    // Angles.
    {kToolAngle, kCodeDivideAngle, A, S::Construct, kCornerAt, 1, false, &DividePickedAngle},
    // Triangles.
    {kToolTriangle, kCodeMedians, A, S::Construct, kPickTriangle, 1, false, &MediansOfPick},
    {kToolTriangle, kCodeBisectors, A, S::Construct, kPickTriangle, 1, false, &BisectorsOfPick},
    {kToolTriangle, kCodeHeights, A, S::Construct, kPickTriangle, 1, false, &HeightsOfPick},
    {kToolTriangle, kCodeEnclosingCircle, A, S::Construct, kPickTriangle, 1, false,
     &EnclosingCircleOfPick},
    {kToolTriangle, kCodeInscribedCircles, A, S::Construct, kPickTriangle, 1, false,
     &InscribedCirclesOfPick},
    {kToolTriangle, kCodeEulerCircle, A, S::Construct, kPickTriangle, 1, false, &EulerCircleOfPick},
    {kToolTriangle, kCodeEulerLine, A, S::Construct, kPickTriangle, 1, false, &EulerLineOfPick},
    // Circles.
    {kToolCircle, kCodeApollonianCircle, 1, S::Construct, kPickSegment, 1, false,
     &ApollonianCircleOfPick},
    {kToolCircle, kCodeTangentCentred, 1, S::Stage, kCircleOrStraight, 1, false, nullptr},
    {kToolCircle, kCodeTangentAt, 1, S::Stage, kCircleOrStraight, 1, false, nullptr},
    {kToolCircle, kCodeTangentThrough2, 1, S::Stage, kCircleOrStraight, 1, false, nullptr},
    {kToolCircle, kCodeOrthogonalThrough2, 1, S::Stage, kCircleOrStraight, 1, false, nullptr},
    {kToolCircle, kCodeOrthogonalCentred, 1, S::Stage, kPickCircle, 1, false, nullptr},
    {kToolCircle, kCodeTangentTo2Through1, 2, S::Stage, kCircleOrStraight, 2, false, nullptr},
    {kToolCircle, kCodeOrthogonalTo2Through1, 2, S::Stage, kCircleOrStraight, 2, false, nullptr},
    {kToolCircle, kCodeTangentTo3, A, S::Construct, kCircleOrStraight, 3, false,
     &TangentCirclesTo3},
    {kToolCircle, kCodeRadicalAxis, 2, S::Construct, kPickCircle, 2, false, &RadicalAxisOfPicks},
    {kToolCircle, kCodeInversionInterchanging, 2, S::Construct, kCircleOrStraight, 2, false,
     &InversionInterchangingPicks},
    // Circular arcs.
    {kToolArc, kCodeArcOnAngle, A, S::Construct, kCornerAt, 1, false, &ArcOnPickedAngle},
    {kToolArc, kCodeHyperbolicNext, 1, S::Stage, kPickArc, 1, false, nullptr},
    {kToolArc, kCodeOrthogonal, 1, S::Stage, kPickArc, 1, false, nullptr},
    // Reflect and invert the selection.
    {kToolReflect, kAnyCode, A, S::TransformSelection, kCorner | kStraight, 1, false,
     &ReflectSelection},
    {kToolInvert, kAnyCode, A, S::TransformSelection, kPickCircle, 1, false, &InvertSelection},
    // Isoptics. The other codes of the kind draw.
    {kToolIsoptic, kCodeIsopticSegments, A, S::Construct, kPickSegment, 2, true,
     &IsopticThroughSegments},
    {kToolIsoptic, kCodeIsopticAngle, A, S::Construct, kPickAngle, 1, false, &IsopticOfAngle},
    {kToolIsoptic, kCodeIsopticTwo, A, S::Construct, kIsoptic4, 1, false, &IsopticCousinTwo},
    {kToolIsoptic, kCodeIsopticThree, A, S::Construct, kIsoptic4, 1, false, &IsopticCousinThree},
    {kToolIsoptic, kCodeCanonicalAxes, A, S::Construct, kIsoptic4, 1, false, &IsopticCanonicalAxes},
    {kToolIsoptic, kCodeAsymptote, A, S::Construct, kIsoptic4, 1, false, &IsopticAsymptote},
    {kToolIsoptic, kCodeMiddleLine, A, S::Construct, kIsoptic4, 1, false, &IsopticMiddleLine},
    {kToolIsoptic, kCodeFlexes, A, S::Construct, kIsoptic4, 1, false, &IsopticFlexes},
    {kToolIsoptic, kCodeAngleAnimation, 1, S::Stage, kIsoptic3, 1, false, &StartAngleAnimation},
    {kToolIsoptic, kCodeGroupOperation, 1, S::Stage, kIsoptic2, 1, false, &StartGroupOperation},
    {kToolIsoptic, kCodeMainInvolution, 1, S::Stage, kIsoptic3, 1, false, &StartMainInvolution},
    {kToolIsoptic, kCodeOtherInversions, 1, S::Stage, kIsoptic3, 1, false, &StartOtherInversions},
};

// The topmost object accepted under the point; part is the hit edge.
template <class Accept>
CMyObj* TopmostAt(const CObList& list, const CWorldPoint& p, int& part, Accept accept) {
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        CMyObj* obj = *it;
        if (!accept(obj) || obj->HitTest(p) < 0) continue;
        int edge = 0;
        obj->DistanceTo(p, edge);
        part = edge;
        return obj;
    }
    return nullptr;
}

CMyObj* TopmostEnclosing(const CObList& list, const CWorldPoint& p) {
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (IsCornerFigure(*it) && PointInPolygon((*it)->GetVertices(), (*it)->GetVertexCount(), p))
            return *it;
    return nullptr;
}

// Isoptics are picked by distance rather than by hit, as their own tools
// expect: the nearest one wins, the earliest on a tie.
CMyObj* NearestOf(const CObList& list, const CWorldPoint& p, unsigned classes, int& part) {
    return NearestByDistance(list, p, part, 1e9,
                             [classes](const CMyObj* o) { return MatchesPickClasses(o, classes); });
}

CMyObj* PickAt(const CObList& list, unsigned classes, const CWorldPoint& p, int& part) {
    if (classes == kCornerAt) {
        // A click on the outline wins; else the topmost corner figure that
        // encloses the point, so that one may click inside an angle.
        CMyObj* obj = TopmostAt(list, p, part, IsCornerFigure);
        if (!obj) obj = TopmostEnclosing(list, p);
        if (obj) obj->NearestVertex(p, part);
        return obj;
    }
    if ((classes & ~kIsoptic4) == 0) return NearestOf(list, p, classes, part);
    return TopmostAt(list, p, part,
                     [classes](const CMyObj* o) { return MatchesPickClasses(o, classes); });
}

bool InCatalogue(const CGestureState& state, const CMyObj* obj) {
    const CGyrDoc* doc = state.Document();
    return obj && doc && ListContains(doc->Objects(), obj);
}

// Every pick the construction will read must still be in the document: a
// cut or an undo between two clicks may have taken it away.
bool PicksAlive(const CGestureState& state, int count) {
    if (!InCatalogue(state, state.m_pPicked)) return false;
    if (count >= 2 && !InCatalogue(state, state.m_pFirstPicked)) return false;
    if (count >= 3 && !InCatalogue(state, state.m_pSecondPicked)) return false;
    return true;
}

void Construct(CGestureState& state, const PickRule& rule, unsigned flags, const CWorldPoint& p,
               int count) {
    bool ok = rule.construct && PicksAlive(state, count) && rule.construct(state, flags, p);
    if (!ok) state.Beep();
}

}  // namespace

bool MatchesPickClasses(const CMyObj* obj, unsigned classes) {
    const IsopticVariant variant = obj->GetIsopticVariant();
    return ((classes & kPickSegment) && obj->IsSegment()) ||
           ((classes & kPickLine) && obj->IsLine()) ||
           ((classes & kPickCircle) && obj->IsCircle()) || ((classes & kPickArc) && obj->IsArc()) ||
           ((classes & kPickAngle) && obj->IsAngle()) ||
           ((classes & kPickTriangle) && obj->IsTriangle()) ||
           ((classes & kPickParallelogram) && obj->IsRect()) ||
           ((classes & kPickPolygon) && obj->IsPolygon()) ||
           ((classes & kPickIsopticOne) && variant == IsopticVariant::One) ||
           ((classes & kPickIsopticTwo) && variant == IsopticVariant::Two) ||
           ((classes & kPickIsopticSingular) && variant == IsopticVariant::Singular) ||
           ((classes & kPickIsopticConic) && variant == IsopticVariant::Conic);
}

bool PickTest(int kind, int code, int stage) {
    const PickRule* rule = FindPickRule(kind, code);
    return rule && stage < rule->pickBelowStage;
}

const PickRule* FindPickRule(int kind, int code) {
    auto it = std::find_if(std::begin(kRules), std::end(kRules), [&](const PickRule& r) {
        return r.kind == kind && (r.code == code || r.code == kAnyCode);
    });
    return it == std::end(kRules) ? nullptr : &*it;
}

std::span<const PickRule> PickRules() {
    return kRules;
}

void RunPickRule(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    if (const PickRule* rule = FindPickRule(state.m_nToolKind, state.m_nToolCode))
        ApplyPickRule(state, *rule, flags, p);
}

void ApplyPickRule(CGestureState& state, const PickRule& rule, unsigned flags,
                   const CWorldPoint& p) {
    CGyrDoc* doc = state.Document();
    if (!doc) return;
    const bool shift = (flags & kMkShift) != 0;

    // The second phase of the transformations uses the object kept from the
    // first; it picks nothing more.
    if (state.m_nStage >= 1 && rule.step == PickStep::TransformSelection) {
        Construct(state, rule, flags, p, 1);
        if (shift) state.m_nStage = 0;
        return;
    }

    int part = 0;
    CMyObj* obj = PickAt(doc->Objects(), rule.classes, p, part);
    if (!obj || (rule.distinct && state.m_nStage >= 1 && obj == state.m_pFirstPicked)) {
        state.Beep();
        return;
    }

    const int pick = state.m_nStage;  // picks made before this one
    if (pick == 0) state.m_pFirstPicked = obj;
    if (pick == 1) state.m_pSecondPicked = obj;
    state.m_pPicked = obj;
    state.m_nPart = part;

    if (pick + 1 < rule.count) {
        state.m_nStage = pick + 1;
        return;
    }
    switch (rule.step) {
        case PickStep::Stage:
            // A staged tool may make something of its pick first (the
            // circles of the isoptic inversions); when it cannot, it beeps
            // and waits for another pick.
            if (rule.construct &&
                !(PicksAlive(state, rule.count) && rule.construct(state, flags, p))) {
                state.Beep();
                state.m_nStage = 0;
                break;
            }
            state.m_nStage = pick + 1;
            break;
        case PickStep::TransformSelection:
            state.m_nStage = pick + 1;
            break;
        case PickStep::Construct:
            state.m_nStage = 0;
            Construct(state, rule, flags, p, rule.count);
            break;
    }
}

}  // namespace gyr
