// One isoptic cubic of two real pieces built from four points, from the frame
// to the box, as a drag of one of its points re-samples it: n = 1001 and
// n = 41 half-points. The floor computes the same roots at the same
// abscissas with the same square root into one preallocated array.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench_ratio.h"
#include "figures/class_registry.h"
#include "figures/isoptic_obj.h"
#include "math/geom_sqrt.h"
#include "math/isoptic.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

const CWorldPoint kA{-3, -1}, kB{-2, 1}, kC{0, -2}, kD{-1, -2};

struct Sheet {
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    Sheet() {
        doc.OnNewDocument();
        doc.m_sheetParams = {.originX = 385, .originY = 550, .width = 770, .height = 1100};
        doc.ApplySheetParams();
    }
};

void BuildCubic(benchmark::State& st) {
    Sheet sheet;
    ProgramState().isoptic.halfPoints = int(st.range(0));
    for (auto _ : st) {
        const CIsopticDefinition def = DefineIsoptic(kA, kB, kC, kD);
        std::unique_ptr<CIsoptic> obj(NewIsopticOf(def.build));
        obj->SetDefinition(def);
        obj->SetDocument(&sheet.doc);
        obj->Recompute();
        benchmark::DoNotOptimize(obj->m_leftTop);
    }
}

// The abscissas of the three sampled runs of the cubic, each root pair
// mapped to the world and stored.
void Floor(benchmark::State& st) {
    const int n = int(st.range(0));
    const CIsopticDefinition def = DefineIsoptic(kA, kB, kC, kD);
    const CIsopticIntervals iv = IsopticIntervals(CubicClass::Two, def.k);
    const CIsopticConstants k = def.k;
    const CIsopticFrame f = def.frame;
    const double runs[3][2] = {
        {iv.x[0], k.a - kAsymptoteGap}, {iv.x[1], k.a + kAsymptoteGap}, {iv.x[2], iv.x[3]}};
    std::vector<CWorldPoint> out(std::size_t(6 * n));
    for (auto _ : st) {
        std::size_t j = 0;
        for (const auto& r : runs) {
            const double dx = (r[1] - r[0]) / (n - 1);
            for (int i = 0; i < n; ++i) {
                const double x = r[0] + i * dx;
                const double t = x * (x - k.a);
                const double s = GeomSqrt(k.c * k.c - 4 * t * (t + k.b));
                const double h = 0.5 / (x - k.a);
                out[j++] = f.ToWorld({x, -(s + k.c) * h});
                out[j++] = f.ToWorld({x, (s - k.c) * h});
            }
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BuildCubic)->Arg(1001)->Arg(41)->Unit(benchmark::kMicrosecond);
BENCHMARK(Floor)->Arg(1001)->Arg(41)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gyr

int main(int argc, char** argv) {
    return gyr::bench::RunWithRatios(argc, argv,
                                     {{"isoptic_sample", "BuildCubic/1001", "Floor/1001", 2}});
}
