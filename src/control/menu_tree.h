#pragma once
// The menu bar, the tool bars and the status and tip texts of every command,
// as data. The desktop builds its menus and bars from these tables; the
// command table says what each id does.

#include <span>
#include <string>
#include <vector>

namespace gyr {

// Command ids of the frame (the document's own ids are in doc/document.h,
// the view's in ui/command_table.h; About 57664, Help Topics 57667 and
// Theory 32761 are the desktop's application commands).
enum FrameCommand : int {
    ID_APP_EXIT = 57665,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FIRST = 57616,  // .. 57624, nine entries
    ID_FILE_MRU_LAST = 57624,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_UNDO = 57643,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    // The attribute bars are toggled by their bar ids.
    ID_VIEW_FONT_BAR = 102,
    ID_VIEW_LINE_BAR = 141,
    ID_VIEW_COLOR_BAR = 143,
    ID_VIEW_GROUP_BAR = 144,
    ID_DELETE_POINT_MARKS = 32784,
    ID_LOGO_FRAME = 32786,
    ID_HALF_COMPONENT_PTS = 32859,
    ID_SHOW_SCRIPT = 32971,
    // Status-bar panes.
    ID_INDICATOR_X = 33401,
    ID_INDICATOR_Y = 33402,
};

constexpr int kRecentFileCount = 9;

enum class MenuItemKind { Command, Separator, Submenu, RecentFiles };

struct MenuItem {
    MenuItemKind kind;
    int id;            // commands
    const char* text;  // with its & mnemonic
    // Keys in the portable form "Ctrl+S"; "" for none. The second is an
    // alternative key of the same command.
    const char* accel;
    const char* accel2;
    std::span<const MenuItem> items;  // submenus
};

enum class BarSide { Top, Left, Right, Bottom };

struct ToolBarDef {
    int id;             // the id of its View menu toggle
    const char* title;  // window title when floating
    BarSide side;
    bool visible;                  // at start
    std::span<const int> buttons;  // 0 is a separator
};

struct CommandText {
    int id;
    const char* status;  // fly-by text in the status bar
    const char* tip;     // tool tip
};

// The top-level menus, in order.
std::span<const MenuItem> MenuBar();
std::span<const ToolBarDef> ToolBars();
// Null when the id has no texts of its own.
const CommandText* FindCommandText(int id);
// Null when no menu holds the id.
const MenuItem* FindMenuItem(int id);
// Every command id of the menus, depth first.
std::vector<int> MenuCommandIds();
// The text without & mnemonics and without a trailing " ..." or "...".
std::string PlainMenuText(const char* text);

}  // namespace gyr
