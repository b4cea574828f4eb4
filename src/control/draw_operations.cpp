#include "control/draw_operations.h"

#include "figures/angle_obj.h"
#include "figures/arc_obj.h"
#include "figures/circle_obj.h"
#include "figures/line_obj.h"
#include "figures/point_obj.h"
#include "figures/segment_obj.h"
#include "figures/triangle_obj.h"
#include "model/ids.h"

namespace gyr {

namespace {

bool PlainOnly(int code) {
    return code == kCodePlain;
}

constexpr struct {
    int kind;
    DrawOperation op;
    bool (*draws)(int code);
} kDrawOperations[] = {
    {kToolSegment, &DrawSegmentTool, &SegmentToolDraws},
    {kToolLine, &DrawLineTool, &SegmentToolDraws},
    {kToolAngle, &DrawAngleTool, &AngleToolDraws},
    {kToolTriangle, &DrawTriangleTool, &PlainOnly},
    {kToolCircle, &DrawCircleTool, &CircleToolDraws},
    {kToolArc, &DrawArcTool, &ArcToolDraws},
    {kToolPointMark, &DrawPointTool, &PlainOnly},
};

}  // namespace

DrawOperation DrawOperationOf(int kind) {
    for (const auto& e : kDrawOperations)
        if (e.kind == kind) return e.op;
    return nullptr;
}

bool DrawsCode(int kind, int code) {
    for (const auto& e : kDrawOperations)
        if (e.kind == kind) return e.draws(code);
    return false;
}

}  // namespace gyr
