// Formula parser and evaluator on arbitrary text. The input is read like a
// graph's definition: the formula is its first line, the parameter values
// text everything after the first line feed.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "math/formula_parser.h"

namespace {

bool SameDouble(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t lineFeed = input.find('\n');
    const std::string_view values =
        lineFeed == std::string_view::npos ? std::string_view() : input.substr(lineFeed + 1);

    gyr::CFormulaParser parser;
    const int count = parser.Parse(input);
    if (count > gyr::CFormulaParser::kMaxParameters) std::abort();
    if ((count < 0) != !parser.Faults().empty()) std::abort();  // a failure is always told
    if (parser.Tree().nodes.size() > gyr::CFormulaParser::kMaxNodes) std::abort();

    parser.SetParameters(values, count < 0 ? gyr::CFormulaParser::kMaxParameters : count);
    parser.SetParameters(values, 1);
    for (int i = 0; i <= parser.ParameterCount(); ++i) (void)parser.ParameterLine(i);

    for (double x : {-3.5, -1.0, 0.0, 0.25, 2.0, 1e300, -HUGE_VAL}) {
        if (!SameDouble(parser.Evaluate(x), parser.EvaluateTree(x))) std::abort();
    }
    return 0;
}
