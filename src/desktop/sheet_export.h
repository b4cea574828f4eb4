#pragma once
// Whole-sheet export: the catalogue drawn at general scale 1 on white paper,
// as a bitmap (PNG, BMP), SVG, PDF or an enhanced metafile chosen by the file
// extension. BMP files are 24-bit, written by our own bitmap writer.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gyr {

class CGyrDoc;

enum class ExportFormat { Png, Bmp, Svg, Pdf, Emf };

// The format of a path's extension, compared without regard to case.
std::optional<ExportFormat> ExportFormatOf(const std::string& path);

// Bitmaps of more pixels than this (16384 x 16384) are refused: a sheet may
// be 31,999 pixels a side, whose bitmap would need gigabytes.
constexpr long long kMaxBitmapPixels = 1LL << 28;
// The factor --scale accepts: 0 < scale <= kMaxExportScale.
constexpr double kMaxExportScale = 4.0;

// "The sheet is too large for a bitmap (W × H pixels). ..."
std::string SheetTooLargeMessage(long long width, long long height);

// Renders every object of the document in list order, at scale times the
// sheet's pixel size, into bytes of the format. False with a message in
// error (when given) when the sheet is empty or too large for a bitmap, the
// scale is out of range, or the renderer fails. The general scale in force
// is restored afterwards. Needs a QGuiApplication (fonts); a display is not
// needed.
bool RenderSheet(CGyrDoc& doc, ExportFormat format, double scale, std::vector<std::uint8_t>& out,
                 std::string* error);

// RenderSheet, then the bytes are written atomically (WriteFileAtomically):
// on any failure false is returned with "Failed to save document." or the
// full-disk message in error, and an existing file at path stays as it was.
bool ExportSheet(CGyrDoc& doc, const std::string& path, std::string* error, double scale = 1.0);

}  // namespace gyr
