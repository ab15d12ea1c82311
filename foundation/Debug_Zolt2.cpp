#include "Debug_Zolt2.h"

#include <windows.h>

#include "CPU_Win32.h"
#include "Handle.h"
#include "Sizes_Win32.h"
#include "Sizes_Zolt2.h"
#include "System_Zolt2.h"

namespace corvex {

namespace {

constexpr char kMutexName[] = "_debug mutex";
constexpr DWORD kMutexWaitMs = 100;
constexpr DWORD kLogFileAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

_debug* g_debugger = nullptr;

// Holds the named mutex for one line; releases it however the line ends.
class MutexLock {
public:
    explicit MutexLock(HANDLE mutex) noexcept : mutex_(mutex) {}
    ~MutexLock() {
        if (owned_) ReleaseMutex(mutex_);
    }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

    // WAIT_ABANDONED: a process died while writing; the mutex is ours now
    // and its line was cut short, which is no reason to lose this one.
    DWORD Wait(DWORD milliseconds) noexcept {
        const DWORD result = WaitForSingleObject(mutex_, milliseconds);
        owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        return result;
    }

private:
    HANDLE mutex_;
    bool owned_ = false;
};

std::string TimeNow() {
    char text[128] = {};
    // Flags 0: the locale's long time format.
    if (!GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text))
        return std::string();
    return text;
}

std::string DateNow() {
    char text[128] = {};
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text,
                        sizeof text))
        return std::string();
    return text;
}

// The program's title: its file name without folder and extension.
std::string ApplicationTitle() {
    std::string title = ProgramPath();
    const std::size_t slash = title.find_last_of("\\/");
    if (slash != std::string::npos) title.erase(0, slash + 1);
    const std::size_t dot = title.find_last_of('.');
    if (dot != std::string::npos) title.erase(dot);
    return title;
}

bool IsValid(HANDLE handle) noexcept { return handle && handle != INVALID_HANDLE_VALUE; }

// WriteFile may take part of a buffer (a pipe, a full disk): write it all.
bool WriteAll(HANDLE handle, const std::string& bytes) noexcept {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const DWORD chunk = left > 0x10000000u ? 0x10000000u : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(handle, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        left -= written;
    }
    return true;
}

// The process-wide log lives from program initialisation to its end.
struct ProcessLog {
    ProcessLog() { g_debugger = new _debug(nullptr); }
    ~ProcessLog() { delete g_debugger; }  // clears g_debugger itself
    ProcessLog(const ProcessLog&) = delete;
    ProcessLog& operator=(const ProcessLog&) = delete;
};
const ProcessLog g_processLog;

}  // namespace

struct _debug::Handles {
    KernelHandle mutex;
    HANDLE output = nullptr;         // console output: the standard error handle
    HANDLE standardOutput = nullptr; // borrowed, never closed
    HANDLE standardError = nullptr;  // borrowed, never closed
    FileHandle file;
};

_debug::_debug(_component* owner) : _debug(owner, kMutexName) {}

_debug::_debug(_component* owner, const char* mutexName)
    : _component(owner), handles_(std::make_unique<Handles>()) {
    handles_->mutex.reset(CreateMutexA(nullptr, FALSE, mutexName));
    if (!handles_->mutex) {
        dead_ = true;
        Fail(DEBUG_ERROR_MUTEX_SPAWN);
        ErrorStr();
    }
}

_debug::~_debug() {
    Stop();
    handles_->mutex.reset();
    if (g_debugger == this) g_debugger = nullptr;
}

_debugerror _debug::SetDebugging(bool on) {
    if (on == debugging_) return DEBUG_OK;
    return on ? Start() : Stop();
}

void _debug::SetApp(const std::string& app) {
    if (app == app_) return;
    app_ = app;
}

void _debug::SetLogFileName(const std::string& name) {
    if (name == logFileName_) return;
    logFileName_ = name;
}

void _debug::SetLogging(bool logging) {
    if (logging == logging_) return;
    logging_ = logging;
}

void _debug::SetConsole(bool console) {
    if (console == console_) return;
    console_ = console;
}

void _debug::SetLevel(int level) {
    if (level == level_) return;
    level_ = level;
}

const std::string& _debug::ErrorStr() {
    errorStr_ = DebugErrorText(Error());
    return errorStr_;
}

_debugerror _debug::Start() {
    if (dead_) return Error();
    if (debugging_) return DEBUG_OK;
    if (!console_) {
        if (!AllocConsole()) return Fail(DEBUG_ERROR_CONSOLE_START);
        allocatedConsole_ = true;
    }
    // A process without a handle gets null rather than INVALID_HANDLE_VALUE.
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    _debugerror failed = DEBUG_OK;
    if (!IsValid(out)) failed = DEBUG_ERROR_STDOUT;
    else if (!IsValid(err)) failed = DEBUG_ERROR_STDERR;
    if (failed != DEBUG_OK) {
        if (allocatedConsole_) FreeConsole();
        allocatedConsole_ = false;
        return Fail(failed);
    }
    handles_->standardOutput = out;
    handles_->standardError = err;
    SetConsoleTitleA(("_debug: " + ApplicationTitle()).c_str());

    handles_->output = err;
    handles_->file.reset();
    debugging_ = true;

    if (logging_) {
        handles_->file.reset(CreateFileA(logFileName_.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                         nullptr, CREATE_ALWAYS,
                                         kLogFileAttributes, nullptr));
        if (!handles_->file) {
            Print(1, DEBUG_KIND_DEBUG, "_debug: ERROR: cannot create log file");
        } else if (GetLastError() == ERROR_ALREADY_EXISTS) {
            // Replacing a file should give it the new attributes; not every
            // system does, so set them again.
            SetFileAttributesA(logFileName_.c_str(), kLogFileAttributes);
        }
    }
    WriteHeader();
    return DEBUG_OK;
}

void _debug::WriteHeader() {
    Print(1, DEBUG_KIND_DEBUG, "_debug: started at %s %s", TimeNow().c_str(), DateNow().c_str());
    if (handles_->file)
        Print(1, DEBUG_KIND_DEBUG, "_debug: log file: \"%s\"", logFileName_.c_str());
    Print(1, DEBUG_KIND_DEBUG, "_debug: os: %s ", SystemDescription().c_str());
    {
        const _cpu cpu(nullptr);
        Print(1, DEBUG_KIND_DEBUG, "_debug: cpu (total=%d): %s ", ProcessorCount(),
              cpu.FullName().c_str());
    }
    double available = 0, total = 0;
    MemoryStatus(available, total);
    const std::string decimal = LocaleDecimalSeparator();
    Print(1, DEBUG_KIND_DEBUG, "_debug: ram: %s (%.0f)/%s (%.0f)",
          FormatBytes(available, decimal).c_str(), available,
          FormatBytes(total, decimal).c_str(), total);
}

_debugerror _debug::Stop() {
    if (!dead_ && debugging_) {
        Print(1, DEBUG_KIND_DEBUG, "_debug: stopped at %s %s", TimeNow().c_str(),
              DateNow().c_str());
        // Only a console this log made is given back: a console the program
        // already had stays with it.
        if (allocatedConsole_) FreeConsole();
    }
    allocatedConsole_ = false;
    handles_->file.reset();
    handles_->output = nullptr;
    handles_->standardOutput = nullptr;
    handles_->standardError = nullptr;
    debugging_ = false;
    return DEBUG_OK;
}

_debugerror _debug::Print(int level, _debugkind kind, const char* format, ...) {
    _debugerror result;
    if (!Admits(level, kind, result)) return result;
    va_list args;
    va_start(args, format);
    result = Emit(level, kind, FormatTextV(format, args));
    va_end(args);
    return result;
}

_debugerror _debug::PrintV(int level, _debugkind kind, const char* format, va_list args) {
    _debugerror result;
    if (!Admits(level, kind, result)) return result;
    return Emit(level, kind, FormatTextV(format, args));
}

_debugerror _debug::Emit(int level, _debugkind kind, const std::string& message) {
    MutexLock lock(handles_->mutex.get());
    const DWORD waited = lock.Wait(kMutexWaitMs);
    if (waited == WAIT_TIMEOUT) return Fail(DEBUG_ERROR_MUTEX_TIMEOUT);
    if (waited == WAIT_FAILED) return Fail(DEBUG_ERROR_MUTEX_OPEN);

    const std::string line = DebugLine(kind, TimeNow(), app_, level, message);
    _debugerror result = DEBUG_OK;
    if (!WriteAll(handles_->output, line)) result = Fail(DEBUG_ERROR_DUMP);
    if (logging_ && handles_->file && !WriteAll(handles_->file.get(), line))
        result = Fail(DEBUG_ERROR_LOG_DUMP);
    return result;
}

_debug* Debugger() noexcept { return g_debugger; }

_debugerror Log(int level, const char* format, ...) {
    _debug* const log = g_debugger;
    if (!log) return DEBUG_ERROR_NO_DEBUGGER;
    _debugerror result;
    if (!log->Admits(level, DEBUG_KIND_DEBUG, result)) return result;
    va_list args;
    va_start(args, format);
    result = log->PrintV(level, DEBUG_KIND_DEBUG, format, args);
    va_end(args);
    return result;
}

_debugerror LogKernel(const char* format, ...) {
    _debug* const log = g_debugger;
    if (!log) return DEBUG_ERROR_NO_DEBUGGER;
    _debugerror result;
    if (!log->Admits(0, DEBUG_KIND_KERNEL, result)) return result;
    va_list args;
    va_start(args, format);
    result = log->PrintV(0, DEBUG_KIND_KERNEL, format, args);
    va_end(args);
    return result;
}

_debugerror Check(bool failed, const char* format, ...) {
    // A failed check is reported as such even when no line can be written:
    // the caller's behaviour never depends on the log.
    if (failed) {
        _debug* const log = g_debugger;
        _debugerror ignored;
        if (log && log->Admits(0, DEBUG_KIND_ASSERT, ignored)) {
            va_list args;
            va_start(args, format);
            log->PrintV(0, DEBUG_KIND_ASSERT, format, args);
            va_end(args);
        }
        return DEBUG_ASSERT;
    }
    return g_debugger ? DEBUG_OK : DEBUG_ERROR_NO_DEBUGGER;
}

}  // namespace corvex
