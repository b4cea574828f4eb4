#include "math/geom_sqrt.h"

#include <cmath>

namespace gyr {

double GeomSqrt(double x) {
    if (!(x > 0)) return 0.0;
    if (std::isinf(x)) return x;
    int exponent = 0;
    double m = std::frexp(x, &exponent);  // x = m * 2^exponent, m in [0.5, 1)
    if (exponent % 2 != 0) {
        m *= 2;
        --exponent;
    }
    double g = (m + 1) / 2;
    // From [0.5, 2) the iteration settles within a handful of steps; the cap
    // only makes the end evident.
    for (int i = 0; i < 64; ++i) {
        double next = (g + m / g) / 2;
        if (std::fabs(next - g) <= kSqrtEps) {
            g = next;
            break;
        }
        if (i > 0 && next >= g) break;
        g = next;
    }
    return std::ldexp(g, exponent / 2);
}

}  // namespace gyr
