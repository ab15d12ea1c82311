#pragma once
// The bar's placement arithmetic, kept free of Windows so that it can be
// checked anywhere:
//
//   SnapToEdge          pulls a coordinate onto a screen edge within Stick
//   KeepOnScreen        where a coordinate goes when the screen changes size
//   _workarea           a rectangle of the desktop (left, top, right, bottom)
//   RescuedCorner       where a bar that lies on no monitor goes
//   _barplace           where the bar stands relative to the screen edges
//   CutStrip            the work area a docked bar leaves to other windows
//   FollowScreen        a work area carried over to a screen of another size
//   _screenposition     the bar's corner for one screen resolution
//   _screenpositions    the bar's corner per resolution, in discovery order
//   ResolutionCaption   the "screen" submenu's text for a display mode
//   ResolutionText      the display mode as the metrics component tells it

#include <string>
#include <vector>

namespace corvex {

// `position` and `size` run along one axis of a screen `screen` pixels
// long. Within `stick` of the near edge the result is 0; otherwise within
// `stick` of the far edge it is screen - size; otherwise `position`.
// Compared with the full screen, not with the work area.
int SnapToEdge(int position, int size, int screen, int stick) noexcept;

// `position` and `size` run along one axis of a screen that changed from
// `oldScreen` to `newScreen` pixels. A bar that touched the far edge (and
// not the near one) touches the new far edge; any other moves only as far
// as it must to lie wholly on the screen, and one longer than the screen
// keeps its near edge on it.
int KeepOnScreen(int position, int size, int oldScreen, int newScreen) noexcept;

struct _workarea {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const _workarea& other) const noexcept {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

// The top-left corner for a bar of `width` by `height` whose corner is
// (x, y): unchanged when the bar meets any of `monitors` (their work
// areas), even partly; otherwise moved onto the nearest one, as far inside
// as its size allows. Unchanged without any monitor.
struct _corner {
    int x = 0, y = 0;
};
_corner RescuedCorner(int x, int y, int width, int height, const std::vector<_workarea>& monitors) noexcept;

enum _barplace : unsigned char {
    BAR_AT_LEFT = 0,   // touches the left edge: the strip left of `width` is the bar's
    BAR_AT_RIGHT = 1,  // touches the right edge
    BAR_FLOATING = 2,  // elsewhere: other windows get the whole screen
};

// Where a bar of `width` pixels whose left is `left` stands on a screen
// `screenX` wide.
_barplace PlaceOfBar(int left, int width, int screenX) noexcept;

// `base` (the work area as it is without the bar: the task bar's own
// reservation stays) with the strip of a bar at `place` cut out of it: the
// part left of the bar's right edge, or right of its left edge. Unchanged
// for a floating bar.
_workarea CutStrip(const _workarea& base, _barplace place, int left, int width) noexcept;

// A work area on a screen that changed from oldX by oldY to newX by newY
// pixels: edges that lay on the old screen's edges lie on the new one's,
// the others stay where they were as far as the new screen reaches.
_workarea FollowScreen(const _workarea& area, int oldX, int oldY, int newX, int newY) noexcept;

struct _screenposition {
    int x = 0, y = 0, xRes = 0, yRes = 0;
};

class _screenpositions {
public:
    // Records (x, y) for the resolution xRes by yRes: updates the entry
    // of that resolution or appends one. Gives the entry's index; `updated`
    // tells which of the two happened.
    int Add(int x, int y, int xRes, int yRes, bool* updated = nullptr);
    // The index of the entry for xRes by yRes, or -1.
    int Find(int xRes, int yRes) const noexcept;
    int Count() const noexcept { return static_cast<int>(entries_.size()); }
    const _screenposition& operator[](int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    void Clear() noexcept { entries_.clear(); }

private:
    std::vector<_screenposition> entries_;
};

// "%dx%-4d @ %s": the height padded to four places, then the rate with
// "hz", or "hardware" for the rates 0 and 1 (the driver's default).
std::string ResolutionCaption(int width, int height, int rate);
// "%dx%-4d %dbits @ %s" with the rate followed by "Hz", or "hardware".
std::string ResolutionText(int width, int height, int bits, int rate);

// The caption of the "screen" submenu's row for a colour depth, or none
// for a depth the menu does not offer.
const char* ColorDepthCaption(int bits) noexcept;

}  // namespace corvex
