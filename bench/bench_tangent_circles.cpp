// The tangent-circle solvers at the speed of a mouse move: one drag step of
// "tangent to 2, through 1 point" for two circles apart, through the view
// (the four circles of the gesture recomputed and their areas invalidated),
// and one solution of the problem of Apollonius for three circles apart.
// Prints the medians in microseconds against their target of 20.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench_repaint.h"
#include "control/gyr_view.h"
#include "figures/circle_obj.h"
#include "figures/class_registry.h"
#include "math/sheet_mapping.h"
#include "math/tangent_circles.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

struct Scene {
    bench::DamageHost host;
    CGyrDoc doc{DrawingClasses()};
    CGyrView view{&doc};

    Scene() {
        ResetProgramState();
        doc.OnNewDocument();
        doc.m_sheetParams = {.originX = 400, .originY = 300, .width = 800, .height = 600};
        doc.ApplySheetParams();
        view.State().m_bMatchPoints = false;  // every move costs the same
        for (double x : {-3.0, 3.0}) {
            CCircleObj* c = NewCircle(&doc, {x, 0}, 1);
            c->RecalcBounds();
            doc.AddObject(c);
        }
        view.OnCommand(ID_CIRCLE_TANGENT_2_THROUGH_1);
        for (double x : {-3.0, 3.0}) Click(WorldToPixel({x, 1}));
        view.OnLButtonDown(kMkLButton, WorldToPixel({0.5, 3}));
    }
    void Click(PixelPoint p) {
        view.OnLButtonDown(kMkLButton, p);
        view.OnLButtonUp(0, p);
    }
};

void TangentCirclesDrag(benchmark::State& state) {
    static Scene scene;
    const PixelPoint a = WorldToPixel({0.5, 3}), b = WorldToPixel({0.6, 3.1});
    if (scene.view.State().m_gesture.size() != 4) state.SkipWithError("not four circles");
    int step = 0;
    for (auto _ : state) {
        scene.view.OnMouseMove(kMkLButton, (++step & 1) ? b : a);
        scene.host.damage = {};
    }
}
BENCHMARK(TangentCirclesDrag)->Repetitions(9)->ReportAggregatesOnly(true);

void Apollonius3(benchmark::State& state) {
    const TouchObject k1 = TouchObject::Circle({0, 0}, 1), k2 = TouchObject::Circle({4, 0}, 1),
                      k3 = TouchObject::Circle({2, 3}, 1);
    CircleValue out[8];
    for (auto _ : state) {
        benchmark::DoNotOptimize(TangentCircles3(k1, k2, k3, out));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Apollonius3)->Repetitions(9)->ReportAggregatesOnly(true);

// Keeps the median CPU time per iteration of each benchmark.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median" &&
                !r.error_occurred && r.iterations > 0)
                medians[r.run_name.function_name] = r.cpu_accumulated_time / double(r.iterations);
    }
    std::map<std::string, double> medians;
};

}  // namespace
}  // namespace gyr

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    gyr::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const std::pair<const char*, const char*> names[] = {
        {"TangentCirclesDrag", "tangent_circles_drag_us"}, {"Apollonius3", "apollonius3_us"}};
    for (const auto& [bench, ratio] : names) {
        auto it = reporter.medians.find(bench);
        if (it != reporter.medians.end())
            std::printf("RATIO %s %.3f 20\n", ratio, it->second * 1e6);
    }
    std::fflush(stdout);
    return 0;
}
