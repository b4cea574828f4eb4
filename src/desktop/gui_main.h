#pragma once
// The graphical start of the program.

namespace gyr {

// Opens the main window on a new document, or on the document named by
// argv[1]. Returns the event loop's exit code, or 1 when that document cannot
// be opened (its message has been shown).
int RunGui(int argc, char** argv);

}  // namespace gyr
