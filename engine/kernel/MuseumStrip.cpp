// The icon strip the engine carries in itself: 24 tiles of 16 x 16 pixels
// on fuchsia (the transparent colour), one per kind of readout. A skin
// strip in "skin\default.bmp" replaces it tile for tile (LoadSkinStrip).

#include "Corvex_Kernel.h"
#include "Sketch.h"

namespace corvex {

namespace {

constexpr _color kInk = 0x202020;
constexpr _color kDark = 0x606060;
constexpr _color kLight = 0xE0E0E0;
constexpr _color kBlue = 0xC05020;
constexpr _color kRed = 0x2020D0;
constexpr _color kGreen = 0x20A020;
constexpr _color kYellow = 0x20D0F0;

void Chip(_sketch& t) {  // 0 processor
    for (int i = 3; i <= 12; i += 3) {
        t.Line(i, 0, i, 15, kDark);
        t.Line(0, i, 15, i, kDark);
    }
    t.Box(2, 2, 12, 12, kInk, kDark);
    t.Fill(5, 5, 6, 6, kLight);
}

void Memory(_sketch& t) {  // 1 memory module
    t.Box(0, 4, 16, 8, kInk, kGreen);
    for (int x = 2; x < 14; x += 4) t.Fill(x, 6, 3, 3, kInk);
    for (int x = 1; x < 15; x += 2) t.Dot(x, 12, kYellow);
}

void Swap(_sketch& t) {  // 2 swap file: a page with two arrows
    t.Box(3, 1, 10, 14, kInk, COLOR_WHITE);
    t.Line(5, 5, 10, 5, kBlue);
    t.Line(9, 4, 10, 5, kBlue);
    t.Line(6, 10, 11, 10, kRed);
    t.Line(6, 10, 7, 9, kRed);
}

void Palette(_sketch& t) {  // 3 graphics resources
    t.Box(1, 3, 14, 10, kInk, kLight);
    t.Fill(3, 5, 3, 3, kRed);
    t.Fill(7, 5, 3, 3, kGreen);
    t.Fill(11, 5, 2, 3, kBlue);
    t.Fill(3, 9, 3, 2, kYellow);
}

void Window(_sketch& t) {  // 4 window resources
    t.Box(1, 2, 14, 12, kInk, COLOR_WHITE);
    t.Fill(2, 3, 12, 2, kBlue);
    t.Fill(3, 7, 5, 1, kDark);
    t.Fill(3, 9, 8, 1, kDark);
}

void Clock(_sketch& t) {  // 5 clock
    t.Box(2, 2, 12, 12, kInk, COLOR_WHITE);
    t.Line(7, 4, 7, 8, kInk);
    t.Line(7, 8, 10, 8, kRed);
}

void Speaker(_sketch& t) {  // 6 audio
    t.Fill(2, 6, 3, 4, kInk);
    t.Line(5, 6, 8, 3, kInk);
    t.Line(5, 9, 8, 12, kInk);
    t.Line(8, 3, 8, 12, kInk);
    t.Line(11, 5, 11, 10, kDark);
    t.Line(13, 3, 13, 12, kDark);
}

void Hourglass(_sketch& t) {  // 7 time running
    t.Fill(3, 1, 10, 2, kInk);
    t.Fill(3, 13, 10, 2, kInk);
    t.Line(4, 3, 7, 7, kInk);
    t.Line(11, 3, 8, 7, kInk);
    t.Line(7, 8, 4, 12, kInk);
    t.Line(8, 8, 11, 12, kInk);
    t.Fill(5, 11, 6, 2, kYellow);
}

void System(_sketch& t) {  // 8 operating system: four panes
    t.Fill(2, 2, 5, 5, kRed);
    t.Fill(9, 2, 5, 5, kGreen);
    t.Fill(2, 9, 5, 5, kBlue);
    t.Fill(9, 9, 5, 5, kYellow);
}

void Person(_sketch& t) {  // 9 user
    t.Box(5, 1, 6, 6, kInk, kYellow);
    t.Box(2, 8, 12, 7, kInk, kBlue);
}

void Computer(_sketch& t) {  // 10 host
    t.Box(1, 1, 14, 10, kInk, kDark);
    t.Fill(3, 3, 10, 6, kBlue);
    t.Fill(6, 11, 4, 2, kInk);
    t.Fill(3, 13, 10, 2, kInk);
}

void Screen(_sketch& t) {  // 11 screen mode
    t.Box(0, 2, 16, 11, kInk, kLight);
    t.Fill(2, 4, 12, 7, kGreen);
    t.Line(2, 4, 13, 10, kYellow);
}

void Echo(_sketch& t) {  // 12 ping: out and back
    t.Line(1, 5, 13, 5, kGreen);
    t.Line(11, 3, 13, 5, kGreen);
    t.Line(2, 10, 14, 10, kBlue);
    t.Line(2, 10, 4, 12, kBlue);
}

void Modem(_sketch& t) {  // 13 dial-up
    t.Box(1, 6, 14, 7, kInk, kLight);
    t.Dot(4, 9, kGreen);
    t.Dot(7, 9, kRed);
    t.Line(4, 1, 11, 1, kInk);
    t.Line(4, 1, 4, 5, kInk);
    t.Line(11, 1, 11, 5, kInk);
}

void Envelope(_sketch& t, _color seal) {  // 14, 15, 18 mail
    t.Box(1, 3, 14, 10, kInk, COLOR_WHITE);
    t.Line(1, 3, 7, 8, kInk);
    t.Line(14, 3, 8, 8, kInk);
    if (seal != COLOR_WHITE) t.Fill(11, 9, 3, 3, seal);
}

void Keyboard(_sketch& t) {  // 16 keyboard language
    t.Box(0, 4, 16, 9, kInk, kLight);
    for (int x = 2; x < 14; x += 3) {
        t.Dot(x, 6, kInk);
        t.Dot(x + 1, 8, kInk);
    }
    t.Line(4, 10, 11, 10, kInk);
}

void Run(_sketch& t) {  // 17 program launcher
    t.Box(1, 1, 14, 14, kInk, COLOR_WHITE);
    for (int i = 0; i < 5; ++i) t.Line(5, 4 + i, 5 + i, 4 + i, kGreen);
    for (int i = 0; i < 4; ++i) t.Line(5, 9 + i, 8 - i, 9 + i, kGreen);
}

void Plug(_sketch& t) {  // 19 mains power
    t.Box(3, 5, 10, 6, kInk, kDark);
    t.Fill(5, 1, 2, 4, kInk);
    t.Fill(9, 1, 2, 4, kInk);
    t.Line(8, 11, 8, 15, kInk);
}

void Battery(_sketch& t) {  // 20 battery
    t.Box(1, 4, 13, 8, kInk, COLOR_WHITE);
    t.Fill(14, 6, 2, 4, kInk);
    t.Fill(2, 5, 7, 6, kGreen);
}

void Arrow(_sketch& t, bool down, _color color) {  // 21 in, 22 out
    for (int i = 0; i < 6; ++i) {
        const int y = down ? 9 + i : 6 - i;
        t.Line(2 + i, y, 13 - i, y, color);
    }
    if (down)
        t.Fill(6, 1, 4, 8, color);
    else
        t.Fill(6, 7, 4, 8, color);
}

void Gear(_sketch& t) {  // 23 kernel objects
    t.Fill(6, 0, 4, 16, kDark);
    t.Fill(0, 6, 16, 4, kDark);
    t.Box(3, 3, 10, 10, kInk, kDark);
    t.Box(6, 6, 4, 4, kInk, COLOR_FUCHSIA);
}

}  // namespace

void DrawMuseumStrip(_imagelist& list) {
    list.Clear();
    for (int index = 0; index < 24; ++index) {
        _bitmap tile;
        _sketch t(tile, 16);
        switch (index) {
            case 0: Chip(t); break;
            case 1: Memory(t); break;
            case 2: Swap(t); break;
            case 3: Palette(t); break;
            case 4: Window(t); break;
            case 5: Clock(t); break;
            case 6: Speaker(t); break;
            case 7: Hourglass(t); break;
            case 8: System(t); break;
            case 9: Person(t); break;
            case 10: Computer(t); break;
            case 11: Screen(t); break;
            case 12: Echo(t); break;
            case 13: Modem(t); break;
            case 14: Envelope(t, kYellow); break;
            case 15: Envelope(t, COLOR_WHITE); break;
            case 16: Keyboard(t); break;
            case 17: Run(t); break;
            case 18: Envelope(t, kRed); break;
            case 19: Plug(t); break;
            case 20: Battery(t); break;
            case 21: Arrow(t, true, kGreen); break;
            case 22: Arrow(t, false, kRed); break;
            case 23: Gear(t); break;
            default: break;
        }
        list.Add(tile);
    }
}

_result LoadSkinStrip(const std::string& file, _imagelist& list) {
    _bitmap skin;
    if (!skin.LoadFromFile(file)) return _ERROR;
    list.Clear();
    for (int x = 0; x + 16 <= skin.Width(); x += 16) {
        _bitmap tile(16, 16);
        tile.Canvas().CopyRect(_rect::Bounds(0, 0, 16, 16), skin.Canvas(), _rect::Bounds(x, 0, 16, 16), SRCCOPY);
        list.Add(tile);
    }
    return _OK;
}

}  // namespace corvex
