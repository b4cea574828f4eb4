#include "math/pixel.h"

#include <algorithm>
#include <climits>

namespace gyr {

namespace {

int Saturate(long long v) {
    return int(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace

int PixelRect::Width() const {
    return Saturate((long long)right - left);
}

int PixelRect::Height() const {
    return Saturate((long long)bottom - top);
}

PixelRect PixelRect::Inflated(int d) const {
    return {Saturate((long long)left - d), Saturate((long long)top - d),
            Saturate((long long)right + d), Saturate((long long)bottom + d)};
}

PixelPoint Shifted(PixelPoint p, int dx, int dy) {
    return {Saturate((long long)p.x + dx), Saturate((long long)p.y + dy)};
}

PixelRect MarkRect(PixelPoint c) {
    const PixelPoint a = Shifted(c, -3, -3), b = Shifted(c, 4, 4);
    return {a.x, a.y, b.x, b.y};
}

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
