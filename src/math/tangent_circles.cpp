#include "math/tangent_circles.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

#include "math/circle_helpers.h"
#include "math/kernel.h"

namespace gyr {

namespace {

using Kind = TouchObject::Kind;

bool Usable(const TouchObject& o) {
    if (!IsFinitePoint(o.p) || !IsFinitePoint(o.q) || !std::isfinite(o.r)) return false;
    return o.kind != Kind::Line || !IsDegenerateLine(o.p, o.q);
}

// Collects distinct circles: two results within tol of each other in centre
// and radius are one circle found twice (a double root, or a point taken as a
// circle of either orientation).
template <int N>
struct CircleCollector {
    CircleValue items[N];
    int branches[N] = {};
    int count = 0;
    double tol = 1e-9;
    // The branch of the next results: the orientation's number, twice, plus
    // the root's.
    int branchBase = 0;
    // Circles that are no result: a given circle touches the others and
    // counts, in the equations, as touching itself.
    CircleValue excluded[3];
    int nExcluded = 0;

    bool Same(const CircleValue& c, const CWorldPoint& centre, double radius) const {
        return ChebyshevDistance(c.centre, centre) < tol && std::fabs(c.radius - radius) < tol;
    }
    void Add(const CWorldPoint& centre, double radius, int root = 0) {
        radius = std::fabs(radius);
        if (count == N || !IsFinitePoint(centre) || !std::isfinite(radius) || radius < kGeomEps)
            return;
        for (int i = 0; i < nExcluded; ++i)
            if (Same(excluded[i], centre, radius)) return;
        for (int i = 0; i < count; ++i)
            if (Same(items[i], centre, radius)) return;
        branches[count] = branchBase + root;
        items[count++] = {centre, radius};
    }
    template <int M>
    int CopyTo(CircleValue (&out)[M]) const {
        static_assert(M >= N);
        std::copy(items, items + count, out);
        return count;
    }
};

// A row of the linear system in (x, y, rho): ax + by + c rho = d.
struct Row {
    double a, b, c, d;
};

struct Vec3 {
    double x, y, z;
    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator*(double k) const { return {x * k, y * k, z * k}; }
    double Dot(const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
    Vec3 Cross(const Vec3& o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
};

// An object with its orientation: a circle of signed radius s r (the sought
// circle of signed radius rho touches it when |X - c| = |rho + s r|), or a
// line with unit normal n (touching when n.X + off = s rho).
struct Oriented {
    Kind kind = Kind::Point;
    CWorldPoint c;
    double sr = 0;  // s r for circles and points
    CWorldPoint n;
    double off = 0;
    int s = 1;
};

Oriented Orient(const TouchObject& o, int s, const CWorldPoint& origin) {
    Oriented out;
    out.kind = o.kind;
    out.c = o.p - origin;
    out.s = s;
    if (o.kind == Kind::Line) {
        const CWorldPoint a = o.p - origin, b = o.q - origin;
        out.n = Perp(b - a) * (1 / Norm(b - a));
        out.off = -out.n.Dot(a);
    } else {
        out.sr = s * std::fabs(o.r);
    }
    return out;
}

Row LineRow(const Oriented& l) {
    return {l.n.x, l.n.y, -double(l.s), -l.off};
}

// The power equation of circle i minus that of circle q, linear in (x, y, rho).
Row DifferenceRow(const Oriented& q, const Oriented& i) {
    return {2 * (q.c.x - i.c.x), 2 * (q.c.y - i.c.y), 2 * (q.sr - i.sr),
            (q.c.Dot(q.c) - q.sr * q.sr) - (i.c.Dot(i.c) - i.sr * i.sr)};
}

// Every (x, y, rho) of one orientation: three lines give one, otherwise the
// two rows cut a line of (x, y, rho)-space which meets the quadric of the
// first circle in up to two points.
template <int N>
void SolveOrientation(const Oriented (&o)[3], const CWorldPoint& origin, double scale,
                      CircleCollector<N>& out) {
    int q = -1;
    for (int i = 0; i < 3; ++i)
        if (o[i].kind != Kind::Line) {
            q = i;
            break;
        }
    Row rows[3];
    int nRows = 0;
    for (int i = 0; i < 3; ++i) {
        if (o[i].kind == Kind::Line)
            rows[nRows++] = LineRow(o[i]);
        else if (i != q)
            rows[nRows++] = DifferenceRow(o[q], o[i]);
    }
    const auto normal = [](const Row& r) { return Vec3{r.a, r.b, r.c}; };
    if (q < 0) {
        const Vec3 n0 = normal(rows[0]), n1 = normal(rows[1]), n2 = normal(rows[2]);
        const double det = n0.Dot(n1.Cross(n2));
        if (std::fabs(det) < 1e-12) return;
        const Vec3 x =
            (n1.Cross(n2) * rows[0].d + n2.Cross(n0) * rows[1].d + n0.Cross(n1) * rows[2].d) *
            (1 / det);
        out.Add(CWorldPoint{x.x, x.y} + origin, x.z);
        return;
    }
    const Vec3 n1 = normal(rows[0]), n2 = normal(rows[1]);
    Vec3 dir = n1.Cross(n2);
    const double dd = dir.Dot(dir);
    const double size = n1.Dot(n1) * n2.Dot(n2);
    if (!(dd > 1e-24 * size)) return;
    const Vec3 x0 = (n2.Cross(dir) * rows[0].d + dir.Cross(n1) * rows[1].d) * (1 / dd);
    dir = dir * (1 / std::sqrt(dd));
    const Vec3 pq{x0.x - o[q].c.x, x0.y - o[q].c.y, x0.z + o[q].sr};
    const double a = dir.x * dir.x + dir.y * dir.y - dir.z * dir.z;
    const double b = pq.x * dir.x + pq.y * dir.y - pq.z * dir.z;
    const double c = pq.x * pq.x + pq.y * pq.y - pq.z * pq.z;
    const auto add = [&](double t, int root) {
        const Vec3 x = x0 + dir * t;
        out.Add(CWorldPoint{x.x, x.y} + origin, x.z, root);
    };
    if (std::fabs(a) < 1e-12) {
        if (std::fabs(b) > 1e-12 * scale) add(-c / (2 * b), 0);
        return;
    }
    double disc = b * b - a * c;
    // A double root (a solution touching where the objects touch) whose
    // discriminant rounding moved off zero, to either side.
    const double noise = 1e-12 * (b * b + std::fabs(a * c));
    if (disc < -noise) return;
    if (disc < noise) disc = 0;
    const double s = std::sqrt(disc);
    const double qq = b >= 0 ? -(b + s) : -b + s;
    const double tPlus = b >= 0 ? (qq != 0 ? c / qq : -b / a) : qq / a;
    const double tMinus = b >= 0 ? qq / a : (qq != 0 ? c / qq : -b / a);
    add(tPlus, 0);
    add(tMinus, 1);
}

// Every circle touching the three objects, by the orientations of the last
// two relative to the first. Points come last, so that the first object's
// orientation means something.
template <int N>
int SolveTouching(const TouchObject& t1, const TouchObject& t2, const TouchObject& t3,
                  CircleValue (&out)[N], int* branches = nullptr) {
    const TouchObject* objs[3] = {&t1, &t2, &t3};
    for (const TouchObject* o : objs)
        if (!Usable(*o)) return 0;
    std::stable_partition(objs, objs + 3,
                          [](const TouchObject* o) { return o->kind != Kind::Point; });
    const CWorldPoint origin = objs[0]->p;
    double scale = 1;
    for (const TouchObject* o : objs)
        scale = std::max({scale, ChebyshevDistance(o->p, origin), ChebyshevDistance(o->q, origin),
                          std::fabs(o->r)});
    CircleCollector<8> found;
    found.tol = 1e-7 * scale;
    for (const TouchObject* o : objs)
        if (o->kind == Kind::Circle) found.excluded[found.nExcluded++] = {o->p, std::fabs(o->r)};
    static constexpr int kBoth[] = {-1, 1};
    static constexpr int kOne[] = {1};
    const auto signs = [](const TouchObject& o) {
        return o.kind == Kind::Point ? std::span<const int>(kOne) : std::span<const int>(kBoth);
    };
    for (int s1 : signs(*objs[1]))
        for (int s2 : signs(*objs[2])) {
            const Oriented o[3] = {Orient(*objs[0], 1, origin), Orient(*objs[1], s1, origin),
                                   Orient(*objs[2], s2, origin)};
            SolveOrientation(o, origin, scale, found);
            found.branchBase += 2;
        }
    int n = 0;
    for (int i = 0; i < found.count && n < N; ++i, ++n) {
        out[n] = found.items[i];
        if (branches) branches[n] = found.branches[i];
    }
    return n;
}

}  // namespace

int TangentCirclesCentred(const CWorldPoint& p, const TouchObject& obj, CWorldPoint (&touch)[2]) {
    if (!Usable(obj) || !IsFinitePoint(p)) return 0;
    if (obj.kind == Kind::Line) {
        touch[0] = FootOfPerpendicular(p, obj.p, obj.q);
        return 1;
    }
    if (obj.kind != Kind::Circle || Coincide(p, obj.p)) return 0;
    CWorldPoint t1, t2;
    const int n = CircleLineIntersection(obj.p, std::fabs(obj.r), obj.p, p, t1, t2);
    if (n == 0) return 0;
    touch[0] = t1;
    if (n == 1) return 1;
    touch[1] = t2;
    return 2;
}

int TangentCirclesThroughTwoPoints(const CWorldPoint& q, const CWorldPoint& p,
                                   const TouchObject& obj, CircleValue (&out)[2]) {
    if (!Usable(obj) || !IsFinitePoint(p) || !IsFinitePoint(q) || Coincide(q, p)) return 0;
    if (obj.kind != Kind::Line) {
        const int n = SolveTouching(obj, TouchObject::Point(q), TouchObject::Point(p), out);
        // The smaller first: the one touching on the side of the two points.
        if (n == 2 && out[1].radius < out[0].radius) std::swap(out[0], out[1]);
        return n;
    }

    const CWorldPoint a = obj.p, b = obj.q;
    const double dq = DistanceToLine(q, a, b), dp = DistanceToLine(p, a, b);
    const double sideQ = (b - a).Cross(q - a), sideP = (b - a).Cross(p - a);
    CircleValue c;
    // A point on the line is the point of contact.
    if (dq < kGeomEps || dp < kGeomEps) {
        if (dq < kGeomEps && dp < kGeomEps) return 0;
        const CWorldPoint t = dq < kGeomEps ? q : p, other = dq < kGeomEps ? p : q;
        if (!TangentCircleAtPoint(t, t + Perp(b - a), other, c)) return 0;
        out[0] = c;
        return 1;
    }
    // A circle touching the line keeps to one side of it.
    if ((sideQ < 0) != (sideP < 0)) return 0;
    CWorldPoint x;
    int n = 0;
    if (!LineIntersection(q, p, a, b, x)) {
        CWorldPoint t;
        if (MiddleOrthogonalMeetsLine(q, p, a, b, t) &&
            CircleThrough3Points(q, p, t, c.centre, c.radius) && c.radius >= kGeomEps)
            out[n++] = c;
        return n;
    }
    const double tau = GeomSqrt(Distance(q, x) * Distance(p, x));
    for (const CWorldPoint& t : {PointAlong(x, a, b, tau), PointAlong(x, b, a, tau)})
        if (CircleThrough3Points(q, p, t, c.centre, c.radius) && c.radius >= kGeomEps) out[n++] = c;
    if (n == 2 && ChebyshevDistance(out[0].centre, out[1].centre) < kGeomEps) n = 1;
    return n;
}

int TangentCirclesThroughPoint(const CWorldPoint& p, const TouchObject& o1, const TouchObject& o2,
                               CircleValue (&out)[4]) {
    return SolveTouching(o1, o2, TouchObject::Point(p), out);
}

int TangentCirclesThroughPoint(const CWorldPoint& p, const TouchObject& o1, const TouchObject& o2,
                               CircleValue (&out)[4], int (&branch)[4]) {
    return SolveTouching(o1, o2, TouchObject::Point(p), out, branch);
}

int TangentCircles3(const TouchObject& o1, const TouchObject& o2, const TouchObject& o3,
                    CircleValue (&out)[8]) {
    return SolveTouching(o1, o2, o3, out);
}

bool TangentCircleAtPoint(const CWorldPoint& t, const CWorldPoint& n, const CWorldPoint& p,
                          CircleValue& out) {
    CWorldPoint centre;
    if (!MiddleOrthogonalMeetsLine(t, p, t, n, centre)) return false;
    const double r = Distance(centre, t);
    if (!(r >= kGeomEps) || !std::isfinite(r)) return false;
    out = {centre, r};
    return true;
}

bool OrthogonalCircleThroughTwoPoints(const CWorldPoint& q, const CWorldPoint& p,
                                      const TouchObject& obj, CircleValue& out) {
    if (!Usable(obj) || obj.kind == Kind::Point) return false;
    CircleValue c;
    if (obj.kind == Kind::Line) {
        if (!MiddleOrthogonalMeetsLine(q, p, obj.p, obj.q, c.centre)) return false;
        c.radius = Distance(p, c.centre);
    } else {
        const double r = std::fabs(obj.r);
        if (Coincide(q, obj.p) || Coincide(p, obj.p) || r < kGeomEps) return false;
        CWorldPoint inverse;
        if (!LiesOnCircle(p, obj.p, r)) {
            if (!InvertPoint(p, obj.p, r, inverse) ||
                !CircleThrough3Points(p, inverse, q, c.centre, c.radius))
                return false;
        } else if (!LiesOnCircle(q, obj.p, r)) {
            if (!InvertPoint(q, obj.p, r, inverse) ||
                !CircleThrough3Points(q, inverse, p, c.centre, c.radius))
                return false;
        } else {
            return false;
        }
    }
    if (!(c.radius >= kGeomEps) || !std::isfinite(c.radius)) return false;
    out = c;
    return true;
}

bool OrthogonalCircleThroughPoint(const CWorldPoint& p, const TouchObject& o1,
                                  const TouchObject& o2, CircleValue& out) {
    if (!Usable(o1) || !Usable(o2) || o1.kind == Kind::Point || o2.kind == Kind::Point)
        return false;
    CircleValue c;
    bool ok;
    if (o1.kind == Kind::Line && o2.kind == Kind::Line)
        ok = OrthogonalCircleToLines(p, o1.p, o1.q, o2.p, o2.q, c.centre, c.radius);
    else if (o1.kind == Kind::Line)
        ok = OrthogonalCircleToCircleAndLine(p, o2.p, std::fabs(o2.r), o1.p, o1.q, c.centre,
                                             c.radius);
    else if (o2.kind == Kind::Line)
        ok = OrthogonalCircleToCircleAndLine(p, o1.p, std::fabs(o1.r), o2.p, o2.q, c.centre,
                                             c.radius);
    else
        ok = OrthogonalCircleToCircles(p, o1.p, std::fabs(o1.r), o2.p, std::fabs(o2.r), c.centre,
                                       c.radius);
    if (!ok || !(c.radius >= kGeomEps) || !std::isfinite(c.radius)) return false;
    out = c;
    return true;
}

int InversionInterchangingCircles(const CWorldPoint& c1, double r1, const TouchObject& obj,
                                  CircleValue (&out)[4], int& firstGroup) {
    firstGroup = 0;
    r1 = std::fabs(r1);
    if (!Usable(obj) || obj.kind == Kind::Point || !IsFinitePoint(c1) || !std::isfinite(r1))
        return 0;
    CircleCollector<4> first, second;
    // Two groups may repeat a circle (concentric circles): no merging.
    first.tol = second.tol = -1;
    const auto add = [](CircleCollector<4>& group, const CWorldPoint& centre, double power) {
        group.Add(centre, GeomSqrt(power));
    };

    if (obj.kind == Kind::Line) {
        const double delta = DistanceToLine(c1, obj.p, obj.q);
        const CWorldPoint f = FootOfPerpendicular(c1, obj.p, obj.q);
        if (delta == 0 || r1 < kGeomEps) return 0;
        const CWorldPoint e = PointAlong(c1, f, c1, r1), nearEnd = PointAlong(c1, c1, f, r1);
        add(first, e, 2 * r1 * Distance(e, f));
        if (delta < r1) add(first, nearEnd, 2 * r1 * Distance(nearEnd, f));
        if (delta > r1) add(second, nearEnd, 2 * r1 * Distance(nearEnd, f));
    } else {
        const CWorldPoint c2 = obj.p;
        const double r2 = std::fabs(obj.r);
        const bool firstLarger = !(r2 > r1);
        const CWorldPoint bigC = firstLarger ? c1 : c2, smallC = firstLarger ? c2 : c1;
        const double bigR = firstLarger ? r1 : r2, smallR = firstLarger ? r2 : r1;
        const double d = Distance(bigC, smallC);
        if (smallR < kGeomEps) return 0;
        const bool cut = std::fabs(bigR - smallR) < d && d < bigR + smallR;
        // Anti-inversions exist only for circles that neither cut nor touch.
        const bool separate = d > bigR + smallR || d < bigR - smallR;
        if (d == 0) {
            add(first, c1, r1 * r2);
            if (separate) add(second, c1, r1 * r2);
        } else if (r1 == r2) {
            const CWorldPoint m = (c1 + c2) * 0.5;
            if (d < 2 * r1) add(first, m, r1 * r1 - d * d / 4);
            if (separate && d > 2 * r1) add(second, m, d * d / 4 - r1 * r1);
        } else {
            const double k = bigR / smallR;
            CWorldPoint sE, sI;
            if (!DivideRatio(bigC, smallC, k, sE) || !DivideRatio(bigC, smallC, -k, sI)) return 0;
            const auto inversion = [&](const CWorldPoint& s) {
                const CWorldPoint e1 = PointAlong(bigC, bigC, s, bigR);
                const CWorldPoint e2 = PointAlong(smallC, s, smallC, smallR);
                add(first, s, Distance(s, e1) * Distance(s, e2));
            };
            if (cut) {
                inversion(sE);
                inversion(sI);
            } else {
                inversion(Distance(sE, bigC) <= bigR ? sI : sE);
            }
            if (separate) {
                const CWorldPoint s = Distance(sI, bigC) < bigR ? sE : sI;
                const CWorldPoint f1 = PointAlong(bigC, s, bigC, bigR);
                const CWorldPoint f2 = PointAlong(smallC, smallC, s, smallR);
                add(second, s, Distance(s, f1) * Distance(s, f2));
            }
        }
    }
    firstGroup = first.count;
    int n = first.CopyTo(out);
    for (int i = 0; i < second.count && n < 4; ++i) out[n++] = second.items[i];
    return n;
}

}  // namespace gyr
