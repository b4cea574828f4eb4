#include "model/shape_obj.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "math/angle_text.h"
#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "model/archive.h"
#include "model/document.h"
#include "model/gesture_state.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CShapeObj, CMyObj)

namespace {

// The point of the segment ab nearest to p.
CWorldPoint NearestOnSegment(const CWorldPoint& p, const CWorldPoint& a, const CWorldPoint& b) {
    CWorldPoint d = b - a;
    double len2 = d.Dot(d);
    if (len2 == 0) return a;
    double t = d.Dot(p - a) / len2;
    if (t <= 0) return a;
    if (t >= 1) return b;
    return a + d * t;
}

// Near the segment ab: the foot of the perpendicular lies on the segment and
// is near p. A degenerate edge is tested as its vertex.
bool IsNearEdge(const CWorldPoint& p, const CWorldPoint& a, const CWorldPoint& b) {
    if (a == b) return SamePoint(p, a);
    CWorldPoint ab = a - b;
    double t = (p - b).Dot(ab) / ab.Dot(ab);
    if (t < 0 || t > 1) return false;
    return SamePoint(a * t + b * (1 - t), p);
}

std::string Format(const char* fmt, auto... args) {
    char buf[160];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

// The object-data line layout: name, space, separator, two spaces, value.
std::string DataLine(const std::string& name, char sep, double v) {
    return name + Format(" %c  %f", sep, v);
}

void PointLines(DataLines& lines, const std::string& name, const CWorldPoint& p) {
    lines.push_back(DataLine(name + ".x", '=', p.x));
    lines.push_back(DataLine(name + ".y", '=', p.y));
}

}  // namespace

CShapeObj::CShapeObj(int n) {
    SetVertexCount(n);
}

void CShapeObj::SetVertexCount(int n) {
    n = std::max(n, 0);
    m_points.assign(std::size_t(n), CWorldPoint{});
    m_nPoints = n;
}

CWorldPoint CShapeObj::GetHandle(int n) const {
    if (n < 0 || n >= m_nPoints) return {};
    return m_points[n];
}

PixelRect CShapeObj::GetInvalidRect() const {
    int grow = std::max(4, m_logpen.widthX / 2 + 1);
    return WorldToPixelRect(m_leftTop, m_rightBottom).Inflated(grow);
}

void CShapeObj::SetVertex(int n, const CWorldPoint& p) {
    if (n >= 0 && n < m_nPoints) m_points[n] = p;
}

void CShapeObj::SetDocument(CGyrDoc* doc) {
    m_pDocument = doc;
    if (doc) ApplyAttributes(kAttrAll, *doc);
}

void CShapeObj::ApplyAttributes(int kind, const CGyrDoc& doc) {
    const CDrawAttr& a = doc.m_drawAttr;
    switch (kind) {
        case kAttrWidth:
            m_logpen.widthX = a.penWidthX;
            if (m_logpen.widthX > 1) m_logpen.style = kPenSolid;
            break;
        case kAttrRegion:
            m_bBrush = a.brushOn;
            if (m_bBrush) m_logbrush.color = a.brushColor;
            break;
        case kAttrContour:
            m_bPen = a.penOn;
            if (m_bPen) m_logpen.color = a.penColor;
            break;
        case kAttrPenColor:
            m_logpen.color = a.penColor;
            break;
        case kAttrBrushColor:
            m_logbrush.color = a.brushColor;
            break;
        case kAttrPattern:
            m_logpen.style = a.penStyle;
            if (m_logpen.style != kPenSolid) m_logpen.widthX = 1;
            break;
        case kAttrAll:
            m_bPen = a.penOn;
            m_bBrush = a.brushOn;
            m_logpen.style = a.penStyle;
            m_logpen.widthX = a.penWidthX;
            m_logpen.widthY = a.penWidthY;
            m_logpen.color = a.penColor;
            m_logbrush.style = a.brushStyle;
            m_logbrush.color = a.brushColor;
            m_logbrush.hatch = a.hatch;
            break;
        default:
            break;
    }
}

int CShapeObj::ListData(DataLines& lines) const {
    const std::size_t first = lines.size();
    const int n = m_nPoints;
    const auto& v = m_points;

    lines.push_back(Format("Address :  %" PRIuPTR, reinterpret_cast<std::uintptr_t>(this)));
    lines.push_back(Format("Size in bytes :  %d", 112 + 24 * n));
    for (int i = 0; i < n; ++i) PointLines(lines, Format("pt-%d", i), v[i]);
    for (int i = 0; i < n; ++i) {
        const CWorldPoint& next = v[(i + 1) % n];
        const CWorldPoint& prev = v[(i + n - 1) % n];
        const double a = SignedAngle(v[i], prev, next);
        const Dms dms = AngleToDms(a);
        lines.push_back(Format("Angle-%d:", i) + Format(" %f (%d:%d:%d)", a, dms.d, dms.m, dms.s));
    }
    double open = 0;
    for (int i = 0; i + 1 < n; ++i) {
        double len = Distance(v[i + 1], v[i]);
        open += len;
        lines.push_back(DataLine(Format("seg-%d", i), ':', len));
    }
    double perimeter = open;
    double area = FanArea(GetVertices(), n);
    if (IsCircle() || IsPoint()) {
        double r = n >= 2 ? Distance(v[1], v[0]) : 0.0;
        perimeter = 2 * std::numbers::pi * r;
        area = perimeter * perimeter / (4 * std::numbers::pi);
    }
    if (IsClosed()) {
        double closing = n >= 1 ? Distance(v[n - 1], v[0]) : 0.0;
        lines.push_back(Format("seg-%d  :  %f", n - 1, closing));
        lines.push_back(Format("Perimeter : %f", open + closing));
    } else {
        lines.push_back(DataLine("Perimeter", ':', perimeter));
    }
    lines.push_back(DataLine("Area", ':', area));
    return int(lines.size() - first);
}

CMyObj* CShapeObj::SetDataValue(int index, double value, int) {
    int k = index - 2;
    if (k < 0 || k >= 2 * m_nPoints) return nullptr;
    CWorldPoint p = m_points[k / 2];
    if (k % 2 == 0)
        p.x = value;
    else
        p.y = value;
    PixelRect changed = MoveHandle(k / 2 + 1, p);
    if (Host* host = FindHost()) host->Invalidate(changed);
    return this;
}

void CShapeObj::RecalcBounds() {
    if (m_nPoints < 2) return;
    BoundingBox(m_points.data(), std::size_t(m_nPoints), m_leftTop, m_rightBottom);
}

bool CShapeObj::IsDegenerate() const {
    // Fewer than two vertices cannot make a figure either.
    if (m_nPoints < 2) return true;
    return Coincide(m_points[0], m_points[1]);
}

PixelRect CShapeObj::MoveHandle(int k, const CWorldPoint& p) {
    if (k < 1 || k > m_nPoints) return {};
    PixelRect before = GetInvalidRect();
    m_points[k - 1] = p;
    RecalcBounds();
    return before.United(GetInvalidRect());
}

bool CShapeObj::SnapToVertex(CWorldPoint& p) const {
    const double match = ProgramState().params.matchDistance;
    for (const CWorldPoint& v : m_points) {
        if (ChebyshevDistance(v, p) < match) {
            p = v;
            return true;
        }
    }
    return false;
}

void CShapeObj::TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags, int) {
    if (FollowPointer(state, p, flags)) return;
    if (m_nPoints > 0) m_points[m_nPoints - 1] = p;
}

bool CShapeObj::FollowPointer(CGestureState& state, const CWorldPoint& p, unsigned flags) {
    if (!m_follow.rule) return false;
    m_follow.rule(*this, state, p, flags);
    return true;
}

PixelRect CShapeObj::Track(CGestureState& state, const CWorldPoint& p, unsigned flags) {
    PixelRect before = GetInvalidRect();
    TrackLastVertex(state, p, flags, state.m_nToolCode);
    RecalcBounds();
    return before.United(GetInvalidRect());
}

void CShapeObj::Homothety(const CWorldPoint& c, double k) {
    auto map = [&](const CWorldPoint& p) { return c + (p - c) * k; };
    for (CWorldPoint& p : m_points) p = map(p);
    CWorldPoint lt = map(m_leftTop), rb = map(m_rightBottom);
    // A negative ratio swaps the sides; the box keeps (min x, max y) / (max x, min y).
    m_leftTop = {std::min(lt.x, rb.x), std::max(lt.y, rb.y)};
    m_rightBottom = {std::max(lt.x, rb.x), std::min(lt.y, rb.y)};
}

void CShapeObj::Rotate(const CWorldPoint& c, double angle) {
    for (CWorldPoint& p : m_points) p = RotateAbout(p, c, angle);
    RecalcBounds();
}

void CShapeObj::Reflect(const CWorldPoint& a, const CWorldPoint& b) {
    // Two equal points define no mirror line.
    if (a == b) return;
    for (CWorldPoint& p : m_points) p = ReflectInLine(p, a, b);
    RecalcBounds();
}

void CShapeObj::Offset(const CWorldPoint& v) {
    CMyObj::Offset(v);
    for (CWorldPoint& p : m_points) p += v;
}

void CShapeObj::Draw(Canvas& dc) const {
    if (m_nPoints < 2) return;
    Canvas::PenSel oldPen = dc.SelectPen(m_bPen ? &m_logpen : nullptr);
    Canvas::BrushSel oldBrush = dc.SelectBrush(m_bBrush ? &m_logbrush : nullptr);
    // One closed path: from the last vertex down to vertex 0. The buffer is
    // kept: a repaint draws thousands of figures.
    thread_local std::vector<PixelPoint> px;
    PolygonPixels(m_points.data(), int(m_points.size()), px);
    std::reverse(px.begin(), px.end());
    if (px.size() >= 2) dc.Polygon(px.data(), int(px.size()));
    dc.RestorePen(oldPen);
    dc.RestoreBrush(oldBrush);
}

void CShapeObj::DrawMarks(Canvas& dc) const {
    for (const CWorldPoint& v : m_points) {
        PixelPoint c = WorldToPixel(v);
        dc.InvertRect(MarkRect(c));
    }
}

double CShapeObj::DistanceTo(const CWorldPoint& p, int& edge) const {
    return PolylineDistance(GetVertices(), m_nPoints, true, p, edge);
}

int CShapeObj::HitTest(const CWorldPoint& p) const {
    return PolylineHitTest(GetVertices(), m_nPoints, true, p);
}

double CShapeObj::NearestVertex(const CWorldPoint& p, int& index) const {
    double best = 1e10;
    index = 0;
    for (int i = 0; i < m_nPoints; ++i) {
        double d = Distance(m_points[i], p);
        if (d < best) {
            best = d;
            index = i;
        }
    }
    return best;
}

namespace {

void ExchangePoints(CArchiveExchange& fx, const char* name, CPointArray& pts) {
    fx.Points(name, pts);
}

// Other formats see the vertices as a plain vector.
void ExchangePoints(CFieldExchange& fx, const char* name, CPointArray& pts) {
    std::vector<CWorldPoint> v(pts.begin(), pts.end());
    fx.Points(name, v);
    if (fx.IsLoading()) pts.assign(v.data(), v.data() + v.size());
}

}  // namespace

void CShapeObj::ExchangeFields(CFieldExchange& fx) {
    // Shapes are most of a large drawing: read them without a virtual call
    // per field when the archive is at hand.
    CArchiveExchange* ar = fx.Archive();
    if (ar && ar->IsLoading())
        LoadShapeFields(ar->GetArchive());
    else if (ar)
        ExchangeShapeFields(*ar);
    else
        ExchangeShapeFields(fx);
}

// The fixed part of a shape's record decoded from one block: the same fields
// in the same order as ExchangeShapeFields (the archive round-trip tests hold
// the two together).
void CShapeObj::LoadShapeFields(CArchive& ar) {
    const std::uint8_t* p = ar.Take(4 * 8 + 2 + 2 + 16 + 2 + 12);
    auto f64 = [&p] {
        double v;
        std::memcpy(&v, p, 8);
        p += 8;
        return v;
    };
    auto u16 = [&p] {
        std::int32_t v = p[0] | (p[1] << 8);
        p += 2;
        return v;
    };
    auto u32 = [&p] {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        p += 4;
        return v;
    };
    m_leftTop.x = f64();
    m_leftTop.y = f64();
    m_rightBottom.x = f64();
    m_rightBottom.y = f64();
    m_bSelected = u16();
    m_pDocument = ar.Document();
    m_bPen = u16();
    m_logpen.style = u32();
    m_logpen.widthX = std::int32_t(u32());
    m_logpen.widthY = std::int32_t(u32());
    m_logpen.color = u32();
    m_bBrush = u16();
    m_logbrush.style = u32();
    m_logbrush.color = u32();
    m_logbrush.hatch = std::int32_t(u32());
    CArchiveExchange fx(ar);
    fx.Points("points", m_points);
    m_nPoints = int(m_points.size());
}

template <class Fx>
void CShapeObj::ExchangeShapeFields(Fx& fx) {
    ExchangeBaseFields(fx);
    fx.U16("pen.on", m_bPen);
    fx.U32("pen.style", m_logpen.style);
    fx.I32("pen.width", m_logpen.widthX);
    fx.I32("pen.widthY", m_logpen.widthY);
    fx.U32("pen.color", m_logpen.color);
    fx.U16("brush.on", m_bBrush);
    fx.U32("brush.style", m_logbrush.style);
    fx.U32("brush.color", m_logbrush.color);
    fx.I32("brush.hatch", m_logbrush.hatch);
    ExchangePoints(fx, "points", m_points);
    m_nPoints = int(m_points.size());
}

bool CShapeObj::GetCorner(int n, CWorldPoint& v, CWorldPoint& next, CWorldPoint& prev) const {
    if (m_nPoints < 3 || n < 0 || n >= m_nPoints) {
        v = next = prev = CWorldPoint{};
        return false;
    }
    v = m_points[n];
    next = m_points[(n + 1) % m_nPoints];
    prev = m_points[(n + m_nPoints - 1) % m_nPoints];
    return true;
}

PixelRect CShapeObj::ProjectVertexOntoLine(const CWorldPoint& a, const CWorldPoint& b,
                                           const CWorldPoint& p, int k) {
    if (k < 1 || k > m_nPoints || a == b) return {};
    PixelRect before = GetInvalidRect();
    m_points[k - 1] = FootOfPerpendicular(p, a, b);
    RecalcBounds();
    return before.United(GetInvalidRect());
}

CWorldPoint CShapeObj::NearestPointOn(const CWorldPoint& p) const {
    return PolylineNearestPoint(GetVertices(), m_nPoints, true, p);
}

int PolylineHitTest(const CWorldPoint* v, int n, bool closed, const CWorldPoint& p) {
    if (!v || n < 1) return -1;
    if (SamePoint(v[0], p)) return 1;
    for (int i = 1; i < n; ++i) {
        if (SamePoint(v[i], p)) return i + 1;
        if (IsNearEdge(p, v[i - 1], v[i])) return 0;
    }
    return closed && IsNearEdge(p, v[n - 1], v[0]) ? 0 : -1;
}

double PolylineDistance(const CWorldPoint* v, int n, bool closed, const CWorldPoint& p, int& edge) {
    double best = 1e10;
    edge = 1;
    if (!v) return best;
    for (int i = 1; i < n; ++i) {
        double d = Distance(p, NearestOnSegment(p, v[i - 1], v[i]));
        if (d < best) {
            best = d;
            edge = i;
        }
    }
    if (closed && n > 0) {
        double d = Distance(p, NearestOnSegment(p, v[n - 1], v[0]));
        if (d < best) {
            best = d;
            edge = n;
        }
    }
    return best;
}

CWorldPoint PolylineNearestPoint(const CWorldPoint* v, int n, bool closed, const CWorldPoint& p) {
    if (!v || n < 1) return {};
    double best = 1e10;
    CWorldPoint result = v[0];
    // Edge i+1 in outline order; for a closed outline the last is the closing edge.
    const int edges = closed ? n : n - 1;
    for (int i = 0; i < edges; ++i) {
        CWorldPoint q = NearestOnSegment(p, v[i], v[(i + 1) % n]);
        double d = Distance(p, q);
        if (d < best) {
            best = d;
            result = q;
        }
    }
    return result;
}

double FanArea(const CWorldPoint* v, int n) {
    if (!v || n < 3) return 0.0;
    double sum = 0;
    for (int i = 1; i <= n - 2; ++i) {
        double len = Distance(v[i + 1], v[i]);
        // A zero-length edge spans no triangle.
        if (len == 0) continue;
        sum += len * Distance(v[0], FootOfPerpendicular(v[0], v[i], v[i + 1]));
    }
    return sum / 2;
}

}  // namespace gyr
