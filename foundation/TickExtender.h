#pragma once
// A 64-bit millisecond count made of the 32-bit one, for systems without
// GetTickCount64: every wrap of the 32-bit counter (each 49.7 days) carries
// into the high half, provided the count is read at least once per wrap.

#include <cstdint>

namespace corvex {

class _tickextender {
public:
    std::uint64_t Extend(std::uint32_t now) noexcept {
        if (now < last_) ++wraps_;
        last_ = now;
        return static_cast<std::uint64_t>(wraps_) << 32 | now;
    }

private:
    std::uint32_t last_ = 0;
    std::uint32_t wraps_ = 0;
};

}  // namespace corvex
