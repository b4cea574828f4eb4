// Drawing a 400 x 300 pixel text box holding 1,000,000 characters against the
// same box holding only its first 2,000 (about what it shows): the work must
// follow the box, not the text.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "bench_ratio.h"
#include "desktop/qt_canvas.h"
#include "figures/class_registry.h"
#include "figures/text_obj.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

struct Scene {
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
};

Scene& TheScene() {
    static Scene* s = [] {
        auto* scene = new Scene;
        scene->doc.OnNewDocument();
        return scene;
    }();
    return *s;
}

// Words of five letters and a space, as typed text wraps.
std::string Words(std::size_t n) {
    std::string s;
    s.reserve(n);
    while (s.size() < n) s += (s.size() % 6 == 5) ? ' ' : char('a' + s.size() % 26);
    return s;
}

void DrawBox(benchmark::State& state, std::size_t chars) {
    Scene& scene = TheScene();
    CWorldPoint lt, rb;
    PixelRectToWorld({100, 100, 500, 400}, lt, rb);
    CTextObj box(Words(chars), lt, rb, scene.doc.m_textAttr);
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (auto _ : state) {
        QtCanvas canvas(painter);
        box.Draw(canvas);
    }
}

void BM_TextBoxMillion(benchmark::State& s) {
    DrawBox(s, 1000000);
}
void BM_TextBoxTwoThousand(benchmark::State& s) {
    DrawBox(s, 2000);
}

BENCHMARK(BM_TextBoxMillion)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextBoxTwoThousand)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gyr

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // fonts and the raster engine's setup
    return gyr::bench::RunWithRatios(
        argc, argv, {{"text_box_draw", "BM_TextBoxMillion", "BM_TextBoxTwoThousand", 3}});
}
