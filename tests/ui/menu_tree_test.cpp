// The menu tree as data: ids once each, every command reachable, the
// accelerators and a few texts as given.

#include "ui/menu_tree.h"

#include <gtest/gtest.h>

#include <set>

#include "ui/command_table.h"

namespace gyr {
namespace {

std::set<int> BarIds() {
    std::set<int> ids;
    for (const ToolBarSpec& bar : ToolBars())
        for (int id : bar.buttons)
            if (id != 0) ids.insert(id);
    return ids;
}

TEST(MenuTree, EveryIdIsInTheMenusOnce) {
    const std::vector<int> ids = MenuCommandIds();
    const std::set<int> unique(ids.begin(), ids.end());
    EXPECT_EQ(unique.size(), ids.size());
}

TEST(MenuTree, EveryCommandOfTheTableIsInAMenuOrOnABar) {
    const std::vector<int> ids = MenuCommandIds();
    const std::set<int> menus(ids.begin(), ids.end());
    const std::set<int> bars = BarIds();
    for (const CommandEntry& cmd : CommandTable())
        EXPECT_TRUE(menus.count(cmd.id) || bars.count(cmd.id)) << cmd.id;
}

TEST(MenuTree, AcceleratorsAsGiven) {
    const struct {
        int id;
        const char* accel;
        const char* accel2;
    } kKeys[] = {
        {32751, "Ctrl+0", ""},
        {32753, "Ctrl+E", ""},
        {32754, "Ctrl+G", ""},
        {32755, "Ctrl+T", ""},
        {32952, "Ctrl+D", ""},
        {32953, "Ctrl+R", ""},
        {32954, "Ctrl+H", ""},
        {ID_LOGO_FRAME, "Ctrl+L", ""},
        {ID_EDIT_SELECT_ALL, "Ctrl+A", ""},
        {ID_EDIT_COPY, "Ctrl+C", "Ctrl+Ins"},
        {ID_EDIT_CUT, "Ctrl+X", "Shift+Del"},
        {ID_EDIT_PASTE, "Ctrl+V", "Shift+Ins"},
        {ID_EDIT_UNDO, "Ctrl+Z", "Alt+Backspace"},
        {57600, "Ctrl+N", ""},
        {57601, "Ctrl+O", ""},
        {57603, "Ctrl+S", ""},
        {ID_FILE_PRINT, "Ctrl+P", ""},
        {57667, "F1", ""},
    };
    std::set<std::string> seen;
    for (const auto& k : kKeys) {
        const MenuItem* item = FindMenuItem(k.id);
        ASSERT_NE(item, nullptr) << k.id;
        EXPECT_STREQ(item->accel, k.accel) << k.id;
        EXPECT_STREQ(item->accel2, k.accel2) << k.id;
    }
    // No key is given to two entries.
    for (int id : MenuCommandIds()) {
        const MenuItem* item = FindMenuItem(id);
        for (const char* key : {item->accel, item->accel2})
            if (*key) EXPECT_TRUE(seen.insert(key).second) << key;
    }
}

TEST(MenuTree, TextsAndBars) {
    EXPECT_STREQ(FindMenuItem(33158)->text, "&Inscribed circles");
    EXPECT_STREQ(FindMenuItem(32717)->text, "R&eflexion");
    EXPECT_STREQ(FindMenuItem(32782)->text, "&Drawing Parameters ...");
    EXPECT_STREQ(FindMenuItem(ID_VIEW_COLOR_BAR)->text, "&Color tools");
    EXPECT_STREQ(FindCommandText(32863)->status, "Group operation (in several stages).");
    EXPECT_EQ(PlainMenuText("Drawing &Sheet ..."), "Drawing Sheet");
    EXPECT_EQ(PlainMenuText("Fish && &Chips"), "Fish & Chips");

    ASSERT_GE(ToolBars().size(), 3u);
    EXPECT_STREQ(ToolBars()[1].title, "line-thickness and pattern");
    EXPECT_EQ(ToolBars()[1].side, BarSide::Left);
    EXPECT_STREQ(ToolBars()[2].title, "pen-color");
    EXPECT_EQ(ToolBars()[2].side, BarSide::Right);
    // Every button has a tip.
    for (int id : BarIds()) EXPECT_NE(FindCommandText(id), nullptr) << id;
}

}  // namespace
}  // namespace gyr
