#pragma once
// The expression tree of a typed formula in x, and its reference evaluation.
// Nodes live in one array and name their children by index, so a tree is
// freed without recursion however deep it is.

#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

namespace gyr {

enum class NodeKind : std::int32_t {
    Number = 1,      // constant table [value]
    Variable = 2,    // x
    Parameter = 3,   // parameter table [value]
    Function = 4,    // function table [value] (left)
    Sum = 5,         // left + right
    Difference = 6,  // left - right
    Negation = 7,    // -left
    Product = 8,     // left * right
    Quotient = 9,    // left / right
    Power = 10,      // left ^ right
};

inline constexpr std::int32_t kNoNode = -1;

struct CExprNode {
    NodeKind kind = NodeKind::Number;
    std::int32_t value = 0;  // constant, parameter or function index, by kind
    std::int32_t left = kNoNode;
    std::int32_t right = kNoNode;
};

using FormulaFn = double (*)(double);

struct FormulaFunction {
    std::string_view name;
    FormulaFn fn;
};

// The callable functions in lookup order; names compare with exact case.
const std::vector<FormulaFunction>& FormulaFunctions();
// Index into FormulaFunctions(), or -1.
int FindFormulaFunction(std::string_view name);

// left ^ right as the real power: a negative base with an integer exponent
// keeps its sign rule ((-2)^3 = -8), with any other exponent it has no value
// (not-a-number); 0^0 is 1. Both evaluators share it so that their results
// agree to the bit.
inline double FormulaPower(double left, double right) {
    return std::pow(left, right);
}

struct CExprTree {
    std::vector<CExprNode> nodes;
    std::int32_t root = kNoNode;

    void Clear() {
        nodes.clear();
        root = kNoNode;
    }
    bool Empty() const { return root == kNoNode; }
};

// Straightforward recursive walk; an absent node is 0.0. Recursion depth is
// the tree height, which the parser bounds.
double EvaluateTree(const CExprTree& tree, double x, const double* constants,
                    const double* parameters);

}  // namespace gyr
