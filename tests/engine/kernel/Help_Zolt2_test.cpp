// The help page and the about box: the browser found through the file
// type of ".htm", and the libraries outside the program reported missing.

#include "About_Launcher_Zolt2.h"
#include "CPU_Wizard_Launcher_Zolt2.h"
#include "Help_Zolt2.h"

#include <gtest/gtest.h>

#include "Registry_Zolt2.h"
#include "support/MessageBoxes.h"
#include "support/Processes.h"

namespace corvex::test {
namespace {

// Registers `type` with `command` for ".htm" and sets the old one back at the end.
class BrowserRegistration {
public:
    BrowserRegistration(const std::string& type, const std::string& command) : type_(type) {
        _registry registry;
        registry.SetRootKey(REGISTRY_CLASSES_ROOT);
        registry.OpenKey("\\.htm", true, REGISTRY_READ_WRITE);
        old_ = registry.ReadString("");
        registry.WriteString("", type);
        registry.OpenKey("\\" + type + "\\shell\\Open\\Command", true, REGISTRY_READ_WRITE);
        registry.WriteString("", command);
    }
    ~BrowserRegistration() {
        _registry registry;
        registry.SetRootKey(REGISTRY_CLASSES_ROOT);
        registry.OpenKey("\\.htm", true, REGISTRY_READ_WRITE);
        registry.WriteString("", old_);
        registry.DeleteKey("\\" + type_);
    }

private:
    std::string type_, old_;
};

TEST(Help, OpensThePageInTheRegisteredBrowserWithoutItsSwitches) {
    const BrowserRegistration registration("corvex.testpage", "C:\\B\\browser.exe /nohome");
    _component owner;
    _help& help = owner.Make<_help>();
    EXPECT_EQ(help.Browser(), "C:\\B\\browser.exe /nohome");
    EXPECT_EQ(help.ErrorStr(), "");
    EXPECT_EQ(help.HelpFile(), "help.htm");
    std::string started;
    bool starts = true;
    help.SetStarter([&](const std::string& command) {
        started = command;
        return starts;
    });
    help.SetHelpFile("C:\\corvex\\help\\corvex_main.htm");
    EXPECT_EQ(help.OpenPage("sdrive"), _OK);
    EXPECT_EQ(started, "C:\\B\\browser.exe \"file:///C:/corvex/help/corvex_main.htm#sdrive\"");
    starts = false;
    EXPECT_EQ(help.OpenPage(), _ERROR);
}

// The usual registration, a quoted program in a folder with a blank and a
// quoted "%1": the browser really started gets the page whole.
TEST(Help, AnOrdinaryRegistrationGetsThePageAsOneArgument) {
    const TempFolder folder("browser folder");
    ASSERT_TRUE(CopyProgram(BinFolder() + "\\engine_recorder.exe", folder / "browser.exe"));
    const BrowserRegistration registration("corvex.testpage", "\"" + (folder / "browser.exe") + "\" \"%1\"");
    _component owner;
    _help& help = owner.Make<_help>();
    help.SetHelpFile("C:\\Program Files\\Corvex\\help\\corvex_main.htm");
    ASSERT_EQ(help.OpenPage("_sram"), _OK);
    std::string line;
    ASSERT_TRUE(WaitForFile(folder / "engine-command-line.txt", line));
    EXPECT_EQ(line, "\"" + (folder / "browser.exe") + "\" \"file:///C:/Program%20Files/Corvex/help/corvex_main.htm#_sram\"");
}

TEST(Help, ATypeWithoutACommandIsNoBrowser) {
    _registry registry;
    registry.SetRootKey(REGISTRY_CLASSES_ROOT);
    const char* const extensions[] = {"\\.htm", "\\.html"};
    std::string old[2];
    for (int i = 0; i < 2; ++i) {
        registry.OpenKey(extensions[i], true, REGISTRY_READ_WRITE);
        old[i] = registry.ReadString("");
        registry.WriteString("", "corvex.nocommand");
    }
    _component owner;
    _help& help = owner.Make<_help>();
    EXPECT_EQ(help.GetBrowser(), _ERROR);
    EXPECT_EQ(help.ErrorStr(), "browser not found");
    for (int i = 0; i < 2; ++i) {
        registry.OpenKey(extensions[i], true, REGISTRY_READ_WRITE);
        registry.WriteString("", old[i]);
    }
}

bool BesideThisProgram(const std::string& file) {
    return GetFileAttributesA((BinFolder() + "\\" + file).c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(About, AMissingLibraryOrEntryPointIsToldAndFails) {
    // The build puts both libraries beside this program: the missing case
    // runs in a copy of this program in a folder of its own, started from
    // a folder where libraries of the same names lie (each the other one,
    // so that running one would tell). Only the program's own folder counts.
    if (BesideThisProgram("infopane32.dll") || BesideThisProgram("cpupanel32.dll")) {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        const TempFolder alone("about"), planted("planted");
        ASSERT_TRUE(CopyProgram(self, alone / "alone.exe"));
        ASSERT_TRUE(CopyProgram(BinFolder() + "\\cpupanel32.dll", planted / "infopane32.dll"));
        ASSERT_TRUE(CopyProgram(BinFolder() + "\\infopane32.dll", planted / "cpupanel32.dll"));
        const ProcessResult run = RunCaptured(
            "\"" + (alone / "alone.exe") + "\" --gtest_filter=About.AMissingLibraryOrEntryPointIsToldAndFails",
            planted.Path(), 60000);
        ASSERT_TRUE(run.finished) << run.output;
        EXPECT_EQ(run.exitCode, 0u) << run.output;
        EXPECT_NE(run.output.find("[  PASSED  ] 1 test."), std::string::npos) << run.output;
        return;
    }
    _component owner;
    _about& about = owner.Make<_about>();
    EXPECT_EQ(about.DllName(), "infopane32.dll");
    {
        // The box the user sees, answered as the user would.
        BoxPresser presser("About Wizard Error", IDOK);
        EXPECT_EQ(about.Execute(), _ERROR);
        ASSERT_TRUE(presser.Found());
        EXPECT_EQ(presser.Text(), "infopane32.dll not found or open failure");
    }
    EXPECT_NE(about.LastError(), 0u);
    std::string told;
    about.SetNotice([&](const std::string& text) { told = text; });
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string kernel = std::string(system) + "\\kernel32.dll";
    about.SetDllName(kernel);
    EXPECT_EQ(about.Execute(), _ERROR);
    EXPECT_EQ(told, kernel + ": function not thunked");

    EXPECT_EQ(LaunchCpuInfo([&](const std::string& text) { told = text; }), _ERROR);
    EXPECT_EQ(told, "cpupanel32.dll not found or open failure");

    // Texts past 255 characters are cut; the creation time cannot be overwritten.
    about.SetAppName(std::string(300, 'a'));
    EXPECT_EQ(about.AppName().size(), 255u);
    const std::time_t made = about.Compiled();
    about.SetCompiled(made - 86400);
    EXPECT_GE(about.Compiled(), made);
}

}  // namespace
}  // namespace corvex::test
