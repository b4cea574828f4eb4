#pragma once
// Isoptic cubics of four points A, B, C, D: the points P for which
// (A - P)(D - P) / ((B - P)(C - P)) is real. In its canonical frame the cubic
// reads (x - a)(x^2 + y^2) + b x + c y = 0 with the asymptote x = a. This file
// holds the frame, the constants, the classification, the real x-intervals,
// the sampling into polylines, the special positions of the four points, the
// rectangular hyperbola of a parallelogram and the point solver. Value code
// only: failures are return values, nothing is reported.

#include <vector>

#include "math/world_point.h"

namespace gyr {

// Half the number of points of a sampled piece, unless set otherwise.
inline constexpr int kIsopticHalfPoints = 41;
inline constexpr int kIsopticHalfPointsMin = 20;
inline constexpr int kIsopticHalfPointsMax = 1001;
// A sampled abscissa stays this far from the asymptote.
inline constexpr double kAsymptoteGap = 1e-7;
// The band of the discriminant that counts as singular.
inline constexpr double kIsopticClassTolerance = 1e-10;
// Sampling ran out of memory; the pieces made so far are kept.
inline constexpr int kIsopticOutOfMemory = 4;

struct CIsopticFrame {
    CWorldPoint origin;
    CWorldPoint ex{1, 0};
    CWorldPoint ey{0, 1};

    CWorldPoint ToCanonical(const CWorldPoint& p) const {
        const CWorldPoint d = p - origin;
        return {d.Dot(ex), d.Dot(ey)};
    }
    CWorldPoint ToWorld(const CWorldPoint& c) const { return origin + ex * c.x + ey * c.y; }
    // Finite, unit and orthogonal axes: a frame read from a file may be none.
    bool IsSound() const;
};

struct CIsopticConstants {
    double a = 0;
    double b = 0;
    double c = 0;
    bool IsFinite() const;
};

// The shapes of a proper cubic, by the sign of its discriminant.
enum class CubicClass { One, Two, Singular };

// (a^2 - 2b)^2 - 4(c^2 + b^2).
double IsopticDiscriminant(const CIsopticConstants& k);
CubicClass ClassifyCubic(const CIsopticConstants& k);

// x1 .. x4 of the class: Two samples [x1, x2] and [x3, x4], One [x1, x2],
// Singular [x1, x2] and [x2, x3].
struct CIsopticIntervals {
    double x[4] = {0, 0, 0, 0};
};
CIsopticIntervals IsopticIntervals(CubicClass cls, const CIsopticConstants& k);

// e_y from the midpoint of AD to that of BC, e_x turned clockwise from it,
// and the origin O with (A - O)(D - O) = (B - O)(C - O) as complex numbers,
// found as the second common point of two circles through the meet of two
// opposite sides. False only when the midpoints coincide.
bool IsopticFrameOf(const CWorldPoint& A, const CWorldPoint& B, const CWorldPoint& C,
                    const CWorldPoint& D, CIsopticFrame& frame);
// Only the axes (from the midpoints); false when they coincide.
bool IsopticAxesOf(const CWorldPoint& A, const CWorldPoint& B, const CWorldPoint& C,
                   const CWorldPoint& D, CIsopticFrame& frame);
// a = Re(A' + D'), b + ic = A' D' in canonical coordinates.
CIsopticConstants IsopticConstantsOf(const CIsopticFrame& frame, const CWorldPoint& A,
                                     const CWorldPoint& D);

// The frame of the singular cubic of A = D (also that of an angle with apex
// A and arm points B, C): O is the mirror image of A in the line through the
// centres of the circle through A, B touching AC and of the circle through
// A, C touching AB. False when a centre does not exist or the axes fail.
bool SingularFrameOf(const CWorldPoint& A, const CWorldPoint& B, const CWorldPoint& C,
                     CIsopticFrame& frame);

// The rectangular hyperbola x^2 - y^2 = a through the four points of a
// parallelogram A B D C (AB parallel to CD, AC to BD), in its own frame.
// When the direct fit divides by zero the points are turned by pi/4 about A
// first and the frame turned back. False when both fail.
bool FitRectangularHyperbola(const CWorldPoint pts[4], CIsopticFrame& frame, double& a);

// The sheet as the strict inside of a world rectangle.
struct CSheetRect {
    double left = 0;
    double right = 0;
    double bottom = 0;
    double top = 0;
    bool StrictlyInside(const CWorldPoint& p) const {
        return left < p.x && p.x < right && bottom < p.y && p.y < top;
    }
};

// Where the line through p along dir meets the border, as parameters
// t0 < t1 of p + t dir. False when it misses the rectangle or only touches it.
bool ClipLineToRect(const CWorldPoint& p, const CWorldPoint& dir, const CSheetRect& rect,
                    double& t0, double& t1);

using CPolyline = std::vector<CWorldPoint>;

// Samples the interval [lo, hi] of the cubic into world polylines appended
// to out: pieces that end at the asymptote are clipped to the sheet (a piece
// that leaves and re-enters gives a polyline per visible run, each beginning
// and ending on the border where it crosses it), an interval off the asymptote
// is a closed oval of 2n points. n >= 2. 0, or kIsopticOutOfMemory.
int SampleIsopticInterval(const CIsopticFrame& frame, const CIsopticConstants& k, double lo,
                          double hi, int n, const CSheetRect& sheet, std::vector<CPolyline>& out);
// Every interval the class samples, in order; stops at the first error code.
int SampleCubic(CubicClass cls, const CIsopticFrame& frame, const CIsopticConstants& k,
                const CIsopticIntervals& iv, int n, const CSheetRect& sheet,
                std::vector<CPolyline>& out);

// The interval of the conic's parameter: where the line through O along e_y
// (a >= 0) or e_x (a < 0) crosses the sheet, as positions along that axis.
bool ConicInterval(const CIsopticFrame& frame, double a, const CSheetRect& sheet, double& x1,
                   double& x2);
// 2n - 1 parameters from x1 to x2; the points strictly inside the sheet go to
// the polyline of their sign (first the positive square root).
void SampleConic(const CIsopticFrame& frame, double a, double x1, double x2, int n,
                 const CSheetRect& sheet, CPolyline& first, CPolyline& second);

// ---- Special positions of the four points --------------------------------

enum class IsopticCase {
    General,         // the general construction
    MidpointOrigin,  // AD parallel to BC and a second parallel pair: O halfway between the
                     // midpoints
    Collinear,       // degenerate kind 2
    CoincideAC,      // degenerate kind 1: line BD and the point A
    CoincideAD,      // the singular construction
    Conic,           // AB || CD and AC || BD: a rectangular hyperbola
    Diagonals,       // ... with AD perpendicular to BC: degenerate kind 6
    LineCircle5,     // AD || BC, a second pair, M1M2 perpendicular to AD: kind 5
    Trapezoid9,      // only AD || BC, M1M2 perpendicular to AD: kind 9
    NoFrame,         // the midpoints of AD and BC coincide: nothing
};

struct CIsopticPosition {
    IsopticCase kind = IsopticCase::General;
    // The points after the reorder of coinciding ones.
    CWorldPoint pts[4];
    // Collinear points: 0 a line and a circle, 1 two lines, 2 one line.
    int order = 0;
};

CIsopticPosition ClassifyPosition(const CWorldPoint& A, const CWorldPoint& B, const CWorldPoint& C,
                                  const CWorldPoint& D);

// What a cubic that splits consists of: a line through line[0], line[1]
// (to be clipped to the sheet) and a second part by shape code: 0 the point
// second[0] (twice), 1 the circle with centre second[0] through second[1],
// 2 none, 3 the line through second[0], second[1].
struct CDegenerateParts {
    int kind = 0;
    int shapeCode = 2;
    CWorldPoint line[2];
    CWorldPoint second[2];
    CIsopticFrame frame;
};
bool DegeneratePartsOf(const CIsopticPosition& pos, CDegenerateParts& parts);

// Everything a cubic built from four points needs.
enum class IsopticBuild { None, One, Two, Singular, Conic, Degenerate };
struct CIsopticDefinition {
    IsopticBuild build = IsopticBuild::None;
    CWorldPoint pts[4];
    CIsopticFrame frame;
    CIsopticConstants k;
    CDegenerateParts parts;  // Degenerate only
};
CIsopticDefinition DefineIsoptic(const CWorldPoint& A, const CWorldPoint& B, const CWorldPoint& C,
                                 const CWorldPoint& D);
// The singular cubic of the angle from V0 to V2 with apex V1.
CIsopticDefinition DefineAngleIsoptic(const CWorldPoint& V0, const CWorldPoint& V1,
                                      const CWorldPoint& V2);
// A proper cubic (One, Two, Singular) from given constants in a given frame.
IsopticBuild BuildOfClass(CubicClass cls);

// ---- Constants and points --------------------------------------------------

// The four points of the cubic with these constants in the standard frame.
// False where the construction would divide by zero (b = c = 0, or
// a = c = 0 < b) or give a non-finite point.
bool PointsFromConstants(const CIsopticConstants& k, CWorldPoint pts[4]);
// (a/2 - c/a)(a/2 + c/a), the b of a singular cubic; false for a = 0.
bool SingularB(double a, double c, double& b);

// ---- Point solver ------------------------------------------------------------

// The two y of the cubic at x != a; a negative discriminant (rounding near
// a turning point) counts as zero and gives the double root.
void CubicRoots(const CIsopticConstants& k, double x, double& y1, double& y2);
// The left side of the normal form and its gradient.
double CubicValue(const CIsopticConstants& k, double x, double y);
CWorldPoint CubicGradient(const CIsopticConstants& k, double x, double y);
// The foot of the normal from the canonical point p: Newton's method on
// F = 0 and F_y (x - x0) - F_x (y - y0) = 0 from p. 0 with the foot,
// 1 singular Jacobian or divergence, 2 no convergence in 100 steps.
int CubicFootOfNormal(const CIsopticConstants& k, const CWorldPoint& p, CWorldPoint& foot);
// The same for the hyperbola x^2 - y^2 = a.
int HyperbolaFootOfNormal(double a, const CWorldPoint& p, CWorldPoint& foot);
// The tangent direction at world point p: F_x e_y - F_y e_x.
CWorldPoint CubicTangentDirection(const CIsopticFrame& frame, const CIsopticConstants& k,
                                  const CWorldPoint& p);

}  // namespace gyr
