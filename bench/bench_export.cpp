// Exporting hostile sheets: a 103-byte file whose unit is 0 pixels once drew
// 65,536 ticks a side into a 166 MB SVG. Only ticks on the sheet, at least
// two pixels apart, are drawn now; the export of such a file must take well
// under 0.1 s ("RATIO hostile_svg_export_ms <measured> 100").

#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench_ratio.h"
#include "desktop/sheet_export.h"
#include "figures/class_registry.h"
#include "model/axes.h"
#include "model/document.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

// A new document whose sheet record is edited as a hand-made file may be.
void ExportSvg(benchmark::State& state, void (*edit)(CSheetParams&)) {
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    doc.OnNewDocument();
    CSheetParams p = doc.m_sheetParams;
    edit(p);
    doc.Sheet()->SetAll(p);
    std::vector<std::uint8_t> svg;
    for (auto _ : state) {
        if (!RenderSheet(doc, ExportFormat::Svg, 1.0, svg, nullptr)) state.SkipWithError("failed");
        benchmark::DoNotOptimize(svg.data());
    }
    state.counters["bytes"] = double(svg.size());
}

void BM_ExportSvgUnitZero(benchmark::State& s) {
    ExportSvg(s, [](CSheetParams& p) { p.unitX = p.unitY = 0; });
}
void BM_ExportSvgLabelsMinusInf(benchmark::State& s) {
    ExportSvg(s, [](CSheetParams& p) { p.labelsPerX = p.labelsPerY = -HUGE_VAL; });
}
void BM_ExportSvgNewDocument(benchmark::State& s) {
    ExportSvg(s, [](CSheetParams&) {});
}

BENCHMARK(BM_ExportSvgUnitZero)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportSvgLabelsMinusInf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportSvgNewDocument)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gyr

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    gyr::bench::RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto& t = reporter.Seconds();
    if (auto it = t.find("BM_ExportSvgUnitZero"); it != t.end())
        std::printf("RATIO hostile_svg_export_ms %.3f 100\n", it->second * 1e3);
    return 0;
}
