#pragma once
// The main window: the sheet view in a scroll area and a status bar. Menus
// and tool bars grow here.

#include <QMainWindow>

class QScrollArea;

namespace gyr {

class CGyrDoc;
class CGyrView;
class SheetView;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(CGyrDoc& doc, CGyrView& view, QWidget* parent = nullptr);

    SheetView* Sheet() const { return m_sheet; }
    QScrollArea* ScrollArea() const { return m_scroll; }
    // "name - Gyrovant", with "Untitled" for a document without a file.
    void UpdateTitle();
    // Scrolls so that the middle of the sheet is in the middle of the window.
    void CentreSheet();

protected:
    void showEvent(QShowEvent* event) override;

private:
    CGyrDoc& m_doc;
    SheetView* m_sheet = nullptr;
    QScrollArea* m_scroll = nullptr;
    bool m_centred = false;
};

// The window title of a document.
QString WindowTitle(const CGyrDoc& doc);

}  // namespace gyr
