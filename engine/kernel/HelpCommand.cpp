#include "HelpCommand.h"

#include <cstdio>

namespace corvex {

std::string FileUrl(const std::string& path, const std::string& anchor) {
    std::string url = "file:///";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            url += '/';
        } else if (byte <= ' ' || byte >= 0x7F || c == '#' || c == '%' || c == '"' || c == '?') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            url += escaped;
        } else {
            url += c;
        }
    }
    if (!anchor.empty()) url += "#" + anchor;
    return url;
}

std::string BrowserCommand(const std::string& browser, const std::string& page, const std::string& anchor) {
    const std::string address = FileUrl(page, anchor);
    std::size_t at = browser.find("%1");
    if (at == std::string::npos) at = browser.find("%L");
    if (at == std::string::npos) {
        const std::size_t switches = browser.find(" /");
        std::string command = browser.substr(0, switches);
        if (!command.empty()) command += ' ';
        return command + "\"" + address + "\"";
    }
    const bool quoted = at > 0 && browser[at - 1] == '"';
    return browser.substr(0, at) + (quoted ? address : "\"" + address + "\"") + browser.substr(at + 2);
}

}  // namespace corvex
