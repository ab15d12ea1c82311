#pragma once
// Rectangles and the small layout sums of forms and controls.
//
// Portable: no Windows header.

#include <algorithm>

namespace corvex {

struct _point {
    int x = 0;
    int y = 0;
    friend bool operator==(_point a, _point b) noexcept { return a.x == b.x && a.y == b.y; }
};

// Right and bottom edges are excluded, as everywhere in Windows drawing.
struct _rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr _rect Bounds(int left, int top, int width, int height) noexcept {
        return {left, top, left + width, top + height};
    }
    constexpr int Width() const noexcept { return right - left; }
    constexpr int Height() const noexcept { return bottom - top; }
    constexpr bool Empty() const noexcept { return right <= left || bottom <= top; }
    constexpr bool Contains(_point p) const noexcept {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    // Edges included on all four sides.
    constexpr bool ContainsWithEdges(_point p) const noexcept {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    constexpr _rect Offset(int dx, int dy) const noexcept {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    friend bool operator==(const _rect& a, const _rect& b) noexcept {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

// The overlap of two rectangles; an empty rectangle when they do not meet.
constexpr _rect Intersect(const _rect& a, const _rect& b) noexcept {
    const _rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
    return r.Empty() ? _rect{} : r;
}

// Where a window of `size` goes to sit in the middle of `area`, kept inside
// the area's top-left corner when it is larger than the area.
constexpr _point CentredOrigin(const _rect& area, int width, int height) noexcept {
    return {std::max(area.left, area.left + (area.Width() - width) / 2),
            std::max(area.top, area.top + (area.Height() - height) / 2)};
}

// A proposed size raised to a form's minimum (0 = no minimum).
constexpr int AtLeast(int size, int minimum) noexcept {
    return minimum > 0 ? std::max(size, minimum) : size;
}

}  // namespace corvex
