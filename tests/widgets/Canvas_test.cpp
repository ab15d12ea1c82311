#include "Canvas.h"

#include <gtest/gtest.h>

#include "Bitmap.h"

namespace corvex {
namespace {

constexpr _color kRed = 0x0000FF, kBlue = 0xFF0000, kYellow = 0x00FFFF;

TEST(CanvasTest, RectangleOutlineAndInsideAndTheLineConvention) {
    _bitmap b(20, 20);
    _canvas& c = b.Canvas();
    c.SetBrush(COLOR_WHITE);
    c.FillRect(_rect::Bounds(0, 0, 20, 20));
    c.SetPen(kRed);
    c.SetBrush(kBlue);
    c.Rectangle({2, 2, 10, 10});  // right and bottom edges excluded
    EXPECT_EQ(b.Pixel(2, 2), kRed);
    EXPECT_EQ(b.Pixel(9, 9), kRed);
    EXPECT_EQ(b.Pixel(5, 5), kBlue);
    EXPECT_EQ(b.Pixel(10, 10), COLOR_WHITE);
    c.SetPen(COLOR_BLACK);
    c.MoveTo(0, 15);
    c.LineTo(5, 15);  // includes the start, excludes the end
    EXPECT_EQ(b.Pixel(0, 15), COLOR_BLACK);
    EXPECT_EQ(b.Pixel(4, 15), COLOR_BLACK);
    EXPECT_EQ(b.Pixel(5, 15), COLOR_WHITE);
    // Reading outside the bitmap is black, not a stray read.
    EXPECT_EQ(b.Pixel(-1, 0), COLOR_BLACK);
    EXPECT_EQ(b.Pixel(0, 20), COLOR_BLACK);
}

// Written into the bits, a picture reads back as SetPixel would leave it.
TEST(CanvasTest, PutPixelsMatchesSetPixel) {
    const _color picture[6] = {kRed, kBlue, SYSCOLOR_BTNSHADOW, kYellow, COLOR_WHITE, 0x80FF00FFu};
    _bitmap put(4, 4), drawn(4, 4);
    ASSERT_TRUE(put.PutPixels(picture, 3, 2));
    for (int i = 0; i < 6; ++i) drawn.Canvas().SetPixel(i % 3, i / 3, picture[i]);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(put.Pixel(x, y), drawn.Pixel(x, y)) << x << "," << y;
    EXPECT_FALSE(put.PutPixels(picture, 5, 1));  // wider than the bitmap: nothing written
    EXPECT_EQ(put.Pixel(3, 0), COLOR_BLACK);
}

TEST(CanvasTest, ScrollLeftMovesOnlyTheAreaAndLeavesItsRightColumns) {
    _bitmap b(6, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) b.Canvas().SetPixel(x, y, MakeColor(x * 40, y * 40, 7));
    b.ScrollLeft(_rect{1, 1, 5, 3}, 2);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool moved = y >= 1 && x >= 1 && x < 3;
            EXPECT_EQ(b.Pixel(x, y), MakeColor((moved ? x + 2 : x) * 40, y * 40, 7)) << x << "," << y;
        }
    b.ScrollLeft(_rect{0, 0, 6, 3}, 6);  // the whole width: nothing moves
    b.ScrollLeft(_rect{4, 0, 9, 3}, 1);  // clipped to the bitmap
    EXPECT_EQ(b.Pixel(4, 0), MakeColor(200, 0, 7));
}

TEST(CanvasTest, CharacterWidthsMeasureAsTheSystemDoes) {
    // The sum of the advances must be the system's own extent of the line,
    // in plain, bold and italic faces of raster and outline fonts.
    const _fontspec fonts[] = {{"MS Sans Serif", -11, 0, 0}, {"MS Sans Serif", -11, 0, FONT_BOLD},
                               {"Arial", -13, 0, FONT_ITALIC}, {"Tahoma", -11, 0, FONT_BOLD | FONT_ITALIC},
                               {"Courier New", -12, 0, 0}};
    const char* texts[] = {"0", "100%", "12.3 MB", "1,023.75 KB/s", "Wy'~ |{}"};
    for (const _fontspec& font : fonts) {
        _bitmap b;
        b.Canvas().SetFont(font);
        _charwidths widths;
        _point size;
        EXPECT_FALSE(widths.Measure("x", size));  // nothing loaded yet
        widths.Load(b.Canvas().Handle());
        for (const char* text : texts) {
            ASSERT_TRUE(widths.Measure(text, size)) << text;
            const _point system = b.Canvas().TextExtent(text);
            EXPECT_EQ(size.x, system.x) << font.name << " " << int(font.style) << ": " << text;
            EXPECT_EQ(size.y, system.y) << font.name << ": " << text;
        }
        ASSERT_TRUE(widths.Measure("", size));  // an empty line is still a line high
        EXPECT_EQ(size.x, 0);
        EXPECT_EQ(size.y, b.Canvas().TextExtent(" ").y);
        EXPECT_FALSE(widths.Measure("caf\xe9", size));  // outside the table: measured the usual way
        EXPECT_FALSE(widths.Measure("a\tb", size));
    }
}

TEST(CanvasTest, SystemColoursBecomeTheSystemsRgbWhenDrawn) {
    EXPECT_EQ(ToRGB(SYSCOLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ToRGB(0x80000014u), GetSysColor(COLOR_BTNHIGHLIGHT));
    _bitmap b(4, 4);
    b.Canvas().SetBrush(SYSCOLOR_BTNFACE);
    b.Canvas().FillRect(_rect::Bounds(0, 0, 4, 4));
    EXPECT_EQ(b.Pixel(1, 1), FromRGB(GetSysColor(COLOR_BTNFACE)));
}

TEST(CanvasTest, RasterOperationsCombineSourceAndDestination) {
    _bitmap src(2, 1), dst(2, 1);
    src.Canvas().SetPixel(0, 0, 0x0000F0);
    src.Canvas().SetPixel(1, 0, 0x00FF00);
    for (DWORD rop : {SRCINVERT, SRCPAINT, SRCCOPY}) {
        dst.Canvas().SetPixel(0, 0, 0x00000F);
        dst.Canvas().SetPixel(1, 0, 0x00FF00);
        dst.Canvas().CopyRect(_rect::Bounds(0, 0, 2, 1), src.Canvas(), _rect::Bounds(0, 0, 2, 1), rop);
        if (rop == SRCINVERT) {  // XOR
            EXPECT_EQ(dst.Pixel(0, 0), 0x0000FFu);
            EXPECT_EQ(dst.Pixel(1, 0), 0x000000u);
        } else if (rop == SRCPAINT) {  // OR
            EXPECT_EQ(dst.Pixel(0, 0), 0x0000FFu);
            EXPECT_EQ(dst.Pixel(1, 0), 0x00FF00u);
        } else {
            EXPECT_EQ(dst.Pixel(0, 0), 0x0000F0u);
        }
    }
}

TEST(CanvasTest, TransparentDrawingKeepsTheBackgroundUnderTheKeyColour) {
    _bitmap picture(3, 1), target(3, 1);
    picture.Canvas().SetPixel(0, 0, COLOR_FUCHSIA);
    picture.Canvas().SetPixel(1, 0, kBlue);
    picture.Canvas().SetPixel(2, 0, COLOR_BLACK);  // black must not turn see-through
    target.Canvas().SetBrush(kYellow);
    target.Canvas().FillRect(_rect::Bounds(0, 0, 3, 1));
    target.Canvas().DrawTransparent(0, 0, picture, COLOR_FUCHSIA);
    EXPECT_EQ(target.Pixel(0, 0), kYellow);
    EXPECT_EQ(target.Pixel(1, 0), kBlue);
    EXPECT_EQ(target.Pixel(2, 0), COLOR_BLACK);
}

TEST(CanvasTest, TextIsMeasuredInTheCanvasFontAndDrawnInItsColour) {
    _bitmap b(200, 40);
    _canvas& c = b.Canvas();
    c.SetFont(_fontspec{"MS Sans Serif", -11, COLOR_WHITE, 0});
    const _point one = c.TextExtent("0");
    const _point three = c.TextExtent("000");
    EXPECT_GT(one.x, 0);
    EXPECT_GT(one.y, 0);
    EXPECT_EQ(three.y, one.y);
    EXPECT_GT(three.x, 2 * one.x);
    c.SetBrush(COLOR_BLACK);
    c.FillRect(_rect::Bounds(0, 0, 200, 40));
    c.SetBrushClear();
    c.TextOut(0, 0, "MMMM");
    int white = 0;
    for (int y = 0; y < one.y; ++y)
        for (int x = 0; x < three.x; ++x) white += b.Pixel(x, y) == COLOR_WHITE;
    EXPECT_GT(white, 0);
    EXPECT_EQ(b.Pixel(150, 30), COLOR_BLACK);  // nothing beyond the text
}

TEST(CanvasTest, ResizingABitmapKeepsItsCanvasUsable) {
    _bitmap b;
    EXPECT_TRUE(b.Empty());
    b.Canvas().SetBrush(kRed);  // on the empty bitmap's DC: harmless
    b.SetSize(8, 8);
    b.Canvas().FillRect(_rect::Bounds(0, 0, 8, 8));
    EXPECT_EQ(b.Pixel(7, 7), kRed);
    b.SetSize(0, 5);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Pixel(0, 0), COLOR_BLACK);
    b.SetSize(4, 4);
    EXPECT_EQ(b.Pixel(3, 3), COLOR_BLACK);  // a new size starts black
}

TEST(ImageListTest, ImagesComeBackWithTheirTransparentPartsInTheKeyColour) {
    _imagelist list(16, 16, COLOR_FUCHSIA);
    _bitmap tile(16, 16);
    tile.Canvas().SetBrush(COLOR_FUCHSIA);
    tile.Canvas().FillRect(_rect::Bounds(0, 0, 16, 16));
    tile.Canvas().SetPixel(3, 4, kBlue);
    EXPECT_EQ(list.Add(tile), 0);
    EXPECT_EQ(tile.Pixel(0, 0), COLOR_FUCHSIA);  // the caller's picture is untouched
    _bitmap wrong(17, 16);
    EXPECT_EQ(list.Add(wrong), -1);
    EXPECT_EQ(list.Count(), 1);

    _bitmap out;
    ASSERT_TRUE(list.GetBitmap(0, out));
    EXPECT_EQ(out.Width(), 16);
    EXPECT_EQ(out.Pixel(3, 4), kBlue);
    EXPECT_EQ(out.Pixel(0, 0), COLOR_FUCHSIA);
    EXPECT_FALSE(list.GetBitmap(1, out));
    EXPECT_FALSE(list.GetBitmap(-1, out));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(IconTest, AnIconFromAPictureIsSeeThroughWhereThePictureHasTheKeyColour) {
    _bitmap picture(16, 16);
    picture.Canvas().SetBrush(COLOR_FUCHSIA);
    picture.Canvas().FillRect(_rect::Bounds(0, 0, 16, 16));
    picture.Canvas().SetBrush(kRed);
    picture.Canvas().FillRect(_rect::Bounds(4, 4, 8, 8));
    const _icon icon = _icon::FromBitmap(picture, COLOR_FUCHSIA);
    ASSERT_FALSE(icon.Empty());
    _bitmap target(16, 16);
    target.Canvas().SetBrush(kYellow);
    target.Canvas().FillRect(_rect::Bounds(0, 0, 16, 16));
    DrawIconEx(target.Canvas().Handle(), 0, 0, icon.Handle(), 16, 16, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(target.Pixel(0, 0), kYellow);
    EXPECT_EQ(target.Pixel(5, 5), kRed);
}

}  // namespace
}  // namespace corvex
