#pragma once
// The menu bar, the tool bars and the status and tip texts of every command,
// as data. The desktop builds its menus and bars from these tables; the
// command table says what each id does.

#include <span>
#include <string>
#include <vector>

#include "model/ids.h"

namespace gyr {

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
