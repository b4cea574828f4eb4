#include "math/formula_parser.h"

#include <charconv>
#include <limits>
#include <locale>
#include <sstream>

namespace gyr {

namespace {

enum class Token {
    None = 0,  // before the first token
    Number = 1,
    Variable = 2,
    Parameter = 3,
    Function = 4,
    Plus = 5,
    Minus = 6,
    Times = 8,
    Divide = 9,
    Caret = 10,
    LeftParen = 11,
    RightParen = 12,
    End = 13,
    Error = 14,
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

// Reads a double at pos with the syntax of stream extraction: an optional
// sign (when allowed), digits with at most one decimal point, and an
// exponent accepted greedily after a digit. pos moves past every character
// the stream would consume. False when those characters are no number
// ("." alone, "1e", "-"); the stream would fail there too.
bool ScanNumber(std::string_view text, std::size_t& pos, bool signAllowed, double& value) {
    const std::size_t start = pos;
    if (signAllowed && pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
    bool mantissa = false, point = false, exponent = false, exponentDigits = false;
    while (pos < text.size()) {
        char c = text[pos];
        if (IsDigit(c)) {
            (exponent ? exponentDigits : mantissa) = true;
        } else if (c == '.' && !point && !exponent) {
            point = true;
        } else if ((c == 'e' || c == 'E') && mantissa && !exponent) {
            exponent = true;
            if (pos + 1 < text.size() && (text[pos + 1] == '+' || text[pos + 1] == '-')) ++pos;
        } else {
            break;
        }
        ++pos;
    }
    if (!mantissa || (exponent && !exponentDigits)) return false;
    // The stream itself converts, so values (including the largest finite
    // value it gives on overflow) are exactly the stream's, whatever the
    // process locale.
    std::istringstream in(std::string(text.substr(start, pos - start)));
    in.imbue(std::locale::classic());
    double v = 0.0;
    in >> v;
    if (in.fail() && v != std::numeric_limits<double>::max() &&
        v != -std::numeric_limits<double>::max()) {
        return false;
    }
    value = v;
    return true;
}

// One parse: tokenizer and grammar over the parser's tables.
class CFormulaReader {
public:
    CFormulaReader(std::string_view text, CExprTree& tree, std::vector<double>& constants,
                   std::vector<std::string>& names, std::vector<const char*>& faults)
        : m_text(text), m_tree(tree), m_constants(constants), m_names(names), m_faults(faults) {}

    // False when a fault was reported.
    bool Run() {
        Next();
        m_tree.root = Expression();
        return !m_error;
    }

private:
    void Report(const char* message) {
        m_error = true;
        if (m_aborted) return;
        m_faults.push_back(message);
    }
    // Gives up on the text: one message, then the reader sees only its end
    // and stays silent while the descent unwinds.
    void Refuse(const char* message) {
        Report(message);
        m_aborted = true;
        m_token = Token::End;
    }

    void Next() { m_token = ReadToken(); }

    Token ReadToken() {
        if (m_aborted) return Token::End;
        const Token previous = m_token;
        while (m_pos < m_text.size() && IsBlank(m_text[m_pos])) ++m_pos;
        if (m_pos >= m_text.size() || m_text[m_pos] == '\0' || m_text[m_pos] == '\n') {
            return Token::End;
        }
        const char c = m_text[m_pos++];
        switch (c) {
            case '(':
                if (previous == Token::Number) {
                    Report(kMsgUnexpectedLeftParen);
                    return Token::Error;
                }
                return Token::LeftParen;
            case ')':
                return Token::RightParen;
            case '*':
                return Token::Times;
            case '+':
                return Token::Plus;
            case '-':
                return Token::Minus;
            case '/':
                return Token::Divide;
            case '^':
                return Token::Caret;
            default:
                break;
        }
        if (c == '.' || IsDigit(c)) {
            if (previous == Token::RightParen) {
                Report(kMsgBinaryOperatorMissing);
                return Token::Error;
            }
            --m_pos;
            double v = 0.0;
            if (!ScanNumber(m_text, m_pos, false, v)) {
                Report(kMsgBadSymbol);
                return Token::Error;
            }
            m_value = static_cast<std::int32_t>(m_constants.size());
            m_constants.push_back(v);
            return Token::Number;
        }
        if (IsLetter(c)) {
            if (previous == Token::RightParen || previous == Token::Parameter ||
                previous == Token::Function || previous == Token::Number ||
                previous == Token::Variable) {
                Report(kMsgBinaryOperatorMissing);
                return Token::Error;
            }
            return Identifier();
        }
        Report(kMsgBadSymbol);
        return Token::Error;
    }

    Token Identifier() {
        const std::size_t start = m_pos - 1;
        while (m_pos < m_text.size() && (IsLetter(m_text[m_pos]) || IsDigit(m_text[m_pos]))) {
            ++m_pos;
        }
        const std::string_view name = m_text.substr(start, m_pos - start);
        if (name == "x") return Token::Variable;
        if (int f = FindFormulaFunction(name); f >= 0) {
            m_value = f;
            return Token::Function;
        }
        for (std::size_t i = 0; i < m_names.size(); ++i) {
            if (m_names[i] == name) {
                m_value = static_cast<std::int32_t>(i);
                return Token::Parameter;
            }
        }
        if (m_names.size() >= static_cast<std::size_t>(CFormulaParser::kMaxParameters)) {
            Report(kMsgTooManyVariables);
            return Token::Error;
        }
        m_value = static_cast<std::int32_t>(m_names.size());
        m_names.emplace_back(name);
        return Token::Parameter;
    }

    std::int32_t Node(NodeKind kind, std::int32_t value, std::int32_t left = kNoNode,
                      std::int32_t right = kNoNode) {
        if (m_tree.nodes.size() >= CFormulaParser::kMaxNodes) {
            if (!m_aborted) Refuse(kMsgFormulaTooLong);
            return kNoNode;
        }
        m_tree.nodes.push_back({kind, value, left, right});
        return static_cast<std::int32_t>(m_tree.nodes.size() - 1);
    }

    std::int32_t Expression() {
        std::int32_t left = Term();
        while (m_token == Token::Plus || m_token == Token::Minus) {
            NodeKind kind = m_token == Token::Plus ? NodeKind::Sum : NodeKind::Difference;
            Next();
            std::int32_t right = Term();
            left = Node(kind, 0, left, right);
        }
        return left;
    }

    std::int32_t Term() {
        std::int32_t left = Primary();
        while (m_token == Token::Times || m_token == Token::Divide || m_token == Token::Caret) {
            NodeKind kind = m_token == Token::Times    ? NodeKind::Product
                            : m_token == Token::Divide ? NodeKind::Quotient
                                                       : NodeKind::Power;
            Next();
            std::int32_t right = Primary();
            left = Node(kind, 0, left, right);
        }
        return left;
    }

    std::int32_t Primary() {
        if (m_depth >= CFormulaParser::kMaxNesting) {
            if (!m_aborted) Refuse(kMsgNestedTooDeeply);
            return kNoNode;
        }
        ++m_depth;
        std::int32_t node = kNoNode;
        switch (m_token) {
            case Token::Number:
                node = Node(NodeKind::Number, m_value);
                Next();
                break;
            case Token::Variable:
                node = Node(NodeKind::Variable, 0);
                Next();
                break;
            case Token::Parameter:
                node = Node(NodeKind::Parameter, m_value);
                Next();
                break;
            case Token::Function: {
                std::int32_t f = m_value;
                Next();
                std::int32_t argument = Primary();
                node = Node(NodeKind::Function, f, argument);
                break;
            }
            case Token::Minus: {
                Next();
                std::int32_t operand = Primary();
                node = Node(NodeKind::Negation, 0, operand);
                break;
            }
            case Token::LeftParen:
                Next();
                node = Expression();
                if (m_token != Token::RightParen) {
                    Report(kMsgRightParenExpected);
                } else {
                    Next();
                }
                break;
            default:
                Report(kMsgPrimaryExpected);
                break;
        }
        --m_depth;
        return node;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    Token m_token = Token::None;
    std::int32_t m_value = 0;  // constant, parameter or function index of m_token
    bool m_error = false;
    bool m_aborted = false;
    int m_depth = 0;
    CExprTree& m_tree;
    std::vector<double>& m_constants;
    std::vector<std::string>& m_names;
    std::vector<const char*>& m_faults;
};

}  // namespace

int CFormulaParser::Parse(std::string_view formula) {
    Reset();
    CFormulaReader reader(formula, m_tree, m_constants, m_names, m_faults);
    bool ok = reader.Run();
    if (!m_program.Compile(m_tree, m_constants)) {
        // The nesting bound keeps every tree within the machine's stack.
        m_faults.push_back(kMsgNestedTooDeeply);
        m_tree.Clear();
        ok = false;
    }
    return ok ? ParameterCount() : -1;
}

const std::string& CFormulaParser::ParameterName(int index) const {
    static const std::string none;
    if (index < 0 || index >= ParameterCount()) return none;
    return m_names[static_cast<std::size_t>(index)];
}

double CFormulaParser::ParameterValue(int index) const {
    if (index < 0 || index >= kMaxParameters) return 0.0;
    return m_values[static_cast<std::size_t>(index)];
}

bool CFormulaParser::SetParameters(std::string_view values, int count) {
    if (count < 0 || count > kMaxParameters) return false;
    // Like a C string, the text ends at a zero character.
    values = values.substr(0, values.find('\0'));
    if (values.empty()) return false;
    std::array<double, kMaxParameters> read{};
    int n = 0;
    std::size_t pos = 0;
    while (n < count && pos < values.size()) {
        const char c = values[pos];
        if (!IsDigit(c) && c != '-') {
            ++pos;
            continue;
        }
        // A failed read (a "-" that starts no number) ends the text, as
        // it leaves a stream unusable.
        if (!ScanNumber(values, pos, true, read[static_cast<std::size_t>(n)])) break;
        ++n;
    }
    if (n < count) return false;
    std::copy(read.begin(), read.begin() + count, m_values.begin());
    return true;
}

void CFormulaParser::SetParameterValue(int index, double value) {
    if (index < 0 || index >= ParameterCount()) return;
    m_values[static_cast<std::size_t>(index)] = value;
}

std::string CFormulaParser::ParameterLine(int index) const {
    if (index < 0 || index >= ParameterCount()) return {};
    // "%f" without the process locale's decimal separator.
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, m_values[static_cast<std::size_t>(index)],
                                   std::chars_format::fixed, 6);
    std::string number = ec == std::errc() ? std::string(buf, end) : std::string("?");
    return m_names[static_cast<std::size_t>(index)] + " =  " + number;
}

double CFormulaParser::EvaluateTree(double x) const {
    if (m_tree.Empty()) return 0.0;
    return gyr::EvaluateTree(m_tree, x, m_constants.data(), m_values.data());
}

void CFormulaParser::Reset() {
    m_tree.Clear();
    m_constants.clear();
    m_names.clear();
    m_faults.clear();
    m_values.fill(0.0);
    m_program.Clear();
}

CFormulaParser& FormulaParser() {
    static CFormulaParser parser;
    return parser;
}

}  // namespace gyr
