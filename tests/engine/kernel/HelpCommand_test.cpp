// The browser command line of a help request.

#include "HelpCommand.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(HelpCommand, TheBrowserIsCutBeforeItsFirstSlashAndTheAnchorFollowsTheHash) {
    // The blank before the slash stays: two blanks before the page.
    EXPECT_EQ(BrowserCommand("C:\\B\\browser.exe /nohome", "C:\\help\\main.htm"),
              "C:\\B\\browser.exe  C:\\help\\main.htm");
    EXPECT_EQ(BrowserCommand("C:\\B\\browser.exe /a /b", "p.htm", "cpu"), "C:\\B\\browser.exe  p.htm#cpu");
    EXPECT_EQ(BrowserCommand("\"C:\\B\\browser.exe\" %1", "p.htm"), "\"C:\\B\\browser.exe\" %1 p.htm");
    EXPECT_EQ(BrowserCommand("", "p.htm"), " p.htm");
}

}  // namespace
}  // namespace corvex
