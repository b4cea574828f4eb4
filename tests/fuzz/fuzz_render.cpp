// Load and render: whatever archive bytes load are drawn as the program
// would draw them, through the recording canvas at the sheet size the file
// declares, and exported to SVG in memory. Drawing must stay bounded: a
// hostile sheet record (a unit of 0, labels per unit of -inf, an origin near
// INT_MAX) once overflowed or drew hundreds of thousands of ticks.

#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "desktop/sheet_export.h"
#include "figures/class_registry.h"
#include "model/archive.h"
#include "model/axes.h"
#include "model/document.h"
#include "port/recording_canvas.h"
#include "port/scripted_host.h"

namespace {

// Far beyond what a few kilobytes of figures draw (a sheet of 32000 pixels
// with ticks two pixels apart draws about 100,000 primitives), far below
// what the unbounded tick loops drew.
constexpr std::size_t kMaxPrimitives = 400'000;
constexpr std::size_t kMaxPoints = 4'000'000;

void Fail(const char* what, std::size_t n) {
    std::fprintf(stderr, "%s: %zu\n", what, n);
    std::abort();
}

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "fuzz_render";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    App();
    gyr::ScriptedHost host;
    gyr::CGyrDoc doc{gyr::DrawingClasses()};
    try {
        doc.LoadFromBytes(data, size);
    } catch (const gyr::CArchiveException&) {
        return 0;
    }
    // As opening a file does: the head object becomes the sheet.
    gyr::CAxes* sheet = doc.Sheet();
    sheet->Update();
    doc.m_sheetParams = sheet->m_params;

    gyr::RecordingCanvas canvas;
    gyr::DrawAll(doc.Objects(), canvas);
    if (canvas.records.size() > kMaxPrimitives) Fail("primitives drawn", canvas.records.size());
    std::size_t points = 0;
    for (const auto& r : canvas.records) points += r.points.size();
    if (points > kMaxPoints) Fail("points drawn", points);

    std::vector<std::uint8_t> svg;
    std::string error;
    if (gyr::RenderSheet(doc, gyr::ExportFormat::Svg, 1.0, svg, &error)) {
        if (svg.size() < 6) Fail("SVG bytes", svg.size());
    } else if (error.empty()) {
        Fail("a failed export without a message", 0);
    }
    return 0;
}
