#pragma once
// The command line that opens a help page in the user's browser.
//
//   FileUrl         a file's path as a file: address, with an anchor
//   BrowserCommand  the browser's registered command with the page put in
//
// Portable: no Windows header.

#include <string>

namespace corvex {

// "file:///C:/folder/page.htm#anchor": backslashes become slashes, and the
// characters an address cannot hold as they are (blanks, "#", "%", quotes)
// are written as "%XX". The anchor follows a "#" when one is given.
std::string FileUrl(const std::string& path, const std::string& anchor = {});

// The browser's registered command with the page: the registration's
// "%1" (or "%L") becomes the page's address, quoted unless the
// registration quotes it already; a registration without one gets the
// quoted address appended, after its own switches are cut (everything from
// the first " /", as in "browser.exe /nohome").
std::string BrowserCommand(const std::string& browser, const std::string& page, const std::string& anchor = {});

}  // namespace corvex
