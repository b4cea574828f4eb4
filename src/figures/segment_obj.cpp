#include "figures/segment_obj.h"

#include <algorithm>
#include <climits>

#include "figures/circle_obj.h"
#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/gesture_state.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CSegmentObj, CShapeObj)

namespace {

// The finished segments of these tools become steps of a recorded locus
// script.
constexpr int kRecordedTools[] = {kCodePlain, kCodeParallel, kCodeOrthogonal, kCodeTangentsFrom,
                                  kCodeTangentAt};

bool ControlDown() {
    return IsKeyHeld(kKeyControl);
}

// What a segment tool does at the press (at a stage after 0; at stage 0
// every tool accepts), while the pointer moves, and at the release.
struct SegmentTool {
    int code;
    bool (*start)(CSegmentObj& seg, CGestureState& state, unsigned flags);
    void (*drag)(CSegmentObj& seg, CGestureState& state, const CWorldPoint& p, unsigned flags);
    void (*release)(CSegmentObj& seg, CGestureState& state, unsigned flags);
};

bool Accept(CSegmentObj&, CGestureState&, unsigned) {
    return true;
}

void DragSimple(CSegmentObj& seg, CGestureState&, const CWorldPoint& p, unsigned flags) {
    seg.m_points[1] = (flags & kMkShift) ? ProjectOnCompassLine(seg.m_points[0], p) : p;
}

// The drawn segment ab becomes am, m dividing ab in the ratio; mb and the
// perpendicular at m of length |am| are added.
void DivideByRatio(CSegmentObj& seg, CGestureState& state, unsigned flags) {
    const double rho = (flags & kMkControl) ? kGoldenRatio : ProgramState().params.ratio;
    const CWorldPoint a = seg.m_points[0], b = seg.m_points[1];
    CWorldPoint m;
    // A ratio of 0 puts m on a: nothing to divide, and no zero-length results.
    if (!DivideRatio(a, b, -rho, m) || Coincide(m, a)) return;
    const PixelRect before = seg.GetInvalidRect();
    seg.m_points[1] = m;
    seg.RecalcBounds();
    state.Repaint(before.United(seg.GetInvalidRect()));
    MakeSegment(state, m, b, {});
    MakeSegment(state, m, m + Perp(m - a), {});
}

// Half as long as the drawn segment, from its middle, turned by +90 degrees.
void AddCross(CSegmentObj& seg, CGestureState& state, unsigned) {
    const CWorldPoint m = (seg.m_points[0] + seg.m_points[1]) * 0.5;
    MakeSegment(state, m, m + Perp(seg.m_points[1] - m), {});
}

// Every other code: accepted at stage 0 only, drawn as the simple segment.
constexpr SegmentTool kDefaultTool{0, nullptr, DragSimple, nullptr};

// The segment tools that need no pick.
const SegmentTool kSegmentTools[] = {
    {kCodePlain, Accept, DragSimple, nullptr},
    {kCodeRatio, nullptr, DragSimple, DivideByRatio},
    {kCodeCross, nullptr, DragSimple, AddCross},
};

const SegmentTool& FindSegmentTool(int code) {
    for (const SegmentTool& t : kSegmentTools)
        if (t.code == code) return t;
    return kDefaultTool;
}

}  // namespace

CSegmentObj::CSegmentObj(const CWorldPoint& p0, const CWorldPoint& p1) : CShapeObj(2) {
    m_points[0] = p0;
    m_points[1] = p1;
    m_bSelected = 0;
}

PixelRect CSegmentObj::GetPixelBounds() const {
    // A horizontal or vertical segment still covers one pixel, also at the
    // saturated edge of the pixel range.
    PixelRect r = WorldToPixelRect(m_leftTop, m_rightBottom);
    if (r.right == r.left) (r.right < INT_MAX ? ++r.right : --r.left);
    if (r.bottom == r.top) (r.bottom < INT_MAX ? ++r.bottom : --r.top);
    return r;
}

// With Ctrl the end follows the drag rule of the tool in force.
PixelRect CSegmentObj::DragHandle(CGestureState& state, int k, const CWorldPoint& p) {
    if (!ControlDown() || k != 2 || m_nPoints < 2) return MoveHandle(k, p);
    const PixelRect before = GetInvalidRect();
    TrackLastVertex(state, p, kMkControl, state.m_nToolCode);
    RecalcBounds();
    return before.United(GetInvalidRect());
}

void CSegmentObj::TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags,
                                  int code) {
    if (m_nPoints < 2 || FollowPointer(state, p, flags)) return;
    FindSegmentTool(code).drag(*this, state, p, flags);
}

void CSegmentObj::EndTrack(CGestureState& state, unsigned flags, const CWorldPoint&) {
    StopFollowing();
    if (m_nPoints < 2) return;
    if (state.m_nToolKind != kToolSegment) return;
    const int code = state.m_nToolCode;
    if (state.m_pRecorder && std::ranges::find(kRecordedTools, code) != std::end(kRecordedTools))
        state.m_pRecorder->RecordSegment(*this, code);
    const SegmentTool& tool = FindSegmentTool(code);
    if (tool.release) tool.release(*this, state, flags);
    if (flags & kMkControl) state.m_nStage = 0;
}

PixelRect CSegmentObj::Track(CGestureState& state, const CWorldPoint& p, unsigned flags) {
    // The tangent at a circle point follows its start, which lies on the circle.
    const bool fromStart = state.m_nToolCode == kCodeTangentAt && m_nPoints > 0;
    return CShapeObj::Track(state, fromStart ? m_points[0] : p, flags);
}

CMyObj* CSegmentObj::Invert(const CWorldPoint& o, double k) const {
    if (m_nPoints < 2) return nullptr;
    if (DistanceToLine(o, m_points[0], m_points[1]) < kGeomEps) {
        CMyObj* copy = Clone();
        copy->m_bSelected = 0;
        return copy;
    }
    CWorldPoint centre;
    double radius;
    if (!InvertLine(m_points[0], m_points[1], o, k, centre, radius)) return nullptr;
    CCircleObj* image = NewCircle(m_pDocument, centre, radius);
    image->RecalcBounds();
    return image;
}

CWorldPoint CSegmentObj::GetDuplicateOffset(int key) const {
    if (ControlDown() || m_nPoints < 2) return CShapeObj::GetDuplicateOffset(key);
    const CWorldPoint d = m_points[1] - m_points[0];
    switch (key) {
        case kKeyLeft:
            return -d;
        case kKeyUp:
            return Perp(d);
        case kKeyRight:
            return d;
        case kKeyDown:
            return Perp(-d);
        default:
            return {};
    }
}

void CSegmentObj::Draw(Canvas& dc) const {
    if (m_nPoints < 2) return;
    CWorldPoint a = m_points[0], b = m_points[1];
    if (!ClipToDrawWindow(a, b)) return;
    const PixelPoint px[2] = {WorldToPixel(a), WorldToPixel(b)};
    if (px[0] == px[1]) return;
    Canvas::PenSel oldPen = dc.SelectPen(m_bPen ? &m_logpen : nullptr);
    dc.Polyline(px, 2);
    dc.RestorePen(oldPen);
}

CWorldPoint CSegmentObj::RandomPoint() const {
    Host* host = FindHost();
    const double t = (host ? host->Random() : 0) / 32767.0;
    return P1() * t + P0() * (1 - t);
}

int CSegmentObj::IntersectWith(const CMyObj& other, CWorldPoint& first, CWorldPoint& second) const {
    if (m_nPoints < 2) return 0;
    const CWorldPoint a = m_points[0], b = m_points[1];
    if (other.IsStraight()) {
        if (other.GetVertexCount() < 2) return 0;
        const CWorldPoint* v = other.GetVertices();
        CWorldPoint x;
        if (!LineIntersection(a, b, v[0], v[1], x)) return 0;
        first = second = x;
        return 1;
    }
    if (other.IsCircle() || other.IsArc()) {
        const auto& circle = static_cast<const CCircleObj&>(other);
        if (circle.GetVertexCount() < 1) return 0;
        return CircleLineIntersection(circle.Centre(), circle.m_radius, a, b, first, second);
    }
    return 0;
}

CSegmentObj* NewSegment(CGyrDoc* doc, const CWorldPoint& p0, const CWorldPoint& p1) {
    auto* seg = new CSegmentObj(p0, p1);
    seg->SetDocument(doc);
    seg->RecalcBounds();
    return seg;
}

CSegmentObj* MakeSegment(CGestureState& state, const CWorldPoint& p0, const CWorldPoint& p1,
                         const CFinish& how) {
    auto* seg = new CSegmentObj(p0, p1);
    seg->Finish(state, how);
    return seg;
}

CSegmentObj* StartSegment(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    auto* seg = new CSegmentObj(p, p);
    seg->SetDocument(state.Document());
    seg->RecalcBounds();
    if (AcceptsStart(*seg, state, flags)) return seg;
    delete seg;
    return nullptr;
}

CMyObj* StartFirstSide(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    CSegmentObj* side = StartSegment(state, flags, p);
    state.m_pFirstSide = side;
    if (side) state.m_nStage = 1;
    return side;
}

bool TakeFirstSide(CGestureState& state, CWorldPoint& start, CWorldPoint& end) {
    CGyrDoc* doc = state.Document();
    CMyObj* side = doc ? LastObjectOfClass(doc->Objects(), &CSegmentObj::kClass) : nullptr;
    if (side != state.m_pFirstSide) side = nullptr;
    state.m_pFirstSide = nullptr;
    if (ReportBadDefinition(state, side, 0) || side->GetVertexCount() < 2) {
        state.m_nStage = 0;
        return false;
    }
    start = side->GetVertices()[0];
    end = side->GetVertices()[1];
    state.Repaint(side->GetInvalidRect());
    doc->RemoveObject(side);
    state.m_nStage = 0;
    return true;
}

bool AcceptsStart(CSegmentObj& seg, CGestureState& state, unsigned flags) {
    if (state.m_nStage == 0) return true;
    const SegmentTool& tool = FindSegmentTool(state.m_nToolCode);
    return tool.start && tool.start(seg, state, flags);
}

CWorldPoint ProjectOnCompassLine(const CWorldPoint& o, const CWorldPoint& p) {
    static constexpr CWorldPoint kDirections[] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}};
    CWorldPoint best = p;
    double bestDistance = 1e10;
    for (const CWorldPoint& d : kDirections) {
        const CWorldPoint foot = FootOfPerpendicular(p, o, o + d);
        const double dist = Distance(p, foot);
        if (dist < bestDistance) {
            bestDistance = dist;
            best = foot;
        }
    }
    return best;
}

bool SegmentToolDraws(int code) {
    return std::ranges::any_of(kSegmentTools,
                               [code](const SegmentTool& t) { return t.code == code; });
}

CMyObj* DrawSegmentTool(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    return StartSegment(state, flags, p);
}

}  // namespace gyr
