#include "ui/tool_registry.h"

#include "curves/graph_dialog.h"
#include "doc/angle_obj.h"
#include "doc/intersection_command.h"

namespace gyr {

void RegisterTools() {
    RegisterAngleTools();
    RegisterGraphCommands();
    RegisterIntersectionCommands();
}

}  // namespace gyr
