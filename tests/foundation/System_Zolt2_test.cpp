#include "System_Zolt2.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "support/Processes.h"

namespace corvex {
namespace {

bool FakeWin98(_osversion& v) {
    v.platform = _osversion::WIN32_WINDOWS;
    v.major = 4;
    v.minor = 10;
    v.build = 0x040A0000 | 2222;
    v.servicePack = " A ";
    return true;
}

bool FailingQuery(_osversion&) { return false; }

class VersionSource : public ::testing::Test {
protected:
    void TearDown() override { SetVersionSource(nullptr); }
};

TEST_F(VersionSource, ReplacedSourceDrivesReleaseAndDescription) {
    SetVersionSource(FakeWin98);
    EXPECT_EQ(WindowsRelease(), RELEASE_WIN98);
    EXPECT_EQ(SystemDescription(), "Win98 4.10 (2222)  A ");

    EXPECT_EQ(SetVersionSource(FailingQuery), &FakeWin98);
    EXPECT_EQ(WindowsRelease(), RELEASE_UNKNOWN);
    EXPECT_EQ(SystemDescription(), "Unknown");

    SetVersionSource(nullptr);
    EXPECT_NE(SystemDescription(), "Unknown");
}

// The same executable, told by Wine to be another Windows, takes the path
// of that family through the real GetVersionEx.
TEST(SystemRelease, RealQueryUnderEachEmulatedVersion) {
    if (!test::RunningUnderWine()) GTEST_SKIP() << "needs Wine's per-program version";
    const struct {
        const char* wineVersion;
        int release;
        const char* description;  // regular expression
    } cases[] = {
        {"win95", 0, R"(Win95 4\.0 \(950\) .*)"},
        {"win98", 2, R"(Win98 4\.10 \(\d+\) .*)"},  // 1998 or 2222 (SE)
        {"winme", 2, R"(Win98 4\.90 \(3000\) .*)"},
        {"nt40", 4, R"(WinNT 4\.0 \(1381\) .*)"},
        {"win2k", 5, R"(Win2000 5\.0 \(2195\) .*)"},
        {"win7", 8, R"(Unknown 6\.1 \(7601\) .*)"},
    };
    test::TempFolder folder("sysinfo-test");
    for (const auto& c : cases) {
        const std::string exe = std::string("corvexprobe_") + c.wineVersion + ".exe";
        ASSERT_TRUE(test::CopyProgram(test::BinFolder() + "\\sysinfo_probe.exe", folder / exe));
        const std::string key = "Software\\Wine\\AppDefaults\\" + exe;
        HKEY hkey;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &hkey, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(hkey, "Version", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(c.wineVersion),
                       static_cast<DWORD>(strlen(c.wineVersion) + 1));
        RegCloseKey(hkey);

        const test::ProcessResult r = test::RunCaptured("\"" + (folder / exe) + "\"", folder.Path());
        RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
        ASSERT_TRUE(r.finished) << c.wineVersion;
        const std::size_t bar = r.output.find('|');
        ASSERT_NE(bar, std::string::npos) << r.output;
        EXPECT_EQ(std::atoi(r.output.substr(0, bar).c_str()), c.release) << c.wineVersion;
        EXPECT_TRUE(std::regex_match(r.output.substr(bar + 1), std::regex(c.description)))
            << c.wineVersion << ": " << r.output;
    }
}

TEST(SystemInformation, NamesMemoryAndAddress) {
    char expected[256] = {};
    if (GetEnvironmentVariableA("USERNAME", expected, sizeof expected)) {
        EXPECT_EQ(UserName(), expected);
    }
    EXPECT_FALSE(ComputerName().empty());
    EXPECT_EQ(ComputerName().find_first_of(" \\/"), std::string::npos);

    double available = 0, total = 0;
    MemoryStatus(available, total);
    EXPECT_GT(total, 0.0);
    EXPECT_GT(available, 0.0);
    EXPECT_LE(available, total);
    if (sizeof(void*) == 4) {
        EXPECT_LE(total, 4294967295.0) << "a 32-bit process is told at most 4 GiB";
    }

    const std::string address = HostAddress();
    if (!address.empty()) {
        EXPECT_TRUE(std::regex_match(address, std::regex(R"(\d{1,3}(\.\d{1,3}){3})"))) << address;
    }
}

TEST(SystemInformation, ArgumentsStartWithTheFullProgramPath) {
    const std::vector<std::string> args = CommandLineArguments();
    ASSERT_GE(args.size(), 1u);
    EXPECT_EQ(args[0], test::BinFolder() + "\\corvex_foundation_tests.exe");
}

TEST(RunProgram, StartsWithoutWaitingOrFails) {
    test::TempFolder folder("runprogram-test");
    ASSERT_TRUE(test::CopyProgram(test::BinFolder() + "\\engine_recorder.exe",
                                  folder / "recorder.exe"));
    EXPECT_EQ(RunProgram("\"" + (folder / "recorder.exe") + "\" one  two"), 0);
    std::string line;
    ASSERT_TRUE(test::WaitForFile(folder / "engine-command-line.txt", line));
    EXPECT_EQ(line, "\"" + (folder / "recorder.exe") + "\" one  two");

    EXPECT_EQ(RunProgram(folder / "no-such-program.exe"), -1);
    EXPECT_EQ(RunProgram(""), -1);
}

}  // namespace
}  // namespace corvex
