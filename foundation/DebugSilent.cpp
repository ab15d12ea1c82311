// The log entries for programs without the debug log: the portable tests
// and the fuzzers, which exercise code that writes log lines. No line is
// written anywhere; a failed check is still reported as failed.

#include "Debug_Zolt2.h"

namespace corvex {

_debug* Debugger() noexcept { return nullptr; }

_debugerror Log(int, const char*, ...) { return DEBUG_ERROR_NO_DEBUGGER; }

_debugerror LogKernel(const char*, ...) { return DEBUG_ERROR_NO_DEBUGGER; }

_debugerror Check(bool failed, const char*, ...) { return failed ? DEBUG_ASSERT : DEBUG_ERROR_NO_DEBUGGER; }

}  // namespace corvex
