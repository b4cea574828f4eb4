#pragma once
// The main window: the menu bar and tool bars built from the menu tree, the
// sheet view in a scroll area, the status bar with the two coordinate panes,
// the file commands, the recent files and dropped files. It is the
// controller's CViewWindow.

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <functional>
#include <memory>

#include "control/gyr_view.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QMenu;
class QPrinter;
class QScrollArea;
class QToolBar;

namespace gyr {

class CGyrDoc;
class ScriptWindow;
class SheetView;
struct MenuItem;

class MainWindow : public QMainWindow, public CViewWindow {
    Q_OBJECT
public:
    MainWindow(CGyrDoc& doc, CGyrView& view, QWidget* parent = nullptr);
    ~MainWindow() override;

    SheetView* Sheet() const { return m_sheet; }
    QScrollArea* ScrollArea() const { return m_scroll; }
    // The action of a command id (menus and tool bars share it); null when
    // the window has none.
    QAction* Action(int id) const { return m_actions.value(id); }
    // The tool bar toggled by a View menu id (ID_VIEW_TOOLBAR ...).
    QToolBar* ToolBar(int viewId) const { return m_bars.value(viewId); }
    QMenu* TopMenu(int index) const;
    QString StatusX() const;
    QString StatusY() const;

    // Runs a command as its menu entry or button does. False when nothing
    // handles the id.
    bool RunCommand(int id);
    // Whether a command id has a handler (entries without one are disabled).
    bool IsAvailable(int id) const;
    // Check marks and enabled states from the controller, the document and
    // the bars.
    void RefreshActions();
    // Opens a file as Open does once a path is chosen: a bitmap or metafile
    // is imported, anything else replaces the document after asking to save
    // it. False when nothing was opened.
    bool OpenPath(const QString& path);

    // "name - Gyrovant", with "Untitled" for a document without a file.
    void UpdateTitle();
    // Scrolls as the view's first update does: the sheet centred.
    void CentreSheet();
    // The sheet's effective size changed: scroll range and frame limits.
    void SheetSizeChanged();

    // CViewWindow.
    void SetStatusCoords(const std::string& x, const std::string& y) override;
    PixelRect ClientRect() const override;
    void ScrollLines(int dx, int dy) override;
    void SetMouseCapture(bool on) override;
    bool OpenTextEditor(const PixelRect& r, const FontRecord& font, const std::string& text,
                        bool caretAtEnd) override;
    std::string CloseTextEditor() override;
    PixelPoint MeasureText(const FontRecord& font, const std::string& text) const override;
    // The font bar's combo boxes.
    QComboBox* FaceCombo() const { return m_faceCombo; }
    QComboBox* SizeCombo() const { return m_sizeCombo; }
    // The caps-lock pane "CAP", enabled while caps lock is on.
    QLabel* CapsPane() const { return m_paneCaps; }
    // A font bar choice: ends editing, sets the document's attribute and
    // restyles the selected text boxes.
    void ChooseFace(const QString& face);
    void ChooseSize(int size);
    // The open in-place editor of a text box, or null.
    QPlainTextEdit* TextEditor() const { return m_editor; }
    // The Script window while it is open, or null.
    ScriptWindow* Script() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* MakeAction(int id, const QString& text);
    void BuildMenu(QMenu* menu, const MenuItem& item);
    void BuildToolBars();
    void BuildStatusBar();
    QWidget* MakeFontCombo(int id, QToolBar* bar);
    // The combos show the document's face and size unless one has the focus.
    void SyncFontCombos();
    void FillRecentMenu();
    bool RunFrameCommand(int id);
    void OpenDocumentCommand();
    // "Show Script": opens the one Script window or brings it forward.
    void ShowScript();
    void OpenRecent(int index);
    void Print(bool preview);
    // A new or opened document: the view's first update again.
    void AfterDocumentReplaced();
    void AfterCommand();
    void ApplyFrameLimits();
    bool IsCheckable(int id) const;
    bool IsChecked(int id) const;

    CGyrDoc& m_doc;
    CGyrView& m_view;
    SheetView* m_sheet = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_paneX = nullptr;
    QLabel* m_paneY = nullptr;
    QPlainTextEdit* m_editor = nullptr;
    QComboBox* m_faceCombo = nullptr;
    QComboBox* m_sizeCombo = nullptr;
    QLabel* m_paneCaps = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentAnchor = nullptr;  // the recent files go before it
    QList<QAction*> m_recentActions;
    QHash<int, QAction*> m_actions;
    QHash<int, QToolBar*> m_bars;
    QSet<const QObject*> m_toolButtons;  // whose leaving clears the fly-by text
    std::unique_ptr<QPrinter> m_printer;
    bool m_centred = false;
    QPointer<ScriptWindow> m_script;
};

// The window title of a document.
QString WindowTitle(const CGyrDoc& doc);

}  // namespace gyr
