#include "Sizes_Win32.h"

#include <windows.h>

namespace corvex {

std::string LocaleDecimalSeparator() {
    char text[8] = {};  // the locale allows at most three characters
    if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) || !text[0])
        return ".";
    return text;
}

}  // namespace corvex
