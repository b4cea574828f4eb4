// The nearest intersection by branch and bound. Every figure gets a lower
// bound of the distance from p to any point it can share with another figure;
// figures are taken in the order of that bound, and a pair, a run of edges or
// an edge is computed only when its region can still hold a point at most as
// near as the best so far. Candidates are compared by distance, then by the
// key (pair in list order, position in the calculator's order) under which the
// plain search would meet them first, so the order of the work never changes
// the answer.
//
// Computed points may stray from the exact geometry by rounding, and by the
// kernel's tangency tolerance (1e-8) on circles; every region is widened by a
// slack far above both, so nothing that could tie is ever pruned.

#include "figures/nearest_intersection.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <tuple>

#include "figures/intersection_walk.h"
#include "math/kernel.h"

namespace gyr {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNoneFound = 1e10;

bool TakesPart(const CMyObj* obj) {
    return obj && obj->IsShape() && !obj->IsPoint();
}

bool Finite(const CIsectBox& b) {
    return std::isfinite(b.minX) && std::isfinite(b.minY) && std::isfinite(b.maxX) &&
           std::isfinite(b.maxY);
}

CIsectBox Widened(const CIsectBox& b, double d) {
    return {b.minX - d, b.minY - d, b.maxX + d, b.maxY + d};
}

const CIsectBox kEverywhere{-kInf, -kInf, kInf, kInf};

struct Key {
    int first, second, edge1, edge2, k;
    bool operator<(const Key& o) const {
        return std::tie(first, second, edge1, edge2, k) <
               std::tie(o.first, o.second, o.edge1, o.edge2, o.k);
    }
};

struct Entry {
    int rank = 0;  // position in the list
    CIsectFigure fig;
    // Where the figure's computed common points can lie; everywhere for
    // straight objects.
    CIsectBox zone = kEverywhere;
    // No common point of this figure is nearer p than this.
    double bound = 0.0;
};

class NearestSearch {
public:
    static constexpr bool kPrunes = true;

    explicit NearestSearch(const CWorldPoint& p) : m_p(p) {}

    // The walk's hooks.
    bool SkipBox(const CIsectBox& a, const CIsectBox& b) const {
        return FarRegion(std::max(a.minX, b.minX) - m_slack, std::max(a.minY, b.minY) - m_slack,
                         std::min(a.maxX, b.maxX) + m_slack, std::min(a.maxY, b.maxY) + m_slack);
    }
    bool SkipLine(const CWorldPoint& a0, const CWorldPoint& a1, const CIsectBox& b) const {
        return SkipBox(b, b) || LineMisses(a0, a1, Widened(b, m_slack));
    }
    void Found(const CWorldPoint& x, int edge1, int edge2, int k) {
        const double d = Distance(x, m_p);
        const Key key{m_first, m_second, edge1, edge2, k};
        if (d < m_best || (m_found && d == m_best && key < m_key)) {
            m_best = d;
            m_key = key;
            m_point = x;
            m_found = true;
        }
    }

    bool Run(const CObList& list);

    bool m_found = false;
    Key m_key{};
    CWorldPoint m_point;

private:
    // A region (already widened) can hold no point as near as the best.
    bool FarRegion(double minX, double minY, double maxX, double maxY) const {
        if (minX > maxX || minY > maxY) return true;
        const double dx = std::max({minX - m_p.x, m_p.x - maxX, 0.0});
        const double dy = std::max({minY - m_p.y, m_p.y - maxY, 0.0});
        return std::sqrt(dx * dx + dy * dy) > Reach();
    }
    bool FarZone(const CIsectBox& b) const { return FarRegion(b.minX, b.minY, b.maxX, b.maxY); }
    // Line a0a1 passes beside the box: all four corners strictly on one side.
    static bool LineMisses(const CWorldPoint& a0, const CWorldPoint& a1, const CIsectBox& b) {
        // A degenerate line meets nothing; a non-finite one is never pruned.
        if (!IsFinitePoint(a0) || !IsFinitePoint(a1)) return false;
        const CWorldPoint u = a1 - a0;
        if (!(u.Dot(u) > 0)) return true;
        const double s1 = u.Cross(CWorldPoint{b.minX, b.minY} - a0);
        const double s2 = u.Cross(CWorldPoint{b.maxX, b.minY} - a0);
        const double s3 = u.Cross(CWorldPoint{b.maxX, b.maxY} - a0);
        const double s4 = u.Cross(CWorldPoint{b.minX, b.maxY} - a0);
        return (s1 > 0 && s2 > 0 && s3 > 0 && s4 > 0) || (s1 < 0 && s2 < 0 && s3 < 0 && s4 < 0);
    }
    // Ties must survive: only what is clearly farther is dropped.
    double Reach() const { return m_best * (1 + 1e-9); }

    void Prepare(const CObList& list);
    bool SkipPair(const Entry& a, const Entry& b) const;

    CWorldPoint m_p;
    double m_best = kNoneFound;
    double m_slack = 0.0;
    int m_first = 0, m_second = 0;
    std::vector<Entry> m_entries;
};

void NearestSearch::Prepare(const CObList& list) {
    double scale = std::max(std::fabs(m_p.x), std::fabs(m_p.y));
    double largestRadius = 0.0;
    auto grow = [&scale](double v) {
        if (std::isfinite(v)) scale = std::max(scale, std::fabs(v));
    };
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!TakesPart(list[i])) continue;
        Entry e;
        e.rank = int(i);
        PrepareFigure(*list[i], e.fig);
        if (e.fig.kind == IntersectionKind::None) continue;
        const CIsectFigure& f = e.fig;
        for (double v :
             {f.a0.x, f.a0.y, f.a1.x, f.a1.y, f.box.minX, f.box.minY, f.box.maxX, f.box.maxY})
            grow(v);
        if (f.kind == IntersectionKind::Circle && std::isfinite(f.radius))
            largestRadius = std::max(largestRadius, std::fabs(f.radius));
        m_entries.push_back(std::move(e));
    }
    m_slack = 1e-6 * (1 + scale);

    for (Entry& e : m_entries) {
        const CIsectFigure& f = e.fig;
        switch (f.kind) {
            case IntersectionKind::Straight:
                if (IsFinitePoint(f.a0) && IsFinitePoint(f.a1))
                    e.bound = DistanceToLine(m_p, f.a0, f.a1) - m_slack;
                break;
            case IntersectionKind::Circle: {
                // A touching second circle is judged by the first one's
                // tolerance, so its points may lie off it by up to 1e-8
                // times the ratio of the radii.
                const double r = std::fabs(f.radius);
                const double tol = r > 0 ? m_slack + 1e-7 * std::max(1.0, largestRadius / r) : kInf;
                if (!std::isfinite(tol) || !Finite(f.box)) break;
                e.zone = Widened(f.box, tol);
                e.bound = std::fabs(Distance(m_p, f.centre) - r) - tol;
                break;
            }
            default:
                if (Finite(f.box)) e.zone = Widened(f.box, m_slack);
                break;
        }
        if (f.kind != IntersectionKind::Straight) {
            const double dx = std::max({e.zone.minX - m_p.x, m_p.x - e.zone.maxX, 0.0});
            const double dy = std::max({e.zone.minY - m_p.y, m_p.y - e.zone.maxY, 0.0});
            e.bound = std::max(e.bound, std::sqrt(dx * dx + dy * dy));
        }
        if (!(e.bound >= 0)) e.bound = 0;  // also NaN
    }
}

bool NearestSearch::SkipPair(const Entry& a, const Entry& b) const {
    const bool straightA = a.fig.kind == IntersectionKind::Straight;
    const bool straightB = b.fig.kind == IntersectionKind::Straight;
    if (straightA && straightB) return false;
    if (straightA || straightB) {
        const Entry& line = straightA ? a : b;
        const Entry& other = straightA ? b : a;
        return FarZone(other.zone) || LineMisses(line.fig.a0, line.fig.a1, other.zone);
    }
    return FarRegion(std::max(a.zone.minX, b.zone.minX), std::max(a.zone.minY, b.zone.minY),
                     std::min(a.zone.maxX, b.zone.maxX), std::min(a.zone.maxY, b.zone.maxY));
}

bool NearestSearch::Run(const CObList& list) {
    Prepare(list);
    std::vector<int> order(m_entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        const Entry& x = m_entries[std::size_t(a)];
        const Entry& y = m_entries[std::size_t(b)];
        return x.bound != y.bound ? x.bound < y.bound : x.rank < y.rank;
    });
    // Taken in the order of their bounds, a figure's pairs with the figures
    // before it are bounded by its own bound: once that exceeds the best,
    // so does every pair still to come.
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Entry& later = m_entries[std::size_t(order[k])];
        for (std::size_t j = 0; j < k; ++j) {
            if (later.bound > Reach()) return m_found;
            const Entry& earlier = m_entries[std::size_t(order[j])];
            const Entry& a = earlier.rank < later.rank ? earlier : later;
            const Entry& b = earlier.rank < later.rank ? later : earlier;
            if (SkipPair(a, b)) continue;
            m_first = a.rank;
            m_second = b.rank;
            WalkPair(a.fig, b.fig, *this);
        }
    }
    return m_found;
}

bool Nearest(const CObList& list, const CWorldPoint& p, CMyObj*& first, CMyObj*& second,
             CWorldPoint& point, int* count) {
    NearestSearch search(p);
    if (!search.Run(list)) return false;
    first = list[std::size_t(search.m_key.first)];
    second = list[std::size_t(search.m_key.second)];
    point = search.m_point;
    if (count) {
        CIntersectionObj calc(first, second);
        calc.Compute();
        *count = calc.GetCount();
    }
    return true;
}

}  // namespace

bool FindNearestIntersection(const CObList& list, const CWorldPoint& p, CMyObj*& first,
                             CMyObj*& second, CWorldPoint& point, int& count) {
    return Nearest(list, p, first, second, point, &count);
}

bool FindNearestIntersection(const CObList& list, const CWorldPoint& p, CMyObj*& first,
                             CMyObj*& second, CWorldPoint& point) {
    return Nearest(list, p, first, second, point, nullptr);
}

bool FindNearestIntersectionAllPairs(const CObList& list, const CWorldPoint& p, CMyObj*& first,
                                     CMyObj*& second, CWorldPoint& point, int& count) {
    double best = kNoneFound;
    bool found = false;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!TakesPart(list[i])) continue;
        for (std::size_t j = i + 1; j < list.size(); ++j) {
            if (!TakesPart(list[j])) continue;
            CIntersectionObj calc(list[i], list[j]);
            calc.Compute();
            CWorldPoint x;
            for (int k = 0; calc.GetPoint(k, x); ++k) {
                const double d = Distance(x, p);
                if (d < best) {
                    best = d;
                    first = list[i];
                    second = list[j];
                    point = x;
                    count = calc.GetCount();
                    found = true;
                }
            }
        }
    }
    return found;
}

}  // namespace gyr
