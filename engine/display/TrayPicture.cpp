#include "TrayPicture.h"

#include <cmath>

namespace corvex {

namespace {

constexpr _color kFrameShadow = COLOR_GRAY;
constexpr _color kFrameLight = COLOR_SILVER;

void NTBar(_traypicture& p, int left, const _traybarlook& bar) {
    const int right = left + 7;  // frame columns are left and right
    p.Line(right, 0, left, 0, kFrameShadow);
    p.Line(left, 0, left, 16, kFrameShadow);
    p.Line(right, 0, right, 15, kFrameLight);
    p.Line(right, 15, left, 15, kFrameLight);
    for (int i = 1; i <= 13; i += 2) {
        p.Line(left + 1, i, right, i, bar.back);
        p.Line(left + 1, i + 1, right, i + 1, bar.strip);
    }
    // A gauge whose Max lies above 100 may pass more than a hundred: the
    // lit rows still stop at the top of the bar instead of covering the frame.
    const std::uint64_t lit = 14ULL * bar.position / 100;
    for (std::uint64_t i = 1; i <= lit && i <= 13; i += 2) {
        const int row = static_cast<int>(i);
        p.Line(left + 1, 14 - row, right, 14 - row, bar.back);
        p.Line(left + 1, 15 - row, right, 15 - row, bar.fore);
    }
}

void BeOSBar(_traypicture& p, int left, const _traybarlook& bar) {
    // nearbyint rounds half to even in the default rounding mode.
    const double level = std::nearbyint(15 - bar.position / 100.0 * 14);
    // Above a hundred the bar stays full, inside its outline.
    const int top = level < 1 ? 1 : static_cast<int>(level);
    p.FillRect(left, top, left + 5, 15, bar.fore);
    p.FillRect(left, 1, left + 5, top, bar.back);
}

}  // namespace

void _traypicture::FillRect(int left, int top, int right, int bottom, _color rgb) noexcept {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) Set(x, y, rgb);
}

void _traypicture::Line(int x0, int y0, int x1, int y1, _color rgb) noexcept {
    const int dx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0;
    const int dy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
    for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy) Set(x, y, rgb);
}

void DrawTrayNT(_traypicture& picture, const _traybarlook& bar0, const _traybarlook& bar1) {
    picture.Fill(COLOR_WHITE);
    NTBar(picture, 0, bar0);
    NTBar(picture, 8, bar1);
}

void DrawTrayBeOS(_traypicture& picture, const _traybarlook& bar0, const _traybarlook& bar1,
                  _color border, _color buttonFace) {
    // Outlines of (0,0)-(7,16) and (9,0)-(16,16); their insides are covered
    // by the bars below.
    for (int left : {0, 9}) {
        picture.FillRect(left, 0, left + 7, 16, border);
    }
    BeOSBar(picture, 1, bar0);
    BeOSBar(picture, 10, bar1);
    picture.FillRect(7, 0, 9, 16, buttonFace);
}

}  // namespace corvex
