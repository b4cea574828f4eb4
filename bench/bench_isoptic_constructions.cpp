// The isoptic constructions that must feel immediate, on the cubic of
// A(-3,-1) B(-2,1) C(0,-2) D(-1,-2) sampled at n = 1001:
// * one pointer move of the angle animation (the foot of the pointer, the two
//   angles moved, their damaged area repainted through the Qt canvas),
//   against one move of a segment drag on the same document;
// * the flex search on a cubic whose flexes were never computed.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "bench_ratio.h"
#include "bench_repaint.h"
#include "control/gyr_view.h"
#include "desktop/qt_canvas.h"
#include "figures/class_registry.h"
#include "figures/isoptic_obj.h"
#include "math/isoptic_derived.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

double ThreadCpuMillis() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(v.size() / 2), v.end());
    return v[v.size() / 2];
}

struct Scene {
    bench::DamageHost host;
    CGyrDoc doc{DrawingClasses()};
    CGyrView view{&doc};
    QImage backing{770, 1100, QImage::Format_RGB32};
    CIsoptic* cubic = nullptr;
    std::vector<double> millis;

    // animate: the angle animation's drag, else a segment drag.
    explicit Scene(bool animate) {
        ProgramState().isoptic.halfPoints = 1001;
        doc.OnNewDocument();
        doc.m_sheetParams = {.originX = 385, .originY = 550, .width = 770, .height = 1100};
        doc.ApplySheetParams();
        cubic = AddIsopticThrough(&doc, {-3, -1}, {-2, 1}, {0, -2}, {-1, -2});
        backing.fill(Qt::white);
        view.State().m_bMatchPoints = false;  // every move costs the same
        if (animate) {
            view.OnCommand(ID_ISOPTIC_ANIMATION);
            const PixelPoint on = WorldToPixel(cubic->m_pts[0]);
            view.OnLButtonDown(kMkLButton, on);
            view.OnLButtonUp(0, on);
        } else {
            view.OnCommand(ID_SEGMENTS_TOOL);
        }
        view.OnLButtonDown(kMkLButton, WorldToPixel({1, 1}));
        Repaint();
    }

    void Repaint() { bench::RepaintDamage(view, host, backing); }
};

Scene* g_scenes[2] = {};

void Move(benchmark::State& state, int which) {
    Scene*& scene = g_scenes[which];
    if (!scene) scene = new Scene(which == 0);
    // The pointer wanders near the press, about a hundred pixels across.
    const PixelPoint base = WorldToPixel({1, 1});
    int step = 0;
    for (auto _ : state) {
        ++step;
        PixelPoint p{base.x + 40 + (step * 7) % 41, base.y - 30 + (step * 11) % 37};
        const double start = ThreadCpuMillis();
        scene->view.OnMouseMove(kMkLButton, p);
        scene->Repaint();
        const double ms = ThreadCpuMillis() - start;
        state.SetIterationTime(ms / 1000);
        scene->millis.push_back(ms);
    }
}

void BM_AngleAnimationMove(benchmark::State& s) {
    Move(s, 0);
}
void BM_SegmentDragMove(benchmark::State& s) {
    Move(s, 1);
}

std::vector<double> g_flexMillis;
std::vector<double> g_everyStartMillis;

void BM_FindFlexesFresh(benchmark::State& state) {
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    ProgramState().isoptic.halfPoints = 1001;
    doc.OnNewDocument();
    doc.m_sheetParams = {.originX = 385, .originY = 550, .width = 770, .height = 1100};
    doc.ApplySheetParams();
    CIsoptic* cubic = AddIsopticThrough(&doc, {-3, -1}, {-2, 1}, {0, -2}, {-1, -2});
    int calls = 0;
    for (auto _ : state) {
        cubic->m_nExtra = -1;  // never computed
        const double start = ThreadCpuMillis();
        benchmark::DoNotOptimize(cubic->FindFlexes(&calls));
        const double ms = ThreadCpuMillis() - start;
        state.SetIterationTime(ms / 1000);
        g_flexMillis.push_back(ms);
    }
    state.counters["solver_starts"] = calls;
}

// The bound of the search: the solver from every start the search could
// take (each component from its middle outwards), none stopping it.
void BM_FlexSolverEveryStart(benchmark::State& state) {
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    ProgramState().isoptic.halfPoints = 1001;
    doc.OnNewDocument();
    doc.m_sheetParams = {.originX = 385, .originY = 550, .width = 770, .height = 1100};
    doc.ApplySheetParams();
    const CIsoptic* cubic = AddIsopticThrough(&doc, {-3, -1}, {-2, 1}, {0, -2}, {-1, -2});
    const CIsopticFrame f = cubic->Frame();
    std::vector<CWorldPoint> starts;
    for (const Compo* compo : cubic->m_compos) {
        const int n = compo->Count(), m = n / 2;
        if (n < 4) continue;
        for (int i = 1; i < m; ++i)
            for (int index : {m + i, m - i})
                starts.push_back(f.ToCanonical(compo->m_points[index]));
    }
    for (auto _ : state) {
        const double start = ThreadCpuMillis();
        int found = 0;
        for (const CWorldPoint& s : starts) {
            CWorldPoint flex;
            found += SolveFlex(cubic->Constants(), s, flex) == 0;
        }
        benchmark::DoNotOptimize(found);
        const double ms = ThreadCpuMillis() - start;
        state.SetIterationTime(ms / 1000);
        g_everyStartMillis.push_back(ms);
    }
    state.counters["solver_starts"] = double(starts.size());
}

BENCHMARK(BM_AngleAnimationMove)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SegmentDragMove)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindFlexesFresh)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FlexSolverEveryStart)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gyr

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const int rc = gyr::bench::RunWithRatios(argc, argv, {});
    using gyr::g_scenes;
    if (g_scenes[0] && g_scenes[1]) {
        const double anim = gyr::Median(g_scenes[0]->millis);
        const double seg = gyr::Median(g_scenes[1]->millis);
        std::printf("median move: %.4f ms angle animation, %.4f ms segment drag\n", anim, seg);
        std::printf("RATIO angle_animation_move %.3f 2\n", seg > 0 ? anim / seg : 0.0);
    }
    if (!gyr::g_flexMillis.empty())
        std::printf("RATIO flexes_ms %.3f 5\n", gyr::Median(gyr::g_flexMillis));
    if (!gyr::g_everyStartMillis.empty())
        std::printf("flex solver from every start: median %.3f ms\n",
                    gyr::Median(gyr::g_everyStartMillis));
    return rc;
}
