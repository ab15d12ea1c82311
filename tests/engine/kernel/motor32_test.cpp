// The real programs end to end: corvex32.exe starts motor32.dex in a
// folder of its own; the tests find the bar by its caption, talk to it
// with window messages and read the engine's debug log.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/Keyboard.h"
#include "support/Processes.h"
#include "support/RawRegistry.h"

namespace corvex::test {
namespace {

const char* const kClasses[] = {"_drivessentinel", "_cpusentinel",    "_memsentinel", "_fsrsentinel",
                                "_audiosentinel",  "_syssentinel",    "_netsentinel", "_kernelsentinel",
                                "_lansentinel",    "_mailsentinel",   "_rassentinel"};

std::string ReadAll(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    CloseHandle(file);
    return text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

int Count(const std::vector<std::string>& lines, const std::string& text) {
    int n = 0;
    for (const std::string& line : lines)
        if (line.find(text) != std::string::npos) ++n;
    return n;
}

// Whether `wanted` appear in the log in this order (other lines between).
::testing::AssertionResult InOrder(const std::vector<std::string>& lines, const std::vector<std::string>& wanted) {
    std::size_t at = 0;
    for (const std::string& want : wanted) {
        while (at < lines.size() && lines[at].find(want) == std::string::npos) ++at;
        if (at == lines.size()) return ::testing::AssertionFailure() << "missing or out of order: " << want;
        ++at;
    }
    return ::testing::AssertionSuccess();
}

struct _found {
    HWND bar = nullptr;
};

BOOL CALLBACK FindBar(HWND window, LPARAM param) {
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    if (std::string(title) == "Corvex" && IsWindowVisible(window)) {
        reinterpret_cast<_found*>(param)->bar = window;
        return FALSE;
    }
    return TRUE;
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyProgram(BinFolder() + "\\corvex32.exe", folder_ / "corvex32.exe"));
        ASSERT_TRUE(CopyProgram(BinFolder() + "\\motor32.dex", folder_ / "motor32.dex"));
        ASSERT_EQ(FindVisibleBar(), nullptr) << "an engine of an earlier test is still running";
    }
    void TearDown() override {
        // Whatever a failed test left running goes now.
        if (HWND bar = FindVisibleBar()) {
            PostMessageA(bar, WM_CLOSE, 0, 0);
            WaitForEnd(bar);
        }
    }

    static HWND FindVisibleBar() {
        _found found;
        EnumWindows(&FindBar, reinterpret_cast<LPARAM>(&found));
        return found.bar;
    }

    // Starts the engine through the launcher and waits for the bar. The
    // launcher's output goes to a file: the engine inherits the handle,
    // and a pipe would stay open for as long as the engine runs.
    HWND Launch(const std::string& arguments) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const std::string outputFile = folder_ / "launcher.txt";
        const HANDLE output = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          &inherit, CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(output, INVALID_HANDLE_VALUE);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = output;
        PROCESS_INFORMATION process{};
        std::string line = "\"" + (folder_ / "corvex32.exe") + "\"" + arguments;
        // The engine of the test before may still be leaving, its programs'
        // files not yet let go: a refused start is tried again for 5 s.
        bool started = false;
        DWORD error = 0;
        for (int tries = 0; !started && tries < 50; ++tries) {
            if (tries > 0) Sleep(100);
            started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                     folder_.Path().c_str(), &startup, &process) != FALSE;
            if (!started) error = GetLastError();
        }
        CloseHandle(output);
        EXPECT_TRUE(started) << "error " << error;
        if (!started) return nullptr;
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        const std::string printed = ReadAll(outputFile);
        EXPECT_NE(printed.find("Corvex engine started"), std::string::npos) << printed;
        return WaitForBar();
    }

    // Starts the engine itself, without the launcher's checks.
    HWND StartEngine(const std::string& arguments) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::string line = "\"" + (folder_ / "motor32.dex") + "\"" + arguments;
        if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.Path().c_str(),
                            &startup, &process))
            return nullptr;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return WaitForBar();
    }

    static HWND WaitForBar() {
        for (int i = 0; i < 300; ++i) {
            if (HWND bar = FindVisibleBar()) return bar;
            Sleep(50);
        }
        return nullptr;
    }

    // Waits until the log holds `text`.
    bool WaitForLog(const std::string& text, DWORD timeoutMs = 15000) {
        for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
            if (ReadAll(folder_ / "motor.log").find(text) != std::string::npos) return true;
            Sleep(50);
        }
        return false;
    }

    static bool WaitForEnd(HWND bar) {
        DWORD id = 0;
        GetWindowThreadProcessId(bar, &id);
        const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
        if (!process) return !IsWindow(bar);
        const bool ended = WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
        CloseHandle(process);
        return ended;
    }

    static RECT Client(HWND bar) {
        RECT r{};
        GetClientRect(bar, &r);
        return r;
    }

    // The bands: the bar's own visible child windows, which must stack
    // from its top to its bottom without gaps.
    static int Bands(HWND bar) {
        std::vector<RECT> bands;
        for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child)) continue;
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&r), 2);
            bands.push_back(r);
        }
        std::sort(bands.begin(), bands.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });
        int y = 0;
        for (const RECT& r : bands) {
            if (r.top != y) return -1;
            y = r.bottom;
        }
        return y == Client(bar).bottom ? static_cast<int>(bands.size()) : -1;
    }

    std::vector<std::string> Log() { return Lines(ReadAll(folder_ / "motor.log")); }

    TempFolder folder_{"engine"};
};

TEST_F(EngineTest, AFullStartAndExitLogTheLifecycleInOrder) {
    const HWND bar = Launch(" -logfile=motor.log -debug=100");
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(WaitForLog("TPULSE.TIMERTimer: Refreshing \"RAS Sentinel\""));
    EXPECT_EQ(Bands(bar), 11);
    EXPECT_EQ(Client(bar).right, 226);
    EXPECT_FALSE(GetWindowLongPtrA(bar, GWL_STYLE) & WS_CAPTION);

    // The user closes the bar twice in a row.
    PostMessageA(bar, WM_CLOSE, 0, 0);
    PostMessageA(bar, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForEnd(bar));

    const std::vector<std::string> log = Log();
    std::vector<std::string> wanted = {"ParseCorvexInputs: -> (result=0)", "main(): Corvex v.0.5.3 build:1",
                                       "main(): creating TPULSE", "TPULSE.FormCreate: <-",
                                       "TPULSE.LoadData: -> (result=0)"};
    for (const char* name : kClasses) wanted.push_back(std::string("TPULSE.PlugInternalSentinels: creating ") + name);
    const std::vector<std::string> rest = {
        "TPULSE.PlugInternalSentinels: -> 0",
        "TPULSE.PlugExternalSentinels: -> 0",
        "TPULSE.Ignite: <-",
        "TPULSE.Ignite: Boosting priority to THREAD_PRIORITY_HIGHEST",
        "TPULSE.LoadOptions: -> (result=0)",
        "TPULSE.Ignite: ->",
        "TPULSE.FormCreate: ->",
        "main(): creating TOPTIONS",
        "main(): creating TDESIGNER",
        "TPULSE.Launch: <-",
        "TPULSE.Launch: ->",
        "main(): Application.Run",
        "TPULSE.TIMERTimer: Refreshing \"Drive Sentinel\"",
        "TPULSE.TIMERTimer: Refreshing \"RAS Sentinel\"",
        "Shutting down...",
        "TPULSE.Shutdown: <-",
        "TPULSE.Shutdown: stopping _sentinel: Drive Sentinel",
        "TPULSE.Shutdown: shutting down _sentinel: Drive Sentinel",
        "TPULSE.Shutdown: stopping _sentinel: RAS Sentinel",
        "TPULSE.SaveOptions: -> (result=0)",
        "TPULSE.Shutdown: ->",
        "TPULSE.Destroy: <-",
        "main(): ->",
    };
    wanted.insert(wanted.end(), rest.begin(), rest.end());
    EXPECT_TRUE(InOrder(log, wanted));
    EXPECT_EQ(Count(log, "Shutting down..."), 1);
    EXPECT_EQ(Count(log, "TPULSE.Shutdown: stopping _sentinel: CPU Sentinel"), 1);
    // The only failed checks: every processor's first load, which has
    // nothing to compare with and is reset to 100 %.
    EXPECT_EQ(Count(log, "ASSERT"), Count(log, "_heart.OnCounter: KPulse[KCPUIndex]="));

    // The header is written before the log has its name.
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.front().find(": unknown: DEBUG: 1: _debug: started at"), std::string::npos) << log.front();
    for (const std::string& line : log) {
        if (line.find("TPULSE.") != std::string::npos) {
            EXPECT_NE(line.find(": motor32: "), std::string::npos) << line;
        }
    }
}

TEST_F(EngineTest, UnpluggingTheFsrSentinelLeavesTenBandsInOrder) {
    const HWND bar = Launch(" -logfile=motor.log -debug=20 -unplug=3");
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(WaitForLog("TPULSE.Launch: ->"));
    EXPECT_EQ(Bands(bar), 10);
    PostMessageA(bar, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForEnd(bar));

    const std::vector<std::string> log = Log();
    EXPECT_EQ(Count(log, "ParseCorvexInputs: arg[3]: Unplugged Sentinel: 3"), 1);
    EXPECT_EQ(Count(log, "creating _fsrsentinel"), 0);
    EXPECT_EQ(Count(log, "FSR Sentinel"), 0);
    std::vector<std::string> wanted;
    for (int i = 0; i < 11; ++i)
        if (i != 3) wanted.push_back(std::string("creating ") + kClasses[i]);
    EXPECT_TRUE(InOrder(log, wanted));
}

TEST_F(EngineTest, WithEverySentinelUnpluggedTheBarIsEmpty) {
    std::string arguments = " -logfile=motor.log -debug=20";
    for (int i = 0; i <= 10; ++i) arguments += " -unplug=" + std::to_string(i);
    const HWND bar = Launch(arguments);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(WaitForLog("TPULSE.Launch: ->"));
    EXPECT_EQ(Client(bar).bottom, 0);
    PostMessageA(bar, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForEnd(bar));
    const std::vector<std::string> log = Log();
    EXPECT_EQ(Count(log, "creating _"), 0);
    EXPECT_EQ(Count(log, "_sentinel:"), 0);
    EXPECT_TRUE(InOrder(log, {"TPULSE.Shutdown: ->", "main(): ->"}));
}

TEST_F(EngineTest, AMalformedArgumentMakesTheEngineIgnoreEveryOption) {
    const HWND bar = StartEngine(" -unplug=3 -logfile=motor.log -debug=20 - -unplug=4");
    ASSERT_NE(bar, nullptr);
    // All eleven bands, and no log: nothing of the command line was taken.
    for (int i = 0; i < 40 && Bands(bar) != 11; ++i) Sleep(50);
    EXPECT_EQ(Bands(bar), 11);
    PostMessageA(bar, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForEnd(bar));
    EXPECT_EQ(GetFileAttributesA((folder_ / "motor.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(EngineTest, ADockingValueOfMaybeEndsTheEngineWithoutAWindow) {
    const ProcessResult r = RunCaptured("\"" + (folder_ / "motor32.dex") + "\" -logfile=motor.log -debug=20 -docking=maybe",
                                        folder_.Path(), 20000);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0u);
    const std::vector<std::string> log = Log();
    EXPECT_EQ(Count(log, "ASSERT: 0: ParseCorvexInputs: invalid boolean for DOCKING"), 1);
    EXPECT_TRUE(InOrder(log, {"invalid boolean for DOCKING", "main(): ->"}));
    EXPECT_EQ(Count(log, "TPULSE."), 0);
    EXPECT_EQ(Count(log, "main(): Corvex v."), 0);
}

TEST_F(EngineTest, ADebugLevelThatIsNoNumberStillStartsTheLogAtLevelZero) {
    // The launcher refuses such a level; the engine itself is lenient.
    const HWND bar = StartEngine(" -logfile=motor.log -debug=high");
    ASSERT_NE(bar, nullptr);
    PostMessageA(bar, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForEnd(bar));
    // Created at once, but at level 0 neither the header (level 1) nor the
    // lifecycle lines are written.
    EXPECT_NE(GetFileAttributesA((folder_ / "motor.log").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Count(Log(), "TPULSE."), 0);
    EXPECT_EQ(Count(Log(), "_debug: started"), 0);
}

TEST_F(EngineTest, ALogFileNamedAfterTheDebugLevelComesTooLate) {
    const HWND bar = Launch(" -debug=20 -logfile=late.log");
    ASSERT_NE(bar, nullptr);
    PostMessageA(bar, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForEnd(bar));
    EXPECT_EQ(GetFileAttributesA((folder_ / "late.log").c_str()), INVALID_FILE_ATTRIBUTES);
    const std::vector<std::string> log = Lines(ReadAll(folder_ / "DEBUG.log"));
    EXPECT_EQ(Count(log, "ParseCorvexInputs: arg[2]: logafile: \"late.log\""), 1);
    EXPECT_TRUE(InOrder(log, {"TPULSE.Launch: ->", "TPULSE.Shutdown: ->"}));
}

TEST_F(EngineTest, ALogOffAfterClosingShutsDownOnce) {
    const HWND bar = Launch(" -logfile=motor.log -debug=20");
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(WaitForLog("TPULSE.Launch: ->"));
    PostMessageA(bar, WM_CLOSE, 0, 0);
    PostMessageA(bar, WM_QUERYENDSESSION, 0, 0);
    PostMessageA(bar, WM_ENDSESSION, TRUE, 0);
    ASSERT_TRUE(WaitForEnd(bar));
    const std::vector<std::string> log = Log();
    EXPECT_EQ(Count(log, "TPULSE.Shutdown: stopping _sentinel: Drive Sentinel"), 1);
    EXPECT_EQ(Count(log, "TPULSE.SaveOptions: <-"), 1);
}

TEST_F(EngineTest, ALogOffShutsDownAndALaterCloseDoesNotAgain) {
    const HWND bar = Launch(" -logfile=motor.log -debug=20");
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(WaitForLog("TPULSE.Launch: ->"));
    SendMessageTimeoutA(bar, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, nullptr);
    SendMessageTimeoutA(bar, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, nullptr);
    ASSERT_TRUE(WaitForLog("TPULSE.WMShutdown: ->"));
    PostMessageA(bar, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForEnd(bar));
    const std::vector<std::string> log = Log();
    EXPECT_TRUE(InOrder(log, {"TPULSE.WMShutdownQuery: <-", "TPULSE.WMShutdownQuery: ->", "TPULSE.WMShutdown: <-",
                              "TPULSE.Shutdown: stopping _sentinel: Drive Sentinel", "TPULSE.WMShutdown: ->",
                              "main(): ->"}));
    EXPECT_EQ(Count(log, "TPULSE.Shutdown: stopping _sentinel: Drive Sentinel"), 1);
    EXPECT_EQ(Count(log, "Shutting down..."), 0);
}

TEST_F(EngineTest, ASkinBesideTheEngineIsLoaded) {
    ASSERT_TRUE(CreateDirectoryA((folder_ / "skin").c_str(), nullptr));
    // Two tiles of a 24-bit strip.
    {
        const int width = 32, stride = width * 3;
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER info{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info;
        file.bfSize = file.bfOffBits + stride * 16;
        info.biSize = sizeof info;
        info.biWidth = width;
        info.biHeight = 16;
        info.biPlanes = 1;
        info.biBitCount = 24;
        std::ofstream out(folder_ / "skin\\default.bmp", std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&info), sizeof info);
        out << std::string(static_cast<std::size_t>(stride * 16), '\x40');
    }
    const HWND bar = Launch(" -logfile=motor.log -debug=20");
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(WaitForLog("TPULSE.Launch: ->"));
    PostMessageA(bar, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForEnd(bar));
    EXPECT_TRUE(InOrder(Log(), {"TPULSE.LoadData: Loading skin from \"" + (folder_ / "skin\\default.bmp") + "\"",
                                "TPULSE.LoadData: -> (result=0)"}));
}

TEST_F(EngineTest, BothProgramsCarryTheIconTheAboutBoxShows) {
    for (const char* program : {"motor32.dex", "corvex32.exe"}) {
        const HMODULE file = LoadLibraryExA((folder_ / program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(file, nullptr) << program;
        // The engine loads icon 1 of its own file for the about box.
        EXPECT_NE(FindResourceA(file, MAKEINTRESOURCEA(1), RT_GROUP_ICON), nullptr) << program;
        FreeLibrary(file);
    }
}

bool WaitForVisible(HWND window, bool visible) {
    for (int i = 0; i < 100; ++i) {
        if ((IsWindowVisible(window) != FALSE) == visible) return true;
        Sleep(20);
    }
    return false;
}

// What the user gives on the command line reaches the engine as given: a
// log file on a drive, one with "=" in its name, a Speeder's name.
TEST_F(EngineTest, ALogFileWithADriveLetterIsWrittenWhereTheUserAsked) {
    const std::string drive = folder_ / "on drive.log";  // C:\...\on drive.log
    for (const std::string& file : {drive, std::string("a=b.log")}) {
        const HWND bar = Launch(" \"-logfile:" + file + "\" -debug=20 -unlink:cpu:9");
        ASSERT_NE(bar, nullptr) << file;
        const std::string path = file == drive ? drive : folder_ / file;
        bool written = false;
        for (int i = 0; i < 300 && !written; ++i, Sleep(50))
            written = ReadAll(path).find("TPULSE.Launch: ->") != std::string::npos;
        EXPECT_TRUE(written) << path;
        EXPECT_NE(ReadAll(path).find("Unlinked Speeder: cpu:9"), std::string::npos);
        PostMessageA(bar, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitForEnd(bar));
    }
    EXPECT_TRUE(ReadAll(folder_ / "DEBUG.log").empty());
}

// A settings tree damaged in type, range and size starts a visible bar on
// the screen, and what the next exit writes back is in range.
TEST_F(EngineTest, ADamagedSettingsTreeStartsAVisibleBarAndIsWrittenBackInRange) {
    const std::string app = "Software\\Brannock\\corvex\\0.0.1\\";
    RawDeleteTree(HKEY_CURRENT_USER, "Software\\Brannock\\corvex");
    const std::string options = app + "Options", cpu = app + "Sentinels\\CPU Sentinel";
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, options, "Transparency", 4096));
    ASSERT_TRUE(RawSet(HKEY_CURRENT_USER, options, "Update", REG_SZ, "fast", 5));
    ASSERT_TRUE(RawSet(HKEY_CURRENT_USER, options, "Stick", REG_BINARY, "\x01\x02", 2));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, options, "Hotkey", 0x12345678));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, options, "Back Color", 0x7F000000));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, options, "Visible", 7));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, options + "\\TrayContainer", "_total", 100000));
    const std::string screen = app + "Screen\\" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                               std::to_string(GetSystemMetrics(SM_CYSCREEN));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, screen, "X", static_cast<DWORD>(-20000)));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, screen, "Y", 32767));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, screen, "XRes", static_cast<DWORD>(GetSystemMetrics(SM_CXSCREEN))));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, screen, "YRes", static_cast<DWORD>(GetSystemMetrics(SM_CYSCREEN))));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, app + "Desposition", "X", static_cast<DWORD>(-20000)));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, app + "Desposition", "Y", 20000));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, cpu, "order", static_cast<DWORD>(-5)));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, app + "Sentinels\\Drive Sentinel", "order", 3));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, app + "Sentinels\\Memory Sentinel", "order", 3));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, cpu + "\\Speeders\\cpu 1", "NBY", 100000));
    const std::string longNick(100000, 'n');
    ASSERT_TRUE(RawSet(HKEY_CURRENT_USER, cpu + "\\Speeders\\cpu 1", "Nick", REG_SZ, longNick.c_str(),
                       static_cast<DWORD>(longNick.size() + 1)));
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, app + "Sentinels\\Mail Sentinel\\Speeders\\" + std::to_string(i),
                                "port", 110));

    const HWND bar = StartEngine(" -logfile=motor.log -debug=1");
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(WaitForLog("ERROR: _lair:"));
    RECT r{};
    GetWindowRect(bar, &r);
    RECT screenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, on{};
    EXPECT_TRUE(IntersectRect(&on, &r, &screenRect)) << r.left << "," << r.top;
    EXPECT_LT(r.bottom - r.top, 2000);  // no row 100000 high, no 200 mail rows
    EXPECT_EQ(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_LAYERED, 0);  // opaque, as by default
    PostMessageA(bar, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForEnd(bar));

    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, options, "Transparency", -1), 255);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, options, "Update", -1), 1000);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, options, "Stick", -1), 10);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, options, "Hotkey", -1), 0xC057);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, options, "Back Color", -1), 0x808080);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, options + "\\TrayContainer", "_total", -1), 0);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, cpu + "\\Speeders\\cpu 1", "NBY", -1), 17);
    const long x = RawDword(HKEY_CURRENT_USER, screen, "X", -1), y = RawDword(HKEY_CURRENT_USER, screen, "Y", -1);
    EXPECT_TRUE(x >= 0 && x < GetSystemMetrics(SM_CXSCREEN) && y >= 0 && y < GetSystemMetrics(SM_CYSCREEN))
        << x << "," << y;
    std::vector<long> orders;
    for (const char* name : {"Drive", "CPU", "Memory", "FSR", "Audio", "System", "Net", "Kernel", "LAN", "Mail", "RAS"})
        orders.push_back(RawDword(HKEY_CURRENT_USER, app + "Sentinels\\" + name + " Sentinel", "order", -1));
    std::sort(orders.begin(), orders.end());
    for (long i = 0; i < 11; ++i) EXPECT_EQ(orders[static_cast<std::size_t>(i)], i);
    RawDeleteTree(HKEY_CURRENT_USER, "Software\\Brannock\\corvex");
}

TEST_F(EngineTest, TheBarSnapsTogglesWithTheHotKeyAndComesBackWhereItWas) {
    const char* const settings = "Software\\Brannock\\corvex";
    RawDeleteTree(HKEY_CURRENT_USER, settings);
    HWND bar = StartEngine("");
    ASSERT_NE(bar, nullptr);
    RECT r{};
    // Dropped 7 pixels from the left edge, it snaps onto it.
    SetWindowPos(bar, nullptr, 7, 240, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(bar, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 240);
    SetWindowPos(bar, nullptr, 300, 200, 180, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);

    PressChord({VK_CONTROL, VK_MENU, 'W'});  // the default hot key
    EXPECT_TRUE(WaitForVisible(bar, false));
    PressChord({VK_CONTROL, VK_MENU, 'W'});  // the default hot key
    EXPECT_TRUE(WaitForVisible(bar, true));

    PostMessageA(bar, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForEnd(bar));
    bar = StartEngine("");
    ASSERT_NE(bar, nullptr);
    GetWindowRect(bar, &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.right - r.left, 180);
    PostMessageA(bar, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForEnd(bar));
    RawDeleteTree(HKEY_CURRENT_USER, settings);
}

}  // namespace
}  // namespace corvex::test
