#include "control/command_table.h"

#include <algorithm>
#include <iterator>

#include "model/document.h"
#include "port/host.h"
#include "dialogs/sheet_dialog.h"

namespace gyr {

namespace {

void ToggleMatchPoints(CGyrView& view, bool) {
    view.ToggleMatchPoints();
}
void MakeFirst(CGyrView& view, bool) {
    view.MakeFirstOrLast(true);
}
void MakeLast(CGyrView& view, bool) {
    view.MakeFirstOrLast(false);
}
void Exercises(CGyrView& view, bool) {
    view.Beep();
}

void SheetDialog(CGyrView& view, bool) {
    if (CGyrDoc* doc = view.GetDocument()) RunSheetDialog(*doc);
}

constexpr unsigned T = kCmdTool;
constexpr unsigned D = kCmdDialog;
constexpr unsigned O = kCmdOther;
constexpr unsigned E = kCmdOther | kCmdEdit;
constexpr int P = kPlainCode;

// Rows in menu order. A tool row without a button releases every button.
CommandEntry g_commands[] = {
    // Tool bar, and Edit for reflect and invert.
    {32701, "Selection tool", T, 0, P, 32701, kGroupNone, nullptr},
    {32702, "Line-segments", T, 10, P, 32702, kGroupNone, nullptr},
    {32703, "Line", T, 20, P, 32703, kGroupNone, nullptr},
    {32704, "Parallelogramms", T, 30, P, 32704, kGroupNone, nullptr},
    {32705, "Angles", T, 40, P, 32705, kGroupNone, nullptr},
    {32706, "Triangles", T, 50, P, 32706, kGroupNone, nullptr},
    {32707, "Centered circles", T, 70, P, 32707, kGroupNone, nullptr},
    {32708, "Regular polygons", T, 60, P, 32708, kGroupNone, nullptr},
    {32709, "Text box", T, 30000, P, 32709, kGroupNone, nullptr},
    {32710, "Orthogonal to", T, 10, 10030, 32710, kGroupNone, nullptr},
    {32711, "Cross", T, 10, 103, 32711, kGroupNone, nullptr},
    {32712, "Tangents from point", T, 10, 21050, 32712, kGroupNone, nullptr},
    {32713, "Tangent +2 points", T, 70, 705, 32713, kGroupNone, nullptr},
    {32714, "Circle tangent", T, 70, 703, 32714, kGroupNone, nullptr},
    {32715, "Enclosing circle", T, 50, 504, 32715, kGroupNone, nullptr},
    {32716, "Angle-division", T, 40, 401, 32716, kGroupNone, nullptr},
    {32717, "Reflect", T, 201, P, 32717, kGroupNone, nullptr},
    {32718, "Invert", T, 702, P, 32718, kGroupNone, nullptr},
    {32880, "Match points", O, 0, 0, 0, kGroupNone, &ToggleMatchPoints},
    {32812, "Match points", O, 0, 0, 0, kGroupNone, &ToggleMatchPoints},
    {32881, "Make first", O, 0, 0, 0, kGroupNone, &MakeFirst},
    {32882, "Make last", O, 0, 0, 0, kGroupNone, &MakeLast},
    {32951, "Intersection", E, 0, 0, 0, kGroupNone, nullptr},
    {32952, "Duplicate", E, 0, 0, 0, kGroupNone, nullptr},
    {32953, "Rotate", E, 0, 0, 0, kGroupNone, nullptr},
    {32954, "Homothety", E, 0, 0, 0, kGroupNone, nullptr},

    // Drawing.
    {32751, "Select", T, 0, P, 32701, kGroupDrawing, nullptr},
    {32752, "Polygons (reg.)", T, 60, P, 32708, kGroupDrawing, nullptr},
    {32753, "Set points", T, 25000, P, 0, kGroupDrawing, nullptr},
    {32754, "Graph ...", T | D, 90, P, 0, kGroupDrawing, nullptr},
    {32755, "Text", T, 30000, P, 32709, kGroupDrawing, nullptr},
    {32756, "Restricted pict (bmp)", T, 31010, P, 0, kGroupDrawing, nullptr},
    {32757, "Restricted pict (emf)", T, 31000, P, 0, kGroupDrawing, nullptr},
    {32758, "Import picture ...", D, 0, 0, 0, kGroupDrawing, nullptr},
    {32759, "Export Picture", D, 0, 0, 0, kGroupDrawing, nullptr},
    {32760, "Exercises", O, 0, 0, 0, kGroupNone, &Exercises},
    {32783, "Drawing Sheet ...", D, 0, 0, 0, kGroupNone, &SheetDialog},

    // Segments.
    {33026, "Simple", T, 10, P, 32702, kGroupSegments, nullptr},
    {33027, "Cross", T, 10, 103, 32711, kGroupSegments, nullptr},
    {33028, "Ratio", T | D | kCmdShiftAction, 10, 101, 32702, kGroupSegments, nullptr},
    {33029, "Parallel", T, 10, 10010, 32702, kGroupSegments, nullptr},
    {33030, "Orthogonal", T, 10, 10030, 32710, kGroupSegments, nullptr},
    {33031, "Tangents", T, 10, 21050, 32712, kGroupSegments, nullptr},
    {33032, "Tangent at", T, 10, 704, 32702, kGroupSegments, nullptr},
    {33033, "Common tangents", T, 10, 102, 32702, kGroupSegments, nullptr},
    {33034, "Complete quadrilateral", T, 10, 104, 32702, kGroupSegments, nullptr},
    {33035, "Divide in N parts", T, 10, 105, 32702, kGroupSegments, nullptr},

    // Lines.
    {33101, "Simple", T, 20, P, 32703, kGroupLines, nullptr},
    {33102, "Orthogonal", T, 20, 10030, 32703, kGroupLines, nullptr},
    {33103, "Parallel", T, 20, 10010, 32703, kGroupLines, nullptr},
    {33104, "Middle orthogonal", T, 20, 202, 32703, kGroupLines, nullptr},
    {33105, "Tangent at", T, 20, 704, 32703, kGroupLines, nullptr},
    {33106, "Tangents", T, 20, 21050, 32703, kGroupLines, nullptr},
    {33107, "Common tangents", T, 20, 102, 32703, kGroupLines, nullptr},

    // Triangles.
    {33151, "General", T, 50, P, 32706, kGroupTriangles, nullptr},
    {33152, "From elements ...", D, 0, 0, 0, kGroupTriangles, nullptr},
    {33153, "Medians", T, 50, 501, 32706, kGroupTriangles, nullptr},
    {33154, "Heights", T, 50, 503, 32706, kGroupTriangles, nullptr},
    {33155, "Bisectors", T, 50, 502, 32706, kGroupTriangles, nullptr},
    {33156, "Euler circle", T, 50, 506, 32706, kGroupTriangles, nullptr},
    {33157, "Euler line", T, 50, 507, 32706, kGroupTriangles, nullptr},
    {33158, "Inscribed circles", T, 50, 505, 32706, kGroupTriangles, nullptr},
    {33159, "Enclosing circle", T, 50, 504, 32715, kGroupTriangles, nullptr},

    // Parallelograms.
    {32901, "General", T, 30, P, 32704, kGroupParallelograms, nullptr},
    {32902, "Screen", T, 30, 10010, 32704, kGroupParallelograms, nullptr},
    {32903, "Equilateral (rhomb)", T, 30, 10050, 32704, kGroupParallelograms, nullptr},
    {32904, "Trapezium", T, 30, 301, 32704, kGroupParallelograms, nullptr},

    // Angles.
    {33051, "Start with side-1", T, 40, P, 32705, kGroupAngles, nullptr},
    {33052, "Viewing a segment", T, 40, 26000, 32705, kGroupAngles, nullptr},
    {33053, "Fixed", T, 40, 451, 32705, kGroupAngles, nullptr},
    {33054, "Fixed angle ...", D, 0, 0, 0, kGroupAngles, nullptr},
    {33055, "Divide angle", T, 40, 401, 32716, kGroupAngles, nullptr},

    // Circular arcs.
    {33201, "Simple arc", T, 80, P, 0, kGroupArcs, nullptr},
    {33202, "Arc 180", T, 80, 801, 0, kGroupArcs, nullptr},
    {33203, "Arc on angle", T, 80, 802, 0, kGroupArcs, nullptr},
    {33204, "Hyperbolic line", T, 80, 803, 0, kGroupArcs, nullptr},
    {33205, "Hyperbolic segment", T, 80, 804, 0, kGroupArcs, nullptr},
    {33206, "Hyperbolic next", T, 80, 805, 0, kGroupArcs, nullptr},
    {33207, "Hyperbolic orthogonal", T, 80, 10030, 0, kGroupArcs, nullptr},

    // Circles.
    {33001, "General", T, 70, P, 32707, kGroupCircles, nullptr},
    {33002, "Tangent, centred", T, 70, 703, 32714, kGroupCircles, nullptr},
    {33003, "Tangent at point", T, 70, 704, 32707, kGroupCircles, nullptr},
    {33004, "Tangent through 2 points", T, 70, 705, 32713, kGroupCircles, nullptr},
    {33005, "Tangent to 2, through 1 point", T, 70, 706, 32707, kGroupCircles, nullptr},
    {33006, "Tangent to 3", T, 70, 707, 32707, kGroupCircles, nullptr},
    {33007, "Orthogonal, centred", T, 70, 708, 32707, kGroupCircles, nullptr},
    {33008, "Orthogonal to 2, through 1 point", T, 70, 709, 32707, kGroupCircles, nullptr},
    {33009, "Orthogonal through 2 points", T, 70, 710, 32707, kGroupCircles, nullptr},
    {33010, "Radical axis", T, 70, 711, 32707, kGroupCircles, nullptr},
    {33011, "Inversion interchanging", T, 70, 712, 32707, kGroupCircles, nullptr},
    {33012, "Apollonian circle", T, 70, 701, 32707, kGroupCircles, nullptr},
    {33013, "Three points", T, 70, 713, 32707, kGroupCircles, nullptr},

    // Isoptics.
    {32851, "Define through ABCD", T, 20000, P, 0, kGroupIsoptics, nullptr},
    {32852, "Through predefined segments", T, 20000, 20030, 0, kGroupIsoptics, nullptr},
    {32853, "Through predefined angle", T, 20000, 20040, 0, kGroupIsoptics, nullptr},
    {32854, "Singular", T, 20000, 20020, 0, kGroupIsoptics, nullptr},
    {32855, "Canonical constants ...", D, 0, 0, 0, kGroupIsoptics, nullptr},
    {32856, "Isoptic-II", T, 20000, 20101, 0, kGroupIsoptics, nullptr},
    {32857, "Isoptic-III", T, 20000, 20102, 0, kGroupIsoptics, nullptr},
    {32858, "Canonical axes", T, 20000, 20501, 0, kGroupIsoptics, nullptr},
    {32860, "Asymptotic", T, 20000, 20502, 0, kGroupIsoptics, nullptr},
    {32861, "Middle line", T, 20000, 20503, 0, kGroupIsoptics, nullptr},
    {32862, "Flexes", T, 20000, 20504, 0, kGroupIsoptics, nullptr},
    {32863, "Group operation", T, 20000, 21010, 0, kGroupIsoptics, nullptr},
    {32864, "Main involution", T, 20000, 21020, 0, kGroupIsoptics, nullptr},
    {32865, "Other inversions", T, 20000, 21060, 0, kGroupIsoptics, nullptr},
    {32866, "Angle animation", T, 20000, 40, 0, kGroupIsoptics, nullptr},

    // Tangents-Bisectors.
    {33301, "Bisectors at", T, 20000, 20506, 0, kGroupTangentsBisectors, nullptr},
    {33302, "Tangent at", T, 20000, 21050, 0, kGroupTangentsBisectors, nullptr},
    {33303, "Tangents from", T, 20000, 20505, 0, kGroupTangentsBisectors, nullptr},

    // The three-button group bar: only its first button restarts the stage.
    {32959, "Group operation 1", T, 20000, 21010, 0, kGroupThreeButtonBar, nullptr},
    {32960, "Group operation 2", T | kCmdKeepStage, 20000, 21010, 0, kGroupThreeButtonBar, nullptr},
    {32961, "Group operation 3", T | kCmdKeepStage, 20000, 21010, 0, kGroupThreeButtonBar, nullptr},
};

CommandEntry* FindMutable(int id) {
    auto it = std::find_if(std::begin(g_commands), std::end(g_commands),
                           [id](const CommandEntry& e) { return e.id == id; });
    return it == std::end(g_commands) ? nullptr : &*it;
}

}  // namespace

std::span<const CommandEntry> CommandTable() {
    return g_commands;
}

const CommandEntry* FindCommand(int id) {
    return FindMutable(id);
}

CommandAction SetCommandAction(int id, CommandAction action) {
    CommandEntry* e = FindMutable(id);
    if (!e) return nullptr;
    CommandAction old = e->action;
    e->action = action;
    return old;
}

}  // namespace gyr
