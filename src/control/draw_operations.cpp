#include "control/draw_operations.h"

#include <algorithm>
#include <span>

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

// The codes of the isoptic kind that its drawing operation serves.
constexpr int kIsopticDrawCodes[] = {kCodePlain, kCodeIsopticSingular};

// A row without codes draws for every code of its kind.
constexpr struct {
    int kind;
    DrawOperation op;
    std::span<const int> codes;
} kDrawOperations[] = {
    {kToolSegment, &DrawSegmentTool, {}}, {kToolLine, &DrawLineTool, {}},
    {kToolAngle, &DrawAngleTool, {}},     {kToolTriangle, &DrawTriangleTool, {}},
    {kToolCircle, &DrawCircleTool, {}},   {kToolArc, &DrawArcTool, {}},
    {kToolPointMark, &DrawPointTool, {}}, {kToolIsoptic, &DrawIsopticTool, kIsopticDrawCodes},
};

}  // namespace

DrawOperation DrawOperationOf(int kind) {
    for (const auto& e : kDrawOperations)
        if (e.kind == kind) return e.op;
    return nullptr;
}

DrawOperation DrawOperationFor(int kind, int code) {
    for (const auto& e : kDrawOperations) {
        if (e.kind != kind) continue;
        if (e.codes.empty() || std::find(e.codes.begin(), e.codes.end(), code) != e.codes.end())
            return e.op;
        return nullptr;
    }
    return nullptr;
}

}  // namespace gyr
