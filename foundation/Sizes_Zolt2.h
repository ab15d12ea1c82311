#pragma once
// Amounts as the readouts show them: bytes on a binary ladder (K, M, G, T,
// P; 1536 is "1.50 K"), bit rates on a decimal one (1500 is "1.50 Kbps").
// Below the first step the whole number is shown with its digits grouped
// by three with "." ("1.000 bytes", "999 bps").
//
// Portable: no Windows header. The caller passes the locale's decimal
// separator (LocaleDecimalSeparator() in Sizes_Win32.h on Windows).

#include <string>

namespace corvex {

std::string FormatBytes(double bytes, const std::string& decimalSeparator = ".");
std::string FormatBits(double bitsPerSecond, const std::string& decimalSeparator = ".");

// "%.0f" of `value` with a "." between each group of three digits counted
// from the right; a sign stays in front of the digits.
std::string GroupedWhole(double value);

}  // namespace corvex
