#include "figures/isoptic_obj.h"

#include <cmath>
#include <cstdio>
#include <new>
#include <numbers>

#include "figures/angle_obj.h"
#include "figures/line_obj.h"
#include "figures/segment_obj.h"
#include "math/isoptic_derived.h"
#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CIsoptic, CompoObj)
GYR_IMPLEMENT_CLASS(CIsopticOne, CIsoptic)
GYR_IMPLEMENT_CLASS(CIsopticTwo, CIsoptic)
GYR_IMPLEMENT_CLASS(CIsopticSingular, CIsoptic)
GYR_IMPLEMENT_CLASS(CIsopticConic, CIsoptic)
GYR_IMPLEMENT_CLASS(CIsopticDegenerate, CIsoptic)

namespace {

std::string Format(const char* fmt, auto... args) {
    char buf[128];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

void BeepOnce() {
    if (Host* host = FindHost()) host->Beep();
}

void Repaint(const PixelRect& r) {
    if (Host* host = FindHost()) host->Invalidate(r);
}

IsopticBuild BuildOf(const CIsoptic& obj) {
    if (obj.IsDegenerateIsoptic()) return IsopticBuild::Degenerate;
    switch (obj.GetIsopticVariant()) {
        case IsopticVariant::One:
            return IsopticBuild::One;
        case IsopticVariant::Two:
            return IsopticBuild::Two;
        case IsopticVariant::Singular:
            return IsopticBuild::Singular;
        case IsopticVariant::Conic:
            return IsopticBuild::Conic;
        case IsopticVariant::None:
            break;
    }
    return IsopticBuild::None;
}

CWorldPoint Normalized(const CWorldPoint& v, const CWorldPoint& fallback) {
    const double n = Norm(v);
    if (!(n > 0) || !std::isfinite(n)) return fallback;
    return v * (1 / n);
}

constexpr int kPointMarkPixels = 3;

}  // namespace

// ---------------------------------------------------------------- CIsoptic

void CIsoptic::SetDefinition(const CIsopticDefinition& def) {
    for (int i = 0; i < 4; ++i) m_pts[i] = def.pts[i];
    m_origin = def.frame.origin;
    m_axisX = def.frame.ex;
    m_axisY = def.frame.ey;
    m_a = def.k.a;
    m_b = def.k.b;
    m_c = def.k.c;
}

void CIsoptic::LoadCurrent() const {
    CIsopticSettings& s = ProgramState().isoptic;
    s.frame = Frame();
    s.constants = Constants();
}

CSheetRect CIsoptic::SheetRect() const {
    CWorldPoint lt = Mapping().worldLeftTop, rb = Mapping().worldRightBottom;
    if (m_pDocument && !m_pDocument->Objects().empty()) {
        lt = m_pDocument->GetSheetLeftTop();
        rb = m_pDocument->GetSheetRightBottom();
    }
    return {lt.x, rb.x, rb.y, lt.y};
}

int CIsoptic::Recompute() {
    m_nExtra = -1;
    DeleteAllComponents();
    LoadCurrent();
    ComputeIntervals();
    const int code = BuildComponents();
    RecalcBounds();
    return code;
}

int CIsoptic::ListData(DataLines& lines) const {
    const std::size_t first = lines.size();
    static const char* const kNames[] = {"A", "B", "C", "D"};
    for (int i = 0; i < 4; ++i) {
        lines.push_back(Format("%s.x =  %f", kNames[i], m_pts[i].x));
        lines.push_back(Format("%s.y =  %f", kNames[i], m_pts[i].y));
    }
    lines.push_back(Format("a =  %f", m_a));
    lines.push_back(Format("b =  %f", m_b));
    lines.push_back(Format("c =  %f", m_c));
    ListComponents(*this, lines);
    return int(lines.size() - first);
}

CMyObj* CIsoptic::SetDataValue(int index, double value, int) {
    if (!std::isfinite(value)) return nullptr;
    if (index >= 0 && index < 8) return EditPoint(index, value);
    if (index >= 8 && index < 11) return EditConstant(index, value);
    return nullptr;
}

CMyObj* CIsoptic::EditPoint(int index, double value) {
    CWorldPoint pts[4] = {m_pts[0], m_pts[1], m_pts[2], m_pts[3]};
    if (index % 2 == 0)
        pts[index / 2].x = value;
    else
        pts[index / 2].y = value;
    const CIsopticDefinition def = DefineIsoptic(pts[0], pts[1], pts[2], pts[3]);
    if (def.build == IsopticBuild::None) {
        BeepOnce();
        return this;
    }
    if (def.build != BuildOf(*this) || def.build == IsopticBuild::Degenerate) {
        CIsoptic* made = AddIsoptic(m_pDocument, def);
        if (!made) {
            BeepOnce();
            return this;
        }
        Repaint(made->GetInvalidRect());
        return made;
    }
    const PixelRect before = GetInvalidRect();
    SetDefinition(def);
    Recompute();
    Repaint(before.United(GetInvalidRect()));
    return this;
}

CMyObj* CIsoptic::EditConstant(int index, double value) {
    const IsopticBuild build = BuildOf(*this);
    // Only a proper cubic has three constants; the hyperbola has one.
    const bool proper =
        build == IsopticBuild::One || build == IsopticBuild::Two || build == IsopticBuild::Singular;
    if (!(proper || (build == IsopticBuild::Conic && index == 8)) || !Frame().IsSound()) {
        BeepOnce();
        return this;
    }
    CIsopticDefinition def;
    def.frame = Frame();
    def.k = Constants();
    for (int i = 0; i < 4; ++i) def.pts[i] = m_pts[i];
    (index == 8 ? def.k.a : index == 9 ? def.k.b : def.k.c) = value;
    def.build = build == IsopticBuild::Conic ? build : BuildOfClass(ClassifyCubic(def.k));
    CIsoptic* target = this;
    const PixelRect before = GetInvalidRect();
    if (def.build == build) {
        SetDefinition(def);
        Recompute();
    } else {
        target = AddIsoptic(m_pDocument, def);
        if (!target) {
            BeepOnce();
            return this;
        }
    }
    // The old points move to their feet on the new cubic.
    for (CWorldPoint& p : target->m_pts) p = target->NearestPointOn(p);
    Repaint(before.United(target->GetInvalidRect()));
    return target;
}

template <class Map>
void CIsoptic::MapDefinition(Map map, double scale) {
    const CWorldPoint ex = map(m_origin + m_axisX), ey = map(m_origin + m_axisY);
    for (CWorldPoint& p : m_pts) p = map(p);
    const CWorldPoint o = map(m_origin);
    m_axisX = Normalized(ex - o, m_axisX);
    m_axisY = Normalized(ey - o, m_axisY);
    m_origin = o;
    // The frame is derived afresh: flexes found in the old one are searched
    // again rather than trusted.
    m_nExtra = -1;
    RederiveAfterMap(scale);
}

void CIsoptic::RederiveAfterMap(double) {
    // The same cubic in its new place: axes from the midpoints again (a
    // mirror image would otherwise keep a left-handed frame), constants and
    // interval ends of that frame. The components were mapped with it.
    CIsopticFrame f = Frame();
    if (IsopticAxesOf(m_pts[0], m_pts[1], m_pts[2], m_pts[3], f)) {
        m_axisX = f.ex;
        m_axisY = f.ey;
        const CIsopticConstants k = IsopticConstantsOf(f, m_pts[0], m_pts[3]);
        if (k.IsFinite()) {
            m_a = k.a;
            m_b = k.b;
            m_c = k.c;
        }
    }
    LoadCurrent();
    ComputeIntervals();
}

void CIsoptic::Homothety(const CWorldPoint& c, double k) {
    CompoObj::Homothety(c, k);
    MapDefinition([&](const CWorldPoint& p) { return c + (p - c) * k; }, std::fabs(k));
}

void CIsoptic::Reflect(const CWorldPoint& a, const CWorldPoint& b) {
    if (IsDegenerateLine(a, b)) return;
    CompoObj::Reflect(a, b);
    MapDefinition([&](const CWorldPoint& p) { return ReflectInLine(p, a, b); }, 1);
}

void CIsoptic::Rotate(const CWorldPoint& c, double angle) {
    CompoObj::Rotate(c, angle);
    for (CWorldPoint& p : m_pts) p = RotateAbout(p, c, angle);
    m_origin = RotateAbout(m_origin, c, angle);
    m_axisX = RotateAbout(m_axisX, {}, angle);
    m_axisY = RotateAbout(m_axisY, {}, angle);
    for (int i = 0; i < ExtraCount(); ++i) m_extra[i] = RotateAbout(m_extra[i], c, angle);
}

void CIsoptic::Offset(const CWorldPoint& v) {
    CompoObj::Offset(v);
    for (CWorldPoint& p : m_pts) p += v;
    m_origin += v;
    for (CWorldPoint& p : m_extra) p += v;
}

template <class Solve>
CWorldPoint CIsoptic::FootOfNormal(const CWorldPoint& p, bool valid, Solve solve) const {
    const CIsopticFrame f = Frame();
    if (valid && f.IsSound() && IsFinitePoint(p)) {
        LoadCurrent();
        const CWorldPoint c = f.ToCanonical(p);
        ProgramState().isoptic.reference = c;
        CWorldPoint foot;
        if (solve(c, foot) == 0) {
            const CWorldPoint w = f.ToWorld(foot);
            if (IsFinitePoint(w)) return w;
        }
    }
    BeepOnce();
    return CompoObj::NearestPointOn(p);
}

CWorldPoint CIsoptic::NearestPointOn(const CWorldPoint& p) const {
    const CIsopticConstants k = Constants();
    return FootOfNormal(p, k.IsFinite(), [&k](const CWorldPoint& c, CWorldPoint& foot) {
        return CubicFootOfNormal(k, c, foot);
    });
}

CLine* CIsoptic::MakeTangentLine(CGyrDoc* doc, const CWorldPoint& p) const {
    if (!Frame().IsSound() || !Constants().IsFinite() || !IsFinitePoint(p)) return nullptr;
    LoadCurrent();
    const CWorldPoint d = CubicTangentDirection(Frame(), Constants(), p);
    if (!IsFinitePoint(d) || IsDegenerateLine(p, p + d)) return nullptr;
    return NewLine(doc, p, p + d);
}

int CIsoptic::FindFlexes(int* calls) {
    if (calls) *calls = 0;
    return -1;
}

void CIsoptic::ExchangeFields(CFieldExchange& fx) {
    CompoObj::ExchangeFields(fx);
    fx.Point("A", m_pts[0]);
    fx.Point("B", m_pts[1]);
    fx.Point("C", m_pts[2]);
    fx.Point("D", m_pts[3]);
    fx.Point("extra.0", m_extra[0]);
    fx.Point("extra.1", m_extra[1]);
    fx.Point("extra.2", m_extra[2]);
    fx.Point("axisX", m_axisX);
    fx.Point("axisY", m_axisY);
    fx.Point("origin", m_origin);
    fx.F64("x1", m_x[0]);
    fx.F64("x2", m_x[1]);
    fx.F64("x3", m_x[2]);
    fx.F64("x4", m_x[3]);
    fx.F64("a", m_a);
    fx.F64("b", m_b);
    fx.F64("c", m_c);
    fx.I32("extraCount", m_nExtra);
}

// ---------------------------------------------------------------- proper variants

void CIsopticProper::ComputeIntervals() {
    const CIsopticIntervals iv = IsopticIntervals(Class(), Constants());
    for (int i = 0; i < 4; ++i) m_x[i] = iv.x[i];
}

int CIsopticProper::BuildComponents() {
    if (!Frame().IsSound() || !Constants().IsFinite()) return 0;
    CIsopticIntervals iv;
    for (int i = 0; i < 4; ++i) iv.x[i] = m_x[i];
    std::vector<CPolyline> lines;
    const int code = SampleCubic(Class(), Frame(), Constants(), iv,
                                 ProgramState().isoptic.halfPoints, SheetRect(), lines);
    try {
        for (CPolyline& l : lines) {
            // The sampled points become the component's own, without a copy.
            auto compo = std::make_unique<Compo>();
            compo->m_points = std::move(l);
            AddComponent(std::move(compo));
        }
    } catch (const std::bad_alloc&) {
        return kIsopticOutOfMemory;
    }
    return code;
}

int CIsopticProper::FindFlexes(int* calls) {
    if (calls) *calls = 0;
    const CIsopticFrame f = Frame();
    if (!f.IsSound() || !Constants().IsFinite()) return -1;
    if (ExtraCount() >= 0) {
        // Stored flexes (a file may hold anything) must lie on this cubic.
        for (int i = 0; i < ExtraCount(); ++i) {
            if (!IsFinitePoint(m_extra[i])) return -1;
            const CWorldPoint c = f.ToCanonical(m_extra[i]);
            const CWorldPoint g = CubicGradient(Constants(), c.x, c.y);
            const double off = std::fabs(CubicValue(Constants(), c.x, c.y));
            if (!(off <= 1e-6 * std::hypot(g.x, g.y) * (1 + std::hypot(c.x, c.y)))) return -1;
        }
        return ExtraCount();
    }
    std::vector<CPointRun> runs;
    runs.reserve(m_compos.size());
    for (const Compo* compo : m_compos)
        runs.push_back({compo->m_points.data(), int(compo->m_points.size())});
    LoadCurrent();
    const CFlexResult r = FindCubicFlexes(f, Constants(), Class() == CubicClass::Singular,
                                          runs.data(), int(runs.size()));
    if (calls) *calls = r.solverCalls;
    // The flexes are stored with the curve: an undoable change.
    if (m_pDocument) m_pDocument->WillChange(this);
    int n = 0;
    for (int i = 0; i < r.count; ++i) {
        const CWorldPoint w = f.ToWorld(r.flex[i]);
        if (!IsFinitePoint(w)) break;
        m_extra[n++] = w;
    }
    m_nExtra = n;
    return n;
}

// ---------------------------------------------------------------- conic

void CIsopticConic::ComputeIntervals() {
    double x1 = 0, x2 = 0;
    if (!Frame().IsSound() || !ConicInterval(Frame(), m_a, SheetRect(), x1, x2)) x1 = x2 = 0;
    m_x[0] = x1;
    m_x[1] = x2;
}

int CIsopticConic::BuildComponents() {
    if (!Frame().IsSound() || !(m_x[0] < m_x[1])) return 0;
    CPolyline first, second;
    SampleConic(Frame(), m_a, m_x[0], m_x[1], ProgramState().isoptic.halfPoints, SheetRect(), first,
                second);
    if (first.size() > 1 && AddPoints(first.data(), int(first.size()), 0) != 0)
        return kIsopticOutOfMemory;
    if (second.size() > 1 && AddPoints(second.data(), int(second.size()), 0) != 0)
        return kIsopticOutOfMemory;
    return 0;
}

void CIsopticConic::RederiveAfterMap(double scale) {
    // Distances from the centre scale, so x^2 - y^2 = a scales squared.
    m_a *= scale * scale;
    LoadCurrent();
    ComputeIntervals();
}

CWorldPoint CIsopticConic::NearestPointOn(const CWorldPoint& p) const {
    return FootOfNormal(p, std::isfinite(m_a), [this](const CWorldPoint& c, CWorldPoint& foot) {
        return HyperbolaFootOfNormal(m_a, c, foot);
    });
}

CLine* CIsopticConic::MakeTangentLine(CGyrDoc* doc, const CWorldPoint& p) const {
    const CIsopticFrame f = Frame();
    if (!f.IsSound() || !IsFinitePoint(p)) return nullptr;
    const CWorldPoint c = f.ToCanonical(p);
    // The gradient (2x, -2y) turned a quarter.
    const CWorldPoint d = f.ey * (2 * c.x) + f.ex * (2 * c.y);
    if (!IsFinitePoint(d) || IsDegenerateLine(p, p + d)) return nullptr;
    return NewLine(doc, p, p + d);
}

// ---------------------------------------------------------------- degenerate

bool CIsopticDegenerate::BuildFromParts(const CDegenerateParts& parts) {
    DeleteAllComponents();
    m_nShapeCode = parts.shapeCode;
    auto fitted = [this](const CWorldPoint& p, const CWorldPoint& q, CWorldPoint out[2]) {
        CLine line(p, q);
        line.SetDocument(m_pDocument);
        if (!line.FitToSheet()) return false;
        out[0] = line.P0();
        out[1] = line.P1();
        return true;
    };
    CWorldPoint first[2];
    if (!fitted(parts.line[0], parts.line[1], first)) return false;
    AddPoints(first, 2, 0);
    CWorldPoint second[2] = {parts.second[0], parts.second[1]};
    switch (m_nShapeCode) {
        case 0:
        case 1:
            AddPoints(second, 2, 0);
            break;
        case 3:
            if (fitted(parts.second[0], parts.second[1], second))
                AddPoints(second, 2, 0);
            else
                m_nShapeCode = 2;
            break;
        default:
            break;
    }
    RecalcBounds();
    return true;
}

void CIsopticDegenerate::RecalcBounds() {
    int count = 0;
    std::uint32_t closed = 0;
    const CWorldPoint* line = ComponentAt(0, count, closed);
    if (!line || count < 2) return;
    CWorldPoint lt, rb;
    BoundingBox(line, 2, lt, rb);
    const CWorldPoint* second = ComponentAt(1, count, closed);
    if (second && count >= 2) {
        CWorldPoint box[2] = {second[0], second[1]};
        if (ShapeCode() == 1) {
            const double r = Distance(second[0], second[1]);
            box[0] = second[0] + CWorldPoint{-r, r};
            box[1] = second[0] + CWorldPoint{r, -r};
        }
        CWorldPoint l2, r2;
        BoundingBox(box, 2, l2, r2);
        lt = {std::min(lt.x, l2.x), std::max(lt.y, l2.y)};
        rb = {std::max(rb.x, r2.x), std::min(rb.y, r2.y)};
    }
    m_leftTop = lt;
    m_rightBottom = rb;
}

bool CIsopticDegenerate::SnapToVertex(CWorldPoint& p) const {
    const double match = ProgramState().params.matchDistance;
    for (const CWorldPoint& q : m_pts) {
        if (ChebyshevDistance(q, p) < match) {
            p = q;
            return true;
        }
    }
    return false;
}

void CIsopticDegenerate::Draw(Canvas& dc) const {
    Canvas::PenSel oldPen = dc.SelectPen(m_bPen ? &m_logpen : nullptr);
    auto mark = [&dc](const CWorldPoint& q) {
        const PixelPoint c = WorldToPixel(q);
        dc.Ellipse({c.x - kPointMarkPixels, c.y - kPointMarkPixels, c.x + kPointMarkPixels + 1,
                    c.y + kPointMarkPixels + 1});
    };
    auto line = [&dc](const CWorldPoint* v) {
        dc.MoveTo(WorldToPixel(v[0]));
        dc.LineTo(WorldToPixel(v[1]));
    };
    int count = 0;
    std::uint32_t closed = 0;
    if (const CWorldPoint* first = ComponentAt(0, count, closed); first && count >= 2) line(first);
    if (const CWorldPoint* second = ComponentAt(1, count, closed); second && count >= 2) {
        switch (ShapeCode()) {
            case 0:
                mark(second[0]);
                break;
            case 1: {
                Canvas::BrushSel oldBrush = dc.SelectBrush(nullptr);
                const double radius = Distance(second[0], second[1]);
                if (NeedsTrueCircle(second[0], radius)) {
                    // Too large for the platform ellipse: the true circle cut
                    // to the window.
                    for (const auto& run :
                         CirclePixelRuns(second[0], radius, {}, 2 * std::numbers::pi))
                        dc.Polyline(run.data(), int(run.size()));
                } else {
                    const PixelPoint c = WorldToPixel(second[0]);
                    const PixelPoint q = WorldToPixel(second[1]);
                    const int r =
                        int(std::lround(std::hypot(double(q.x - c.x), double(q.y - c.y))));
                    dc.Ellipse({c.x - r, c.y - r, c.x + r + 1, c.y + r + 1});
                }
                dc.RestoreBrush(oldBrush);
                mark(second[1]);
                break;
            }
            case 3:
                line(second);
                break;
            default:
                break;
        }
    }
    for (const CWorldPoint& q : m_pts) mark(q);
    dc.RestorePen(oldPen);
}

double CIsopticDegenerate::DistanceTo(const CWorldPoint& p, int& edge) const {
    edge = 1;
    double best = 1e9;
    int count = 0;
    std::uint32_t closed = 0;
    if (const CWorldPoint* first = ComponentAt(0, count, closed); first && count >= 2)
        best = std::min(best, DistanceToLine(p, first[0], first[1]));
    if (const CWorldPoint* second = ComponentAt(1, count, closed); second && count >= 2) {
        double d = best;
        switch (ShapeCode()) {
            case 0:
                d = Distance(p, second[0]);
                break;
            case 1:
                d = DistanceToCircle(p, second[0], Distance(second[0], second[1]));
                break;
            case 3:
                d = DistanceToLine(p, second[0], second[1]);
                break;
            default:
                break;
        }
        if (d < best) {
            best = d;
            edge = 2;
        }
    }
    return best;
}

int CIsopticDegenerate::HitTest(const CWorldPoint& p) const {
    int edge = 0;
    return DistanceTo(p, edge) < Mapping().pixelTolerance ? 0 : -1;
}

CWorldPoint CIsopticDegenerate::NearestPointOn(const CWorldPoint& p) const {
    int count = 0;
    std::uint32_t closed = 0;
    CWorldPoint best = p;
    double bestDistance = 1e9;
    auto consider = [&](const CWorldPoint& q) {
        const double d = Distance(p, q);
        if (d < bestDistance) {
            bestDistance = d;
            best = q;
        }
    };
    if (const CWorldPoint* first = ComponentAt(0, count, closed); first && count >= 2)
        consider(FootOfPerpendicular(p, first[0], first[1]));
    if (const CWorldPoint* second = ComponentAt(1, count, closed); second && count >= 2) {
        if (ShapeCode() == 0) consider(second[0]);
        if (ShapeCode() == 1)
            consider(NearestPointOnCircle(p, second[0], Distance(second[0], second[1])));
        if (ShapeCode() == 3) consider(FootOfPerpendicular(p, second[0], second[1]));
    }
    return best;
}

CLine* CIsopticDegenerate::MakeTangentLine(CGyrDoc* doc, const CWorldPoint& p) const {
    int count = 0;
    std::uint32_t closed = 0;
    const CWorldPoint* first = ComponentAt(0, count, closed);
    if (!first || count < 2) return nullptr;
    return NewLine(doc, p, p + (first[1] - first[0]));
}

void CIsopticDegenerate::RefitLines() {
    auto refit = [this](int index) {
        if (index >= ComponentCount()) return;
        Compo* compo = m_compos[std::size_t(index)];
        if (compo->Count() < 2) return;
        CLine line(compo->m_points[0], compo->m_points[1]);
        line.SetDocument(m_pDocument);
        // A line moved off the sheet keeps its points.
        if (!line.FitToSheet()) return;
        compo->m_points[0] = line.P0();
        compo->m_points[1] = line.P1();
    };
    refit(0);
    if (ShapeCode() == 3) refit(1);
    RecalcBounds();
}

void CIsopticDegenerate::Homothety(const CWorldPoint& c, double k) {
    CIsoptic::Homothety(c, k);
    RefitLines();
}

void CIsopticDegenerate::Rotate(const CWorldPoint& c, double angle) {
    CIsoptic::Rotate(c, angle);
    RefitLines();
}

void CIsopticDegenerate::Reflect(const CWorldPoint& a, const CWorldPoint& b) {
    CIsoptic::Reflect(a, b);
    RefitLines();
}

void CIsopticDegenerate::Offset(const CWorldPoint& v) {
    CIsoptic::Offset(v);
    RefitLines();
}

void CIsopticDegenerate::RederiveAfterMap(double) {
    // The parts were mapped as components; the frame as vectors is enough.
}

void CIsopticDegenerate::ExchangeFields(CFieldExchange& fx) {
    CIsoptic::ExchangeFields(fx);
    fx.I32("shapeCode", m_nShapeCode);
}

// ---------------------------------------------------------------- building

CIsoptic* NewIsopticOf(IsopticBuild build) {
    switch (build) {
        case IsopticBuild::One:
            return new CIsopticOne();
        case IsopticBuild::Two:
            return new CIsopticTwo();
        case IsopticBuild::Singular:
            return new CIsopticSingular();
        case IsopticBuild::Conic:
            return new CIsopticConic();
        case IsopticBuild::Degenerate:
            return new CIsopticDegenerate();
        case IsopticBuild::None:
            break;
    }
    return nullptr;
}

CIsoptic* AddIsoptic(CGyrDoc* doc, const CIsopticDefinition& def) {
    CIsoptic* obj = NewIsopticOf(def.build);
    if (!obj) return nullptr;
    obj->SetDefinition(def);
    obj->SetDocument(doc);
    obj->m_nExtra = -1;
    if (def.build == IsopticBuild::Degenerate) {
        auto* degenerate = static_cast<CIsopticDegenerate*>(obj);
        if (!degenerate->BuildFromParts(def.parts)) {
            delete obj;
            return nullptr;
        }
        if (doc) doc->AddObject(obj);
        return obj;
    }
    if (doc) doc->AddObject(obj);
    obj->Recompute();
    return obj;
}

CIsoptic* AddIsopticThrough(CGyrDoc* doc, const CWorldPoint& A, const CWorldPoint& B,
                            const CWorldPoint& C, const CWorldPoint& D) {
    return AddIsoptic(doc, DefineIsoptic(A, B, C, D));
}

CIsoptic* AddIsopticFromConstants(CGyrDoc* doc, const CIsopticConstants& k) {
    CIsopticDefinition def;
    if (!PointsFromConstants(k, def.pts)) return nullptr;
    def.k = k;
    def.build = BuildOfClass(ClassifyCubic(k));
    if (doc) {
        for (int i : {0, 2}) doc->AddObject(NewSegment(doc, def.pts[i], def.pts[i + 1]));
    }
    return AddIsoptic(doc, def);
}

// ---------------------------------------------------------------- tools

namespace {

CIsoptic* Shown(CGestureState& state, CIsoptic* obj) {
    if (obj) state.Repaint(obj->GetInvalidRect());
    return obj;
}

// A segment from the press point, whatever stage the tool is in.
CSegmentObj* PressSegment(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    const int stage = state.m_nStage;
    state.m_nStage = 0;
    CSegmentObj* seg = StartSegment(state, flags, p);
    state.m_nStage = stage;
    return seg;
}

CMyObj* PressThroughABCD(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    CGyrDoc* doc = state.Document();
    if (state.m_nStage == 0) {
        CSegmentObj* seg = PressSegment(state, flags, p);
        if (!seg) {
            state.Beep();
            return nullptr;
        }
        state.m_pPicked = seg;
        state.m_nStage = 1;
        return seg;
    }
    // The first segment was dropped as a mere click.
    const CMyObj* last = doc && !doc->Objects().empty() ? doc->Objects().back() : nullptr;
    if (!last || !last->IsSegment() || last != state.m_pPicked) {
        ReportBadDefinition(state, nullptr, 0);
        state.ClearPicks();
        return nullptr;
    }
    CSegmentObj* seg = PressSegment(state, flags, p);
    if (!seg) {
        state.Beep();
        return nullptr;
    }
    state.m_pFirstPicked = seg;
    state.m_nStage = 2;
    return seg;
}

CMyObj* PressSingular(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    if (state.m_nStage == 0) {
        state.m_nToolCode = kCodePlain;
        CMyObj* side = DrawAngleTool(state, flags, p);
        state.m_nToolCode = kCodeIsopticSingular;
        return side;
    }
    state.m_nToolCode = (flags & kMkControl) ? kCodeViewingSegment : kCodePlain;
    CMyObj* angle = DrawAngleTool(state, flags, p);
    if (!angle) {
        state.m_nToolCode = kCodeIsopticSingular;
        state.m_nStage = 0;
        return nullptr;
    }
    state.m_pPicked = angle;
    state.m_nStage = 3;
    return angle;
}

}  // namespace

CMyObj* DrawIsopticTool(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    if (state.m_nToolCode == kCodePlain) return PressThroughABCD(state, flags, p);
    if (state.m_nToolCode == kCodeIsopticSingular) return PressSingular(state, flags, p);
    return nullptr;
}

bool FinishIsopticGesture(CGestureState& state, unsigned, const CWorldPoint&) {
    if (state.m_nToolKind != kToolIsoptic) return false;
    CGyrDoc* doc = state.Document();
    const auto alive = [doc](const CMyObj* obj) {
        return obj && doc && ListContains(doc->Objects(), obj);
    };
    // Stage 3 of the singular tool runs under the angle tool's codes (the
    // group operation has a stage 3 of its own).
    if (state.m_nStage == 3 &&
        (state.m_nToolCode == kCodePlain || state.m_nToolCode == kCodeViewingSegment)) {
        // The angle of the singular tool is complete.
        CMyObj* angle = state.m_pPicked;
        state.m_nToolCode = kCodeIsopticSingular;
        state.m_nStage = 0;
        CIsoptic* made = nullptr;
        if (alive(angle) && angle->IsAngle() && angle->GetVertexCount() >= 3) {
            const CWorldPoint* v = angle->GetVertices();
            made = Shown(state, AddIsoptic(doc, DefineAngleIsoptic(v[0], v[1], v[2])));
        }
        if (!made) state.Beep();
        state.ClearPicks();
        return true;
    }
    if (state.m_nToolCode != kCodePlain || state.m_nStage != 2) return false;
    // Define through ABCD: both segments are drawn.
    CMyObj* first = state.m_pPicked;
    CMyObj* second = state.m_pFirstPicked;
    state.m_nStage = 0;
    state.ClearPicks();
    if (!alive(first) || !alive(second) || first->GetVertexCount() < 2 ||
        second->GetVertexCount() < 2) {
        ReportBadDefinition(state, nullptr, 0);
        return true;
    }
    const CWorldPoint* ab = first->GetVertices();
    const CWorldPoint* cd = second->GetVertices();
    Shown(state, AddIsopticThrough(doc, ab[0], ab[1], cd[0], cd[1]));
    return true;
}

}  // namespace gyr
