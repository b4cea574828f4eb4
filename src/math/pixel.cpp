#include "math/pixel.h"

#include <algorithm>

namespace gyr {

PixelRect PixelRect::Normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

bool PixelRect::Intersects(const PixelRect& o) const {
    PixelRect a = Normalized(), b = o.Normalized();
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

PixelRect PixelRect::United(const PixelRect& o) const {
    PixelRect a = Normalized(), b = o.Normalized();
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

}  // namespace gyr
