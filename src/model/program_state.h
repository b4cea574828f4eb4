#pragma once
// Process-wide state that lives for the whole run and is not saved with
// documents, gathered in one owner so tests can reset it.

#include <cmath>
#include <numbers>
#include <string>

#include "math/isoptic.h"
#include "math/world_point.h"
#include "model/document.h"
#include "model/script_steps.h"

namespace gyr {

struct CDrawingParams {
    int polygonSides = 6;   // 3 .. 60
    int graphPoints = 100;  // 20 .. 2400
    double graphLeft = -5.0;
    double graphRight = 5.0;
    CWorldPoint translation{0.5, -0.3};
    CWorldPoint rotationCentre{0, 0};
    double rotationAngle = std::numbers::pi / 6;
    CWorldPoint homothetyCentre{0, 0};
    double homothetyModulus = 1.5;
    double matchDistance = 0.3;  // identify points at distance <
    int divideAngleParts = 2;    // 2 .. 60
    double ratio = 0.5;          // 0 .. 1
    unsigned divideParts = 3;    // 2 .. 50
    // The unit rotation step (cos 2pi/n, sin 2pi/n) of regular polygons;
    // always that of polygonSides, so change the sides through SetPolygonSides.
    CWorldPoint polygonStep{std::cos(2 * std::numbers::pi / 6), std::sin(2 * std::numbers::pi / 6)};
};

inline void SetPolygonSides(CDrawingParams& params, int sides) {
    params.polygonSides = sides;
    params.polygonStep = {std::cos(2 * std::numbers::pi / sides),
                          std::sin(2 * std::numbers::pi / sides)};
}

// How new and re-marked points look.
struct CPointMarkSettings {
    double radius = 0.08;  // world units
    int mark = 2;          // 0 circle with a centre cross, 1 cross, 2 disc
    // "Set actual frame/fill-color": the dialog's OK gives the record the
    // document's pen and brush colours and on-flags.
    int applyToAll = 1;
    // The nine-word attribute record points receive; at start-up the
    // document's (whose defaults these are).
    CDrawAttr attr;
};

// The fixed-angle tool and the triangle-from-elements dialog remember these
// for the run.
struct CAngleSettings {
    double fixedAngle = std::numbers::pi / 6;  // radians
    int fixedDenominator = 6;                  // n when the fixed angle is pi/n, else 0
    int fixedEntryMode = 2;                    // 0 degrees, 1 radians, 2 fraction of pi
    int triangleMode = 0;                      // element set, 0 .. 4
    int triangleDegrees = 0;                   // angles typed in degrees (1) or radians (0)
    // The last values entered: sides in world units, angles in radians.
    double triangleElements[3] = {0, 0, 0};
};

// Function-graph settings beyond the interval and the number of points,
// which are the drawing parameters graphLeft, graphRight and graphPoints.
struct CGraphSettings {
    double tolerance = 7.2;  // component-separation tolerance
    // The last texts of the graph dialog; empty until it first opens.
    std::string formula;
    std::string values;
};

// The isoptic operations load the frame and constants of the cubic they work
// on here first; the solver's reference point is the point it started from.
// The half-number of points applies to cubics sampled afterwards.
struct CIsopticSettings {
    CIsopticFrame frame;
    CIsopticConstants constants;
    CWorldPoint reference;
    int halfPoints = kIsopticHalfPoints;
};

struct CProgramState {
    CDrawingParams params;
    CAngleSettings angles;
    CPointMarkSettings pointMarks;
    CGraphSettings graph;
    CIsopticSettings isoptic;
    CScriptState script;
};

CProgramState& ProgramState();
// Whether the locus script records (Undo and Cut are barred meanwhile).
inline bool IsScriptRecording() {
    return ProgramState().script.recording;
}
// Back to the start-of-run values, the sheet mapping included (tests).
void ResetProgramState();

}  // namespace gyr
