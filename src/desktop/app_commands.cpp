#include "desktop/app_commands.h"

#include "desktop/about_dialog.h"
#include "desktop/help_window.h"
#include "dialogs/drawing_params_dialog.h"

namespace gyr {

bool RunAppCommand(int id, QWidget* parent) {
    switch (id) {
        case ID_DRAWING_PARAMS:
            RunDrawingParamsDialog();
            return true;
        case ID_HELP_THEORY:
            ShowHelpTopic(kTheoryTopic, parent);
            return true;
        case ID_APP_ABOUT:
            ShowAboutBox(parent);
            return true;
        case ID_HELP_INDEX:
        case ID_HELP_FINDER:
        case ID_HELP:
            ShowHelpTopics(parent);
            return true;
        default:
            return false;
    }
}

void ShowHelpTopic(int topic, QWidget* parent) {
    if (topic == kTheoryTopic)
        ShowHelpTheory(parent);
    else
        ShowHelpTopics(parent);
}

}  // namespace gyr
