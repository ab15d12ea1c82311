#include "StartupOptions.h"

#include <algorithm>

namespace corvex {

bool _startupoptions::Unplugged(int index) const noexcept {
    return index >= 0 && index < SENTINEL_BUILTIN_COUNT && unplugged_[index];
}

bool _startupoptions::Unplug(int index) noexcept {
    if (index < 0 || index >= SENTINEL_BUILTIN_COUNT) return false;
    unplugged_[index] = true;
    return true;
}

bool _startupoptions::IsUnlinked(const std::string& name) const noexcept {
    return std::find(unlinked_.begin(), unlinked_.end(), name) != unlinked_.end();
}

void _startupoptions::Reset() noexcept {
    docking_ = true;
    std::fill(std::begin(unplugged_), std::end(unplugged_), false);
    unlinked_.clear();
}

_startupoptions& StartupOptions() {
    static _startupoptions options;
    return options;
}

}  // namespace corvex
