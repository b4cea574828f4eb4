#pragma once
// The program's own help pages (HTML in the resources), shown in one
// non-modal browser window.

#include <QDialog>

class QTextBrowser;

namespace gyr {

// Registers the resource file of the desktop library (it is static, so Qt
// cannot find it by itself); safe to call more than once.
void LoadDesktopResources();

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // The page names of the help.
    static constexpr const char* kIndexPage = "index.html";
    static constexpr const char* kTheoryPage = "isoptics.html";
    static constexpr const char* kToolsPage = "tools.html";

    // Shows a page in the one help window, making the window on first use.
    static HelpWindow* Show(const QString& page, QWidget* parent);
    // The window while it exists.
    static HelpWindow* Instance();

    QTextBrowser* Browser() const { return m_browser; }

private:
    explicit HelpWindow(QWidget* parent);

    QTextBrowser* m_browser;
};

// Help Topics: the index page.
void ShowHelpTopics(QWidget* parent);
// The theory of isoptic cubics (help topic 151).
void ShowHelpTheory(QWidget* parent);

}  // namespace gyr
