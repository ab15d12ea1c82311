#pragma once
// The two-bar pictures of the notification-area gauges, drawn pixel by
// pixel into a 16 x 16 picture that the tray components turn into an icon.
//
//   _traypicture     16 x 16 RGB pixels
//   _traybarlook     what one bar shows (position and RGB colours)
//   DrawTrayNT       striped bars in sunken frames
//   DrawTrayBeOS     solid bars in outlines with a gap between them
//
// Portable: no Windows header. Colours here are plain RGB; system colours
// are resolved by the caller.

#include <array>
#include <cstdint>

#include "Color.h"

namespace corvex {

class _traypicture {
public:
    static constexpr int SIZE = 16;

    _color At(int x, int y) const noexcept { return pixels_[y * SIZE + x]; }
    const std::array<_color, SIZE * SIZE>& Pixels() const noexcept { return pixels_; }

    // Drawing clips to the picture, as a device context does.
    void Set(int x, int y, _color rgb) noexcept {
        if (x >= 0 && x < SIZE && y >= 0 && y < SIZE) pixels_[y * SIZE + x] = rgb;
    }
    void Fill(_color rgb) noexcept { pixels_.fill(rgb); }
    // Columns left..right-1, rows top..bottom-1.
    void FillRect(int left, int top, int right, int bottom, _color rgb) noexcept;
    // A line from (x0, y0) to (x1, y1) that leaves out its end point; only
    // horizontal and vertical lines are needed.
    void Line(int x0, int y0, int x1, int y1, _color rgb) noexcept;

private:
    std::array<_color, SIZE * SIZE> pixels_{};
};

struct _traybarlook {
    std::uint32_t position = 0;  // read as a percentage
    _color fore = 0;
    _color back = 0;
    _color strip = 0;  // NT look only
};

// White ground, gray and silver frames, stripes of back and strip colour,
// lit rows from the bottom: 14 * position / 100 of them, every other row.
void DrawTrayNT(_traypicture& picture, const _traybarlook& bar0, const _traybarlook& bar1);

// Outlines in `border`, each bar filled from the bottom to its level, the
// columns 7 and 8 between the bars in `buttonFace`.
void DrawTrayBeOS(_traypicture& picture, const _traybarlook& bar0, const _traybarlook& bar1,
                  _color border, _color buttonFace);

}  // namespace corvex
