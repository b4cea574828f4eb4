#include "desktop/sheet_view.h"

#include <QCursor>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "control/gyr_view.h"
#include "desktop/qt_canvas.h"
#include "desktop/sheet_cursors.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/my_obj.h"
#include "port/host.h"

namespace gyr {

namespace {

PixelPoint Logical(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

}  // namespace

unsigned KeyFlags(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
    unsigned flags = 0;
    if (buttons & Qt::LeftButton) flags |= kMkLButton;
    if (buttons & Qt::RightButton) flags |= kMkRButton;
    if (mods & Qt::ShiftModifier) flags |= kMkShift;
    if (mods & Qt::ControlModifier) flags |= kMkControl;
    return flags;
}

int VirtualKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return kKeyF1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace:
            return kKeyBack;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return kKeyTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kKeyReturn;
        case Qt::Key_Escape:
            return kKeyEscape;
        case Qt::Key_Delete:
            return kKeyDelete;
        case Qt::Key_Left:
            return kKeyLeft;
        case Qt::Key_Up:
            return kKeyUp;
        case Qt::Key_Right:
            return kKeyRight;
        case Qt::Key_Down:
            return kKeyDown;
        case Qt::Key_Shift:
            return kKeyShift;
        case Qt::Key_Control:
            return kKeyControl;
        default:
            return 0;
    }
}

SheetView::SheetView(CGyrDoc& doc, CGyrView& view, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_view(view) {
    // Every pixel is painted from the backing image.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    ResetSheetSize();
    UpdateCursor();
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
    // Device pixels, so that figures stay sharp on high-density screens;
    // the painter scales the sheet pixels onto them.
    const qreal dpr = devicePixelRatioF();
    QImage image(r.size() * dpr, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    canvas.SetViewportOrg({-r.left(), -r.top()});
    m_view.Paint(canvas, PixelRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    return image;
}

void SheetView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), RenderRect(r));
}

void SheetView::UpdateCursor() {
    const int id = m_view.CursorId();
    if (id == m_cursorId) return;
    m_cursorId = id;
    setCursor(SheetCursor(id));
}

bool SheetView::FollowsFrames() const {
    const CGestureState& s = m_view.State();
    return m_view.m_bMouseDown && m_view.m_nDragState == kDragDrawing &&
           s.m_nToolKind == kToolIsoptic && s.m_nToolCode == kCodeAngleAnimation;
}

void SheetView::RequestFrame() {
    QWindow* w = window() ? window()->windowHandle() : nullptr;
    if (!w) {
        FlushPendingMove();
        return;
    }
    if (m_frameWindow != w) {
        if (m_frameWindow) m_frameWindow->removeEventFilter(this);
        w->installEventFilter(this);
        m_frameWindow = w;
    }
    w->requestUpdate();
}

void SheetView::FlushPendingMove() {
    if (!m_movePending) return;
    m_movePending = false;
    m_lastFrame.start();
    m_view.OnMouseMove(m_pendingFlags, m_pendingAt);
}

bool SheetView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_frameWindow && event->type() == QEvent::UpdateRequest && m_movePending) {
        // A frame comes no sooner than the display's (at most 60 Hz).
        const QScreen* screen = m_frameWindow->screen();
        const double hz =
            std::min(60.0, screen && screen->refreshRate() > 1 ? screen->refreshRate() : 60.0);
        if (m_lastFrame.isValid() && double(m_lastFrame.nsecsElapsed()) < 1e9 / hz)
            m_frameWindow->requestUpdate();
        else
            FlushPendingMove();
    }
    return QWidget::eventFilter(watched, event);
}

void SheetView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    FlushPendingMove();
    setFocus(Qt::MouseFocusReason);
    m_view.OnLButtonDown(KeyFlags(event->modifiers(), event->buttons()), Logical(event));
    UpdateCursor();
}

void SheetView::mouseMoveEvent(QMouseEvent* event) {
    const unsigned flags = KeyFlags(event->modifiers(), event->buttons());
    if ((flags & kMkLButton) && FollowsFrames()) {
        m_pendingFlags = flags;
        m_pendingAt = Logical(event);
        if (!m_movePending) {
            m_movePending = true;
            RequestFrame();
        }
        return;
    }
    FlushPendingMove();
    m_view.OnMouseMove(flags, Logical(event));
    UpdateCursor();
}

void SheetView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    FlushPendingMove();
    // The flags describe the state after the release, as the controller
    // expects of a button-up.
    m_view.OnLButtonUp(KeyFlags(event->modifiers(), event->buttons()), Logical(event));
    UpdateCursor();
    emit ControllerChanged();
}

void SheetView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
    m_view.OnLButtonDblClk(KeyFlags(event->modifiers(), event->buttons()), Logical(event));
    emit ControllerChanged();
}

void SheetView::keyPressEvent(QKeyEvent* event) {
    const unsigned flags = KeyFlags(event->modifiers(), Qt::NoButton);
    const int key = VirtualKey(event->key());
    // Esc stops a coalesced drag where the screen shows it: the move still
    // waiting for its frame is dropped.
    if (key == kKeyEscape)
        m_movePending = false;
    else
        FlushPendingMove();
    bool handled = key != 0 && m_view.OnKeyDown(key, flags, std::max(1, event->count()));
    // Typed characters follow their key, as the platform's character
    // messages do; the controller ignores control characters and digits.
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        for (char32_t ch : event->text().toUcs4()) {
            m_view.OnChar(ch);
            handled = handled || ch >= 0x20;
        }
    }
    if (handled) {
        UpdateCursor();
        // A zoom moves the world under a resting pointer: the coordinate
        // panes follow without waiting for the mouse.
        const QPoint at = mapFromGlobal(QCursor::pos());
        if (visibleRegion().contains(at)) m_view.OnMouseMove(0, {at.x(), at.y()});
        emit ControllerChanged();
    } else {
        // Arrow keys without a selection scroll the sheet.
        QWidget::keyPressEvent(event);
    }
}

void SheetView::inputMethodEvent(QInputMethodEvent* event) {
    const QString text = event->commitString();
    if (text.isEmpty()) return QWidget::inputMethodEvent(event);
    for (char32_t ch : text.toUcs4()) m_view.OnChar(ch);
    event->accept();
    UpdateCursor();
    emit ControllerChanged();
}

bool SheetView::focusNextPrevChild(bool) {
    return false;
}

}  // namespace gyr
