#pragma once
// The text of the graph control with its percentage filled in.
//
// Portable: no Windows header.

#include <string>

namespace corvex {

// `format` with `value` put in its first integer conversion (%d, %i, %u,
// %x, %X, %o with flags, width and precision) and "%%" as a percent sign.
// The format comes from the user's settings, so it is never handed to
// printf as it stands: a second conversion, or any conversion that is not
// an integer one (%s, %n, %f...), is copied as plain text instead of
// reading arguments that do not exist. Widths and precisions are capped.
std::string FormatImpulseText(const std::string& format, int value);

}  // namespace corvex
