#include "BarGeometry.h"

#include <cstdio>
#include <cstdlib>

namespace corvex {

int SnapToEdge(int position, int size, int screen, int stick) noexcept {
    // Widened: a position near INT_MIN must not overflow the distance.
    const long long near = std::llabs(static_cast<long long>(position));
    const long long far = std::llabs(static_cast<long long>(position) + size - screen);
    if (near <= stick) return 0;
    if (far <= stick) return screen - size;
    return position;
}

int KeepOnScreen(int position, int size, int oldScreen, int newScreen) noexcept {
    long long at = position;  // widened like SnapToEdge
    if (position > 0 && at + size == oldScreen) at = static_cast<long long>(newScreen) - size;
    if (at + size > newScreen) at = static_cast<long long>(newScreen) - size;
    if (at < 0) at = 0;
    return static_cast<int>(at);
}

namespace {

// The distance along one axis from the span [from, from + size) to [low, high).
long long Gap(long long from, long long size, long long low, long long high) noexcept {
    if (from + size <= low) return low - (from + size) + 1;
    if (from >= high) return from - high + 1;
    return 0;
}

// Moves [from, from + size) inside [low, high), its near edge first.
long long Inside(long long from, long long size, long long low, long long high) noexcept {
    if (from + size > high) from = high - size;
    if (from < low) from = low;
    return from;
}

}  // namespace

_corner RescuedCorner(int x, int y, int width, int height, const std::vector<_workarea>& monitors) noexcept {
    // Widened: stored corners may lie anywhere in 32 bits.
    const long long w = width > 0 ? width : 1, h = height > 0 ? height : 1;
    const _workarea* nearest = nullptr;
    double best = 0;
    for (const _workarea& m : monitors) {
        if (m.right <= m.left || m.bottom <= m.top) continue;
        const long long dx = Gap(x, w, m.left, m.right), dy = Gap(y, h, m.top, m.bottom);
        if (dx == 0 && dy == 0) return _corner{x, y};  // on this monitor, at least partly
        const double distance = static_cast<double>(dx) * dx + static_cast<double>(dy) * dy;
        if (!nearest || distance < best) {
            nearest = &m;
            best = distance;
        }
    }
    if (!nearest) return _corner{x, y};
    return _corner{static_cast<int>(Inside(x, w, nearest->left, nearest->right)),
                   static_cast<int>(Inside(y, h, nearest->top, nearest->bottom))};
}

_barplace PlaceOfBar(int left, int width, int screenX) noexcept {
    if (left == 0) return BAR_AT_LEFT;
    if (static_cast<long long>(left) + width == screenX) return BAR_AT_RIGHT;
    return BAR_FLOATING;
}

_workarea CutStrip(const _workarea& base, _barplace place, int left, int width) noexcept {
    _workarea area = base;
    const long long right = static_cast<long long>(left) + width;
    switch (place) {
        case BAR_AT_LEFT:
            if (right > area.left) area.left = static_cast<int>(right < area.right ? right : area.right);
            break;
        case BAR_AT_RIGHT:
            if (left < area.right) area.right = left > area.left ? left : area.left;
            break;
        case BAR_FLOATING:
            break;
    }
    return area;
}

_workarea FollowScreen(const _workarea& area, int oldX, int oldY, int newX, int newY) noexcept {
    const auto follow = [](int edge, int oldEdge, int newEdge) {
        if (edge == oldEdge) return newEdge;
        return edge < newEdge ? edge : newEdge;
    };
    _workarea moved{area.left < newX ? area.left : 0, area.top < newY ? area.top : 0,
                    follow(area.right, oldX, newX), follow(area.bottom, oldY, newY)};
    if (moved.right <= moved.left) moved.right = newX;
    if (moved.bottom <= moved.top) moved.bottom = newY;
    return moved;
}

int _screenpositions::Add(int x, int y, int xRes, int yRes, bool* updated) {
    const int index = Find(xRes, yRes);
    if (updated) *updated = index >= 0;
    if (index >= 0) {
        entries_[static_cast<std::size_t>(index)].x = x;
        entries_[static_cast<std::size_t>(index)].y = y;
        return index;
    }
    entries_.push_back(_screenposition{x, y, xRes, yRes});
    return Count() - 1;
}

int _screenpositions::Find(int xRes, int yRes) const noexcept {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].xRes == xRes && entries_[i].yRes == yRes) return static_cast<int>(i);
    return -1;
}

namespace {

std::string RateText(int rate, const char* unit) {
    if (rate == 0 || rate == 1) return "hardware";
    return std::to_string(rate) + unit;
}

}  // namespace

std::string ResolutionCaption(int width, int height, int rate) {
    char text[64];
    std::snprintf(text, sizeof text, "%dx%-4d @ %s", width, height, RateText(rate, "hz").c_str());
    return text;
}

std::string ResolutionText(int width, int height, int bits, int rate) {
    char text[80];
    std::snprintf(text, sizeof text, "%dx%-4d %dbits @ %s", width, height, bits, RateText(rate, "Hz").c_str());
    return text;
}

const char* ColorDepthCaption(int bits) noexcept {
    switch (bits) {
        case 4: return "16 colors";
        case 8: return "256 colors";
        case 16: return "65536 colors";
        case 24: return "16Mil colors";
        case 32: return "16Mil+Alpha channel colors";
        default: return nullptr;
    }
}

}  // namespace corvex
