#include "math/locus_script.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>

#include "math/kernel.h"
#include "math/tangent_circles.h"

namespace gyr {

const char* const kScriptKindWords[4] = {"Scalar ", "Point ", "Line ", "Circle "};
const char* const kScriptOpWords[15] = {
    "",
    "Through ",
    "Endpoint ",
    "Center ",
    "Rotated ",
    "Orthogonal ",
    "Parallel ",
    "Intersection ",
    "Variable ",
    "Tangent ",
    "TangentAt ",
    "CommonTangent ",
    "TangentCentered ",
    "Ratio ",
    "Reflected ",
};

const char* const kLastLineMessage = "Error in Locus script: Last line must be point or circle";

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' || c == ',' ||
           c == ':';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsLetter(char c) {
    return IsUpper(c) || (c >= 'a' && c <= 'z');
}

std::string FixedText(double v) {
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6);
    if (ec != std::errc()) return "0.000000";
    return std::string(buf, end);
}

std::string WithNumber(const char* text, long long n) {
    std::string s = text;
    const auto pos = s.find("%d");
    if (pos != std::string::npos) s.replace(pos, 2, std::to_string(n));
    return s;
}

// "L123" or "P7": the number after the letter, when it fits an int.
std::optional<int> NumberAfter(std::string_view word, char letter) {
    if (word.size() < 2 || word[0] != letter) return std::nullopt;
    long long v = 0;
    for (std::size_t i = 1; i < word.size(); ++i) {
        if (!IsDigit(word[i])) return std::nullopt;
        v = v * 10 + (word[i] - '0');
        if (v > INT_MAX) return std::nullopt;
    }
    return int(v);
}

int KindOfWord(std::string_view w) {
    for (int k = kKindPoint; k <= kKindCircle; ++k) {
        std::string_view table(kScriptKindWords[k]);
        if (w == table.substr(0, table.size() - 1)) return k;
    }
    return -1;
}

int OpOfWord(std::string_view w) {
    for (int k = 1; k < 15; ++k) {
        std::string_view table(kScriptOpWords[k]);
        if (w == table.substr(0, table.size() - 1)) return k;
    }
    return -1;
}

// The argument forms of each (kind, operation), in the order the recorder
// writes them: references (p point, l line, c circle, o line or circle),
// pairs Q, numbers N, selector S; X is a pair or a reference to a point,
// in any order.
struct Form {
    int kind;
    int op;
    const char* args;
};

constexpr Form kForms[] = {
    {kKindPoint, kOpNone, "Q"},           {kKindPoint, kOpEndpoint, "lS"},
    {kKindPoint, kOpVariable, "o"},       {kKindPoint, kOpIntersection, "oo"},
    {kKindPoint, kOpIntersection, "ooS"}, {kKindPoint, kOpRotated, "lNNNS"},
    {kKindPoint, kOpCenter, "c"},         {kKindPoint, kOpReflected, "pl"},
    {kKindPoint, kOpRatio, "lN"},         {kKindLine, kOpNone, "QQ"},
    {kKindLine, kOpNone, "pp"},           {kKindLine, kOpNone, "pQS"},
    {kKindLine, kOpEndpoint, "pQS"},      {kKindLine, kOpOrthogonal, "lQ"},
    {kKindLine, kOpOrthogonal, "lQS"},    {kKindLine, kOpOrthogonal, "lp"},
    {kKindLine, kOpParallel, "lQ"},       {kKindLine, kOpParallel, "lp"},
    {kKindLine, kOpTangent, "cQ"},        {kKindLine, kOpTangent, "cp"},
    {kKindLine, kOpTangent, "cQS"},       {kKindLine, kOpTangent, "cpS"},
    {kKindLine, kOpTangentAt, "cQ"},      {kKindLine, kOpTangentAt, "cp"},
    {kKindCircle, kOpCenter, "XX"},       {kKindCircle, kOpCenter, "XXS"},
    {kKindCircle, kOpThrough, "XX"},      {kKindCircle, kOpThrough, "XXS"},
    {kKindCircle, kOpThrough, "XXX"},     {kKindCircle, kOpThrough, "l"},
    {kKindCircle, kOpTangent, "ooo"},     {kKindCircle, kOpTangent, "oop"},
    {kKindCircle, kOpTangent, "ooQ"},     {kKindCircle, kOpTangent, "opp"},
    {kKindCircle, kOpTangent, "opQ"},     {kKindCircle, kOpTangent, "oQQ"},
    {kKindCircle, kOpTangent, "oooS"},    {kKindCircle, kOpTangent, "oopS"},
    {kKindCircle, kOpTangent, "ooQS"},    {kKindCircle, kOpTangent, "oppS"},
    {kKindCircle, kOpTangent, "opQS"},    {kKindCircle, kOpTangent, "oQQS"},
};

bool ArgMatches(char form, char actual) {
    return form == actual || (form == 'o' && (actual == 'l' || actual == 'c')) ||
           (form == 'X' && (actual == 'p' || actual == 'Q'));
}

// 1 when args is a whole form of (kind, op), 0 when only a prefix of one,
// -1 when neither.
int MatchForms(int kind, int op, std::string_view args) {
    int best = -1;
    for (const Form& f : kForms) {
        if (f.kind != kind || f.op != op) continue;
        const std::string_view fa(f.args);
        if (args.size() > fa.size()) continue;
        bool ok = true;
        for (std::size_t i = 0; i < args.size() && ok; ++i) ok = ArgMatches(fa[i], args[i]);
        if (!ok) continue;
        if (args.size() == fa.size()) return 1;
        best = 0;
    }
    return best;
}

// Selectors that name one of two points.
bool SelectorMustBeEnd(const CScriptStatement& s) {
    return !(s.op == kOpIntersection || s.op == kOpTangent);
}

class Parser {
public:
    Parser(std::string_view text, CScriptProgram& program, CScriptFault& fault)
        : m_text(text), m_tok(text), m_program(program), m_fault(fault) {}

    bool Run();

private:
    enum class Step { Ok, Fail, Stop };
    bool Fail(std::string message) {
        m_fault.message = std::move(message);
        m_fault.begin = m_begin;
        m_fault.end = std::max(m_begin, std::min(m_text.size(), m_tok.Position()));
        m_fault.textLine = m_line;
        return false;
    }
    bool KindFail() {
        std::string m = "Error in Line-Nr : " + std::to_string(m_i) +
                        " \nwith current token = " + std::to_string(m_cur) +
                        " , \nactual value = " + FixedText(m_tok.Number()) +
                        ", \nword = " + std::string(m_tok.Word());
        return Fail(std::move(m));
    }
    // Reads the next token of the statement, checking the bounds. False
    // when parsing must stop (the fault is set).
    bool Next();
    bool ParseStatement();
    int LineOf(std::size_t offset);

    std::string_view m_text;
    CScriptTokenizer m_tok;
    CScriptProgram& m_program;
    CScriptFault& m_fault;
    int m_cur = kScriptEnd;
    int m_i = 1;
    std::size_t m_begin = 0;
    int m_firstToken = 0;
    bool m_inStatement = false;
    int m_line = 1;
    std::size_t m_lineScanned = 0;
    std::unordered_map<int, int> m_labels;  // label -> latest statement
};

int Parser::LineOf(std::size_t offset) {
    for (; m_lineScanned < offset && m_lineScanned < m_text.size(); ++m_lineScanned)
        if (m_text[m_lineScanned] == '\n') ++m_line;
    return m_line;
}

bool Parser::Next() {
    m_cur = m_tok.Next();
    if (m_inStatement) {
        const std::size_t length = m_tok.Position() - m_begin;
        if (length > kStatementMaxChars || m_tok.TokensRead() - m_firstToken > kStatementMaxTokens)
            return Fail(WithNumber("Line too long, error in line: %d", m_i));
    }
    if (m_cur == kScriptBad) return Fail(WithNumber("Bad token detected in lineNr: %d", m_i));
    return true;
}

bool Parser::Run() {
    if (m_text.size() > kScriptMaxChars) {
        m_fault.message = "Script longer than 30000 characters";
        return false;
    }
    m_program.statements.clear();
    m_program.variableLines = 0;
    for (;;) {
        m_inStatement = false;
        if (!Next()) return false;
        if (m_cur == kScriptSemicolon && !Next()) return false;
        if (m_cur == kScriptEnd) return true;
        m_begin = m_tok.TokenStart();
        m_firstToken = m_tok.TokensRead() - 1;
        m_inStatement = true;
        LineOf(m_begin);
        if (!ParseStatement()) return false;
        ++m_i;
    }
}

bool Parser::ParseStatement() {
    if (m_cur != kScriptWord)
        return Fail(WithNumber("Line Number L# word expected, error in line: %d", m_i));
    CScriptStatement s;
    s.begin = m_begin;
    s.textLine = m_line;
    s.counter = m_i;
    const std::optional<int> label = NumberAfter(m_tok.Word(), 'L');
    if (!label) return Fail(WithNumber("Invalid Line-Number, error in line: %d", m_i));
    s.label = *label;
    if (!Next()) return false;
    const int kind = m_cur == kScriptWord ? KindOfWord(m_tok.Word()) : -1;
    if (kind < 0) return Fail(WithNumber("Invalid object-kind, error in line: %d", m_i));
    s.kind = kind;
    if (!Next()) return false;
    if (m_cur == kScriptWord) {
        const int op = OpOfWord(m_tok.Word());
        if (op > 0) {
            s.op = op;
            if (!Next()) return false;
        }
    }
    std::string args;
    for (;;) {
        if (m_cur == kScriptSemicolon) break;
        char arg = 0;
        if (m_cur == kScriptWord) {
            const std::string_view w = m_tok.Word();
            if (std::optional<int> ref = NumberAfter(w, 'L')) {
                const auto it = m_labels.find(*ref);
                if (it == m_labels.end() || s.nRefs == 3) return KindFail();
                const int kinds[] = {0, 'p', 'l', 'c'};
                arg = char(kinds[m_program.statements[it->second].kind]);
                s.refs[s.nRefs++] = it->second;
            } else if (std::optional<int> sel = NumberAfter(w, 'P')) {
                arg = 'S';
                s.selector = *sel;
            } else {
                return KindFail();
            }
        } else if (m_cur == kScriptOpen) {
            // A pair where none may stand fails at its "(".
            if (MatchForms(s.kind, s.op, args + 'Q') < 0) return KindFail();
            double xy[2];
            for (double& v : xy) {
                if (!Next()) return false;
                if (m_cur != kScriptNumber) return KindFail();
                v = m_tok.Number();
            }
            if (!Next()) return false;
            if (m_cur != kScriptClose || s.nPairs == 3) return KindFail();
            s.pairs[s.nPairs++] = {xy[0], xy[1]};
            arg = 'Q';
        } else if (m_cur == kScriptNumber) {
            if (s.nNumbers == 3) return KindFail();
            s.numbers[s.nNumbers++] = m_tok.Number();
            arg = 'N';
        } else {
            return KindFail();
        }
        args.push_back(arg);
        if (MatchForms(s.kind, s.op, args) < 0) return KindFail();
        if (arg == 'S' && SelectorMustBeEnd(s) && s.selector > 1) return KindFail();
        if (!Next()) return false;
    }
    if (MatchForms(s.kind, s.op, args) != 1) return KindFail();
    // A selector of two points names where the referenced one stands: one
    // reference and one pair are needed.
    const auto count = [&](char c) { return std::count(args.begin(), args.end(), c); };
    if (s.kind == kKindCircle && s.selector >= 0 && s.op != kOpTangent &&
        (count('p') != 1 || count('Q') != 1))
        return KindFail();
    std::copy(args.begin(), args.end(), s.args);
    s.nArgs = int(args.size());
    s.end = m_tok.Position();
    s.failToken = m_cur;
    s.failNumber = m_tok.Number();
    s.failWord = std::string(m_tok.Word());
    if (s.op == kOpVariable) ++m_program.variableLines;
    m_labels[s.label] = int(m_program.statements.size());
    m_program.statements.push_back(std::move(s));
    return true;
}

constexpr double kCell = 1e-8;

}  // namespace

int CScriptTokenizer::Next() {
    for (;;) {
        while (m_pos < m_text.size() && IsSeparator(m_text[m_pos])) ++m_pos;
        m_start = m_pos;
        ++m_tokens;
        if (m_pos >= m_text.size()) return kScriptEnd;
        const char c = m_text[m_pos];
        if (c == '(') return ++m_pos, kScriptOpen;
        if (c == ')') return ++m_pos, kScriptClose;
        if (c == ';') return ++m_pos, kScriptSemicolon;
        if (c == '-' || c == '.' || IsDigit(c)) return ReadNumber() ? kScriptNumber : kScriptBad;
        if (IsLetter(c)) {
            std::size_t end = m_pos + 1;
            while (end < m_text.size() && (IsLetter(m_text[end]) || IsDigit(m_text[end]))) ++end;
            const std::string_view word = m_text.substr(m_pos, end - m_pos);
            m_pos = end;
            if (IsUpper(c)) {
                m_word = word;
                return kScriptWord;
            }
            continue;  // a comment word
        }
        ++m_pos;
        return kScriptBad;
    }
}

// A decimal number: [-] digits [. digits] [e [+-] digits], with at least one
// digit before the exponent. A lone "-" or "." and a number beyond the range
// of doubles are bad tokens.
bool CScriptTokenizer::ReadNumber() {
    const std::size_t begin = m_pos;
    std::size_t p = m_pos;
    if (m_text[p] == '-') ++p;
    int digits = 0;
    while (p < m_text.size() && IsDigit(m_text[p])) ++p, ++digits;
    if (p < m_text.size() && m_text[p] == '.') {
        ++p;
        while (p < m_text.size() && IsDigit(m_text[p])) ++p, ++digits;
    }
    if (digits == 0) {
        m_pos = std::max(p, begin + 1);
        return false;
    }
    if (p < m_text.size() && (m_text[p] == 'e' || m_text[p] == 'E')) {
        std::size_t q = p + 1;
        if (q < m_text.size() && (m_text[q] == '+' || m_text[q] == '-')) ++q;
        if (q < m_text.size() && IsDigit(m_text[q])) {
            while (q < m_text.size() && IsDigit(m_text[q])) ++q;
            p = q;
        }
    }
    m_pos = p;
    double v = 0;
    const char* first = m_text.data() + begin;
    const char* last = m_text.data() + p;
    auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too small is zero; too large is no number.
        const std::string_view t(first, std::size_t(last - first));
        const auto e = t.find_first_of("eE");
        if (e == std::string_view::npos || t.find('-', e) == std::string_view::npos) return false;
        v = 0;
    } else if (ec != std::errc() || ptr != last || !std::isfinite(v)) {
        return false;
    }
    m_number = v;
    return true;
}

bool ParseScript(std::string_view text, CScriptProgram& program, CScriptFault& fault) {
    fault = {};
    return Parser(text, program, fault).Run();
}

std::string VariableCountMessage(int count) {
    return "Script must contain exactly one line of the form:\n  L# Point Variable L#; \n but " +
           std::to_string(count) + " such lines found";
}

std::string LocusTooLargeMessage(int points, int lines) {
    return "Locus too large: " + std::to_string(points) + " points x " + std::to_string(lines) +
           " lines";
}

std::string FormatScriptPair(const CWorldPoint& p) {
    return "(" + FixedText(p.x) + ", " + FixedText(p.y) + ") ";
}

std::string FormatScriptNumber(double v) {
    return FixedText(v) + " ";
}

// ---- Evaluation -------------------------------------------------------------

CScriptEvaluator::CellKey CScriptEvaluator::Key(double cx, double cy) {
    // +0.0 folds -0 into 0, so equal cells hash alike.
    cx += 0.0;
    cy += 0.0;
    std::uint64_t a, b;
    std::memcpy(&a, &cx, sizeof a);
    std::memcpy(&b, &cy, sizeof b);
    return a * 0x9E3779B97F4A7C15ull ^ (b + 0x632BE59BD9B4E019ull + (a << 6) + (a >> 2));
}

void CScriptEvaluator::Insert(std::unordered_multimap<CellKey, int>& index, const CWorldPoint& p,
                              int i) {
    index.emplace(Key(std::floor(p.x / kCell), std::floor(p.y / kCell)), i);
}

template <class Match>
int CScriptEvaluator::Find(const std::unordered_multimap<CellKey, int>& index, const CWorldPoint& p,
                           Match match) const {
    // Points within 1e-8 lie in the same or a neighbouring cell. Far from
    // the origin neighbouring cells may be the same double: a cell seen
    // twice only repeats candidates.
    const double cx = std::floor(p.x / kCell), cy = std::floor(p.y / kCell);
    int best = -1;
    for (double dx = -1; dx <= 1; ++dx)
        for (double dy = -1; dy <= 1; ++dy) {
            auto [it, end] = index.equal_range(Key(cx + dx, cy + dy));
            for (; it != end; ++it)
                if ((best < 0 || it->second < best) && match(it->second)) best = it->second;
        }
    return best;
}

namespace {

TouchObject TouchOf(int kind, const CScriptValue& v) {
    if (kind == kKindLine) return TouchObject::Line(v.a, v.b);
    if (kind == kKindCircle) return TouchObject::Circle(v.a, v.r);
    return TouchObject::Point(v.a);
}

bool Finite(const CScriptValue& v) {
    return IsFinitePoint(v.a) && IsFinitePoint(v.b) && std::isfinite(v.r);
}

}  // namespace

bool CScriptEvaluator::Compute(const CScriptStatement& s, const CVariableSource& variable,
                               CScriptValue& v, bool& skip) {
    const CScriptValue* ref[3] = {nullptr, nullptr, nullptr};
    for (int k = 0; k < s.nRefs; ++k) {
        const CScriptValue& r = m_values[s.refs[k]];
        if (!r.made) {
            skip = true;  // depends on a line that made nothing
            return true;
        }
        ref[k] = &r;
    }
    // The point operands of the forms that take points as references or
    // pairs, references first.
    // The point operands (pairs and references to points) as written.
    CWorldPoint pts[3];
    int nPts = 0, refPoints = 0, refAt = -1;
    for (int a = 0, r = 0, q = 0; a < s.nArgs && nPts < 3; ++a) {
        const char c = s.args[a];
        if (c == 'Q') {
            pts[nPts++] = s.pairs[q++];
        } else if (c == 'p' || c == 'l' || c == 'c') {
            if (c == 'p') {
                refAt = nPts;
                ++refPoints;
                pts[nPts++] = ref[r]->a;
            }
            ++r;
        }
    }
    const int sel = s.selector;
    // "L# (x, y) Pk": the referenced point is point k of the two.
    if (refPoints == 1 && s.nPairs == 1 && nPts == 2 && (sel == 0 || sel == 1) && refAt != sel)
        std::swap(pts[0], pts[1]);

    switch (s.kind) {
        case kKindPoint:
            switch (s.op) {
                case kOpNone:
                    v.a = s.pairs[0];
                    return true;
                case kOpEndpoint:
                    v.a = sel == 0 ? ref[0]->a : ref[0]->b;
                    return true;
                case kOpCenter:
                    v.a = ref[0]->a;
                    return true;
                case kOpVariable: {
                    const CScriptValue& o = *ref[0];
                    const bool circle = KindOf(s.refs[0]) == kKindCircle;
                    if (variable.t) {
                        const double t = *variable.t;
                        v.a = circle ? o.a + CWorldPoint{std::cos(2 * std::numbers::pi * t),
                                                         std::sin(2 * std::numbers::pi * t)} *
                                                 o.r
                                     : o.a + (o.b - o.a) * t;
                    } else {
                        const int r = variable.random ? variable.random() : 0;
                        if (circle) {
                            const double theta = r * std::numbers::pi * (2.0 / 32767);
                            v.a = o.a + CWorldPoint{std::cos(theta), std::sin(theta)} * o.r;
                        } else {
                            const double t = r / 32767.0;
                            v.a = o.b * t + o.a * (1 - t);
                        }
                    }
                    return true;
                }
                case kOpIntersection: {
                    const int k0 = KindOf(s.refs[0]), k1 = KindOf(s.refs[1]);
                    const CScriptValue& a = *ref[0];
                    const CScriptValue& b = *ref[1];
                    CWorldPoint x[2];
                    int n = 0;
                    if (k0 == kKindLine && k1 == kKindLine) {
                        n = LineIntersection(a.a, a.b, b.a, b.b, x[0]) ? 1 : 0;
                        x[1] = x[0];
                    } else if (k0 == kKindCircle && k1 == kKindCircle) {
                        n = CircleCircleIntersection(a.a, a.r, b.a, b.r, x[0], x[1]);
                    } else {
                        const CScriptValue& c = k0 == kKindCircle ? a : b;
                        const CScriptValue& l = k0 == kKindCircle ? b : a;
                        n = CircleLineIntersection(c.a, c.r, l.a, l.b, x[0], x[1]);
                    }
                    if (n == 0) {
                        skip = true;
                        return true;
                    }
                    if (sel >= 0) {
                        if (sel >= n) return false;
                        v.a = x[sel];
                        return true;
                    }
                    v.a = x[0];
                    if (n >= 2 && Find(m_points, x[0],
                                       [&](int i) { return Coincide(m_values[i].a, x[0]); }) >= 0)
                        v.a = x[1];
                    return true;
                }
                case kOpRotated: {
                    double d = std::trunc(s.numbers[0]), m = std::trunc(s.numbers[1]),
                           sec = std::trunc(s.numbers[2]);
                    if (d < 0) m = -m, sec = -sec;
                    const double angle = (d + m / 60 + sec / 3600) * std::numbers::pi / 180;
                    const CWorldPoint centre = sel == 0 ? ref[0]->a : ref[0]->b;
                    const CWorldPoint other = sel == 0 ? ref[0]->b : ref[0]->a;
                    v.a = RotateAbout(other, centre, angle);
                    return true;
                }
                case kOpReflected:
                    if (IsDegenerateLine(ref[1]->a, ref[1]->b)) return false;
                    v.a = ReflectInLine(ref[0]->a, ref[1]->a, ref[1]->b);
                    return true;
                case kOpRatio: {
                    const double lambda = s.numbers[0];
                    if (lambda == 1) return false;  // X - P0 = X - P1 has no solution
                    const double w = lambda / (lambda - 1);
                    v.a = ref[0]->a * (1 - w) + ref[0]->b * w;
                    return true;
                }
            }
            return false;
        case kKindLine:
            switch (s.op) {
                case kOpNone:
                case kOpEndpoint:
                    v.a = pts[0];
                    v.b = pts[1];
                    return true;
                case kOpOrthogonal: {
                    const CScriptValue& l = *ref[0];
                    if (s.nPairs == 1 && sel >= 0) {
                        v.a = sel == 0 ? l.a : l.b;
                        v.b = s.pairs[0];
                        return true;
                    }
                    if (IsDegenerateLine(l.a, l.b)) return false;
                    const CWorldPoint q = pts[0];
                    v.a = FootOfPerpendicular(q, l.a, l.b);
                    v.b = q;
                    return true;
                }
                case kOpParallel: {
                    const CScriptValue& l = *ref[0];
                    v.a = pts[0];
                    v.b = pts[0] + (l.b - l.a);
                    return true;
                }
                case kOpTangent: {
                    const CScriptValue& c = *ref[0];
                    const CWorldPoint q = pts[0];
                    CWorldPoint t[2];
                    const int n = TangentPoints(q, c.a, c.r, t[0], t[1]);
                    if (n == 0) {
                        skip = true;
                        return true;
                    }
                    if (sel >= 0) {
                        if (sel >= n) return false;
                        v.a = t[sel];
                        v.b = q;
                        return true;
                    }
                    for (int k = 0; k < n; ++k) {
                        const auto same = [&](int i) {
                            const CScriptValue& o = m_values[i];
                            return (Coincide(o.a, t[k]) && Coincide(o.b, q)) ||
                                   (Coincide(o.a, q) && Coincide(o.b, t[k]));
                        };
                        if (Find(m_lineEnds, t[k], same) >= 0) continue;
                        v.a = t[k];
                        v.b = q;
                        return true;
                    }
                    return false;
                }
                case kOpTangentAt: {
                    const CScriptValue& c = *ref[0];
                    if (s.nPairs == 1) {
                        CWorldPoint f, g;
                        if (TangentLineAt(s.pairs[0], c.a, c.r, f, g) == 0) return false;
                        v.a = f;
                        v.b = g;
                    } else {
                        v.a = pts[0];
                        v.b = pts[0] + Perp(pts[0] - c.a);
                    }
                    return true;
                }
            }
            return false;
        case kKindCircle:
            switch (s.op) {
                case kOpCenter:
                    v.a = pts[0];
                    v.b = pts[1];
                    v.r = Distance(v.a, v.b);
                    return true;
                case kOpThrough: {
                    if (s.nRefs == 1 && KindOf(s.refs[0]) == kKindLine) {
                        pts[0] = ref[0]->a;
                        pts[1] = ref[0]->b;
                        nPts = 2;
                    }
                    if (nPts == 2) {
                        v.a = (pts[0] + pts[1]) * 0.5;
                        v.b = pts[1];
                        v.r = Distance(v.a, v.b);
                        return true;
                    }
                    double r = 0;
                    if (!CircleThrough3Points(pts[0], pts[1], pts[2], v.a, r)) return false;
                    v.b = pts[2];
                    v.r = Distance(v.a, v.b);
                    return true;
                }
                case kOpTangent: {
                    TouchObject objs[3];
                    int nObjs = 0;
                    CWorldPoint through[2];
                    int nThrough = 0;
                    for (int k = 0; k < s.nRefs; ++k) {
                        const int kind = KindOf(s.refs[k]);
                        if (kind == kKindPoint)
                            through[nThrough++] = ref[k]->a;
                        else
                            objs[nObjs++] = TouchOf(kind, *ref[k]);
                    }
                    for (int k = 0; k < s.nPairs; ++k) through[nThrough++] = s.pairs[k];
                    CircleValue sol[8];
                    int n = 0;
                    if (nObjs == 3) {
                        n = TangentCircles3(objs[0], objs[1], objs[2], sol);
                    } else if (nObjs == 2) {
                        CircleValue four[4];
                        n = TangentCirclesThroughPoint(through[0], objs[0], objs[1], four);
                        for (int k = 0; k < n; ++k) sol[k] = four[k];
                    } else {
                        CircleValue two[2];
                        n = TangentCirclesThroughTwoPoints(through[0], through[1], objs[0], two);
                        for (int k = 0; k < n; ++k) sol[k] = two[k];
                    }
                    const auto make = [&](const CircleValue& c) {
                        v.a = c.centre;
                        v.r = std::fabs(c.radius);
                        v.b = nThrough > 0 ? through[nThrough - 1] : c.centre + CWorldPoint{v.r, 0};
                    };
                    if (sel >= 0) {
                        if (sel >= n) return false;
                        make(sol[sel]);
                        return true;
                    }
                    for (int k = 0; k < n; ++k) {
                        const double r = std::fabs(sol[k].radius);
                        const auto same = [&](int i) {
                            return Coincide(m_values[i].a, sol[k].centre) &&
                                   std::fabs(m_values[i].r - r) < kGeomEps;
                        };
                        if (Find(m_centres, sol[k].centre, same) >= 0) continue;
                        make(sol[k]);
                        return true;
                    }
                    return false;
                }
            }
            return false;
    }
    return false;
}

bool CScriptEvaluator::Run(const CScriptProgram& program, const CVariableSource& variable,
                           CScriptFault& fault, int& skipped) {
    m_program = &program;
    m_values.assign(program.statements.size(), CScriptValue{});
    m_points.clear();
    m_lineEnds.clear();
    m_centres.clear();
    skipped = 0;
    for (std::size_t i = 0; i < program.statements.size(); ++i) {
        const CScriptStatement& s = program.statements[i];
        CScriptValue v;
        bool skip = false;
        if (!Compute(s, variable, v, skip) || (!skip && !Finite(v))) {
            fault.message = "Error in Line-Nr : " + std::to_string(s.counter) +
                            " \nwith current token = " + std::to_string(s.failToken) +
                            " , \nactual value = " + FixedText(s.failNumber) +
                            ", \nword = " + s.failWord;
            fault.begin = s.begin;
            fault.end = s.end;
            fault.textLine = s.textLine;
            return false;
        }
        if (skip) {
            ++skipped;
            continue;
        }
        v.made = true;
        m_values[i] = v;
        const int index = int(i);
        if (s.kind == kKindPoint) Insert(m_points, v.a, index);
        if (s.kind == kKindLine) {
            Insert(m_lineEnds, v.a, index);
            Insert(m_lineEnds, v.b, index);
        }
        if (s.kind == kKindCircle) Insert(m_centres, v.a, index);
    }
    return true;
}

}  // namespace gyr
