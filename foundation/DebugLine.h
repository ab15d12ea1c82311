#pragma once
// The log's codes and the text of its lines, apart from any output.
//
//   _debugerror      result of the log's operations and its Error property
//   _debugkind       the four line kinds
//   DebugErrorText   the ErrorStr text of a code
//   DebugLine        one whole line: time, application, kind, level, message
//
// Portable: no Windows header.

#include <string>

namespace corvex {

enum _debugerror : unsigned char {
    DEBUG_ERROR_MUTEX_SPAWN = 0,
    DEBUG_ERROR_CONSOLE_START = 1,
    DEBUG_ERROR_NOT_ACTIVE = 2,
    DEBUG_ERROR_STDOUT = 3,
    DEBUG_ERROR_STDERR = 4,
    DEBUG_ERROR_DUMP = 5,
    DEBUG_ERROR_MUTEX_OPEN = 6,
    DEBUG_ERROR_MUTEX_TIMEOUT = 7,
    DEBUG_ERROR_NO_DEBUGGER = 8,
    DEBUG_ERROR_LOG_DUMP = 9,
    DEBUG_ASSERT = 10,
    DEBUG_OK = 11,
    DEBUG_ERROR = 12,
};

enum _debugkind : unsigned char {
    DEBUG_KIND_DEBUG = 0,
    DEBUG_KIND_KERNEL = 1,
    DEBUG_KIND_FATAL = 2,
    DEBUG_KIND_ASSERT = 3,
};

// Text of `error`; "unknown error" for any value outside the enumeration.
const char* DebugErrorText(int error) noexcept;

// True for the four kinds that have a line format.
constexpr bool ValidDebugKind(int kind) noexcept { return kind >= 0 && kind <= 3; }

// The line "<time>: <app>: <KIND>: <level>: <message>\r\n" of `kind`
// (which must be valid), from the kind's own format.
std::string DebugLine(int kind, const std::string& time, const std::string& app, int level,
                      const std::string& message);

}  // namespace corvex
