#include "desktop/gui_main.h"

#include <QApplication>

#include "desktop/main_window.h"
#include "desktop/qt_host.h"
#include "desktop/sheet_view.h"
#include "doc/document.h"
#include "ui/gyr_view.h"

namespace gyr {

int RunGui(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Larkspur Lab");
    QApplication::setApplicationName("Gyrovant");
    QApplication::setApplicationVersion(GYR_VERSION);

    QtHost host;
    SetHost(&host);
    struct HostReset {
        ~HostReset() { SetHost(nullptr); }
    } hostReset;

    CGyrDoc doc;
    CGyrView view(&doc);
    doc.AddView(&view);
    host.SetActive(&doc, &view);

    // Qt has taken its own options out of argv by now.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
        if (!doc.OnOpenDocument(args.at(1).toStdString())) {
            doc.RemoveView(&view);
            return 1;
        }
    } else {
        doc.OnNewDocument();
    }

    MainWindow window(doc, view);
    host.SetWindow(&window);
    host.SetSheetView(window.Sheet());
    window.show();
    int code = app.exec();

    host.SetSheetView(nullptr);
    host.SetWindow(nullptr);
    doc.RemoveView(&view);
    return code;
}

}  // namespace gyr
