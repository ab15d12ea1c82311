#pragma once
// The locale's decimal separator for FormatBytes and FormatBits.

#include <string>

namespace corvex {

// The user's decimal separator (LOCALE_SDECIMAL); "." when it cannot be read.
std::string LocaleDecimalSeparator();

}  // namespace corvex
