#pragma once
// A segment: a shape of exactly two vertices, P0 (where the gesture started)
// and P1. While the mouse is down the gesture's tool code chooses how P0 and P1
// follow the pointer.

#include "model/gesture_state.h"
#include "model/shape_obj.h"

namespace gyr {

class CSegmentObj : public CShapeObj {
    GYR_DECLARE_CLASS(CSegmentObj)
public:
    CSegmentObj() = default;
    CSegmentObj(const CWorldPoint& p0, const CWorldPoint& p1);

    PixelRect GetPixelBounds() const override;
    bool IsClosed() const override { return false; }
    bool IsLineOrCircle() const override { return true; }
    bool IsSegment() const override { return true; }
    bool IsStraight() const override { return true; }
    PixelRect DragHandle(CGestureState& state, int k, const CWorldPoint& p) override;
    void TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags,
                         int code) override;
    void EndTrack(CGestureState& state, unsigned flags, const CWorldPoint& p) override;
    PixelRect Track(CGestureState& state, const CWorldPoint& p, unsigned flags) override;
    CMyObj* Invert(const CWorldPoint& centre, double radius) const override;
    CWorldPoint GetDuplicateOffset(int key) const override;
    void Draw(Canvas& dc) const override;
    CWorldPoint RandomPoint() const override;

    // Added by segments: the common points with another figure, the whole
    // straight line through P0 and P1 taking part. With a straight object 0
    // or 1 points, with a circle (or an arc's circle) 0 to 2, else 0.
    virtual int IntersectWith(const CMyObj& other, CWorldPoint& first, CWorldPoint& second) const;

    CWorldPoint P0() const { return m_nPoints > 0 ? m_points[0] : CWorldPoint{}; }
    CWorldPoint P1() const { return m_nPoints > 1 ? m_points[1] : P0(); }
};

// Constructs, gives it the document and its attributes, RecalcBounds; not
// added.
CSegmentObj* NewSegment(CGyrDoc* doc, const CWorldPoint& p0, const CWorldPoint& p1);
// Constructs and finishes it in the gesture's document.
CSegmentObj* MakeSegment(CGestureState& state, const CWorldPoint& p0, const CWorldPoint& p1,
                         const CFinish& how);
// The press of a segment tool: a segment (P, P) with the gesture's document,
// or null when the start rule of the tool code refuses it. The drawing
// operation of the segment tool.
CSegmentObj* StartSegment(CGestureState& state, unsigned flags, const CWorldPoint& p);

// The two-stage tools (angles, triangles, the simple arc). The first press
// starts a segment, remembers it as the tool's own first side and moves the
// view to stage 1.
CMyObj* StartFirstSide(CGestureState& state, unsigned flags, const CWorldPoint& p);
// At the second press: the ends of that first side, which is then removed,
// and the stage goes back to 0. Only the side this tool drew counts, and only
// while it is still the last object of the catalogue: after a mere click (the
// side was dropped) or with anything added since, the bad-definition message
// is shown, the tool restarts and the result is false. A segment of the
// user's is never consumed.
bool TakeFirstSide(CGestureState& state, CWorldPoint& start, CWorldPoint& end);
CMyObj* DrawSegmentTool(CGestureState& state, unsigned flags, const CWorldPoint& p);
// Whether the segment and line tools have a rule of their own for the code
// (the others draw a plain segment at stage 0 only, and refuse after picks).
bool SegmentToolDraws(int code);
// The start rule shared by segments and lines: every tool accepts at stage 0;
// later, the rule of the tool code decides (and may set the figure up).
bool AcceptsStart(CSegmentObj& seg, CGestureState& state, unsigned flags);

// The projection of p on the nearest of the four lines through o that run
// horizontally, at 45 degrees, vertically and at 135 degrees (the first of
// them on a tie).
CWorldPoint ProjectOnCompassLine(const CWorldPoint& o, const CWorldPoint& p);

// The golden ratio of the ratio segment, to nine decimals.
inline constexpr double kGoldenRatio = 0.618033988;

}  // namespace gyr
