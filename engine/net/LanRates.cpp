#include "LanRates.h"

#include <utility>

namespace corvex {

double LanRate(std::uint64_t current, std::uint64_t previous, unsigned elapsedMs) noexcept {
    // Counters are raw unsigned values; one that went back reads negative.
    const std::int64_t delta = static_cast<std::int64_t>(current - previous);
    if (delta <= 0) return 0;
    if (elapsedMs < lan::RATE_TICK_MS) return static_cast<double>(delta);
    return static_cast<double>(delta) * 1000.0 / elapsedMs;
}

double BandwidthTotal(std::uint64_t measuredBits, std::int64_t userBits) noexcept {
    if (userBits > 0) return static_cast<double>(userBits / 8);
    return static_cast<double>(measuredBits / 8);
}

bool IsWanInterface(const std::string& name) {
    static const std::string wan = "WAN [PPP_SLIP] Interface";
    return name.compare(0, wan.size(), wan) == 0;
}

void PerfInstanceName(const char* text, std::size_t length, std::string& name) {
    name.clear();
    for (std::size_t i = 0; i < length && text[i] != '\0'; ++i) {
        char c = text[i];
        switch (c) {
            case '(': c = '['; break;
            case ')': c = ']'; break;
            case '/':
            case '\\':
            case '#': c = '_'; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) c = '_';
                break;
        }
        name += c;
    }
}

void WalkLanRows(const std::vector<_lanrow>& rows, std::int32_t counterFilter, _lanvisitor& visitor) {
    std::int32_t position = 0;
    for (const _lanrow& row : rows) {
        visitor.Instance(position++, row.name);
        const std::pair<std::uint32_t, std::uint64_t> counters[] = {
            {lan::COUNTER_BANDWIDTH, row.bandwidth},
            {lan::COUNTER_BYTES_RECEIVED, row.received},
            {lan::COUNTER_BYTES_SENT, row.sent},
        };
        for (const auto& [title, value] : counters) {
            if (counterFilter != -1 && static_cast<std::uint32_t>(counterFilter) != title) continue;
            if (visitor.Counter(title, value) == lan::STOP) break;
        }
    }
}

}  // namespace corvex
