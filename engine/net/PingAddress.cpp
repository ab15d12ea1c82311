#include "PingAddress.h"

namespace corvex {

bool ParseDottedAddress(const std::string& text, _ipv4& address) noexcept {
    _ipv4 parsed{};
    std::size_t at = 0;
    for (std::size_t part = 0; part < parsed.size(); ++part) {
        if (part > 0) {
            if (at >= text.size() || text[at] != '.') return false;
            ++at;
        }
        const std::size_t begin = at;
        unsigned value = 0;
        while (at < text.size() && at - begin < 3 && text[at] >= '0' && text[at] <= '9')
            value = value * 10 + static_cast<unsigned>(text[at++] - '0');
        const std::size_t digits = at - begin;
        if (digits == 0 || value > 255 || (digits > 1 && text[begin] == '0')) return false;
        parsed[part] = static_cast<std::uint8_t>(value);
    }
    if (at != text.size()) return false;
    address = parsed;
    return true;
}

std::string DottedAddress(const _ipv4& address) {
    std::string text;
    for (std::size_t i = 0; i < address.size(); ++i) {
        if (i > 0) text += '.';
        text += std::to_string(address[i]);
    }
    return text;
}

const char* LastHostAddress(const char* const* list, std::size_t limit) noexcept {
    const char* last = nullptr;
    for (std::size_t i = 0; list && i < limit && list[i]; ++i) last = list[i];
    return last;
}

std::string HostFromText(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return std::string();
    const std::string host = text.substr(begin, text.find_last_not_of(' ') - begin + 1);
    if (host.size() > MAX_HOST_LENGTH) return std::string();
    for (const char c : host)
        if (c <= ' ' || c > '~' || c == '\\') return std::string();
    return host;
}

}  // namespace corvex
