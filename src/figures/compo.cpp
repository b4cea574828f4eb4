#include "figures/compo.h"

#include <algorithm>
#include <cmath>

#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "model/shape_obj.h"

namespace gyr {

GYR_IMPLEMENT_SERIAL(Compo, CObject)

Compo::Compo(const CWorldPoint* points, int count, std::uint32_t closed) : m_bClosed(closed) {
    if (points && count > 0) m_points.assign(points, points + count);
}

void Compo::Draw(Canvas& dc) const {
    std::vector<CWorldPoint> path;
    path.reserve(m_points.size());
    // Non-finite points (only a damaged file holds them) are left out.
    for (auto it = m_points.rbegin(); it != m_points.rend(); ++it)
        if (std::isfinite(it->x) && std::isfinite(it->y)) path.push_back(*it);
    if (path.size() < 2) return;
    if (IsClosed()) {
        const std::vector<PixelPoint> px = PolygonPixels(path.data(), int(path.size()));
        if (px.size() >= 2) dc.Polygon(px.data(), int(px.size()));
        return;
    }
    for (const auto& run : PolylinePixelRuns(path.data(), int(path.size()), false))
        dc.Polyline(run.data(), int(run.size()));
}

void Compo::Box(CWorldPoint& leftTop, CWorldPoint& rightBottom) const {
    if (m_points.size() < 2) {
        leftTop = rightBottom = m_points.empty() ? CWorldPoint{} : m_points[0];
        return;
    }
    BoundingBox(m_points.data(), m_points.size(), leftTop, rightBottom);
}

int Compo::Hit(const CWorldPoint& p) const {
    return PolylineHitTest(Points(), Count(), IsClosed(), p);
}

void Compo::Translate(const CWorldPoint& delta) {
    for (CWorldPoint& p : m_points) p += delta;
}

void Compo::Reflect(const CWorldPoint& a, const CWorldPoint& b) {
    const CWorldPoint d = b - a;
    const double len2 = d.Dot(d);
    if (len2 == 0) return;
    for (CWorldPoint& p : m_points) {
        const CWorldPoint foot = a + d * (d.Dot(p - a) / len2);
        p = p + (foot - p) * 2;
    }
}

void Compo::Rotate(const CWorldPoint& centre, double angle) {
    for (CWorldPoint& p : m_points) p = RotateAbout(p, centre, angle);
}

void Compo::Scale(const CWorldPoint& centre, double ratio) {
    for (CWorldPoint& p : m_points) p = centre + (p - centre) * ratio;
}

double Compo::Distance(const CWorldPoint& p, int& segment) const {
    return PolylineDistance(Points(), Count(), IsClosed(), p, segment);
}

CWorldPoint Compo::Nearest(const CWorldPoint& p) const {
    return PolylineNearestPoint(Points(), Count(), IsClosed(), p);
}

void Compo::MarkEnds(Canvas& dc) const {
    if (m_points.empty()) return;
    for (const CWorldPoint* end : {&m_points.front(), &m_points.back()}) {
        PixelPoint c = WorldToPixel(*end);
        dc.InvertRect(MarkRect(c));
    }
}

void Compo::ExchangeFields(CFieldExchange& fx) {
    CObject::ExchangeFields(fx);
    std::int32_t closed = std::int32_t(m_bClosed & 0xFFFF);
    fx.U16("closed", closed);
    if (fx.IsLoading()) m_bClosed = std::uint32_t(closed) & 0xFFFF;
    // A signed 32-bit count and the points: the encoding of a point array.
    fx.Points("points", m_points);
}

void CCompoBuilder::Begin() {
    m_points.reset();
    m_capacity = 0;
    m_count = 0;
}

void CCompoBuilder::AddPoint(const CWorldPoint& p) {
    if (m_count == m_capacity) {
        auto grown = std::make_unique<CWorldPoint[]>(std::size_t(m_capacity + kGrowth));
        std::copy(m_points.get(), m_points.get() + m_count, grown.get());
        m_points = std::move(grown);
        m_capacity += kGrowth;
    }
    m_points[m_count++] = p;
}

std::unique_ptr<Compo> CCompoBuilder::Finish(std::uint32_t closed) {
    std::unique_ptr<Compo> compo;
    if (m_count > 0) compo = std::make_unique<Compo>(m_points.get(), m_count, closed);
    Begin();
    return compo;
}

namespace {
CCompoBuilder g_builder;
}

CCompoBuilder& CompoBuilder() {
    return g_builder;
}

}  // namespace gyr
