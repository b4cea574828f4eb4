// The graph dialog: refusals with their messages, and the graph it adds.

#include "dialogs/graph_dialog.h"

#include <gtest/gtest.h>

#include "figures/graph_fixture.h"
#include "model/program_state.h"

namespace gyr::testing {
namespace {

TEST_F(GraphTest, DialogRefusesFaultsAndOnOkAddsTheGraph) {
    // First opening: the default texts and the current settings.
    host.dialogScripts.push_back([](DialogModel& m) {
        EXPECT_EQ(m.Find(1000)->text, kDefaultGraphFormula);
        EXPECT_EQ(m.Find(1005)->text, kDefaultGraphValues);
        EXPECT_EQ(m.IntOf(1004), 100);
        m.Type(1004, "5");
        return true;
    });
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(1004, "200");
        m.Type(1000, "2(x)");
        return true;
    });
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(1000, "p*x+q");
        m.Type(1005, "3");
        return true;
    });
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(1005, "0.25 q=-1" + std::string(400, ' '));
        EXPECT_EQ(m.Find(1005)->text.size(), 300u);
        return true;
    });
    RunGraphDialog(doc);
    EXPECT_EQ(host.dialogTitles.at(0), "Set the data to define the graph of a function");
    ASSERT_GE(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].text, "Please enter an integer between 10 and 3000.");
    EXPECT_EQ(host.messages[host.messages.size() - 2].text, "Please reset the string correctly");
    EXPECT_EQ(host.messages.back().text, "Please set your parameters correctly");
    EXPECT_EQ(host.messages.back().icon, MsgIcon::Exclamation);

    ASSERT_EQ(Figures(), 1u);
    auto* g = dynamic_cast<CGraphObj*>(Last());
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->m_strDefinition, "p*x+q\n0.25 q=-1" + std::string(291, ' '));
    EXPECT_EQ(ProgramState().params.graphPoints, 200);
    ASSERT_EQ(g->ComponentCount(), 1);
    EXPECT_EQ(g->m_compos[0]->m_points[0], CWorldPoint(-5, -2.25));
    ASSERT_FALSE(host.invalidated.empty());
    EXPECT_EQ(host.invalidated.back(), g->GetInvalidRect());
}

TEST_F(GraphTest, DialogRefusesAnEmptyIntervalAndNoTolerance) {
    const std::size_t before = Figures();
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(CGraphDialogModel::kLeftField, "2");
        m.Type(CGraphDialogModel::kRightField, "2");
        return true;
    });
    host.dialogScripts.push_back([](DialogModel& m) {
        EXPECT_EQ(m.RefusedField(), CGraphDialogModel::kLeftField);
        m.Type(CGraphDialogModel::kLeftField, "3");
        return true;
    });
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(CGraphDialogModel::kLeftField, "-1");
        m.Type(CGraphDialogModel::kToleranceField, "0");
        return true;
    });
    host.dialogScripts.push_back([](DialogModel& m) {
        EXPECT_EQ(m.RefusedField(), CGraphDialogModel::kToleranceField);
        EXPECT_EQ(m.Find(CGraphDialogModel::kFormulaField)->minChars, 60);
        return false;  // cancelled
    });
    RunGraphDialog(doc);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].text, kMsgGraphInterval);
    EXPECT_EQ(host.messages[1].text, kMsgGraphInterval);
    EXPECT_EQ(host.messages[2].text, kMsgGraphTolerance);
    EXPECT_EQ(Figures(), before);
}

}  // namespace
}  // namespace gyr::testing
