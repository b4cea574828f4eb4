#include "model/axes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "math/sheet_mapping.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CAxes, CMyObj)

const char* const kMsgZoomLimit =
    "Dimensions cannot be greater than 32000 pixels \n or less than 440 pixels.\n"
    "So be kind and don't insist pressing this key";
const char* const kMsgLabelsReset =
    "After you reset labels, label values must be postive, \nLabels set one per unit. \n"
    "Change if you want to.\n";

namespace {

// Ticks closer than this are a grey smear, not a scale: none are drawn.
constexpr double kMinTickSpacing = 2.0;
// Ticks are drawn over at most the largest sheet the dialog accepts; a
// file may declare a wider one, whose ticks would only cost time.
constexpr double kMaxTickedSide = 32000;
// A last bound for a general scale so large that even ticks two pixels
// apart number in the millions along the sheet (a legal sheet at scale 1
// has at most 16,001 per axis).
constexpr long long kMaxTicksPerAxis = 1 << 15;

int SaturateToInt(long long v) {
    return int(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

std::string IntLine(const char* label, char sep, long long v) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%s %c  %lld", label, sep, v);
    return buf;
}

std::string DoubleLine(const char* label, char sep, double v) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%s %c  %f", label, sep, v);
    return buf;
}

// Label rule shared by both axes: tick i carries the whole unit k when it
// falls exactly on one; the origin is never labelled.
bool LabelOfTick(long long i, double labelsPerUnit, int& k) {
    k = TruncToInt(double(i) / labelsPerUnit);
    return i != 0 && (long long)TruncToInt(k * labelsPerUnit) == i;
}

// The tick indices of one axis that are drawn: those among [-before, after]
// whose position origin + i * spacing lies on [0, size]. Empty (lo > hi) when
// the exact spacing is not finite or under kMinTickSpacing. All in 64 bits
// and doubles, so that no value from a file can overflow.
struct TickRange {
    long long lo = 1;
    long long hi = 0;
};

TickRange VisibleTicks(double exactSpacing, int spacing, long long origin, long long size,
                       int before, int after) {
    TickRange r;
    if (!std::isfinite(exactSpacing) || exactSpacing < kMinTickSpacing || spacing <= 0 || size < 0)
        return r;
    const double s = spacing;
    const double first = std::ceil(double(-origin) / s);
    const double last = std::floor(double(size - origin) / s);
    const double lo = std::max(first, -double(std::max(before, 0)));
    const double hi =
        std::min({last, double(std::max(after, 0)), lo + double(kMaxTicksPerAxis - 1)});
    if (lo > hi) return r;
    r.lo = (long long)lo;
    r.hi = (long long)hi;
    return r;
}

// The spin bands of the object-data listing: the current value must lie in
// [lo, hi) and one spin step moves the field by `scale`.
struct SpinBand {
    std::int32_t CSheetParams::*field;
    int lo;
    int hi;
    int scale;
    bool resizesSheet;
};

constexpr SpinBand kSpinBands[] = {
    {&CSheetParams::width, 450, 31991, 10, true}, {&CSheetParams::height, 450, 31991, 10, true},
    {&CSheetParams::originX, 2, 32000, 1, false}, {&CSheetParams::originY, 2, 32000, 1, false},
    {&CSheetParams::unitX, 10, 15991, 1, false},  {&CSheetParams::unitY, 10, 15991, 1, false},
};
constexpr int kFirstSpinLine = 2;

}  // namespace

void CAxes::SetAll(const CSheetParams& params) {
    m_params = params;
    Update();
}

void CAxes::Update() {
    const CSheetParams& p = m_params;
    const double g = p.generalScale;
    const double ox = p.originX, oy = p.originY, ux = p.unitX, uy = p.unitY;
    const double w = p.width, h = p.height;

    m_t4 = TruncToInt(4 * g);
    m_t5 = TruncToInt(5 * g);
    m_t7 = TruncToInt(7 * g);

    m_ticksLeft = TruncToInt(ox * p.labelsPerX / ux);
    m_ticksRight = TruncToInt((w - ox) * p.labelsPerX / ux);
    m_ticksAbove = TruncToInt(oy * p.labelsPerY / uy);
    m_ticksBelow = TruncToInt((h - oy) * p.labelsPerY / uy);

    m_spacingX = TruncToInt(ux * g / p.labelsPerX);
    m_spacingY = TruncToInt(uy * g / p.labelsPerY);

    m_leftTop = CWorldPoint(-ox / ux, oy / uy);
    m_rightBottom = CWorldPoint((w - ox) / ux, (oy - h) / uy);

    m_axesPen = LogPen{kPenInsideFrame, 1, 0, p.axesColor};

    CSheetMapping& m = Mapping();
    m.originX = TruncToInt(ox * g);
    m.originY = TruncToInt(oy * g);
    m.unitX = TruncToInt(ux * g);
    m.unitY = TruncToInt(uy * g);
    m.sheetWidth = TruncToInt(w * g);
    m.sheetHeight = TruncToInt(h * g);
    m.pixelTolerance = 4.0 / m.unitX;
    m.generalScale = g;
    m.worldLeftTop = m_leftTop;
    m.worldRightBottom = m_rightBottom;
}

double CAxes::SetGeneralScale(double scale) {
    double previous = m_params.generalScale;
    m_params.generalScale = scale;
    Update();
    return previous;
}

void CAxes::InitDefaults() {
    PixelPoint page = DefaultPageSize();
    CSheetParams p;
    p.width = page.x;
    p.height = page.y;
    p.originX = p.width / 2;
    p.originY = p.height / 2;
    SetAll(p);
    if (m_pDocument) m_pDocument->m_sheetParams = m_params;
}

void CAxes::Draw(Canvas& dc) const {
    DrawAxes(dc, nullptr);
}

void CAxes::DrawWithin(Canvas& dc, const PixelRect& r) const {
    DrawAxes(dc, &r);
}

namespace {

// Which ticks and labels of the axes may show within a rectangle. A label is
// a whole number: its width is at most its length times the widest of the
// characters it is made of, and glyphs may overhang their advance a little.
class AxesClip {
public:
    AxesClip(Canvas& dc, const PixelRect* within) : m_within(within) {
        if (!within) return;
        for (char c : std::string("-0123456789")) {
            const PixelPoint e = dc.TextExtent(std::string(1, c));
            m_charWidth = std::max<long long>(m_charWidth, e.x);
            m_height = std::max<long long>(m_height, e.y);
        }
        m_slack = m_height / 2 + 2;
    }
    // A tick from (x0, y0) to (x1, y1), one of them equal.
    bool Tick(long long x0, long long y0, long long x1, long long y1) const {
        return Meets(x0 - 2, y0 - 2, x1 + 3, y1 + 3);
    }
    bool Label(long long x, long long y, const std::string& text) const {
        return Meets(x - m_slack, y - m_slack, x + (long long)text.size() * m_charWidth + m_slack,
                     y + m_height + m_slack);
    }

private:
    bool Meets(long long l, long long t, long long r, long long b) const {
        return !m_within ||
               (std::max<long long>(l, m_within->left) < std::min<long long>(r, m_within->right) &&
                std::max<long long>(t, m_within->top) < std::min<long long>(b, m_within->bottom));
    }
    const PixelRect* m_within;
    long long m_charWidth = 0, m_height = 0, m_slack = 0;
};

}  // namespace

void CAxes::DrawAxes(Canvas& dc, const PixelRect* within) const {
    const CSheetParams& p = m_params;
    const double g = p.generalScale;
    const long long ox = TruncToInt(p.originX * g);
    const long long oy = TruncToInt(p.originY * g);
    const long long width = TruncToInt(p.width * g);
    const long long height = TruncToInt(p.height * g);
    const long long tickedWidth = TruncToInt(std::min<double>(p.width, kMaxTickedSide) * g);
    const long long tickedHeight = TruncToInt(std::min<double>(p.height, kMaxTickedSide) * g);
    const long long t4 = m_t4, t5 = m_t5, t7 = m_t7;
    auto at = [](long long x, long long y) {
        return PixelPoint{SaturateToInt(x), SaturateToInt(y)};
    };

    Canvas::PenSel oldPen = dc.SelectPen(&m_axesPen);
    ColorRef oldColor = dc.GetTextColor();
    dc.SetTextColor(p.axesColor);

    if (p.axesMode >= 1) {
        dc.MoveTo(at(ox, 0));
        dc.LineTo(at(ox, height));
        dc.MoveTo(at(0, oy));
        dc.LineTo(at(width, oy));
    }
    if (p.axesMode == 2) {
        const AxesClip clip(dc, within);
        // The x ticks hang below their axis, the y ticks to the right of it:
        // an axis whose ticks cannot reach the sheet gets none.
        const bool xAxisShows = oy + t5 >= 0 && oy <= height;
        const bool yAxisShows = ox + t5 >= 0 && ox <= width;
        const TickRange xs = xAxisShows ? VisibleTicks(p.unitX * g / p.labelsPerX, m_spacingX, ox,
                                                       tickedWidth, m_ticksLeft, m_ticksRight)
                                        : TickRange{};
        for (long long i = xs.lo; i <= xs.hi; ++i) {
            const long long x = ox + i * m_spacingX;
            if (clip.Tick(x, oy, x, oy + t5)) {
                dc.MoveTo(at(x, oy));
                dc.LineTo(at(x, oy + t5));
            }
            int k;
            if (!LabelOfTick(i, p.labelsPerX, k)) continue;
            const std::string label = std::to_string(k);
            const long long lx = i > 0 ? x - t4 : x - t7;
            if (clip.Label(lx, oy + t7, label)) dc.TextOut(at(lx, oy + t7), label);
        }
        // Upward is negative y: tick i sits at oy - i * spacing, so the
        // indices on the sheet are those of a downward axis, negated.
        const TickRange ys = yAxisShows ? VisibleTicks(p.unitY * g / p.labelsPerY, m_spacingY, oy,
                                                       tickedHeight, m_ticksAbove, m_ticksBelow)
                                        : TickRange{};
        for (long long i = -ys.hi; i <= -ys.lo; ++i) {
            const long long y = oy - i * m_spacingY;
            if (clip.Tick(ox, y, ox + t5, y)) {
                dc.MoveTo(at(ox, y));
                dc.LineTo(at(ox + t5, y));
            }
            int k;
            if (!LabelOfTick(i, p.labelsPerY, k)) continue;
            const std::string label = std::to_string(k);
            if (clip.Label(ox + t7, y - t7, label)) dc.TextOut(at(ox + t7, y - t7), label);
        }
    }

    dc.RestorePen(oldPen);
    dc.SetTextColor(oldColor);
}

int CAxes::ListData(DataLines& lines) const {
    const CSheetParams& p = m_params;
    auto address = (long long)reinterpret_cast<std::uintptr_t>(this);
    lines.push_back(IntLine("Address", ':', address));
    lines.push_back(IntLine("Size in bytes", ':', (long long)sizeof(CAxes)));
    lines.push_back(IntLine("Width in pix", '=', p.width));
    lines.push_back(IntLine("Height in pix", '=', p.height));
    lines.push_back(IntLine("Origin-x in pix", '=', p.originX));
    lines.push_back(IntLine("Origin-y in pix", '=', p.originY));
    lines.push_back(IntLine("Scale-x in pix", '=', p.unitX));
    lines.push_back(IntLine("Scale-y in pix", '=', p.unitY));
    lines.push_back(DoubleLine("General scale", ':', p.generalScale));
    lines.push_back(DoubleLine("Labels-x", ':', p.labelsPerX));
    lines.push_back(DoubleLine("Labels-y", ':', p.labelsPerY));
    lines.push_back(DoubleLine("Left-top.x", ':', m_leftTop.x));
    lines.push_back(DoubleLine("Left-top.y", ':', m_leftTop.y));
    lines.push_back(DoubleLine("Right-bottom.x", ':', m_rightBottom.x));
    lines.push_back(DoubleLine("Right-bottom.y", ':', m_rightBottom.y));
    return 15;
}

CMyObj* CAxes::SetDataValue(int index, double /*value*/, int step) {
    const int band = index - kFirstSpinLine;
    if (band < 0 || band >= int(std::size(kSpinBands))) return nullptr;
    const SpinBand& b = kSpinBands[band];

    CSheetParams p = m_pDocument ? m_pDocument->m_sheetParams : m_params;
    const long long current = p.*b.field;
    if (current < b.lo || current >= b.hi) return nullptr;
    // One step from inside the band stays within [lo - scale, hi - 1 + scale];
    // a larger step must not carry the sheet to a size or unit of zero or less.
    const long long next = current + (long long)b.scale * step;
    if (next < b.lo - b.scale || next > b.hi - 1 + b.scale) return nullptr;
    p.*b.field = std::int32_t(next);

    if (m_pDocument) {
        m_pDocument->m_sheetParams = p;
        m_pDocument->ApplySheetParams();
        m_pDocument->SetModifiedFlag();
    } else {
        SetAll(p);
    }
    Host& host = GetHost();
    if (b.resizesSheet) host.SheetSizeChanged();
    host.InvalidateAll();
    return this;
}

void CAxes::Offset(const CWorldPoint& v) {
    m_leftTop += v;
    m_rightBottom += v;
}

void CAxes::ExchangeFields(CFieldExchange& fx) {
    CMyObj::ExchangeFields(fx);
    CSheetParams& p = m_params;
    fx.F64("generalScale", p.generalScale);
    fx.I32("originX", p.originX);
    fx.I32("originY", p.originY);
    fx.I32("unitX", p.unitX);
    fx.I32("unitY", p.unitY);
    fx.I32("width", p.width);
    fx.I32("height", p.height);
    fx.F64("labelsPerX", p.labelsPerX);
    fx.F64("labelsPerY", p.labelsPerY);
    fx.I32("axesMode", p.axesMode);
    fx.U32("axesColor", p.axesColor);
}

PixelPoint DefaultPageSize() {
    Host& host = GetHost();
    const int screenX = host.ScreenDpiX();
    const int screenY = host.ScreenDpiY();
    std::optional<Host::PrinterPage> printer = host.DefaultPrinter();
    // A printer that reports no resolution cannot be converted from.
    if (!printer || printer->dpiX <= 0 || printer->dpiY <= 0) return {770, 1100};
    const long long marginX = (long long)printer->dpiX * 20 / 254;
    const long long marginY = (long long)printer->dpiY * 20 / 254;
    const long long w = printer->widthPx - marginX;
    const long long h = printer->heightPx - marginY;
    return {SaturateToInt(w * screenX / printer->dpiX), SaturateToInt(h * screenY / printer->dpiY)};
}

int ScaledUnit(int n, double f) {
    // A product that truncates back to n' moves on by one pixel, so that a
    // zoom-in always changes the unit (1 at factor 1.5 gives 2) and a factor
    // of exactly 1 cannot stall.
    const int np = std::max(n, 1);
    const int r = TruncToInt(np * f);
    return r == np && np < INT32_MAX ? np + 1 : r;
}

bool ZoomSheet(CGyrDoc& doc, double f) {
    CSheetParams p = doc.m_sheetParams;
    const double newW = p.width * f;
    const double newH = p.height * f;
    const int newUx = ScaledUnit(p.unitX, f);
    const int newUy = ScaledUnit(p.unitY, f);

    const bool sheet = doc.m_expansion != 2;
    const bool units = doc.m_expansion != 1;
    auto inside = [](double v, double lo, double hi) { return lo < v && v < hi; };
    const bool sheetOk = inside(newW, 440, 32000) && inside(newH, 440, 32000);
    const bool unitsOk = inside(newUx, 2, 16000) && inside(newUy, 2, 16000);

    Host& host = GetHost();
    if ((sheet && !sheetOk) || (units && !unitsOk)) {
        host.MessageBox(kMsgZoomLimit, MsgIcon::Exclamation, MsgButtons::Ok);
        doc.SetModifiedFlag();
        return false;
    }

    if (sheet) {
        p.width = TruncToInt(newW);
        p.height = TruncToInt(newH);
    }
    if (units) {
        p.unitX = newUx;
        p.unitY = newUy;
    }
    const bool resized = p.width != doc.m_sheetParams.width || p.height != doc.m_sheetParams.height;
    doc.m_sheetParams = p;
    doc.ApplySheetParams();
    if (resized) host.SheetSizeChanged();
    host.InvalidateAll();
    doc.SetModifiedFlag();
    return true;
}

}  // namespace gyr
