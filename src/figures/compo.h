#pragma once
// One polyline of a sampled curve, and the builder that curve generators use
// to collect a branch's points before it is sized exactly. Branches that must
// not be joined are separate components.

#include <cstdint>
#include <memory>
#include <vector>

#include "math/world_point.h"
#include "model/cobject.h"
#include "port/canvas.h"

namespace gyr {

class Compo : public CObject {
    GYR_DECLARE_SERIAL(Compo)
public:
    Compo() = default;
    // Copies count points; a count below 1 gives no points.
    Compo(const CWorldPoint* points, int count, std::uint32_t closed);
    Compo(const Compo&) = default;
    Compo& operator=(const Compo&) = default;
    ~Compo() override = default;

    int Count() const { return int(m_points.size()); }
    const CWorldPoint* Points() const { return m_points.empty() ? nullptr : m_points.data(); }
    bool IsClosed() const { return m_bClosed != 0; }

    // A path from the last point to the first: closed components are stroked
    // and filled with the selected pen and brush, open ones only stroked.
    void Draw(Canvas& dc) const;
    // Upper-left (min x, max y) and bottom-right (max x, min y); fewer than two
    // points give the first point (or the origin) for both.
    void Box(CWorldPoint& leftTop, CWorldPoint& rightBottom) const;
    int Hit(const CWorldPoint& p) const;
    void Translate(const CWorldPoint& delta);
    // A mirror line needs two different points; otherwise nothing moves.
    void Reflect(const CWorldPoint& p, const CWorldPoint& q);
    void Rotate(const CWorldPoint& centre, double angle);
    void Scale(const CWorldPoint& centre, double ratio);
    // Segment index 1-based, the closing segment last; 1e10 without segments.
    double Distance(const CWorldPoint& p, int& segment) const;
    CWorldPoint Nearest(const CWorldPoint& p) const;
    // Inverted 7 x 7 squares on the first and the last point.
    void MarkEnds(Canvas& dc) const;

    void ExchangeFields(CFieldExchange& fx) override;

    // Files keep only the low 16 bits.
    std::uint32_t m_bClosed = 0;
    std::vector<CWorldPoint> m_points;
};

// Collects the points of one component. Grows by 30 points at a time; the
// finished component holds exactly the points added.
class CCompoBuilder {
public:
    static constexpr int kGrowth = 30;

    // Drops any unfinished component and starts an empty one.
    void Begin();
    void AddPoint(const CWorldPoint& p);
    // The collected points as a component, or null when none was added; the
    // builder is empty afterwards either way.
    std::unique_ptr<Compo> Finish(std::uint32_t closed);

    int Count() const { return m_count; }
    int Capacity() const { return m_capacity; }

private:
    std::unique_ptr<CWorldPoint[]> m_points;
    int m_capacity = 0;
    int m_count = 0;
};

// The builder the curve generators share.
CCompoBuilder& CompoBuilder();

}  // namespace gyr
