#include "Pop3Reply.h"

#include <limits>

namespace corvex {

namespace {

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

std::string_view WithoutLineEnd(std::string_view text) noexcept {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

}  // namespace

std::string_view ReplyWord(std::string_view reply, std::size_t n) noexcept {
    if (n == 0) return {};
    std::size_t begin = 0;
    for (std::size_t word = 1; word < n; ++word) {
        const std::size_t space = reply.find(' ', begin);
        if (space == std::string_view::npos) return {};
        begin = space + 1;
    }
    const std::size_t end = reply.find(' ', begin);
    return reply.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

bool ReplyPositive(std::string_view reply) noexcept {
    return ReplyWord(reply, 1).find("+OK") != std::string_view::npos;
}

std::uint16_t ReplyCode(std::string_view reply) noexcept {
    std::uint64_t value = 0;
    std::size_t digits = 0;
    while (digits < reply.size() && digits < 10 && IsDigit(reply[digits])) {
        value = value * 10 + static_cast<std::uint64_t>(reply[digits] - '0');
        ++digits;
    }
    if (value > std::numeric_limits<std::uint16_t>::max()) return 0;
    return static_cast<std::uint16_t>(value);
}

std::uint32_t StatCount(std::string_view reply) noexcept {
    const std::string_view word = WithoutLineEnd(ReplyWord(reply, 2));
    if (word.empty() || word.size() > 10) return 0;
    std::uint64_t value = 0;
    for (char c : word) {
        if (!IsDigit(c)) return 0;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) return 0;
    return static_cast<std::uint32_t>(value);
}

bool ParseDottedAddress(std::string_view text, std::uint32_t& address) noexcept {
    std::uint32_t result = 0;
    std::size_t at = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (at >= text.size() || text[at] != '.') return false;
            ++at;
        }
        unsigned value = 0;
        std::size_t digits = 0;
        while (at < text.size() && IsDigit(text[at]) && digits < 3) {
            value = value * 10 + static_cast<unsigned>(text[at] - '0');
            ++at;
            ++digits;
        }
        if (digits == 0 || value > 255) return false;
        result = (result << 8) | value;
    }
    if (at != text.size()) return false;
    address = result;
    return true;
}

bool IsOneLine(std::string_view line) noexcept {
    return line.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::size_t _linegather::Wanted(std::string_view peeked) const noexcept {
    const std::size_t feed = peeked.find('\n');
    const std::size_t wanted = feed == std::string_view::npos ? peeked.size() : feed + 1;
    return wanted < Room() ? wanted : Room();
}

bool _linegather::Append(std::string_view consumed) {
    if (consumed.size() > Room()) return false;
    line_.append(consumed);
    return true;
}

}  // namespace corvex
