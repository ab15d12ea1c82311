#include "Debug_Zolt2.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "CPU_Win32.h"
#include "Handle.h"
#include "Sizes_Win32.h"
#include "Sizes_Zolt2.h"
#include "System_Zolt2.h"
#include "support/Processes.h"

namespace corvex {
namespace {

std::string ReadAll(const std::string& path) {
    // The log keeps its file open, shared for reading.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return "<missing>";
    std::string all;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got) all.append(chunk, got);
    return all;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));  // an unfinished line
    return lines;
}

std::string TimeNow() {
    char text[128] = {};
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text);
    return text;
}

// A log of its own with a mutex name nobody else uses, so that tests can
// make the mutex fail.
class PrivateDebug : public _debug {
public:
    explicit PrivateDebug(const char* mutexName) : _debug(nullptr, mutexName) {}
};

// Every test sends the log's console output (the standard error handle) to
// a file of its own, and leaves the process-wide log as it found it.
class DebugLog : public ::testing::Test {
protected:
    void SetUp() override {
        savedError_ = GetStdHandle(STD_ERROR_HANDLE);
        console_.reset(CreateFileA(ConsolePath().c_str(), GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(console_.valid());
        SetStdHandle(STD_ERROR_HANDLE, console_.get());
    }
    void TearDown() override {
        if (_debug* log = Debugger()) {
            log->SetDebugging(false);
            log->SetLogging(false);
            log->SetConsole(false);
            log->SetLevel(100);
            log->SetApp("unknown");
            log->SetLogFileName("DEBUG.log");
        }
        SetStdHandle(STD_ERROR_HANDLE, savedError_);
    }

    std::string ConsolePath() const { return folder_ / "console.txt"; }
    std::string Console() const { return ReadAll(ConsolePath()); }

    // A log that writes to the console file and to `file`.
    static void Prepare(_debug& log, const std::string& app, const std::string& file) {
        log.SetApp(app);
        log.SetConsole(true);
        log.SetLogging(!file.empty());
        log.SetLogFileName(file);
    }

    test::TempFolder folder_{"debug-test"};
    FileHandle console_;
    HANDLE savedError_ = nullptr;
};

TEST_F(DebugLog, OffLogFiltersFirstThenReportsNotActive) {
    _debug log;
    EXPECT_FALSE(log.Dead());
    EXPECT_FALSE(log.Debugging());
    EXPECT_EQ(log.Level(), 100);
    EXPECT_EQ(log.Error(), DEBUG_OK);
    EXPECT_EQ(log.ErrorStr(), "");

    EXPECT_EQ(log.Print(101, DEBUG_KIND_DEBUG, "above"), DEBUG_OK);
    EXPECT_EQ(log.Error(), DEBUG_OK);  // filtering is no failure
    EXPECT_EQ(log.Print(100, DEBUG_KIND_DEBUG, "within"), DEBUG_ERROR_NOT_ACTIVE);
    EXPECT_EQ(log.Error(), DEBUG_ERROR_NOT_ACTIVE);
    EXPECT_EQ(log.ErrorStr(), "debugging is off");
    // An invalid kind is not looked at before the log is on.
    EXPECT_EQ(log.Print(1, static_cast<_debugkind>(9), "x"), DEBUG_ERROR_NOT_ACTIVE);
    EXPECT_EQ(Console(), "");
}

TEST_F(DebugLog, LineBytesInFileAndConsole) {
    const std::string file = folder_ / "one.log";
    _debug log;
    Prepare(log, "motor32", file);
    ASSERT_EQ(log.SetDebugging(true), DEBUG_OK);
    const std::string before = TimeNow();
    EXPECT_EQ(log.Print(10, DEBUG_KIND_DEBUG, "TPULSE.Launch: <-"), DEBUG_OK);
    EXPECT_EQ(log.Print(0, DEBUG_KIND_KERNEL, "%s=%d %p %.0f %lld", "n", -3,
                        reinterpret_cast<void*>(0x1234), 2.5e9, 1LL << 40),
              DEBUG_OK);
    EXPECT_EQ(log.Print(0, DEBUG_KIND_FATAL, "fatal"), DEBUG_OK);
    EXPECT_EQ(log.Print(0, DEBUG_KIND_ASSERT, "100%% sure"), DEBUG_OK);
    const std::string after = TimeNow();
    EXPECT_EQ(log.Print(1, static_cast<_debugkind>(4), "no kind"), DEBUG_ERROR);
    EXPECT_EQ(log.Error(), DEBUG_ERROR);
    log.SetDebugging(false);

    const std::string text = ReadAll(file);
    const std::vector<std::string> expected = {
        ": motor32: DEBUG: 10: TPULSE.Launch: <-\r\n",
        ": motor32: KERNEL: 0: n=-3 " + FormatText("%p", reinterpret_cast<void*>(0x1234)) +
            " 2500000000 1099511627776\r\n",
        ": motor32: FATAL: 0: fatal\r\n",
        ": motor32: ASSERT: 0: 100% sure\r\n",
    };
    std::string body;
    for (const std::string& tail : expected) {
        const std::size_t at = text.find(tail);
        ASSERT_NE(at, std::string::npos) << tail << "\nin:\n" << text;
        const std::size_t lineStart = text.rfind("\r\n", at) + 2;
        const std::string time = text.substr(lineStart, at - lineStart);
        EXPECT_TRUE(time == before || time == after) << time;
        body += text.substr(lineStart, at - lineStart) + tail;
    }
    EXPECT_NE(text.find(body), std::string::npos) << "lines are not consecutive";
    EXPECT_EQ(text.find("no kind"), std::string::npos);
    // The console gets the same bytes.
    EXPECT_EQ(Console(), text);
}

TEST_F(DebugLog, HeaderDescribesTheMachineAndStopIsLogged) {
    const std::string file = folder_ / "header.log";
    _debug log;
    Prepare(log, "motor32", file);
    ASSERT_EQ(log.SetDebugging(true), DEBUG_OK);
    log.SetDebugging(false);

    const std::vector<std::string> lines = Lines(ReadAll(file));
    ASSERT_EQ(lines.size(), 6u) << ReadAll(file);
    const std::regex started(R"(.+: motor32: DEBUG: 1: _debug: started at (.+) (\S+))");
    std::smatch m;
    EXPECT_TRUE(std::regex_match(lines[0], m, started)) << lines[0];
    const std::string prefix = lines[1].substr(0, lines[1].find(": motor32: "));
    EXPECT_EQ(lines[1], prefix + ": motor32: DEBUG: 1: _debug: log file: \"" + file + "\"");
    EXPECT_EQ(lines[2].substr(lines[2].find(": motor32: ")),
              ": motor32: DEBUG: 1: _debug: os: " + SystemDescription() + " ");
    const _cpu cpu;
    EXPECT_EQ(lines[3].substr(lines[3].find(": motor32: ")),
              ": motor32: DEBUG: 1: _debug: cpu (total=" + std::to_string(ProcessorCount()) +
                  "): " + cpu.FullName() + " ");

    const std::regex ram(R"(.+: motor32: DEBUG: 1: _debug: ram: (.+) \((\d+)\)/(.+) \((\d+)\))");
    ASSERT_TRUE(std::regex_match(lines[4], m, ram)) << lines[4];
    double available = 0, total = 0;
    MemoryStatus(available, total);
    const std::string decimal = LocaleDecimalSeparator();
    EXPECT_EQ(m[1].str(), FormatBytes(std::stod(m[2].str()), decimal));
    EXPECT_EQ(m[3].str(), FormatBytes(total, decimal));
    EXPECT_EQ(m[4].str(), FormatText("%.0f", total));

    EXPECT_TRUE(std::regex_match(lines[5], std::regex(R"(.+: motor32: DEBUG: 1: _debug: stopped at .+ \S+)")))
        << lines[5];
}

TEST_F(DebugLog, ExistingFileIsReplacedAndCreatedHiddenSystem) {
    const std::string file = folder_ / "old.log";
    {
        FileHandle old(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(old.get(), "OLD CONTENT\r\n", 13, &written, nullptr);
    }
    for (int run = 0; run < 2; ++run) {  // the second run replaces a hidden file
        _debug log;
        Prepare(log, "run" + std::to_string(run), file);
        ASSERT_EQ(log.SetDebugging(true), DEBUG_OK);
        const DWORD attributes = GetFileAttributesA(file.c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                  static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
        log.SetDebugging(false);
        const std::string text = ReadAll(file);
        EXPECT_EQ(text.find("OLD CONTENT"), std::string::npos);
        EXPECT_EQ(text.find("run" + std::to_string(1 - run)), std::string::npos);
        EXPECT_NE(text.find(": run" + std::to_string(run) + ": DEBUG: 1: _debug: started at"),
                  std::string::npos);
    }
}

TEST_F(DebugLog, FileNameIsReadOnlyAtStart) {
    const std::string first = folder_ / "first.log";
    const std::string second = folder_ / "second.log";
    _debug log;
    Prepare(log, "app", first);
    ASSERT_EQ(log.SetDebugging(true), DEBUG_OK);
    log.SetLogFileName(second);
    EXPECT_EQ(log.Print(5, DEBUG_KIND_DEBUG, "after rename"), DEBUG_OK);
    log.SetDebugging(false);
    EXPECT_NE(ReadAll(first).find(": app: DEBUG: 5: after rename\r\n"), std::string::npos);
    EXPECT_EQ(GetFileAttributesA(second.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DebugLog, UncreatableFileLeavesTheConsoleRunning) {
    const std::string file = folder_ / "no such folder\\x.log";
    _debug log;
    Prepare(log, "app", file);
    ASSERT_EQ(log.SetDebugging(true), DEBUG_OK);
    EXPECT_EQ(log.Print(3, DEBUG_KIND_DEBUG, "still here"), DEBUG_OK);
    log.SetDebugging(false);
    const std::string console = Console();
    EXPECT_NE(console.find(": app: DEBUG: 1: _debug: ERROR: cannot create log file\r\n"),
              std::string::npos);
    EXPECT_EQ(console.find("_debug: log file:"), std::string::npos);
    EXPECT_NE(console.find(": app: DEBUG: 3: still here\r\n"), std::string::npos);
}

// A message far longer than any line buffer is written whole.
TEST_F(DebugLog, LongMessageIsWrittenWhole) {
    const std::string file = folder_ / "long.log";
    _debug log;
    Prepare(log, "app", file);
    ASSERT_EQ(log.SetDebugging(true), DEBUG_OK);
    const std::string message(200000, 'q');
    EXPECT_EQ(log.Print(2, DEBUG_KIND_DEBUG, "<%s>", message.c_str()), DEBUG_OK);
    log.SetDebugging(false);
    EXPECT_NE(ReadAll(file).find(": app: DEBUG: 2: <" + message + ">\r\n"), std::string::npos);
}

TEST_F(DebugLog, MutexThatCannotBeMadeKillsTheLog) {
    // A named event takes the name, so the mutex of that name cannot exist.
    KernelHandle clash(CreateEventA(nullptr, TRUE, FALSE, "corvex debug test clash"));
    ASSERT_TRUE(clash.valid());
    PrivateDebug log("corvex debug test clash");
    EXPECT_TRUE(log.Dead());
    EXPECT_EQ(log.Error(), DEBUG_ERROR_MUTEX_SPAWN);
    EXPECT_EQ(log.ErrorStr(), "failed to spawn mutex");
    log.SetConsole(true);
    EXPECT_EQ(log.SetDebugging(true), DEBUG_ERROR_MUTEX_SPAWN);
    EXPECT_FALSE(log.Debugging());
    EXPECT_EQ(log.Print(1, DEBUG_KIND_DEBUG, "x"), DEBUG_ERROR_MUTEX_SPAWN);
    EXPECT_EQ(log.Print(101, DEBUG_KIND_DEBUG, "x"), DEBUG_OK);  // the level test comes first
    EXPECT_EQ(Console(), "");
}

TEST_F(DebugLog, CheckOutcomeDoesNotDependOnTheLog) {
    _debug* log = Debugger();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(Check(true, "off %d", 1), DEBUG_ASSERT);
    EXPECT_EQ(Check(false, "off %d", 2), DEBUG_OK);
    EXPECT_EQ(Log(1, "off"), DEBUG_ERROR_NOT_ACTIVE);
    EXPECT_EQ(Log(101, "off"), DEBUG_OK);

    const std::string file = folder_ / "check.log";
    Prepare(*log, "checker", file);
    ASSERT_EQ(log->SetDebugging(true), DEBUG_OK);
    EXPECT_EQ(Check(true, "_sentinel.FindSpeeder(%p): NIL _speeder", nullptr), DEBUG_ASSERT);
    EXPECT_EQ(Check(false, "never written"), DEBUG_OK);
    EXPECT_EQ(Log(10, "TPULSE.Ignite: <-"), DEBUG_OK);
    EXPECT_EQ(LogKernel("kernel %s", "line"), DEBUG_OK);
    log->SetDebugging(false);

    const std::string text = ReadAll(file);
    EXPECT_NE(text.find(": checker: ASSERT: 0: _sentinel.FindSpeeder(" +
                        FormatText("%p", static_cast<void*>(nullptr)) + "): NIL _speeder\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("never written"), std::string::npos);
    EXPECT_EQ(text.find("off"), std::string::npos);
    EXPECT_NE(text.find(": checker: DEBUG: 10: TPULSE.Ignite: <-\r\n"), std::string::npos);
    EXPECT_NE(text.find(": checker: KERNEL: 0: kernel line\r\n"), std::string::npos);
}

TEST_F(DebugLog, LevelZeroWritesOnlyKernelAndAssertLines) {
    _debug* log = Debugger();
    ASSERT_NE(log, nullptr);
    const std::string file = folder_ / "level0.log";
    Prepare(*log, "zero", file);
    log->SetLevel(0);
    ASSERT_EQ(log->SetDebugging(true), DEBUG_OK);  // the level-1 header is filtered too
    EXPECT_EQ(Log(1, "debug one"), DEBUG_OK);
    EXPECT_EQ(Log(10, "debug ten"), DEBUG_OK);
    EXPECT_EQ(LogKernel("kernel"), DEBUG_OK);
    EXPECT_EQ(Check(true, "assert"), DEBUG_ASSERT);
    log->SetDebugging(false);

    const std::vector<std::string> lines = Lines(ReadAll(file));
    ASSERT_EQ(lines.size(), 2u) << ReadAll(file);
    EXPECT_NE(lines[0].find(": zero: KERNEL: 0: kernel"), std::string::npos);
    EXPECT_NE(lines[1].find(": zero: ASSERT: 0: assert"), std::string::npos);
}

// Holds "_debug mutex" on a thread of its own until released.
class MutexHolder {
public:
    MutexHolder() {
        thread_ = std::thread([this] {
            KernelHandle mutex(CreateMutexA(nullptr, FALSE, "_debug mutex"));
            WaitForSingleObject(mutex.get(), INFINITE);
            held_ = true;
            while (!release_) Sleep(5);
            ReleaseMutex(mutex.get());
        });
        while (!held_) Sleep(1);
    }
    ~MutexHolder() {
        release_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> held_{false}, release_{false};
    std::thread thread_;
};

TEST_F(DebugLog, BusyMutexDropsTheLineAfterTheBound) {
    _debug* log = Debugger();
    ASSERT_NE(log, nullptr);
    const std::string file = folder_ / "busy.log";
    Prepare(*log, "busy", file);
    ASSERT_EQ(log->SetDebugging(true), DEBUG_OK);
    {
        MutexHolder holder;
        const DWORD start = GetTickCount();
        EXPECT_EQ(Log(5, "dropped line"), DEBUG_ERROR_MUTEX_TIMEOUT);
        // The bound is 100 ms; the caller is not held up for the holder's time.
        EXPECT_LT(GetTickCount() - start, 1500u);
        EXPECT_EQ(log->Error(), DEBUG_ERROR_MUTEX_TIMEOUT);
        EXPECT_EQ(log->ErrorStr(), "mutex timed out");
        EXPECT_EQ(Check(true, "dropped assert"), DEBUG_ASSERT);
    }
    EXPECT_EQ(Log(5, "after release"), DEBUG_OK);
    log->SetDebugging(false);
    const std::string text = ReadAll(file);
    EXPECT_EQ(text.find("dropped"), std::string::npos);
    EXPECT_NE(text.find(": busy: DEBUG: 5: after release\r\n"), std::string::npos);
}

// The mutex is shared by name between processes: a writer in another
// process drops its lines while this process holds it.
TEST_F(DebugLog, MutexHeldHereStopsAnotherProcess) {
    MutexHolder holder;
    const test::ProcessResult run = test::RunCaptured(
        "\"" + test::BinFolder() + "\\debug_writer.exe\" held 3 10 -", folder_.Path());
    ASSERT_TRUE(run.finished);
    // Start's header lines time out as well, and nothing reaches the output.
    EXPECT_EQ(run.exitCode, 3u) << run.output;
    EXPECT_EQ(run.output, "");
}

// Without a console of its own (Console false) the log makes one, writes
// there and to its file, and gives the console back when it stops.
TEST_F(DebugLog, LogMakesAndFreesItsOwnConsole) {
    const std::string file = folder_ / "alloc.log";
    const test::ProcessResult run = test::RunCaptured(
        "\"" + test::BinFolder() + "\\debug_writer.exe\" alloc 5 10 \"" + file + "\" - alloc",
        folder_.Path());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    // Where the lines show depends on whether the new console takes over the
    // inherited standard handles (Wine keeps them); the file has them.
    const std::string text = ReadAll(file);
    EXPECT_NE(text.find(": alloc: DEBUG: 20: alloc 4 cc\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("_debug: stopped at"), std::string::npos);
}

struct Child {
    PROCESS_INFORMATION info{};
    KernelHandle process, thread;
};

// Two writers start together on one shared pipe (their standard error) and
// one shared log file name. Every line of both must arrive whole; only one
// of them can hold the file (it is shared for reading only), the other says
// so on its console and goes on.
TEST_F(DebugLog, TwoProcessesNeverInterleaveLines) {
    constexpr int kLines = 2000;
    constexpr int kLength = 700;
    const std::string file = folder_ / "shared.log";
    const char* const goName = "corvex debug test go";
    KernelHandle go(CreateEventA(nullptr, TRUE, FALSE, goName));
    ASSERT_TRUE(go.valid());

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readRaw = nullptr, writeRaw = nullptr;
    ASSERT_TRUE(CreatePipe(&readRaw, &writeRaw, &inherit, 1 << 16));
    KernelHandle readEnd(readRaw), writeEnd(writeRaw);
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

    Child children[2];
    const char* const apps[2] = {"writerA", "writerB"};
    for (int i = 0; i < 2; ++i) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = writeEnd.get();
        startup.hStdError = writeEnd.get();
        std::string line = "\"" + test::BinFolder() + "\\debug_writer.exe\" " + apps[i] + " " +
                           std::to_string(kLines) + " " + std::to_string(kLength) + " \"" +
                           file + "\" \"" + goName + "\"";
        ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                   nullptr, folder_.Path().c_str(), &startup,
                                   &children[i].info));
        children[i].process.reset(children[i].info.hProcess);
        children[i].thread.reset(children[i].info.hThread);
    }
    writeEnd.reset();
    Sleep(1000);  // both are past their start and wait for the event
    SetEvent(go.get());

    std::string output;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(readEnd.get(), chunk, sizeof chunk, &got, nullptr) && got)
        output.append(chunk, got);
    DWORD dropped[2] = {};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(WaitForSingleObject(children[i].process.get(), 30000), WAIT_OBJECT_0);
        GetExitCodeProcess(children[i].process.get(), &dropped[i]);
        ASSERT_LT(dropped[i], 50u) << apps[i] << " dropped too many lines (or failed)";
    }

    // Every line is whole: the prefix, a number in sequence, the padding.
    const std::regex whole(R"(.+: (writer[AB]): DEBUG: (\d+): (.*))");
    std::map<std::string, int> next;  // next expected number per writer
    std::map<std::string, int> seen;
    std::string previous;
    int switches = 0;  // how often the writer changes from one line to the next
    int fileErrors = 0;
    for (const std::string& line : Lines(output)) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, whole)) << "broken line: " << line.substr(0, 200);
        const std::string app = m[1];
        const std::string message = m[3];
        if (m[2] == "1") {
            if (message == "_debug: ERROR: cannot create log file") ++fileErrors;
            continue;  // header lines
        }
        ASSERT_EQ(m[2].str(), "20") << line.substr(0, 200);
        std::istringstream in(message);
        std::string who;
        int n = -1;
        in >> who >> n;
        ASSERT_EQ(who, app) << line.substr(0, 200);
        ASSERT_GE(n, next[app]) << "out of order: " << line.substr(0, 200);
        next[app] = n + 1;
        ++seen[app];
        if (!previous.empty() && previous != app) ++switches;
        previous = app;
        const std::string padding = message.substr(message.find(' ', who.size() + 1) + 1);
        ASSERT_EQ(message.size(), static_cast<std::size_t>(kLength)) << line.substr(0, 200);
        ASSERT_EQ(padding.find_first_not_of(app.back()), std::string::npos)
            << line.substr(0, 200);
    }
    // The two really wrote at the same time (the pipe fills and makes them
    // take turns), so whole lines are the mutex's doing.
    EXPECT_GT(switches, 10);
    EXPECT_EQ(seen["writerA"], kLines - static_cast<int>(dropped[0]));
    EXPECT_EQ(seen["writerB"], kLines - static_cast<int>(dropped[1]));
    EXPECT_EQ(output.size() >= 2 && output.substr(output.size() - 2) == "\r\n", true);

    // Exactly one of them got the file; its lines there are its own and whole.
    EXPECT_EQ(fileErrors, 1);
    const std::vector<std::string> fileLines = Lines(ReadAll(file));
    ASSERT_FALSE(fileLines.empty());
    std::smatch m;
    ASSERT_TRUE(std::regex_match(fileLines[0], m, whole));
    const std::string owner = m[1];
    int inFile = 0;
    for (const std::string& line : fileLines) {
        ASSERT_TRUE(std::regex_match(line, m, whole)) << line.substr(0, 200);
        EXPECT_EQ(m[1].str(), owner);
        if (m[2] == "20") ++inFile;
    }
    EXPECT_EQ(inFile, seen[owner]);
}

}  // namespace
}  // namespace corvex
