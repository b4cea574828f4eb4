#include "desktop/sheet_print.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include "control/gyr_view.h"
#include "desktop/qt_canvas.h"
#include "model/document.h"

namespace gyr {

const char* const kMsgPrintFailed = "The sheet could not be printed.";

QtPrintTarget::QtPrintTarget(QPrinter& printer) : m_printer(printer) {}

QtPrintTarget::~QtPrintTarget() {
    // The canvas refers to the painter: it goes first.
    m_canvas.reset();
    if (m_painter && m_painter->isActive()) m_painter->end();
}

CPrintDevice PrinterDevice(const QPrinter& printer) {
    CPrintDevice d;
    d.dpiX = printer.resolution();
    d.dpiY = printer.resolution();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toAlignedRect();
    d.pageWidth = page.width();
    d.pageHeight = page.height();
    return d;
}

CPrintDevice QtPrintTarget::Device() const {
    return PrinterDevice(m_printer);
}

Canvas* QtPrintTarget::Begin() {
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(&m_printer)) return nullptr;
    m_canvas = std::make_unique<QtCanvas>(*m_painter);
    return m_canvas.get();
}

bool QtPrintTarget::NewPage() {
    return m_printer.newPage();
}

bool QtPrintTarget::End() {
    m_canvas.reset();
    if (!m_painter || !m_painter->isActive()) return false;
    return m_painter->end() && m_printer.printerState() != QPrinter::Error;
}

bool QtPrintTarget::Cancelled() const {
    return m_printer.printerState() == QPrinter::Aborted;
}

long long PrinterPageCount(const CGyrView& view, const QPrinter& printer) {
    const CGyrDoc* doc = view.GetDocument();
    return doc ? PlanPrint(*doc, view.m_nScreenDpi, PrinterDevice(printer)).Count() : 0;
}

PrintResult PrintSheet(CGyrView& view, QPrinter& printer, bool honourRange) {
    long long first = 1, last = 0;
    if (honourRange && printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage();
        last = printer.toPage();
    }
    QtPrintTarget target(printer);
    return PrintView(view, target, first, last);
}

std::unique_ptr<QPrintPreviewDialog> MakePrintPreview(CGyrView& view, QPrinter& printer,
                                                      QWidget* parent) {
    auto dialog = std::make_unique<QPrintPreviewDialog>(&printer, parent);
    // Each request renders all pages at once, so that the printer's scale
    // never outlives it.
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [&view](QPrinter* p) { PrintSheet(view, *p, false); });
    return dialog;
}

bool PrintSheetToPdf(CGyrDoc& doc, PaperSize paper, bool landscape, std::vector<std::uint8_t>& out,
                     std::string* error) {
    auto fail = [error](const std::string& message) {
        if (error) *error = message;
        return false;
    };
    QTemporaryDir dir;
    if (!dir.isValid()) return fail(kMsgFailedSave);
    const QString path = dir.filePath("print.pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setResolution(kPdfPrintDpi);
        printer.setPageSize(
            QPageSize(paper == PaperSize::Letter ? QPageSize::Letter : QPageSize::A4));
        printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        // A PDF has no unprintable border.
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        QtPrintTarget target(printer);
        const PrintResult result = PrintDocument(doc, kPdfScreenDpi, target);
        if (result == PrintResult::NoPrintableArea) return fail(kMsgNoPrintableArea);
        if (result != PrintResult::Printed) return fail(kMsgFailedSave);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(kMsgFailedSave);
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) return fail(kMsgFailedSave);
    out.assign(bytes.begin(), bytes.end());
    return true;
}

}  // namespace gyr
