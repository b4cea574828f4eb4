// Every command of the menus and tool bars either is shown disabled or does
// something a user can see: a figure appears or goes, a dialog or a message
// opens, the view's settings change. Tools are tried with a fixed round of
// clicks and drags over a drawing that offers every kind of figure to pick.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "control/command_table.h"
#include "control/menu_tree.h"
#include "control/view_fixture.h"
#include "figures/angle_obj.h"
#include "figures/arc_obj.h"
#include "figures/circle_obj.h"
#include "figures/isoptic_obj.h"
#include "figures/triangle_obj.h"

namespace gyr::testing {
namespace {

class CommandWalkTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        for (CWorldPoint c : {CWorldPoint{-4, 3}, CWorldPoint{-1, 3}}) Add(new CCircleObj(c, 1));
        Add(new CCircleObj({-2.5, 5}, 0.5));
        AddSegment({2, 2}, {5, 2});
        AddSegment({2, 4}, {5, 5});
        AddSegment({3, 1}, {3, 3});  // crosses the first
        Add(new CTriangle({2, -5}, {6, -5}, {4, -2}));
        Add(new CAngle({-6, -3}, {-4, -3}, {-4, -1}));
        auto* arc = new CArcObj({6, 0}, {7.5, 0}, {4.5, 0});
        arc->m_sweep = 3.141592653589793;
        arc->m_points[2] = {4.5, 0};
        arc->m_points[3] = {6, 1.5};
        Add(arc);
        // The cubic (x + 1)(x^2 + y^2) - 3x + y = 0 through the last click, (0, 0).
        CIsopticDefinition def;
        def.build = IsopticBuild::Two;
        def.k = {-1, -3, 1};
        PointsFromConstants(def.k, def.pts);
        AddIsoptic(&doc, def);
        doc.SetModifiedFlag(false);
        host.Clear();
    }

    // What a user could tell apart before and after.
    struct Snapshot {
        std::vector<const CMyObj*> objects;
        bool matchPoints;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot Take() const {
        return {{doc.Objects().begin(), doc.Objects().end()}, state.m_bMatchPoints};
    }
    bool Spoke() const {
        return !host.messages.empty() || !host.dialogTitles.empty() || !host.chooserFilters.empty();
    }

    // The round of gestures a tool is tried with; true when it made or
    // removed a figure or spoke.
    bool TryTool() {
        const std::size_t before = doc.Objects().size();
        auto changed = [&] { return doc.Objects().size() != before || Spoke(); };
        const CWorldPoint clicks[][2] = {
            {{-4, 4}, {-4, 4}},       {{-1, 4}, {-1, 4}},   {{-2.5, 5.5}, {-2.5, 5.5}},
            {{0, -3}, {1, -4.5}},     {{3.5, 2}, {3.5, 2}}, {{3, 1.5}, {3, 1.5}},
            {{3.5, 4.5}, {3.5, 4.5}}, {{0, -3}, {1, -4.5}}, {{4, -5}, {4, -5}},
            {{-2, -2}, {-1, -3}},     {{-5, -3}, {-5, -3}}, {{-2, -2}, {-1, -3}},
            {{6, 1.5}, {6, 1.5}},     {{5, -1}, {7, -0.5}}, {{0, 0}, {0, 0}},
        };
        for (const auto& g : clicks) {
            Drag(Px(g[0].x, g[0].y), Px(g[1].x, g[1].y));
            if (changed()) return true;
        }
        return false;
    }
};

TEST_F(CommandWalkTest, EveryEnabledCommandDoesSomethingVisible) {
    std::set<int> ids;
    for (int id : MenuCommandIds()) ids.insert(id);
    for (const CommandEntry& e : CommandTable()) ids.insert(e.id);
    int tried = 0;
    for (int id : ids) {
        const CommandEntry* cmd = FindCommand(id);
        if (!cmd || !IsCommandAvailable(*cmd)) continue;
        SCOPED_TRACE(std::string(cmd->name) + " " + std::to_string(id));
        SetUp();
        ++tried;
        // Actions get two crossing segments in the middle of the list.
        if (!(cmd->flags & kCmdTool)) {
            state.Select(doc.Objects()[4]);
            state.Select(doc.Objects()[6]);
        }
        const Snapshot before = Take();
        const int kind = state.m_nToolKind, code = state.m_nToolCode;
        ASSERT_TRUE(view.OnCommand(id));
        if (Spoke() || Take() != before || host.beeps > 0) continue;
        ASSERT_TRUE(cmd->flags & kCmdTool) << "an action that did nothing";
        if (cmd->kind == kToolSelect) {
            Click(Px(3.5, 2));
            EXPECT_FALSE(state.m_selection.empty());
            continue;
        }
        // The group bar's buttons share the tool of the one walked before them.
        EXPECT_TRUE(cmd->kind != kind || cmd->code != code || id == ID_TRIANGLES_TOOL ||
                    id == ID_TRIANGLE_GENERAL || id == ID_GROUP_BAR_SECOND ||
                    id == ID_GROUP_BAR_THIRD);
        EXPECT_TRUE(TryTool()) << "enabled, but nothing came of it";
    }
    EXPECT_GT(tried, 30);
}

// Enter and the double clicks open the object data, or beep without an
// object; the Cancel of the scripted host changes nothing.
TEST_F(CommandWalkTest, EnterAndDoubleClicksOpenTheObjectData) {
    EXPECT_TRUE(view.OnKeyDown(kKeyReturn, 0));
    EXPECT_EQ(host.beeps, 1);
    state.Select(doc.Objects()[4]);
    EXPECT_TRUE(view.OnKeyDown(kKeyReturn, 0));
    view.OnLButtonDblClk(0, Px(3.5, 2));
    view.OnLButtonDblClk(0, Px(7, 7));           // nothing there
    view.OnLButtonDblClk(kMkControl, Px(7, 7));  // the sheet's
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(host.dialogTitles.size(), 3u);
    EXPECT_EQ(doc.Objects().size(), 11u);
    EXPECT_FALSE(doc.History().CanUndo());
}

}  // namespace
}  // namespace gyr::testing
