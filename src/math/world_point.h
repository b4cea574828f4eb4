#pragma once
// A point (or vector) of the drawing sheet in world units, y pointing up.

#include <cmath>

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
    // Lengths, angles and rotations are the kernel's (Norm, PolarAngle,
    // RotateAbout).
};

inline constexpr CWorldPoint operator*(double k, const CWorldPoint& p) {
    return p * k;
}

// Chebyshev distance: the larger of |dx| and |dy|.
inline double ChebyshevDistance(const CWorldPoint& a, const CWorldPoint& b) {
    return std::fmax(std::fabs(a.x - b.x), std::fabs(a.y - b.y));
}

}  // namespace gyr
