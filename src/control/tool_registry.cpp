#include "control/tool_registry.h"

#include "dialogs/graph_dialog.h"
#include "figures/angle_obj.h"
#include "constructions/intersection_command.h"

namespace gyr {

void RegisterTools() {
    RegisterAngleTools();
    RegisterGraphCommands();
    RegisterIntersectionCommands();
}

}  // namespace gyr
