#include "figures/rect_obj.h"

#include <cmath>

#include "figures/segment_obj.h"
#include "math/kernel.h"
#include "model/field_exchange.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CRectObj, CShapeObj)

namespace {

int Mod4(int i) {
    return ((i % 4) + 4) % 4;
}

double Cross(const CWorldPoint& u, const CWorldPoint& v) {
    return u.x * v.y - u.y * v.x;
}

}  // namespace

CRectObj::CRectObj(std::uint32_t kind, const CWorldPoint& p) : CShapeObj(4), m_kind(kind) {
    for (CWorldPoint& v : m_points) v = p;
    m_bSelected = 0;
}

bool CRectObj::IsKnownKind() const {
    return m_kind == kRectGeneral || m_kind == kRectRectangle || m_kind == kRectScreen ||
           m_kind == kRectRhomb || m_kind == kRectTrapezium;
}

bool CRectObj::IsDegenerate() const {
    if (m_nPoints < 3) return CShapeObj::IsDegenerate();
    return Coincide(m_points[1], m_points[2]) || Coincide(m_points[0], m_points[2]);
}

void CRectObj::TrackLastVertex(CGestureState&, const CWorldPoint& p, unsigned flags, int) {
    if (m_nPoints != 4) return;
    CWorldPoint* v = m_points.data();
    switch (m_kind) {
        case kRectGeneral:
        case kRectRectangle:
            if (flags & kMkControl) {
                m_kind = kRectRectangle;
                v[2] = FootOfPerpendicular(p, v[1], v[1] + Perp(v[0] - v[1]));
            } else {
                m_kind = kRectGeneral;
                v[2] = p;
            }
            v[3] = v[2] + (v[0] - v[1]);
            break;
        case kRectScreen:
            v[2] = p;
            v[1] = {v[0].x, p.y};
            v[3] = {p.x, v[0].y};
            break;
        case kRectRhomb: {
            // The base direction is taken once: measured from P1, it would be
            // lost for good when the pointer passes over P0.
            if (m_baseDir == CWorldPoint{}) m_baseDir = UnitVector(v[0], v[1]);
            const double s = Distance(v[0], p);
            v[3] = p;
            v[1] = v[0] + m_baseDir * s;
            v[2] = ReflectInLine(v[0], v[1], v[3]);
            break;
        }
        case kRectTrapezium: {
            const CWorldPoint m = (v[0] + v[1]) * 0.5;
            v[2] = p;
            v[3] = ReflectInLine(p, m, m + Perp(v[1] - v[0]));
            break;
        }
        default:
            break;
    }
}

PixelRect CRectObj::MoveHandle(int k, const CWorldPoint& p) {
    if (m_nPoints != 4 || !IsKnownKind() || k < 1 || k > 4) return CShapeObj::MoveHandle(k, p);
    const PixelRect before = GetInvalidRect();
    CWorldPoint* v = m_points.data();
    const int m = k - 1, prev = Mod4(m - 1), next = Mod4(m + 1), opposite = Mod4(m + 2);
    const bool ctrl = IsKeyHeld(kKeyControl), shift = IsKeyHeld(kKeyShift);
    // A general parallelogram takes the key rules; a rectangle keeps its
    // right angles: Ctrl rebuilds it on a side, otherwise the opposite
    // vertex stays.
    const bool general = m_kind == kRectGeneral || (m_kind == kRectRectangle && ctrl);

    // The opposite vertex stays and the sides through it keep their
    // directions; the neighbours slide along them.
    auto slideNeighbours = [&](const CWorldPoint& q) {
        const CWorldPoint o = v[opposite];
        CWorldPoint a, b;
        if (!ObliqueProjection(q, o, v[prev], v[next], a) ||
            !ObliqueProjection(q, o, v[next], v[prev], b))
            return;
        v[m] = q;
        v[prev] = a;
        v[next] = b;
    };

    if (general && !shift) {
        const CWorldPoint side = v[opposite] - v[next];
        if (ctrl) {
            v[m] = FootOfPerpendicular(p, v[next], v[next] + Perp(side));
            m_kind = kRectRectangle;
        } else {
            v[m] = p;
            m_kind = kRectGeneral;
        }
        v[prev] = v[m] + side;
    } else if (general || m_kind == kRectRectangle || m_kind == kRectScreen) {
        slideNeighbours(p);
    } else if (m_kind == kRectRhomb) {
        // The bisector at the opposite vertex of the angle between its sides
        // that contains the pointer.
        const CWorldPoint o = v[opposite];
        const CWorldPoint e1 = UnitVector(o, v[next]), e2 = UnitVector(o, v[prev]);
        const double det = Cross(e1, e2);
        if (std::fabs(det) < kGeomEps) return {};
        const CWorldPoint d = p - o;
        const double alpha = Cross(d, e2) / det, beta = Cross(e1, d) / det;
        const CWorldPoint bisector = (alpha >= 0) == (beta >= 0) ? e1 + e2 : e1 - e2;
        slideNeighbours(FootOfPerpendicular(p, o, o + bisector));
    } else {  // trapezium: the mirror partner follows across the axis
        const CWorldPoint a = (v[0] + v[1]) * 0.5, b = (v[2] + v[3]) * 0.5;
        v[m] = p;
        v[m ^ 1] = ReflectInLine(p, a, b);
    }
    RecalcBounds();
    return before.United(GetInvalidRect());
}

CWorldPoint CRectObj::GetDuplicateOffset(int key) const {
    if (IsKeyHeld(kKeyControl) || m_nPoints != 4) return CShapeObj::GetDuplicateOffset(key);
    const CWorldPoint* v = m_points.data();
    switch (key) {
        case kKeyLeft:
            return v[0] - v[1];
        case kKeyRight:
            return v[1] - v[0];
        case kKeyUp:
            return v[3] - v[0];
        case kKeyDown:
            return v[0] - v[3];
        default:
            return {};
    }
}

void CRectObj::ExchangeFields(CFieldExchange& fx) {
    CShapeObj::ExchangeFields(fx);
    fx.U32("kind", m_kind);
}

CMyObj* DrawRectTool(CGestureState& state, unsigned flags, const CWorldPoint& p) {
    const int code = state.m_nToolCode;
    if (code == kCodeParallel) {  // the screen rectangle: one stage
        auto* rect = new CRectObj(kRectScreen, p);
        rect->SetDocument(state.Document());
        rect->RecalcBounds();
        return rect;
    }
    if (code != kCodePlain && code != kCodeRhomb && code != kCodeTrapezium) return nullptr;
    if (state.m_nStage == 0) return StartFirstSide(state, flags, p);
    CWorldPoint a, b;
    if (!TakeFirstSide(state, a, b)) return nullptr;
    auto* rect = new CRectObj(std::uint32_t(code), p);
    rect->SetDocument(state.Document());
    rect->m_points[0] = a;
    rect->m_points[1] = b;
    rect->TrackLastVertex(state, p, flags, code);
    rect->RecalcBounds();
    return rect;
}

}  // namespace gyr
