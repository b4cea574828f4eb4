#include "curves/graph_obj.h"

#include <gtest/gtest.h>

#include <cmath>

#include "curves/formula_parser.h"
#include "curves/graph_dialog.h"
#include "doc/figure_fixture.h"
#include "ui/tool_registry.h"

namespace gyr {
namespace {

using testing::FigureTest;

// The fixture's sheet shows y in (-6, 6).
class GraphTest : public FigureTest {
protected:
    CompoObj Sample(const char* formula, double tolerance = 7.2, double left = -5, double right = 5,
                    int points = 100) {
        EXPECT_EQ(FormulaParser().Parse(formula), 0);
        CompoObj curve;
        SampleGraph(curve, FormulaParser(), {left, right, points, tolerance});
        return curve;
    }

    // The samples the running sum visits below R.
    static int SamplesBelow(double left, double right, int points) {
        int n = 0;
        const double dx = (right - left) / (points - 1);
        for (double x = left; x < right; x += dx) ++n;
        return n;
    }

    CGraphObj* DefaultGraph() {
        EXPECT_EQ(FormulaParser().Parse("a*x+b"), 2);
        EXPECT_TRUE(FormulaParser().SetParameters("0.5 1", 2));
        auto* g = new CGraphObj("a*x+b\n0.5 1");
        g->SetDocument(&doc);
        g->Resample();
        doc.AddObject(g);
        return g;
    }
};

TEST_F(GraphTest, SamplingSplitsAtJumpsAndStartsOnlyInsideTheSheet) {
    // A pole: split at the jump.
    EXPECT_EQ(Sample("1/x").ComponentCount(), 2);
    // A constant: every sample below R, in one component.
    CompoObj flat = Sample("2");
    ASSERT_EQ(flat.ComponentCount(), 1);
    EXPECT_EQ(flat.m_compos[0]->Count(), SamplesBelow(-5, 5, 100));
    EXPECT_EQ(flat.m_compos[0]->m_points[0], CWorldPoint(-5, 2));
    // Outside the visible vertical range, and with a zero tolerance: nothing.
    EXPECT_EQ(Sample("100").ComponentCount(), 0);
    EXPECT_EQ(Sample("x", 0).ComponentCount(), 0);
    // Once started, a component follows the function off the sheet.
    CompoObj steep = Sample("x*x", 7.2, 0, 5);
    ASSERT_EQ(steep.ComponentCount(), 1);
    EXPECT_GT(steep.m_compos[0]->m_points.back().y, 20);
    // Not-a-number never starts nor continues a component.
    EXPECT_EQ(Sample("log(0-1)").ComponentCount(), 0);
}

TEST_F(GraphTest, SamplingWorkIsBoundedByTheNumberOfPoints) {
    // An interval too narrow for x to move: the samples still end.
    CompoObj stuck = Sample("1", 7.2, 9000, std::nextafter(9000.0, 1e4), 50);
    ASSERT_EQ(stuck.ComponentCount(), 1);
    EXPECT_LE(stuck.m_compos[0]->Count(), 51);
    EXPECT_EQ(Sample("1", 7.2, 5, -5).ComponentCount(), 0);
    EXPECT_EQ(Sample("1", 7.2, -5, 5, 1).ComponentCount(), 0);
}

TEST_F(GraphTest, ListingShowsFormulaParametersSettingsCornersAndComponents) {
    CGraphObj* g = DefaultGraph();
    DataLines lines;
    int n = g->ListData(lines);
    ASSERT_EQ(n, 1 + 2 + 4 + 4 + 3);
    EXPECT_EQ(lines[0], "a*x+b");
    EXPECT_EQ(lines[1], "a =  0.500000");
    EXPECT_EQ(lines[3], "Left  end =  -5.000000");
    EXPECT_EQ(lines[4], "Right end =  5.000000");
    EXPECT_EQ(lines[5], "Max Graph-points =  100");
    EXPECT_EQ(lines[6], "Compo-separation =  7.200000");
    EXPECT_EQ(lines[7], "Upper-left.x =  -5.000000");
    EXPECT_EQ(lines[11], "Number of Compos :  1");
    EXPECT_EQ(lines[12], "Comp-0 , nPts:  " + std::to_string(SamplesBelow(-5, 5, 100)));
}

TEST_F(GraphTest, ListingEditsKeepTheirBandsAndResampleOnlyThatGraph) {
    CGraphObj* g = DefaultGraph();
    CGraphObj* other = DefaultGraph();
    CDrawingParams& params = ProgramState().params;
    const int pointsLine = 2 + 3;

    // The number of points moves by the step, not to the value.
    EXPECT_EQ(g->SetDataValue(pointsLine, 777, 1), g);
    EXPECT_EQ(params.graphPoints, 101);
    EXPECT_EQ(g->m_compos[0]->Count(), SamplesBelow(-5, 5, 101));
    EXPECT_EQ(other->m_compos[0]->Count(), SamplesBelow(-5, 5, 100));
    // Only from within 10 .. 2000.
    params.graphPoints = 2000;
    g->SetDataValue(pointsLine, 0, 1);
    EXPECT_EQ(params.graphPoints, 2001);
    g->SetDataValue(pointsLine, 0, 1);
    EXPECT_EQ(params.graphPoints, 2001);
    params.graphPoints = 10;
    g->SetDataValue(pointsLine, 0, -1);
    g->SetDataValue(pointsLine, 0, -1);
    EXPECT_EQ(params.graphPoints, 9);

    // Interval ends and tolerance: out-of-band values are ignored.
    g->SetDataValue(3, 6, 0);
    EXPECT_EQ(params.graphLeft, -5);
    g->SetDataValue(3, -2, 0);
    EXPECT_EQ(params.graphLeft, -2);
    g->SetDataValue(4, 10000, 0);
    EXPECT_EQ(params.graphRight, 5);
    g->SetDataValue(6, 0, 0);
    EXPECT_EQ(ProgramState().graph.tolerance, 7.2);
    g->SetDataValue(6, 3, 0);
    EXPECT_EQ(ProgramState().graph.tolerance, 3);

    // A parameter edit is kept in the definition, and the repaint covers old
    // and new areas.
    host.Clear();
    const PixelRect before = g->GetInvalidRect();
    g->SetDataValue(2, -1, 0);
    EXPECT_EQ(g->m_strDefinition, "a*x+b\n0.5  -1");
    EXPECT_EQ(g->m_compos[0]->m_points[0].y, -2);
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], before.United(g->GetInvalidRect()));
    FormulaParser().Parse("x");
    ASSERT_TRUE(g->Reparse());
    EXPECT_EQ(FormulaParser().ParameterValue(1), -1);
}

TEST_F(GraphTest, FilesAndClonesKeepTheDefinition) {
    CGraphObj* g = DefaultGraph();
    std::vector<std::uint8_t> first, second;
    std::unique_ptr<CGraphObj> loaded(RoundTrip(*g, &first, &second));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(loaded->m_strDefinition, "a*x+b\n0.5 1");
    EXPECT_EQ(loaded->ComponentCount(), 1);
    std::unique_ptr<CMyObj> copy(g->Clone());
    EXPECT_EQ(static_cast<CGraphObj*>(copy.get())->m_strDefinition, g->m_strDefinition);
    EXPECT_EQ(static_cast<CGraphObj*>(copy.get())->ComponentCount(), 1);
}

TEST_F(GraphTest, DialogRefusesFaultsAndOnOkAddsTheGraph) {
    RegisterTools();
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
    view.OnCommand(32754);
    EXPECT_EQ(view.m_nToolKind, 90);
    ASSERT_EQ(host.dialogTitles.size(), 1u);
    EXPECT_EQ(host.dialogTitles[0], "Set the data to define the graph of a function");
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
    EXPECT_EQ(g->m_logpen.color, doc.m_drawAttr.penColor);
    ASSERT_FALSE(host.invalidated.empty());
    EXPECT_EQ(host.invalidated.back(), g->GetInvalidRect());

    // Cancel creates nothing; the texts are remembered.
    host.dialogScripts.push_back([](DialogModel& m) {
        EXPECT_EQ(m.Find(1000)->text, "p*x+q");
        return false;
    });
    view.OnCommand(32754);
    EXPECT_EQ(Figures(), 1u);
}

}  // namespace
}  // namespace gyr
