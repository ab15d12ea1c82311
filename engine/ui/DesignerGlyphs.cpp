#include "DesignerGlyphs.h"

#include "Sketch.h"

namespace corvex {

namespace {

constexpr _color kInk = 0x202020;
constexpr _color kBlue = 0xC05020;
constexpr _color kRed = 0x2020D0;
constexpr _color kGreen = 0x20A020;
constexpr _color kGrey = 0x909090;
constexpr _color kWhite = 0xF0F0F0;

void Eye(_sketch& p, bool open) {
    p.Line(1, 6, 4, 3, kInk);
    p.Line(4, 3, 7, 3, kInk);
    p.Line(7, 3, 10, 6, kInk);
    p.Line(1, 6, 4, 9, kInk);
    p.Line(4, 9, 7, 9, kInk);
    p.Line(7, 9, 10, 6, kInk);
    if (open) {
        p.Fill(4, 5, 4, 3, kBlue);
        p.Dot(5, 5, kWhite);
    } else {
        p.Line(1, 10, 10, 1, kRed);
        p.Line(2, 10, 11, 1, kRed);
    }
}

// A solid triangle pointing up or down, its flat side 9 wide.
void Arrow(_sketch& p, bool up) {
    for (int row = 0; row < 5; ++row) {
        const int y = up ? 3 + row : 8 - row;
        p.Line(5 - row, y, 5 + row, y, kBlue);
    }
    p.Fill(4, up ? 8 : 1, 3, 3, kBlue);
}

}  // namespace

void DrawToolGlyph(_bitmap& glyph, _toolglyph which) {
    _sketch p(glyph, 12);
    switch (which) {
        case GLYPH_REFRESH:  // a circling arrow
            p.Line(3, 2, 7, 2, kGreen);
            p.Line(8, 3, 9, 4, kGreen);
            p.Line(9, 5, 9, 7, kGreen);
            p.Line(8, 8, 7, 9, kGreen);
            p.Line(6, 9, 4, 9, kGreen);
            p.Line(3, 8, 2, 7, kGreen);
            p.Line(2, 6, 2, 4, kGreen);
            p.Fill(2, 0, 1, 5, kGreen);
            p.Line(0, 2, 4, 2, kGreen);
            break;
        case GLYPH_HIDE: Eye(p, false); break;
        case GLYPH_SHOW: Eye(p, true); break;
        case GLYPH_DESTROY:
            p.Line(1, 1, 10, 10, kRed);
            p.Line(2, 1, 10, 9, kRed);
            p.Line(10, 1, 1, 10, kRed);
            p.Line(9, 1, 1, 9, kRed);
            break;
        case GLYPH_ADD:
            p.Fill(5, 1, 2, 10, kGreen);
            p.Fill(1, 5, 10, 2, kGreen);
            break;
        case GLYPH_UPDATE:  // a tick
            p.Line(1, 6, 4, 9, kGreen);
            p.Line(1, 7, 4, 10, kGreen);
            p.Line(4, 9, 10, 3, kGreen);
            p.Line(4, 10, 10, 4, kGreen);
            break;
        case GLYPH_UP: Arrow(p, true); break;
        case GLYPH_DOWN: Arrow(p, false); break;
    }
}

void DrawBandPicture(_bitmap& picture) {
    _sketch p(picture, 16);
    p.Fill(0, 2, 16, 12, kInk);
    p.Fill(1, 3, 14, 10, kGrey);
    for (int row = 0; row < 3; ++row) {
        const int y = 4 + 3 * row;
        p.Fill(2, y, 2, 2, kWhite);
        p.Fill(5, y, 9, 2, row == 1 ? kRed : kBlue);
    }
}

}  // namespace corvex
