#pragma once
// The About box: the program's picture, its version line and a short text.

#include <QDialog>

namespace gyr {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

// "Gyrovant " followed by the build's version.
QString VersionLine();
// Shows the About box modally.
void ShowAboutBox(QWidget* parent);

}  // namespace gyr
