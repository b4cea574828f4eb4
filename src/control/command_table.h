#pragma once
// The view's command table: every tool, dialog and edit command of the tool
// bar and the drawing menus, as data. A tool command only sets the view's
// tool state; the desktop builds its menus and buttons from the same rows and
// asks CGyrView::IsChecked for their check marks.

#include <span>

#include "control/gyr_view.h"
#include "model/ids.h"

namespace gyr {

enum CommandFlag : unsigned {
    kCmdTool = 1u << 0,    // sets kind, code and stage
    kCmdDialog = 1u << 1,  // opens a dialog (the action)
    kCmdOther = 1u << 2,   // an action of its own
    // With Shift held the action runs instead of the tool change.
    kCmdShiftAction = 1u << 3,
    // The stage survives (two buttons of the three-button group bar).
    kCmdKeepStage = 1u << 4,
};

// What a command does beyond the tool state; shift tells whether Shift was
// held. A null action does nothing beyond the tool change.
using CommandAction = void (*)(CGyrView& view, bool shift);

struct CommandEntry {
    int id;
    const char* name;
    unsigned flags;
    int kind;    // tool commands only
    int code;    // tool commands only
    int button;  // tool-bar button shown pressed; 0 none
    MenuGroup group;
    CommandAction action;
};

std::span<const CommandEntry> CommandTable();
// Null when the id is not a view command.
const CommandEntry* FindCommand(int id);
// Whether the row does something: an action, the selection tool, a tool
// whose pick rule has its construction, or one whose kind draws for its code
// (after its picks).
// The others are shown disabled.
bool IsCommandAvailable(const CommandEntry& cmd);

}  // namespace gyr
