#pragma once
// The desktop's side of printing: a QPrinter as the core's print target, the
// window's print, preview and PDF paths. The page plan, the print scale and
// what each page draws are the core's (control/print_job).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "control/print_job.h"

class QPainter;
class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace gyr {

class CGyrView;
class QtCanvas;

// Said when the printer refused the job.
extern const char* const kMsgPrintFailed;  // "The sheet could not be printed."

// A QPrinter as the print steps use it. Its printable area is the page less
// the layout's margins (the whole page in full-page mode).
class QtPrintTarget : public CPrintTarget {
public:
    explicit QtPrintTarget(QPrinter& printer);
    ~QtPrintTarget() override;
    CPrintDevice Device() const override;
    Canvas* Begin() override;
    bool NewPage() override;
    bool End() override;
    bool Cancelled() const override;

private:
    QPrinter& m_printer;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QtCanvas> m_canvas;
};

// The printer's resolution and printable area.
CPrintDevice PrinterDevice(const QPrinter& printer);

// The number of pages the view's sheet takes on the printer's current paper.
long long PrinterPageCount(const CGyrView& view, const QPrinter& printer);

// Prints through the view's print step; with honourRange the printer's
// chosen page range (from the print dialog), otherwise every page.
PrintResult PrintSheet(CGyrView& view, QPrinter& printer, bool honourRange = true);

// A print preview over the printer that renders every page of the view's
// sheet each time it is asked to.
std::unique_ptr<QPrintPreviewDialog> MakePrintPreview(CGyrView& view, QPrinter& printer,
                                                      QWidget* parent);

// Paper sizes of the command line.
enum class PaperSize { A4, Letter };

// The whole sheet as PDF bytes, printed through the same job at 1200 dpi
// with the screen resolution 96 and no page margins. False with a message
// in error when printing fails. Needs a QGuiApplication.
bool PrintSheetToPdf(CGyrDoc& doc, PaperSize paper, bool landscape, std::vector<std::uint8_t>& out,
                     std::string* error);

// The resolution of the command line's PDF printer, and the screen's it
// stands for.
constexpr int kPdfPrintDpi = 1200;
constexpr int kPdfScreenDpi = 96;

}  // namespace gyr
