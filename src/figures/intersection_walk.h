#pragma once
// The walk over the common points of two figures. The calculator and the
// nearest-intersection search both use it, so that they find the same points
// by the same calls, in the same order and under the same order keys; the
// search only adds pruning through its visitor.
//
// A visitor V provides:
//   static constexpr bool kPrunes;
//   bool SkipBox(const CIsectBox& a, const CIsectBox& b);  // points in both
//   bool SkipLine(const CWorldPoint& a0, const CWorldPoint& a1, const CIsectBox& b);
//   void Found(const CWorldPoint& x, int edge1, int edge2, int k);
// The Skip calls are made only when kPrunes is set; a visitor answers true
// only when no point in the region can matter to it. Found is called in the
// order the calculator lists the points; (edge1, edge2, k) grows with it.

#include <algorithm>
#include <limits>
#include <vector>

#include "figures/intersection_obj.h"

namespace gyr {

// An axis-parallel box, min and max per axis; empty when a min exceeds its max.
struct CIsectBox {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    void Add(const CWorldPoint& p) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    void Add(const CIsectBox& b) {
        minX = std::min(minX, b.minX);
        maxX = std::max(maxX, b.maxX);
        minY = std::min(minY, b.minY);
        maxY = std::max(maxY, b.maxY);
    }
};

inline CIsectBox EdgeBox(const CWorldPoint& a, const CWorldPoint& b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// One polyline of a curve or shape. Edges are numbered across all polylines
// of the figure in the calculator's order, starting at firstEdge.
struct CIsectPolyline {
    const CWorldPoint* v = nullptr;
    int n = 0;
    bool closed = false;
    int firstEdge = 0;

    // The closing edge (last vertex to vertex 0) counts when closed.
    int EdgeCount() const { return n < 2 ? 0 : (closed ? n : n - 1); }
    void Edge(int e, CWorldPoint& a, CWorldPoint& b) const {
        a = v[e];
        b = v[e + 1 < n ? e + 1 : 0];
    }
};

// A run of consecutive edges [begin, end) of one polyline, with their box.
struct CIsectChunk {
    int polyline = 0;
    int begin = 0;
    int end = 0;
    CIsectBox box;
};

// What the walk needs of one object.
struct CIsectFigure {
    static constexpr int kChunkEdges = 16;

    IntersectionKind kind = IntersectionKind::None;
    CWorldPoint a0, a1;  // straight
    CWorldPoint centre;  // circle
    double radius = 0.0;
    std::vector<CIsectPolyline> polylines;  // curve or shape
    std::vector<CIsectChunk> chunks;        // in edge order
    CIsectBox box;                          // of the vertices or the full circle
};

// Fills f from obj (objects without the data their kind needs get kind None).
void PrepareFigure(const CMyObj& obj, CIsectFigure& f);

namespace isect_detail {

template <class V>
void EmitPair(V& v, int n, const CWorldPoint& x, const CWorldPoint& y, int edge) {
    if (n > 0) v.Found(x, edge, 0, 0);
    if (n > 1) v.Found(y, edge, 0, 1);
}

// A's infinite line against every edge of b; kept when on the edge.
template <class V>
void LineEdges(const CWorldPoint& a0, const CWorldPoint& a1, const CIsectFigure& b, V& v) {
    CWorldPoint e0, e1, x;
    for (const CIsectChunk& c : b.chunks) {
        if constexpr (V::kPrunes)
            if (v.SkipLine(a0, a1, c.box)) continue;
        const CIsectPolyline& pl = b.polylines[std::size_t(c.polyline)];
        for (int e = c.begin; e < c.end; ++e) {
            pl.Edge(e, e0, e1);
            if constexpr (V::kPrunes)
                if (v.SkipBox(EdgeBox(e0, e1), EdgeBox(e0, e1))) continue;
            const int r = SegmentSegment(a0, a1, e0, e1, x);
            if (r == 1 || r == -1) v.Found(x, pl.firstEdge + e, 0, 0);
        }
    }
}

// Every edge of a against every edge of b as segments; kept when on both.
template <class V>
void EdgeEdges(const CIsectFigure& a, const CIsectFigure& b, V& v) {
    std::vector<const CIsectChunk*> near;
    near.reserve(b.chunks.size());
    CWorldPoint p0, p1, q0, q1, x;
    for (const CIsectChunk& ca : a.chunks) {
        near.clear();
        for (const CIsectChunk& cb : b.chunks) {
            if constexpr (V::kPrunes)
                if (v.SkipBox(ca.box, cb.box)) continue;
            near.push_back(&cb);
        }
        if (near.empty()) continue;
        const CIsectPolyline& pa = a.polylines[std::size_t(ca.polyline)];
        for (int ea = ca.begin; ea < ca.end; ++ea) {
            pa.Edge(ea, p0, p1);
            const CIsectBox boxA = EdgeBox(p0, p1);
            for (const CIsectChunk* cb : near) {
                if constexpr (V::kPrunes)
                    if (v.SkipBox(boxA, cb->box)) continue;
                const CIsectPolyline& pb = b.polylines[std::size_t(cb->polyline)];
                for (int eb = cb->begin; eb < cb->end; ++eb) {
                    pb.Edge(eb, q0, q1);
                    if constexpr (V::kPrunes)
                        if (v.SkipBox(boxA, EdgeBox(q0, q1))) continue;
                    if (SegmentSegment(p0, p1, q0, q1, x) == 1)
                        v.Found(x, pa.firstEdge + ea, pb.firstEdge + eb, 0);
                }
            }
        }
    }
}

// The circle of a against every edge of b; points kept when on the edge.
template <class V>
void CircleEdges(const CIsectFigure& a, const CIsectFigure& b, V& v) {
    CWorldPoint e0, e1, x, y;
    for (const CIsectChunk& c : b.chunks) {
        if constexpr (V::kPrunes)
            if (v.SkipBox(c.box, a.box)) continue;
        const CIsectPolyline& pl = b.polylines[std::size_t(c.polyline)];
        for (int e = c.begin; e < c.end; ++e) {
            pl.Edge(e, e0, e1);
            if constexpr (V::kPrunes)
                if (v.SkipBox(EdgeBox(e0, e1), a.box)) continue;
            const int n = LineCircle(a.centre, a.radius, e0, e1, x, y);
            if (n > 0 && OnSegment(x, e0, e1)) v.Found(x, pl.firstEdge + e, 0, 0);
            if (n > 1 && OnSegment(y, e0, e1)) v.Found(y, pl.firstEdge + e, 0, 1);
        }
    }
}

}  // namespace isect_detail

// The calculator's cases, in its order: without a circle, a straight object
// (taken first) meets the other's line or edges, otherwise edges meet edges;
// with a circle (taken first), the other circle, line or edges.
template <class V>
void WalkPair(const CIsectFigure& first, const CIsectFigure& second, V& v) {
    using K = IntersectionKind;
    if (first.kind == K::None || second.kind == K::None) return;
    CWorldPoint x, y;
    if (first.kind != K::Circle && second.kind != K::Circle) {
        if (first.kind == K::Straight || second.kind == K::Straight) {
            const bool swap = first.kind != K::Straight;
            const CIsectFigure& a = swap ? second : first;
            const CIsectFigure& b = swap ? first : second;
            if (b.kind == K::Straight) {
                // Two infinite lines: the crossing counts wherever it lies.
                if (SegmentSegment(a.a0, a.a1, b.a0, b.a1, x) != 0) v.Found(x, 0, 0, 0);
            } else {
                isect_detail::LineEdges(a.a0, a.a1, b, v);
            }
        } else {
            isect_detail::EdgeEdges(first, second, v);
        }
        return;
    }
    const bool swap = first.kind != K::Circle;
    const CIsectFigure& a = swap ? second : first;
    const CIsectFigure& b = swap ? first : second;
    if (b.kind == K::Circle) {
        isect_detail::EmitPair(v, CircleCircle(a.centre, a.radius, b.centre, b.radius, x, y), x, y,
                               0);
    } else if (b.kind == K::Straight) {
        isect_detail::EmitPair(v, LineCircle(a.centre, a.radius, b.a0, b.a1, x, y), x, y, 0);
    } else {
        isect_detail::CircleEdges(a, b, v);
    }
}

}  // namespace gyr
