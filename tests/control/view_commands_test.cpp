// The command table through the view: tool state, check marks per group and
// tool bar, dialog and action rows, document forwarding, cursors.

#include <gtest/gtest.h>

#include <set>

#include "model/axes.h"
#include "control/command_table.h"
#include "control/menu_tree.h"
#include "control/view_fixture.h"

namespace gyr::testing {
namespace {

struct ToolRow {
    int id, kind, code, button;
};

// Typed from the tool lists, apart from the table, so that a wrong row in
// either shows up.
const ToolRow kToolRows[] = {
    {32701, 0, 10000, 32701},  {32702, 10, 10000, 32702},    {32703, 20, 10000, 32703},
    {32704, 30, 10000, 32704}, {32705, 40, 10000, 32705},    {32706, 50, 10000, 32706},
    {32707, 70, 10000, 32707}, {32708, 60, 10000, 32708},    {32709, 30000, 10000, 32709},
    {32710, 10, 10030, 32710}, {32711, 10, 103, 32711},      {32712, 10, 21050, 32712},
    {32713, 70, 705, 32713},   {32714, 70, 703, 32714},      {32715, 50, 504, 32715},
    {32716, 40, 401, 32716},   {32717, 201, 10000, 32717},   {32718, 702, 10000, 32718},
    {32751, 0, 10000, 32701},  {32752, 60, 10000, 32708},    {32753, 25000, 10000, 0},
    {32754, 90, 10000, 0},     {32755, 30000, 10000, 32709}, {32756, 31010, 10000, 0},
    {32757, 31000, 10000, 0},  {33026, 10, 10000, 32702},    {33027, 10, 103, 32711},
    {33028, 10, 101, 32702},   {33029, 10, 10010, 32702},    {33030, 10, 10030, 32710},
    {33031, 10, 21050, 32712}, {33032, 10, 704, 32702},      {33033, 10, 102, 32702},
    {33034, 10, 104, 32702},   {33035, 10, 105, 32702},      {33101, 20, 10000, 32703},
    {33102, 20, 10030, 32703}, {33103, 20, 10010, 32703},    {33104, 20, 202, 32703},
    {33105, 20, 704, 32703},   {33106, 20, 21050, 32703},    {33107, 20, 102, 32703},
    {33151, 50, 10000, 32706}, {33153, 50, 501, 32706},      {33154, 50, 503, 32706},
    {33155, 50, 502, 32706},   {33156, 50, 506, 32706},      {33157, 50, 507, 32706},
    {33158, 50, 505, 32706},   {33159, 50, 504, 32715},      {32901, 30, 10000, 32704},
    {32902, 30, 10010, 32704}, {32903, 30, 10050, 32704},    {32904, 30, 301, 32704},
    {33051, 40, 10000, 32705}, {33052, 40, 26000, 32705},    {33053, 40, 451, 32705},
    {33055, 40, 401, 32716},   {33201, 80, 10000, 0},        {33202, 80, 801, 0},
    {33203, 80, 802, 0},       {33204, 80, 803, 0},          {33205, 80, 804, 0},
    {33206, 80, 805, 0},       {33207, 80, 10030, 0},        {33001, 70, 10000, 32707},
    {33002, 70, 703, 32714},   {33003, 70, 704, 32707},      {33004, 70, 705, 32713},
    {33005, 70, 706, 32707},   {33006, 70, 707, 32707},      {33007, 70, 708, 32707},
    {33008, 70, 709, 32707},   {33009, 70, 710, 32707},      {33010, 70, 711, 32707},
    {33011, 70, 712, 32707},   {33012, 70, 701, 32707},      {33013, 70, 713, 32707},
    {32851, 20000, 10000, 0},  {32852, 20000, 20030, 0},     {32853, 20000, 20040, 0},
    {32854, 20000, 20020, 0},  {32856, 20000, 20101, 0},     {32857, 20000, 20102, 0},
    {32858, 20000, 20501, 0},  {32860, 20000, 20502, 0},     {32861, 20000, 20503, 0},
    {32862, 20000, 20504, 0},  {32863, 20000, 21010, 0},     {32864, 20000, 21020, 0},
    {32865, 20000, 21060, 0},  {32866, 20000, 40, 0},        {33301, 20000, 20506, 0},
    {33302, 20000, 21050, 0},  {33303, 20000, 20505, 0},     {32959, 20000, 21010, 0},
    {32960, 20000, 21010, 0},  {32961, 20000, 21010, 0},
};

// Rows that open a dialog or act without changing the tool.
const int kNonToolIds[] = {32758, 32759, 33152, 33054, 32855, 32880, 32812, 32881,
                           32882, 32951, 32952, 32953, 32954, 32760, 32783};

class CommandTest : public ViewTest {};

TEST_F(CommandTest, EveryToolRowSetsKindCodeStageAndItsChecks) {
    std::set<int> tools, expected, seen;
    for (const ToolRow& r : kToolRows) tools.insert(r.id);
    expected = tools;
    expected.insert(std::begin(kNonToolIds), std::end(kNonToolIds));
    for (const CommandEntry& e : CommandTable()) {
        EXPECT_TRUE(seen.insert(e.id).second) << "twice: " << e.id;
        EXPECT_EQ((e.flags & kCmdTool) != 0, tools.count(e.id) == 1) << e.id;
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(FindCommand(12345), nullptr);

    for (const ToolRow& r : kToolRows) {
        SCOPED_TRACE(r.id);
        const bool keepsStage = r.id == 32960 || r.id == 32961;
        view.m_nToolKind = view.m_nToolCode = -7;
        view.m_nStage = 2;
        ASSERT_TRUE(view.OnCommand(r.id));
        EXPECT_EQ(view.m_nToolKind, r.kind);
        EXPECT_EQ(view.m_nToolCode, r.code);
        EXPECT_EQ(view.m_nStage, keepsStage ? 2 : 0);
        EXPECT_TRUE(view.IsChecked(r.id));
        EXPECT_EQ(view.m_nCheckedButton, r.button);
        EXPECT_TRUE(r.button == 0 || view.IsChecked(r.button));
    }
    EXPECT_EQ(host.beeps, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CommandTest, EachMenuGroupRemembersItsOwnLastCommand) {
    view.OnCommand(33030);  // Segments: orthogonal, button 32710
    view.OnCommand(33104);  // Lines: middle orthogonal
    EXPECT_TRUE(view.IsChecked(33104));
    EXPECT_TRUE(view.IsChecked(32703));
    EXPECT_FALSE(view.IsChecked(32710));
    EXPECT_TRUE(view.IsChecked(33030));  // the Segments menu keeps its choice
    view.OnCommand(33029);
    EXPECT_FALSE(view.IsChecked(33030));
    // A tool-bar button leaves the menus alone.
    view.OnCommand(32707);
    EXPECT_TRUE(view.IsChecked(33029));
    EXPECT_FALSE(view.IsChecked(32702));
    // An arc releases every button.
    view.OnCommand(33203);
    EXPECT_EQ(view.m_nCheckedButton, 0);
    EXPECT_FALSE(view.IsChecked(32707));
}

TEST_F(CommandTest, DialogRowsWithoutTheirActionLeaveTheToolAlone) {
    view.OnCommand(33030);
    view.m_nStage = 1;
    for (int id : {33152, 33054, 32855, 32758, 32951, 32954}) {
        SCOPED_TRACE(id);
        CommandAction installed = SetCommandAction(id, nullptr);
        EXPECT_TRUE(view.OnCommand(id));
        SetCommandAction(id, installed);
        EXPECT_EQ(view.m_nToolCode, 10030);
        EXPECT_EQ(view.m_nStage, 1);
        EXPECT_FALSE(view.IsChecked(id));
    }
    // No pretence of working: no messages, no beeps.
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.beeps, 0);
    view.OnCommand(32783);  // the sheet dialog
    EXPECT_EQ(host.dialogTitles.size(), 1u);
    view.OnCommand(32760);  // exercises only beep
    EXPECT_EQ(host.beeps, 1);
}

TEST_F(CommandTest, MatchPointsDocumentIdsAndTheFirstUpdate) {
    EXPECT_TRUE(view.IsChecked(32880));
    view.OnCommand(32880);
    EXPECT_FALSE(view.m_bMatchPoints);
    EXPECT_FALSE(view.IsChecked(32812));  // the same toggle under both ids
    view.OnCommand(32812);
    EXPECT_TRUE(view.m_bMatchPoints);

    EXPECT_TRUE(view.OnCommand(ID_WIDTH_1 + 3));  // other ids go to the document
    EXPECT_EQ(doc.m_widthButton, ID_WIDTH_1 + 3);
    EXPECT_TRUE(view.IsChecked(ID_WIDTH_1 + 3));
    EXPECT_FALSE(view.OnCommand(57600));

    CShapeObj* a = AddShape2({0, 0}, {1, 0});
    CShapeObj* b = AddShape2({0, 1}, {1, 1});
    b->m_bSelected = 1;
    view.m_nToolKind = 0;
    view.OnInitialUpdate();  // takes the triangles and the flagged objects
    EXPECT_EQ(view.m_selection, CObList{b});
    EXPECT_FALSE(a->m_bSelected);
    EXPECT_EQ(view.m_nToolKind, 50);
    EXPECT_TRUE(view.IsChecked(32706));
}

TEST_F(CommandTest, CursorFollowsKindStageAndButton) {
    struct Case {
        int id, stage;
        bool down;
        int cursor;
    } cases[] = {
        {32701, 0, false, kCursorArrow}, {32717, 1, false, 159}, {32710, 0, false, 146},
        {32710, 0, true, 228},           {32710, 1, false, 134},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.id << " stage " << c.stage);
        view.OnCommand(c.id);
        view.m_nStage = c.stage;
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
        {32754, "Ctrl+G", ""},
        {ID_LOGO_FRAME, "Ctrl+L", ""},
        {ID_EDIT_COPY, "Ctrl+C", "Ctrl+Ins"},
        {ID_EDIT_UNDO, "Ctrl+Z", "Alt+Backspace"},
        {57603, "Ctrl+S", ""},
        {57667, "F1", ""},
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
    EXPECT_STREQ(FindMenuItem(32782)->text, "&Drawing Parameters ...");
    EXPECT_STREQ(FindCommandText(32863)->status, "Group operation (in several stages).");
    EXPECT_EQ(PlainMenuText("Fish && &Chips"), "Fish & Chips");
    ASSERT_GE(ToolBars().size(), 3u);
    EXPECT_STREQ(ToolBars()[1].title, "line-thickness and pattern");
    EXPECT_EQ(ToolBars()[1].side, BarSide::Left);
    EXPECT_STREQ(ToolBars()[2].title, "pen-color");
    EXPECT_EQ(ToolBars()[2].side, BarSide::Right);
}

}  // namespace
}  // namespace gyr::testing
