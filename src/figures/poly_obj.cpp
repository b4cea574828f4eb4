#include "figures/poly_obj.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "figures/circle_obj.h"
#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "model/field_exchange.h"
#include "model/program_state.h"
#include "port/canvas.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CPolyObj, CShapeObj)

namespace {

constexpr int kMinSides = 3, kMaxSides = 60;

std::string CenterLine(const char* axis, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "Center.%s =  %f", axis, v);
    return buf;
}

}  // namespace

CPolyObj::CPolyObj(int n, const CWorldPoint& centre)
    : CShapeObj(n), m_center(centre), m_anchor(centre) {
    for (CWorldPoint& v : m_points) v = centre;
    m_bSelected = 0;
}

void CPolyObj::SetRegularVertices(int k, const CWorldPoint& p) {
    const int n = m_nPoints;
    if (n < kMinSides) return;
    k = ((k % n) + n) % n;
    m_points[std::size_t(k)] = p;
    if (Coincide(p, m_center)) {
        for (CWorldPoint& v : m_points) v = p;
        return;
    }
    const CWorldPoint step = UnitStep(n);
    CWorldPoint v = p - m_center;
    for (int i = 1; i < n; ++i) {
        v = ComplexMul(v, step);
        m_points[std::size_t((k + i) % n)] = m_center + v;
    }
}

void CPolyObj::TrackLastVertex(CGestureState&, const CWorldPoint& p, unsigned flags, int) {
    const int n = m_nPoints;
    if (n < kMinSides) return;
    const CWorldPoint q1 = m_anchor;
    m_center = q1;
    if ((flags & kMkControl) && !Coincide(p, q1)) {
        // The centre lies left of the side q1 -> p, at the circumradius.
        const double alpha = (n - 2) * std::numbers::pi / (2.0 * n);
        const CWorldPoint w = RotateAbout(p, q1, alpha) - q1;
        m_center = q1 + w * (0.5 / std::cos(alpha));
    }
    SetRegularVertices(0, p);
}

PixelRect CPolyObj::MoveHandle(int k, const CWorldPoint& p) {
    if (m_nPoints < kMinSides || k < 1 || k > m_nPoints) return CShapeObj::MoveHandle(k, p);
    const PixelRect before = GetInvalidRect();
    SetRegularVertices(k - 1, p);
    RecalcBounds();
    return before.United(GetInvalidRect());
}

void CPolyObj::Homothety(const CWorldPoint& c, double k) {
    CShapeObj::Homothety(c, k);
    m_center = c + (m_center - c) * k;
}

void CPolyObj::Rotate(const CWorldPoint& c, double angle) {
    CShapeObj::Rotate(c, angle);
    m_center = RotateAbout(m_center, c, angle);
}

void CPolyObj::Reflect(const CWorldPoint& a, const CWorldPoint& b) {
    if (a == b) return;
    CShapeObj::Reflect(a, b);
    m_center = ReflectInLine(m_center, a, b);
}

void CPolyObj::Offset(const CWorldPoint& v) {
    CShapeObj::Offset(v);
    m_center += v;
    m_anchor += v;
}

CWorldPoint CPolyObj::GetDuplicateOffset(int key) const {
    const int n = m_nPoints;
    if (IsKeyHeld(kKeyControl) || n < kMinSides) return CShapeObj::GetDuplicateOffset(key);
    CWorldPoint dir;
    switch (key) {
        case kKeyLeft:
            dir = {-1, 0};
            break;
        case kKeyRight:
            dir = {1, 0};
            break;
        case kKeyUp:
            dir = {0, 1};
            break;
        case kKeyDown:
            dir = {0, -1};
            break;
        default:
            return {};
    }
    CWorldPoint best = m_center;
    double reach = -INFINITY;
    for (int i = 0; i < n; ++i) {
        const CWorldPoint mid =
            (m_points[std::size_t(i)] + m_points[std::size_t((i + 1) % n)]) * 0.5;
        const double d = (mid - m_center).Dot(dir);
        // A tie (a vertex pointing that way) takes the first side met.
        if (d > reach + kGeomEps) {
            reach = d;
            best = mid;
        }
    }
    return (best - m_center) * 2.0;
}

void CPolyObj::Draw(Canvas& dc) const {
    CShapeObj::Draw(dc);
    if (m_nPoints < 1 || !IsFinitePoint(m_center)) return;
    const LogPen black{kPenSolid, 1, 0, 0};
    Canvas::PenSel old = dc.SelectPen(&black);
    DrawCross(dc, WorldToPixel(m_center));
    dc.RestorePen(old);
}

int CPolyObj::ListData(DataLines& lines) const {
    const int added = CShapeObj::ListData(lines);
    lines.push_back(CenterLine("x", m_center.x));
    lines.push_back(CenterLine("y", m_center.y));
    return added + 2;
}

void CPolyObj::ExchangeFields(CFieldExchange& fx) {
    CShapeObj::ExchangeFields(fx);
    fx.Point("center", m_center);
}

CMyObj* DrawPolygonTool(CGestureState& state, unsigned, const CWorldPoint& p) {
    const int n = std::clamp(ProgramState().params.polygonSides, kMinSides, kMaxSides);
    auto* poly = new CPolyObj(n, p);
    poly->SetDocument(state.Document());
    poly->RecalcBounds();
    return poly;
}

}  // namespace gyr
