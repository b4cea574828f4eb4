#pragma once
// Runs the registered benchmarks and then prints, once each, the ratios that
// have targets: "RATIO <name> <measured> <target>", read by scripts.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace gyr::bench {

struct Ratio {
    std::string name;
    std::string measured;  // benchmark names: measured / floor
    std::string floor;
    double target;
};

// Remembers the mean CPU time (steadier than wall time on a shared machine) per iteration of every
// benchmark it reports.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred && r.iterations > 0)
                m_seconds[r.benchmark_name()] = r.cpu_accumulated_time / double(r.iterations);
    }
    const std::map<std::string, double>& Seconds() const { return m_seconds; }

private:
    std::map<std::string, double> m_seconds;
};

inline int RunWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto& t = reporter.Seconds();
    for (const Ratio& r : ratios) {
        auto m = t.find(r.measured), f = t.find(r.floor);
        if (m == t.end() || f == t.end() || f->second <= 0) continue;  // filtered out
        std::printf("RATIO %s %.3f %g\n", r.name.c_str(), m->second / f->second, r.target);
    }
    std::fflush(stdout);
    return 0;
}

}  // namespace gyr::bench
