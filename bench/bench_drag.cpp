// One mouse move of a segment drag, as the window sees it: the controller
// tracks the new segment and invalidates the damaged rectangle, which is then
// repainted through an off-screen image and the Qt canvas and copied to the
// sheet's backing image. Timed on documents of 10,000 and of 100 segments: the
// cost must follow the damaged area, not the size of the document. A third
// document holds the 100 segments of the small one where the drag happens and
// 9,900 more elsewhere on a wider sheet, so that the damaged area holds the
// same segments in both and only the size of the document differs.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

#include "bench_ratio.h"
#include "bench_repaint.h"
#include "control/gyr_view.h"
#include "desktop/qt_canvas.h"
#include "figures/class_registry.h"
#include "figures/segment_obj.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

constexpr int kSheet = 1000;
// The wide sheet keeps its extra segments 10 to 180 units right of the
// visible square, far from every damaged rectangle.
constexpr int kWideSheet = 10000;

struct Scene {
    bench::DamageHost host;
    CGyrDoc doc{DrawingClasses()};
    CGyrView view{&doc};
    QImage backing{kSheet, kSheet, QImage::Format_RGB32};
    std::vector<double> millis;

    // far: segments placed beyond the drag's area on a wider sheet.
    explicit Scene(int segments, int far = 0) {
        doc.OnNewDocument();
        CSheetParams p = doc.m_sheetParams;
        p.width = far ? kWideSheet : kSheet;
        p.height = kSheet;
        p.originX = p.originY = kSheet / 2;
        doc.m_sheetParams = p;
        doc.ApplySheetParams();
        std::mt19937 rng(5);
        std::uniform_real_distribution<double> centre(-9.0, 9.0), offset(-1.0, 1.0);
        for (int i = 0; i < segments; ++i) {
            CWorldPoint c{centre(rng), centre(rng)};
            CSegmentObj* s = NewSegment(&doc, c + CWorldPoint{offset(rng), offset(rng)},
                                        c + CWorldPoint{offset(rng), offset(rng)});
            s->SetDocument(&doc);
            s->RecalcBounds();
            doc.AddObject(s);
        }
        std::uniform_real_distribution<double> farX(20.0, 180.0);
        for (int i = 0; i < far; ++i) {
            CWorldPoint c{farX(rng), centre(rng)};
            CSegmentObj* s = NewSegment(&doc, c + CWorldPoint{offset(rng), offset(rng)},
                                        c + CWorldPoint{offset(rng), offset(rng)});
            doc.AddObject(s);
        }
        backing.fill(Qt::white);
        view.State().m_bMatchPoints = false;  // every move costs the same
        view.OnCommand(ID_SEGMENTS_TOOL);     // line segments
        view.OnLButtonDown(kMkLButton, {400, 400});
        Repaint();
    }

    void Repaint() { bench::RepaintDamage(view, host, backing); }
};

// CPU time of this thread: steadier than wall time on a shared machine.
double ThreadCpuMillis() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// 0: the 10,000-segment document, 1: the 100-segment one, 2: the 100 of the
// small one plus 9,900 away from the drag.
Scene* g_scenes[3] = {};

void Drag(benchmark::State& state, int which, int segments, int far = 0) {
    Scene*& scene = g_scenes[which];
    if (!scene) scene = new Scene(segments, far);
    // The pointer wanders around the press point like a hand drawing a
    // segment of about a hundred pixels.
    int step = 0;
    for (auto _ : state) {
        ++step;
        PixelPoint p{480 + (step * 7) % 41, 470 + (step * 11) % 37};
        double start = ThreadCpuMillis();
        scene->view.OnMouseMove(kMkLButton, p);
        scene->Repaint();
        double ms = ThreadCpuMillis() - start;
        state.SetIterationTime(ms / 1000);
        scene->millis.push_back(ms);
    }
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(v.size() / 2), v.end());
    return v[v.size() / 2];
}

void BM_DragMove10kSegments(benchmark::State& s) {
    Drag(s, 0, 10000);
}
void BM_DragMove100Segments(benchmark::State& s) {
    Drag(s, 1, 100);
}

void BM_DragMove10kSameArea(benchmark::State& s) {
    Drag(s, 2, 100, 9900);
}

BENCHMARK(BM_DragMove10kSegments)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragMove100Segments)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragMove10kSameArea)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gyr

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    int rc = gyr::bench::RunWithRatios(argc, argv, {});
    using gyr::g_scenes;
    if (g_scenes[0] && g_scenes[1]) {
        // Benchmark reports means; the target is on the median move (CPU time).
        double big = gyr::Median(g_scenes[0]->millis), small = gyr::Median(g_scenes[1]->millis);
        std::printf("drag move median: %.3f ms with 10,000 segments, %.3f ms with 100\n", big,
                    small);
        std::printf("RATIO drag_move_median_ms %.3f 2\n", big);
        std::printf("RATIO drag_move_10k_over_100 %.3f 0\n", small > 0 ? big / small : 0.0);
    }
    if (g_scenes[1] && g_scenes[2]) {
        // The same damaged segments: only the document's size differs.
        double same = gyr::Median(g_scenes[2]->millis), small = gyr::Median(g_scenes[1]->millis);
        std::printf("drag move median: %.3f ms with 10,000 segments, 100 of them near the drag\n",
                    same);
        std::printf("RATIO drag_move_same_area %.3f 1.5\n", small > 0 ? same / small : 0.0);
    }
    return rc;
}
