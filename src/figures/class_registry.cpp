// The one table of serialisable classes: the file format names classes, and
// loading creates them through this table. A new drawing class is added here.

#include <array>

#include "figures/compo.h"
#include "figures/compo_obj.h"
#include "figures/graph_obj.h"
#include "figures/angle_obj.h"
#include "figures/intersection_obj.h"
#include "figures/line_obj.h"
#include "figures/point_obj.h"
#include "model/runtime_class.h"
#include "figures/segment_obj.h"
#include "model/shape_obj.h"
#include "figures/triangle_obj.h"
#include "figures/arc_obj.h"
#include "figures/circle_obj.h"
#include "model/axes.h"

namespace gyr {

namespace {

const CRuntimeClass* const kSerialClasses[] = {
    &CMyObj::kClass,      &CShapeObj::kClass,
    &CAxes::kClass,       &CPointObj::kClass,
    &CSegmentObj::kClass, &CLine::kClass,
    &CCircleObj::kClass,  &CArcObj::kClass,
    &CAngle::kClass,      &CTriangle::kClass,
    &Compo::kClass,       &CompoObj::kClass,
    &CGraphObj::kClass,   &CIntersectionObj::kClass,
};

}  // namespace

const CRuntimeClass* FindSerialClass(std::string_view name) {
    for (const CRuntimeClass* c : kSerialClasses)
        if (name == c->m_lpszClassName) return c;
    return nullptr;
}

}  // namespace gyr
