#include "desktop/sheet_print.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "desktop/qt_canvas.h"
#include "math/sheet_mapping.h"
#include "model/document.h"

namespace gyr {

void PrintSheet(const CGyrDoc& doc, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const CSheetMapping& m = Mapping();
    const QRect page = painter.viewport();
    if (m.sheetWidth <= 0 || m.sheetHeight <= 0 || page.isEmpty()) return;
    const double scale =
        std::min(double(page.width()) / m.sheetWidth, double(page.height()) / m.sheetHeight);
    painter.translate(page.x() + (page.width() - m.sheetWidth * scale) / 2,
                      page.y() + (page.height() - m.sheetHeight * scale) / 2);
    painter.scale(scale, scale);
    QtCanvas canvas(painter);
    DrawInRect(doc.Objects(), canvas, PixelRect{0, 0, m.sheetWidth, m.sheetHeight});
}

}  // namespace gyr
