#include "KernelCounts.h"

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

}  // namespace corvex
