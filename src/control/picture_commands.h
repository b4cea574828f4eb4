#pragma once
// The picture commands: pictures of the drawing (the restricted tools and
// whole-sheet export through Save As), Import picture (and Open of a bitmap
// or metafile), Export Picture.

#include <cstdint>
#include <string>
#include <vector>

#include "math/dib_codec.h"
#include "math/pixel.h"

namespace gyr {

class CGyrDoc;
class CGestureState;
class CMyObj;

// STRING 9, the chooser filter of Import picture.
extern const char* const kPictureFilter;
extern const char* const kMsgNoPictureSelected;  // "No bitmap or enhanced metafile selected"
extern const char* const kMsgWrongExtension;     // "Some error occured. ..."
extern const char* const kMsgSheetTooBig;        // STRING 7
extern const char* const kMsgCannotSaveDib;      // STRING 6
// A metafile whose bitmaps would pass kMaxEmfBytes.
extern const char* const kMsgPictureTooLarge;

// The drawing's objects in the pixel rectangle r of the sheet, on white, as
// the screen shows them without marks. False when the platform cannot
// render or r is empty or beyond the bitmap limits.
bool CaptureBitmap(const CGyrDoc& doc, const PixelRect& r, DibImage& out);
// A metafile of r: frame (0, 0, (w + 5) × 26, (h + 5) × 26) hundredths of a
// millimetre, clipped to (0, 0, w, h), the origin at r's top-left corner.
std::vector<std::uint8_t> CaptureMetafile(const CGyrDoc& doc, const PixelRect& r);
// The whole sheet as a metafile: frame (-5, -5, (W + 15) × 26, (H + 15) × 26),
// clipped to (0, 0, W, H).
std::vector<std::uint8_t> SheetMetafile(const CGyrDoc& doc);

// Save As of a bitmap or metafile name: the sheet is written there; the
// document keeps its path and its modified flag. False when nothing was
// written (the reason was told).
bool SaveSheetAsBitmap(CGyrDoc& doc, const std::string& path);
bool SaveSheetAsMetafile(CGyrDoc& doc, const std::string& path);

// Reads the file as a bitmap ("bmp") or metafile ("emf"), by the last three
// letters of its path in any case, and adds the picture to the document.
// "Unexpected file format." and nothing added for a file that does not read;
// other extensions do nothing. The new picture, or null.
CMyObj* ImportPictureFile(CGyrDoc& doc, const std::string& path);

// The restricted tools (kind 31010 bitmap, 31000 metafile) on the framed
// pixel rectangle: the picture lies at the frame's corners, becomes the only
// selection, is offset by (0.1, -0.1) and added. Null when it cannot be made.
CMyObj* MakeRestrictedPicture(CGestureState& state, int kind, const PixelRect& frame);

// "I&mport picture ..." and "Export Picture".
void ImportPictureCommand(CGestureState& state);
void ExportPictureCommand(CGestureState& state);

}  // namespace gyr
