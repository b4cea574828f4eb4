#include "desktop/main_window.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>

#include "desktop/sheet_view.h"
#include "doc/document.h"

// The resources live in a static library: they are registered by hand.
static void InitResources() {
    Q_INIT_RESOURCE(resources);
}

namespace gyr {

namespace {
// One wheel or arrow step of the scroll bars, in sheet pixels.
constexpr int kLineStep = 20;
}  // namespace

QString WindowTitle(const CGyrDoc& doc) {
    return QString::fromStdString(doc.GetTitle()) + " - Gyrovant";
}

MainWindow::MainWindow(CGyrDoc& doc, CGyrView& view, QWidget* parent)
    : QMainWindow(parent), m_doc(doc) {
    InitResources();
    setWindowIcon(QIcon(":/icons/gyrovant.svg"));
    m_sheet = new SheetView(doc, view);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_sheet);
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->horizontalScrollBar()->setSingleStep(kLineStep);
    m_scroll->verticalScrollBar()->setSingleStep(kLineStep);
    setCentralWidget(m_scroll);
    statusBar()->showMessage(tr("Ready"));
    UpdateTitle();

    QSize size(1000, 750);
    if (QScreen* s = QGuiApplication::primaryScreen())
        size = size.boundedTo(s->availableGeometry().size() * 9 / 10);
    resize(size);
}

void MainWindow::UpdateTitle() {
    setWindowTitle(WindowTitle(m_doc));
}

void MainWindow::CentreSheet() {
    QScrollBar* h = m_scroll->horizontalScrollBar();
    QScrollBar* v = m_scroll->verticalScrollBar();
    h->setValue((h->minimum() + h->maximum()) / 2);
    v->setValue((v->minimum() + v->maximum()) / 2);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        // The scroll ranges are known once the layout has run.
        QTimer::singleShot(0, this, &MainWindow::CentreSheet);
    }
}

}  // namespace gyr
