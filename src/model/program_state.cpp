#include "model/program_state.h"

namespace gyr {

namespace {
CProgramState g_state;
}

CProgramState& ProgramState() {
    return g_state;
}
void ResetProgramState() {
    g_state = CProgramState{};
}
CSheetMapping& Mapping() {
    return g_state.mapping;
}

}  // namespace gyr
