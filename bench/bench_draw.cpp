// Drawing 10,000 segments through the catalogue and the Qt canvas, against a
// bare QPainter::drawLine loop over the same pixels with the same pen.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <random>

#include "bench_ratio.h"
#include "desktop/qt_canvas.h"
#include "figures/class_registry.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

constexpr int kSegments = 10000;
constexpr int kSheet = 1000;

struct Scene {
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    CObList segments;          // the catalogue without its sheet object
    std::vector<QLine> lines;  // the pixels each segment strokes, in drawing order
    LogPen pen;
};

// Segments up to two units (100 pixels) long, spread over a 1000 x 1000 sheet,
// with the given pen width.
Scene& MakeScene(int penWidth) {
    auto* s = new Scene;
    s->doc.OnNewDocument();
    CSheetParams p = s->doc.m_sheetParams;
    p.width = p.height = kSheet;
    p.originX = p.originY = kSheet / 2;
    p.unitX = p.unitY = 50;
    s->doc.m_sheetParams = p;
    s->doc.ApplySheetParams();
    s->doc.m_drawAttr.penWidthX = penWidth;
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> centre(-9.0, 9.0), offset(-1.0, 1.0);
    for (int i = 0; i < kSegments; ++i) {
        auto* seg = new CShapeObj(2);
        seg->SetDocument(&s->doc);
        CWorldPoint c{centre(rng), centre(rng)};
        seg->m_points[0] = c + CWorldPoint{offset(rng), offset(rng)};
        seg->m_points[1] = c + CWorldPoint{offset(rng), offset(rng)};
        seg->RecalcBounds();
        s->doc.AddObject(seg);
        s->segments.push_back(seg);
        // A shape's outline runs from its last vertex back to the first.
        PixelPoint a = WorldToPixel(seg->m_points[1]), b = WorldToPixel(seg->m_points[0]);
        s->lines.emplace_back(a.x, a.y, b.x, b.y);
    }
    s->pen = static_cast<CShapeObj*>(s->segments.front())->m_logpen;
    return *s;
}

Scene& Thin() {
    static Scene& s = MakeScene(1);
    return s;
}

Scene& Thick() {
    static Scene& s = MakeScene(2);
    return s;
}

QImage& Target() {
    static QImage image(kSheet, kSheet, QImage::Format_RGB32);
    return image;
}

void DrawCatalogue(benchmark::State& state, Scene& scene) {
    QImage& image = Target();
    image.fill(Qt::white);
    QPainter painter(&image);
    const PixelRect all{0, 0, kSheet, kSheet};
    for (auto _ : state) {
        QtCanvas canvas(painter);
        DrawInRect(scene.segments, canvas, all);
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * kSegments);
}

void DrawBare(benchmark::State& state, Scene& scene) {
    QImage& image = Target();
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(MakeQPen(scene.pen));
    for (auto _ : state) {
        for (const QLine& l : scene.lines) painter.drawLine(l);
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * kSegments);
}

void BM_Draw10kSegments(benchmark::State& s) {
    DrawCatalogue(s, Thin());
}
void BM_DrawLine10kBare(benchmark::State& s) {
    DrawBare(s, Thin());
}
void BM_Draw10kSegmentsWidth2(benchmark::State& s) {
    DrawCatalogue(s, Thick());
}
void BM_DrawLine10kBareWidth2(benchmark::State& s) {
    DrawBare(s, Thick());
}

BENCHMARK(BM_Draw10kSegments)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawLine10kBare)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Draw10kSegmentsWidth2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawLine10kBareWidth2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gyr

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // fonts and the raster engine's setup
    return gyr::bench::RunWithRatios(
        argc, argv,
        {{"draw_10k_segments", "BM_Draw10kSegments", "BM_DrawLine10kBare", 1.5},
         {"draw_10k_segments_width2", "BM_Draw10kSegmentsWidth2", "BM_DrawLine10kBareWidth2",
          1.5}});
}
