#pragma once
// The intersection calculator: takes two drawing objects, classifies the pair
// (straight, circle, curve, polygon-like shape) and collects their common
// points, in a fixed order and without merging repeated ones, in one curve
// component. It is short-lived and never joins a catalogue.

#include <memory>
#include <vector>

#include "figures/compo.h"
#include "model/my_obj.h"

namespace gyr {

// ---- Primitive routines (also used by the constructions) ------------------

// Crossing of the infinite lines A0A1 and B0B1: 0 when they count as parallel
// (raw cross product below kGeomEps), otherwise 1 and X = A0 + t(A1 - A0).
int LineLine(const CWorldPoint& a0, const CWorldPoint& a1, const CWorldPoint& b0,
             const CWorldPoint& b1, CWorldPoint& x);
// X lies between S0 and S1, ends included: (S0 - X).(S1 - X) <= 0.
inline bool OnSegment(const CWorldPoint& x, const CWorldPoint& s0, const CWorldPoint& s1) {
    return (s0 - x).Dot(s1 - x) <= 0;
}
// LineLine, then where X lies: 0 parallel, 1 on both segments, -1 on the
// second only, -2 on the first only, -3 on neither. X is set whenever the
// result is not 0.
int SegmentSegment(const CWorldPoint& a0, const CWorldPoint& a1, const CWorldPoint& b0,
                   const CWorldPoint& b1, CWorldPoint& x);
// Circle (c, r) and the infinite line A0A1: 0, 1 (the foot of c, when the
// line's distance is within kGeomEps of r) or 2 points.
int LineCircle(const CWorldPoint& c, double r, const CWorldPoint& a0, const CWorldPoint& a1,
               CWorldPoint& x1, CWorldPoint& x2);
// The circle-circle routine of the kernel: 0, 1 (touching) or 2 points.
int CircleCircle(const CWorldPoint& c1, double r1, const CWorldPoint& c2, double r2,
                 CWorldPoint& x1, CWorldPoint& x2);

// ---- Classification -------------------------------------------------------

enum class IntersectionKind {
    None,      // not a shape: takes part in no intersection
    Straight,  // segments and lines, as their infinite lines
    Circle,    // full circles; an arc stands for its full circle
    Curve,     // polyline components, each with its own closed flag
    Shape,     // any other shape: its vertex polyline, closed when IsClosed
};

IntersectionKind ClassifyForIntersection(const CMyObj& obj);

// ---- The calculator ---------------------------------------------------------

class CIntersectionObj : public CObject {
    GYR_DECLARE_SERIAL(CIntersectionObj)
public:
    // Neither object is owned; both must outlive Compute.
    CIntersectionObj(CMyObj* first = nullptr, CMyObj* second = nullptr)
        : m_pSecond(second), m_pFirst(first) {}
    CIntersectionObj(const CIntersectionObj&) = delete;
    CIntersectionObj& operator=(const CIntersectionObj&) = delete;
    ~CIntersectionObj() override = default;

    // Replaces the result by every common point, in the order found.
    void Compute();
    int GetCount() const { return m_pResult ? m_pResult->Count() : 0; }
    // False (and the point unchanged) for an index out of range.
    bool GetPoint(int i, CWorldPoint& point) const;

    // The result component's own fields; loading into a calculator without a
    // result first gives it an empty one.
    void ExchangeFields(CFieldExchange& fx) override;

    std::unique_ptr<Compo> m_pResult;
    CMyObj* m_pSecond;
    CMyObj* m_pFirst;
};

}  // namespace gyr
