#pragma once
// The process-wide debug log and the three entries every unit writes
// through: Log, LogKernel and Check.
//
//   _debugerror, _debugkind   codes and line kinds (DebugLine.h)
//   _debug        the log component (one per process, see Debugger())
//   Debugger()    the process-wide log
//   Log, LogKernel, Check
//
// A line above Level, or any line while the log is off, costs a comparison
// and no formatting: the entries test before they touch their arguments.

#include <atomic>
#include <cstdarg>
#include <memory>
#include <string>

#include "Component.h"
#include "DebugLine.h"
#include "TextFormat.h"

namespace corvex {

class _debug : public _component {
public:
    // Opens the named mutex every log of every process shares; without it
    // the log is Dead for good.
    explicit _debug(_component* owner = nullptr);
    ~_debug() override;

    // ---- properties
    bool Dead() const noexcept { return dead_; }
    bool Debugging() const noexcept { return debugging_; }
    // true starts the log (Start), false stops it (Stop); nothing when equal.
    _debugerror SetDebugging(bool on);
    const std::string& App() const noexcept { return app_; }
    void SetApp(const std::string& app);
    // Read when the log starts; changing it later does not move the output.
    const std::string& LogFileName() const noexcept { return logFileName_; }
    void SetLogFileName(const std::string& name);
    bool Logging() const noexcept { return logging_; }
    void SetLogging(bool logging);
    // A console already exists: starting does not allocate one (and
    // stopping does not free it).
    bool Console() const noexcept { return console_; }
    void SetConsole(bool console);
    int Level() const noexcept { return level_; }
    void SetLevel(int level);
    _debugerror Error() const noexcept { return error_.load(std::memory_order_relaxed); }
    const std::string& ErrorStr();

    // ---- operations
    _debugerror Start();
    _debugerror Stop();

    // Writes one line of `kind` when `level` is at most Level. Returns
    // DEBUG_OK for a written or filtered line, the failure otherwise.
    _debugerror Print(int level, _debugkind kind, const char* format, ...) CORVEX_PRINTF(4, 5);
    _debugerror PrintV(int level, _debugkind kind, const char* format, va_list args)
        CORVEX_PRINTF(4, 0);

    // The tests Print makes before any work: true when a line of `level`
    // and `kind` goes on to be formatted; otherwise `result` says why not.
    bool Admits(int level, int kind, _debugerror& result) noexcept {
        if (level_ < level) { result = DEBUG_OK; return false; }
        if (dead_) { result = Error(); return false; }
        if (!debugging_) { result = Fail(DEBUG_ERROR_NOT_ACTIVE); return false; }
        if (!ValidDebugKind(kind)) { result = Fail(DEBUG_ERROR); return false; }
        return true;
    }

protected:
    // Tests use another name to make the mutex fail; the log of the
    // program always uses the shared one.
    _debug(_component* owner, const char* mutexName);

private:
    struct Handles;  // the Windows side: mutex, console and file handles

    _debugerror Fail(_debugerror error) noexcept {
        error_.store(error, std::memory_order_relaxed);
        return error;
    }
    _debugerror Emit(int level, _debugkind kind, const std::string& message);
    void WriteHeader();

    std::unique_ptr<Handles> handles_;
    bool dead_ = false;
    bool debugging_ = false;
    bool allocatedConsole_ = false;
    std::string app_ = "unknown";
    std::string logFileName_ = "DEBUG.log";
    bool logging_ = false;
    bool console_ = false;
    int level_ = 100;
    // Written by failing lines of any thread.
    std::atomic<_debugerror> error_{DEBUG_OK};
    std::string errorStr_;
};

// The process-wide log, or nullptr when there is none (before program
// initialisation made it, or after it was destroyed).
_debug* Debugger() noexcept;

// A debug line of `level`.
_debugerror Log(int level, const char* format, ...) CORVEX_PRINTF(2, 3);
// A kernel line of level 0.
_debugerror LogKernel(const char* format, ...) CORVEX_PRINTF(1, 2);
// When `failed`, an assert line of level 0. DEBUG_ASSERT whenever `failed`
// (whether or not the line could be written, and even without a log),
// DEBUG_OK otherwise (DEBUG_ERROR_NO_DEBUGGER when there is no log).
_debugerror Check(bool failed, const char* format, ...) CORVEX_PRINTF(2, 3);

}  // namespace corvex
