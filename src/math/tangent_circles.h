#pragma once
// Tangent, orthogonal and interchanging circles on plain values, shared by the
// circle tools and the locus script. Nothing is allocated: results go to
// fixed-size arrays and their number is returned. No result has a radius below
// kGeomEps or a non-finite coordinate; inputs the geometry cannot answer (a
// line given by one point twice, a point at an inversion centre) have no
// solution.

#include "math/world_point.h"

namespace gyr {

// A point, a circle or a straight line, as a tangent-circle problem sees it.
struct TouchObject {
    enum class Kind { Point, Circle, Line };
    Kind kind = Kind::Point;
    CWorldPoint p;  // the point, the centre, or the line's first point
    CWorldPoint q;  // the line's second point
    double r = 0;   // the circle's radius (its absolute value is used)

    static TouchObject Point(const CWorldPoint& at) { return {Kind::Point, at, at, 0}; }
    static TouchObject Circle(const CWorldPoint& c, double radius) {
        return {Kind::Circle, c, c, radius};
    }
    static TouchObject Line(const CWorldPoint& a, const CWorldPoint& b) {
        return {Kind::Line, a, b, 0};
    }
};

struct CircleValue {
    CWorldPoint centre;
    double radius = 0;
};

// The circles centred at p touching obj, as their points of contact: for a
// line the foot of p, for a circle the circle point nearest p and then the one
// opposite (only the first for a zero radius). 0 for a point, a degenerate
// line, or p at the circle's centre.
int TangentCirclesCentred(const CWorldPoint& p, const TouchObject& obj, CWorldPoint (&touch)[2]);

// The circles through q and p touching obj. For a line the first touches it
// farther towards its second point; none when q and p lie on opposite sides.
// For a circle the smaller first.
int TangentCirclesThroughTwoPoints(const CWorldPoint& q, const CWorldPoint& p,
                                   const TouchObject& obj, CircleValue (&out)[2]);

// The circles through p touching o1 and o2 (at most 4).
int TangentCirclesThroughPoint(const CWorldPoint& p, const TouchObject& o1, const TouchObject& o2,
                               CircleValue (&out)[4]);
// The same, with the branch of each circle: a number in [0, 8) that stays
// with a solution while p moves, so that a figure can keep showing its own
// circle when others appear or vanish.
int TangentCirclesThroughPoint(const CWorldPoint& p, const TouchObject& o1, const TouchObject& o2,
                               CircleValue (&out)[4], int (&branch)[4]);

// The circles touching o1, o2 and o3: every solution once, at most 8. For
// three lines the in- and ex-circles in the order of the bisector pairs at
// o1 x o2 and o1 x o3, the bisectors along e1 + e2 before those along
// e1 - e2 (e the unit directions of the lines as given).
int TangentCircles3(const TouchObject& o1, const TouchObject& o2, const TouchObject& o3,
                    CircleValue (&out)[8]);

// The circle through t with centre on line tn, also through p. False when p
// lies on the tangent at t (or coincides with t).
bool TangentCircleAtPoint(const CWorldPoint& t, const CWorldPoint& n, const CWorldPoint& p,
                          CircleValue& out);

// The circle through q and p orthogonal to obj (a circle or a line).
bool OrthogonalCircleThroughTwoPoints(const CWorldPoint& q, const CWorldPoint& p,
                                      const TouchObject& obj, CircleValue& out);

// The circle through p orthogonal to o1 and o2 (circles or lines).
bool OrthogonalCircleThroughPoint(const CWorldPoint& p, const TouchObject& o1,
                                  const TouchObject& o2, CircleValue& out);

// The circles of the inversions (first group) and anti-inversions (second
// group) that interchange circle k1 and obj (a circle or a line), each centred
// at the inversion centre with radius sqrt|power|. The second group exists
// only for circles that neither cut nor touch, and for a line missing k1.
// Returns the number written; firstGroup receives how many of them belong to
// the first group.
int InversionInterchangingCircles(const CWorldPoint& c1, double r1, const TouchObject& obj,
                                  CircleValue (&out)[4], int& firstGroup);

}  // namespace gyr
