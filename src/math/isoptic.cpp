#include "math/isoptic.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>

#include "math/geom_sqrt.h"
#include "math/kernel.h"

namespace gyr {

namespace {

constexpr double kPi = std::numbers::pi;

CWorldPoint CDiv(const CWorldPoint& v, const CWorldPoint& w) {
    const double d = w.x * w.x + w.y * w.y;
    return {(v.x * w.x + v.y * w.y) / d, (v.y * w.x - v.x * w.y) / d};
}

// Directions are parallel (or perpendicular) when the sine (cosine) of their
// angle is below the coincidence tolerance; a null direction is parallel to
// every other.
bool Parallel(const CWorldPoint& u, const CWorldPoint& v) {
    return std::fabs(u.Cross(v)) <= kGeomEps * Norm(u) * Norm(v);
}
bool Perpendicular(const CWorldPoint& u, const CWorldPoint& v) {
    return std::fabs(u.Dot(v)) <= kGeomEps * Norm(u) * Norm(v);
}

bool Finite(double v) {
    return std::isfinite(v);
}

// The origin of the frame from its defining identity.
bool ComplexOrigin(const CWorldPoint& A, const CWorldPoint& B, const CWorldPoint& C,
                   const CWorldPoint& D, CWorldPoint& O) {
    const CWorldPoint den = (B + C) - (A + D);
    if (!(den.Dot(den) > 0)) return false;
    const CWorldPoint q = CDiv(ComplexMul(B, C) - ComplexMul(A, D), den);
    if (!IsFinitePoint(q)) return false;
    O = q;
    return true;
}

}  // namespace

bool CIsopticFrame::IsSound() const {
    if (!IsFinitePoint(origin) || !IsFinitePoint(ex) || !IsFinitePoint(ey)) return false;
    constexpr double kTol = 1e-6;
    return std::fabs(ex.Dot(ex) - 1) < kTol && std::fabs(ey.Dot(ey) - 1) < kTol &&
           std::fabs(ex.Dot(ey)) < kTol;
}

bool CIsopticConstants::IsFinite() const {
    return Finite(a) && Finite(b) && Finite(c);
}

double IsopticDiscriminant(const CIsopticConstants& k) {
    const double s = k.a * k.a - 2 * k.b;
    return s * s - 4 * (k.c * k.c + k.b * k.b);
}

CubicClass ClassifyCubic(const CIsopticConstants& k) {
    const double d = IsopticDiscriminant(k);
    if (d > kIsopticClassTolerance) return CubicClass::Two;
    if (d < -kIsopticClassTolerance) return CubicClass::One;
    return CubicClass::Singular;
}

CIsopticIntervals IsopticIntervals(CubicClass cls, const CIsopticConstants& k) {
    const double a = k.a, b = k.b;
    const double r = GeomSqrt(b * b + k.c * k.c);
    CIsopticIntervals iv;
    switch (cls) {
        case CubicClass::Two: {
            const double outer = GeomSqrt(a * a + 2 * (r - b));
            const double inner = GeomSqrt(a * a - 2 * (b + r));
            iv.x[0] = (a - outer) / 2;
            iv.x[1] = (a - inner) / 2;
            iv.x[2] = (a + inner) / 2;
            iv.x[3] = (a + outer) / 2;
            break;
        }
        case CubicClass::One: {
            double w = a * a - 2 * b + 2 * r;
            if (w < 0) w = a * a - 2 * b - 2 * r;
            iv.x[0] = (a - GeomSqrt(w)) / 2;
            iv.x[1] = (a + GeomSqrt(w)) / 2;
            break;
        }
        case CubicClass::Singular: {
            const double h = GeomSqrt(std::fabs(a * a - 2 * b) / 2);
            iv.x[0] = a / 2 - h;
            iv.x[1] = a / 2;
            iv.x[2] = a / 2 + h;
            break;
        }
    }
    return iv;
}

bool IsopticAxesOf(const CWorldPoint& A, const CWorldPoint& B, const CWorldPoint& C,
                   const CWorldPoint& D, CIsopticFrame& frame) {
    const CWorldPoint m1 = (A + D) * 0.5, m2 = (B + C) * 0.5;
    if (Coincide(m1, m2)) return false;
    const CWorldPoint ey = UnitVector(m1, m2);
    if (!IsFinitePoint(ey) || !(ey.Dot(ey) > 0)) return false;
    frame.ey = ey;
    frame.ex = {ey.y, -ey.x};
    return true;
}

bool IsopticFrameOf(const CWorldPoint& A, const CWorldPoint& B, const CWorldPoint& C,
                    const CWorldPoint& D, CIsopticFrame& frame) {
    CIsopticFrame f;
    if (!IsopticAxesOf(A, B, C, D, f)) return false;
    // The meet E of two opposite sides; O is the second common point of the
    // circles through E and a point of each of those sides.
    CWorldPoint E, K1, K2;
    double r1 = 0, r2 = 0;
    bool found = false;
    if (LineIntersection(A, B, C, D, E))
        found = CircleThrough3Points(E, A, C, K1, r1) && CircleThrough3Points(E, B, D, K2, r2);
    else if (LineIntersection(A, C, B, D, E))
        found = CircleThrough3Points(E, A, B, K1, r1) && CircleThrough3Points(E, C, D, K2, r2);
    if (found && !IsDegenerateLine(K1, K2)) {
        f.origin = ReflectInLine(E, K1, K2);
        found = IsFinitePoint(f.origin);
    } else {
        found = false;
    }
    // E on one of the circles' sides, or parallel sides: the identity gives
    // the same point directly.
    if (!found && !ComplexOrigin(A, B, C, D, f.origin)) return false;
    frame = f;
    return true;
}

CIsopticConstants IsopticConstantsOf(const CIsopticFrame& frame, const CWorldPoint& A,
                                     const CWorldPoint& D) {
    const CWorldPoint a = frame.ToCanonical(A), d = frame.ToCanonical(D);
    const CWorldPoint w = ComplexMul(a, d);
    return {a.x + d.x, w.x, w.y};
}

bool SingularFrameOf(const CWorldPoint& A, const CWorldPoint& B, const CWorldPoint& C,
                     CIsopticFrame& frame) {
    const CWorldPoint mb = (A + B) * 0.5, mc = (A + C) * 0.5;
    CWorldPoint K1, K2;
    if (!LineIntersection(mb, mb + Perp(A - B), A, A + Perp(C - A), K1)) return false;
    if (!LineIntersection(mc, mc + Perp(A - C), A, A + Perp(B - A), K2)) return false;
    CIsopticFrame f;
    if (!IsopticAxesOf(A, B, C, A, f)) return false;
    if (!IsDegenerateLine(K1, K2))
        f.origin = ReflectInLine(A, K1, K2);
    else if (!ComplexOrigin(A, B, C, A, f.origin))
        return false;
    if (!IsFinitePoint(f.origin)) return false;
    frame = f;
    return true;
}

namespace {

bool DirectHyperbolaFit(const CWorldPoint pts[4], CIsopticFrame& frame, double& aOut) {
    const double xA = pts[0].x, yA = pts[0].y, xB = pts[1].x, yB = pts[1].y;
    const double xC = pts[2].x, yC = pts[2].y, xD = pts[3].x, yD = pts[3].y;
    const double kDen = xB * yB - xA * yA - xD * yD + xC * yC;
    const double det = (yB - yA) * (xC - xA) - (xB - xA) * (yC - yA);
    if (std::fabs(kDen) < kGeomEps || std::fabs(det) < kGeomEps) return false;
    const double k = -2 * ((xB - xD) * (xB - xA) - (yB - yA) * (yB - yD)) / kDen;
    const double r1 = -((xC * xC - xA * xA) - (yC * yC - yA * yA) + k * (xC * yC - xA * yA));
    const double r2 = -((xB * xB - xA * xA) - (yB * yB - yA * yA) + k * (xB * yB - xA * yA));
    // d (xC - xA) + e (yC - yA) = r1, d (xB - xA) + e (yB - yA) = r2.
    const double d = (r1 * (yB - yA) - r2 * (yC - yA)) / det;
    const double e = ((xC - xA) * r2 - (xB - xA) * r1) / det;
    const double f = -(xA * xA - yA * yA + k * xA * yA + d * xA + e * yA);
    const double theta = 0.5 * std::atan2(k / 2, 1);
    const double cs = std::cos(theta), sn = std::sin(theta);
    const double g = cs * cs - sn * sn;
    const double p = (d * cs + e * sn) * g / 2;
    const double q = (e * cs - d * sn) * g / 2;
    CIsopticFrame fr;
    fr.ex = {cs, sn};
    fr.ey = {-sn, cs};
    fr.origin = {-p * cs - q * sn, -p * sn + q * cs};
    const double a = p * p - q * q - g * f;
    if (!IsFinitePoint(fr.origin) || !Finite(a)) return false;
    frame = fr;
    aOut = a;
    return true;
}

}  // namespace

bool FitRectangularHyperbola(const CWorldPoint pts[4], CIsopticFrame& frame, double& a) {
    if (DirectHyperbolaFit(pts, frame, a)) return true;
    // Asymptotes parallel to the world axes make the direct fit divide by
    // zero; turned by pi/4 they are not.
    const double turn = kPi / 4;
    CWorldPoint turned[4];
    for (int i = 0; i < 4; ++i) turned[i] = RotateAbout(pts[i], pts[0], turn);
    CIsopticFrame f;
    double ta = 0;
    if (!DirectHyperbolaFit(turned, f, ta)) return false;
    f.origin = RotateAbout(f.origin, pts[0], -turn);
    f.ex = RotateAbout(f.ex, {}, -turn);
    f.ey = RotateAbout(f.ey, {}, -turn);
    frame = f;
    a = ta;
    return true;
}

bool ClipLineToRect(const CWorldPoint& p, const CWorldPoint& dir, const CSheetRect& rect,
                    double& t0, double& t1) {
    if (!(dir.Dot(dir) > 0) || !IsFinitePoint(p) || !IsFinitePoint(dir)) return false;
    double lo = -INFINITY, hi = INFINITY;
    auto slab = [&](double p0, double d, double min, double max) {
        if (d == 0) return min <= p0 && p0 <= max;
        double a = (min - p0) / d, b = (max - p0) / d;
        if (a > b) std::swap(a, b);
        lo = std::max(lo, a);
        hi = std::min(hi, b);
        return true;
    };
    if (!slab(p.x, dir.x, rect.left, rect.right)) return false;
    if (!slab(p.y, dir.y, rect.bottom, rect.top)) return false;
    if (!(lo < hi) || !Finite(lo) || !Finite(hi)) return false;
    if (Coincide(p + dir * lo, p + dir * hi)) return false;
    t0 = lo;
    t1 = hi;
    return true;
}

namespace {

// Where the segment from the inside point q to the outside point r leaves
// the rectangle, exactly on the border.
CWorldPoint BorderCrossing(const CWorldPoint& q, const CWorldPoint& r, const CSheetRect& s) {
    const CWorldPoint d = r - q;
    double t = 1;
    if (d.x > 0 && r.x >= s.right) t = std::min(t, (s.right - q.x) / d.x);
    if (d.x < 0 && r.x <= s.left) t = std::min(t, (s.left - q.x) / d.x);
    if (d.y > 0 && r.y >= s.top) t = std::min(t, (s.top - q.y) / d.y);
    if (d.y < 0 && r.y <= s.bottom) t = std::min(t, (s.bottom - q.y) / d.y);
    t = std::clamp(t, 0.0, 1.0);
    CWorldPoint p = q + d * t;
    p.x = std::clamp(p.x, s.left, s.right);
    p.y = std::clamp(p.y, s.bottom, s.top);
    return p;
}

// One branch of a piece, in sampling order: its runs inside the sheet. A run
// after an outside point begins on the border; a run that leaves ends on it.
struct BranchRuns {
    BranchRuns(const CSheetRect& s, int n) : sheet(s), capacity(std::size_t(n) + 1) {}
    const CSheetRect& sheet;
    std::size_t capacity;  // of a run: every sample and a crossing
    std::vector<CPolyline> runs;
    CPolyline current;
    bool inside = false;
    bool havePrev = false;
    bool prevFinite = false;
    CWorldPoint prev;
    // The first run begins at the first sample (the turning point).
    bool firstAtStart = false;

    void Add(const CWorldPoint& p) {
        const bool finite = IsFinitePoint(p);
        const bool in = finite && sheet.StrictlyInside(p);
        if (in) {
            if (!inside) {
                current.clear();
                current.reserve(capacity);
                if (havePrev && prevFinite)
                    current.push_back(BorderCrossing(p, prev, sheet));
                else if (!havePrev)
                    firstAtStart = true;
            }
            current.push_back(p);
        } else if (inside) {
            if (finite) current.push_back(BorderCrossing(prev, p, sheet));
            runs.push_back(std::move(current));
            current.clear();
        }
        inside = in;
        prev = p;
        prevFinite = finite;
        havePrev = true;
    }
    void End() {
        if (inside) runs.push_back(std::move(current));
        current.clear();
        inside = false;
    }
};

}  // namespace

void CubicRoots(const CIsopticConstants& k, double x, double& y1, double& y2) {
    const double t = x * (x - k.a);
    const double delta = k.c * k.c - 4 * t * (t + k.b);
    const double s = GeomSqrt(delta);
    const double h = 0.5 / (x - k.a);
    y1 = -(s + k.c) * h;
    y2 = (s - k.c) * h;
}

namespace {

void AddIfLong(std::vector<CPolyline>& out, CPolyline&& line) {
    if (line.size() > 2) out.push_back(std::move(line));
}

// A piece from the far end toward the asymptote: branch 1 comes in, turns
// at the far end, branch 2 goes out.
void SamplePiece(const CIsopticFrame& frame, const CIsopticConstants& k, double from, double to,
                 int n, const CSheetRect& sheet, std::vector<CPolyline>& out) {
    BranchRuns one(sheet, n), two(sheet, n);
    const double dx = (to - from) / (n - 1);
    for (int i = 0; i < n; ++i) {
        const double x = i == n - 1 ? to : from + i * dx;
        double y1, y2;
        CubicRoots(k, x, y1, y2);
        one.Add(frame.ToWorld({x, y1}));
        two.Add(frame.ToWorld({x, y2}));
    }
    one.End();
    two.End();
    std::size_t i1 = 0, i2 = 0;
    if (one.firstAtStart && two.firstAtStart && !one.runs.empty() && !two.runs.empty()) {
        CPolyline joined;
        joined.reserve(one.runs[0].size() + two.runs[0].size());
        joined.assign(one.runs[0].rbegin(), one.runs[0].rend());
        joined.insert(joined.end(), two.runs[0].begin(), two.runs[0].end());
        AddIfLong(out, std::move(joined));
        i1 = i2 = 1;
    }
    // Branch 1 runs toward the turning point, like the joined piece.
    for (; i1 < one.runs.size(); ++i1) {
        std::reverse(one.runs[i1].begin(), one.runs[i1].end());
        AddIfLong(out, std::move(one.runs[i1]));
    }
    for (; i2 < two.runs.size(); ++i2) AddIfLong(out, std::move(two.runs[i2]));
}

void SampleOval(const CIsopticFrame& frame, const CIsopticConstants& k, double lo, double hi, int n,
                std::vector<CPolyline>& out) {
    CPolyline oval(std::size_t(2 * n));
    const double dx = (hi - lo) / (n - 1);
    for (int i = 0; i < n; ++i) {
        const double x = i == n - 1 ? hi : lo + i * dx;
        double y1, y2;
        CubicRoots(k, x, y1, y2);
        oval[std::size_t(i)] = frame.ToWorld({x, y1});
        oval[std::size_t(2 * n - 1 - i)] = frame.ToWorld({x, y2});
    }
    for (const CWorldPoint& p : oval)
        if (!IsFinitePoint(p)) return;
    out.push_back(std::move(oval));
}

}  // namespace

int SampleIsopticInterval(const CIsopticFrame& frame, const CIsopticConstants& k, double lo,
                          double hi, int n, const CSheetRect& sheet, std::vector<CPolyline>& out) {
    if (n < 2 || !k.IsFinite() || !Finite(lo) || !Finite(hi)) return 0;
    try {
        const double a = k.a;
        if (lo < a && a < hi) {
            SamplePiece(frame, k, lo, a - kAsymptoteGap, n, sheet, out);
            SamplePiece(frame, k, hi, a + kAsymptoteGap, n, sheet, out);
        } else if (lo == a) {
            SamplePiece(frame, k, hi, a + kAsymptoteGap, n, sheet, out);
        } else if (hi == a) {
            SamplePiece(frame, k, lo, a - kAsymptoteGap, n, sheet, out);
        } else {
            SampleOval(frame, k, lo, hi, n, out);
        }
    } catch (const std::bad_alloc&) {
        return kIsopticOutOfMemory;
    }
    return 0;
}

int SampleCubic(CubicClass cls, const CIsopticFrame& frame, const CIsopticConstants& k,
                const CIsopticIntervals& iv, int n, const CSheetRect& sheet,
                std::vector<CPolyline>& out) {
    int code = SampleIsopticInterval(frame, k, iv.x[0], iv.x[1], n, sheet, out);
    if (code != 0 || cls == CubicClass::One) return code;
    if (cls == CubicClass::Two)
        return SampleIsopticInterval(frame, k, iv.x[2], iv.x[3], n, sheet, out);
    return SampleIsopticInterval(frame, k, iv.x[1], iv.x[2], n, sheet, out);
}

bool ConicInterval(const CIsopticFrame& frame, double a, const CSheetRect& sheet, double& x1,
                   double& x2) {
    const CWorldPoint axis = a >= 0 ? frame.ey : frame.ex;
    double t0, t1;
    if (!ClipLineToRect(frame.origin, axis, sheet, t0, t1)) return false;
    // The clip points' positions along the (unit) axis.
    const double len2 = axis.Dot(axis);
    x1 = t0 * len2;
    x2 = t1 * len2;
    if (x1 > x2) std::swap(x1, x2);
    return true;
}

void SampleConic(const CIsopticFrame& frame, double a, double x1, double x2, int n,
                 const CSheetRect& sheet, CPolyline& first, CPolyline& second) {
    if (n < 2 || !Finite(a) || !Finite(x1) || !Finite(x2)) return;
    const int count = 2 * n - 1;
    const double dt = (x2 - x1) / (count - 1);
    for (int i = 0; i < count; ++i) {
        const double t = i == count - 1 ? x2 : x1 + i * dt;
        CWorldPoint p, q;
        if (a >= 0) {
            const double s = GeomSqrt(t * t + a);
            p = frame.ToWorld({s, t});
            q = frame.ToWorld({-s, t});
        } else {
            const double s = GeomSqrt(t * t - a);
            p = frame.ToWorld({t, s});
            q = frame.ToWorld({t, -s});
        }
        if (IsFinitePoint(p) && sheet.StrictlyInside(p)) first.push_back(p);
        if (IsFinitePoint(q) && sheet.StrictlyInside(q)) second.push_back(q);
    }
}

// ---- Special positions -------------------------------------------------------

CIsopticPosition ClassifyPosition(const CWorldPoint& A, const CWorldPoint& B, const CWorldPoint& C,
                                  const CWorldPoint& D) {
    CIsopticPosition pos;
    CWorldPoint* p = pos.pts;
    p[0] = A;
    p[1] = B;
    p[2] = C;
    p[3] = D;

    // All four on one line.
    const CWorldPoint u = B - A, v = C - A, w = D - A;
    if (Parallel(u, v) && Parallel(u, w) && Parallel(v, w)) {
        pos.kind = IsopticCase::Collinear;
        // Positions along the line, A at 0: the circle
        // (p - q)(s^2 + y^2) + 2(t - u)s + (uq - pt) = 0 of sums and products.
        const CWorldPoint far = Norm(w) >= Norm(u) && Norm(w) >= Norm(v) ? w
                                : Norm(u) >= Norm(v)                     ? u
                                                                         : v;
        const CWorldPoint dir = far * (1 / std::max(Norm(far), 1e-300));
        const double sb = u.Dot(dir), sc = v.Dot(dir), sd = w.Dot(dir);
        const double ps = sd, us = 0, qs = sb + sc, ts = sb * sc;
        const double scale = std::max({1.0, std::fabs(ts), std::fabs(us)});
        if (std::fabs(ps - qs) >= kGeomEps)
            pos.order = 0;
        else
            pos.order = std::fabs(ts - us) >= kGeomEps * scale ? 1 : 2;
        return pos;
    }

    // Coinciding points, reordered so that A = C or A = D.
    auto swap = [&](int i, int j) { std::swap(p[i], p[j]); };
    if (Coincide(p[0], p[1])) {
        swap(1, 2);
    } else if (Coincide(p[0], p[2])) {
    } else if (Coincide(p[0], p[3])) {
    } else if (Coincide(p[1], p[2])) {
        swap(0, 1);
        swap(2, 3);
    } else if (Coincide(p[1], p[3])) {
        swap(0, 1);
        swap(2, 3);
    } else if (Coincide(p[2], p[3])) {
        swap(0, 3);
    }
    if (Coincide(p[0], p[2])) {
        pos.kind = IsopticCase::CoincideAC;
        return pos;
    }
    if (Coincide(p[0], p[3])) {
        pos.kind = IsopticCase::CoincideAD;
        return pos;
    }

    // Parallel opposite sides.
    const CWorldPoint a = p[0], b = p[1], c = p[2], d = p[3];
    const bool abcd = Parallel(b - a, d - c);
    const bool acbd = Parallel(c - a, d - b);
    const bool adbc = Parallel(d - a, c - b);
    const CWorldPoint m1 = (a + d) * 0.5, m2 = (b + c) * 0.5;
    if (abcd && acbd && !adbc) {
        // A rectangle paired by its diagonals is a proper hyperbola; only
        // perpendicular diagonals split the cubic.
        pos.kind = Perpendicular(d - a, c - b) ? IsopticCase::Diagonals : IsopticCase::Conic;
        return pos;
    }
    if (adbc && (abcd || acbd)) {
        if (Coincide(m1, m2))
            pos.kind = IsopticCase::NoFrame;
        else if (Perpendicular(m2 - m1, d - a))
            pos.kind = IsopticCase::LineCircle5;
        else
            pos.kind = IsopticCase::MidpointOrigin;
        return pos;
    }
    if (adbc && !Coincide(m1, m2) && Perpendicular(m2 - m1, d - a)) {
        pos.kind = IsopticCase::Trapezoid9;
        return pos;
    }
    if (Coincide(m1, m2)) pos.kind = IsopticCase::NoFrame;
    return pos;
}

bool DegeneratePartsOf(const CIsopticPosition& pos, CDegenerateParts& parts) {
    const CWorldPoint A = pos.pts[0], B = pos.pts[1], C = pos.pts[2], D = pos.pts[3];
    CDegenerateParts r;
    auto lineAndCircle = [&](const CWorldPoint& O, double radius, const CWorldPoint& ex) {
        r.frame.origin = O;
        r.frame.ex = ex;
        r.frame.ey = Perp(ex);
        const CWorldPoint P = O + ex * radius;
        r.line[0] = O;
        r.line[1] = P;
        r.second[0] = O;
        r.second[1] = P;
        r.shapeCode = 1;
        return IsFinitePoint(P) && !Coincide(O, P);
    };
    const CWorldPoint m1 = (A + D) * 0.5, m2 = (B + C) * 0.5;
    switch (pos.kind) {
        case IsopticCase::CoincideAC:
            r.kind = 1;
            r.line[0] = B;
            r.line[1] = D;
            r.second[0] = r.second[1] = A;
            r.shapeCode = 0;
            if (Coincide(B, D)) return false;
            break;
        case IsopticCase::Collinear: {
            r.kind = 2;
            const CWorldPoint u = B - A, v = C - A, w = D - A;
            const CWorldPoint far = Norm(w) >= Norm(u) && Norm(w) >= Norm(v) ? w
                                    : Norm(u) >= Norm(v)                     ? u
                                                                             : v;
            if (Coincide(far + A, A)) return false;
            const CWorldPoint dir = UnitVector(A, A + far);
            r.line[0] = A;
            r.line[1] = A + far;
            const double sb = u.Dot(dir), sc = v.Dot(dir), sd = w.Dot(dir);
            const double ps = sd, us = 0, qs = sb + sc, ts = sb * sc;
            if (pos.order == 2) {
                r.shapeCode = 2;
            } else if (pos.order == 1) {
                // The perpendicular where 2(t - u)s = pt - uq.
                const double s = (ps * ts - us * qs) / (2 * (ts - us));
                r.second[0] = A + dir * s;
                r.second[1] = r.second[0] + Perp(dir);
                r.shapeCode = 3;
                if (!IsFinitePoint(r.second[0])) return false;
            } else {
                const double centre = -(ts - us) / (ps - qs);
                const double r2 = centre * centre - (us * qs - ps * ts) / (ps - qs);
                if (r2 > 0 && Finite(r2)) {
                    r.second[0] = A + dir * centre;
                    r.second[1] = r.second[0] + dir * GeomSqrt(r2);
                    r.shapeCode = 1;
                } else {
                    r.shapeCode = 2;
                }
            }
            break;
        }
        case IsopticCase::Diagonals:
            r.kind = 6;
            r.line[0] = A;
            r.line[1] = D;
            r.second[0] = B;
            r.second[1] = C;
            r.shapeCode = 3;
            break;
        case IsopticCase::LineCircle5: {
            r.kind = 5;
            const CWorldPoint O = (m1 + m2) * 0.5;
            if (!lineAndCircle(O, Distance(O, A), UnitVector(m1, m2))) return false;
            break;
        }
        case IsopticCase::Trapezoid9: {
            r.kind = 9;
            CWorldPoint O;
            double radius = 0;
            if (!CircleThrough3Points(A, B, D, O, radius)) return false;
            if (!lineAndCircle(O, radius, UnitVector(m1, m2))) return false;
            break;
        }
        default:
            return false;
    }
    parts = r;
    return true;
}

IsopticBuild BuildOfClass(CubicClass cls) {
    switch (cls) {
        case CubicClass::One:
            return IsopticBuild::One;
        case CubicClass::Two:
            return IsopticBuild::Two;
        case CubicClass::Singular:
            return IsopticBuild::Singular;
    }
    return IsopticBuild::None;
}

CIsopticDefinition DefineIsoptic(const CWorldPoint& A, const CWorldPoint& B, const CWorldPoint& C,
                                 const CWorldPoint& D) {
    CIsopticDefinition def;
    for (const CWorldPoint& p : {A, B, C, D})
        if (!IsFinitePoint(p)) return def;
    const CIsopticPosition pos = ClassifyPosition(A, B, C, D);
    std::copy(pos.pts, pos.pts + 4, def.pts);
    const CWorldPoint* p = pos.pts;
    switch (pos.kind) {
        case IsopticCase::NoFrame:
            return def;
        case IsopticCase::Collinear:
        case IsopticCase::CoincideAC:
        case IsopticCase::Diagonals:
        case IsopticCase::LineCircle5:
        case IsopticCase::Trapezoid9:
            if (DegeneratePartsOf(pos, def.parts)) {
                def.build = IsopticBuild::Degenerate;
                def.frame = def.parts.frame;
            }
            return def;
        case IsopticCase::Conic: {
            double a = 0;
            if (!FitRectangularHyperbola(p, def.frame, a)) return def;
            def.k = {a, 0, 0};
            def.build = IsopticBuild::Conic;
            return def;
        }
        case IsopticCase::CoincideAD:
            if (!SingularFrameOf(p[0], p[1], p[2], def.frame)) return def;
            def.k = IsopticConstantsOf(def.frame, p[0], p[3]);
            if (!def.k.IsFinite()) return def;
            def.build = IsopticBuild::Singular;
            return def;
        case IsopticCase::MidpointOrigin:
            if (!IsopticAxesOf(p[0], p[1], p[2], p[3], def.frame)) return def;
            def.frame.origin = ((p[0] + p[3]) * 0.5 + (p[1] + p[2]) * 0.5) * 0.5;
            break;
        case IsopticCase::General:
            if (!IsopticFrameOf(p[0], p[1], p[2], p[3], def.frame)) return def;
            break;
    }
    def.k = IsopticConstantsOf(def.frame, p[0], p[3]);
    if (!def.k.IsFinite()) return def;
    def.build = BuildOfClass(ClassifyCubic(def.k));
    return def;
}

CIsopticDefinition DefineAngleIsoptic(const CWorldPoint& V0, const CWorldPoint& V1,
                                      const CWorldPoint& V2) {
    CIsopticDefinition def;
    for (const CWorldPoint& p : {V0, V1, V2})
        if (!IsFinitePoint(p)) return def;
    // Coinciding points are reordered as for any four points; the cubic is
    // the singular one of the (reordered) first three.
    const CIsopticPosition pos = ClassifyPosition(V1, V0, V2, V1);
    std::copy(pos.pts, pos.pts + 4, def.pts);
    if (!SingularFrameOf(def.pts[0], def.pts[1], def.pts[2], def.frame)) return def;
    def.k = IsopticConstantsOf(def.frame, def.pts[0], def.pts[3]);
    if (!def.k.IsFinite()) return def;
    def.build = IsopticBuild::Singular;
    return def;
}

// ---- Constants and points -------------------------------------------------------

bool PointsFromConstants(const CIsopticConstants& k, CWorldPoint pts[4]) {
    const double a = k.a, b = k.b, c = k.c;
    if (!k.IsFinite()) return false;
    // The generation divides by these.
    if (b == 0 && c == 0) return false;
    if (a == 0 && c == 0 && b > 0) return false;
    double theta;
    if (b != 0 && c != 0) {
        theta = b < 0 ? std::atan(-b / (4 * c)) : std::atan(-1.5 * b / c);
    } else if (b == 0) {
        theta = c <= 0 ? kPi / 6 : -kPi / 6;
    } else if (b > 0) {
        const double t = std::fabs(a) / (2 * GeomSqrt(b));
        theta = t < 1 ? (std::atan(GeomSqrt(1 - t * t) / t) + kPi / 2) / 2 : kPi / 3;
    } else {
        theta = kPi / 4;
    }
    const double cs = std::cos(theta), sn = std::sin(theta);
    const double r = GeomSqrt(a * a - 4 * cs * (b * cs + c * sn));
    const double s1 = (a - r) / (2 * cs), s2 = (a + r) / (2 * cs);
    const CWorldPoint A{s1 * cs, s1 * sn}, B{s2 * cs, s2 * sn};
    if (!(A.Dot(A) > 0) || !(B.Dot(B) > 0)) return false;
    const CWorldPoint w{b, c};
    const CWorldPoint C = CDiv(w, B), D = CDiv(w, A);
    for (const CWorldPoint& q : {A, B, C, D})
        if (!IsFinitePoint(q)) return false;
    pts[0] = A;
    pts[1] = B;
    pts[2] = C;
    pts[3] = D;
    return true;
}

bool SingularB(double a, double c, double& b) {
    if (a == 0 || !Finite(a) || !Finite(c)) return false;
    const double v = (a / 2 - c / a) * (a / 2 + c / a);
    if (!Finite(v)) return false;
    b = v;
    return true;
}

// ---- Point solver ----------------------------------------------------------------

double CubicValue(const CIsopticConstants& k, double x, double y) {
    return (x - k.a) * (x * x + y * y) + k.b * x + k.c * y;
}

CWorldPoint CubicGradient(const CIsopticConstants& k, double x, double y) {
    return {3 * x * x - 2 * k.a * x + y * y + k.b, 2 * y * (x - k.a) + k.c};
}

namespace {

// The value, gradient and second derivatives of a curve F = 0 at a point.
struct CurveJet {
    double F, Fx, Fy, Fxx, Fxy, Fyy;
};

template <class Jet>
int FootOfNormal(Jet jet, const CWorldPoint& p, CWorldPoint& foot) {
    const double x0 = p.x, y0 = p.y;
    double x = x0, y = y0;
    for (int i = 0; i < 100; ++i) {
        const CurveJet f = jet(x, y);
        const double G = f.Fy * (x - x0) - f.Fx * (y - y0);
        const double Gx = f.Fxy * (x - x0) + f.Fy - f.Fxx * (y - y0);
        const double Gy = f.Fyy * (x - x0) - f.Fxy * (y - y0) - f.Fx;
        const double j = f.Fx * Gy - f.Fy * Gx;
        if (!(std::fabs(j) >= 1e-7)) return 1;
        const double nx = x - (f.F * Gy - f.Fy * G) / j;
        const double ny = y - (f.Fx * G - Gx * f.F) / j;
        if (!(std::fabs(nx) + std::fabs(ny) <= 1e7)) return 1;
        if (std::fabs(x - nx) + std::fabs(y - ny) < 1e-12) {
            foot = {nx, ny};
            return 0;
        }
        x = nx;
        y = ny;
    }
    return 2;
}

}  // namespace

int CubicFootOfNormal(const CIsopticConstants& k, const CWorldPoint& p, CWorldPoint& foot) {
    return FootOfNormal(
        [&k](double x, double y) {
            const CWorldPoint g = CubicGradient(k, x, y);
            return CurveJet{CubicValue(k, x, y), g.x, g.y, 6 * x - 2 * k.a, 2 * y, 2 * (x - k.a)};
        },
        p, foot);
}

int HyperbolaFootOfNormal(double a, const CWorldPoint& p, CWorldPoint& foot) {
    return FootOfNormal(
        [a](double x, double y) { return CurveJet{x * x - y * y - a, 2 * x, -2 * y, 2, 0, -2}; }, p,
        foot);
}

CWorldPoint CubicTangentDirection(const CIsopticFrame& frame, const CIsopticConstants& k,
                                  const CWorldPoint& p) {
    const CWorldPoint c = frame.ToCanonical(p);
    const CWorldPoint g = CubicGradient(k, c.x, c.y);
    return frame.ey * g.x - frame.ex * g.y;
}

}  // namespace gyr
