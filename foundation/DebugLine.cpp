#include "DebugLine.h"

#include "TextFormat.h"

namespace corvex {

namespace {

const char* const kErrorTexts[] = {
    "failed to spawn mutex",        // DEBUG_ERROR_MUTEX_SPAWN
    "could not spawn console",      // DEBUG_ERROR_CONSOLE_START
    "debugging is off",             // DEBUG_ERROR_NOT_ACTIVE
    "failed to mount to stdout",    // DEBUG_ERROR_STDOUT
    "failed to mount to stderr",    // DEBUG_ERROR_STDERR
    "failed to dump to the console",// DEBUG_ERROR_DUMP
    "failed to open mutex",         // DEBUG_ERROR_MUTEX_OPEN
    "mutex timed out",              // DEBUG_ERROR_MUTEX_TIMEOUT
    "no debugger component",        // DEBUG_ERROR_NO_DEBUGGER
    "failed to dump to log file",   // DEBUG_ERROR_LOG_DUMP
    "unknown error",                // DEBUG_ASSERT
    "",                             // DEBUG_OK
    "general error",                // DEBUG_ERROR
};

}  // namespace

const char* DebugErrorText(int error) noexcept {
    constexpr int count = sizeof kErrorTexts / sizeof kErrorTexts[0];
    return error >= 0 && error < count ? kErrorTexts[error] : "unknown error";
}

std::string DebugLine(int kind, const std::string& time, const std::string& app, int level,
                      const std::string& message) {
    // The message goes in through %s, so a '%' in it is printed as is.
    const char* const t = time.c_str();
    const char* const a = app.c_str();
    const char* const m = message.c_str();
    switch (kind) {
    case DEBUG_KIND_DEBUG: return FormatText("%s: %s: DEBUG: %d: %s\r\n", t, a, level, m);
    case DEBUG_KIND_KERNEL: return FormatText("%s: %s: KERNEL: %d: %s\r\n", t, a, level, m);
    case DEBUG_KIND_FATAL: return FormatText("%s: %s: FATAL: %d: %s\r\n", t, a, level, m);
    case DEBUG_KIND_ASSERT: return FormatText("%s: %s: ASSERT: %d: %s\r\n", t, a, level, m);
    default: return std::string();
    }
}

}  // namespace corvex
