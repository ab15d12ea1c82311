// Runs the real corvex32.exe and compares its whole output byte for byte;
// a recorder installed as "motor32.dex" tells what the engine would get.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Processes.h"

namespace corvex::test {
namespace {

const char* const kBanner = "Corvex v0.5.3 build:1\r\n\r\n";

std::string Usage() {
    static const char* const lines[] = {
        "Usage: corvex32.exe [-flags]",
        "      flags:",
        "            -logfile=<file>     : sets logfile name",
        "            -debug=<level>      : sets debug level",
        "            -docking=<boolean>  : switch on/off docking mode of Corvex",
        "                                  (default: TRUE)",
        "            -unlink=<name>      : unlinks Speeder from Corvex session",
        "                                  (see help file for valid names)",
        "            -unplug=<Sentinel>  : unplugs Sentinel",
        "                                  0 - Drive Sentinel",
        "                                  1 - CPU Sentinel",
        "                                  2 - Memory Sentinel",
        "                                  3 - FSR Sentinel",
        "                                  4 - Audio Sentinel",
        "                                  5 - System Sentinel",
        "                                  6 - Net Sentinel",
        "                                  7 - Kernel Sentinel",
        "                                  8 - LAN Sentinel",
        "                                  9 - Mail Sentinel",
        "                                  10 - Modem Sentinel",
        "            -help               : this screen",
    };
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyProgram(BinFolder() + "\\corvex32.exe", folder_ / "corvex32.exe"));
    }

    void InstallEngine() {
        ASSERT_TRUE(CopyProgram(BinFolder() + "\\engine_recorder.exe", folder_ / "motor32.dex"));
    }

    // Runs the launcher with `arguments` from its own folder.
    std::string Run(const std::string& arguments) {
        const ProcessResult r =
            RunCaptured("\"" + (folder_ / "corvex32.exe") + "\"" + arguments, folder_.Path());
        EXPECT_TRUE(r.started);
        EXPECT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 0u);
        return r.output;
    }

    // What the engine was started with, or "" when it never was.
    std::string EngineCommandLine(unsigned long timeoutMs = 10000) {
        std::string line;
        WaitForFile(folder_ / "engine-command-line.txt", line, timeoutMs);
        return line;
    }

    TempFolder folder_{"corvex32-test"};
};

TEST_F(Launcher, NoArgumentsStartsTheEngineWithNoOptions) {
    InstallEngine();
    EXPECT_EQ(Run(""), std::string(kBanner) + "Corvex engine started\r\n");
    EXPECT_EQ(EngineCommandLine(), "motor32.dex");
}

TEST_F(Launcher, OptionsAreReformedInTheOrderGiven) {
    InstallEngine();
    EXPECT_EQ(Run(" -debug=5 -logfile=x.log"), std::string(kBanner) + "Corvex engine started\r\n");
    EXPECT_EQ(EngineCommandLine(), "motor32.dex -DEBUG=5 /logfile=x.log");
}

TEST_F(Launcher, EverySyntaxAndRepeatsPassOn) {
    InstallEngine();
    EXPECT_EQ(Run(" /Unplug:-1 --unlink=cpu -DOCKING=yes -unlink:mem --debug:+2 "
                  "-logfile= c:\\x.log -unplug=10 -logfile:c:\\y.log"),
              std::string(kBanner) + "Corvex engine started\r\n");
    EXPECT_EQ(EngineCommandLine(),
              "motor32.dex -UNPLUG=-1 -UNLINK=cpu /docking=yes -UNLINK=mem -DEBUG=+2"
              " /logfile:c:\\x.log -UNPLUG=10 /logfile:c:\\y.log");
}

TEST_F(Launcher, ValuesWithBlanksReachTheEngineWhole) {
    InstallEngine();
    EXPECT_EQ(Run(" \"-logfile=my log.txt\" \"-unlink=cpu 1\""),
              std::string(kBanner) + "Corvex engine started\r\n");
    EXPECT_EQ(EngineCommandLine(), "motor32.dex \"/logfile=my log.txt\" \"-UNLINK=cpu 1\"");
}

TEST_F(Launcher, MissingEngineIsReported) {
    EXPECT_EQ(Run(" -debug=1"),
              std::string(kBanner) + "ERROR: could not run Corvex engine\r\n");
}

TEST_F(Launcher, HelpAnywherePrintsUsageAndStartsNothing) {
    InstallEngine();
    for (const char* args : {" -help", " -debug=5 -logfile=x.log /?", " -h", " --HELP=x"}) {
        EXPECT_EQ(Run(args), kBanner + Usage()) << args;
    }
    EXPECT_EQ(EngineCommandLine(500), "");
}

TEST_F(Launcher, ErrorsPrintTheirLineAndTheUsage) {
    InstallEngine();
    const std::pair<const char*, const char*> cases[] = {
        {" -unplug=11", "ERROR: Sentinel Index \"11\" out of range"},
        {" -unplug=ten", "ERROR: Sentinel name \"ten\" invalid"},
        {" -unplug=99999999999", "ERROR: Sentinel name \"99999999999\" invalid"},
        {" -docking=maybe", "ERROR: invalid boolean for DOCKING"},
        {" -logfile=", "ERROR: option value undefined"},
        {" -", "ERROR: option or trigger undefined"},
        {" /-debug=3", "ERROR: option or trigger invalid"},
        {" -about", "ERROR: \"ABOUT\" not supported"},
        {" -verbose", "ERROR: \"VERBOSE\" not supported"},
        {" plain", "ERROR: \"\" not supported"},
        {" \"\"", "ERROR: \"\" not supported"},
        {" -debug=high", "ERROR: Debug level \"high\" invalid"},
        {" -debug", "ERROR: Debug level \"\" invalid"},
        {" -unlink= \"\"", "ERROR: Speeder name \"\" invalid"},
        {" -logfile= \"\"", "ERROR: invalid logfile name"},
        {" -color=red", "ERROR: invalid option \"COLOR\""},
        // The first error ends the checks; a later help is never reached.
        {" -debug=1 -x=1 -help", "ERROR: invalid option \"X\""},
    };
    for (const auto& [args, error] : cases)
        EXPECT_EQ(Run(args), kBanner + std::string(error) + "\r\n" + Usage()) << args;
    EXPECT_EQ(EngineCommandLine(500), "");
}

TEST_F(Launcher, HostileArgumentsNeverCrashIt) {
    InstallEngine();
    // A Windows command line holds at most 32767 characters.
    const std::string huge(32000, 'x');
    EXPECT_EQ(Run(" -" + huge), kBanner + std::string("ERROR: \"") +
                                    std::string(254, 'X') + "\" not supported\r\n" + Usage());
    EXPECT_EQ(Run(" -unlink=" + huge),
              std::string(kBanner) + "Corvex engine started\r\n");
    EXPECT_EQ(EngineCommandLine(), "motor32.dex -UNLINK=" + std::string(255 - 8, 'x'));
    EXPECT_EQ(Run(" -color=\xe9\xe8 \"-q=a\\\"b\""),
              kBanner + std::string("ERROR: invalid option \"COLOR\"\r\n") + Usage());
}

}  // namespace
}  // namespace corvex::test
