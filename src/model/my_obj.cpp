#include "model/my_obj.h"

#include <cmath>
#include <cstdio>

#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "model/archive.h"
#include "model/document.h"
#include "model/gesture_state.h"
#include "model/obj_list.h"
#include "port/host.h"

namespace gyr {

const char* const kBadDefinitionMessage =
    "Definition incorrect. \nPlease restart the definition.\nFor this, move the mouse while "
    "holding down the left button.";

// The root has no record of its own in files: it is never written alone.
const CRuntimeClass CObject::kClass = {"CObject", 0xFFFF, nullptr, nullptr};

void CObject::Serialize(CArchive& ar) {
    CArchiveExchange fx(ar);
    ExchangeFields(fx);
}

CObject* CMyObj::CreateInstance() {
    return new CMyObj();
}

const CRuntimeClass CMyObj::kClass = {"CMyObj", 1, &CMyObj::CreateInstance, &CObject::kClass};

CMyObj* CMyObj::CreateEmpty() const {
    return new CMyObj();
}

CMyObj* CMyObj::Clone() const {
    return new CMyObj(*this);
}

void CMyObj::AddToDocument() {
    if (!m_pDocument) return;
    m_pDocument->AddObject(this);
    m_pDocument->InvalidateObject(this);
}

void CMyObj::Finish(CGestureState& state, const CFinish& how) {
    CGyrDoc* doc = state.Document();
    SetDocument(doc);
    if (how.recalc) RecalcBounds();
    if (how.add && doc) doc->AddObject(this);
    // Drawing at once needs the view's surface, which only the desktop owns;
    // a repaint request of the same area draws the same pixels.
    if (how.redraw != Redraw::None) state.Repaint(GetInvalidRect());
    if (how.collect) state.m_gesture.push_back(this);
}

PixelRect CMyObj::GetPixelBounds() const {
    return WorldToPixelRect(m_leftTop, m_rightBottom);
}

PixelRect CMyObj::GetInvalidRect() const {
    return GetPixelBounds();
}

namespace {

// The box corners in handle order: left-top, right-top, right-bottom, left-bottom.
CWorldPoint BoxCorner(const CMyObj& obj, int n) {
    switch (n) {
        case 0:
            return obj.m_leftTop;
        case 1:
            return {obj.m_rightBottom.x, obj.m_leftTop.y};
        case 2:
            return obj.m_rightBottom;
        case 3:
            return {obj.m_leftTop.x, obj.m_rightBottom.y};
        default:
            return {};
    }
}

}  // namespace

CWorldPoint CMyObj::GetHandle(int n) const {
    return BoxCorner(*this, n);
}

void CMyObj::SetVertex(int, const CWorldPoint& q) {
    // The nearer side follows the point; on a tie the right and the top side.
    if (std::fabs(q.x - m_leftTop.x) < std::fabs(q.x - m_rightBottom.x))
        m_leftTop.x = q.x;
    else
        m_rightBottom.x = q.x;
    if (std::fabs(q.y - m_rightBottom.y) < std::fabs(q.y - m_leftTop.y))
        m_rightBottom.y = q.y;
    else
        m_leftTop.y = q.y;
}

int CMyObj::ListData(DataLines&) const {
    return 0;
}

CMyObj* CMyObj::SetDataValue(int, double, int) {
    return nullptr;
}

PixelRect CMyObj::MoveHandle(int k, const CWorldPoint& p) {
    PixelRect before = GetPixelBounds();
    CMyObj::SetVertex(k, p);
    return before.United(GetPixelBounds());
}

PixelRect CMyObj::DragHandle(CGestureState&, int k, const CWorldPoint& p) {
    return MoveHandle(k, p);
}

bool CMyObj::SnapToVertex(CWorldPoint&) const {
    return false;
}

void CMyObj::TrackLastVertex(CGestureState&, const CWorldPoint&, unsigned, int) {}

void CMyObj::EndTrack(CGestureState&, unsigned, const CWorldPoint&) {}

PixelRect CMyObj::Track(CGestureState&, const CWorldPoint&, unsigned) {
    return {};
}

void CMyObj::Homothety(const CWorldPoint&, double) {}

void CMyObj::Rotate(const CWorldPoint&, double) {}

void CMyObj::Reflect(const CWorldPoint&, const CWorldPoint&) {}

void CMyObj::Offset(const CWorldPoint& v) {
    m_leftTop += v;
    m_rightBottom += v;
}

CMyObj* CMyObj::Invert(const CWorldPoint&, double) const {
    return nullptr;
}

CMyObj* CMyObj::DuplicateByKey(CGestureState& state, int key, int) {
    // The old marks disappear with the selection.
    state.Repaint(state.SelectionRect());
    state.DeselectAll();
    CMyObj* copy = Clone();
    copy->m_bSelected = 0;
    copy->Offset(GetDuplicateOffset(key));
    if (!copy->m_pDocument) copy->m_pDocument = state.Document();
    if (!copy->m_pDocument) {
        // Nothing could own it: do not leak it.
        delete copy;
        return nullptr;
    }
    copy->AddToDocument();
    state.Select(copy);
    state.Repaint(state.SelectionRect());
    return copy;
}

CWorldPoint CMyObj::GetDuplicateOffset(int key) const {
    const CWorldPoint corner{m_leftTop.x, m_rightBottom.y};
    switch (key) {
        case kKeyLeft:
            return corner - m_rightBottom;
        case kKeyUp:
            return m_leftTop - corner;
        case kKeyRight:
            return m_rightBottom - corner;
        case kKeyDown:
            return corner - m_leftTop;
        default:
            return {};
    }
}

void CMyObj::Draw(Canvas&) const {}

void CMyObj::DrawMarks(Canvas&) const {}

double CMyObj::DistanceTo(const CWorldPoint&, int&) const {
    return 1e10;
}

int CMyObj::HitTest(const CWorldPoint&) const {
    return -1;
}

double CMyObj::NearestVertex(const CWorldPoint& p, int& index) const {
    double best = 1e10;
    index = 0;
    for (int i = 0; i < 4; ++i) {
        double d = Distance(BoxCorner(*this, i), p);
        if (d < best) {
            best = d;
            index = i;
        }
    }
    return best;
}

bool ReportBadDefinition(CGestureState& state, const CMyObj* obj, int mode) {
    if (obj) return false;
    if (Host* host = FindHost())
        host->MessageBox(kBadDefinitionMessage, MsgIcon::Exclamation, MsgButtons::Ok);
    state.m_nStage = mode;
    return true;
}

int BoxHitTest(const CMyObj& obj, const CWorldPoint& p) {
    const PixelRect box = obj.GetPixelBounds().Normalized();
    const PixelPoint q = WorldToPixel(p);
    const PixelRect handle{box.right - kBoxHandleSize, box.bottom - kBoxHandleSize, box.right,
                           box.bottom};
    if (handle.Contains(q)) return 1;
    return box.Contains(q) ? 0 : -1;
}

void DrawBoxMarks(Canvas& dc, const PixelRect& box) {
    const LogPen black{kPenSolid, 1, 0, 0};
    const Canvas::PenSel oldPen = dc.SelectPen(&black);
    const Canvas::BrushSel oldBrush = dc.SelectBrush(nullptr);
    const RasterMode oldMode = dc.SetRasterMode(RasterMode::NotXor);
    const PixelRect frame = box.Inflated(-1);
    const PixelPoint corners[] = {{frame.left, frame.top},
                                  {frame.right - 1, frame.top},
                                  {frame.right - 1, frame.bottom - 1},
                                  {frame.left, frame.bottom - 1}};
    dc.Polygon(corners, 4);
    dc.SetRasterMode(oldMode);
    if (box.Width() >= kBoxHandleSize && box.Height() >= kBoxHandleSize)
        dc.InvertRect({box.right - kBoxHandleSize, box.bottom - kBoxHandleSize, box.right - 1,
                       box.bottom - 1});
    dc.RestoreBrush(oldBrush);
    dc.RestorePen(oldPen);
}

void ListBoxCorners(const CMyObj& obj, DataLines& lines) {
    const auto line = [&lines](const char* label, double v) {
        char buf[512];  // %f of the largest double has 309 digits
        std::snprintf(buf, sizeof buf, "%s =  %f", label, v);
        lines.push_back(buf);
    };
    line("Upper-left.x", obj.m_leftTop.x);
    line("Upper-left.y", obj.m_leftTop.y);
    line("Bottom-right.x", obj.m_rightBottom.x);
    line("Bottom-right.y", obj.m_rightBottom.y);
}

void SetBoxCorner(CMyObj& obj, int line, double value) {
    const PixelRect before = obj.GetPixelBounds();
    switch (line) {
        case 0:
            if (value < obj.m_rightBottom.x - kMinBoxDataExtent) obj.m_leftTop.x = value;
            break;
        case 1:
            if (value > obj.m_rightBottom.y + kMinBoxDataExtent) obj.m_leftTop.y = value;
            break;
        case 2:
            if (value > obj.m_leftTop.x + kMinBoxDataExtent) obj.m_rightBottom.x = value;
            break;
        case 3:
            if (value < obj.m_leftTop.y - kMinBoxDataExtent) obj.m_rightBottom.y = value;
            break;
        default:
            return;
    }
    if (Host* host = FindHost()) host->Invalidate(before.United(obj.GetPixelBounds()));
}

}  // namespace gyr
