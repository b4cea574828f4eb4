#include "math/isoptic_derived.h"

#include <cmath>

#include "math/geom_sqrt.h"
#include "math/kernel.h"

namespace gyr {

namespace {

bool Finite(const CWorldPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

CWorldPoint CDivide(const CWorldPoint& v, const CWorldPoint& w) {
    const double d = w.x * w.x + w.y * w.y;
    return {(v.x * w.x + v.y * w.y) / d, (v.y * w.x - v.x * w.y) / d};
}

// The points of vertical tangent: where the two roots of the quadratic in y
// meet, y = -c / (2 (x - a)).
CWorldPoint VerticalTangentPoint(const CIsopticConstants& k, double x) {
    return {x, -k.c / (2 * (x - k.a))};
}

}  // namespace

double FlexCurveValue(const CIsopticConstants& k, double x, double y) {
    const double a = k.a, b = k.b, c = k.c;
    const double a2 = a * a;
    return (3 * b - a2) * x * x * x - c * y * y * y + 3 * c * x * x * y - (a2 + b) * x * y * y +
           (a2 * a - 2 * a * b) * (x * x + y * y) - ((a2 + b) * b + 3 * c * c) * x +
           (2 * b * c - a2 * c) * y + a * (b * b + c * c);
}

CWorldPoint FlexCurveGradient(const CIsopticConstants& k, double x, double y) {
    const double a = k.a, b = k.b, c = k.c;
    const double a2 = a * a;
    const double hx = 3 * (3 * b - a2) * x * x + 6 * c * x * y - (a2 + b) * y * y +
                      2 * (a2 * a - 2 * a * b) * x - ((a2 + b) * b + 3 * c * c);
    const double hy = -3 * c * y * y + 3 * c * x * x - 2 * (a2 + b) * x * y +
                      2 * (a2 * a - 2 * a * b) * y + (2 * b * c - a2 * c);
    return {hx, hy};
}

int SolveFlex(const CIsopticConstants& k, const CWorldPoint& start, CWorldPoint& flex) {
    double x = start.x, y = start.y;
    for (int i = 0; i < 100; ++i) {
        const double F = CubicValue(k, x, y);
        const CWorldPoint Fg = CubicGradient(k, x, y);
        const double H = FlexCurveValue(k, x, y);
        const CWorldPoint Hg = FlexCurveGradient(k, x, y);
        const double j = Fg.x * Hg.y - Fg.y * Hg.x;
        if (!(std::fabs(j) >= 1e-7)) return 1;
        const double nx = x - (F * Hg.y - Fg.y * H) / j;
        const double ny = y - (Fg.x * H - F * Hg.x) / j;
        if (!(std::fabs(nx) + std::fabs(ny) <= 1e7)) return 1;
        if (std::fabs(x - nx) + std::fabs(y - ny) < 1e-12) {
            flex = {nx, ny};
            return 0;
        }
        x = nx;
        y = ny;
    }
    return 2;
}

CFlexResult FindCubicFlexes(const CIsopticFrame& frame, const CIsopticConstants& k, bool singular,
                            const CPointRun* runs, int runCount) {
    CFlexResult r;
    if (!k.IsFinite() || !frame.IsSound()) return r;
    for (int c = 0; c < runCount; ++c) {
        const CPointRun& run = runs[c];
        if (!run.points || run.count < 4) continue;
        const int m = run.count / 2;
        for (int i = 1; i < m; ++i) {
            for (const int index : {m + i, m - i}) {
                const CWorldPoint start = frame.ToCanonical(run.points[index]);
                if (!Finite(start)) continue;
                CWorldPoint found;
                ++r.solverCalls;
                if (SolveFlex(k, start, found) != 0) continue;
                if (r.count == 0) {
                    r.flex[0] = found;
                    r.count = 1;
                    if (singular) return r;
                    continue;
                }
                if (ChebyshevDistance(found, r.flex[0]) < kGeomEps) continue;
                r.flex[1] = found;
                r.count = 2;
                // The three flexes of a cubic lie on a line.
                if (CubicThirdPoint(k, r.flex[0], found - r.flex[0], 1, r.flex[2])) r.count = 3;
                return r;
            }
        }
    }
    return r;
}

bool CubicThirdPoint(const CIsopticConstants& k, const CWorldPoint& p, const CWorldPoint& d,
                     double tSum, CWorldPoint& out) {
    // Along p + t d the cubic is dx L t^3 + s t^2 + ...: the three
    // parameters add up to -s / (dx L).
    const double L = d.Dot(d);
    const double lead = d.x * L;
    if (lead == 0 || !std::isfinite(lead)) return false;
    const double s = 2 * d.x * d.Dot(p) + (p.x - k.a) * L;
    const double t = -s / lead - tSum;
    const CWorldPoint q = p + d * t;
    if (!Finite(q)) return false;
    out = q;
    return true;
}

bool CubicChordPoint(const CIsopticConstants& k, const CWorldPoint& p, const CWorldPoint& q,
                     CWorldPoint& out) {
    if (!Coincide(p, q)) return CubicThirdPoint(k, p, q - p, 1, out);
    const CWorldPoint g = CubicGradient(k, p.x, p.y);
    return CubicThirdPoint(k, p, {-g.y, g.x}, 0, out);
}

bool CubicGroupSum(const CIsopticConstants& k, const CWorldPoint& n, const CWorldPoint& p,
                   const CWorldPoint& q, CWorldPoint& sum) {
    CWorldPoint r;
    return CubicChordPoint(k, p, q, r) && CubicChordPoint(k, n, r, sum);
}

bool MainInvolutionImage(const CIsopticConstants& k, const CWorldPoint& p, CWorldPoint& image) {
    if (!Finite(p) || Coincide(p, {})) return false;
    const CWorldPoint q = CDivide({k.b, k.c}, p);
    if (!Finite(q)) return false;
    image = q;
    return true;
}

double MainInvolutionRadius(const CIsopticConstants& k) {
    return GeomSqrt(GeomSqrt(k.b * k.b + k.c * k.c));
}

void BisectorPoints(const CWorldPoint& p, CWorldPoint& plus, CWorldPoint& minus) {
    const double r = GeomSqrt(p.Dot(p));
    plus = {p.x / 2, (p.y + r) / 2};
    minus = {p.x / 2, (p.y - r) / 2};
}

int TangentPointsFrom(const CIsopticConstants& k, const CWorldPoint& p, CWorldPoint out[4]) {
    CWorldPoint q;
    if (!MainInvolutionImage(k, p, q)) return 0;
    CWorldPoint t[2];
    BisectorPoints(q, t[0], t[1]);
    int n = 0;
    for (const CWorldPoint& T : t) {
        // The other two meets of the line QT: Q + t D with
        // dx L t^2 + B t + C = 0 (t = 0 is Q itself).
        const CWorldPoint D = T - q;
        const double L = D.Dot(D);
        const double dq = D.Dot(q);
        const double B = (q.x - k.a) * L + 2 * D.x * dq;
        const double C = D.x * (q.Dot(q) + k.b) + D.y * k.c + 2 * dq * (q.x - k.a);
        const double den = 2 * D.x * L;
        if (den == 0 || !std::isfinite(den)) continue;
        const double disc = B * B - 4 * D.x * L * C;
        double roots[2];
        int m = 0;
        if (disc > 1e-12) {
            const double s = GeomSqrt(disc);
            roots[m++] = -(s + B) / den;
            roots[m++] = (s - B) / den;
        } else if (disc >= -1e-12) {
            roots[m++] = -B / den;
        }
        for (int i = 0; i < m; ++i) {
            const CWorldPoint touch = q + D * roots[i];
            if (Finite(touch)) out[n++] = touch;
        }
    }
    return n;
}

int InversionCircles(CubicClass cls, const CIsopticConstants& k, const double x[4],
                     CInversionCircle out[4]) {
    if (!k.IsFinite()) return 0;
    // The singular cubic's x2 is its node, not a point of vertical tangent.
    static constexpr int kTwo[] = {0, 1, 2, 3}, kSingular[] = {0, 2}, kOne[] = {0, 1};
    const int* use = cls == CubicClass::Two ? kTwo : cls == CubicClass::Singular ? kSingular : kOne;
    const int wanted = cls == CubicClass::Two ? 4 : 2;
    CWorldPoint centres[4];
    int n = 0;
    for (int i = 0; i < wanted; ++i) {
        const double xi = x[use[i]];
        if (!std::isfinite(xi) || std::fabs(xi - k.a) < kGeomEps) continue;
        const CWorldPoint K = VerticalTangentPoint(k, xi);
        if (Finite(K)) centres[n++] = K;
    }
    int made = 0;
    for (int i = 0; i < n && n >= 2; ++i) {
        const CWorldPoint K = centres[i], next = centres[(i + 1) % n];
        if (Coincide(K, next)) continue;
        CWorldPoint T;
        if (!CubicThirdPoint(k, K, next - K, 1, T)) continue;
        double rho = GeomSqrt(Distance(K, next) * Distance(K, T));
        if ((next - K).Dot(T - K) < 0) rho = -rho;
        if (!(rho != 0) || !std::isfinite(rho)) continue;
        out[made++] = {K, rho};
    }
    return made;
}

}  // namespace gyr
