#include "control/draw_operations.h"

#include "constructions/circle_constructions.h"
#include "constructions/isoptic_constructions.h"
#include "constructions/line_constructions.h"
#include "figures/angle_obj.h"
#include "figures/arc_obj.h"
#include "figures/circle_obj.h"
#include "figures/isoptic_obj.h"
#include "figures/line_obj.h"
#include "figures/point_obj.h"
#include "figures/poly_obj.h"
#include "figures/rect_obj.h"
#include "figures/segment_obj.h"
#include "figures/text_obj.h"
#include "figures/triangle_obj.h"
#include "model/ids.h"

namespace gyr {

namespace {

// The codes of the kind that its figure's tool table knows (and no row
// before it names).
constexpr int kOwnOperation = -1;

bool PlainOnly(int code) {
    return code == kCodePlain;
}

constexpr struct {
    int kind;
    int code;
    DrawOperation op;
    bool (*draws)(int code) = nullptr;  // own rows: the codes the figure draws (all if null)
} kDrawOperations[] = {
    // Constructions that draw from their picks.
    {kToolSegment, kCodeParallel, &PressParallel},
    {kToolSegment, kCodeOrthogonal, &PressOrthogonal},
    {kToolSegment, kCodeTangentsFrom, &PressTangentsFrom},
    {kToolSegment, kCodeTangentAt, &PressTangentAt},
    {kToolLine, kCodeParallel, &PressParallel},
    {kToolLine, kCodeOrthogonal, &PressOrthogonal},
    {kToolLine, kCodeTangentsFrom, &PressTangentsFrom},
    {kToolLine, kCodeTangentAt, &PressTangentAt},
    {kToolCircle, kCodeTangentCentred, &PressTangentCentred},
    {kToolCircle, kCodeTangentAt, &PressTangentCircleAt},
    {kToolCircle, kCodeTangentThrough2, &PressTangentThrough2},
    {kToolCircle, kCodeTangentTo2Through1, &PressTangentTo2Through1},
    {kToolCircle, kCodeOrthogonalCentred, &PressOrthogonalCentred},
    {kToolCircle, kCodeOrthogonalTo2Through1, &PressOrthogonalTo2Through1},
    {kToolCircle, kCodeOrthogonalThrough2, &PressOrthogonalThrough2},
    // The isoptic kind draws for these codes only; its other codes build on
    // picked cubics.
    {kToolIsoptic, kCodePlain, &DrawIsopticTool},
    {kToolIsoptic, kCodeIsopticSingular, &DrawIsopticTool},
    {kToolIsoptic, kCodeGroupOperation, &PressGroupOperation},
    {kToolIsoptic, kCodeMainInvolution, &PressMainInvolution},
    {kToolIsoptic, kCodeOtherInversions, &PressOtherInversions},
    {kToolIsoptic, kCodeAngleAnimation, &PressAngleAnimation},
    {kToolIsoptic, kCodeIsopticBisectors, &PressIsopticBisectors},
    {kToolIsoptic, kCodeTangentsFrom, &PressIsopticTangentAt},  // "Tangent at" (21050)
    {kToolIsoptic, kCodeIsopticTangentsFrom, &PressIsopticTangentsFrom},
    // The figures' own drawing operations.
    {kToolSegment, kOwnOperation, &DrawSegmentTool, &SegmentToolDraws},
    {kToolLine, kOwnOperation, &DrawLineTool, &SegmentToolDraws},
    {kToolAngle, kOwnOperation, &DrawAngleTool, &AngleToolDraws},
    {kToolTriangle, kOwnOperation, &DrawTriangleTool, &PlainOnly},
    {kToolCircle, kOwnOperation, &DrawCircleTool, &CircleToolDraws},
    {kToolArc, kOwnOperation, &DrawArcTool, &ArcToolDraws},
    {kToolPointMark, kOwnOperation, &DrawPointTool, &PlainOnly},
    {kToolParallelogram, kOwnOperation, &DrawRectTool},  // every code of the kind
    {kToolPolygon, kOwnOperation, &DrawPolygonTool, &PlainOnly},
    {kToolText, kOwnOperation, &DrawTextTool, &PlainOnly},
};

}  // namespace

DrawOperation DrawOperationOf(int kind, int code) {
    for (const auto& e : kDrawOperations) {
        if (e.kind != kind) continue;
        if (e.code == code) return e.op;
        if (e.code == kOwnOperation) return !e.draws || e.draws(code) ? e.op : nullptr;
    }
    return nullptr;
}

}  // namespace gyr
