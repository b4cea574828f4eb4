#pragma once
// Whole-sheet export: the catalogue drawn at general scale 1 on white paper,
// as a bitmap (PNG, BMP), SVG or PDF chosen by the file extension.

#include <string>

namespace gyr {

class CGyrDoc;

// Renders every object of the document in list order into path. The format
// comes from the extension, compared without regard to case. Writing is
// atomic: on failure false is returned with a message in error (when given)
// and nothing is left at path (an existing file stays as it was). The
// general scale in force is restored afterwards. Needs a QGuiApplication
// (fonts); a display is not needed.
bool ExportSheet(CGyrDoc& doc, const std::string& path, std::string* error);

}  // namespace gyr
