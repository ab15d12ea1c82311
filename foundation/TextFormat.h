#pragma once
// printf-style formatting into a std::string of whatever length the result
// needs. Same conversions on every tree: on MinGW the C99/GNU printf of the
// MinGW runtime is used, not the system one, so %lld, %zu and %.0f behave
// as they do natively.
//
// Portable: no Windows header.

#include <cstdarg>
#include <string>

#if defined(__MINGW32__)
#define CORVEX_PRINTF(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define CORVEX_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#endif

namespace corvex {

// The whole formatted text; empty when the format cannot be applied
// (an encoding error).
std::string FormatText(const char* format, ...) CORVEX_PRINTF(1, 2);
std::string FormatTextV(const char* format, va_list args) CORVEX_PRINTF(1, 0);

}  // namespace corvex
