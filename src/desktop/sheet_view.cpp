#include "desktop/sheet_view.h"

#include <QPaintEvent>
#include <QPainter>

#include "desktop/qt_canvas.h"
#include "doc/document.h"
#include "ui/gyr_view.h"
#include "ui/sheet_mapping.h"

namespace gyr {

SheetView::SheetView(CGyrDoc& doc, CGyrView& view, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_view(view) {
    // Every pixel is painted from the backing image.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    ResetSheetSize();
}

void SheetView::InvalidateSheetRect(const PixelRect& r) {
    PixelRect n = r.Normalized();
    if (!n.IsEmpty()) update(QRect(n.left, n.top, n.Width(), n.Height()));
}

void SheetView::ResetSheetSize() {
    setFixedSize(std::max(1, Mapping().sheetWidth), std::max(1, Mapping().sheetHeight));
    update();
}

QSize SheetView::sizeHint() const {
    return {Mapping().sheetWidth, Mapping().sheetHeight};
}

QImage SheetView::RenderRect(const QRect& r) const {
    QImage image(r.size(), QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    canvas.SetViewportOrg({-r.left(), -r.top()});
    PixelRect sheetRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    DrawInRect(m_doc.Objects(), canvas, sheetRect);
    for (CMyObj* obj : m_view.m_selection) obj->DrawMarks(canvas);
    return image;
}

void SheetView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), RenderRect(r));
}

}  // namespace gyr
