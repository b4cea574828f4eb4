#include "control/draw_operations.h"

#include "constructions/circle_constructions.h"
#include "constructions/line_constructions.h"
#include "figures/angle_obj.h"
#include "figures/arc_obj.h"
#include "figures/circle_obj.h"
#include "figures/isoptic_obj.h"
#include "figures/line_obj.h"
#include "figures/point_obj.h"
#include "figures/segment_obj.h"
#include "figures/text_obj.h"
#include "figures/triangle_obj.h"
#include "model/ids.h"

namespace gyr {

namespace {

// Every code of the kind not named by a row before it.
constexpr int kOwnOperation = -1;

constexpr struct {
    int kind;
    int code;
    DrawOperation op;
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
    // The figures' own drawing operations.
    {kToolSegment, kOwnOperation, &DrawSegmentTool},
    {kToolLine, kOwnOperation, &DrawLineTool},
    {kToolAngle, kOwnOperation, &DrawAngleTool},
    {kToolTriangle, kOwnOperation, &DrawTriangleTool},
    {kToolCircle, kOwnOperation, &DrawCircleTool},
    {kToolArc, kOwnOperation, &DrawArcTool},
    {kToolPointMark, kOwnOperation, &DrawPointTool},
    {kToolText, kOwnOperation, &DrawTextTool},
};

}  // namespace

DrawOperation DrawOperationOf(int kind, int code) {
    for (const auto& e : kDrawOperations)
        if (e.kind == kind && (e.code == code || e.code == kOwnOperation)) return e.op;
    return nullptr;
}

}  // namespace gyr
