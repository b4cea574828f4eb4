#pragma once
// Pictures on the clipboard: one selected picture copied as itself (a bitmap
// as image/bmp and image/png, a metafile as image/x-emf), and the picture of
// pasted image data, placed as Import places it.

#include <QMimeData>

namespace gyr {

class CGestureState;
class CMyObj;

extern const char* const kMimeBmp;  // "image/bmp"
extern const char* const kMimePng;  // "image/png"
extern const char* const kMimeEmf;  // "image/x-emf"

// The clipboard forms of a picture; null when obj is not one.
QMimeData* PictureMimeData(const CMyObj& obj);
// Whether the data holds a picture Paste can take.
bool HasPictureData(const QMimeData& data);
// The picture of the data (a metafile first, then a BMP file, then any image
// Qt reads, such as PNG) added to the document; null with a beep when the
// data cannot be read.
CMyObj* PastePictureData(CGestureState& state, const QMimeData& data);

}  // namespace gyr
