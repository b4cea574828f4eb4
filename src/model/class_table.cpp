// The classes of the object model itself, and the lookup every class table
// shares.

#include "model/axes.h"
#include "model/my_obj.h"
#include "model/runtime_class.h"
#include "model/shape_obj.h"

namespace gyr {

const CRuntimeClass* CClassTable::Find(std::string_view name) const {
    for (const CRuntimeClass* c : m_classes)
        if (name == c->m_lpszClassName) return c;
    return nullptr;
}

namespace {
const CRuntimeClass* const kModelClasses[] = {&CMyObj::kClass, &CShapeObj::kClass, &CAxes::kClass};
constexpr CClassTable kModelTable{kModelClasses};
}  // namespace

const CClassTable& ModelClasses() {
    return kModelTable;
}

}  // namespace gyr
