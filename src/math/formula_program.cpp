#include "math/formula_program.h"

#include <algorithm>

namespace gyr {

void CFormulaProgram::EmitConst(double value) {
    Instr in;
    in.op = Op::Const;
    in.constant = value;
    m_code.push_back(in);
}

int CFormulaProgram::Emit(const CExprTree& tree, std::int32_t index,
                          const std::vector<double>& constants) {
    if (index == kNoNode) {
        EmitConst(0.0);
        return 1;
    }
    const CExprNode& n = tree.nodes[static_cast<std::size_t>(index)];
    Instr in;
    switch (n.kind) {
        case NodeKind::Number:
            EmitConst(constants[static_cast<std::size_t>(n.value)]);
            return 1;
        case NodeKind::Variable:
            in.op = Op::Var;
            m_code.push_back(in);
            return 1;
        case NodeKind::Parameter:
            in.op = Op::Param;
            in.index = n.value;
            m_code.push_back(in);
            return 1;
        case NodeKind::Function:
        case NodeKind::Negation: {
            int need = Emit(tree, n.left, constants);
            if (n.kind == NodeKind::Function) {
                in.op = Op::Call;
                in.fn = FormulaFunctions()[static_cast<std::size_t>(n.value)].fn;
            } else {
                in.op = Op::Neg;
            }
            m_code.push_back(in);
            return need;
        }
        case NodeKind::Sum:
        case NodeKind::Difference:
        case NodeKind::Product:
        case NodeKind::Quotient:
        case NodeKind::Power: {
            // Indexed by kind - Sum; the Negation slot is never used here.
            static constexpr Op kBinary[] = {Op::Add, Op::Sub, Op::Neg, Op::Mul, Op::Div, Op::Pow};
            Op op = kBinary[static_cast<int>(n.kind) - static_cast<int>(NodeKind::Sum)];
            int needLeft = Emit(tree, n.left, constants);
            if (n.right != kNoNode) {
                const CExprNode& r = tree.nodes[static_cast<std::size_t>(n.right)];
                int form = r.kind == NodeKind::Number      ? 1
                           : r.kind == NodeKind::Variable  ? 2
                           : r.kind == NodeKind::Parameter ? 3
                                                           : 0;
                if (form != 0) {
                    in.op = static_cast<Op>(static_cast<int>(op) + form);
                    in.index = r.value;
                    if (form == 1) in.constant = constants[static_cast<std::size_t>(r.value)];
                    m_code.push_back(in);
                    return needLeft;
                }
            }
            // The left value waits on the stack while the right one is built.
            int needRight = Emit(tree, n.right, constants);
            in.op = op;
            m_code.push_back(in);
            return std::max(needLeft, needRight + 1);
        }
    }
    EmitConst(1.0);
    return 1;
}

bool CFormulaProgram::Compile(const CExprTree& tree, const std::vector<double>& constants) {
    m_code.clear();
    if (tree.Empty()) return true;
    if (Emit(tree, tree.root, constants) > kStackSize) {
        m_code.clear();
        return false;
    }
    return true;
}

double CFormulaProgram::Run(double x, const double* parameters) const {
    // The top of the stack lives in acc; stack[0] receives the initial acc on
    // the first push, so sp never exceeds the depth Compile checked.
    double stack[kStackSize];
    int sp = 0;
    double acc = 0.0;
    for (const Instr& in : m_code) {
        switch (in.op) {
            case Op::Const:
                stack[sp++] = acc;
                acc = in.constant;
                break;
            case Op::Var:
                stack[sp++] = acc;
                acc = x;
                break;
            case Op::Param:
                stack[sp++] = acc;
                acc = parameters[in.index];
                break;
            case Op::Call:
                acc = in.fn(acc);
                break;
            case Op::Neg:
                acc = -acc;
                break;
// l and r are the operands in the tree's order, whichever form supplies r.
#define GYR_FORMULA_BINARY(NAME, EXPR)                  \
    case Op::NAME: {                                    \
        const double l = stack[--sp], r = acc;          \
        acc = (EXPR);                                   \
        break;                                          \
    }                                                   \
    case Op::NAME##Const: {                             \
        const double l = acc, r = in.constant;          \
        acc = (EXPR);                                   \
        break;                                          \
    }                                                   \
    case Op::NAME##Var: {                               \
        const double l = acc, r = x;                    \
        acc = (EXPR);                                   \
        break;                                          \
    }                                                   \
    case Op::NAME##Param: {                             \
        const double l = acc, r = parameters[in.index]; \
        acc = (EXPR);                                   \
        break;                                          \
    }
                GYR_FORMULA_BINARY(Add, l + r)
                GYR_FORMULA_BINARY(Sub, l - r)
                GYR_FORMULA_BINARY(Mul, l * r)
                GYR_FORMULA_BINARY(Div, l / r)
                GYR_FORMULA_BINARY(Pow, FormulaPower(l, r))
#undef GYR_FORMULA_BINARY
        }
    }
    return acc;
}

}  // namespace gyr
