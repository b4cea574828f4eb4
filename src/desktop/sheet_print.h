#pragma once
// Printing the sheet: the whole catalogue, scaled to fit one page and
// centred on it. Printing over several pages comes with the pagination of
// the print layer.

class QPrinter;

namespace gyr {

class CGyrDoc;

void PrintSheet(const CGyrDoc& doc, QPrinter& printer);

}  // namespace gyr
