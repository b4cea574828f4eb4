#include "model/program_state.h"

#include "math/sheet_mapping.h"

namespace gyr {

namespace {
CProgramState g_state;
}

CProgramState& ProgramState() {
    return g_state;
}

void ResetProgramState() {
    g_state = CProgramState{};
    Mapping() = CSheetMapping{};
}

}  // namespace gyr
