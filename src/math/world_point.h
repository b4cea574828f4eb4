#pragma once
// A point (or vector) of the drawing sheet in world units, y pointing up.

#include <cmath>

#include "math/geom_sqrt.h"

namespace gyr {

struct CWorldPoint {
    // y first, then x, as the in-memory layout the rest of the program was
    // written against; files and listings always give x before y.
    double y = 0.0;
    double x = 0.0;

    constexpr CWorldPoint() = default;
    constexpr CWorldPoint(double px, double py) : y(py), x(px) {}

    constexpr CWorldPoint operator+(const CWorldPoint& o) const { return {x + o.x, y + o.y}; }
    constexpr CWorldPoint operator-(const CWorldPoint& o) const { return {x - o.x, y - o.y}; }
    constexpr CWorldPoint operator*(double k) const { return {x * k, y * k}; }
    constexpr CWorldPoint operator-() const { return {-x, -y}; }
    CWorldPoint& operator+=(const CWorldPoint& o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    CWorldPoint& operator-=(const CWorldPoint& o) {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    constexpr bool operator==(const CWorldPoint& o) const { return x == o.x && y == o.y; }

    constexpr double Dot(const CWorldPoint& o) const { return x * o.x + y * o.y; }
    constexpr double Cross(const CWorldPoint& o) const { return x * o.y - y * o.x; }
    double Length() const { return GeomSqrt(x * x + y * y); }
    // Polar angle in [0, 2pi).
    double Polar() const {
        // Test the angle, not y: atan2 gives -pi for y = -0.0, and a tiny
        // negative angle plus 2pi rounds to 2pi itself.
        double a = std::atan2(y, x);
        if (a < 0) a += 2 * M_PI;
        return a < 2 * M_PI ? a : 0.0;
    }
    CWorldPoint RotatedAbout(const CWorldPoint& c, double angle) const {
        double s = std::sin(angle), co = std::cos(angle);
        CWorldPoint d = *this - c;
        return {c.x + d.x * co - d.y * s, c.y + d.x * s + d.y * co};
    }
};

inline constexpr CWorldPoint operator*(double k, const CWorldPoint& p) {
    return p * k;
}

// Chebyshev distance: the larger of |dx| and |dy|.
inline double ChebyshevDistance(const CWorldPoint& a, const CWorldPoint& b) {
    return std::fmax(std::fabs(a.x - b.x), std::fabs(a.y - b.y));
}

}  // namespace gyr
