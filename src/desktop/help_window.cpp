#include "desktop/help_window.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

static void InitResources() {
    Q_INIT_RESOURCE(resources);
}

namespace gyr {

namespace {

QPointer<HelpWindow> g_window;

QUrl PageUrl(const QString& page) {
    return QUrl(QStringLiteral("qrc:/help/") + page);
}

}  // namespace

void LoadDesktopResources() {
    InitResources();
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent, Qt::Window) {
    LoadDesktopResources();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Gyrovant Help"));

    m_browser = new QTextBrowser;
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({QStringLiteral(":/help")});

    auto* back = new QPushButton(tr("&Back"));
    auto* forward = new QPushButton(tr("&Forward"));
    auto* contents = new QPushButton(tr("&Contents"));
    auto* close = new QPushButton(tr("Close"));
    for (QPushButton* b : {back, forward, contents, close}) b->setAutoDefault(false);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(contents, &QPushButton::clicked, this,
            [this] { m_browser->setSource(PageUrl(kIndexPage)); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? tr("Gyrovant Help") : title + tr(" - Gyrovant Help"));
    });

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(contents);
    bar->addStretch(1);
    bar->addWidget(close);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(bar);
    outer->addWidget(m_browser);
    resize(760, 640);
}

HelpWindow* HelpWindow::Instance() {
    return g_window;
}

HelpWindow* HelpWindow::Show(const QString& page, QWidget* parent) {
    if (!g_window) g_window = new HelpWindow(parent);
    g_window->m_browser->setSource(PageUrl(page));
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
    return g_window;
}

void ShowHelpTopics(QWidget* parent) {
    HelpWindow::Show(HelpWindow::kIndexPage, parent);
}

void ShowHelpTheory(QWidget* parent) {
    HelpWindow::Show(HelpWindow::kTheoryPage, parent);
}

}  // namespace gyr
