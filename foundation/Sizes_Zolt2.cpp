#include "Sizes_Zolt2.h"

#include <cmath>

#include "TextFormat.h"

namespace corvex {

namespace {

struct Step {
    double divisor;
    const char* unit;
};

// "%.2f %s" of the first step `amount` reaches, largest first; the whole
// number with `below` appended when it reaches none.
template <std::size_t N>
std::string Ladder(double amount, const Step (&steps)[N], const char* below,
                   const std::string& decimalSeparator) {
    for (const Step& step : steps) {
        const double scaled = amount / step.divisor;
        if (scaled >= 1) {
            std::string text = FormatText("%.2f %s", scaled, step.unit);
            const std::size_t point = text.find('.');
            if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
            return text;
        }
    }
    return GroupedWhole(amount) + below;
}

}  // namespace

std::string GroupedWhole(double value) {
    const std::string plain = FormatText("%.0f", value);
    // Only a run of digits is grouped: "-1234" gives "-1.234", never "-.1234"
    // style splits of the sign, and "inf" or "nan" stay as they are.
    const std::size_t first = plain.find_first_of("0123456789");
    if (first == std::string::npos) return plain;
    std::size_t last = plain.find_first_not_of("0123456789", first);
    if (last == std::string::npos) last = plain.size();
    std::string grouped = plain.substr(0, first);
    const std::size_t digits = last - first;
    for (std::size_t i = 0; i < digits; ++i) {
        if (i > 0 && (digits - i) % 3 == 0) grouped += '.';
        grouped += plain[first + i];
    }
    grouped += plain.substr(last);
    return grouped;
}

std::string FormatBytes(double bytes, const std::string& decimalSeparator) {
    static const Step steps[] = {
        {std::ldexp(1.0, 50), "P"}, {std::ldexp(1.0, 40), "T"}, {std::ldexp(1.0, 30), "G"},
        {std::ldexp(1.0, 20), "M"}, {std::ldexp(1.0, 10), "K"},
    };
    return Ladder(bytes, steps, " bytes", decimalSeparator);
}

std::string FormatBits(double bitsPerSecond, const std::string& decimalSeparator) {
    static const Step steps[] = {
        {1e15, "Pbps"}, {1e12, "Tbps"}, {1e9, "Gbps"}, {1e6, "Mbps"}, {1e3, "Kbps"},
    };
    return Ladder(bitsPerSecond, steps, " bps", decimalSeparator);
}

}  // namespace corvex
