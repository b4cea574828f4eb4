#pragma once
// A formula tree compiled into postfix code for a small stack machine. Graphs
// evaluate a formula at every sample, so this form avoids the tree walk's
// recursion and pointer chasing; it performs exactly the tree's operations in
// the tree's order, so its results are identical to EvaluateTree.

#include <cstdint>
#include <vector>

#include "math/formula_tree.h"

namespace gyr {

class CFormulaProgram {
public:
    // Deepest value stack Run supports; Compile refuses trees that need more.
    static constexpr int kStackSize = 256;

    // Replaces the code with that of the tree; numbers are copied in, so the
    // constant table need not outlive the program. False (and an empty
    // program) when the tree needs a deeper stack than kStackSize.
    bool Compile(const CExprTree& tree, const std::vector<double>& constants);
    void Clear() { m_code.clear(); }
    bool Empty() const { return m_code.empty(); }
    std::size_t Size() const { return m_code.size(); }

    // The value at x; 0.0 for an empty program. Allocates nothing.
    double Run(double x, const double* parameters) const;

private:
    // Each binary operation comes in four forms: both operands from the
    // stack, or the right operand a constant, x or a parameter read in place
    // (leaves are most right operands; this saves a push and a pop each).
    enum class Op : std::uint8_t {
        Const,  // push constant
        Var,    // push x
        Param,  // push parameters[index]
        Call,   // top = fn(top)
        Neg,    // top = -top
        Add,
        AddConst,
        AddVar,
        AddParam,
        Sub,
        SubConst,
        SubVar,
        SubParam,
        Mul,
        MulConst,
        MulVar,
        MulParam,
        Div,
        DivConst,
        DivVar,
        DivParam,
        Pow,
        PowConst,
        PowVar,
        PowParam,
    };
    struct Instr {
        Op op = Op::Const;
        std::int32_t index = 0;
        double constant = 0.0;
        FormulaFn fn = nullptr;
    };

    // Emits the node's code; returns the stack depth its evaluation needs.
    int Emit(const CExprTree& tree, std::int32_t index, const std::vector<double>& constants);
    void EmitConst(double value);

    std::vector<Instr> m_code;
};

}  // namespace gyr
