#include "figures/line_obj.h"

#include <algorithm>
#include <cmath>

#include "model/document.h"
#include "model/program_state.h"
#include "math/kernel.h"
#include "port/host.h"
#include "control/draw_operations.h"
#include "control/gyr_view.h"
#include "math/sheet_mapping.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CLine, CSegmentObj)

namespace {

constexpr int kKindLines = 20;

// The tools after whose release with Ctrl the picks are given up.
constexpr int kPickingTools[] = {704, 10010, 10030, 21050};

// A border crossing: its position along the line and the point.
struct Crossing {
    double t;
    CWorldPoint p;
};

}  // namespace

void CLine::EndTrack(CGyrView* view, unsigned flags, const CWorldPoint&) {
    if (!view || view->m_nToolKind != kKindLines || !(flags & kMkControl)) return;
    if (std::find(std::begin(kPickingTools), std::end(kPickingTools), view->m_nToolCode) !=
        std::end(kPickingTools))
        view->m_nStage = 0;
}

PixelRect CLine::Track(CGyrView* view, const CWorldPoint& p, unsigned flags) {
    const PixelRect before = GetInvalidRect();
    CShapeObj::Track(view, p, flags);
    FitToSheet();
    return before.United(GetInvalidRect());
}

CWorldPoint CLine::GetDuplicateOffset(int key) const {
    if (m_nPoints < 2) return {};
    const CWorldPoint u = UnitVector(m_points[0], m_points[1]);
    const CWorldPoint v = Perp(u) * ProgramState().params.homothetyModulus;
    return key == kKeyLeft || key == kKeyDown ? -v : v;
}

bool CLine::FitToSheet() {
    if (m_nPoints < 2 || IsDegenerateLine(m_points[0], m_points[1])) return false;
    CWorldPoint lt = Mapping().worldLeftTop, rb = Mapping().worldRightBottom;
    CGyrDoc* doc = m_pDocument ? m_pDocument : GetActiveDocument();
    if (doc && !doc->Objects().empty()) {
        lt = doc->GetSheetLeftTop();
        rb = doc->GetSheetRightBottom();
    }
    const double xMin = lt.x, xMax = rb.x, yMin = rb.y, yMax = lt.y;
    if (!(xMin < xMax && yMin < yMax)) return false;

    const CWorldPoint a = m_points[0], d = m_points[1] - m_points[0];
    Crossing found[4];
    int n = 0;
    // Each crossing keeps its border coordinate exactly; the other one is
    // clamped onto the border against rounding.
    for (double x : {xMin, xMax}) {
        if (d.x == 0) break;
        const double t = (x - a.x) / d.x;
        const double y = a.y + t * d.y;
        if (y >= yMin - kGeomEps && y <= yMax + kGeomEps)
            found[n++] = {t, {x, std::clamp(y, yMin, yMax)}};
    }
    for (double y : {yMin, yMax}) {
        if (d.y == 0) break;
        const double t = (y - a.y) / d.y;
        const double x = a.x + t * d.x;
        if (x >= xMin - kGeomEps && x <= xMax + kGeomEps)
            found[n++] = {t, {std::clamp(x, xMin, xMax), y}};
    }
    if (n < 2) return false;
    const auto [first, last] = std::minmax_element(
        found, found + n, [](const Crossing& l, const Crossing& r) { return l.t < r.t; });
    // A line through a corner only touches the sheet.
    if (Coincide(first->p, last->p)) return false;
    m_points[0] = first->p;
    m_points[1] = last->p;
    RecalcBounds();
    return true;
}

CLine* NewLine(const CWorldPoint& p0, const CWorldPoint& p1) {
    auto* line = new CLine(p0, p1);
    line->SetDocument(GetActiveDocument());
    line->RecalcBounds();
    line->FitToSheet();
    return line;
}

CLine* MakeLine(const CWorldPoint& p0, const CWorldPoint& p1, bool collect, int redraw) {
    auto* line = new CLine(p0, p1);
    line->RecalcBounds();
    line->FitToSheet();
    line->Finish(false, true, redraw, collect);
    return line;
}

CLine* MakeLineThrough(const CWorldPoint& p0, const CWorldPoint& p1) {
    auto* line = new CLine(p0, p1);
    line->Finish(true, true, 2, true);
    return line;
}

CLine* StartLine(CGyrView& view, unsigned flags, const CWorldPoint& p) {
    auto* line = new CLine(p, p);
    line->SetDocument(view.GetDocument());
    line->RecalcBounds();
    if (AcceptsStart(*line, view, flags)) return line;
    delete line;
    return nullptr;
}

CLine* PerpendicularBisectorOfSide(CGyrView& view) {
    const CMyObj* obj = view.m_pPicked;
    if (!obj) return nullptr;
    const int n = obj->GetVertexCount();
    if (n < 2) return nullptr;
    const int s = ((view.m_nPart % n) + n) % n;
    const CWorldPoint a = obj->GetVertices()[s];
    const CWorldPoint b = obj->GetVertices()[(s + n - 1) % n];
    if (Coincide(a, b)) return nullptr;
    const CWorldPoint m = (a + b) * 0.5;
    return MakeLine(m, m + Perp(a - b), false, 1);
}

CMyObj* DrawLineTool(CGyrView& view, unsigned flags, const CWorldPoint& p) {
    return StartLine(view, flags, p);
}

}  // namespace gyr
