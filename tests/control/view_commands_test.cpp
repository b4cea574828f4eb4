// The command table through the view: tool state, check marks per group and
// tool bar, dialog and action rows, document forwarding, cursors.

#include <gtest/gtest.h>

#include <set>

#include "control/command_table.h"
#include "control/draw_operations.h"
#include "control/menu_tree.h"
#include "control/pick_rules.h"
#include "control/view_fixture.h"
#include "model/axes.h"

namespace gyr::testing {
namespace {

class CommandTest : public ViewTest {};

TEST(CommandTable, IdsOnceAndEveryRowReachable) {
    std::set<int> seen;
    for (const CommandEntry& e : CommandTable()) {
        EXPECT_TRUE(seen.insert(e.id).second) << "twice: " << e.id;
        EXPECT_EQ(FindCommand(e.id), &e);
        // A tool row names its kind; a row of any other sort acts or opens
        // a dialog.
        EXPECT_TRUE((e.flags & kCmdTool) || (e.flags & (kCmdDialog | kCmdOther))) << e.id;
    }
    EXPECT_EQ(FindCommand(12345), nullptr);
}

TEST(CommandTable, AvailableToolsDrawOrPickAndEveryPickRuleHasACommand) {
    for (const CommandEntry& e : CommandTable()) {
        if (!(e.flags & kCmdTool) || e.action || !IsCommandAvailable(e)) continue;
        const PickRule* rule = FindPickRule(e.kind, e.code);
        if (rule && rule->step != PickStep::Stage)
            EXPECT_TRUE(rule->construct) << e.id;
        else
            EXPECT_TRUE(e.kind == kToolSelect || e.kind == kToolPictBmp || e.kind == kToolPictEmf ||
                        DrawOperationOf(e.kind, e.code))
                << e.id;
    }
    for (const PickRule& rule : PickRules()) {
        bool commanded = false;
        for (const CommandEntry& e : CommandTable())
            commanded |= (e.flags & kCmdTool) && e.kind == rule.kind &&
                         (rule.code == kAnyCode || e.code == rule.code);
        EXPECT_TRUE(commanded) << rule.kind << "/" << rule.code;
        EXPECT_EQ(FindPickRule(rule.kind, rule.code), &rule) << "shadowed";
    }
    // What is built so far is offered; what is not is shown disabled.
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_SEGMENT_SIMPLE)));
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_ANGLE_DIVIDE)));
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_LINE_MIDDLE_ORTHOGONAL)));
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_INTERSECTION)));
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_DUPLICATE)));
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_ISOPTIC_FLEXES)));
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_ISOPTIC_GROUP)));  // picks, then draws
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_CIRCLE_TANGENT_3)));
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_SEGMENT_COMMON_TANGENTS)));
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_TRIANGLE_MEDIANS)));  // constructs at the pick
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_PARALLELOGRAM_RHOMB)));
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_DRAW_POLYGONS)));
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_SEGMENT_PARALLEL)));  // picks, then draws
    EXPECT_TRUE(IsCommandAvailable(*FindCommand(ID_ARC_H_NEXT)));        // picks, then draws
}

TEST_F(CommandTest, EveryToolRowSetsKindCodeStageAndItsChecks) {
    for (const CommandEntry& e : CommandTable()) {
        if (!(e.flags & kCmdTool)) continue;
        SCOPED_TRACE(e.id);
        const bool keepsStage = (e.flags & kCmdKeepStage) != 0;
        state.m_nToolKind = state.m_nToolCode = -7;
        state.m_nStage = 2;
        ASSERT_TRUE(view.OnCommand(e.id));
        EXPECT_EQ(state.m_nToolKind, e.kind);
        EXPECT_EQ(state.m_nToolCode, e.code);
        EXPECT_EQ(state.m_nStage, keepsStage ? 2 : 0);
        EXPECT_TRUE(view.IsChecked(e.id));
        EXPECT_EQ(view.m_nCheckedButton, e.button);
        EXPECT_TRUE(e.button == 0 || view.IsChecked(e.button));
        host.dialogScripts.clear();  // the graph row opens its dialog: cancelled
    }
    EXPECT_EQ(host.beeps, 0);
    EXPECT_TRUE(host.messages.empty());
    // Only the second and third buttons of the group bar keep the stage.
    for (const CommandEntry& e : CommandTable())
        EXPECT_EQ((e.flags & kCmdKeepStage) != 0,
                  e.id == ID_GROUP_BAR_SECOND || e.id == ID_GROUP_BAR_THIRD)
            << e.id;
}

TEST_F(CommandTest, EachMenuGroupRemembersItsOwnLastCommand) {
    view.OnCommand(ID_SEGMENT_ORTHOGONAL);      // Segments: orthogonal, button ID_ORTHOGONAL_TOOL
    view.OnCommand(ID_LINE_MIDDLE_ORTHOGONAL);  // Lines: middle orthogonal
    EXPECT_TRUE(view.IsChecked(ID_LINE_MIDDLE_ORTHOGONAL));
    EXPECT_TRUE(view.IsChecked(ID_LINE_TOOL));
    EXPECT_FALSE(view.IsChecked(ID_ORTHOGONAL_TOOL));
    EXPECT_TRUE(view.IsChecked(ID_SEGMENT_ORTHOGONAL));  // the Segments menu keeps its choice
    view.OnCommand(ID_SEGMENT_PARALLEL);
    EXPECT_FALSE(view.IsChecked(ID_SEGMENT_ORTHOGONAL));
    // A tool-bar button leaves the menus alone.
    view.OnCommand(ID_CIRCLES_TOOL);
    EXPECT_TRUE(view.IsChecked(ID_SEGMENT_PARALLEL));
    EXPECT_FALSE(view.IsChecked(ID_SEGMENTS_TOOL));
    // An arc releases every button.
    view.OnCommand(ID_ARC_ON_ANGLE);
    EXPECT_EQ(view.m_nCheckedButton, 0);
    EXPECT_FALSE(view.IsChecked(ID_CIRCLES_TOOL));
}

TEST_F(CommandTest, DialogAndActionRowsLeaveTheToolAlone) {
    view.OnCommand(ID_SEGMENT_ORTHOGONAL);
    state.m_nStage = 1;
    // Dialogs are cancelled; the intersection lacks its two figures.
    for (int id :
         {ID_TRIANGLE_DIALOG, ID_ANGLE_FIXED_DIALOG, ID_ISOPTIC_CONSTANTS, ID_IMPORT_PICTURE}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(view.OnCommand(id));
        EXPECT_EQ(state.m_nToolCode, kCodeOrthogonal);
        EXPECT_EQ(state.m_nStage, 1);
        EXPECT_FALSE(view.IsChecked(id));
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.beeps, 0);
    // The triangle, fixed-angle and canonical-constants dialogs.
    EXPECT_EQ(host.dialogTitles.size(), 3u);
    view.OnCommand(ID_DRAWING_SHEET);
    EXPECT_EQ(host.dialogTitles.size(), 4u);
    view.OnCommand(ID_EXERCISES);  // exercises only beep
    EXPECT_EQ(host.beeps, 1);
}

TEST_F(CommandTest, MatchPointsDocumentIdsAndTheFirstUpdate) {
    EXPECT_TRUE(view.IsChecked(ID_MATCH_POINTS));
    view.OnCommand(ID_MATCH_POINTS);
    EXPECT_FALSE(state.m_bMatchPoints);
    EXPECT_FALSE(view.IsChecked(ID_MATCH_POINTS_ALT));  // the same toggle under both ids
    view.OnCommand(ID_MATCH_POINTS_ALT);
    EXPECT_TRUE(state.m_bMatchPoints);

    EXPECT_TRUE(view.OnCommand(ID_WIDTH_1 + 3));  // other ids go to the document
    EXPECT_EQ(doc.m_widthButton, ID_WIDTH_1 + 3);
    EXPECT_TRUE(view.IsChecked(ID_WIDTH_1 + 3));
    EXPECT_FALSE(view.OnCommand(ID_FILE_NEW));

    CShapeObj* a = AddShape2({0, 0}, {1, 0});
    CShapeObj* b = AddShape2({0, 1}, {1, 1});
    b->m_bSelected = 1;
    state.m_nToolKind = kToolSelect;
    view.OnInitialUpdate();  // takes the triangles and the flagged objects
    EXPECT_EQ(state.m_selection, CObList{b});
    EXPECT_FALSE(a->m_bSelected);
    EXPECT_EQ(state.m_nToolKind, kToolTriangle);
    EXPECT_TRUE(view.IsChecked(ID_TRIANGLES_TOOL));
}

TEST_F(CommandTest, CursorFollowsKindStageAndButton) {
    struct Case {
        int id, stage;
        bool down;
        int cursor;
    } cases[] = {
        {ID_SELECT_TOOL, 0, false, kCursorArrow},
        {ID_REFLECT_TOOL, 1, false, kCursorReflectNext},
        {ID_ORTHOGONAL_TOOL, 0, false, kCursorPick},
        {ID_ORTHOGONAL_TOOL, 0, true, kCursorPickPressed},
        {ID_ORTHOGONAL_TOOL, 1, false, kCursorStraight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.id << " stage " << c.stage);
        view.OnCommand(c.id);
        state.m_nStage = c.stage;
        view.m_bMouseDown = c.down;
        EXPECT_EQ(view.CursorId(), c.cursor);
    }
}

// The menu tree as data: ids once each, every command reachable, the accelerators.

TEST(MenuTree, IdsOnceEveryCommandReachableAndEveryButtonTipped) {
    const std::vector<int> ids = MenuCommandIds();
    const std::set<int> menus(ids.begin(), ids.end());
    EXPECT_EQ(menus.size(), ids.size());
    std::set<int> bars;
    for (const ToolBarDef& bar : ToolBars())
        for (int id : bar.buttons)
            if (id != 0) bars.insert(id);
    for (const CommandEntry& cmd : CommandTable())
        EXPECT_TRUE(menus.count(cmd.id) || bars.count(cmd.id)) << cmd.id;
    for (int id : bars) EXPECT_NE(FindCommandText(id), nullptr) << id;
}

TEST(MenuTree, AcceleratorsAsGivenAndNoKeyTwice) {
    const struct {
        int id;
        const char *accel, *accel2;
    } kKeys[] = {
        {ID_DRAW_GRAPH, "Ctrl+G", ""},        {ID_LOGO_FRAME, "Ctrl+L", ""},
        {ID_EDIT_COPY, "Ctrl+C", "Ctrl+Ins"}, {ID_EDIT_UNDO, "Ctrl+Z", "Alt+Backspace"},
        {ID_FILE_SAVE, "Ctrl+S", ""},         {ID_HELP_FINDER, "F1", ""},
    };
    for (const auto& k : kKeys) {
        const MenuItem* item = FindMenuItem(k.id);
        ASSERT_NE(item, nullptr) << k.id;
        EXPECT_STREQ(item->accel, k.accel) << k.id;
        EXPECT_STREQ(item->accel2, k.accel2) << k.id;
    }
    std::set<std::string> seen;
    for (int id : MenuCommandIds()) {
        const MenuItem* item = FindMenuItem(id);
        for (const char* key : {item->accel, item->accel2})
            EXPECT_TRUE(!*key || seen.insert(key).second) << key;
    }
}

TEST(MenuTree, TextsAndBars) {
    EXPECT_STREQ(FindMenuItem(ID_DRAWING_PARAMS)->text, "&Drawing Parameters ...");
    EXPECT_STREQ(FindCommandText(ID_ISOPTIC_GROUP)->status, "Group operation (in several stages).");
    EXPECT_EQ(PlainMenuText("Fish && &Chips"), "Fish & Chips");
    ASSERT_GE(ToolBars().size(), 3u);
    EXPECT_STREQ(ToolBars()[1].title, "line-thickness and pattern");
    EXPECT_EQ(ToolBars()[1].side, BarSide::Left);
    EXPECT_STREQ(ToolBars()[2].title, "pen-color");
    EXPECT_EQ(ToolBars()[2].side, BarSide::Right);
}

}  // namespace
}  // namespace gyr::testing
