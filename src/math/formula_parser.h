#pragma once
// Typed formulas in one variable x with named parameters, e.g.
// "alpha*x*sin(beta*x*x)-gamma*cos(delta*x+epsilon)": parsing into a tree,
// parameter values from a free-form text, and evaluation.
//
// Grammar (recursive descent, every level left-associative):
//   expression := term { ("+" | "-") term }
//   term       := primary { ("*" | "/" | "^") primary }   "^" binds like "*"
//   primary    := number | "x" | parameter | function primary
//               | "-" primary | "(" expression ")"
// Only the first line of the text is read; tokens left after the top-level
// expression are ignored. Faults are collected as they are met and parsing
// goes on, so one fault may bring a second message; the caller shows them.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "math/formula_program.h"
#include "math/formula_tree.h"

namespace gyr {

inline constexpr const char* kMsgTooManyVariables = "Too many variables";
inline constexpr const char* kMsgUnexpectedLeftParen = "Unexpected left parenthesis";
inline constexpr const char* kMsgBinaryOperatorMissing = "binary operator missing";
inline constexpr const char* kMsgBadSymbol = "bad symbol";
inline constexpr const char* kMsgRightParenExpected = "Right parenthesis expected !";
inline constexpr const char* kMsgPrimaryExpected = "primary expected";
// Refusals of texts that would otherwise exhaust the stack or memory.
inline constexpr const char* kMsgNestedTooDeeply = "Formula too deeply nested";
inline constexpr const char* kMsgFormulaTooLong = "Formula too long";

class CFormulaParser {
public:
    static constexpr int kMaxParameters = 30;
    // Primaries may nest (parentheses, functions, minus signs) this deep.
    static constexpr int kMaxNesting = 100;
    // Bounds the tree and with it the height of a left-leaning chain.
    static constexpr std::size_t kMaxNodes = 4096;

    // Replaces tree, constants and parameters with those of the formula's
    // first line. Returns the number of parameters, or -1 when a fault was
    // met. A faulty formula still leaves its partial tree (absent operands
    // are 0) for Evaluate.
    int Parse(std::string_view formula);
    // The messages of the faults of the last parse, in the order met.
    const std::vector<const char*>& Faults() const { return m_faults; }

    int ParameterCount() const { return static_cast<int>(m_names.size()); }
    const std::string& ParameterName(int index) const;
    double ParameterValue(int index) const;

    // Reads count numbers from the text: everything but digits and "-" is
    // skipped, so "a=1, b=-2.5" gives 1 and -2.5, and ".5" gives 5. True when
    // all were read; otherwise (also for an empty text) the values stay.
    bool SetParameters(std::string_view values, int count);
    // Ignored for an index outside the parameter table.
    void SetParameterValue(int index, double value);
    // "name =  value" with the value as "%f"; empty for an index not below
    // the parameter count.
    std::string ParameterLine(int index) const;

    // The value at x; 0.0 when nothing was parsed.
    double Evaluate(double x) const { return m_program.Run(x, m_values.data()); }
    // The same through a walk of the tree (reference for the compiled form).
    double EvaluateTree(double x) const;

    const CExprTree& Tree() const { return m_tree; }
    const std::vector<double>& Constants() const { return m_constants; }

    // Back to the state before any parse.
    void Reset();

private:
    CExprTree m_tree;
    std::vector<double> m_constants;
    std::vector<std::string> m_names;
    std::vector<const char*> m_faults;
    std::array<double, kMaxParameters> m_values{};
    CFormulaProgram m_program;
};

// The parser the whole program shares: a graph's samples evaluate whatever
// formula it holds.
CFormulaParser& FormulaParser();

}  // namespace gyr
