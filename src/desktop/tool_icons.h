#pragma once
// Button images of the tool bars: the SVG file res/icons/cmd_<id>.svg when
// there is one, otherwise an image drawn here (line thicknesses, patterns,
// colour swatches).

#include <QIcon>

namespace gyr {

QIcon CommandIcon(int id);

}  // namespace gyr
