#pragma once
// The commands that open application dialogs and help rather than act on the
// document or view: the window routes them here by id.

#include "model/ids.h"

class QWidget;

namespace gyr {

// The help topic of the theory of isoptic cubics.
constexpr int kTheoryTopic = 151;

// Runs the command; false when the id is none of the above.
bool RunAppCommand(int id, QWidget* parent);
// Shows the help page of a topic number (the theory for 151, else the index).
void ShowHelpTopic(int topic, QWidget* parent);

}  // namespace gyr
