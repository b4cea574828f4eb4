#pragma once
// The locus script language on plain values: the tokenizer, the parser that
// turns a script text into statements (every reference resolved to an earlier
// statement), and the evaluator that computes one pass of the construction.
// Nothing here makes drawing objects or shows messages: faults are returned
// with their exact text and the statement's place in the text, so that the
// script window can select it and the command line can name its line.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "math/world_point.h"

namespace gyr {

// Token codes, as the "Error in Line-Nr" message prints them.
enum ScriptToken : int {
    kScriptEnd = 0,
    kScriptWord = 1,
    kScriptNumber = 2,
    kScriptOpen = 3,
    kScriptClose = 4,
    kScriptSemicolon = 5,
    kScriptBad = 6,
};

// Kind codes; "Scalar" is never a script line of its own.
enum ScriptKind : int { kKindScalar = 0, kKindPoint = 1, kKindLine = 2, kKindCircle = 3 };

// Operation codes.
enum ScriptOp : int {
    kOpNone = 0,
    kOpThrough = 1,
    kOpEndpoint = 2,
    kOpCenter = 3,
    kOpRotated = 4,
    kOpOrthogonal = 5,
    kOpParallel = 6,
    kOpIntersection = 7,
    kOpVariable = 8,
    kOpTangent = 9,
    kOpTangentAt = 10,
    kOpCommonTangent = 11,
    kOpTangentCentered = 12,
    kOpRatio = 13,
    kOpReflected = 14,
};

// The words of the kind and operation tables, each with its trailing blank
// (the empty operation is the empty text), as the recorder writes them.
extern const char* const kScriptKindWords[4];
extern const char* const kScriptOpWords[15];

// Limits, checked before anything is computed.
constexpr std::size_t kScriptMaxChars = 30000;
constexpr std::size_t kStatementMaxChars = 1000;
constexpr int kStatementMaxTokens = 64;
constexpr long long kLocusMaxWork = 2000000;  // points x lines

// Reads one token at a time. Separators are white space, ",", ":"; words
// starting with a lower-case letter are skipped (comments).
class CScriptTokenizer {
public:
    explicit CScriptTokenizer(std::string_view text) : m_text(text) {}
    // The next token's code; word() and number() keep the last word and
    // number read. Every token read, skipped words included, is counted.
    int Next();
    std::string_view Word() const { return m_word; }
    double Number() const { return m_number; }
    std::size_t Position() const { return m_pos; }
    // Where the last token (not a skipped word) began.
    std::size_t TokenStart() const { return m_start; }
    int TokensRead() const { return m_tokens; }

private:
    bool ReadNumber();

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_start = 0;
    std::string_view m_word;
    double m_number = 0;
    int m_tokens = 0;
};

// One script line, its references resolved.
struct CScriptStatement {
    int label = 0;
    int kind = kKindPoint;
    int op = kOpNone;
    int refs[3] = {-1, -1, -1};  // indices of earlier statements
    int nRefs = 0;
    CWorldPoint pairs[3];
    int nPairs = 0;
    double numbers[3] = {0, 0, 0};
    int nNumbers = 0;
    int selector = -1;
    // The arguments' codes as written (p, l, c references, Q pairs, N
    // numbers, S the selector).
    char args[5] = {};
    int nArgs = 0;
    // The statement's text: from its label to its ";" inclusive.
    std::size_t begin = 0, end = 0;
    int textLine = 1;  // 1-based line of the text where the label stands
    // What the "Error in Line-Nr" message shows when the statement fails
    // while it is computed: the state of the reader after its ";".
    int counter = 0;  // the parsed-line counter i
    int failToken = kScriptSemicolon;
    double failNumber = 0;
    std::string failWord;
};

struct CScriptProgram {
    std::vector<CScriptStatement> statements;
    int variableLines = 0;
};

// A failure: the message as the user sees it and where it happened (a
// statement's text range and line; begin == end when there is no statement).
struct CScriptFault {
    std::string message;
    std::size_t begin = 0, end = 0;
    int textLine = 0;
};

// Parses the whole text. False with the fault on the first error.
bool ParseScript(std::string_view text, CScriptProgram& program, CScriptFault& fault);

// What one pass computed for a statement.
struct CScriptValue {
    bool made = false;
    CWorldPoint a;  // the point, the line's first end, the circle's centre
    CWorldPoint b;  // the line's second end, the circle's point
    double r = 0;   // the circle's radius
};

// Where the "Variable" point stands: at the parameter t of a locus pass, or
// (no t) a random point from the source (uniform integers 0 .. 32767).
struct CVariableSource {
    std::optional<double> t;
    std::function<int()> random;
};

// The values of one pass, reused from pass to pass, and the indices of the
// points, line ends and circle centres made so far (cells of 1e-8), so that
// the coincidence rules cost a constant per look-up.
class CScriptEvaluator {
public:
    // Computes every statement in order. False with the fault when a line
    // fails; skipped receives the number of lines skipped (an intersection
    // or a tangent that does not exist, and the lines that depend on it).
    bool Run(const CScriptProgram& program, const CVariableSource& variable, CScriptFault& fault,
             int& skipped);
    const std::vector<CScriptValue>& Values() const { return m_values; }

private:
    using CellKey = std::uint64_t;
    static CellKey Key(double cx, double cy);
    void Insert(std::unordered_multimap<CellKey, int>& index, const CWorldPoint& p, int i);
    // The first value in the index within 1e-8 of p satisfying match, or -1.
    template <class Match>
    int Find(const std::unordered_multimap<CellKey, int>& index, const CWorldPoint& p,
             Match match) const;
    bool Compute(const CScriptStatement& s, const CVariableSource& variable, CScriptValue& v,
                 bool& skip);

    int KindOf(int statement) const { return m_program->statements[statement].kind; }

    const CScriptProgram* m_program = nullptr;
    std::vector<CScriptValue> m_values;
    std::unordered_multimap<CellKey, int> m_points, m_lineEnds, m_centres;
};

// "Script must contain exactly one line of the form ..." with the count.
std::string VariableCountMessage(int count);
extern const char* const kLastLineMessage;
std::string LocusTooLargeMessage(int points, int lines);

// "(%f, %f) " and "%f " as the recorder writes them, independent of the
// locale.
std::string FormatScriptPair(const CWorldPoint& p);
std::string FormatScriptNumber(double v);

}  // namespace gyr
