#pragma once
// A circular arc: vertex 0 the centre, vertex 1 the start, vertex 2 the end
// and vertex 3 the middle point. Vertex 2 is the start turned by m_sweep about
// the centre and vertex 3 the start turned by m_sweep / 2; the sweep stays in
// [-2pi, 2pi] while the arc is edited. The box is that of the full circle.

#include "figures/circle_obj.h"

namespace gyr {

class CArcObj : public CCircleObj {
    GYR_DECLARE_CLASS(CArcObj)
public:
    CArcObj() = default;
    CArcObj(const CWorldPoint& centre, const CWorldPoint& start, const CWorldPoint& through);

    // Centre, start and a point on the ray of the end: the sweep is the turn
    // from start to through (so at most a half turn). A zero radius, or a
    // through point at the centre, gives sweep 0 with every point at start.
    void SetArc(const CWorldPoint& centre, const CWorldPoint& start, const CWorldPoint& through);

    bool IsArc() const override { return true; }
    bool IsCircle() const override { return false; }
    PixelRect MoveHandle(int k, const CWorldPoint& p) override;
    void TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags,
                         int code) override;
    void EndTrack(CGestureState& state, unsigned flags, const CWorldPoint& p) override;
    void Reflect(const CWorldPoint& a, const CWorldPoint& b) override;
    void Draw(Canvas& dc) const override;
    int HitTest(const CWorldPoint& p) const override;
    void ExchangeFields(CFieldExchange& fx) override;

    // Turns vertex k (1 start, 2 end) by the pointer's angle from it, the
    // middle by half of it, and keeps the sweep within a full turn.
    void TurnEnd(int k, const CWorldPoint& p);

    double m_sweep = 0.0;

private:
    // Back by a full turn past +-2pi, the middle point then on the other side.
    void WrapSweep();
};

// The drawing operation of the arc tools.
CMyObj* DrawArcTool(CGestureState& state, unsigned flags, const CWorldPoint& p);
// Whether the arc tools draw for the code.
bool ArcToolDraws(int code);

}  // namespace gyr
