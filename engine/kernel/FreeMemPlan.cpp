#include "FreeMemPlan.h"

namespace corvex {

namespace {

// size * k / steps rounded down, without the product overflowing: with
// size = q * steps + r it is q * k + r * k / steps, and r * k < steps * steps.
std::uint64_t Boundary(std::uint64_t size, unsigned k, unsigned steps) noexcept {
    const std::uint64_t q = size / steps, r = size % steps;
    return q * k + r * k / steps;
}

}  // namespace

_fillrange FreeMemStep(std::uint64_t size, unsigned step, unsigned steps) noexcept {
    if (steps == 0 || step >= steps) return _fillrange{};
    return _fillrange{Boundary(size, step, steps), Boundary(size, step + 1, steps)};
}

}  // namespace corvex
