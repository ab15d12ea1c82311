// The keyboard-language file: its section and its lines.

#include "KeyLang.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(KeyLang, LinesGiveNameIdentifierAndIcon) {
    const struct {
        const char* line;
        bool ok;
        const char* name;
        unsigned identifier;
        const char* icon;
    } cases[] = {
        {"English (United States)=1033,keylang\\en-us.ico", true, "English (United States)", 1033, "keylang\\en-us.ico"},
        {"  Name  =  42 ,  a.ico  ", true, "Name", 42, "a.ico"},
        {"Name=65535,odd,name.ico", true, "Name", 65535, "odd,name.ico"},
        {"Name=1033", false, "", 0, ""},  // no comma
        {"Name=abc,x.ico", false, "", 0, ""},
        {"Name=,x.ico", false, "", 0, ""},
        {"Name=65536,x.ico", false, "", 0, ""},
        {"Name=-5,x.ico", false, "", 0, ""},
        {"Name=0x409,x.ico", false, "", 0, ""},
        {"Name=1033,", false, "", 0, ""},  // no icon
        {"=1033,x.ico", false, "", 0, ""},
        {"no value here", false, "", 0, ""},
        {"Name=1033,..\\..\\windows\\x.ico", false, "", 0, ""},
        {"Name=1033,C:\\x.ico", false, "", 0, ""},
        {"Name=1033,\\\\server\\share\\x.ico", false, "", 0, ""},
        {"Name=1033,/x.ico", false, "", 0, ""},
    };
    for (const auto& c : cases) {
        _keylangline out;
        ASSERT_EQ(ParseLanguageLine(c.line, out), c.ok) << c.line;
        if (!c.ok) continue;
        EXPECT_EQ(out.name, c.name);
        EXPECT_EQ(out.identifier, c.identifier);
        EXPECT_EQ(out.icon, c.icon);
    }
}

TEST(KeyLang, OnlyTheFirstSectionOfThatNameCounts) {
    const char* text =
        "\xEF\xBB\xBF; languages\r\n"
        "[Other]\r\nSkipped=1,a.ico\r\n"
        "[ languages ]\r\n"
        "  A=1,a.ico  \r\n"
        "; a comment\r\n"
        "\r\n"
        "B=2,b.ico\n"
        "[Next]\nC=3,c.ico\n"
        "[Languages]\nD=4,d.ico\n";
    std::vector<std::string_view> lines;
    ASSERT_TRUE(IniSectionLines(text, KEYLANG_SECTION, lines));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "A=1,a.ico");
    EXPECT_EQ(lines[1], "B=2,b.ico");

    EXPECT_TRUE(IniSectionLines("[Languages]\r\n", KEYLANG_SECTION, lines));
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(IniSectionLines("A=1,a.ico\n[Language]\nB=2,b.ico", KEYLANG_SECTION, lines));
    EXPECT_FALSE(IniSectionLines("", KEYLANG_SECTION, lines));
}

}  // namespace
}  // namespace corvex
