#include "KeyLang.h"

#include <cctype>

namespace corvex {

namespace {

bool Blank(char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) noexcept {
    while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameNoCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// A section header "[name]", giving its name.
bool Header(std::string_view line, std::string_view& name) noexcept {
    if (line.size() < 2 || line.front() != '[') return false;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

bool Identifier(std::string_view text, std::uint16_t& out) noexcept {
    if (text.empty() || text.size() > 5) return false;
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > 0xFFFF) return false;
    out = static_cast<std::uint16_t>(value);
    return true;
}

}  // namespace

bool IniSectionLines(std::string_view text, std::string_view section, std::vector<std::string_view>& lines) {
    lines.clear();
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    bool found = false;
    bool inside = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const std::string_view line = Trim(raw);
        std::string_view name;
        if (Header(line, name)) {
            if (inside) break;  // only the first section of that name counts
            inside = SameNoCase(name, section);
            found = found || inside;
            continue;
        }
        if (inside && !line.empty() && line.front() != ';') lines.push_back(line);
    }
    return found;
}

bool ParseLanguageLine(std::string_view line, _keylangline& out) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view name = Trim(line.substr(0, equals));
    const std::string_view value = line.substr(equals + 1);
    const std::size_t comma = value.find(',');
    if (name.empty() || comma == std::string_view::npos) return false;
    std::uint16_t identifier = 0;
    if (!Identifier(Trim(value.substr(0, comma)), identifier)) return false;
    const std::string_view icon = Trim(value.substr(comma + 1));
    if (icon.empty() || !DataRelativePath(icon)) return false;
    out.name.assign(name);
    out.identifier = identifier;
    out.icon.assign(icon);
    return true;
}

bool DataRelativePath(std::string_view path) noexcept {
    if (path.empty() || path.front() == '\\' || path.front() == '/') return false;
    if (path.find(':') != std::string_view::npos) return false;  // a drive, or a stream of a file
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = path.size();
        if (Trim(path.substr(start, end - start)) == "..") return false;
        start = end + 1;
    }
    return true;
}

}  // namespace corvex
