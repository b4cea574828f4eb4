#pragma once
// Logical (sheet) pixels: integers, y pointing down. World points and
// pixels never mix silently; the sheet mapping is the only bridge.

namespace gyr {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// left/top inclusive, right/bottom exclusive, as the platform's rectangles.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // Far-away figures saturate at the int range; these saturate too.
    int Width() const;
    int Height() const;
    bool IsEmpty() const { return right <= left || bottom <= top; }
    PixelRect Normalized() const;
    PixelRect Inflated(int d) const;
    bool Intersects(const PixelRect& o) const;
    // Union of two rectangles; an empty operand does not contribute.
    PixelRect United(const PixelRect& o) const;
    bool Contains(PixelPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The point moved by (dx, dy), saturating at the int range (a far-away
// figure's pixel already lies on its edge).
PixelPoint Shifted(PixelPoint p, int dx, int dy);
// The selection mark of a vertex: c - 3 to c + 4 on each axis, saturated.
PixelRect MarkRect(PixelPoint c);

}  // namespace gyr
