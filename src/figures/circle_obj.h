#pragma once
// A full circle: vertex 0 the centre, vertex 1 a point of the circumference.
// After every RecalcBounds m_radius is the distance between the two and the
// box is that of the full circle; a loaded circle keeps its stored radius
// until then.

#include "model/gesture_state.h"
#include "model/shape_obj.h"

namespace gyr {

class CCircleObj : public CShapeObj {
    GYR_DECLARE_CLASS(CCircleObj)
public:
    CCircleObj() = default;
    // Vertex 1 at centre + (radius, 0); the box is left to RecalcBounds.
    CCircleObj(const CWorldPoint& centre, double radius);

    bool IsClosed() const override { return false; }
    bool IsCircle() const override { return true; }
    bool IsLineOrCircle() const override { return true; }
    void RecalcBounds() override;
    void TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags,
                         int code) override;
    void EndTrack(CGestureState& state, unsigned flags, const CWorldPoint& p) override;
    void Homothety(const CWorldPoint& c, double k) override;
    CMyObj* Invert(const CWorldPoint& centre, double radius) const override;
    CWorldPoint GetDuplicateOffset(int key) const override;
    void Draw(Canvas& dc) const override;
    double DistanceTo(const CWorldPoint& p, int& edge) const override;
    int HitTest(const CWorldPoint& p) const override;
    CWorldPoint RandomPoint() const override;
    CWorldPoint NearestPointOn(const CWorldPoint& p) const override;
    void ExchangeFields(CFieldExchange& fx) override;

    // The centre; (0, 0) for a damaged object without vertices.
    CWorldPoint Centre() const { return m_nPoints > 0 ? m_points[0] : CWorldPoint{}; }
    // 1-based index of the first of the first n vertices near p; 0 for none.
    int HitVertex(const CWorldPoint& p, int n) const;

    double m_radius = 0.0;

    // Gesture state: points and a radius fixed at the press and read while
    // the pointer moves, and the stage the press was made in. Never saved.
    CWorldPoint m_q1, m_q2;
    double m_rho = 0.0;
    int m_nPressStage = 0;

protected:
    // The cross at the centre in the black stock pen.
    void DrawCentreMark(Canvas& dc) const;
};

// A circle with the document and its current attributes, not added.
CCircleObj* NewCircle(CGyrDoc* doc, const CWorldPoint& centre, double radius);
// NewCircle in the gesture's document, then Finish.
CCircleObj* MakeCircle(CGestureState& state, const CWorldPoint& centre, double radius,
                       const CFinish& how);
// The drawing operation of the circle tool.
CMyObj* DrawCircleTool(CGestureState& state, unsigned flags, const CWorldPoint& p);
// Whether the circle tools draw for the code.
bool CircleToolDraws(int code);

// The small cross of centre marks, in the pen in force: strokes from
// (x - 4, y) to (x + 5, y) and from (x, y - 4) to (x, y + 5), end pixels
// excluded; the sizes are times the general scale.
void DrawCross(Canvas& dc, PixelPoint c);

}  // namespace gyr
