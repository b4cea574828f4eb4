#pragma once
// An angle: the open polyline of three vertices V0 (on the first arm), V1
// (the apex) and V2 (on the second arm). Its value is positive when the
// second arm lies counter-clockwise of the first.

#include "model/gesture_state.h"
#include "model/shape_obj.h"

namespace gyr {

class CSegmentObj;

class CAngle : public CShapeObj {
    GYR_DECLARE_CLASS(CAngle)
public:
    CAngle() = default;
    CAngle(const CWorldPoint& v0, const CWorldPoint& v1, const CWorldPoint& v2);

    bool IsClosed() const override { return false; }
    bool IsAngle() const override { return true; }
    // The apex and V2 coincide.
    bool IsDegenerate() const override;
    // With Ctrl held the angle keeps its value: an arm point slides along its
    // arm, the apex moves on the circle through the three vertices.
    PixelRect MoveHandle(int k, const CWorldPoint& p) override;
    void TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags,
                         int code) override;
    // A construction's rule moves the angle no longer.
    void EndTrack(CGestureState& state, unsigned flags, const CWorldPoint& p) override;
    void Draw(Canvas& dc) const override;

    // polar(V2 - V1) - polar(V0 - V1), in [-pi, pi].
    double GetAngleValue() const;
    // The selection becomes a copy turned about the apex by the value
    // (by minus the value for key code 119), so that it shares an arm with
    // this angle. Null when this angle has not its three vertices.
    CAngle* AdjacentAngle(CGestureState& state, int key) const;
    // The selection becomes the supplementary angle: key code 119
    // reverses the second arm; 120 puts it on the reversed first arm, the
    // first arm taking the old second arm.
    CAngle* SupplementaryAngle(CGestureState& state, int key) const;

    CWorldPoint V0() const { return m_points[0]; }
    CWorldPoint V1() const { return m_points[1]; }
    CWorldPoint V2() const { return m_points[2]; }
};

// Constructs and finishes it in the gesture's document.
CAngle* MakeAngle(CGestureState& state, const CWorldPoint& v0, const CWorldPoint& v1,
                  const CWorldPoint& v2, const CFinish& how);

// The angle of a figure at one of its vertices: for an angle its own (at the
// apex, from V0 to V2, whichever vertex is given), for other shapes of three
// or more vertices the corner at that vertex, from the previous vertex to the
// next. False when there is none.
bool CornerAt(const CMyObj& obj, int vertex, CWorldPoint& apex, CWorldPoint& first,
              CWorldPoint& second);

// The drawing operation of the angle tools.
CMyObj* DrawAngleTool(CGestureState& state, unsigned flags, const CWorldPoint& p);
// Whether the angle tools have a gesture of their own for the code.
bool AngleToolDraws(int code);

}  // namespace gyr
