#include "geom/geom_sqrt.h"

#include <cmath>

namespace gyr {

double GeomSqrt(double x) {
    if (!(x > 0)) return 0.0;
    if (std::isinf(x)) return x;
    double g = (x + 1) / 2;
    if (std::isinf(g)) g = x / 2 + 0.5;
    for (int i = 0; i < 2000; ++i) {
        double next = (g + x / g) / 2;
        if (std::fabs(next - g) <= 1e-24) return next;
        if (i > 0 && next >= g) return g;
        g = next;
    }
    return g;
}

}  // namespace gyr
