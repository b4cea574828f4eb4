#include "curves/formula_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "port/scripted_host.h"

namespace gyr {
namespace {

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
    const double a = 1, b = -0.3, g = 1.8, d = 1.2, e = 23.2;
    for (double x : {-4.0, -0.5, 0.0, 1.25, 3.0}) {
        EXPECT_EQ(parser.Evaluate(x), a * x * std::sin(b * x * x) - g * std::cos(d * x + e)) << x;
    }
    EXPECT_EQ(parser.ParameterLine(1), "beta =  -0.300000");
    EXPECT_EQ(parser.ParameterLine(4), "epsilon =  23.200000");
    EXPECT_EQ(parser.ParameterLine(5), "");
    EXPECT_EQ(parser.ParameterLine(-1), "");

    parser.SetParameterValue(0, 2.5);
    EXPECT_EQ(parser.ParameterLine(0), "alpha =  2.500000");
    parser.SetParameterValue(7, 9.0);  // no such parameter: nothing changes
    EXPECT_EQ(parser.ParameterValue(7), 0.0);

    // A repeated name is one parameter; a new parse starts a new table.
    EXPECT_EQ(parser.Parse("b*x+a*b-x"), 2);
    EXPECT_EQ(parser.ParameterName(0), "b");
    EXPECT_EQ(parser.ParameterName(1), "a");
    EXPECT_EQ(parser.ParameterValue(0), 0.0);
    EXPECT_EQ(parser.Parse("x*x"), 0);
    EXPECT_EQ(parser.ParameterCount(), 0);
}

TEST_F(FormulaParserTest, PrecedenceAndAssociativity) {
    EXPECT_EQ(ValueOf("2^3^2", 0), 64.0);
    EXPECT_NEAR(ValueOf("2*3^2", 0), 36.0, 1e-12);
    EXPECT_EQ(ValueOf("8/4/2", 0), 1.0);
    EXPECT_EQ(ValueOf("10-4-3", 0), 3.0);
    EXPECT_EQ(ValueOf("1+2*3", 0), 7.0);
    EXPECT_EQ(ValueOf("(1+2)*3", 0), 9.0);
    EXPECT_NEAR(ValueOf("2*x^2", 3), 36.0, 1e-12);

    // Unary minus takes a primary: -x^2 is (-x)^2, a negative base through
    // the logarithm is not-a-number.
    EXPECT_TRUE(std::isnan(ValueOf("-x^2", 3)));
    EXPECT_NEAR(ValueOf("0-x^2", 3), -9.0, 1e-12);
    EXPECT_EQ(ValueOf("--x", 3), 3.0);
    EXPECT_EQ(ValueOf("0^2", 0), 0.0);
    EXPECT_TRUE(std::isinf(ValueOf("0^(0-1)", 0)));
    EXPECT_EQ(ValueOf("1/x", 0), INFINITY);
    EXPECT_TRUE(std::isnan(ValueOf("sqrt(x)", -1)));
}

TEST_F(FormulaParserTest, FunctionsNamesAndArguments) {
    struct Case {
        const char* formula;
        double expected;
    } cases[] = {
        {"cos(x)", std::cos(0.5)},   {"exp(x)", std::exp(0.5)},
        {"sin(x)", std::sin(0.5)},   {"log(x)", std::log(0.5)},
        {"atan(x)", std::atan(0.5)}, {"tan(x)", std::tan(0.5)},
        {"acos(x)", std::acos(0.5)}, {"asin(x)", std::asin(0.5)},
        {"sqrt(x)", std::sqrt(0.5)}, {"abs(-x)", 0.5},
        {"sinh(x)", std::sinh(0.5)}, {"cosh(x)", std::cosh(0.5)},
        {"tanh(x)", std::tanh(0.5)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValueOf(c.formula, 0.5), c.expected) << c.formula;
    }
    // An unparenthesised argument is one primary.
    EXPECT_EQ(ValueOf("sin 2", 0), std::sin(2.0));
    EXPECT_EQ(ValueOf("sin 2*x", 3), std::sin(2.0) * 3);
    EXPECT_EQ(ValueOf("sin -x", 1), std::sin(-1.0));
    // Exact case: "Sin" is a parameter, "sinx" and "x2" are names too.
    EXPECT_EQ(parser.Parse("Sin*sinx+x2"), 3);
    EXPECT_EQ(parser.ParameterName(0), "Sin");
    EXPECT_EQ(parser.ParameterName(1), "sinx");
    EXPECT_EQ(parser.ParameterName(2), "x2");
}

TEST_F(FormulaParserTest, MessagesForMalformedFormulas) {
    struct Case {
        const char* formula;
        std::vector<std::string> messages;
    } cases[] = {
        {"2(x)", {"Unexpected left parenthesis"}},
        {"sin x", {"binary operator missing", "primary expected"}},
        {"(x)2", {"binary operator missing"}},
        {"(x)y", {"binary operator missing"}},
        {"2x", {"binary operator missing"}},
        // The token after an operand is always read, so a leftover fault
        // is reported while "x(1)" and "x 2" are not.
        {"x#", {"bad symbol"}},
        {"1e+1x", {"binary operator missing"}},
        {"#", {"bad symbol", "primary expected"}},
        {"x+#", {"bad symbol", "primary expected"}},
        {"(x+1", {"Right parenthesis expected !"}},
        {"((x", {"Right parenthesis expected !", "Right parenthesis expected !"}},
        {"x*", {"primary expected"}},
        {"", {"primary expected"}},
        {"\nx", {"primary expected"}},
        {"x+.", {"bad symbol", "primary expected"}},
        {"x+1e", {"bad symbol", "primary expected"}},
    };
    for (const auto& c : cases) {
        host.Clear();
        int result = parser.Parse(c.formula);
        EXPECT_EQ(Messages(), c.messages) << c.formula;
        EXPECT_EQ(result, c.messages.empty() ? 0 : -1) << c.formula;
        for (const auto& m : host.messages) {
            EXPECT_EQ(m.icon, MsgIcon::Exclamation);
            EXPECT_EQ(m.buttons, MsgButtons::Ok);
        }
    }
    // A faulty formula keeps its partial tree; the absent operand is 0.
    host.Clear();
    EXPECT_EQ(parser.Parse("x*"), -1);
    EXPECT_EQ(parser.Evaluate(5), 0.0);
    EXPECT_EQ(parser.Parse("x+"), -1);
    EXPECT_EQ(parser.Evaluate(5), 5.0);
}

TEST_F(FormulaParserTest, LeftoversLinesAndNumbers) {
    EXPECT_EQ(ValueOf("x(1)", 7), 7.0);
    EXPECT_EQ(ValueOf("x 2", 7), 7.0);
    EXPECT_EQ(ValueOf("1.2.3", 0), 1.2);
    EXPECT_EQ(ValueOf("x+1\n+100*y", 2), 3.0);
    EXPECT_EQ(parser.ParameterCount(), 0);  // y on the second line is never seen
    EXPECT_EQ(ValueOf("x+1\r\n+100", 2), 3.0);
    EXPECT_EQ(ValueOf(std::string("x+1\0+100", 8), 2), 3.0);
    EXPECT_EQ(ValueOf(".5+x", 1), 1.5);
    EXPECT_EQ(ValueOf("2.5e2", 0), 250.0);
    EXPECT_EQ(ValueOf("1E-1", 0), 0.1);
    EXPECT_EQ(ValueOf("1e999", 0), std::numeric_limits<double>::max());
    EXPECT_EQ(parser.Constants().size(), 1u);
    EXPECT_EQ(ValueOf("3 *\t x", 2), 6.0);
    EXPECT_EQ(parser.Constants(), std::vector<double>{3.0});
}

TEST_F(FormulaParserTest, AtMostThirtyParameters) {
    std::string formula;
    for (int i = 0; i < 30; ++i) formula += (i ? "+p" : "p") + std::to_string(i);
    EXPECT_EQ(parser.Parse(formula), 30);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(parser.Parse(formula + "+p0*x"), 30);
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

    // Too few numbers or an empty text change nothing.
    EXPECT_FALSE(parser.SetParameters("7", 2));
    EXPECT_FALSE(parser.SetParameters("", 2));
    EXPECT_FALSE(parser.SetParameters("1 - 2", 2));  // a lone "-" ends the reading
    EXPECT_EQ(parser.ParameterValue(0), 1.0);
    EXPECT_EQ(parser.ParameterValue(1), -2.5);

    // A leading point is skipped; extra numbers are left unread.
    EXPECT_TRUE(parser.SetParameters(".5 and 3e1 9 9", 2));
    EXPECT_EQ(parser.ParameterValue(0), 5.0);
    EXPECT_EQ(parser.ParameterValue(1), 30.0);
    EXPECT_TRUE(parser.SetParameters("4-3", 2));
    EXPECT_EQ(parser.ParameterValue(0), 4.0);
    EXPECT_EQ(parser.ParameterValue(1), -3.0);
    EXPECT_TRUE(parser.SetParameters("anything", 0));
    EXPECT_FALSE(parser.SetParameters("1 2", 31));
}

TEST_F(FormulaParserTest, HostileTextsAreRefusedNotCrashed) {
    // Deep nesting: one refusal, no cascade of unwinding messages.
    for (const std::string& open : {std::string("("), std::string("-"), std::string("sin(")}) {
        host.Clear();
        std::string formula;
        for (int i = 0; i < 100000; ++i) formula += open;
        formula += "x";
        EXPECT_EQ(parser.Parse(formula), -1);
        EXPECT_EQ(Messages(), std::vector<std::string>{"Formula too deeply nested"}) << open;
        EXPECT_EQ(parser.Evaluate(1), parser.EvaluateTree(1));
    }
    // Nesting within the bound is fine.
    std::string nested(CFormulaParser::kMaxNesting - 1, '(');
    nested += "x" + std::string(CFormulaParser::kMaxNesting - 1, ')');
    EXPECT_EQ(ValueOf(nested, 4), 4.0);

    // A long chain: refused once it would outgrow the tree bound.
    std::string chain = "x";
    for (int i = 0; i < 100000; ++i) chain += "+1";
    host.Clear();
    EXPECT_EQ(parser.Parse(chain), -1);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Formula too long"});
    EXPECT_LE(parser.Tree().nodes.size(), CFormulaParser::kMaxNodes);
    EXPECT_EQ(parser.Evaluate(0), parser.EvaluateTree(0));

    // Bytes outside ASCII are bad symbols.
    host.Clear();
    EXPECT_EQ(parser.Parse("x+\xc3\xa9"), -1);
    EXPECT_EQ(host.messages.front().text, "bad symbol");
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
    for (const char* formula : {"x*", "(x+", "sin", "2(x)", "x^-"}) {
        parser.Parse(formula);
        EXPECT_TRUE(SameDouble(parser.Evaluate(1.5), parser.EvaluateTree(1.5))) << formula;
    }
    parser.Reset();
    EXPECT_EQ(parser.Evaluate(3), 0.0);
    EXPECT_EQ(parser.EvaluateTree(3), 0.0);
}

TEST(FormulaParserInstance, SharedParserIsOneObject) {
    ScriptedHost host;
    FormulaParser().Reset();
    EXPECT_EQ(FormulaParser().Parse("k*x"), 1);
    EXPECT_EQ(&FormulaParser(), &FormulaParser());
    EXPECT_EQ(FormulaParser().ParameterName(0), "k");
    FormulaParser().Reset();
    EXPECT_EQ(FormulaParser().ParameterCount(), 0);
}

}  // namespace
}  // namespace gyr
