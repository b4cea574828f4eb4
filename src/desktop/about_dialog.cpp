#include "desktop/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSvgWidget>
#include <QVBoxLayout>

#include "desktop/help_window.h"

namespace gyr {

QString VersionLine() {
    return QStringLiteral("Gyrovant " GYR_VERSION);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    LoadDesktopResources();
    setWindowTitle(tr("About Gyrovant"));

    auto* picture = new QSvgWidget(QStringLiteral(":/about.svg"));
    picture->setFixedSize(160, 160);

    auto* version = new QLabel(VersionLine());
    QFont big = version->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    version->setFont(big);

    auto* text =
        new QLabel(tr("<p>An instrument for exact drawings of plane Euclidean geometry and for the "
                      "study of isoptic cubics: the curves of the points from which two segments "
                      "are seen under equal angles.</p>"
                      "<p>Built with Qt %1.</p>")
                       .arg(QString::fromLatin1(qVersion())));
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    text->setMinimumWidth(280);

    auto* words = new QVBoxLayout;
    words->addWidget(version);
    words->addWidget(text);
    words->addStretch(1);

    auto* body = new QHBoxLayout;
    body->setSpacing(20);
    body->addWidget(picture, 0, Qt::AlignTop);
    body->addLayout(words);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(body);
    outer->addWidget(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

void ShowAboutBox(QWidget* parent) {
    AboutDialog box(parent);
    box.exec();
}

}  // namespace gyr
