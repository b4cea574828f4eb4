#include "figures/compo_obj.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <new>

#include "math/kernel.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CompoObj, CShapeObj)

namespace {

std::string Format(const char* fmt, auto... args) {
    char buf[96];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

// Every point of an object or component takes this much memory in the figure
// the listing shows, on top of the object's own.
constexpr int kPointBytes = 24;
constexpr int kObjectBytes = 144;

}  // namespace

CompoObj::CompoObj(const CompoObj& other) : CShapeObj(other) {
    CopyComponentsFrom(other);
}

CompoObj::~CompoObj() {
    DeleteAllComponents();
}

bool CompoObj::Owns(const Compo* compo) const {
    return compo && std::find(m_compos.begin(), m_compos.end(), compo) != m_compos.end();
}

CWorldPoint CompoObj::GetHandle(int n, const Compo* compo) const {
    if (!Owns(compo) || n < 0 || n >= compo->Count()) return {};
    return compo->m_points[std::size_t(n)];
}

const CWorldPoint* CompoObj::GetVertices(const Compo* compo) const {
    return Owns(compo) ? compo->Points() : nullptr;
}

int CompoObj::GetVertexCount(const Compo* compo) const {
    return Owns(compo) ? compo->Count() : 0;
}

int CompoObj::TotalPoints() const {
    int total = 0;
    for (const Compo* c : m_compos) total += c->Count();
    return total;
}

void ListComponents(const CompoObj& curve, DataLines& lines) {
    lines.push_back(Format("Number of Compos :  %d", curve.ComponentCount()));
    for (int i = 0; i < curve.ComponentCount(); ++i)
        lines.push_back(Format("Comp-%d , nPts:  %d", i, curve.m_compos[std::size_t(i)]->Count()));
    lines.push_back(
        Format("Memory in bytes :  %d", kPointBytes * curve.TotalPoints() + kObjectBytes));
}

int CompoObj::ListData(DataLines& lines) const {
    const std::size_t first = lines.size();
    lines.push_back(Format("Address :  %" PRIuPTR, reinterpret_cast<std::uintptr_t>(this)));
    ListComponents(*this, lines);
    return int(lines.size() - first);
}

void CompoObj::RecalcBounds() {
    if (m_compos.empty()) return;
    m_compos.front()->Box(m_leftTop, m_rightBottom);
    for (std::size_t i = 1; i < m_compos.size(); ++i) {
        CWorldPoint lt, rb;
        m_compos[i]->Box(lt, rb);
        m_leftTop = {std::min(m_leftTop.x, lt.x), std::max(m_leftTop.y, lt.y)};
        m_rightBottom = {std::max(m_rightBottom.x, rb.x), std::min(m_rightBottom.y, rb.y)};
    }
}

PixelRect CompoObj::MoveHandle(int, const CWorldPoint&) {
    // Nothing moves; the area is repainted as it is.
    return GetInvalidRect();
}

PixelRect CompoObj::Track(CGestureState&, const CWorldPoint&, unsigned) {
    return GetInvalidRect();
}

void CompoObj::Homothety(const CWorldPoint& c, double k) {
    for (Compo* compo : m_compos) compo->Scale(c, k);
    auto map = [&](const CWorldPoint& p) { return c + (p - c) * k; };
    CWorldPoint lt = map(m_leftTop), rb = map(m_rightBottom);
    // A negative ratio swaps the sides; the box keeps (min x, max y) / (max x, min y).
    m_leftTop = {std::min(lt.x, rb.x), std::max(lt.y, rb.y)};
    m_rightBottom = {std::max(lt.x, rb.x), std::min(lt.y, rb.y)};
}

void CompoObj::Rotate(const CWorldPoint& c, double angle) {
    for (Compo* compo : m_compos) compo->Rotate(c, angle);
    RecalcBounds();
}

void CompoObj::Reflect(const CWorldPoint& a, const CWorldPoint& b) {
    for (Compo* compo : m_compos) compo->Reflect(a, b);
    RecalcBounds();
}

void CompoObj::Offset(const CWorldPoint& v) {
    for (Compo* compo : m_compos) compo->Translate(v);
    CMyObj::Offset(v);
}

void CompoObj::Draw(Canvas& dc) const {
    Canvas::PenSel oldPen = dc.SelectPen(m_bPen ? &m_logpen : nullptr);
    Canvas::BrushSel oldBrush = dc.SelectBrush(m_bBrush ? &m_logbrush : nullptr);
    for (const Compo* compo : m_compos) compo->Draw(dc);
    dc.RestorePen(oldPen);
    dc.RestoreBrush(oldBrush);
}

void CompoObj::DrawMarks(Canvas& dc) const {
    for (const Compo* compo : m_compos) compo->MarkEnds(dc);
}

double CompoObj::DistanceTo(const CWorldPoint& p, int& edge) const {
    double best = 1e9;
    edge = 1;
    for (const Compo* compo : m_compos) {
        int segment = 1;
        double d = compo->Distance(p, segment);
        if (d < best) {
            best = d;
            edge = segment;
        }
    }
    return best;
}

int CompoObj::HitTest(const CWorldPoint& p) const {
    // A curve has no handles: a hit anywhere on it is a hit of the body.
    for (const Compo* compo : m_compos)
        if (compo->Hit(p) >= 0) return 0;
    return -1;
}

double CompoObj::NearestVertex(const CWorldPoint&, int&) const {
    return 0.0;
}

bool CompoObj::GetCorner(int, CWorldPoint& v, CWorldPoint& next, CWorldPoint& prev) const {
    v = next = prev = CWorldPoint{};
    return false;
}

CWorldPoint CompoObj::NearestPointOn(const CWorldPoint& p) const {
    double best = 1e9;
    CWorldPoint result;
    for (const Compo* compo : m_compos) {
        CWorldPoint q = compo->Nearest(p);
        double d = Distance(q, p);
        if (d < best) {
            best = d;
            result = q;
        }
    }
    return result;
}

void CompoObj::ExchangeFields(CFieldExchange& fx) {
    CShapeObj::ExchangeFields(fx);
    ExchangeList(fx, "components", m_compos);
}

int CompoObj::AddPoints(const CWorldPoint* points, int count, std::uint32_t closed) {
    try {
        auto compo = std::make_unique<Compo>(points, count, closed);
        m_compos.push_back(compo.get());
        compo.release();
    } catch (const std::bad_alloc&) {
        return 1;
    }
    return 0;
}

void CompoObj::AddComponent(std::unique_ptr<Compo> compo) {
    if (!compo || compo->Count() <= 1) return;
    m_compos.push_back(compo.release());
}

const CWorldPoint* CompoObj::ComponentAt(int index, int& count, std::uint32_t& closed) const {
    if (index < 0 || index >= ComponentCount() || !m_compos[std::size_t(index)]) return nullptr;
    const Compo* compo = m_compos[std::size_t(index)];
    count = compo->Count();
    closed = compo->m_bClosed;
    return compo->Points();
}

void CompoObj::DeleteAllComponents() {
    std::vector<Compo*> doomed;
    doomed.swap(m_compos);
    for (Compo* compo : doomed) delete compo;
}

void CompoObj::CopyComponentsFrom(const CompoObj& other) {
    m_compos.reserve(m_compos.size() + other.m_compos.size());
    for (const Compo* compo : other.m_compos) m_compos.push_back(new Compo(*compo));
}

}  // namespace gyr
