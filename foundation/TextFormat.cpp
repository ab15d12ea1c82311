#include "TextFormat.h"

#include <cstdio>

namespace corvex {

namespace {

CORVEX_PRINTF(3, 0)
int FormatInto(char* buffer, std::size_t size, const char* format, va_list args) {
#if defined(__MINGW32__)
    return __mingw_vsnprintf(buffer, size, format, args);
#else
    return std::vsnprintf(buffer, size, format, args);
#endif
}

}  // namespace

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return text;
}

std::string FormatTextV(const char* format, va_list args) {
    // Most lines are short: try a stack buffer first, size exactly otherwise.
    char small[256];
    va_list again;
    va_copy(again, args);
    const int needed = FormatInto(small, sizeof small, format, args);
    std::string text;
    if (needed < 0) {
        text.clear();
    } else if (static_cast<std::size_t>(needed) < sizeof small) {
        text.assign(small, static_cast<std::size_t>(needed));
    } else {
        text.resize(static_cast<std::size_t>(needed));
        // The string's own terminator slot takes the final NUL.
        FormatInto(&text[0], text.size() + 1, format, again);
    }
    va_end(again);
    return text;
}

}  // namespace corvex
