#pragma once
// A point: a small circle whose centre is the point (vertex 0) and whose
// vertex 1 lies at the point-mark radius to the right. Its look, the point
// mark, is a circle with a centre cross (0), a cross (1) or a disc (2).

#include "figures/circle_obj.h"
#include "model/gesture_state.h"

namespace gyr {

class CPointObj : public CCircleObj {
    GYR_DECLARE_CLASS(CPointObj)
public:
    CPointObj() = default;
    CPointObj(const CWorldPoint& p, double radius, int mark)
        : CCircleObj(p, radius), m_nMark(mark) {}

    bool IsCircle() const override { return false; }
    // A point takes part in intersections as a polygon-like shape, never as
    // a circle.
    bool IsLineOrCircle() const override { return false; }
    bool IsPoint() const override { return true; }
    bool SnapToVertex(CWorldPoint& p) const override;
    CMyObj* Invert(const CWorldPoint& centre, double radius) const override;
    void Draw(Canvas& dc) const override;
    void DrawMarks(Canvas& dc) const override;
    // Points are never the nearest shape.
    double DistanceTo(const CWorldPoint& p, int& edge) const override;
    int HitTest(const CWorldPoint& p) const override;
    double NearestVertex(const CWorldPoint& p, int& index) const override;
    void ExchangeFields(CFieldExchange& fx) override;

    std::int32_t m_nMark = 2;
};

// A point at p with the point-mark settings and the document; not added.
CPointObj* NewPoint(CGyrDoc* doc, const CWorldPoint& p);
// NewPoint, appended to the document and drawn at once.
CPointObj* AddPoint(CGyrDoc& doc, const CWorldPoint& p);
// The point tool. Plain: at p. Shift: on the nearest shape that is not a
// point. Ctrl: at the nearest intersection; with F1 held at the rotation
// centre, with F2 at the homothety centre. Null when nothing was placed.
CPointObj* MakePointAt(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The drawing operation of the point tool: MakePointAt, which adds the point
// itself.
CMyObj* DrawPointTool(CGestureState& state, unsigned flags, const CWorldPoint& p);
// Re-applies the point-mark settings (attributes, mark, radius) to every
// point of the document and repaints them.
void ApplyPointMarks(CGyrDoc& doc);
// Removes and deletes every point of the document (and from every
// selection) and repaints their areas. Returns the number of points removed.
int DeleteAllPointMarks(CGyrDoc& doc);

}  // namespace gyr
