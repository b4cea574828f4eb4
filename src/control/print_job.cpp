#include "control/print_job.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "control/gyr_view.h"
#include "figures/text_obj.h"
#include "math/sheet_mapping.h"
#include "model/axes.h"
#include "model/document.h"
#include "port/host.h"

namespace gyr {

const char* const kMsgNoPrintableArea = "The printer has no printable area.";

namespace {

// The largest sheet side the program makes; a file may claim more.
constexpr double kMaxSheetSide = 32000;

int ClampToInt(long long v) {
    return int(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

long long CeilDiv(long long a, long long b) {
    return a <= 0 ? 0 : (a + b - 1) / b;
}

// The record the sheet object draws from; the document's copy without one.
const CSheetParams& SheetParams(const CGyrDoc& doc) {
    const CAxes* sheet = doc.Sheet();
    return sheet ? sheet->m_params : doc.m_sheetParams;
}

}  // namespace

// ---------------------------------------------------------------- the plan

int CPagePlan::ColumnOf(long long page) const {
    if (columns <= 0) return 0;
    const long long c = page % columns;
    return c == 0 ? columns : int(c);
}

int CPagePlan::RowOf(long long page) const {
    if (columns <= 0) return 0;
    return ClampToInt(CeilDiv(page, columns));
}

PixelPoint CPagePlan::Origin(long long page) const {
    return {ClampToInt(-(long long)(ColumnOf(page) - 1) * pageWidth),
            ClampToInt(-(long long)(RowOf(page) - 1) * pageHeight)};
}

PixelRect CPagePlan::Area(long long page) const {
    const long long left = (long long)(ColumnOf(page) - 1) * pageWidth;
    const long long top = (long long)(RowOf(page) - 1) * pageHeight;
    return {ClampToInt(left), ClampToInt(top), ClampToInt(left + pageWidth),
            ClampToInt(top + pageHeight)};
}

CPagePlan PlanPages(long long sheetWidth, long long sheetHeight, int printableWidth,
                    int printableHeight) {
    CPagePlan plan;
    if (printableWidth <= 0 || printableHeight <= 0) return plan;
    plan.pageWidth = printableWidth;
    plan.pageHeight = printableHeight;
    // A sheet exactly n pages wide takes n columns, not n + 1.
    plan.columns = ClampToInt(std::max(1LL, CeilDiv(sheetWidth, printableWidth)));
    plan.rows = ClampToInt(std::max(1LL, CeilDiv(sheetHeight, printableHeight)));
    return plan;
}

double PrintScale(int screenDpi, const CPrintDevice& device) {
    if (screenDpi <= 0 || device.dpiX <= 0) return 1.0;
    return double(device.dpiX) / screenDpi;
}

CPagePlan PlanPrint(const CGyrDoc& doc, int screenDpi, const CPrintDevice& device) {
    const CSheetParams& p = SheetParams(doc);
    const double g = PrintScale(screenDpi, device);
    auto side = [g](int pixels) {
        return (long long)TruncToInt(std::clamp<double>(pixels, 0, kMaxSheetSide) * g);
    };
    return PlanPages(side(p.width), side(p.height), device.pageWidth, device.pageHeight);
}

// ---------------------------------------------------------------- the job

CPrintJob::CPrintJob(CGyrDoc& doc, int screenDpi, const CPrintDevice& device)
    : m_sheet(doc.Sheet()) {
    m_plan = PlanPrint(doc, screenDpi, device);
    m_scale = PrintScale(screenDpi, device);
    // The axes' labels keep their screen size relative to the sheet.
    const FontRecord label = DefaultLabelFont();
    m_labelHeight =
        -std::max(1, TruncToInt(std::lround(label.pointSize * screenDpi / 72.0) * m_scale));
    m_previousTextResolution = TextResolution();
    if (device.dpiX > 0) TextResolution() = device.dpiX;
    if (m_sheet) m_previousScale = m_sheet->SetGeneralScale(m_scale);
    try {
        m_placed.reserve(doc.Objects().size());
        for (const CMyObj* obj : doc.Objects()) m_placed.push_back({obj->GetInvalidRect(), obj});
    } catch (...) {
        // No destructor runs for a constructor that throws.
        if (m_sheet) m_sheet->SetGeneralScale(m_previousScale);
        TextResolution() = m_previousTextResolution;
        throw;
    }
}

CPrintJob::~CPrintJob() {
    if (m_sheet) m_sheet->SetGeneralScale(m_previousScale);
    TextResolution() = m_previousTextResolution;
}

void CPrintJob::DrawPage(Canvas& dc, long long page) const {
    if (page < 1 || page > m_plan.Count()) return;
    const PixelRect area = m_plan.Area(page);
    const PixelPoint oldOrigin = dc.SetViewportOrg(m_plan.Origin(page));
    {
        CPageCanvas onPage(dc, m_scale, area);
        onPage.SetClipRect({});
        FontRecord label = DefaultLabelFont();
        label.heightPixels = m_labelHeight;
        onPage.SetFont(label);
        for (const Placed& p : m_placed)
            if (p.area.Intersects(area)) p.obj->Draw(onPage);
    }
    dc.SetClipRect({});
    dc.SetViewportOrg(oldOrigin);
}

// ---------------------------------------------------------------- printing

PrintResult PrintDocument(CGyrDoc& doc, int screenDpi, CPrintTarget& target, long long first,
                          long long last) {
    const CPrintDevice device = target.Device();
    const CPagePlan plan = PlanPrint(doc, screenDpi, device);
    if (plan.Empty()) {
        if (Host* host = FindHost())
            host->MessageBox(kMsgNoPrintableArea, MsgIcon::Exclamation, MsgButtons::Ok);
        return PrintResult::NoPrintableArea;
    }
    first = std::max(1LL, first);
    last = last <= 0 ? plan.Count() : std::min(last, plan.Count());
    if (first > last) return PrintResult::Printed;

    CPrintJob job(doc, screenDpi, device);
    Canvas* dc = target.Begin();
    if (!dc) return PrintResult::Failed;
    for (long long page = first; page <= last; ++page) {
        if (page > first && !target.NewPage()) {
            const bool cancelled = target.Cancelled();
            target.End();
            return cancelled ? PrintResult::Cancelled : PrintResult::Failed;
        }
        job.DrawPage(*dc, page);
        if (target.Cancelled()) {
            target.End();
            return PrintResult::Cancelled;
        }
    }
    return target.End() ? PrintResult::Printed : PrintResult::Failed;
}

PrintResult PrintView(CGyrView& view, CPrintTarget& target, long long first, long long last) {
    view.EndEditing();
    CGyrDoc* doc = view.GetDocument();
    if (!doc) return PrintResult::Failed;
    const CPagePlan plan = PlanPrint(*doc, view.m_nScreenDpi, target.Device());
    if (!plan.Empty()) view.m_nPageCount = ClampToInt(plan.Count());
    return PrintDocument(*doc, view.m_nScreenDpi, target, first, last);
}

// ---------------------------------------------------------------- page canvas

CPageCanvas::CPageCanvas(Canvas& inner, double scale, const PixelRect& page)
    : m_inner(inner), m_scale(scale), m_page(page) {
    // The fresh surface's thin pen is a pixel quantity too.
    SelectPen(&m_pen.pen);
}

int CPageCanvas::ScaledWidth(int width, double scale) {
    if (scale == 1.0) return width;
    const double w = std::max(width, 1) * scale;
    return std::max(1, TruncToInt(std::round(w)));
}

Canvas::PenSel CPageCanvas::SelectPen(const LogPen* pen) {
    const PenSel previous = m_pen;
    if (!pen) {
        m_pen = PenSel{true, LogPen{}};
        m_inner.SelectPen(nullptr);
        return previous;
    }
    m_pen = PenSel{false, *pen};
    LogPen scaled = *pen;
    scaled.widthX = ScaledWidth(pen->widthX, m_scale);
    m_inner.SelectPen(&scaled);
    return previous;
}

void CPageCanvas::SetClipRect(const PixelRect& r) {
    const PixelRect n = r.Normalized();
    if (n.IsEmpty()) {
        m_inner.SetClipRect(m_page);
        return;
    }
    const PixelRect part{std::max(n.left, m_page.left), std::max(n.top, m_page.top),
                         std::min(n.right, m_page.right), std::min(n.bottom, m_page.bottom)};
    // Nothing of r on the page: a pixel beyond its corner shows nothing (an
    // empty rectangle would lift the clip).
    m_inner.SetClipRect(part.IsEmpty()
                            ? PixelRect{m_page.left - 1, m_page.top - 1, m_page.left, m_page.top}
                            : part);
}

}  // namespace gyr
