#pragma once
// The command line that opens a help page in the user's browser.

#include <string>

namespace corvex {

// The browser's registered command is cut just before its first "/" (its
// own switches, such as "/nohome", go), then a blank and the page follow.
// "#" and the anchor are appended to the page when an anchor is given.
std::string BrowserCommand(const std::string& browser, const std::string& page, const std::string& anchor = {});

}  // namespace corvex
