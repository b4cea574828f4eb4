#pragma once
// Installs what each figure family adds to the view controller (pick
// constructions, dialog commands, key hooks). Called once at start by the
// desktop and by tests; calling it again changes nothing.

namespace gyr {

void RegisterTools();

}  // namespace gyr
