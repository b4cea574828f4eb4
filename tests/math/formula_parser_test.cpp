// The formula parser: grammar, fault messages, parameters, limits, and the
// compiled form against the tree walk.

#include "math/formula_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace gyr {
namespace {

const char* kDefaultFormula = "alpha*x*sin(beta*x*x)-gamma*cos(delta*x+epsilon)";
const char* kDefaultValues = "1.   -0.3   1.8  1.2    23.2";

class FormulaParserTest : public ::testing::Test {
protected:
    std::vector<std::string> Messages() const {
        return {parser.Faults().begin(), parser.Faults().end()};
    }
    // Parses and evaluates at x, expecting no fault.
    double ValueOf(const std::string& formula, double x) {
        EXPECT_GE(parser.Parse(formula), 0) << formula;
        EXPECT_TRUE(parser.Faults().empty()) << formula << ": " << parser.Faults().front();
        return parser.Evaluate(x);
    }

    CFormulaParser parser;
};

TEST_F(FormulaParserTest, DefaultFormulaParametersAndValue) {
    ASSERT_EQ(parser.Parse(kDefaultFormula), 5);
    EXPECT_TRUE(parser.Faults().empty());
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
    // Unary minus takes a primary: -x^2 is (-x)^2.
    EXPECT_EQ(ValueOf("-x^2", 3), 9.0);
    EXPECT_EQ(ValueOf("0-x^2", 3), -9.0);
    EXPECT_EQ(ValueOf("0^2", 0), 0.0);
    EXPECT_EQ(ValueOf("tanh(x)", 0.5), std::tanh(0.5));
    // An unparenthesised argument is one primary.
    EXPECT_EQ(ValueOf("sin 2", 0), std::sin(2.0));
    EXPECT_EQ(ValueOf("sin 2*x", 3), std::sin(2.0) * 3);
    // Exact case: "Sin" is a parameter, "sinx" and "x2" are names too.
    EXPECT_EQ(parser.Parse("Sin*sinx+x2"), 3);
    EXPECT_EQ(parser.ParameterName(0), "Sin");
}

TEST_F(FormulaParserTest, PowersOfNegativeBasesAreRealWhereTheyExist) {
    // A parabola has both halves; odd powers keep the sign.
    EXPECT_EQ(ValueOf("x^2", -2), 4.0);
    EXPECT_EQ(ValueOf("x^3", -2), -8.0);
    EXPECT_EQ(ValueOf("x^(0-2)", -2), 0.25);
    EXPECT_TRUE(std::isnan(ValueOf("x^0.5", -2)));
    EXPECT_TRUE(std::isnan(ValueOf("x^(1/3)", -8)));
    EXPECT_EQ(ValueOf("x^0", 0), 1.0);
    EXPECT_EQ(ValueOf("x^2", 0), 0.0);
    // The compiled form agrees.
    parser.Parse("x^3");
    EXPECT_EQ(parser.EvaluateTree(-2), -8.0);
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
        EXPECT_EQ(parser.Parse(c.formula), -1) << c.formula;
        EXPECT_EQ(Messages(), c.messages) << c.formula;
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
    EXPECT_TRUE(parser.Faults().empty());
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
        ASSERT_GE(count, 0) << formula;
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
