#pragma once
// The document's commands: the attribute tool bars (width, pattern, colours,
// text style) with their check marks, and the file commands with their
// choosers and the routing of pictures by extension.

#include <string>

namespace gyr {

class CGyrDoc;

// True when the id is an attribute command (and was run).
bool OnDocumentCommand(CGyrDoc& doc, int id);
// Check state of an attribute tool-bar button.
bool IsDocumentCommandChecked(const CGyrDoc& doc, int id);

// True when the document was written.
bool FileSave(CGyrDoc& doc);
// A name ending in bmp or emf (any case) exports the sheet there instead and
// answers false: the document was not saved.
bool FileSaveAs(CGyrDoc& doc);
// A name ending in bmp or emf imports that picture into the document.
void FileOpen(CGyrDoc& doc);
// Asks to save a modified document; false when the user cancelled, or chose
// to save and the save did not happen (chooser cancelled, write failed): the
// caller then abandons what it was about to do, and the work stays.
bool SaveModified(CGyrDoc& doc);

// The last three characters of a path, lower-cased: open and save route
// bitmaps and metafiles by them, whatever the extension.
std::string LastThree(const std::string& path);

}  // namespace gyr
