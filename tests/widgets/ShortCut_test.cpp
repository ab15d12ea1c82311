#include "ShortCut.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

constexpr unsigned kBack = 0x08, kF1 = 0x70, kF4 = 0x73, kF7 = 0x76;

TEST(ShortCutTest, CodesOfTheMenuShortCuts) {
    EXPECT_EQ(MakeShortCut('W', false, true, true), 0xC057);  // Ctrl+Alt+W, the default hot key
    EXPECT_EQ(ShortCutToText(0xC057), "Ctrl+Alt+W");
    EXPECT_EQ(ShortCutToText(MakeShortCut('H', false, true, false)), "Ctrl+H");
    EXPECT_EQ(ShortCutToText(MakeShortCut(kBack, true, false, true)), "Shift+Alt+Backspace");
    EXPECT_EQ(ShortCutToText(MakeShortCut(kF7, true, true, false)), "Shift+Ctrl+F7");
    EXPECT_EQ(ShortCutToText(MakeShortCut(kF1, false, false, false)), "F1");
    EXPECT_EQ(ShortCutToText(MakeShortCut(kF1, false, true, false)), "Ctrl+F1");
}

TEST(ShortCutTest, TextRoundTripsForEveryNamedKey) {
    for (unsigned key = 1; key < 256; ++key) {
        for (unsigned mods = 0; mods < 8; ++mods) {
            const _shortcut code = MakeShortCut(key, mods & 1, mods & 2, mods & 4);
            const std::string text = ShortCutToText(code);
            if (text.empty()) continue;
            EXPECT_EQ(TextToShortCut(text), code) << text;
        }
    }
}

TEST(ShortCutTest, ParsingIsForgivingAboutCaseAndBlanksButNotAboutNonsense) {
    EXPECT_EQ(TextToShortCut("ctrl + h"), MakeShortCut('H', false, true, false));
    EXPECT_EQ(TextToShortCut("SHIFT+CTRL+f4"), MakeShortCut(kF4, true, true, false));
    EXPECT_EQ(TextToShortCut(""), SHORTCUT_NONE);
    EXPECT_EQ(TextToShortCut("Ctrl+"), SHORTCUT_NONE);
    EXPECT_EQ(TextToShortCut("Ctrl+Ctrl+H"), SHORTCUT_NONE);
    EXPECT_EQ(TextToShortCut("Hyper+H"), SHORTCUT_NONE);
    EXPECT_EQ(TextToShortCut("F25"), SHORTCUT_NONE);
    EXPECT_EQ(TextToShortCut("HH"), SHORTCUT_NONE);
    // A code without a key has no text at all, whatever its modifiers.
    EXPECT_EQ(ShortCutToText(SHORTCUT_CTRL | SHORTCUT_ALT), "");
}

TEST(ShortCutTest, AccessKeys) {
    EXPECT_EQ(AccessKey("&hide"), 'H');
    EXPECT_EQ(AccessKey("hel&p"), 'P');
    EXPECT_EQ(AccessKey("e&xit"), 'X');
    EXPECT_EQ(AccessKey("debug: stop/start _speeder"), 0);
    EXPECT_EQ(AccessKey("a && b"), 0);
    EXPECT_EQ(AccessKey("a && &b"), 'B');
    EXPECT_EQ(AccessKey("trailing&"), 0);
}

TEST(ShortCutTest, HotKeyFieldModifiersMapBothWays) {
    // The field's high byte: 1 Shift, 2 Ctrl, 4 Alt, 8 extended (dropped).
    EXPECT_EQ(ShortCutFromHotKeyField(0x0657), 0xC057);
    EXPECT_EQ(ShortCutFromHotKeyField(0x0E57), 0xC057);
    EXPECT_EQ(ShortCutFromHotKeyField(0x0170), MakeShortCut(kF1, true, false, false));
    EXPECT_EQ(HotKeyFieldFromShortCut(0xC057), 0x0657u);
    for (unsigned mods = 0; mods < 8; ++mods) {
        const _shortcut code = MakeShortCut('Q', mods & 1, mods & 2, mods & 4);
        EXPECT_EQ(ShortCutFromHotKeyField(HotKeyFieldFromShortCut(code)), code);
    }
}

}  // namespace
}  // namespace corvex
