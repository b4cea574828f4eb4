#include "desktop/gui_main.h"

#include <QApplication>

#include "control/gyr_view.h"
#include "desktop/main_window.h"
#include "desktop/qt_host.h"
#include "desktop/sheet_view.h"
#include "figures/class_registry.h"
#include "figures/text_obj.h"
#include "model/document.h"

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
    // An opened file joins the recent files even before the window exists.

    CGyrDoc doc{DrawingClasses()};
    CGyrView view(&doc);

    // Qt has taken its own options out of argv by now.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
        // The document has shown why it could not be read.
        if (!doc.OnOpenDocument(args.at(1).toStdString())) return 1;
    } else {
        doc.OnNewDocument();
    }

    MainWindow window(doc, view);
    // Font sizes become pixels at the screen's resolution.
    TextResolution() = window.logicalDpiY();
    host.SetWindow(&window);
    host.SetSheetView(window.Sheet());
    window.show();
    const int code = app.exec();
    host.SetSheetView(nullptr);
    host.SetWindow(nullptr);
    return code;
}

}  // namespace gyr
