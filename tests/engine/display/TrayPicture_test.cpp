#include "TrayPicture.h"

#include <gtest/gtest.h>

#include <string>

namespace corvex {
namespace {

constexpr _color kFore = 0x0000FF, kBack = 0x00FF00, kStrip = 0x112233;
constexpr _color kFore2 = 0xAA0000, kBack2 = 0x00AA00, kStrip2 = 0x445566;

// One letter per pixel of a column or row, for readable expectations.
char Code(_color c) {
    switch (c) {
        case COLOR_WHITE: return 'W';
        case COLOR_GRAY: return 'g';
        case COLOR_SILVER: return 's';
        case kFore: case kFore2: return 'F';
        case kBack: case kBack2: return 'B';
        case kStrip: case kStrip2: return 'S';
        case COLOR_BLACK: return 'k';
        case 0xD4D0C8: return 'f';
        default: return '?';
    }
}

std::string Column(const _traypicture& p, int x) {
    std::string s;
    for (int y = 0; y < 16; ++y) s += Code(p.At(x, y));
    return s;
}

std::string Row(const _traypicture& p, int y) {
    std::string s;
    for (int x = 0; x < 16; ++x) s += Code(p.At(x, y));
    return s;
}

_traypicture NT(std::uint32_t position0, std::uint32_t position1) {
    _traypicture p;
    DrawTrayNT(p, {position0, kFore, kBack, kStrip}, {position1, kFore2, kBack2, kStrip2});
    return p;
}

TEST(TrayPicture, NTFramesAndStripes) {
    const _traypicture p = NT(0, 0);
    EXPECT_EQ(Row(p, 0), "gggggggsgggggggs");
    EXPECT_EQ(Row(p, 15), "gsssssssgsssssss");
    EXPECT_EQ(Column(p, 0), "gggggggggggggggg");
    EXPECT_EQ(Column(p, 7), "ssssssssssssssss");
    EXPECT_EQ(Column(p, 8), "gggggggggggggggg");
    EXPECT_EQ(Column(p, 15), "ssssssssssssssss");
    // Unlit: back on odd rows, strip on even rows, all six columns.
    for (int x : {1, 6, 9, 14}) EXPECT_EQ(Column(p, x), "gBSBSBSBSBSBSBSs") << x;
}

TEST(TrayPicture, NTLitRowsFromTheBottom) {
    EXPECT_EQ(Column(NT(7, 0), 3), "gBSBSBSBSBSBSBSs");   // 14 * 7 / 100 = 0
    EXPECT_EQ(Column(NT(8, 0), 3), "gBSBSBSBSBSBSBFs");   // row 14
    EXPECT_EQ(Column(NT(50, 0), 3), "gBSBSBSBFBFBFBFs");  // rows 8, 10, 12, 14
    EXPECT_EQ(Column(NT(100, 0), 3), "gBFBFBFBFBFBFBFs");
    // Each bar has its own position.
    EXPECT_EQ(Column(NT(0, 100), 12), "gBFBFBFBFBFBFBFs");
    EXPECT_EQ(Column(NT(0, 100), 3), "gBSBSBSBSBSBSBSs");
    // A position far beyond a hundred stays inside the frame.
    EXPECT_EQ(Column(NT(100000, 0), 3), "gBFBFBFBFBFBFBFs");
}

_traypicture BeOS(std::uint32_t position0, std::uint32_t position1) {
    _traypicture p;
    DrawTrayBeOS(p, {position0, kFore, kBack, 0}, {position1, kFore2, kBack2, 0}, COLOR_BLACK,
                 0xD4D0C8);
    return p;
}

TEST(TrayPicture, BeOSLevels) {
    const _traypicture empty = BeOS(0, 0);
    EXPECT_EQ(Row(empty, 0), "kkkkkkkffkkkkkkk");
    EXPECT_EQ(Row(empty, 5), "kBBBBBkffkBBBBBk");
    EXPECT_EQ(Row(empty, 15), "kkkkkkkffkkkkkkk");

    const _traypicture half = BeOS(50, 100);
    EXPECT_EQ(Column(half, 1), "kBBBBBBBFFFFFFFk");  // level 8
    EXPECT_EQ(Column(half, 12), "kFFFFFFFFFFFFFFk");
    EXPECT_EQ(Column(half, 7), "ffffffffffffffff");

    // 15 - 0.25 * 14 = 11.5 rounds to the even 12.
    EXPECT_EQ(Column(BeOS(25, 0), 3), "kBBBBBBBBBBBFFFk");
    // 15 - 0.75 * 14 = 4.5 rounds to the even 4.
    EXPECT_EQ(Column(BeOS(75, 0), 3), "kBBBFFFFFFFFFFFk");
    EXPECT_EQ(Column(BeOS(4000000000u, 0), 3), "kFFFFFFFFFFFFFFk");
}

}  // namespace
}  // namespace corvex
