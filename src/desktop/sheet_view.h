#pragma once
// The widget that shows the sheet. It is as large as the effective sheet and
// lives in a scroll area; its coordinates are sheet pixels. Repaints are
// double-buffered: the exposed rectangle is drawn into an off-screen image
// (white, the catalogue in list order, then the selection marks) and copied.

#include <QImage>
#include <QWidget>

#include "port/canvas.h"

namespace gyr {

class CGyrDoc;
class CGyrView;

class SheetView : public QWidget {
    Q_OBJECT
public:
    SheetView(CGyrDoc& doc, CGyrView& view, QWidget* parent = nullptr);

    // Schedules a repaint of a rectangle in sheet pixels.
    void InvalidateSheetRect(const PixelRect& r);
    // Takes the effective sheet size of the mapping as the widget size.
    void ResetSheetSize();
    // Draws the given sheet rectangle as the screen shows it.
    QImage RenderRect(const QRect& r) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CGyrDoc& m_doc;
    CGyrView& m_view;
};

}  // namespace gyr
