#include "ImpulseFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace corvex {

namespace {

double Share(std::uint32_t value, std::uint32_t max, int extent) {
    if (max == 0) return 0;  // no scale: callers plot nothing then
    return static_cast<double>(std::min(value, max)) / max * extent;
}

}  // namespace

int OscilloY(std::uint32_t value, std::uint32_t max, int height) {
    return height - static_cast<int>(std::trunc(Share(value, max, height) - 2));
}

int SpectrumTop(std::uint32_t value, std::uint32_t max, int height) {
    return height - static_cast<int>(std::trunc(Share(value, max, height) - 2 + 1));
}

int ProgressLength(std::uint32_t value, std::uint32_t max, int width) {
    if (max == 0) return 0;
    // nearbyint rounds half to even in the default rounding mode.
    const double length =
        std::nearbyint(static_cast<double>(width) / max * std::min(value, max)) - 1;
    return length < 0 ? 0 : static_cast<int>(length);
}

int ImpulsePercent(std::uint32_t value, std::uint32_t max) {
    if (max == 0) return 0;
    // value * 100 / max: the written order (value / max * 100) rounds the
    // quotient first, and an exact 42 % could truncate to 41.
    const double p = std::trunc(static_cast<double>(value) * 100 / max);
    return p < 0 || p > 100 ? 100 : static_cast<int>(p);
}

_textorigin ProgressTextOrigin(int width, int height, int textWidth, int textHeight) {
    return {width - textWidth - 4, (height - textHeight) / 2};
}

int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

_color Darken(_color rgb, int percent) {
    const auto dark = [percent](unsigned c) {
        return static_cast<unsigned>(static_cast<int>(c) - MulDivRound(static_cast<int>(c), percent, 100));
    };
    return MakeColor(dark(RedOf(rgb)), dark(GreenOf(rgb)), dark(BlueOf(rgb)));
}

_color Lighten(_color rgb, int percent) {
    const auto light = [percent](unsigned c) {
        return static_cast<unsigned>(static_cast<int>(c) +
                                     MulDivRound(255 - static_cast<int>(c), percent, 100));
    };
    return MakeColor(light(RedOf(rgb)), light(GreenOf(rgb)), light(BlueOf(rgb)));
}

}  // namespace corvex
