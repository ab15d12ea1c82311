#include "AudioBalance.h"

#include <cmath>

namespace corvex {

namespace {

double Clamp(double x, double low, double high) noexcept { return x < low ? low : x > high ? high : x; }

long SliderOf(std::uint16_t louder) noexcept {
    return static_cast<long>(RoundHalfEven(louder / static_cast<double>(AUDIO_LEVEL_MAX) * AUDIO_SLIDER_MAX));
}

std::uint16_t LevelOf(double x) noexcept {
    return static_cast<std::uint16_t>(Clamp(RoundHalfEven(x), 0, AUDIO_LEVEL_MAX));
}

}  // namespace

double RoundHalfEven(double x) noexcept {
    // Reckoned here rather than with nearbyint, which follows the
    // floating-point rounding mode: a driver loaded into the process may
    // have changed it.
    const double down = std::floor(x);
    const double rest = x - down;
    if (rest > 0.5) return down + 1;
    if (rest < 0.5) return down;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

long SliderFromLevels(const _audiolevels& levels, _audiobalance& balance) noexcept {
    const std::uint16_t l = levels.left;
    const std::uint16_t r = levels.right;
    if (r < l) {
        balance.right = static_cast<double>(r) / l;
        balance.left = 1.0;
        return SliderOf(l);
    }
    if (l < r) {
        balance.left = static_cast<double>(l) / r;
        balance.right = 1.0;
        return SliderOf(r);
    }
    if (l != 0) balance = _audiobalance{};
    return SliderOf(r);
}

_audiolevels LevelsFromSlider(long position, const _audiobalance& balance) noexcept {
    const double p = static_cast<double>(position < 0 ? 0 : position > AUDIO_SLIDER_MAX ? AUDIO_SLIDER_MAX : position);
    const double x = p / AUDIO_SLIDER_MAX * AUDIO_LEVEL_MAX;
    _audiolevels levels;
    levels.left = LevelOf(x * Clamp(balance.left, 0, 1));
    levels.right = LevelOf(x * Clamp(balance.right, 0, 1));
    return levels;
}

}  // namespace corvex
