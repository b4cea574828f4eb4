#include "figures/intersection_obj.h"

#include <cmath>

#include "figures/circle_obj.h"
#include "figures/compo_obj.h"
#include "figures/intersection_walk.h"
#include "math/kernel.h"

namespace gyr {

GYR_IMPLEMENT_SERIAL(CIntersectionObj, CObject)

int LineLine(const CWorldPoint& a0, const CWorldPoint& a1, const CWorldPoint& b0,
             const CWorldPoint& b1, CWorldPoint& x) {
    return LineIntersection(a0, a1, b0, b1, x) ? 1 : 0;
}

int SegmentSegment(const CWorldPoint& a0, const CWorldPoint& a1, const CWorldPoint& b0,
                   const CWorldPoint& b1, CWorldPoint& x) {
    if (!LineLine(a0, a1, b0, b1, x)) return 0;
    const int a = OnSegment(x, a0, a1) ? 1 : 0;
    const int b = OnSegment(x, b0, b1) ? 1 : 0;
    const int r = a + 2 * b - 3;
    return r == 0 ? 1 : r;
}

int LineCircle(const CWorldPoint& c, double r, const CWorldPoint& a0, const CWorldPoint& a1,
               CWorldPoint& x1, CWorldPoint& x2) {
    return CircleLineIntersection(c, r, a0, a1, x1, x2);
}

int CircleCircle(const CWorldPoint& c1, double r1, const CWorldPoint& c2, double r2,
                 CWorldPoint& x1, CWorldPoint& x2) {
    return CircleCircleIntersection(c1, r1, c2, r2, x1, x2);
}

IntersectionKind ClassifyForIntersection(const CMyObj& obj) {
    if (!obj.IsShape()) return IntersectionKind::None;
    if (obj.IsStraight()) return IntersectionKind::Straight;
    // A point is not a circle here: it is a shape whose outline is the short
    // edge from its centre to its second vertex.
    if (obj.IsCircle() || obj.IsArc()) return IntersectionKind::Circle;
    if (obj.IsCurve()) return IntersectionKind::Curve;
    return IntersectionKind::Shape;
}

namespace {

void AddPolyline(CIsectFigure& f, const CWorldPoint* v, int n, bool closed) {
    CIsectPolyline pl;
    pl.v = v;
    pl.n = n;
    pl.closed = closed;
    pl.firstEdge =
        f.polylines.empty() ? 0 : f.polylines.back().firstEdge + f.polylines.back().EdgeCount();
    const int edges = pl.EdgeCount();
    if (edges == 0) return;
    const int index = int(f.polylines.size());
    f.polylines.push_back(pl);
    for (int begin = 0; begin < edges; begin += CIsectFigure::kChunkEdges) {
        CIsectChunk c;
        c.polyline = index;
        c.begin = begin;
        c.end = std::min(edges, begin + CIsectFigure::kChunkEdges);
        CWorldPoint e0, e1;
        for (int e = c.begin; e < c.end; ++e) {
            pl.Edge(e, e0, e1);
            c.box.Add(e0);
            c.box.Add(e1);
        }
        f.box.Add(c.box);
        f.chunks.push_back(c);
    }
}

}  // namespace

void PrepareFigure(const CMyObj& obj, CIsectFigure& f) {
    f = CIsectFigure{};
    const IntersectionKind kind = ClassifyForIntersection(obj);
    const CWorldPoint* v = obj.GetVertices();
    const int n = v ? obj.GetVertexCount() : 0;
    switch (kind) {
        case IntersectionKind::None:
            return;
        case IntersectionKind::Straight:
            if (n < 2) return;
            f.a0 = v[0];
            f.a1 = v[1];
            break;
        case IntersectionKind::Circle: {
            if (n < 1) return;
            f.centre = v[0];
            // An arc stands for its full circle: same centre, same radius.
            const auto* circle = dynamic_cast<const CCircleObj*>(&obj);
            f.radius = circle ? circle->m_radius : (n > 1 ? Distance(v[0], v[1]) : 0.0);
            const double r = std::fabs(f.radius);
            f.box = {f.centre.x - r, f.centre.y - r, f.centre.x + r, f.centre.y + r};
            break;
        }
        case IntersectionKind::Curve:
            if (const auto* curve = dynamic_cast<const CompoObj*>(&obj)) {
                for (const Compo* c : curve->m_compos)
                    if (c) AddPolyline(f, c->Points(), c->Count(), c->IsClosed());
                break;
            }
            AddPolyline(f, v, n, obj.IsClosed());
            break;
        case IntersectionKind::Shape:
            AddPolyline(f, v, n, obj.IsClosed());
            break;
    }
    f.kind = kind;
}

namespace {

struct CollectPoints {
    static constexpr bool kPrunes = false;
    bool SkipBox(const CIsectBox&, const CIsectBox&) { return false; }
    bool SkipLine(const CWorldPoint&, const CWorldPoint&, const CIsectBox&) { return false; }
    void Found(const CWorldPoint& x, int, int, int) { points.push_back(x); }
    std::vector<CWorldPoint>& points;
};

}  // namespace

void CIntersectionObj::Compute() {
    auto result = std::make_unique<Compo>();
    if (m_pFirst && m_pSecond) {
        CIsectFigure first, second;
        PrepareFigure(*m_pFirst, first);
        PrepareFigure(*m_pSecond, second);
        CollectPoints collect{result->m_points};
        WalkPair(first, second, collect);
    }
    m_pResult = std::move(result);
}

bool CIntersectionObj::GetPoint(int i, CWorldPoint& point) const {
    if (i < 0 || i >= GetCount()) return false;
    point = m_pResult->m_points[std::size_t(i)];
    return true;
}

void CIntersectionObj::ExchangeFields(CFieldExchange& fx) {
    CObject::ExchangeFields(fx);
    if (!m_pResult) m_pResult = std::make_unique<Compo>();
    m_pResult->ExchangeFields(fx);
}

}  // namespace gyr
