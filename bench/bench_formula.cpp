// Evaluating the default graph formula at 1,000,000 points through the
// compiled formula, against the same expression written in C++. Prints
// "RATIO formula_eval <measured> <target>".

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "bench_ratio.h"
#include "math/formula_parser.h"
#include "port/scripted_host.h"

namespace {

constexpr int kPoints = 1'000'000;
const char* kFormula = "alpha*x*sin(beta*x*x)-gamma*cos(delta*x+epsilon)";
const char* kValues = "1.   -0.3   1.8  1.2    23.2";

const std::vector<double>& Points() {
    static const std::vector<double> xs = [] {
        std::vector<double> v(kPoints);
        for (int i = 0; i < kPoints; ++i) v[i] = -5.0 + 10.0 * i / (kPoints - 1);
        return v;
    }();
    return xs;
}

double HandWritten(const double* p, double x) {
    return p[0] * x * std::sin(p[1] * x * x) - p[2] * std::cos(p[3] * x + p[4]);
}

void BM_FormulaEval(benchmark::State& state) {
    gyr::ScriptedHost host;
    gyr::CFormulaParser parser;
    if (parser.Parse(kFormula) != 5 || !parser.SetParameters(kValues, 5)) {
        state.SkipWithError("default formula did not parse");
        return;
    }
    const auto& xs = Points();
    for (auto _ : state) {
        double sum = 0.0;
        for (double x : xs) sum += parser.Evaluate(x);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_FormulaEval)->Unit(benchmark::kMillisecond);

void BM_HandWritten(benchmark::State& state) {
    double p[5] = {1.0, -0.3, 1.8, 1.2, 23.2};
    benchmark::DoNotOptimize(p);  // keeps the values from being folded in
    const auto& xs = Points();
    for (auto _ : state) {
        double sum = 0.0;
        for (double x : xs) sum += HandWritten(p, x);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_HandWritten)->Unit(benchmark::kMillisecond);

// The two must agree before their speeds are compared.
bool SameResults() {
    gyr::ScriptedHost host;
    gyr::CFormulaParser parser;
    parser.Parse(kFormula);
    parser.SetParameters(kValues, 5);
    const double p[5] = {1.0, -0.3, 1.8, 1.2, 23.2};
    for (double x : Points()) {
        if (parser.Evaluate(x) != HandWritten(p, x)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (!SameResults()) {
        std::fprintf(stderr, "formula and hand-written function disagree\n");
        return 1;
    }
    return gyr::bench::RunWithRatios(argc, argv,
                                     {{"formula_eval", "BM_FormulaEval", "BM_HandWritten", 4}});
}
