#pragma once
// The commands that open application dialogs and help rather than act on the
// document or view: the window routes them here by id.

class QWidget;

namespace gyr {

enum AppCommand : int {
    ID_APP_DRAWING_PARAMS = 32782,  // "&Drawing Parameters ..."
    ID_HELP_THEORY = 32761,         // "T&heory ...": help topic 151
    ID_APP_ABOUT = 57664,
    ID_HELP_INDEX = 57666,
    ID_HELP_FINDER = 57667,  // Help Topics
    ID_HELP = 57670,         // F1
};

// The help topic of the theory of isoptic cubics.
constexpr int kTheoryTopic = 151;

// Runs the command; false when the id is none of the above.
bool RunAppCommand(int id, QWidget* parent);
// Shows the help page of a topic number (the theory for 151, else the index).
void ShowHelpTopic(int topic, QWidget* parent);

}  // namespace gyr
