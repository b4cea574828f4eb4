#include "control/draw_operations.h"

#include "figures/angle_obj.h"
#include "figures/arc_obj.h"
#include "figures/circle_obj.h"
#include "figures/isoptic_obj.h"
#include "figures/line_obj.h"
#include "figures/point_obj.h"
#include "figures/segment_obj.h"
#include "figures/triangle_obj.h"
#include "model/ids.h"

namespace gyr {

namespace {

constexpr struct {
    int kind;
    DrawOperation op;
} kDrawOperations[] = {
    {kToolSegment, &DrawSegmentTool}, {kToolLine, &DrawLineTool},
    {kToolAngle, &DrawAngleTool},     {kToolTriangle, &DrawTriangleTool},
    {kToolCircle, &DrawCircleTool},   {kToolArc, &DrawArcTool},
    {kToolPointMark, &DrawPointTool}, {kToolIsoptic, &DrawIsopticTool},
};

}  // namespace

DrawOperation DrawOperationOf(int kind) {
    for (const auto& e : kDrawOperations)
        if (e.kind == kind) return e.op;
    return nullptr;
}

}  // namespace gyr
