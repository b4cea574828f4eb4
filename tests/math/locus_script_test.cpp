// The locus script on values: tokens and their codes, the parser's five
// messages and its bounds, every statement form, the coincidence rules and
// the Variable point.

#include "math/locus_script.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "math/expect_near.h"
#include "math/kernel.h"

namespace gyr::testing {
namespace {

std::vector<int> Tokens(std::string_view text) {
    CScriptTokenizer tok(text);
    std::vector<int> codes;
    for (int i = 0; i < 50; ++i) {
        const int c = tok.Next();
        codes.push_back(c);
        if (c == kScriptEnd) break;
    }
    return codes;
}

std::string FaultOf(std::string_view text) {
    CScriptProgram program;
    CScriptFault fault;
    if (ParseScript(text, program, fault)) return "";
    return fault.message;
}

// Parses and runs one pass; the values, or the fault's message in `fault`.
struct Pass {
    CScriptProgram program;
    CScriptEvaluator eval;
    CScriptFault fault;
    int skipped = 0;
    bool ok = false;
    const CScriptValue& operator[](int i) const { return eval.Values()[i]; }
};

void RunPass(Pass& p, std::string_view text, std::optional<double> t = std::nullopt,
             int random = 0) {
    p.ok = ParseScript(text, p.program, p.fault);
    if (!p.ok) return;
    p.ok =
        p.eval.Run(p.program, CVariableSource{t, [random] { return random; }}, p.fault, p.skipped);
}

TEST(LocusScriptTokens, CodesSeparatorsWordsAndNumbers) {
    EXPECT_EQ(Tokens("L10 Point (1, 2) ;"), (std::vector<int>{1, 1, 3, 2, 2, 4, 5, 0}));
    // Separators: blanks, tabs, line ends, commas and colons; lower-case
    // words are skipped.
    EXPECT_EQ(Tokens(" ,:\t\r\nthe origin x1 Word"), (std::vector<int>{1, 0}));
    EXPECT_EQ(Tokens("# ["), (std::vector<int>{6, 6, 0}));
    // A lone minus or point is a bad token, never a hang or a number.
    EXPECT_EQ(Tokens("- . -. 5"), (std::vector<int>{6, 6, 6, 2, 0}));

    CScriptTokenizer tok("-1.5e2 .25 3. 7e 1e999 1e-999 -0");
    ASSERT_EQ(tok.Next(), kScriptNumber);
    EXPECT_EQ(tok.Number(), -150.0);
    ASSERT_EQ(tok.Next(), kScriptNumber);
    EXPECT_EQ(tok.Number(), 0.25);
    ASSERT_EQ(tok.Next(), kScriptNumber);
    EXPECT_EQ(tok.Number(), 3.0);
    ASSERT_EQ(tok.Next(), kScriptNumber);  // "7", then the comment word "e"
    EXPECT_EQ(tok.Number(), 7.0);
    EXPECT_EQ(tok.Next(), kScriptBad);  // beyond the range of doubles
    ASSERT_EQ(tok.Next(), kScriptNumber);
    EXPECT_EQ(tok.Number(), 0.0);
    ASSERT_EQ(tok.Next(), kScriptNumber);
    EXPECT_EQ(tok.Next(), kScriptEnd);
}

TEST(LocusScriptParser, TheFiveMessagesAndTheLineCounter) {
    EXPECT_EQ(FaultOf("L10 Point (1, 2) ;"), "");
    EXPECT_EQ(FaultOf("L10 Point (0, 0) ; the origin"), "");
    EXPECT_EQ(FaultOf("; L10 Point (0, 0) ;"), "");
    EXPECT_EQ(FaultOf(""), "");
    // The lower-case kind is skipped, so "(" stands where the kind should.
    EXPECT_EQ(FaultOf("L10 point (1, 2) ;"), "Invalid object-kind, error in line: 1");
    EXPECT_EQ(FaultOf("L10 Scalar (1, 2) ;"), "Invalid object-kind, error in line: 1");
    EXPECT_EQ(FaultOf("L10 Point (0, 0) ; (1, 2)"),
              "Line Number L# word expected, error in line: 2");
    EXPECT_EQ(FaultOf("X10 Point (0, 0) ;"), "Invalid Line-Number, error in line: 1");
    EXPECT_EQ(FaultOf("L99999999999 Point (0, 0) ;"), "Invalid Line-Number, error in line: 1");
    EXPECT_EQ(FaultOf("L2147483647 Point (0, 0) ;"), "");
    EXPECT_EQ(FaultOf("L10 Point - ;"), "Bad token detected in lineNr: 1");
    EXPECT_EQ(FaultOf("L10 Point (1, 2) ; L20 Point (1 2"),
              "Error in Line-Nr : 2 \nwith current token = 0 , \nactual value = 2.000000, "
              "\nword = Point");
    // A wrong argument fails where it stands: the pair after Variable.
    EXPECT_EQ(FaultOf("L10 Line (0, 0) (1, 0) ; L20 Point Variable (1, 2) ;"),
              "Error in Line-Nr : 2 \nwith current token = 3 , \nactual value = 0.000000, "
              "\nword = Variable");
    // References name earlier lines only, of the right kind.
    EXPECT_NE(FaultOf("L20 Point Center L30 ; L30 Circle Center (0, 0) (1, 0) ;"), "");
    EXPECT_NE(FaultOf("L10 Point (0, 0) ; L20 Point Center L10 ;"), "");
    EXPECT_EQ(
        FaultOf("L10 Point (0, 0) ; L10 Circle Center (0, 0) (1, 0) ; L20 Point Center L10 ;"), "");
}

TEST(LocusScriptParser, BoundsComeBeforeAnythingIsBuilt) {
    std::string longText(30001, ' ');
    EXPECT_EQ(FaultOf(longText), "Script longer than 30000 characters");
    EXPECT_EQ(FaultOf(std::string(30000, ' ')), "");

    std::string wide = "L10 Point (0, 0) ; L20 Point " + std::string(1000, ' ') + "(1, 2) ;";
    EXPECT_EQ(FaultOf(wide), "Line too long, error in line: 2");
    std::string words = "L10 Point";
    for (int i = 0; i < 70; ++i) words += " x";
    EXPECT_EQ(FaultOf(words + " (1, 2) ;"), "Line too long, error in line: 1");

    EXPECT_EQ(LocusTooLargeMessage(1000, 2001), "Locus too large: 1000 points x 2001 lines");
    EXPECT_EQ(VariableCountMessage(2),
              "Script must contain exactly one line of the form:\n  L# Point Variable L#; \n "
              "but 2 such lines found");
}

TEST(LocusScriptParser, StatementPlacesAndVariableCount) {
    CScriptProgram program;
    CScriptFault fault;
    const std::string text = "L10 Line (0, 0) (4, 0) ;\r\n\r\nL20 Point Variable L10 ;";
    ASSERT_TRUE(ParseScript(text, program, fault));
    ASSERT_EQ(program.statements.size(), 2u);
    EXPECT_EQ(program.variableLines, 1);
    const CScriptStatement& s = program.statements[1];
    EXPECT_EQ(s.textLine, 3);
    EXPECT_EQ(text.substr(s.begin, s.end - s.begin), "L20 Point Variable L10 ;");
    EXPECT_EQ(s.refs[0], 0);

    ASSERT_FALSE(ParseScript("L10 Point (0, 0) ;\nL20 Point (1 ;", program, fault));
    EXPECT_EQ(fault.textLine, 2);
    EXPECT_EQ(fault.begin, 19u);
}

TEST(LocusScriptEval, PointForms) {
    Pass p;
    RunPass(p,
            "L10 Line (0, 0) (4, 0) ; L20 Point Endpoint L10 P1 ; "
            "L30 Point Ratio L10 -1 ; L40 Point Ratio L10 3 ; "
            "L50 Point Rotated L10 90 0 0 P0 ; L60 Point Rotated L10 -45 30 0 P1 ; "
            "L70 Circle Center (1, 1) (2, 1) ; L80 Point Center L70 ; "
            "L90 Point (1, 3) ; L100 Point Reflected L90 L10 ;");
    ASSERT_TRUE(p.ok) << p.fault.message;
    ExpectNear(p[1].a, {4, 0});
    ExpectNear(p[2].a, {2, 0});
    ExpectNear(p[3].a, {6, 0});  // X - P0 = 3 (X - P1)
    ExpectNear(p[4].a, {0, 4});
    // -45 30 0 means -(45.5) degrees about the second end.
    const double a = -45.5 * std::numbers::pi / 180;
    ExpectNear(p[5].a, {4 - 4 * std::cos(a), -4 * std::sin(a)});
    ExpectNear(p[7].a, {1, 1});
    ExpectNear(p[9].a, {1, -3});

    // Rotated truncates its numbers.
    RunPass(p, "L10 Line (0, 0) (1, 0) ; L20 Point Rotated L10 90.9 0.7 0 P0 ;");
    ASSERT_TRUE(p.ok);
    ExpectNear(p[1].a, {0, 1});

    // lambda = 1 would divide by zero: the line fails.
    RunPass(p, "L10 Line (0, 0) (1, 0) ; L20 Point Ratio L10 1 ;");
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.fault.message,
              "Error in Line-Nr : 2 \nwith current token = 5 , \nactual value = 1.000000, "
              "\nword = L10");
    // No non-finite coordinate is ever made.
    RunPass(p, "L10 Line (0, 0) (1, 0) ; L20 Point Ratio L10 1.0000000000000002 ;");
    EXPECT_TRUE(p.ok);
    RunPass(p, "L10 Line (0, 0) (1.5e308, 0) ; L20 Point Ratio L10 3 ;");
    EXPECT_FALSE(p.ok);
}

TEST(LocusScriptEval, IntersectionTakesTheSecondPointWhenTheFirstExists) {
    Pass p;
    // The line x = 1 meets the circle at (1, +-sqrt 3): the first is on the
    // side of the line's second point.
    const std::string base = "L10 Circle Center (0, 0) (2, 0) ; L20 Line (1, -5) (1, 5) ; ";
    RunPass(p, base + "L30 Point Intersection L10 L20 ;");
    ASSERT_TRUE(p.ok);
    ExpectNear(p[2].a, {1, std::sqrt(3.0)});
    RunPass(p, base + "L30 Point (1, 1.732050807568877) ; L40 Point Intersection L10 L20 ;");
    ASSERT_TRUE(p.ok);
    ExpectNear(p[3].a, {1, -std::sqrt(3.0)});
    // Far from the point by more than 1e-8: the first again.
    RunPass(p, base + "L30 Point (1, 1.73205085) ; L40 Point Intersection L10 L20 ;");
    ExpectNear(p[3].a, {1, std::sqrt(3.0)});
    // The selector takes a point outright.
    RunPass(p, base + "L30 Point Intersection L10 L20 P1 ;");
    ExpectNear(p[2].a, {1, -std::sqrt(3.0)});

    // None: the line is skipped, and so is every line depending on it.
    RunPass(p,
            "L10 Circle Center (0, 0) (1, 0) ; L20 Line (5, 0) (5, 1) ; "
            "L30 Point Intersection L10 L20 ; L40 Line L30 L30 ; L50 Point (1, 1) ;");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.skipped, 2);
    EXPECT_FALSE(p[2].made);
    EXPECT_FALSE(p[3].made);
    EXPECT_TRUE(p[4].made);
}

TEST(LocusScriptEval, LineForms) {
    Pass p;
    RunPass(p,
            "L10 Line (0, 0) (4, 0) ; L20 Point (1, 2) ; "
            "L30 Line Orthogonal L10 (3, 5) ; L40 Line Orthogonal L10 (3, 5) P1 ; "
            "L50 Line Orthogonal L10 L20 ; L60 Line Parallel L10 L20 ; "
            "L70 Line Endpoint L20 (7, 7) P1 ; L80 Line L20 (7, 7) P0 ; L90 Line L20 L20 ;");
    ASSERT_TRUE(p.ok) << p.fault.message;
    ExpectNear(p[2].a, {3, 0});
    ExpectNear(p[2].b, {3, 5});
    ExpectNear(p[3].a, {4, 0});
    ExpectNear(p[4].a, {1, 0});
    ExpectNear(p[4].b, {1, 2});
    ExpectNear(p[5].b, {5, 2});
    ExpectNear(p[6].a, {7, 7});
    ExpectNear(p[6].b, {1, 2});
    ExpectNear(p[7].a, {1, 2});

    // Tangents from (0, 2) to the unit circle at (0, 1)... from outside: the
    // second tangent line takes the other point of contact.
    RunPass(p,
            "L10 Circle Center (0, 0) (1, 0) ; L20 Line Tangent L10 (0, 2) ; "
            "L30 Line Tangent L10 (0, 2) ; L40 Line Tangent L10 (0, 2) ;");
    EXPECT_FALSE(p.ok);  // a third has no contact left
    RunPass(p,
            "L10 Circle Center (0, 0) (1, 0) ; L20 Line Tangent L10 (0, 2) ; "
            "L30 Line Tangent L10 (0, 2) ; L40 Line Tangent L10 (0, 0.5) ;");
    ASSERT_TRUE(p.ok);
    EXPECT_NEAR(p[1].a.y, 0.5, 1e-12);
    EXPECT_NEAR(p[2].a.y, 0.5, 1e-12);
    EXPECT_NEAR(p[1].a.x, -p[2].a.x, 1e-12);
    ExpectNear(p[1].b, {0, 2});
    EXPECT_FALSE(p[3].made);  // from inside: skipped
    EXPECT_EQ(p.skipped, 1);

    RunPass(p, "L10 Circle Center (0, 0) (1, 0) ; L20 Line TangentAt L10 (3, 0) ;");
    ASSERT_TRUE(p.ok);
    ExpectNear(p[1].a, {1, 0});
    ExpectNear(p[1].b, {1, 1});
}

TEST(LocusScriptEval, CircleForms) {
    Pass p;
    RunPass(p,
            "L10 Point (0, 0) ; L20 Point (2, 0) ; L30 Circle Center L10 L20 ; "
            "L40 Circle Center L10 (0, 3) P1 ; L50 Circle Through (0, 0) (4, 0) ; "
            "L60 Circle Through (1, 0) (-1, 0) (0, 1) ; L70 Line (0, 0) (0, 6) ; "
            "L80 Circle Through L70 ; L90 Circle Through L10 L20 (1, 1) ;");
    ASSERT_TRUE(p.ok) << p.fault.message;
    EXPECT_NEAR(p[2].r, 2, 1e-12);
    ExpectNear(p[3].a, {0, 3});  // the pair is the centre
    EXPECT_NEAR(p[3].r, 3, 1e-12);
    ExpectNear(p[4].a, {2, 0});
    ExpectNear(p[5].a, {0, 0});
    EXPECT_NEAR(p[5].r, 1, 1e-12);
    ExpectNear(p[7].a, {0, 3});
    ExpectNear(p[8].a, {1, 0});

    // A reference to a point stands wherever a pair may, in any order.
    RunPass(p,
            "L10 Point (0, 3) ; L20 Circle Center (1, 1) L10 ; "
            "L30 Circle Through (1, 0) L10 (-1, 0) ; L40 Circle Center (0, 1) L10 P0 ;");
    ASSERT_TRUE(p.ok) << p.fault.message;
    ExpectNear(p[1].a, {1, 1});
    ExpectNear(p[1].b, {0, 3});
    ExpectNear(p[2].a, {0, 4.0 / 3});  // through (1, 0), (0, 3) and (-1, 0)
    ExpectNear(p[3].a, {0, 3});
    ExpectNear(p[3].b, {0, 1});
    // A selector needs one reference and one pair.
    EXPECT_NE(FaultOf("L10 Circle Center (0, 0) (1, 0) P1 ;"), "");

    // Tangent circles to three lines: four, each made once, then none left.
    const std::string lines =
        "L10 Line (0, 0) (1, 0) ; L20 Line (0, 0) (0, 1) ; L30 Line (4, 0) (0, 4) ; ";
    RunPass(p, lines +
                   "L40 Circle Tangent L10 L20 L30 ; L50 Circle Tangent L10 L20 L30 ; "
                   "L60 Circle Tangent L10 L20 L30 ; L70 Circle Tangent L10 L20 L30 ;");
    ASSERT_TRUE(p.ok) << p.fault.message;
    for (int i = 3; i < 7; ++i)
        for (int k = 3; k < i; ++k)
            EXPECT_FALSE(std::fabs(p[i].r - p[k].r) < 1e-8 && p[i].a == p[k].a);
    RunPass(p, lines +
                   "L40 Circle Tangent L10 L20 L30 ; L50 Circle Tangent L10 L20 L30 ; "
                   "L60 Circle Tangent L10 L20 L30 ; L70 Circle Tangent L10 L20 L30 ; "
                   "L80 Circle Tangent L10 L20 L30 ;");
    EXPECT_FALSE(p.ok);
    // A line and two points (tool 705), two objects and a point (706).
    RunPass(p,
            "L10 Line (-5, 0) (5, 0) ; L20 Circle Tangent L10 (0, 2) (2, 2) ; "
            "L30 Circle Tangent L10 L20 (6, 1) ;");
    ASSERT_TRUE(p.ok) << p.fault.message;
    EXPECT_NEAR(p[1].r, std::fabs(p[1].a.y), 1e-9);
    EXPECT_NEAR(Distance(p[1].a, {0, 2}), p[1].r, 1e-9);
    EXPECT_NEAR(Distance(p[2].a, {6, 1}), p[2].r, 1e-9);
}

TEST(LocusScriptEval, VariablePoint) {
    Pass p;
    const std::string circle = "L10 Circle Center (1, 1) (3, 1) ; L20 Point Variable L10 ;";
    RunPass(p, circle, 0.25);
    ExpectNear(p[1].a, {1, 3});
    RunPass(p, circle, 1.0);
    ExpectNear(p[1].a, {3, 1});
    const std::string segment = "L10 Line (0, 0) (4, 2) ; L20 Point Variable L10 ;";
    RunPass(p, segment, 0.5);
    ExpectNear(p[1].a, {2, 1});
    // Outside a locus the point comes from the random source.
    RunPass(p, segment, std::nullopt, 32767);
    ExpectNear(p[1].a, {4, 2});
    RunPass(p, segment, std::nullopt, 0);
    ExpectNear(p[1].a, {0, 0});
    // On a point: the kind parser fails.
    RunPass(p, "L10 Point (0, 0) ; L20 Point Variable L10 ;");
    EXPECT_FALSE(p.ok);
}

TEST(LocusScriptEval, LongChainsStayFlat) {
    // 3,000 lines each referring to the one before: no recursion, one pass.
    CScriptProgram program;
    CScriptStatement first;
    first.kind = kKindLine;
    first.nPairs = 2;
    first.pairs[1] = {1, 0};
    first.args[0] = first.args[1] = 'Q';
    first.nArgs = 2;
    program.statements.push_back(first);
    for (int i = 1; i < 3000; ++i) {
        CScriptStatement s;
        s.kind = kKindLine;
        s.op = kOpParallel;
        s.refs[0] = i - 1;
        s.nRefs = 1;
        s.pairs[0] = {double(i), 0};
        s.nPairs = 1;
        s.args[0] = 'l';
        s.args[1] = 'Q';
        s.nArgs = 2;
        program.statements.push_back(s);
    }
    CScriptEvaluator eval;
    CScriptFault fault;
    int skipped = 0;
    ASSERT_TRUE(eval.Run(program, {}, fault, skipped));
    ExpectNear(eval.Values().back().b, {3000, 0});
}

TEST(LocusScriptFormat, PairsAndNumbersIgnoreTheLocale) {
    EXPECT_EQ(FormatScriptPair({1, -2.5}), "(1.000000, -2.500000) ");
    EXPECT_EQ(FormatScriptNumber(0.1234567), "0.123457 ");
}

}  // namespace
}  // namespace gyr::testing
