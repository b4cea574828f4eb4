// Printing a sheet of 3 x 3 A4 pages at 1200 dpi holding 20,000 segments:
// each page draws only what meets it, so the whole print costs at most
// twice drawing every segment once at that scale into one PDF page
// ("RATIO print_pages <measured> 2").

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <memory>
#include <random>

#include "bench_ratio.h"
#include "control/print_job.h"
#include "desktop/qt_canvas.h"
#include "figures/class_registry.h"
#include "figures/segment_obj.h"
#include "model/axes.h"
#include "model/document.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

constexpr int kDpi = 1200;
constexpr int kScreenDpi = 96;

// A PDF writer in memory as the printer of the print steps.
class PdfTarget : public CPrintTarget {
public:
    PdfTarget(QPdfWriter& writer, CPrintDevice device) : m_writer(writer), m_device(device) {}
    CPrintDevice Device() const override { return m_device; }
    Canvas* Begin() override {
        if (!m_painter.begin(&m_writer)) return nullptr;
        m_canvas = std::make_unique<QtCanvas>(m_painter);
        return m_canvas.get();
    }
    bool NewPage() override { return m_writer.newPage(); }
    bool End() override {
        m_canvas.reset();
        return m_painter.end();
    }

private:
    QPdfWriter& m_writer;
    CPrintDevice m_device;
    QPainter m_painter;
    std::unique_ptr<QtCanvas> m_canvas;
};

// 2000 x 2500 pixels: 25,000 x 31,250 at 1200 dpi, three A4 pages each way.
struct Sheet {
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    Sheet() {
        doc.OnNewDocument();
        CSheetParams p = doc.m_sheetParams;
        p.width = 2000;
        p.height = 2500;
        p.originX = 1000;
        p.originY = 1250;
        doc.m_sheetParams = p;
        doc.ApplySheetParams();
        std::mt19937 rng(19);
        std::uniform_real_distribution<double> x(-19.5, 19.5), y(-24.5, 24.5), d(-1.0, 1.0);
        for (int i = 0; i < 20000; ++i) {
            const CWorldPoint a{x(rng), y(rng)};
            doc.AddObject(NewSegment(&doc, a, a + CWorldPoint{d(rng), d(rng)}));
        }
    }
};

void PdfWriterAt1200(QPdfWriter& writer, const QPageSize& size) {
    writer.setResolution(kDpi);
    writer.setPageSize(size);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
}

void BM_PrintPages(benchmark::State& state) {
    Sheet s;
    const QPageSize a4(QPageSize::A4);
    const QSize px = a4.sizePixels(kDpi);
    long long pages = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        PdfWriterAt1200(writer, a4);
        PdfTarget target(writer, {kDpi, kDpi, px.width(), px.height()});
        if (PrintDocument(s.doc, kScreenDpi, target) != PrintResult::Printed)
            state.SkipWithError("not printed");
        pages = PlanPrint(s.doc, kScreenDpi, target.Device()).Count();
        benchmark::DoNotOptimize(buffer.data().size());
    }
    state.counters["pages"] = double(pages);
}

// Every segment once, at the print scale, on one page as large as the sheet.
void BM_DrawAllOnOnePage(benchmark::State& state) {
    Sheet s;
    const QPageSize whole(QSizeF(2000 * 72.0 / kScreenDpi, 2500 * 72.0 / kScreenDpi),
                          QPageSize::Point);
    const QSize px = whole.sizePixels(kDpi);
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        PdfWriterAt1200(writer, whole);
        CPrintJob job(s.doc, kScreenDpi, {kDpi, kDpi, px.width(), px.height()});
        QPainter painter(&writer);
        {
            QtCanvas canvas(painter);
            CPageCanvas scaled(canvas, job.Plan().pageWidth > 0 ? double(kDpi) / kScreenDpi : 1,
                               {0, 0, px.width(), px.height()});
            DrawAll(s.doc.Objects(), scaled);
        }
        painter.end();
        benchmark::DoNotOptimize(buffer.data().size());
    }
}

BENCHMARK(BM_PrintPages)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawAllOnOnePage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gyr

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    return gyr::bench::RunWithRatios(argc, argv,
                                     {{"print_pages", "BM_PrintPages", "BM_DrawAllOnOnePage", 2}});
}
