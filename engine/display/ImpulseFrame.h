#pragma once
// The arithmetic of one graph frame: where samples land, how long the
// progress bar is, the percentage shown, where the progressor's text goes,
// and the shading colours of the bar.
//
// Portable: no Windows header.

#include <cstdint>

#include "Color.h"

namespace corvex {

// Row of the oscilloscope point of `value` in a frame `height` high: a full
// scale value lands at 2, zero at height + 2 (below the frame).
int OscilloY(std::uint32_t value, std::uint32_t max, int height);

// Top row of the spectrum bar of `value` (one row above OscilloY).
int SpectrumTop(std::uint32_t value, std::uint32_t max, int height);

// Length of the progress bar for `value` in a frame `width` wide: the
// value's share of the width rounded half to even, less one, never below 0.
int ProgressLength(std::uint32_t value, std::uint32_t max, int width);

// The newest value as a whole percentage of `max`, within 0..100 (0 when
// there is no scale).
int ImpulsePercent(std::uint32_t value, std::uint32_t max);

// Top-left of the progressor's text: right-aligned 4 pixels from the right
// edge, vertically centred.
struct _textorigin {
    int x;
    int y;
};
_textorigin ProgressTextOrigin(int width, int height, int textWidth, int textHeight);

// a * b / c rounded to the nearest whole number, halves away from zero, as
// the system's multiply-divide does; -1 when c is 0.
int MulDivRound(int a, int b, int c);

// Per channel of an RGB colour: c - c*n/100, and c + (255-c)*n/100.
_color Darken(_color rgb, int percent);
_color Lighten(_color rgb, int percent);

}  // namespace corvex
