#include "figures/class_registry.h"

#include "figures/angle_obj.h"
#include "figures/arc_obj.h"
#include "figures/circle_obj.h"
#include "figures/compo.h"
#include "figures/compo_obj.h"
#include "figures/graph_obj.h"
#include "figures/intersection_obj.h"
#include "figures/isoptic_obj.h"
#include "figures/line_obj.h"
#include "figures/pict_obj.h"
#include "figures/point_obj.h"
#include "figures/poly_obj.h"
#include "figures/rect_obj.h"
#include "figures/segment_obj.h"
#include "figures/text_obj.h"
#include "figures/triangle_obj.h"
#include "model/axes.h"
#include "model/shape_obj.h"

namespace gyr {

namespace {

const CRuntimeClass* const kSerialClasses[] = {
    &CMyObj::kClass,        &CShapeObj::kClass,
    &CAxes::kClass,         &CPointObj::kClass,
    &CSegmentObj::kClass,   &CLine::kClass,
    &CCircleObj::kClass,    &CArcObj::kClass,
    &CAngle::kClass,        &CTriangle::kClass,
    &Compo::kClass,         &CompoObj::kClass,
    &CGraphObj::kClass,     &CIntersectionObj::kClass,
    &CIsoptic::kClass,      &CIsopticOne::kClass,
    &CIsopticTwo::kClass,   &CIsopticSingular::kClass,
    &CIsopticConic::kClass, &CIsopticDegenerate::kClass,
    &CRectObj::kClass,      &CPolyObj::kClass,
    &CTextObj::kClass,      &CPict::kClass,
    &CMetaObj::kClass,      &CDib::kClass,
};

}  // namespace

const CClassTable& DrawingClasses() {
    static constexpr CClassTable kTable{kSerialClasses};
    return kTable;
}

}  // namespace gyr
