// The one table of serialisable classes: the file format names classes, and
// loading creates them through this table. A new drawing class is added here.

#include <array>

#include "curves/compo.h"
#include "curves/compo_obj.h"
#include "curves/graph_obj.h"
#include "doc/angle_obj.h"
#include "doc/intersection_obj.h"
#include "doc/line_obj.h"
#include "doc/point_obj.h"
#include "doc/runtime_class.h"
#include "doc/segment_obj.h"
#include "doc/shape_obj.h"
#include "doc/triangle_obj.h"
#include "geom/arc_obj.h"
#include "geom/circle_obj.h"
#include "ui/axes.h"

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
