#include "model/figure_hooks.h"

namespace gyr {

CFigureHooks& FigureHooks() {
    static CFigureHooks hooks;
    return hooks;
}

}  // namespace gyr
