// Curve components (CompoObj), function graphs (CGraphObj) and the formula
// parser.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "figures/compo_obj.h"
#include "math/formula_parser.h"
#include "dialogs/graph_dialog.h"
#include "figures/graph_obj.h"
#include "figures/figure_fixture.h"
#include "port/recording_canvas.h"
#include "port/scripted_host.h"
#include "control/tool_registry.h"

namespace gyr {
namespace {

using testing::FigureTest;
using Op = RecordingCanvas::Op;

class CompoObjTest : public FigureTest {
protected:
    // An open polyline (0,0)-(2,0)-(2,1) and a closed triangle further right.
    void MakeTwoComponents(CompoObj& c) {
        const CWorldPoint open[] = {{0, 0}, {2, 0}, {2, 1}};
        const CWorldPoint closed[] = {{4, -1}, {6, -1}, {5, 2}};
        ASSERT_EQ(c.AddPoints(open, 3, 0), 0);
        ASSERT_EQ(c.AddPoints(closed, 3, 1), 0);
        c.RecalcBounds();
    }
};

TEST_F(CompoObjTest, WithoutComponentsEveryQueryIsNeutral) {
    CompoObj c;
    int edge = 7;
    EXPECT_EQ(c.DistanceTo({1, 1}, edge), 1e9);
    EXPECT_EQ(c.HitTest({0, 0}), -1);
    EXPECT_EQ(c.NearestPointOn({3, 4}), CWorldPoint{});
    int index = 0;
    EXPECT_EQ(c.NearestVertex({3, 4}, index), 0.0);
    CWorldPoint v, n, p;
    EXPECT_FALSE(c.GetCorner(0, v, n, p));
    EXPECT_EQ(c.GetVertexCount(), 0);
    DataLines lines;
    EXPECT_EQ(c.ListData(lines), 3);
    EXPECT_EQ(lines[1], "Number of Compos :  0");
    EXPECT_EQ(lines[2], "Memory in bytes :  144");
}

TEST_F(CompoObjTest, ComponentsTheBoxListingAndClones) {
    CompoObj c;
    MakeTwoComponents(c);
    const CWorldPoint lone[] = {{9, 9}};
    c.AddComponent(std::make_unique<Compo>(lone, 1, 0));  // one point: never kept
    ASSERT_EQ(c.ComponentCount(), 2);
    EXPECT_EQ(c.m_leftTop, CWorldPoint(0, 2));
    EXPECT_EQ(c.m_rightBottom, CWorldPoint(6, -1));
    DataLines lines;
    EXPECT_EQ(c.ListData(lines), 5);
    EXPECT_EQ(lines[3], "Comp-1 , nPts:  3");
    EXPECT_EQ(lines[4], "Memory in bytes :  288");
    int count = 0;
    std::uint32_t closed = 0;
    ASSERT_NE(c.ComponentAt(1, count, closed), nullptr);
    EXPECT_EQ(closed, 1u);
    EXPECT_EQ(c.ComponentAt(2, count, closed), nullptr);
    Compo foreign(lone, 1, 0);  // queries answer only for the object's own components
    EXPECT_EQ(c.GetVertices(&foreign), nullptr);
}

TEST_F(CompoObjTest, HitDistanceAndNearestPointFollowEachComponent) {
    CompoObj c;
    MakeTwoComponents(c);
    // The open polyline has no closing edge (0,0)-(2,1); the triangle has one.
    EXPECT_EQ(c.HitTest({1, 0.5}), -1);
    EXPECT_EQ(c.HitTest({2, 1}), 0);  // a vertex is a body hit: curves have no handles
    EXPECT_EQ(c.HitTest({4.5, 0.5}), 0);
    int edge = 0;
    EXPECT_NEAR(c.DistanceTo({2.5, 0.5}, edge), 0.5, 1e-12);
    EXPECT_EQ(edge, 2);
    CWorldPoint q = c.NearestPointOn({3.6, 0.5});  // on the closing edge (5,2)-(4,-1)
    EXPECT_NEAR(q.x, 4.41, 1e-12);
    EXPECT_NEAR(q.y, 0.23, 1e-12);
}

TEST_F(CompoObjTest, ClosedComponentsAreFilledOpenOnesOnlyStroked) {
    CompoObj c;
    MakeTwoComponents(c);
    c.m_bBrush = 1;
    c.m_logbrush.color = 0x0000FF;
    RecordingCanvas dc;
    c.Draw(dc);
    auto polylines = dc.Of(Op::Polyline);
    auto polygons = dc.Of(Op::Polygon);
    ASSERT_EQ(polylines.size(), 1u);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polylines[0].points.front(), WorldToPixel({2, 1}));  // from last to first
    ASSERT_TRUE(polygons[0].brush.has_value());
    EXPECT_EQ(polygons[0].brush->color, 0x0000FFu);
    // Pen off: only the fill shows. Non-finite points have no pixel.
    c.m_bPen = 0;
    c.m_compos[0]->m_points[1].y = std::numeric_limits<double>::quiet_NaN();
    dc.Clear();
    c.Draw(dc);
    EXPECT_FALSE(dc.Of(Op::Polygon)[0].pen.has_value());
    EXPECT_EQ(dc.Of(Op::Polyline)[0].points.size(), 2u);
}

TEST_F(CompoObjTest, FilesKeepTheComponentsAndTheLowSixteenBitsOfTheClosedFlag) {
    CompoObj c;
    MakeTwoComponents(c);
    c.m_compos[1]->m_bClosed = 0x12345;
    std::vector<std::uint8_t> first, second;
    std::unique_ptr<CompoObj> loaded(RoundTrip(c, &first, &second));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(first, second);
    ASSERT_EQ(loaded->ComponentCount(), 2);
    EXPECT_EQ(loaded->m_compos[1]->m_bClosed, 0x2345u);
    EXPECT_EQ(loaded->m_compos[0]->m_points, c.m_compos[0]->m_points);

    // A component list holding another class is a format error; the
    // components read before it are freed with the object (ASan checks).
    std::string name = "Compo";
    auto at = std::search(first.begin(), first.end(), name.begin(), name.end());
    while (at != first.end() && *(at + 5) == 'O')
        at = std::search(at + 1, first.end(), name.begin(), name.end());
    ASSERT_NE(at, first.end());
    std::copy_n("CAxes", 5, at);
    CArchive in(first.data(), first.size(), &doc);
    EXPECT_THROW(delete in.ReadObject(), CArchiveException);
}

// Function graphs: sampling, listing, edits, files and the dialog.

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
    EXPECT_EQ(Sample("1/x").ComponentCount(), 2);  // a pole: split at the jump
    CompoObj flat = Sample("2");  // a constant: every sample below R, one component
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
    EXPECT_EQ(Sample("log(0-1)").ComponentCount(), 0);  // not-a-number never starts one

    // The work is bounded by the number of points, even where x cannot move.
    CompoObj stuck = Sample("1", 7.2, 9000, std::nextafter(9000.0, 1e4), 50);
    ASSERT_EQ(stuck.ComponentCount(), 1);
    EXPECT_LE(stuck.m_compos[0]->Count(), 51);
    EXPECT_EQ(Sample("1", 7.2, 5, -5).ComponentCount(), 0);
    EXPECT_EQ(Sample("1", 7.2, -5, 5, 1).ComponentCount(), 0);
}

TEST_F(GraphTest, ListingFilesAndClones) {
    CGraphObj* g = DefaultGraph();
    DataLines lines;
    ASSERT_EQ(g->ListData(lines), 1 + 2 + 4 + 4 + 3);
    EXPECT_EQ(lines[1], "a =  0.500000");
    EXPECT_EQ(lines[5], "Max Graph-points =  100");
    EXPECT_EQ(lines[12], "Comp-0 , nPts:  " + std::to_string(SamplesBelow(-5, 5, 100)));

    std::vector<std::uint8_t> first, second;
    std::unique_ptr<CGraphObj> loaded(RoundTrip(*g, &first, &second));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(loaded->m_strDefinition, "a*x+b\n0.5 1");
    EXPECT_EQ(loaded->ComponentCount(), 1);
}

TEST_F(GraphTest, ListingEditsKeepTheirBandsAndResampleOnlyThatGraph) {
    CGraphObj* g = DefaultGraph();
    CGraphObj* other = DefaultGraph();
    CDrawingParams& params = ProgramState().params;
    const int pointsLine = 2 + 3;
    // The number of points moves by the step, not to the value...
    EXPECT_EQ(g->SetDataValue(pointsLine, 777, 1), g);
    EXPECT_EQ(params.graphPoints, 101);
    EXPECT_EQ(g->m_compos[0]->Count(), SamplesBelow(-5, 5, 101));
    EXPECT_EQ(other->m_compos[0]->Count(), SamplesBelow(-5, 5, 100));
    // ...and only from within 10 .. 2000.
    params.graphPoints = 2000;
    g->SetDataValue(pointsLine, 0, 1);
    g->SetDataValue(pointsLine, 0, 1);
    EXPECT_EQ(params.graphPoints, 2001);
    params.graphPoints = 10;
    g->SetDataValue(pointsLine, 0, -1);
    g->SetDataValue(pointsLine, 0, -1);
    EXPECT_EQ(params.graphPoints, 9);
    g->SetDataValue(3, 6, 0);  // an out-of-band interval end is ignored
    EXPECT_EQ(params.graphLeft, -5);

    // A parameter edit is kept in the definition; the repaint covers old and new.
    host.Clear();
    const PixelRect before = g->GetInvalidRect();
    g->SetDataValue(2, -1, 0);
    EXPECT_EQ(g->m_strDefinition, "a*x+b\n0.5  -1");
    EXPECT_EQ(g->m_compos[0]->m_points[0].y, -3.5);  // 0.5 * -5 - 1
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], before.United(g->GetInvalidRect()));
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

// The formula parser: grammar, messages, parameters, limits, and the
// compiled form against the tree walk.

const char* kDefaultFormula = "alpha*x*sin(beta*x*x)-gamma*cos(delta*x+epsilon)";
const char* kDefaultValues = "1.   -0.3   1.8  1.2    23.2";

class FormulaParserTest : public ::testing::Test {
protected:
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& m : host.messages) texts.push_back(m.text);
        return texts;
    }
    // Parses and evaluates at x, expecting no message.
    double ValueOf(const std::string& formula, double x) {
        host.Clear();
        EXPECT_GE(parser.Parse(formula), 0) << formula;
        EXPECT_TRUE(host.messages.empty()) << formula << ": " << host.LastMessage();
        return parser.Evaluate(x);
    }

    ScriptedHost host;
    CFormulaParser parser;
};

TEST_F(FormulaParserTest, DefaultFormulaParametersAndValue) {
    ASSERT_EQ(parser.Parse(kDefaultFormula), 5);
    EXPECT_TRUE(host.messages.empty());
    const char* names[] = {"alpha", "beta", "gamma", "delta", "epsilon"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(parser.ParameterName(i), names[i]);
    ASSERT_TRUE(parser.SetParameters(kDefaultValues, 5));
    for (double x : {-4.0, 1.25}) {
        EXPECT_EQ(parser.Evaluate(x), x * std::sin(-0.3 * x * x) - 1.8 * std::cos(1.2 * x + 23.2))
            << x;
    }
    EXPECT_EQ(parser.ParameterLine(4), "epsilon =  23.200000");
    EXPECT_EQ(parser.Parse("b*x+a*b-x"), 2);  // a repeated name is one parameter
}

TEST_F(FormulaParserTest, PrecedenceAssociativityAndFunctions) {
    EXPECT_EQ(ValueOf("2^3^2", 0), 64.0);
    EXPECT_NEAR(ValueOf("2*3^2", 0), 36.0, 1e-12);
    EXPECT_EQ(ValueOf("8/4/2", 0), 1.0);
    // Unary minus takes a primary: -x^2 is (-x)^2, a negative base through
    // the logarithm is not-a-number.
    EXPECT_TRUE(std::isnan(ValueOf("-x^2", 3)));
    EXPECT_NEAR(ValueOf("0-x^2", 3), -9.0, 1e-12);
    EXPECT_EQ(ValueOf("0^2", 0), 0.0);
    EXPECT_EQ(ValueOf("tanh(x)", 0.5), std::tanh(0.5));
    // An unparenthesised argument is one primary.
    EXPECT_EQ(ValueOf("sin 2", 0), std::sin(2.0));
    EXPECT_EQ(ValueOf("sin 2*x", 3), std::sin(2.0) * 3);
    // Exact case: "Sin" is a parameter, "sinx" and "x2" are names too.
    EXPECT_EQ(parser.Parse("Sin*sinx+x2"), 3);
    EXPECT_EQ(parser.ParameterName(0), "Sin");
}

TEST_F(FormulaParserTest, MessagesForMalformedFormulas) {
    struct Case {
        const char* formula;
        std::vector<std::string> messages;
    } cases[] = {
        {"2(x)", {"Unexpected left parenthesis"}},
        {"sin x", {"binary operator missing", "primary expected"}},
        {"2x", {"binary operator missing"}},
        // The token after an operand is always read: a leftover fault is
        // reported while "x(1)" is not.
        {"x#", {"bad symbol"}},
        {"((x", {"Right parenthesis expected !", "Right parenthesis expected !"}},
        {"", {"primary expected"}},
        {"x+.", {"bad symbol", "primary expected"}},
    };
    for (const auto& c : cases) {
        host.Clear();
        EXPECT_EQ(parser.Parse(c.formula), -1) << c.formula;
        EXPECT_EQ(Messages(), c.messages) << c.formula;
        for (const auto& m : host.messages) EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    }
    // A faulty formula keeps its partial tree; the absent operand is 0.
    EXPECT_EQ(parser.Parse("x+"), -1);
    EXPECT_EQ(parser.Evaluate(5), 5.0);
}

TEST_F(FormulaParserTest, LeftoversFirstLineOnlyAndNumbers) {
    EXPECT_EQ(ValueOf("x(1)", 7), 7.0);
    EXPECT_EQ(ValueOf("1.2.3", 0), 1.2);
    EXPECT_EQ(ValueOf("x+1\n+100*y", 2), 3.0);
    EXPECT_EQ(parser.ParameterCount(), 0);  // y on the second line is never seen
    EXPECT_EQ(ValueOf(".5+x", 1), 1.5);
    EXPECT_EQ(ValueOf("1e999", 0), std::numeric_limits<double>::max());
    EXPECT_EQ(ValueOf("3 *\t x", 2), 6.0);
    EXPECT_EQ(parser.Constants(), std::vector<double>{3.0});
}

TEST_F(FormulaParserTest, AtMostThirtyParameters) {
    std::string formula;
    for (int i = 0; i < 30; ++i) formula += (i ? "+p" : "p") + std::to_string(i);
    EXPECT_EQ(parser.Parse(formula + "+p0*x"), 30);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(parser.Parse(formula + "+p30"), -1);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Too many variables", "primary expected"}));
    EXPECT_EQ(parser.ParameterCount(), 30);
}

TEST_F(FormulaParserTest, ReadingParameterValues) {
    ASSERT_EQ(parser.Parse("a*x+b"), 2);
    EXPECT_TRUE(parser.SetParameters("a=1, b=-2.5", 2));
    EXPECT_EQ(parser.ParameterValue(0), 1.0);
    EXPECT_EQ(parser.ParameterValue(1), -2.5);
    EXPECT_EQ(parser.Evaluate(2), -0.5);
    // Too few numbers change nothing; a lone "-" ends the reading.
    EXPECT_FALSE(parser.SetParameters("7", 2));
    EXPECT_FALSE(parser.SetParameters("1 - 2", 2));
    EXPECT_EQ(parser.ParameterValue(0), 1.0);
    // A leading point is skipped: ".5" reads as 5; extra numbers are left.
    EXPECT_TRUE(parser.SetParameters(".5 and 3e1 9 9", 2));
    EXPECT_EQ(parser.ParameterValue(0), 5.0);
    EXPECT_EQ(parser.ParameterValue(1), 30.0);
    EXPECT_FALSE(parser.SetParameters("1 2", 31));
}

TEST_F(FormulaParserTest, HostileTextsAreRefusedNotCrashed) {
    // Deep nesting: one refusal, no cascade of unwinding messages.
    for (const std::string& open : {std::string("("), std::string("-"), std::string("sin(")}) {
        host.Clear();
        std::string formula;
        for (int i = 0; i < 100000; ++i) formula += open;
        EXPECT_EQ(parser.Parse(formula + "x"), -1);
        EXPECT_EQ(Messages(), std::vector<std::string>{"Formula too deeply nested"}) << open;
        EXPECT_EQ(parser.Evaluate(1), parser.EvaluateTree(1));
    }
    std::string nested(CFormulaParser::kMaxNesting - 1, '(');
    nested += "x" + std::string(CFormulaParser::kMaxNesting - 1, ')');
    EXPECT_EQ(ValueOf(nested, 4), 4.0);  // within the bound is fine

    // A long chain: refused once it would outgrow the tree bound.
    std::string chain = "x";
    for (int i = 0; i < 100000; ++i) chain += "+1";
    host.Clear();
    EXPECT_EQ(parser.Parse(chain), -1);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Formula too long"});
    EXPECT_LE(parser.Tree().nodes.size(), CFormulaParser::kMaxNodes);
    EXPECT_EQ(parser.Parse("x+\xc3\xa9"), -1);  // bytes outside ASCII
}

// Random formulas over the whole grammar: the compiled form must agree with
// the tree walk to the bit (or both be not-a-number).
std::string RandomFormula(std::mt19937& rng, int depth) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    static const char* leaves[] = {"x", "a", "b", "c", "2", "0.5", "3.25", "0", "1e-3"};
    static const char* functions[] = {"cos",  "exp",  "sin", "log",  "atan", "tan", "acos",
                                      "asin", "sqrt", "abs", "sinh", "cosh", "tanh"};
    static const char* operators[] = {"+", "-", "*", "/", "^"};
    if (depth <= 0) return leaves[pick(9)];
    switch (pick(5)) {
        case 0:
            return leaves[pick(9)];
        case 1:
            return std::string(functions[pick(13)]) + "(" + RandomFormula(rng, depth - 1) + ")";
        case 2:
            return "-" + RandomFormula(rng, depth - 1);
        case 3:
            return "(" + RandomFormula(rng, depth - 1) + ")";
        default:
            return RandomFormula(rng, depth - 1) + operators[pick(5)] +
                   RandomFormula(rng, depth - 1);
    }
}

bool SameDouble(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(FormulaParserTest, CompiledFormEqualsTreeWalk) {
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<double> xs(-6.0, 6.0);
    int compared = 0;
    for (int i = 0; i < 2000; ++i) {
        std::string formula = RandomFormula(rng, 1 + i % 7);
        int count = parser.Parse(formula);
        ASSERT_GE(count, 0) << formula << ": " << host.LastMessage();
        parser.SetParameters("1.5 -0.75 2", count);
        for (int k = 0; k < 10; ++k) {
            double x = xs(rng);
            double flat = parser.Evaluate(x), walk = parser.EvaluateTree(x);
            ASSERT_TRUE(SameDouble(flat, walk))
                << formula << " at " << x << ": " << flat << " vs " << walk;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 20000);
    // Partial trees of faulty formulas agree too.
    for (const char* formula : {"x*", "(x+", "2(x)", "x^-"}) {
        parser.Parse(formula);
        EXPECT_TRUE(SameDouble(parser.Evaluate(1.5), parser.EvaluateTree(1.5))) << formula;
    }
    FormulaParser().Reset();  // the shared parser, reset, evaluates to 0
    EXPECT_EQ(FormulaParser().Evaluate(3), 0.0);
}

}  // namespace
}  // namespace gyr
