#include "desktop/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <climits>

#include "control/command_table.h"
#include "control/doc_commands.h"
#include "control/menu_tree.h"
#include "control/picture_commands.h"
#include "desktop/app_commands.h"
#include "desktop/qt_canvas.h"
#include "desktop/recent_files.h"
#include "desktop/script_window.h"
#include "desktop/sheet_print.h"
#include "desktop/sheet_view.h"
#include "desktop/tool_icons.h"
#include "figures/text_obj.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "port/host.h"

// The resources live in a static library: they are registered by hand.
static void InitResources() {
    Q_INIT_RESOURCE(resources);
}

namespace gyr {

namespace {

// One wheel, arrow or auto-scroll step, in sheet pixels.
constexpr int kLineStep = 20;
// The page of the scroll bars is the client size less this.
constexpr int kPageMargin = 20;

bool IsDocumentAttribute(int id) {
    return (id >= ID_WIDTH_1 && id <= ID_WIDTH_6) || id == ID_WIDTH_USER ||
           (id >= ID_STYLE_SOLID && id <= ID_STYLE_DASHDOTDOT) ||
           (id >= ID_COLOR_FIRST && id <= ID_COLOR_NONE) ||
           (id >= ID_TARGET_CONTOUR && id <= ID_TARGET_AXES) ||
           (id >= ID_TEXT_BOLD && id <= ID_JUSTIFY_RIGHT);
}

bool IsViewToggle(int id) {
    return id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR || id == ID_VIEW_LINE_BAR ||
           id == ID_VIEW_COLOR_BAR || id == ID_VIEW_FONT_BAR || id == ID_VIEW_GROUP_BAR;
}

// Commands the window itself carries out.
bool IsFrameCommand(int id) {
    switch (id) {
        case ID_FILE_NEW:
        case ID_FILE_OPEN:
        case ID_FILE_SAVE:
        case ID_FILE_SAVE_AS:
        case ID_APP_EXIT:
        case ID_FILE_PRINT:
        case ID_FILE_PRINT_PREVIEW:
        case ID_FILE_PRINT_SETUP:
        case ID_SHOW_SCRIPT:
            return true;
        default:
            return IsViewToggle(id) || (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST);
    }
}

// The dialogs and help pages of the application.
bool IsAppCommand(int id) {
    switch (id) {
        case ID_DRAWING_PARAMS:
        case ID_HELP_THEORY:
        case ID_APP_ABOUT:
        case ID_HELP_INDEX:
        case ID_HELP_FINDER:
        case ID_HELP:
            return true;
        default:
            return false;
    }
}

Qt::ToolBarArea AreaOf(BarSide side) {
    switch (side) {
        case BarSide::Left:
            return Qt::LeftToolBarArea;
        case BarSide::Right:
            return Qt::RightToolBarArea;
        case BarSide::Bottom:
            return Qt::BottomToolBarArea;
        default:
            return Qt::TopToolBarArea;
    }
}

}  // namespace

QString WindowTitle(const CGyrDoc& doc) {
    return QString::fromStdString(doc.GetTitle()) + " - Gyrovant";
}

// ---------------------------------------------------------------- set-up

MainWindow::MainWindow(CGyrDoc& doc, CGyrView& view, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_view(view) {
    InitResources();
    setWindowIcon(QIcon(":/icons/gyrovant.svg"));
    setAcceptDrops(true);

    m_sheet = new SheetView(doc, view);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_sheet);
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->horizontalScrollBar()->setSingleStep(kLineStep);
    m_scroll->verticalScrollBar()->setSingleStep(kLineStep);
    setCentralWidget(m_scroll);
    connect(m_sheet, &SheetView::ControllerChanged, this, &MainWindow::AfterCommand);

    for (const MenuItem& top : MenuBar()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(top.text));
        BuildMenu(menu, top);
    }
    BuildToolBars();
    BuildStatusBar();

    m_view.SetWindow(this);
    if (Host* host = FindHost()) m_view.m_nScreenDpi = host->ScreenDpiX();
    m_view.OnInitialUpdate();
    UpdateTitle();
    RefreshActions();

    QSize size(1100, 800);
    if (QScreen* s = QGuiApplication::primaryScreen())
        size = size.boundedTo(s->availableGeometry().size() * 9 / 10);
    resize(size);
    setMinimumSize(400, 400);
}

MainWindow::~MainWindow() {
    m_view.SetWindow(nullptr);
}

QAction* MainWindow::MakeAction(int id, const QString& text) {
    if (QAction* existing = m_actions.value(id)) return existing;
    auto* action = new QAction(text, this);
    action->setData(id);
    if (const CommandText* t = FindCommandText(id)) {
        action->setStatusTip(QString::fromUtf8(t->status));
        action->setToolTip(QString::fromUtf8(t->tip));
    }
    action->setIcon(CommandIcon(id));
    action->setIconVisibleInMenu(false);
    action->setCheckable(IsCheckable(id));
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    m_actions.insert(id, action);
    return action;
}

void MainWindow::BuildMenu(QMenu* menu, const MenuItem& item) {
    for (const MenuItem& child : item.items) {
        switch (child.kind) {
            case MenuItemKind::Separator:
                menu->addSeparator();
                break;
            case MenuItemKind::Submenu:
                BuildMenu(menu->addMenu(QString::fromUtf8(child.text)), child);
                break;
            case MenuItemKind::RecentFiles:
                m_fileMenu = menu;
                m_recentAnchor = menu->addSeparator();
                break;
            case MenuItemKind::Command: {
                QAction* action = MakeAction(child.id, QString::fromUtf8(child.text));
                QList<QKeySequence> keys;
                if (*child.accel) keys << QKeySequence(QString::fromUtf8(child.accel));
                if (*child.accel2) keys << QKeySequence(QString::fromUtf8(child.accel2));
                if (!keys.isEmpty()) action->setShortcuts(keys);
                menu->addAction(action);
                break;
            }
        }
    }
    // Check marks and the recent files are read when the menu opens.
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::RefreshActions);
    // A closed menu leaves no fly-by text behind.
    connect(menu, &QMenu::aboutToHide, statusBar(), &QStatusBar::clearMessage);
    if (menu == m_fileMenu) connect(menu, &QMenu::aboutToShow, this, &MainWindow::FillRecentMenu);
}

void MainWindow::BuildToolBars() {
    bool topTaken = false;
    for (const ToolBarDef& def : ToolBars()) {
        auto* bar = new QToolBar(QString::fromUtf8(def.title), this);
        bar->setObjectName(QString("bar_%1").arg(def.id));
        bar->setMovable(true);
        bar->setFloatable(true);
        bar->setIconSize(QSize(24, 24));
        if (def.id == ID_VIEW_FONT_BAR) {
            // The font bar: its own small sans-serif font; it docks only at
            // the top or the bottom.
            QFont small(QStringLiteral("Sans Serif"));
            small.setStyleHint(QFont::SansSerif);
            small.setPointSize(8);
            bar->setFont(small);
            bar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
            bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
        }
        for (int id : def.buttons) {
            if (id == 0) {
                bar->addSeparator();
                continue;
            }
            if (id == ID_FONT_FACE_COMBO || id == ID_FONT_SIZE_COMBO) {
                bar->addWidget(MakeFontCombo(id, bar));
                continue;
            }
            QString tip;
            if (const CommandText* t = FindCommandText(id)) tip = QString::fromUtf8(t->tip);
            QAction* action = MakeAction(id, tip);
            bar->addAction(action);
            // The pointer leaving a button takes its fly-by text away.
            if (QWidget* button = bar->widgetForAction(action)) {
                button->installEventFilter(this);
                m_toolButtons.insert(button);
            }
        }
        // Each top bar gets a row of its own: side by side the main bar
        // would hide its last buttons behind an overflow arrow.
        if (def.side == BarSide::Top) {
            if (topTaken) addToolBarBreak(Qt::TopToolBarArea);
            topTaken = true;
        }
        // The font bar starts on a row of its own, under the main bar.
        if (def.id == ID_VIEW_FONT_BAR) addToolBarBreak(AreaOf(def.side));
        addToolBar(AreaOf(def.side), bar);
        bar->setVisible(def.visible);
        connect(bar, &QToolBar::visibilityChanged, this, &MainWindow::RefreshActions);
        m_bars.insert(def.id, bar);
    }
}

void MainWindow::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    auto pane = [bar](const QString& idle) {
        auto* label = new QLabel(idle);
        label->setFixedWidth(80);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(label);
        return label;
    };
    m_paneX = pane("x=");
    m_paneY = pane("y=");
    // With no fly-by text the bar says "Ready".
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
        if (message.isEmpty()) bar->showMessage(tr("Ready"));
    });
    m_paneCaps = new QLabel("CAP");
    m_paneCaps->setFrameShape(QFrame::Panel);
    m_paneCaps->setFrameShadow(QFrame::Sunken);
    m_paneCaps->setEnabled(false);
    bar->addPermanentWidget(m_paneCaps);
    // Qt tells nothing of the caps-lock state; the letters typed do.
    qApp->installEventFilter(this);
    bar->showMessage(tr("Ready"));
}

QMenu* MainWindow::TopMenu(int index) const {
    const QList<QAction*> tops = menuBar()->actions();
    return index >= 0 && index < tops.size() ? tops.at(index)->menu() : nullptr;
}

QString MainWindow::StatusX() const {
    return m_paneX->text();
}

QString MainWindow::StatusY() const {
    return m_paneY->text();
}

// ---------------------------------------------------------------- states

bool MainWindow::IsCheckable(int id) const {
    if (id == ID_MATCH_POINTS || id == ID_MATCH_POINTS_ALT || IsViewToggle(id)) return true;
    if (const CommandEntry* cmd = FindCommand(id)) return (cmd->flags & kCmdTool) != 0;
    // The user thickness is never shown pressed.
    return IsDocumentAttribute(id) && id != ID_WIDTH_USER;
}

bool MainWindow::IsChecked(int id) const {
    if (id == ID_VIEW_STATUS_BAR) return statusBar()->isVisible();
    if (IsViewToggle(id)) {
        QToolBar* bar = m_bars.value(id);
        return bar && bar->isVisible();
    }
    return m_view.IsChecked(id);
}

bool MainWindow::IsAvailable(int id) const {
    switch (id) {
        case ID_EDIT_UNDO:
        case ID_EDIT_REDO:
        case ID_EDIT_CUT:
        case ID_EDIT_COPY:
        case ID_EDIT_PASTE:
        case ID_EDIT_SELECT_ALL:
            // An open text editor takes them all.
            return m_editor || m_view.IsEnabled(id);
        default:
            break;
    }
    if (IsViewToggle(id) && id != ID_VIEW_STATUS_BAR) return m_bars.contains(id);
    if (const CommandEntry* cmd = FindCommand(id)) return IsCommandAvailable(*cmd);
    return IsFrameCommand(id) || IsAppCommand(id) || IsDocumentAttribute(id);
}

void MainWindow::RefreshActions() {
    SyncFontCombos();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        QAction* action = it.value();
        const int id = it.key();
        if (IsViewToggle(id) && id != ID_VIEW_STATUS_BAR && !m_bars.contains(id)) {
            action->setVisible(false);
            continue;
        }
        action->setEnabled(IsAvailable(id));
        if (action->isCheckable()) action->setChecked(IsChecked(id));
    }
    // Undo and Redo name the step they take back.
    for (int id : {ID_EDIT_UNDO, ID_EDIT_REDO}) {
        QAction* action = m_actions.value(id);
        if (!action) continue;
        const std::string text = m_editor ? std::string() : m_view.MenuText(id);
        const MenuItem* item = FindMenuItem(id);
        action->setText(QString::fromStdString(!text.empty() ? text : item ? item->text : ""));
    }
}

// ---------------------------------------------------------------- commands

namespace {

// The edit commands an open text editor takes instead of the document.
bool RunInEditor(QPlainTextEdit* editor, int id) {
    if (!editor) return false;
    switch (id) {
        case ID_EDIT_UNDO:
            editor->undo();
            return true;
        case ID_EDIT_REDO:
            editor->redo();
            return true;
        case ID_EDIT_CUT:
            editor->cut();
            return true;
        case ID_EDIT_COPY:
            editor->copy();
            return true;
        case ID_EDIT_PASTE:
            editor->paste();
            return true;
        case ID_EDIT_SELECT_ALL:
            editor->selectAll();
            return true;
        default:
            return false;
    }
}

// The in-place editor: Escape ends editing as a click away does.
class TextBoxEditor : public QPlainTextEdit {
public:
    TextBoxEditor(QWidget* parent, std::function<void()> onEscape)
        : QPlainTextEdit(parent), m_onEscape(std::move(onEscape)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            m_onEscape();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }

private:
    std::function<void()> m_onEscape;
};

}  // namespace

bool MainWindow::RunCommand(int id) {
    if (RunInEditor(m_editor, id)) return true;
    // Every other command ends text editing first.
    m_view.EndEditing();
    bool handled = RunFrameCommand(id);
    if (!handled) handled = RunAppCommand(id, this);
    if (!handled) handled = m_view.OnCommand(id);
    AfterCommand();
    return handled;
}

void MainWindow::AfterCommand() {
    RefreshActions();
    UpdateTitle();
    m_sheet->UpdateCursor();
}

bool MainWindow::RunFrameCommand(int id) {
    if (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST) {
        OpenRecent(id - ID_FILE_MRU_FIRST);
        return true;
    }
    if (id == ID_VIEW_STATUS_BAR) {
        statusBar()->setVisible(!statusBar()->isVisible());
        return true;
    }
    if (IsViewToggle(id)) {
        if (QToolBar* bar = m_bars.value(id)) bar->setVisible(!bar->isVisible());
        return true;
    }
    switch (id) {
        case ID_FILE_NEW:
            if (SaveModified(m_doc)) {
                m_doc.OnNewDocument();
                AfterDocumentReplaced();
            }
            return true;
        case ID_FILE_OPEN:
            OpenDocumentCommand();
            return true;
        case ID_FILE_SAVE:
            FileSave(m_doc);
            return true;
        case ID_FILE_SAVE_AS:
            FileSaveAs(m_doc);
            return true;
        case ID_APP_EXIT:
            close();
            return true;
        case ID_FILE_PRINT:
            Print(false);
            return true;
        case ID_FILE_PRINT_PREVIEW:
            Print(true);
            return true;
        case ID_SHOW_SCRIPT:
            ShowScript();
            return true;
        case ID_FILE_PRINT_SETUP: {
            if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            QPageSetupDialog dialog(m_printer.get(), this);
            dialog.exec();
            return true;
        }
        default:
            return false;
    }
}

ScriptWindow* MainWindow::Script() const {
    return m_script.data();
}

void MainWindow::ShowScript() {
    if (!m_script) {
        m_script = new ScriptWindow(
            m_view.State(), this, [this] { AfterCommand(); },
            [this](const FontRecord& font, const std::string& text) {
                return MeasureText(font, text);
            },
            [this] {
                // The visible corner of the sheet itself, not of the margin
                // around a sheet smaller than the window.
                const PixelRect r = ClientRect();
                return PixelPoint{std::max(0, r.left), std::max(0, r.top)};
            });
    }
    m_script->show();
    m_script->raise();
    m_script->activateWindow();
}

void MainWindow::OpenDocumentCommand() {
    // The document's Open chooses the file and decides between document,
    // bitmap and metafile. Whether a document replaced the old one shows in
    // the sheet object: a new or opened document always has a fresh one.
    const CMyObj* sheetBefore = m_doc.Objects().empty() ? nullptr : m_doc.Objects().front();
    const std::string pathBefore = m_doc.GetPathName();
    const bool modifiedBefore = m_doc.IsModified();
    FileOpen(m_doc);
    const CMyObj* sheetAfter = m_doc.Objects().empty() ? nullptr : m_doc.Objects().front();
    if (sheetAfter != sheetBefore || m_doc.GetPathName() != pathBefore ||
        (modifiedBefore && !m_doc.IsModified()))
        AfterDocumentReplaced();
    else
        m_sheet->update();
}

bool MainWindow::OpenPath(const QString& path) {
    m_view.EndEditing();
    const std::string p = path.toStdString();
    const std::string kind = LastThree(p);
    bool ok = false;
    // Pictures join the current drawing.
    if (kind == "bmp" || kind == "emf") {
        CUndoScope step(&m_doc, "Import picture");
        ok = ImportPictureFile(m_doc, p) != nullptr;
    } else if (SaveModified(m_doc)) {
        ok = m_doc.OnOpenDocument(p);
        // A failed read may have left a fresh document behind.
        AfterDocumentReplaced();
    }
    AfterCommand();
    return ok;
}

void MainWindow::OpenRecent(int index) {
    RecentFiles recent;
    recent.Load();
    if (index < 0 || index >= recent.Files().size()) return;
    const QString path = recent.Files().at(index);
    if (!OpenPath(path) && !QFileInfo::exists(path)) {
        // A file that is gone leaves the list, as the open failure said.
        recent.Remove(path);
    }
}

void MainWindow::FillRecentMenu() {
    for (QAction* a : m_recentActions) {
        m_fileMenu->removeAction(a);
        delete a;
    }
    m_recentActions.clear();
    RecentFiles recent;
    recent.Load();
    const QStringList& files = recent.Files();
    if (files.isEmpty()) {
        auto* none = new QAction(tr("Recent File"), m_fileMenu);
        none->setEnabled(false);
        m_fileMenu->insertAction(m_recentAnchor, none);
        m_recentActions << none;
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        auto* a = new QAction(RecentFileMenuText(i, files.at(i)), m_fileMenu);
        a->setStatusTip(files.at(i));
        a->setData(ID_FILE_MRU_FIRST + i);
        const int id = ID_FILE_MRU_FIRST + i;
        connect(a, &QAction::triggered, this, [this, id] { RunCommand(id); });
        m_fileMenu->insertAction(m_recentAnchor, a);
        m_recentActions << a;
    }
}

void MainWindow::Print(bool preview) {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (preview) {
        MakePrintPreview(m_view, *m_printer, this)->exec();
        return;
    }
    // The pages the sheet takes on the printer's current paper, offered
    // before the dialog opens.
    const int pages = int(std::clamp<long long>(PrinterPageCount(m_view, *m_printer), 1, INT_MAX));
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, pages);
    m_printer->setFromTo(1, pages);
    if (dialog.exec() != QDialog::Accepted) return;
    if (PrintSheet(m_view, *m_printer) == PrintResult::Failed)
        if (Host* host = FindHost())
            host->MessageBox(kMsgPrintFailed, MsgIcon::Exclamation, MsgButtons::Ok);
}

void MainWindow::AfterDocumentReplaced() {
    m_view.OnInitialUpdate();
    m_sheet->ResetSheetSize();
    CentreSheet();
    ApplyFrameLimits();
    AfterCommand();
}

// ---------------------------------------------------------------- window

void MainWindow::UpdateTitle() {
    setWindowTitle(WindowTitle(m_doc));
}

void MainWindow::CentreSheet() {
    QScrollBar* h = m_scroll->horizontalScrollBar();
    QScrollBar* v = m_scroll->verticalScrollBar();
    const QSize client = m_scroll->viewport()->size();
    const int pageW = client.width() - kPageMargin;
    const int pageH = client.height() - kPageMargin;
    h->setPageStep(std::max(kLineStep, pageW));
    v->setPageStep(std::max(kLineStep, pageH));
    h->setValue((Mapping().sheetWidth - pageW + kPageMargin) / 2);
    v->setValue((Mapping().sheetHeight - pageH + kPageMargin) / 2);
}

void MainWindow::SheetSizeChanged() {
    // The scroll position stays where it was, as far as the new range allows.
    m_sheet->ResetSheetSize();
    ApplyFrameLimits();
}

void MainWindow::ApplyFrameLimits() {
    if (!m_centred) return;  // measured once the frame is laid out
    const QSize extra = size() - m_scroll->viewport()->size();
    QSize limit = QSize(Mapping().sheetWidth, Mapping().sheetHeight) + extra + QSize(50, 100);
    if (QScreen* s = screen()) limit = limit.boundedTo(s->availableGeometry().size());
    setMaximumSize(limit.expandedTo(minimumSize()));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        // The scroll ranges are known once the layout has run.
        QTimer::singleShot(0, this, [this] {
            CentreSheet();
            ApplyFrameLimits();
        });
        m_sheet->setFocus();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_view.EndEditing();
    if (SaveModified(m_doc))
        event->accept();
    else
        event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (mime->hasUrls() && !mime->urls().isEmpty() && mime->urls().front().isLocalFile())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) return;
    event->acceptProposedAction();
    activateWindow();
    // One document at a time: the first file dropped is the one opened.
    OpenPath(urls.front().toLocalFile());
}

// ---------------------------------------------------------------- font bar

namespace {

constexpr int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 32, 36, 48, 72};

// A drop-down list that gives the keyboard focus back to the sheet when its
// list closes.
class FontCombo : public QComboBox {
public:
    FontCombo(QWidget* parent, QWidget* sheet) : QComboBox(parent), m_sheet(sheet) {}
    void hidePopup() override {
        QComboBox::hidePopup();
        // Also called while the window is torn down, the sheet perhaps gone.
        if (m_sheet && m_sheet->isVisible()) m_sheet->setFocus();
    }

private:
    QPointer<QWidget> m_sheet;
};

}  // namespace

QWidget* MainWindow::MakeFontCombo(int id, QToolBar* bar) {
    auto* combo = new FontCombo(bar, m_sheet);
    combo->setEditable(false);
    combo->setFont(bar->font());
    combo->setObjectName(QString("combo_%1").arg(id));
    const int avg = QFontMetrics(bar->font()).averageCharWidth();
    if (const CommandText* t = FindCommandText(id)) combo->setToolTip(QString::fromUtf8(t->tip));
    if (id == ID_FONT_FACE_COMBO) {
        QStringList faces = QFontDatabase::families();
        faces.sort(Qt::CaseInsensitive);
        faces.removeDuplicates();
        combo->addItems(faces);
        combo->setFixedWidth(32 * avg);
        combo->setMaxVisibleItems(16);
        connect(combo, &QComboBox::activated, this,
                [this, combo](int i) { ChooseFace(combo->itemText(i)); });
        m_faceCombo = combo;
    } else {
        for (int size : kFontSizes) combo->addItem(QString::number(size));
        combo->setFixedWidth(12 * avg);
        combo->setMaxVisibleItems(14);
        connect(combo, &QComboBox::activated, this,
                [this, combo](int i) { ChooseSize(combo->itemText(i).toInt()); });
        m_sizeCombo = combo;
    }
    return combo;
}

void MainWindow::ChooseFace(const QString& face) {
    m_view.EndEditing();
    CUndoScope step(&m_doc, "Font");
    m_doc.m_textAttr.faceName = face.toStdString();
    m_doc.ApplyTextToSelection(7);
    m_sheet->setFocus();
    AfterCommand();
}

void MainWindow::ChooseSize(int size) {
    if (size < kMinTextSize || size > kMaxTextSize) return;
    m_view.EndEditing();
    CUndoScope step(&m_doc, "Font size");
    m_doc.m_textAttr.pointSize = size;
    m_doc.ApplyTextToSelection(0);
    m_sheet->setFocus();
    AfterCommand();
}

void MainWindow::SyncFontCombos() {
    if (!m_faceCombo || !m_sizeCombo || m_faceCombo->hasFocus() || m_sizeCombo->hasFocus()) return;
    const QString face = QString::fromStdString(m_doc.m_textAttr.faceName);
    int i = face.isEmpty() ? -1 : m_faceCombo->findText(face);
    if (i < 0 && !face.isEmpty()) {
        // A face the system lacks is still the document's: it joins the list
        // in its sorted place.
        i = 0;
        while (i < m_faceCombo->count() &&
               QString::compare(m_faceCombo->itemText(i), face, Qt::CaseInsensitive) < 0)
            ++i;
        m_faceCombo->insertItem(i, face);
    }
    m_faceCombo->setCurrentIndex(i);
    m_sizeCombo->setCurrentIndex(
        m_sizeCombo->findText(QString::number(m_doc.m_textAttr.pointSize)));
}

// Two things are watched: the pointer leaving a tool-bar button (its fly-by
// text goes, "Ready" returns) and, application-wide, the letters typed (the
// caps-lock pane).
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Leave && m_toolButtons.contains(watched))
        statusBar()->clearMessage();
    if (event->type() == QEvent::KeyPress && m_paneCaps) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() == 1 && text[0].isLetter() && text[0].toUpper() != text[0].toLower()) {
            const bool shift = key->modifiers() & Qt::ShiftModifier;
            m_paneCaps->setEnabled(text[0].isUpper() != shift);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- CViewWindow

void MainWindow::SetStatusCoords(const std::string& x, const std::string& y) {
    m_paneX->setText(QString::fromStdString(x));
    m_paneY->setText(QString::fromStdString(y));
}

PixelRect MainWindow::ClientRect() const {
    const QWidget* viewport = m_scroll->viewport();
    const QPoint topLeft = m_sheet->mapFrom(viewport, QPoint(0, 0));
    return {topLeft.x(), topLeft.y(), topLeft.x() + viewport->width(),
            topLeft.y() + viewport->height()};
}

void MainWindow::ScrollLines(int dx, int dy) {
    if (dx)
        m_scroll->horizontalScrollBar()->triggerAction(
            dx < 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
    if (dy)
        m_scroll->verticalScrollBar()->triggerAction(dy < 0 ? QAbstractSlider::SliderSingleStepSub
                                                            : QAbstractSlider::SliderSingleStepAdd);
}

bool MainWindow::OpenTextEditor(const PixelRect& r, const FontRecord& font, const std::string& text,
                                bool caretAtEnd) {
    delete m_editor;
    auto* editor = new TextBoxEditor(m_sheet, [this] {
        m_view.EndEditing();
        m_sheet->setFocus();
        AfterCommand();
    });
    m_editor = editor;
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor->setFont(MakeQFont(font, logicalDpiY()));
    editor->setPlainText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    editor->setGeometry(r.left, r.top, std::max(r.Width(), 24), std::max(r.Height(), 24));
    if (caretAtEnd)
        editor->moveCursor(QTextCursor::End);
    else
        editor->selectAll();
    editor->ensureCursorVisible();
    editor->show();
    editor->setFocus();
    return true;
}

std::string MainWindow::CloseTextEditor() {
    if (!m_editor) return {};
    const std::string text = m_editor->toPlainText().toStdString();
    // Deleted later: the editor may be the sender of the event ending it.
    m_editor->hide();
    m_editor->deleteLater();
    m_editor = nullptr;
    if (isVisible()) m_sheet->setFocus();
    return text;
}

PixelPoint MainWindow::MeasureText(const FontRecord& font, const std::string& text) const {
    const QFontMetrics fm(MakeQFont(font, logicalDpiY()));
    return {fm.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size()))),
            fm.height()};
}

void MainWindow::SetMouseCapture(bool) {
    // Qt grabs the mouse for the pressed widget until the release, so the
    // sheet already sees moves and the release outside its visible part.
}

}  // namespace gyr
