#pragma once
// The process-wide debug log and the three entries every unit writes
// through: Log, LogKernel and Check.
//
//   _debugerror   result of the log's operations and its Error property
//   _debugkind    the four line kinds
//   _debug        the log component (one per process, see Debugger())
//   Log, LogKernel, Check
//
// A line above Level, or any line while the log is off, costs a comparison
// and no formatting.

#include <cstdarg>
#include <string>

#include "Component.h"

#if defined(__MINGW32__)
#define CORVEX_PRINTF(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define CORVEX_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#endif

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

class _debug;

// The process-wide log, or nullptr when there is none.
_debug* Debugger() noexcept;

// A debug line of `level`.
_debugerror Log(int level, const char* format, ...) CORVEX_PRINTF(2, 3);
// A kernel line of level 0.
_debugerror LogKernel(const char* format, ...) CORVEX_PRINTF(1, 2);
// When `failed`, an assert line of level 0. DEBUG_ASSERT when `failed`
// (whether or not the line could be written), DEBUG_OK otherwise.
_debugerror Check(bool failed, const char* format, ...) CORVEX_PRINTF(2, 3);

}  // namespace corvex
