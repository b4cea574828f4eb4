#pragma once
// The cursors of the drawing tools, by the controller's cursor ids.

#include <QCursor>

namespace gyr {

// A crosshair with a small sign of the tool for the drawing tools, a picking
// hand for the pick tools, the arrow for id 0 and unknown ids.
QCursor SheetCursor(int cursorId);

}  // namespace gyr
