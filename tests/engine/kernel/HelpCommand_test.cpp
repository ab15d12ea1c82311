// The browser command line of a help request.

#include "HelpCommand.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(HelpCommand, ThePageTakesThePlaceOfTheRegistrationsArgumentOrFollowsItQuoted) {
    const std::string page = "C:\\Program Files\\Corvex\\help\\corvex_main.htm";
    const std::string url = "file:///C:/Program%20Files/Corvex/help/corvex_main.htm";
    const struct {
        const char* browser;
        const char* anchor;
        std::string command;
    } cases[] = {
        {"\"C:\\Program Files\\B\\browser.exe\" \"%1\"", "", "\"C:\\Program Files\\B\\browser.exe\" \"" + url + "\""},
        {"\"C:\\Program Files\\B\\browser.exe\" -osint -url \"%1\"", "_sram",
         "\"C:\\Program Files\\B\\browser.exe\" -osint -url \"" + url + "#_sram\""},
        {"C:\\B\\browser.exe %1 -new", "", "C:\\B\\browser.exe \"" + url + "\" -new"},
        {"\"C:\\B\\view.exe\" \"%L\"", "", "\"C:\\B\\view.exe\" \"" + url + "\""},
        {"C:\\B\\browser.exe /nohome", "cpu", "C:\\B\\browser.exe \"" + url + "#cpu\""},
        {"\"C:\\Program Files\\B\\b.exe\"", "", "\"C:\\Program Files\\B\\b.exe\" \"" + url + "\""},
        {"", "", "\"" + url + "\""},
    };
    for (const auto& c : cases) EXPECT_EQ(BrowserCommand(c.browser, page, c.anchor), c.command) << c.browser;
    EXPECT_EQ(FileUrl("D:\\a#b\\50%\\\"x\".htm", "z"), "file:///D:/a%23b/50%25/%22x%22.htm#z");
}

}  // namespace
}  // namespace corvex
