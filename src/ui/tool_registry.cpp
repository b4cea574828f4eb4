#include "ui/tool_registry.h"

#include "curves/graph_dialog.h"
#include "doc/angle_obj.h"

namespace gyr {

void RegisterTools() {
    RegisterAngleTools();
    RegisterGraphCommands();
}

}  // namespace gyr
