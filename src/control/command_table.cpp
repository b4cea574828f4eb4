#include "control/command_table.h"

#include <algorithm>
#include <iterator>

#include "constructions/intersections.h"
#include "constructions/line_constructions.h"
#include "constructions/transform_copies.h"
#include "control/draw_operations.h"
#include "control/pick_rules.h"
#include "control/picture_commands.h"
#include "control/sheet_decor.h"
#include "dialogs/angle_dialogs.h"
#include "dialogs/graph_dialog.h"
#include "dialogs/isoptic_dialogs.h"
#include "dialogs/point_mark_dialog.h"
#include "dialogs/sheet_dialog.h"
#include "model/document.h"

namespace gyr {

namespace {

void ToggleMatchPoints(CGyrView& view, bool) {
    view.ToggleMatchPoints();
}
void MakeFirst(CGyrView& view, bool) {
    view.MoveSelectedTo(CGyrView::ListEnd::First);
}
void MakeLast(CGyrView& view, bool) {
    view.MoveSelectedTo(CGyrView::ListEnd::Last);
}
void ImportPicture(CGyrView& view, bool) {
    ImportPictureCommand(view.State());
}
void ExportPicture(CGyrView& view, bool) {
    ExportPictureCommand(view.State());
}
void Exercises(CGyrView& view, bool) {
    view.Beep();
}
void SheetDialog(CGyrView& view, bool) {
    if (CGyrDoc* doc = view.GetDocument()) RunSheetDialog(*doc);
}
void GraphDialog(CGyrView& view, bool) {
    if (CGyrDoc* doc = view.GetDocument()) RunGraphDialog(*doc);
}
void FixedAngleDialog(CGyrView&, bool) {
    RunFixedAngleDialog();
}
void TriangleDialog(CGyrView& view, bool) {
    RunTriangleDialog(view.State());
}
void IsopticConstantsDialog(CGyrView& view, bool) {
    RunIsopticConstantsDialog(view.State());
}
void HalfPointsDialog(CGyrView&, bool) {
    RunHalfPointsDialog();
}
// With Shift the ratio setting is taken from the first selected angle.
void RatioFromAngle(CGyrView& view, bool shift) {
    if (shift && !RatioFromSelectedAngle(view.State())) view.Beep();
}
void Intersection(CGyrView& view, bool) {
    IntersectSelection(view.State());
}
void PointMarkDialog(CGyrView& view, bool) {
    if (CGyrDoc* doc = view.GetDocument()) RunPointMarkDialog(*doc);
}
void DeletePointMarks(CGyrView& view, bool) {
    DeleteAllPointMarksCommand(view.State());
}
void LogoAndFrame(CGyrView& view, bool) {
    AddLogoAndFrame(view.State());
}
// Transformed copies of the selection; with Shift the drawing parameters
// are taken from the selection instead.
void TransformedCopies(CGyrView& view, bool shift, CopyKind kind) {
    const bool ok =
        shift ? CopyParamsFromSelection(view.State(), kind) : CopySelection(view.State(), kind) > 0;
    if (!ok) view.Beep();
}
void Duplicate(CGyrView& view, bool shift) {
    TransformedCopies(view, shift, CopyKind::Duplicate);
}
void Rotate(CGyrView& view, bool shift) {
    TransformedCopies(view, shift, CopyKind::Rotate);
}
void Homothety(CGyrView& view, bool shift) {
    TransformedCopies(view, shift, CopyKind::Homothety);
}

constexpr unsigned T = kCmdTool;
constexpr unsigned D = kCmdDialog;
constexpr unsigned O = kCmdOther;

// Rows in menu order. A tool row without a button releases every button.
constexpr CommandEntry kCommands[] = {
    // Tool bar, and Edit for reflect and invert.
    {ID_SELECT_TOOL, "Selection tool", T, kToolSelect, kCodePlain, ID_SELECT_TOOL, kGroupNone,
     nullptr},
    {ID_SEGMENTS_TOOL, "Line-segments", T, kToolSegment, kCodePlain, ID_SEGMENTS_TOOL, kGroupNone,
     nullptr},
    {ID_LINE_TOOL, "Line", T, kToolLine, kCodePlain, ID_LINE_TOOL, kGroupNone, nullptr},
    {ID_PARALLELOGRAMS_TOOL, "Parallelogramms", T, kToolParallelogram, kCodePlain,
     ID_PARALLELOGRAMS_TOOL, kGroupNone, nullptr},
    {ID_ANGLES_TOOL, "Angles", T, kToolAngle, kCodePlain, ID_ANGLES_TOOL, kGroupNone, nullptr},
    {ID_TRIANGLES_TOOL, "Triangles", T, kToolTriangle, kCodePlain, ID_TRIANGLES_TOOL, kGroupNone,
     nullptr},
    {ID_CIRCLES_TOOL, "Centered circles", T, kToolCircle, kCodePlain, ID_CIRCLES_TOOL, kGroupNone,
     nullptr},
    {ID_POLYGONS_TOOL, "Regular polygons", T, kToolPolygon, kCodePlain, ID_POLYGONS_TOOL,
     kGroupNone, nullptr},
    {ID_TEXT_BOX_TOOL, "Text box", T, kToolText, kCodePlain, ID_TEXT_BOX_TOOL, kGroupNone, nullptr},
    {ID_ORTHOGONAL_TOOL, "Orthogonal to", T, kToolSegment, kCodeOrthogonal, ID_ORTHOGONAL_TOOL,
     kGroupNone, nullptr},
    {ID_CROSS_TOOL, "Cross", T, kToolSegment, kCodeCross, ID_CROSS_TOOL, kGroupNone, nullptr},
    {ID_TANGENTS_FROM_TOOL, "Tangents from point", T, kToolSegment, kCodeTangentsFrom,
     ID_TANGENTS_FROM_TOOL, kGroupNone, nullptr},
    {ID_TANGENT_2_POINTS_TOOL, "Tangent +2 points", T, kToolCircle, kCodeTangentThrough2,
     ID_TANGENT_2_POINTS_TOOL, kGroupNone, nullptr},
    {ID_CIRCLE_TANGENT_TOOL, "Circle tangent", T, kToolCircle, kCodeTangentCentred,
     ID_CIRCLE_TANGENT_TOOL, kGroupNone, nullptr},
    {ID_ENCLOSING_CIRCLE_TOOL, "Enclosing circle", T, kToolTriangle, kCodeEnclosingCircle,
     ID_ENCLOSING_CIRCLE_TOOL, kGroupNone, nullptr},
    {ID_ANGLE_DIVISION_TOOL, "Angle-division", T, kToolAngle, kCodeDivideAngle,
     ID_ANGLE_DIVISION_TOOL, kGroupNone, nullptr},
    {ID_REFLECT_TOOL, "Reflect", T, kToolReflect, kCodePlain, ID_REFLECT_TOOL, kGroupNone, nullptr},
    {ID_INVERT_TOOL, "Invert", T, kToolInvert, kCodePlain, ID_INVERT_TOOL, kGroupNone, nullptr},
    {ID_MATCH_POINTS, "Match points", O, 0, 0, 0, kGroupNone, &ToggleMatchPoints},
    {ID_MATCH_POINTS_ALT, "Match points", O, 0, 0, 0, kGroupNone, &ToggleMatchPoints},
    {ID_MAKE_FIRST, "Make first", O, 0, 0, 0, kGroupNone, &MakeFirst},
    {ID_MAKE_LAST, "Make last", O, 0, 0, 0, kGroupNone, &MakeLast},
    {ID_INTERSECTION, "Intersection", O, 0, 0, 0, kGroupNone, &Intersection},
    {ID_DUPLICATE, "Duplicate", O, 0, 0, 0, kGroupNone, &Duplicate},
    {ID_ROTATE, "Rotate", O, 0, 0, 0, kGroupNone, &Rotate},
    {ID_HOMOTHETY, "Homothety", O, 0, 0, 0, kGroupNone, &Homothety},
    {ID_POINT_MARK, "Set Point-Mark", D, 0, 0, 0, kGroupNone, &PointMarkDialog},
    {ID_DELETE_POINT_MARKS, "Delete All Point-marks", O, 0, 0, 0, kGroupNone, &DeletePointMarks},
    {ID_LOGO_FRAME, "Logo and Frame", O, 0, 0, 0, kGroupNone, &LogoAndFrame},

    // Drawing.
    {ID_DRAW_SELECT, "Select", T, kToolSelect, kCodePlain, ID_SELECT_TOOL, kGroupDrawing, nullptr},
    {ID_DRAW_POLYGONS, "Polygons (reg.)", T, kToolPolygon, kCodePlain, ID_POLYGONS_TOOL,
     kGroupDrawing, nullptr},
    {ID_DRAW_POINTS, "Set points", T, kToolPointMark, kCodePlain, 0, kGroupDrawing, nullptr},
    {ID_DRAW_GRAPH, "Graph ...", T | D, kToolGraph, kCodePlain, 0, kGroupDrawing, &GraphDialog},
    {ID_DRAW_TEXT, "Text", T, kToolText, kCodePlain, ID_TEXT_BOX_TOOL, kGroupDrawing, nullptr},
    {ID_DRAW_PICT_BMP, "Restricted pict (bmp)", T, kToolPictBmp, kCodePlain, 0, kGroupDrawing,
     nullptr},
    {ID_DRAW_PICT_EMF, "Restricted pict (emf)", T, kToolPictEmf, kCodePlain, 0, kGroupDrawing,
     nullptr},
    {ID_IMPORT_PICTURE, "Import picture ...", D, 0, 0, 0, kGroupDrawing, &ImportPicture},
    {ID_EXPORT_PICTURE, "Export Picture", D, 0, 0, 0, kGroupDrawing, &ExportPicture},
    {ID_EXERCISES, "Exercises", O, 0, 0, 0, kGroupNone, &Exercises},
    {ID_DRAWING_SHEET, "Drawing Sheet ...", D, 0, 0, 0, kGroupNone, &SheetDialog},

    // Segments.
    {ID_SEGMENT_SIMPLE, "Simple", T, kToolSegment, kCodePlain, ID_SEGMENTS_TOOL, kGroupSegments,
     nullptr},
    {ID_SEGMENT_CROSS, "Cross", T, kToolSegment, kCodeCross, ID_CROSS_TOOL, kGroupSegments,
     nullptr},
    {ID_SEGMENT_RATIO, "Ratio", T, kToolSegment, kCodeRatio, ID_SEGMENTS_TOOL, kGroupSegments,
     &RatioFromAngle},
    {ID_SEGMENT_PARALLEL, "Parallel", T, kToolSegment, kCodeParallel, ID_SEGMENTS_TOOL,
     kGroupSegments, nullptr},
    {ID_SEGMENT_ORTHOGONAL, "Orthogonal", T, kToolSegment, kCodeOrthogonal, ID_ORTHOGONAL_TOOL,
     kGroupSegments, nullptr},
    {ID_SEGMENT_TANGENTS, "Tangents", T, kToolSegment, kCodeTangentsFrom, ID_TANGENTS_FROM_TOOL,
     kGroupSegments, nullptr},
    {ID_SEGMENT_TANGENT_AT, "Tangent at", T, kToolSegment, kCodeTangentAt, ID_SEGMENTS_TOOL,
     kGroupSegments, nullptr},
    {ID_SEGMENT_COMMON_TANGENTS, "Common tangents", T, kToolSegment, kCodeCommonTangents,
     ID_SEGMENTS_TOOL, kGroupSegments, nullptr},
    {ID_SEGMENT_QUADRILATERAL, "Complete quadrilateral", T, kToolSegment, kCodeQuadrilateral,
     ID_SEGMENTS_TOOL, kGroupSegments, nullptr},
    {ID_SEGMENT_DIVIDE, "Divide in N parts", T, kToolSegment, kCodeDivideInParts, ID_SEGMENTS_TOOL,
     kGroupSegments, nullptr},

    // Lines.
    {ID_LINE_SIMPLE, "Simple", T, kToolLine, kCodePlain, ID_LINE_TOOL, kGroupLines, nullptr},
    {ID_LINE_ORTHOGONAL, "Orthogonal", T, kToolLine, kCodeOrthogonal, ID_LINE_TOOL, kGroupLines,
     nullptr},
    {ID_LINE_PARALLEL, "Parallel", T, kToolLine, kCodeParallel, ID_LINE_TOOL, kGroupLines, nullptr},
    {ID_LINE_MIDDLE_ORTHOGONAL, "Middle orthogonal", T, kToolLine, kCodeMiddleOrthogonal,
     ID_LINE_TOOL, kGroupLines, nullptr},
    {ID_LINE_TANGENT_AT, "Tangent at", T, kToolLine, kCodeTangentAt, ID_LINE_TOOL, kGroupLines,
     nullptr},
    {ID_LINE_TANGENTS, "Tangents", T, kToolLine, kCodeTangentsFrom, ID_LINE_TOOL, kGroupLines,
     nullptr},
    {ID_LINE_COMMON_TANGENTS, "Common tangents", T, kToolLine, kCodeCommonTangents, ID_LINE_TOOL,
     kGroupLines, nullptr},

    // Triangles.
    {ID_TRIANGLE_GENERAL, "General", T, kToolTriangle, kCodePlain, ID_TRIANGLES_TOOL,
     kGroupTriangles, nullptr},
    {ID_TRIANGLE_DIALOG, "From elements ...", D, 0, 0, 0, kGroupTriangles, &TriangleDialog},
    {ID_TRIANGLE_MEDIANS, "Medians", T, kToolTriangle, kCodeMedians, ID_TRIANGLES_TOOL,
     kGroupTriangles, nullptr},
    {ID_TRIANGLE_HEIGHTS, "Heights", T, kToolTriangle, kCodeHeights, ID_TRIANGLES_TOOL,
     kGroupTriangles, nullptr},
    {ID_TRIANGLE_BISECTORS, "Bisectors", T, kToolTriangle, kCodeBisectors, ID_TRIANGLES_TOOL,
     kGroupTriangles, nullptr},
    {ID_TRIANGLE_EULER_CIRCLE, "Euler circle", T, kToolTriangle, kCodeEulerCircle,
     ID_TRIANGLES_TOOL, kGroupTriangles, nullptr},
    {ID_TRIANGLE_EULER_LINE, "Euler line", T, kToolTriangle, kCodeEulerLine, ID_TRIANGLES_TOOL,
     kGroupTriangles, nullptr},
    {ID_TRIANGLE_INSCRIBED, "Inscribed circles", T, kToolTriangle, kCodeInscribedCircles,
     ID_TRIANGLES_TOOL, kGroupTriangles, nullptr},
    {ID_TRIANGLE_ENCLOSING, "Enclosing circle", T, kToolTriangle, kCodeEnclosingCircle,
     ID_ENCLOSING_CIRCLE_TOOL, kGroupTriangles, nullptr},

    // Parallelograms.
    {ID_PARALLELOGRAM_GENERAL, "General", T, kToolParallelogram, kCodePlain, ID_PARALLELOGRAMS_TOOL,
     kGroupParallelograms, nullptr},
    {ID_PARALLELOGRAM_SCREEN, "Screen", T, kToolParallelogram, kCodeParallel,
     ID_PARALLELOGRAMS_TOOL, kGroupParallelograms, nullptr},
    {ID_PARALLELOGRAM_RHOMB, "Equilateral (rhomb)", T, kToolParallelogram, kCodeRhomb,
     ID_PARALLELOGRAMS_TOOL, kGroupParallelograms, nullptr},
    {ID_PARALLELOGRAM_TRAPEZIUM, "Trapezium", T, kToolParallelogram, kCodeTrapezium,
     ID_PARALLELOGRAMS_TOOL, kGroupParallelograms, nullptr},

    // Angles.
    {ID_ANGLE_FROM_SIDE, "Start with side-1", T, kToolAngle, kCodePlain, ID_ANGLES_TOOL,
     kGroupAngles, nullptr},
    {ID_ANGLE_VIEWING, "Viewing a segment", T, kToolAngle, kCodeViewingSegment, ID_ANGLES_TOOL,
     kGroupAngles, nullptr},
    {ID_ANGLE_FIXED, "Fixed", T, kToolAngle, kCodeFixedAngle, ID_ANGLES_TOOL, kGroupAngles,
     nullptr},
    {ID_ANGLE_FIXED_DIALOG, "Fixed angle ...", D, 0, 0, 0, kGroupAngles, &FixedAngleDialog},
    {ID_ANGLE_DIVIDE, "Divide angle", T, kToolAngle, kCodeDivideAngle, ID_ANGLE_DIVISION_TOOL,
     kGroupAngles, nullptr},

    // Circular arcs.
    {ID_ARC_SIMPLE, "Simple arc", T, kToolArc, kCodePlain, 0, kGroupArcs, nullptr},
    {ID_ARC_180, "Arc 180", T, kToolArc, kCodeHalfCircleArc, 0, kGroupArcs, nullptr},
    {ID_ARC_ON_ANGLE, "Arc on angle", T, kToolArc, kCodeArcOnAngle, 0, kGroupArcs, nullptr},
    {ID_ARC_H_LINE, "Hyperbolic line", T, kToolArc, kCodeHyperbolicLine, 0, kGroupArcs, nullptr},
    {ID_ARC_H_SEGMENT, "Hyperbolic segment", T, kToolArc, kCodeHyperbolicSegment, 0, kGroupArcs,
     nullptr},
    {ID_ARC_H_NEXT, "Hyperbolic next", T, kToolArc, kCodeHyperbolicNext, 0, kGroupArcs, nullptr},
    {ID_ARC_H_ORTHOGONAL, "Hyperbolic orthogonal", T, kToolArc, kCodeOrthogonal, 0, kGroupArcs,
     nullptr},

    // Circles.
    {ID_CIRCLE_GENERAL, "General", T, kToolCircle, kCodePlain, ID_CIRCLES_TOOL, kGroupCircles,
     nullptr},
    {ID_CIRCLE_TANGENT_CENTRED, "Tangent, centred", T, kToolCircle, kCodeTangentCentred,
     ID_CIRCLE_TANGENT_TOOL, kGroupCircles, nullptr},
    {ID_CIRCLE_TANGENT_AT, "Tangent at point", T, kToolCircle, kCodeTangentAt, ID_CIRCLES_TOOL,
     kGroupCircles, nullptr},
    {ID_CIRCLE_TANGENT_THROUGH_2, "Tangent through 2 points", T, kToolCircle, kCodeTangentThrough2,
     ID_TANGENT_2_POINTS_TOOL, kGroupCircles, nullptr},
    {ID_CIRCLE_TANGENT_2_THROUGH_1, "Tangent to 2, through 1 point", T, kToolCircle,
     kCodeTangentTo2Through1, ID_CIRCLES_TOOL, kGroupCircles, nullptr},
    {ID_CIRCLE_TANGENT_3, "Tangent to 3", T, kToolCircle, kCodeTangentTo3, ID_CIRCLES_TOOL,
     kGroupCircles, nullptr},
    {ID_CIRCLE_ORTHOGONAL_CENTRED, "Orthogonal, centred", T, kToolCircle, kCodeOrthogonalCentred,
     ID_CIRCLES_TOOL, kGroupCircles, nullptr},
    {ID_CIRCLE_ORTHOGONAL_2_THROUGH_1, "Orthogonal to 2, through 1 point", T, kToolCircle,
     kCodeOrthogonalTo2Through1, ID_CIRCLES_TOOL, kGroupCircles, nullptr},
    {ID_CIRCLE_ORTHOGONAL_THROUGH_2, "Orthogonal through 2 points", T, kToolCircle,
     kCodeOrthogonalThrough2, ID_CIRCLES_TOOL, kGroupCircles, nullptr},
    {ID_CIRCLE_RADICAL_AXIS, "Radical axis", T, kToolCircle, kCodeRadicalAxis, ID_CIRCLES_TOOL,
     kGroupCircles, nullptr},
    {ID_CIRCLE_INVERSION_INTERCHANGING, "Inversion interchanging", T, kToolCircle,
     kCodeInversionInterchanging, ID_CIRCLES_TOOL, kGroupCircles, nullptr},
    {ID_CIRCLE_APOLLONIAN, "Apollonian circle", T, kToolCircle, kCodeApollonianCircle,
     ID_CIRCLES_TOOL, kGroupCircles, nullptr},
    {ID_CIRCLE_THREE_POINTS, "Three points", T, kToolCircle, kCodeThreePoints, ID_CIRCLES_TOOL,
     kGroupCircles, nullptr},

    // Isoptics.
    {ID_ISOPTIC_ABCD, "Define through ABCD", T, kToolIsoptic, kCodePlain, 0, kGroupIsoptics,
     nullptr},
    {ID_ISOPTIC_SEGMENTS, "Through predefined segments", T, kToolIsoptic, kCodeIsopticSegments, 0,
     kGroupIsoptics, nullptr},
    {ID_ISOPTIC_ANGLE, "Through predefined angle", T, kToolIsoptic, kCodeIsopticAngle, 0,
     kGroupIsoptics, nullptr},
    {ID_ISOPTIC_SINGULAR, "Singular", T, kToolIsoptic, kCodeIsopticSingular, 0, kGroupIsoptics,
     nullptr},
    {ID_ISOPTIC_CONSTANTS, "Canonical constants ...", D, 0, 0, 0, kGroupIsoptics,
     &IsopticConstantsDialog},
    {ID_ISOPTIC_TWO, "Isoptic-II", T, kToolIsoptic, kCodeIsopticTwo, 0, kGroupIsoptics, nullptr},
    {ID_ISOPTIC_THREE, "Isoptic-III", T, kToolIsoptic, kCodeIsopticThree, 0, kGroupIsoptics,
     nullptr},
    {ID_ISOPTIC_AXES, "Canonical axes", T, kToolIsoptic, kCodeCanonicalAxes, 0, kGroupIsoptics,
     nullptr},
    {ID_ISOPTIC_ASYMPTOTE, "Asymptotic", T, kToolIsoptic, kCodeAsymptote, 0, kGroupIsoptics,
     nullptr},
    {ID_ISOPTIC_MIDDLE_LINE, "Middle line", T, kToolIsoptic, kCodeMiddleLine, 0, kGroupIsoptics,
     nullptr},
    {ID_ISOPTIC_FLEXES, "Flexes", T, kToolIsoptic, kCodeFlexes, 0, kGroupIsoptics, nullptr},
    {ID_ISOPTIC_GROUP, "Group operation", T, kToolIsoptic, kCodeGroupOperation, 0, kGroupIsoptics,
     nullptr},
    {ID_ISOPTIC_INVOLUTION, "Main involution", T, kToolIsoptic, kCodeMainInvolution, 0,
     kGroupIsoptics, nullptr},
    {ID_ISOPTIC_INVERSIONS, "Other inversions", T, kToolIsoptic, kCodeOtherInversions, 0,
     kGroupIsoptics, nullptr},
    {ID_ISOPTIC_ANIMATION, "Angle animation", T, kToolIsoptic, kCodeAngleAnimation, 0,
     kGroupIsoptics, nullptr},
    {ID_HALF_COMPONENT_PTS, "Half-component-pts...", D, 0, 0, 0, kGroupNone, &HalfPointsDialog},

    // Tangents-Bisectors.
    {ID_ISOPTIC_BISECTORS_AT, "Bisectors at", T, kToolIsoptic, kCodeIsopticBisectors, 0,
     kGroupTangentsBisectors, nullptr},
    {ID_ISOPTIC_TANGENT_AT, "Tangent at", T, kToolIsoptic, kCodeTangentsFrom, 0,
     kGroupTangentsBisectors, nullptr},
    {ID_ISOPTIC_TANGENTS_FROM, "Tangents from", T, kToolIsoptic, kCodeIsopticTangentsFrom, 0,
     kGroupTangentsBisectors, nullptr},

    // The three-button group bar: only its first button restarts the stage.
    {ID_GROUP_BAR_FIRST, "Group operation 1", T, kToolIsoptic, kCodeGroupOperation, 0,
     kGroupThreeButtonBar, nullptr},
    {ID_GROUP_BAR_SECOND, "Group operation 2", T | kCmdKeepStage, kToolIsoptic, kCodeGroupOperation,
     0, kGroupThreeButtonBar, nullptr},
    {ID_GROUP_BAR_THIRD, "Group operation 3", T | kCmdKeepStage, kToolIsoptic, kCodeGroupOperation,
     0, kGroupThreeButtonBar, nullptr},
};

}  // namespace

std::span<const CommandEntry> CommandTable() {
    return kCommands;
}

const CommandEntry* FindCommand(int id) {
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                           [id](const CommandEntry& e) { return e.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

bool IsCommandAvailable(const CommandEntry& cmd) {
    if (cmd.action) return true;
    if (!(cmd.flags & kCmdTool)) return false;
    // The picture tools frame an area with the selection's rubber band.
    if (cmd.kind == kToolSelect || cmd.kind == kToolPictBmp || cmd.kind == kToolPictEmf)
        return true;
    // Picks that end in a construction need it; picks that go on to draw, and
    // tools that only draw, need the kind's drawing operation.
    const PickRule* rule = FindPickRule(cmd.kind, cmd.code);
    if (rule && rule->step != PickStep::Stage) return rule->construct != nullptr;
    return DrawOperationOf(cmd.kind, cmd.code) != nullptr;
}

}  // namespace gyr
