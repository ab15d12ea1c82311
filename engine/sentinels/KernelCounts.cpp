#include "KernelCounts.h"

#include <cstring>

namespace corvex {

void FormatCount(const std::string& format, std::int64_t value, std::string& text) {
    text.clear();
    bool placed = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size()) {
            const char next = format[i + 1];
            if (next == '%') {
                text += '%';
                ++i;
                continue;
            }
            if (next == 'd' && !placed) {
                // Digits from the right; the magnitude in unsigned, so the
                // most negative value has one too.
                char digits[24];
                std::size_t n = 0;
                std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                                    : static_cast<std::uint64_t>(value);
                do {
                    digits[n++] = static_cast<char>('0' + magnitude % 10);
                    magnitude /= 10;
                } while (magnitude != 0);
                if (value < 0) text += '-';
                while (n > 0) text += digits[--n];
                placed = true;
                ++i;
                continue;
            }
        }
        text += c;
    }
}

bool CountProcessList(const void* data, std::size_t size, std::uint64_t& processes, std::uint64_t& threads) {
    processes = 0;
    threads = 0;
    const auto* bytes = static_cast<const unsigned char*>(data);
    constexpr std::size_t kHead = 8;  // the offset to the next record and the thread count
    std::uint64_t records = 0, held = 0;
    for (std::size_t at = 0;;) {
        if (!bytes || size < kHead || at > size - kHead) return false;
        std::uint32_t next = 0, count = 0;
        std::memcpy(&next, bytes + at, 4);
        std::memcpy(&count, bytes + at + 4, 4);
        ++records;
        held += count;
        if (next == 0) break;
        // A record holds at least its head; a shorter step would loop or overlap.
        if (next < kHead || next > size - at) return false;
        at += next;
    }
    processes = records;
    threads = held;
    return true;
}

}  // namespace corvex
