#include "math/sheet_mapping.h"

#include <climits>
#include <cmath>

namespace gyr {

CSheetMapping& Mapping() {
    static CSheetMapping mapping;
    return mapping;
}

namespace {

int SaturateToInt(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return int(v);
}

}  // namespace

int TruncToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT_MAX;
    if (v <= -2147483648.0) return INT_MIN;
    return int(v);  // the conversion itself truncates toward zero
}

PixelPoint WorldToPixel(const CWorldPoint& p) {
    const CSheetMapping& m = Mapping();
    long long x = (long long)m.originX + TruncToInt(m.unitX * p.x);
    long long y = (long long)m.originY - TruncToInt(m.unitY * p.y);
    return {SaturateToInt(x), SaturateToInt(y)};
}

CWorldPoint PixelToWorld(PixelPoint p) {
    const CSheetMapping& m = Mapping();
    return {double(p.x - (long long)m.originX) / m.unitX,
            double((long long)m.originY - p.y) / m.unitY};
}

PixelRect WorldToPixelRect(const CWorldPoint& p, int width, int height) {
    PixelPoint tl = WorldToPixel(p);
    return {tl.x, tl.y, SaturateToInt((long long)tl.x + width),
            SaturateToInt((long long)tl.y + height)};
}

PixelRect WorldToPixelRect(const CWorldPoint& leftTop, const CWorldPoint& rightBottom) {
    PixelPoint tl = WorldToPixel(leftTop);
    PixelPoint br = WorldToPixel(rightBottom);
    return {tl.x, tl.y, br.x, br.y};
}

void PixelRectToWorld(const PixelRect& r, CWorldPoint& leftTop, CWorldPoint& rightBottom) {
    leftTop = PixelToWorld({r.left, r.top});
    rightBottom = PixelToWorld({r.right, r.bottom});
}

bool IsOnSheet(const CWorldPoint& p) {
    const CSheetMapping& m = Mapping();
    return m.worldLeftTop.x < p.x && p.x < m.worldRightBottom.x && IsYWithinSheet(p.y);
}

bool IsYWithinSheet(double y) {
    const CSheetMapping& m = Mapping();
    return m.worldRightBottom.y < y && y < m.worldLeftTop.y;
}

bool SamePoint(const CWorldPoint& a, const CWorldPoint& b) {
    return ChebyshevDistance(a, b) < Mapping().pixelTolerance;
}

}  // namespace gyr
