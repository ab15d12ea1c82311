#include "Launcher.h"

#include <gtest/gtest.h>

#include <sstream>

#include "Inputs_Zolt2.h"

namespace corvex {
namespace {

_launchplan Plan(std::vector<std::string> args) {
    args.insert(args.begin(), "D:\\bin\\corvex32.exe");
    return PlanLaunch(args);
}

TEST(PlanLaunch, UsageNamesTheLauncherByItsFileName) {
    const _launchplan plan = Plan({"-?"});
    EXPECT_FALSE(plan.start);
    ASSERT_EQ(plan.lines.size(), 2u + 21u);
    EXPECT_EQ(plan.lines[0], "Corvex v0.5.3 build:1");
    EXPECT_EQ(plan.lines[1], "");
    EXPECT_EQ(plan.lines[2], "Usage: corvex32.exe [-flags]");
    EXPECT_EQ(plan.lines.back(), "            -help               : this screen");
}

// The engine splits its command line by the C runtime's rules; whatever
// value the user gave must come back to it whole.
TEST(PlanLaunch, ValuesNeedingQuotesAreQuotedForTheCRuntime) {
    EXPECT_EQ(Plan({"-logfile=a b\\"}).engineCommandLine, "motor32.dex \"/logfile=a b\\\\\"");
    EXPECT_EQ(Plan({"-unlink=a\"b"}).engineCommandLine, "motor32.dex \"-UNLINK=a\\\"b\"");
    EXPECT_EQ(Plan({"-unlink=a\\\"b c"}).engineCommandLine,
              "motor32.dex \"-UNLINK=a\\\\\\\"b c\"");
    EXPECT_EQ(Plan({"-unlink=tab\there"}).engineCommandLine, "motor32.dex \"-UNLINK=tab\there\"");
    // Backslashes not before a quote stay single.
    EXPECT_EQ(Plan({"-logfile:c:\\my logs\\x.log"}).engineCommandLine,
              "motor32.dex \"/logfile:c:\\my logs\\x.log\"");
}

// Both programs read an option's name up to the first colon, so a value
// with a colon in it is passed behind a colon; every value reaches the
// engine as the user gave it.
TEST(PlanLaunch, TheEngineReadsBackEveryValueAsGiven) {
    const struct {
        const char* option;
        const char* value;
        const char* engineForm;
    } cases[] = {
        {"-logfile:", "c:\\corvex.log", "/logfile:c:\\corvex.log"},
        {"-logfile:", "c:\\a=b.log", "/logfile:c:\\a=b.log"},
        {"-logfile=", "a=b.log", "/logfile=a=b.log"},
        {"-logfile=", "x.log", "/logfile=x.log"},
        {"-unlink:", "cpu:1", "-UNLINK:cpu:1"},
        {"-unlink=", "ram", "-UNLINK=ram"},
    };
    for (const auto& c : cases) {
        const _launchplan plan = Plan({std::string(c.option) + c.value});
        ASSERT_TRUE(plan.start) << c.value;
        EXPECT_EQ(plan.engineCommandLine, std::string("motor32.dex ") + c.engineForm);
        std::vector<std::string> args;
        std::istringstream words(plan.engineCommandLine);
        for (std::string word; words >> word;) args.push_back(word);
        std::vector<_inputentry> entries;
        int count = 0;
        std::string message;
        ASSERT_EQ(Parse(args, entries, count, message), INPUTS_PARSED) << message;
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[1].value, c.value);
    }
}

TEST(PlanLaunch, ANegativeUnplugPassesAndIsKeptAsWritten) {
    const _launchplan plan = Plan({"-unplug=-1", "-unplug=+007"});
    EXPECT_TRUE(plan.start);
    EXPECT_EQ(plan.engineCommandLine, "motor32.dex -UNPLUG=-1 -UNPLUG=+007");
}

}  // namespace
}  // namespace corvex
