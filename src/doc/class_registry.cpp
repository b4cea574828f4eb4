// The one table of serialisable classes: the file format names classes, and
// loading creates them through this table. A new drawing class is added here.

#include <array>

#include "doc/runtime_class.h"
#include "doc/shape_obj.h"
#include "ui/axes.h"

namespace gyr {

namespace {

const CRuntimeClass* const kSerialClasses[] = {
    &CMyObj::kClass,
    &CShapeObj::kClass,
    &CAxes::kClass,
};

}  // namespace

const CRuntimeClass* FindSerialClass(std::string_view name) {
    for (const CRuntimeClass* c : kSerialClasses)
        if (name == c->m_lpszClassName) return c;
    return nullptr;
}

}  // namespace gyr
