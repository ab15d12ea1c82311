#pragma once
// The arithmetic of a volume slider: a line's two levels (0..65535)
// against one slider position (0..100). The louder channel follows the
// slider; the other keeps its share of it, the balance factor.
//
//   _audiobalance      each channel's share of the louder one
//   _audiolevels       the two levels of a line
//   RoundHalfEven      nearest integer, halves to the even neighbour
//   SliderFromLevels   mixer -> slider, updating the balance
//   LevelsFromSlider   slider -> mixer
//
// Portable: no Windows header.

#include <cstdint>

namespace corvex {

inline constexpr std::uint32_t AUDIO_LEVEL_MAX = 65535;
inline constexpr long AUDIO_SLIDER_MAX = 100;

struct _audiobalance {
    double left = 1.0;
    double right = 1.0;
};

struct _audiolevels {
    std::uint16_t left = 0;
    std::uint16_t right = 0;
};

inline bool operator==(const _audiolevels& a, const _audiolevels& b) noexcept {
    return a.left == b.left && a.right == b.right;
}
inline bool operator!=(const _audiolevels& a, const _audiolevels& b) noexcept { return !(a == b); }

double RoundHalfEven(double x) noexcept;

// The slider position for `levels`. The louder channel sets it; the
// factors become the channels' shares of it. Equal levels are balanced,
// except silence, which says nothing about the balance and keeps it, so
// that a line turned down to nothing comes back up as it was.
long SliderFromLevels(const _audiolevels& levels, _audiobalance& balance) noexcept;

// The levels for a slider `position` (held to 0..100) and `balance`
// (each factor held to 0..1).
_audiolevels LevelsFromSlider(long position, const _audiobalance& balance) noexcept;

}  // namespace corvex
