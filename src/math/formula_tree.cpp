#include "math/formula_tree.h"

namespace gyr {

namespace {

double EvaluateNode(const CExprTree& tree, std::int32_t index, double x, const double* constants,
                    const double* parameters) {
    if (index == kNoNode) return 0.0;
    const CExprNode& n = tree.nodes[static_cast<std::size_t>(index)];
    auto sub = [&](std::int32_t child) {
        return EvaluateNode(tree, child, x, constants, parameters);
    };
    switch (n.kind) {
        case NodeKind::Number:
            return constants[n.value];
        case NodeKind::Variable:
            return x;
        case NodeKind::Parameter:
            return parameters[n.value];
        case NodeKind::Function:
            return FormulaFunctions()[static_cast<std::size_t>(n.value)].fn(sub(n.left));
        case NodeKind::Sum:
            return sub(n.left) + sub(n.right);
        case NodeKind::Difference:
            return sub(n.left) - sub(n.right);
        case NodeKind::Negation:
            return -sub(n.left);
        case NodeKind::Product:
            return sub(n.left) * sub(n.right);
        case NodeKind::Quotient:
            return sub(n.left) / sub(n.right);
        case NodeKind::Power: {
            double l = sub(n.left);
            return FormulaPower(l, sub(n.right));
        }
    }
    return 1.0;
}

}  // namespace

const std::vector<FormulaFunction>& FormulaFunctions() {
    // Lambdas rather than addresses of <cmath> overloads, which are not
    // guaranteed to be addressable.
    static const std::vector<FormulaFunction> table = {
        {"cos", [](double v) { return std::cos(v); }},
        {"exp", [](double v) { return std::exp(v); }},
        {"sin", [](double v) { return std::sin(v); }},
        {"log", [](double v) { return std::log(v); }},
        {"atan", [](double v) { return std::atan(v); }},
        {"tan", [](double v) { return std::tan(v); }},
        {"acos", [](double v) { return std::acos(v); }},
        {"asin", [](double v) { return std::asin(v); }},
        {"sqrt", [](double v) { return std::sqrt(v); }},
        {"abs", [](double v) { return std::fabs(v); }},
        {"sinh", [](double v) { return std::sinh(v); }},
        {"cosh", [](double v) { return std::cosh(v); }},
        {"tanh", [](double v) { return std::tanh(v); }},
    };
    return table;
}

int FindFormulaFunction(std::string_view name) {
    const auto& table = FormulaFunctions();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

double EvaluateTree(const CExprTree& tree, double x, const double* constants,
                    const double* parameters) {
    return EvaluateNode(tree, tree.root, x, constants, parameters);
}

}  // namespace gyr
