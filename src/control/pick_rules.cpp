#include "control/pick_rules.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "model/document.h"
#include "control/gyr_view.h"

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

// The constructions belong to the figures' own layers and are installed by
// them; a rule whose construction is still missing picks as the table says
// and beeps where it would construct.
PickRule g_rules[] = {
    // Segments (kind 10) and lines (kind 20).
    {10, 102, A, S::Construct, kPickCircle, 2, true, nullptr},
    {10, 104, A, S::Construct, kPickSegment, 2, true, nullptr},
    {10, 202, A, S::Construct, kCorner | kStraight, 1, false, nullptr},
    {10, 105, 1, S::Construct, kCorner | kPickSegment | kPickCircle, 1, false, nullptr},
    {10, 704, 1, S::Stage, kPickCircle, 1, false, nullptr},
    {10, 21050, 1, S::Stage, kPickCircle, 1, false, nullptr},
    {10, 10010, 1, S::Stage, kCorner | kStraight, 1, false, nullptr},
    {10, 10030, 1, S::Stage, kCorner | kStraight, 1, false, nullptr},
    {20, 102, A, S::Construct, kPickCircle, 2, true, nullptr},
    {20, 104, A, S::Construct, kPickSegment, 2, true, nullptr},
    {20, 202, A, S::Construct, kCorner | kStraight, 1, false, nullptr},
    {20, 105, 1, S::Construct, kCorner | kPickSegment | kPickCircle, 1, false, nullptr},
    {20, 704, 1, S::Stage, kPickCircle, 1, false, nullptr},
    {20, 21050, 1, S::Stage, kPickCircle, 1, false, nullptr},
    {20, 10010, 1, S::Stage, kCorner | kStraight, 1, false, nullptr},
    {20, 10030, 1, S::Stage, kCorner | kStraight, 1, false, nullptr},
    // Angles.
    {40, 401, A, S::Construct, kCornerAt, 1, false, nullptr},
    // Triangles.
    {50, 501, A, S::Construct, kPickTriangle, 1, false, nullptr},
    {50, 502, A, S::Construct, kPickTriangle, 1, false, nullptr},
    {50, 503, A, S::Construct, kPickTriangle, 1, false, nullptr},
    {50, 504, A, S::Construct, kPickTriangle, 1, false, nullptr},
    {50, 505, A, S::Construct, kPickTriangle, 1, false, nullptr},
    {50, 506, A, S::Construct, kPickTriangle, 1, false, nullptr},
    {50, 507, A, S::Construct, kPickTriangle, 1, false, nullptr},
    // Circles.
    {70, 701, 1, S::Construct, kPickSegment, 1, false, nullptr},
    {70, 703, 1, S::Stage, kCircleOrStraight, 1, false, nullptr},
    {70, 704, 1, S::Stage, kCircleOrStraight, 1, false, nullptr},
    {70, 705, 1, S::Stage, kCircleOrStraight, 1, false, nullptr},
    {70, 710, 1, S::Stage, kCircleOrStraight, 1, false, nullptr},
    {70, 708, 1, S::Stage, kPickCircle, 1, false, nullptr},
    {70, 706, 2, S::Stage, kCircleOrStraight, 2, false, nullptr},
    {70, 709, 2, S::Stage, kCircleOrStraight, 2, false, nullptr},
    {70, 707, A, S::Construct, kCircleOrStraight, 3, false, nullptr},
    {70, 711, 2, S::Construct, kPickCircle, 2, false, nullptr},
    {70, 712, 2, S::Construct, kCircleOrStraight, 2, false, nullptr},
    // Circular arcs.
    {80, 802, A, S::CornerThenPoint, kCornerAt, 1, false, nullptr},
    {80, 805, 1, S::Stage, kPickArc, 1, false, nullptr},
    {80, 10030, 1, S::Stage, kPickArc, 1, false, nullptr},
    // Reflect and invert the selection.
    {201, kAnyCode, A, S::TransformSelection, kCorner | kStraight, 1, false, nullptr},
    {702, kAnyCode, A, S::TransformSelection, kPickCircle, 1, false, nullptr},
    // Isoptics. The other codes of the kind draw.
    {20000, 20030, A, S::Construct, kPickSegment, 2, true, nullptr},
    {20000, 20040, A, S::Construct, kPickAngle, 1, false, nullptr},
    {20000, 20101, A, S::Construct, kIsoptic4, 1, false, nullptr},
    {20000, 20102, A, S::Construct, kIsoptic4, 1, false, nullptr},
    {20000, 20501, A, S::Construct, kIsoptic4, 1, false, nullptr},
    {20000, 20502, A, S::Construct, kIsoptic4, 1, false, nullptr},
    {20000, 20503, A, S::Construct, kIsoptic4, 1, false, nullptr},
    {20000, 20504, A, S::Construct, kIsoptic4, 1, false, nullptr},
    {20000, 40, 1, S::Construct, kIsoptic3, 1, false, nullptr},
    {20000, 21010, 1, S::Construct, kIsoptic2, 1, false, nullptr},
    {20000, 21020, 1, S::Construct, kIsoptic3, 1, false, nullptr},
    {20000, 21060, 1, S::Construct, kIsoptic3, 1, false, nullptr},
};

PickRule* FindMutableRule(int kind, int code) {
    auto it = std::find_if(std::begin(g_rules), std::end(g_rules), [&](const PickRule& r) {
        return r.kind == kind && (r.code == code || r.code == kAnyCode);
    });
    return it == std::end(g_rules) ? nullptr : &*it;
}

bool IsCornerFigure(const CMyObj* obj) {
    return obj->IsAngle() || obj->IsTriangle() || obj->IsRect() || obj->IsPolygon();
}

bool HasClassName(const CMyObj* obj, const char* name) {
    return std::strcmp(obj->GetRuntimeClass()->m_lpszClassName, name) == 0;
}

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

// Isoptics are picked by distance rather than by hit, as their own tools
// expect: the nearest one wins, the earliest on a tie.
CMyObj* NearestOf(const CObList& list, const CWorldPoint& p, unsigned classes, int& part) {
    CMyObj* found = nullptr;
    double best = 1e9;
    for (CMyObj* obj : list) {
        if (!MatchesPickClasses(obj, classes)) continue;
        int edge = 0;
        double d = obj->DistanceTo(p, edge);
        if (d < best) {
            best = d;
            found = obj;
            part = edge;
        }
    }
    return found;
}

CMyObj* PickAt(const CObList& list, unsigned classes, const CWorldPoint& p, int& part) {
    if (classes == kCornerAt) {
        CMyObj* obj = TopmostAt(list, p, part, IsCornerFigure);
        if (obj) obj->NearestVertex(p, part);
        return obj;
    }
    if ((classes & ~kIsoptic4) == 0) return NearestOf(list, p, classes, part);
    return TopmostAt(list, p, part,
                     [classes](const CMyObj* o) { return MatchesPickClasses(o, classes); });
}

bool InCatalogue(const CGyrView& view, const CMyObj* obj) {
    const CGyrDoc* doc = view.GetDocument();
    return obj && doc && ListContains(doc->Objects(), obj);
}

// Every pick the construction will read must still be in the document: a
// cut or an undo between two clicks may have taken it away.
bool PicksAlive(const CGyrView& view, int count) {
    if (!InCatalogue(view, view.m_pPicked)) return false;
    if (count >= 2 && !InCatalogue(view, view.m_pFirstPicked)) return false;
    if (count >= 3 && !InCatalogue(view, view.m_pSecondPicked)) return false;
    return true;
}

void Construct(CGyrView& view, const PickRule& rule, unsigned flags, const CWorldPoint& p,
               int count) {
    bool ok = rule.construct && PicksAlive(view, count) && rule.construct(view, flags, p);
    if (!ok) view.Beep();
}

}  // namespace

bool MatchesPickClasses(const CMyObj* obj, unsigned classes) {
    return ((classes & kPickSegment) && obj->IsSegment()) ||
           ((classes & kPickLine) && obj->IsLine()) ||
           ((classes & kPickCircle) && obj->IsCircle()) || ((classes & kPickArc) && obj->IsArc()) ||
           ((classes & kPickAngle) && obj->IsAngle()) ||
           ((classes & kPickTriangle) && obj->IsTriangle()) ||
           ((classes & kPickParallelogram) && obj->IsRect()) ||
           ((classes & kPickPolygon) && obj->IsPolygon()) ||
           ((classes & kPickIsopticOne) && HasClassName(obj, "CIsopticOne")) ||
           ((classes & kPickIsopticTwo) && HasClassName(obj, "CIsopticTwo")) ||
           ((classes & kPickIsopticSingular) && HasClassName(obj, "CIsopticSingular")) ||
           ((classes & kPickIsopticConic) && HasClassName(obj, "CIsopticConic"));
}

bool PickTest(int kind, int code, int stage) {
    const PickRule* rule = FindPickRule(kind, code);
    return rule && stage < rule->pickBelowStage;
}

const PickRule* FindPickRule(int kind, int code) {
    return FindMutableRule(kind, code);
}

PickConstruction SetPickConstruction(int kind, int code, PickConstruction construct) {
    PickRule* rule = FindMutableRule(kind, code);
    if (!rule) return nullptr;
    PickConstruction old = rule->construct;
    rule->construct = construct;
    return old;
}

void RunPickRule(CGyrView& view, unsigned flags, const CWorldPoint& p) {
    const PickRule* rule = FindPickRule(view.m_nToolKind, view.m_nToolCode);
    CGyrDoc* doc = view.GetDocument();
    if (!rule || !doc) return;
    const bool shift = (flags & kMkShift) != 0;

    // The second phase of the two-phase rules uses the object kept from the
    // first; it picks nothing more.
    if (view.m_nStage >= 1 &&
        (rule->step == PickStep::TransformSelection || rule->step == PickStep::CornerThenPoint)) {
        Construct(view, *rule, flags, p, 1);
        if (rule->step == PickStep::CornerThenPoint || shift) view.m_nStage = 0;
        return;
    }

    int part = 0;
    CMyObj* obj = PickAt(doc->Objects(), rule->classes, p, part);
    if (!obj || (rule->distinct && view.m_nStage >= 1 && obj == view.m_pFirstPicked)) {
        view.Beep();
        return;
    }

    const int pick = view.m_nStage;  // picks made before this one
    if (pick == 0) view.m_pFirstPicked = obj;
    if (pick == 1) view.m_pSecondPicked = obj;
    view.m_pPicked = obj;
    view.m_nPart = part;

    if (pick + 1 < rule->count) {
        view.m_nStage = pick + 1;
        return;
    }
    switch (rule->step) {
        case PickStep::Stage:
        case PickStep::TransformSelection:
        case PickStep::CornerThenPoint:
            view.m_nStage = pick + 1;
            break;
        case PickStep::Construct:
            view.m_nStage = 0;
            Construct(view, *rule, flags, p, rule->count);
            break;
    }
}

}  // namespace gyr
