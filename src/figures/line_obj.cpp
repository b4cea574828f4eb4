#include "figures/line_obj.h"

#include <algorithm>
#include <cmath>

#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/gesture_state.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CLine, CSegmentObj)

namespace {

// The tools after whose release with Ctrl the picks are given up.
constexpr int kPickingTools[] = {kCodeTangentAt, kCodeParallel, kCodeOrthogonal, kCodeTangentsFrom};

// A border crossing: its position along the line and the point.
struct Crossing {
    double t;
    CWorldPoint p;
};

}  // namespace

void CLine::EndTrack(CGestureState& state, unsigned flags, const CWorldPoint&) {
    StopFollowing();
    if (state.m_nToolKind != kToolLine || !(flags & kMkControl)) return;
    if (std::ranges::find(kPickingTools, state.m_nToolCode) != std::end(kPickingTools))
        state.m_nStage = 0;
}

PixelRect CLine::Track(CGestureState& state, const CWorldPoint& p, unsigned flags) {
    const PixelRect before = GetInvalidRect();
    CShapeObj::Track(state, p, flags);
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
    if (m_pDocument && !m_pDocument->Objects().empty()) {
        lt = m_pDocument->GetSheetLeftTop();
        rb = m_pDocument->GetSheetRightBottom();
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

CLine* NewLine(CGyrDoc* doc, const CWorldPoint& p0, const CWorldPoint& p1) {
    auto* line = new CLine(p0, p1);
    line->SetDocument(doc);
    line->RecalcBounds();
    line->FitToSheet();
    return line;
}

CLine* MakeLine(CGestureState& state, const CWorldPoint& p0, const CWorldPoint& p1, CFinish how) {
    auto* line = new CLine(p0, p1);
    line->SetDocument(state.Document());
    line->RecalcBounds();
    line->FitToSheet();
    how.recalc = false;
    line->Finish(state, how);
    return line;
}

CLine* MakeLineThrough(CGestureState& state, const CWorldPoint& p0, const CWorldPoint& p1) {
    auto* line = new CLine(p0, p1);
    line->Finish(state, {.redraw = Redraw::Now, .collect = true});
    return line;
}

CLine* StartLine(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    auto* line = new CLine(p, p);
    line->SetDocument(state.Document());
    line->RecalcBounds();
    if (AcceptsStart(*line, state, flags)) return line;
    delete line;
    return nullptr;
}

CMyObj* DrawLineTool(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    return StartLine(state, flags, p);
}

}  // namespace gyr
