#pragma once
// The widget that shows the sheet. It is as large as the effective sheet and
// lives in a scroll area, so its coordinates are the logical sheet pixels of
// the controller. Repaints are double-buffered: the exposed rectangle is
// drawn into an off-screen image (white, then CGyrView::Paint: the catalogue
// in list order, the selection marks, the rubber band) and copied. Mouse and
// key events go to the controller with the key flags.

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <QWindow>

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
    // Shows the cursor of the controller's tool state.
    void UpdateCursor();

    QSize sizeHint() const override;

signals:
    // After every mouse gesture end and handled key: tool state, stage and
    // the document may have changed.
    void ControllerChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Text an input method commits starts a text box as typed characters do.
    void inputMethodEvent(QInputMethodEvent* event) override;
    // Tab belongs to the controller (selection cycling), not to focus changes.
    bool focusNextPrevChild(bool next) override;

    // Sees the window's frame requests (QEvent::UpdateRequest).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The angle animation solves for the curve at every move it tracks: its
    // moves are coalesced, the latest waiting for the window's next frame
    // (QWindow::requestUpdate), so that it tracks and repaints at most once
    // per display frame.
    bool FollowsFrames() const;
    void RequestFrame();
    void FlushPendingMove();

    CGyrDoc& m_doc;
    CGyrView& m_view;
    int m_cursorId = -1;
    bool m_movePending = false;
    unsigned m_pendingFlags = 0;
    PixelPoint m_pendingAt;
    QElapsedTimer m_lastFrame;
    QPointer<QWindow> m_frameWindow;
};

// Key flags of the controller (kMkShift, kMkControl, kMkLButton) from Qt.
unsigned KeyFlags(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons);
// The controller's key code of a Qt key; 0 when it has none.
int VirtualKey(int qtKey);

}  // namespace gyr
