#pragma once
// The one world <-> pixel mapping of the sheet. Every conversion truncates
// toward zero, never rounds. Set only by the sheet object's update step.

#include <vector>

#include "math/pixel.h"
#include "math/world_point.h"

namespace gyr {

struct CSheetMapping {
    int originX = 0;  // effective (scaled) values
    int originY = 0;
    int unitX = 50;
    int unitY = 50;
    int sheetWidth = 0;  // effective sheet size in pixels
    int sheetHeight = 0;
    CWorldPoint worldLeftTop;  // the sheet's world rectangle
    CWorldPoint worldRightBottom;
    double pixelTolerance = 0.2;  // 4 pixels in world units
    // What every fixed pixel size (pen widths, mark crosses) is multiplied
    // by: 1 on screen, printer over screen resolution while printing.
    double generalScale = 1.0;
};

// The one process-wide mapping, set by the sheet object.
CSheetMapping& Mapping();

// Truncation toward zero into an int. Values beyond the int range saturate
// and NaN gives 0, so that no coordinate from a damaged file or an extreme
// zoom can make the conversion undefined.
int TruncToInt(double v);

PixelPoint WorldToPixel(const CWorldPoint& p);
CWorldPoint PixelToWorld(PixelPoint p);
// The converted point is the top-left corner; width and height are added.
PixelRect WorldToPixelRect(const CWorldPoint& p, int width, int height);
// Two world points to a pixel rectangle, corner by corner.
PixelRect WorldToPixelRect(const CWorldPoint& leftTop, const CWorldPoint& rightBottom);
void PixelRectToWorld(const PixelRect& r, CWorldPoint& leftTop, CWorldPoint& rightBottom);
bool IsOnSheet(const CWorldPoint& p);

// Far-away figures are drawn through the drawable window: the sheet grown by
// kDrawMargin pixels on every side. Clipping happens in world units, before
// any conversion, so that what is drawn lies on the true line however large
// the coordinates are; the window is far beyond every screen, so its own
// border never shows.
constexpr int kDrawMargin = 1 << 20;
// Clips the segment a-b to the window. False when no part of it lies inside
// (or a coordinate is not finite).
bool ClipToDrawWindow(CWorldPoint& a, CWorldPoint& b);
// The parts of a polyline (closed: back to v[0]) inside the window, each a
// run of pixel points.
std::vector<std::vector<PixelPoint>> PolylinePixelRuns(const CWorldPoint* v, int n, bool closed);
// A filled polygon cut to the window, in pixels (empty when it lies outside).
std::vector<PixelPoint> PolygonPixels(const CWorldPoint* v, int n);
// The same into px (its old content dropped), so that a caller drawing many
// figures can keep one buffer.
void PolygonPixels(const CWorldPoint* v, int n, std::vector<PixelPoint>& px);
// Circles whose radius is beyond this many pixels are not handed to the
// platform's ellipse: its integer box may overflow, and its curve strays from
// the true circle by pixels. They are drawn as the polylines below.
constexpr double kEllipsePixelLimit = 4096;
// Whether the circle (c, r) is drawn through CirclePixelRuns and DiscPixels:
// its radius is beyond kEllipsePixelLimit pixels, or its box leaves the
// drawable window.
bool NeedsTrueCircle(const CWorldPoint& c, double r);
// The parts inside the window of the circle (c, r), or of its arc that starts
// on the ray towards from and turns by sweep radians (counter-clockwise when
// positive; a whole turn or more is the circle), each a run of pixel points.
// The polylines lie within a quarter pixel of the true circle; positions are
// taken relative to the circle's point nearest the window, so that no digit
// is lost however large the radius and the centre are.
std::vector<std::vector<PixelPoint>> CirclePixelRuns(const CWorldPoint& c, double r,
                                                     const CWorldPoint& from, double sweep);
// The disc (c, r) cut to the window, in pixels (empty when they do not meet).
std::vector<PixelPoint> DiscPixels(const CWorldPoint& c, double r);
// Whether p lies in the drawable window (and is finite).
bool IsInDrawWindow(const CWorldPoint& p);
bool IsYWithinSheet(double y);
// Screen-equal: Chebyshev distance below the pixel tolerance.
bool SamePoint(const CWorldPoint& a, const CWorldPoint& b);

}  // namespace gyr
