#pragma once
// The view's command table: every tool, dialog and edit command of the tool
// bar and the drawing menus, as data. A tool command only sets the view's
// tool state; the desktop builds its menus and buttons from the same rows and
// asks CGyrView::IsChecked for their check marks.

#include <span>

#include "control/gyr_view.h"

namespace gyr {

enum CommandFlag : unsigned {
    kCmdTool = 1u << 0,    // sets kind, code and stage
    kCmdDialog = 1u << 1,  // opens a dialog (the action)
    kCmdOther = 1u << 2,   // an action of its own
    // With Shift held the action runs instead of the tool change.
    kCmdShiftAction = 1u << 3,
    // The stage survives (two buttons of the three-button group bar).
    kCmdKeepStage = 1u << 4,
    // Ends text editing and nothing else before its action.
    kCmdEdit = 1u << 5,
};

// What a command does beyond the tool state; shift tells whether Shift was
// held. Null actions belong to later layers and do nothing yet.
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

enum ViewCommand : int {
    ID_SELECT_TOOL = 32701,
    ID_ORTHOGONAL_TOOL = 32710,
    ID_TRIANGLES_TOOL = 32706,
    ID_REFLECT_TOOL = 32717,
    ID_INVERT_TOOL = 32718,
    ID_MATCH_POINTS = 32880,
    ID_MATCH_POINTS_ALT = 32812,
    ID_INTERSECTION = 32951,
    ID_DUPLICATE = 32952,
    ID_ROTATE = 32953,
    ID_HOMOTHETY = 32954,
    ID_EXERCISES = 32760,
    ID_GROUP_BAR_FIRST = 32959,
};

std::span<const CommandEntry> CommandTable();
// Null when the id is not a view command.
const CommandEntry* FindCommand(int id);
// Installs the action of a command (later layers, tests); returns the old one.
CommandAction SetCommandAction(int id, CommandAction action);

}  // namespace gyr
