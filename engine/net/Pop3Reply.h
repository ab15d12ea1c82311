#pragma once
// Reading what a POP3 server says, and what the client may send.
//
//   ReplyWord           word n of a reply line (counted from 1)
//   ReplyPositive       the first word contains "+OK"
//   ReplyCode           the reply's leading decimal digits as a number
//   StatCount           the message count of a STAT reply
//   ParseDottedAddress  "a.b.c.d" as an IPv4 address
//   IsOneLine           a command line without line breaks
//   _linegather         one reply line, gathered from a stream chunk by chunk
//
// Portable: no Windows header.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvex {

// The longest line the client reads, line feed included: a longer one is a
// broken or hostile server, never a reply.
constexpr std::size_t POP3_LINE_MAX = 65536;

// Word n is the text between the (n-1)-th and the n-th single space: two
// spaces in a row make an empty word, and the last word keeps the line's
// CR LF. Words beyond the last are empty; word 0 is empty.
std::string_view ReplyWord(std::string_view reply, std::size_t n) noexcept;

// Whether the first word contains "+OK" ("+OK" alone, CR LF and all, is
// positive).
bool ReplyPositive(std::string_view reply) noexcept;

// The leading decimal digits (at most ten, up to the first other
// character). 0 when there are none or when they do not fit 16 bits.
std::uint16_t ReplyCode(std::string_view reply) noexcept;

// Word 2 of a STAT reply ("+OK 3 534"), without the line's CR LF, as a
// count of messages. 0 when it is missing or not a plain decimal number
// that fits a signed 32-bit integer (a sign, a fraction or trailing text
// are no count).
std::uint32_t StatCount(std::string_view reply) noexcept;

// Four decimal parts of 0 .. 255 joined by points, and nothing else. The
// address comes out in host order (127.0.0.1 is 0x7F000001).
bool ParseDottedAddress(std::string_view text, std::uint32_t& address) noexcept;

// A command must be one line: a CR, LF or NUL inside a user name or a
// password would let it carry commands of its own.
bool IsOneLine(std::string_view line) noexcept;

// One line read from a stream by peeking: the reader peeks at what is
// pending (at most Room() bytes), consumes Wanted() of it and appends what
// it consumed. The line is complete with its line feed, and it never grows
// beyond POP3_LINE_MAX.
class _linegather {
public:
    // How many more bytes the line may take.
    std::size_t Room() const noexcept { return POP3_LINE_MAX - line_.size(); }
    // Of the bytes peeked, those that belong to this line: through the
    // first line feed, else all of them (never more than Room()).
    std::size_t Wanted(std::string_view peeked) const noexcept;
    // Takes consumed bytes; false, and nothing taken, when they would
    // overrun the line.
    bool Append(std::string_view consumed);
    bool Complete() const noexcept { return !line_.empty() && line_.back() == '\n'; }
    // Full without its line feed: the line is too long to be a reply.
    bool Overflowed() const noexcept { return Room() == 0 && !Complete(); }
    const std::string& Line() const noexcept { return line_; }
    void Clear() noexcept { line_.clear(); }

private:
    std::string line_;
};

}  // namespace corvex
