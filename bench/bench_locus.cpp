// A locus of 1,000 positions into a document: the circle script with an
// extra line, circle and intersection, played by the script, against a loop
// written by hand that computes the same points with the same kernel
// functions and adds the same points and curve.

#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "bench_ratio.h"
#include "constructions/locus_play.h"
#include "figures/class_registry.h"
#include "figures/compo_obj.h"
#include "figures/point_obj.h"
#include "math/kernel.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

constexpr int kPositions = 1000;

const char kScript[] =
    "L10 Circle Center (0, 0) (2, 0) ;\n"
    "L20 Point Variable L10 ;\n"
    "L30 Point (4, 0) ;\n"
    "L40 Line L20 L30 ;\n"
    "L50 Point Ratio L40 -1 ;\n"
    "L60 Line (3, -10) (3, 10) ;\n"
    "L70 Circle Center L50 L30 ;\n"
    "L80 Point Intersection L70 L60 ;\n";

struct Scene {
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    Scene() {
        ResetProgramState();
        doc.OnNewDocument();
    }
};

int g_points[2] = {0, 0};

void BM_ScriptLocus(benchmark::State& st) {
    Scene s;
    for (auto _ : st) {
        s.doc.OnNewDocument();
        const CScriptRunResult r = PlayLocus(s.doc, kScript, kPositions);
        if (!r.ok) st.SkipWithError(r.fault.message.c_str());
        g_points[0] = r.points;
    }
}

// The same construction written out.
void BM_DirectLocus(benchmark::State& st) {
    Scene s;
    const CWorldPoint o{0, 0}, q{4, 0}, a{3, -10}, b{3, 10};
    const double r0 = Distance(o, {2, 0});
    for (auto _ : st) {
        s.doc.OnNewDocument();
        auto curve = std::make_unique<CompoObj>();
        curve->SetDocument(&s.doc);
        curve->m_bBrush = 0;
        std::vector<CWorldPoint> run;
        int points = 0;
        for (int j = 0; j < kPositions; ++j) {
            const double t = double(j) / (kPositions - 1);
            const CWorldPoint v = o + CWorldPoint{std::cos(2 * std::numbers::pi * t),
                                                  std::sin(2 * std::numbers::pi * t)} *
                                          r0;
            const double w = -1.0 / (-1.0 - 1);
            const CWorldPoint m = v * (1 - w) + q * w;
            CWorldPoint x[2];
            const int n = CircleLineIntersection(m, Distance(m, q), a, b, x[0], x[1]);
            if (n == 0) {
                if (run.size() >= 2) curve->AddPoints(run.data(), int(run.size()), 0);
                run.clear();
                continue;
            }
            const bool taken = Coincide(x[0], v) || Coincide(x[0], q) || Coincide(x[0], m);
            const CWorldPoint p = n >= 2 && taken ? x[1] : x[0];
            s.doc.AddObject(NewPoint(&s.doc, p));
            run.push_back(p);
            ++points;
        }
        if (run.size() >= 2) curve->AddPoints(run.data(), int(run.size()), 0);
        curve->RecalcBounds();
        s.doc.AddObject(curve.release());
        g_points[1] = points;
    }
}

BENCHMARK(BM_ScriptLocus)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_DirectLocus)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
}  // namespace gyr

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    gyr::bench::RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto& t = reporter.Seconds();
    const auto script = t.find("BM_ScriptLocus/iterations:30");
    const auto direct = t.find("BM_DirectLocus/iterations:30");
    if (script != t.end()) std::printf("RATIO locus_1000_ms %.3f 100\n", script->second * 1e3);
    if (script != t.end() && direct != t.end() && direct->second > 0)
        std::printf("RATIO locus_vs_direct %.3f 15\n", script->second / direct->second);
    std::printf("AGREE locus_points %d/%d\n", gyr::g_points[0], gyr::g_points[1]);
    std::fflush(stdout);
    return 0;
}
