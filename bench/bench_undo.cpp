// Undo of a small change in a large drawing: one selected segment among
// 100,000 (and among 100) moved by an arrow key, the move undone, then
// redone. The history names objects by their catalogue places and replaces
// only what the step touched, so the three must cost the same whatever the
// size of the document. The target is on the median of the three together.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <random>
#include <vector>

#include "bench_ratio.h"
#include "control/gyr_view.h"
#include "figures/class_registry.h"
#include "figures/segment_obj.h"
#include "model/document.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

// Repaint requests cost nothing here: only the history is timed.
class QuietHost : public ScriptedHost {
public:
    void Invalidate(const PixelRect&) override {}
    void InvalidateAll() override {}
};

struct Scene {
    QuietHost host;
    CGyrDoc doc{DrawingClasses()};
    CGyrView view{&doc};
    std::vector<double> millis;

    explicit Scene(int segments) {
        doc.OnNewDocument();
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> c(-9.0, 9.0);
        for (int i = 0; i < segments; ++i) {
            CSegmentObj* s = NewSegment(&doc, {c(rng), c(rng)}, {c(rng), c(rng)});
            s->RecalcBounds();
            doc.AddObject(s);
        }
        view.OnCommand(ID_SELECT_TOOL);
        // The selected segment lies in the middle of the catalogue.
        view.State().Select(doc.Objects()[doc.Objects().size() / 2]);
    }
};

double ThreadCpuMillis() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

std::unique_ptr<Scene> g_scenes[2];

void MoveUndoRedo(benchmark::State& state, int index, int segments) {
    if (!g_scenes[index]) g_scenes[index] = std::make_unique<Scene>(segments);
    Scene& scene = *g_scenes[index];
    for (auto _ : state) {
        const double start = ThreadCpuMillis();
        scene.view.OnKeyDown(kKeyRight, 0);
        scene.view.OnCommand(ID_EDIT_UNDO);
        scene.view.OnCommand(ID_EDIT_REDO);
        const double ms = ThreadCpuMillis() - start;
        state.SetIterationTime(ms / 1000);
        scene.millis.push_back(ms);
    }
    if (scene.doc.History().DoneCount() == 0) state.SkipWithError("nothing was recorded");
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(v.size() / 2), v.end());
    return v[v.size() / 2];
}

void BM_UndoOneOf100k(benchmark::State& s) {
    MoveUndoRedo(s, 0, 100000);
}
void BM_UndoOneOf100(benchmark::State& s) {
    MoveUndoRedo(s, 1, 100);
}

BENCHMARK(BM_UndoOneOf100k)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoOneOf100)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gyr

int main(int argc, char** argv) {
    int rc = gyr::bench::RunWithRatios(argc, argv, {});
    using gyr::g_scenes;
    if (g_scenes[0] && g_scenes[1]) {
        const double big = gyr::Median(g_scenes[0]->millis);
        const double small = gyr::Median(g_scenes[1]->millis);
        std::printf("move, undo, redo median: %.4f ms with 100,000 segments, %.4f ms with 100\n",
                    big, small);
        std::printf("RATIO undo_one_of_many_ms %.4f 1\n", big);
        std::printf("RATIO undo_one_of_many %.3f 3\n", small > 0 ? big / small : 0.0);
    }
    return rc;
}
