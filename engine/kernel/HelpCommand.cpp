#include "HelpCommand.h"

namespace corvex {

std::string BrowserCommand(const std::string& browser, const std::string& page, const std::string& anchor) {
    const std::size_t slash = browser.find('/');
    std::string command = slash == std::string::npos ? browser : browser.substr(0, slash);
    command += ' ';
    command += page;
    if (!anchor.empty()) command += "#" + anchor;
    return command;
}

}  // namespace corvex
