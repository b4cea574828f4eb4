#include "ui/tool_registry.h"

#include "doc/angle_obj.h"

namespace gyr {

void RegisterTools() {
    RegisterAngleTools();
}

}  // namespace gyr
