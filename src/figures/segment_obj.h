#pragma once
// A segment: a shape of exactly two vertices, P0 (where the gesture started)
// and P1. While the mouse is down the view's tool code chooses how P0 and P1
// follow the pointer.

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
    PixelRect MoveHandle(int k, const CWorldPoint& p) override;
    void TrackLastVertex(CGyrView* view, const CWorldPoint& p, unsigned flags, int code) override;
    void EndTrack(CGyrView* view, unsigned flags, const CWorldPoint& p) override;
    PixelRect Track(CGyrView* view, const CWorldPoint& p, unsigned flags) override;
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

// Constructs, gives it the active document and its attributes, RecalcBounds;
// not added.
CSegmentObj* NewSegment(const CWorldPoint& p0, const CWorldPoint& p1);
// Constructs and finishes it (recalc, add) with the given redraw mode and
// collect flag.
CSegmentObj* MakeSegment(const CWorldPoint& p0, const CWorldPoint& p1, bool collect, int redraw);
// The press of a segment tool: a segment (P, P) with the view's document, or
// null when the start rule of the view's tool code refuses it.
CSegmentObj* StartSegment(CGyrView& view, unsigned flags, const CWorldPoint& p);
// The start rule shared by segments and lines: every tool accepts at stage 0;
// later, the rule of the view's tool code decides (and may set the figure up).
bool AcceptsStart(CSegmentObj& seg, CGyrView& view, unsigned flags);

// The projection of p on the nearest of the four lines through o that run
// horizontally, at 45 degrees, vertically and at 135 degrees (the first of
// them on a tie).
CWorldPoint ProjectOnCompassLine(const CWorldPoint& o, const CWorldPoint& p);

// The golden ratio of the ratio segment, to nine decimals.
inline constexpr double kGoldenRatio = 0.618033988;

}  // namespace gyr
