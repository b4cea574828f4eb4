// Pictures at speed: repainting a 200 × 200 damaged rectangle over a
// 4000 × 3000 bitmap picture against a bare QPainter::drawImage of that
// region (the decode happens once, not per repaint), and playing our
// metafile of 10,000 segments against drawing the segments directly.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "bench_ratio.h"
#include "desktop/qt_canvas.h"
#include "figures/class_registry.h"
#include "figures/pict_obj.h"
#include "model/document.h"
#include "port/emf_canvas.h"
#include "port/emf_player.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

constexpr int kW = 4000, kH = 3000;
constexpr int kSegments = 10000;

struct Scene {
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    std::unique_ptr<CPict> pict;
    QImage bare;
    std::vector<std::uint8_t> emf;
    std::vector<PixelPoint> segments;
};

Scene& TheScene() {
    static Scene* s = [] {
        auto* scene = new Scene;
        scene->doc.OnNewDocument();
        DibImage img;
        img.width = kW;
        img.height = kH;
        img.pixels.resize(std::size_t(kW) * kH);
        for (std::size_t i = 0; i < img.pixels.size(); ++i)
            img.pixels[i] = 0xFF000000u | std::uint32_t(i * 2654435761u >> 8);
        scene->pict = std::make_unique<CPict>(MakeDib24(img));
        scene->pict->GetDib().Image();  // decoded once, as the first paint does
        scene->bare = ImageOf(*scene->pict->GetDib().Image()).copy();
        const std::int32_t frame[4] = {0, 0, 805 * 26, 605 * 26};
        EmfCanvas emf(frame, {0, 0, 800, 600});
        const LogPen pen{kPenSolid, 1, 0, 0x800000};
        emf.SelectPen(&pen);
        for (int i = 0; i < kSegments; ++i) {
            const PixelPoint a{(i * 37) % 800, (i * 91) % 600}, b{(i * 53) % 800, (i * 17) % 600};
            scene->segments.push_back(a);
            scene->segments.push_back(b);
            const PixelPoint line[] = {a, b};
            emf.Polyline(line, 2);
        }
        scene->emf = emf.Finish();
        return scene;
    }();
    return *s;
}

// The damaged rectangle (1000, 1000, 1200, 1200) of the sheet.
void BM_PictureRepaint(benchmark::State& state) {
    Scene& s = TheScene();
    const PixelRect box = s.pict->GetPixelBounds();
    QImage target(200, 200, QImage::Format_RGB32);
    QPainter painter(&target);
    painter.translate(-(box.left + 1000), -(box.top + 1000));
    painter.setClipRect(box.left + 1000, box.top + 1000, 200, 200);
    for (auto _ : state) {
        QtCanvas canvas(painter);
        s.pict->Draw(canvas);
    }
}

void BM_BareDrawImage(benchmark::State& state) {
    Scene& s = TheScene();
    QImage target(200, 200, QImage::Format_RGB32);
    QPainter painter(&target);
    for (auto _ : state)
        painter.drawImage(QRect(0, 0, 200, 200), s.bare, QRect(1000, 1000, 200, 200));
}

void BM_EmfPlay(benchmark::State& state) {
    Scene& s = TheScene();
    QImage target(800, 600, QImage::Format_RGB32);
    QPainter painter(&target);
    for (auto _ : state) {
        QtCanvas canvas(painter);
        PlayEmf(s.emf.data(), s.emf.size(), canvas, {0, 0, 800, 600});
    }
}

void BM_SegmentsDirect(benchmark::State& state) {
    Scene& s = TheScene();
    QImage target(800, 600, QImage::Format_RGB32);
    QPainter painter(&target);
    const LogPen pen{kPenSolid, 1, 0, 0x800000};
    for (auto _ : state) {
        QtCanvas canvas(painter);
        canvas.SelectPen(&pen);
        for (std::size_t i = 0; i < s.segments.size(); i += 2) canvas.Polyline(&s.segments[i], 2);
    }
}

BENCHMARK(BM_PictureRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareDrawImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EmfPlay)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SegmentsDirect)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gyr

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // the raster engine's setup
    return gyr::bench::RunWithRatios(
        argc, argv,
        {{"picture_repaint", "BM_PictureRepaint", "BM_BareDrawImage", 2},
         {"emf_play", "BM_EmfPlay", "BM_SegmentsDirect", 2}});
}
