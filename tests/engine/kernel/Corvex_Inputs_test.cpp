// The engine's reading of its command line into the start-up options.
// (The DEBUG entry starts the log of this process; the end-to-end tests
// cover it with the real program.)

#include "Corvex_Inputs.h"

#include <gtest/gtest.h>

#include "StartupOptions.h"

namespace corvex::test {
namespace {

class InputsTest : public ::testing::Test {
protected:
    void SetUp() override { StartupOptions().Reset(); }
    void TearDown() override { StartupOptions().Reset(); }

    _result Parse(std::vector<std::string> args) {
        args.insert(args.begin(), "C:\\corvex\\motor32.dex");
        return ParseCorvexInputs(args);
    }
    std::vector<int> Unplugged() const {
        std::vector<int> out;
        for (int i = 0; i < SENTINEL_BUILTIN_COUNT; ++i)
            if (StartupOptions().Unplugged(i)) out.push_back(i);
        return out;
    }
};

TEST_F(InputsTest, UnplugUnlinkAndDockingFillTheOptions) {
    ASSERT_EQ(Parse({"-unplug=3", "-unlink=Ram", "-docking=no", "-unplug=10", "-unlink=swp", "-unplug=0"}), _OK);
    EXPECT_EQ(Unplugged(), (std::vector<int>{0, 3, 10}));
    EXPECT_EQ(StartupOptions().Unlinked(), (std::vector<std::string>{"Ram", "swp"}));
    EXPECT_TRUE(StartupOptions().IsUnlinked("Ram"));
    EXPECT_FALSE(StartupOptions().IsUnlinked("ram"));
    EXPECT_FALSE(StartupOptions().DockingAllowed());
}

TEST_F(InputsTest, AnUnplugOutsideTheTableIsSkippedLikeAWord) {
    ASSERT_EQ(Parse({"-unplug=11", "-unplug=-1", "-unplug=two", "-unplug=16", "-unplug=4"}), _OK);
    EXPECT_EQ(Unplugged(), std::vector<int>{4});
}

TEST_F(InputsTest, UnlinkedNamesStartEmptyOnEveryRead) {
    StartupOptions().Unlink("stale");
    ASSERT_EQ(Parse({"-unknown=1", "word", "-trigger"}), _OK);
    EXPECT_TRUE(StartupOptions().Unlinked().empty());
    EXPECT_TRUE(StartupOptions().DockingAllowed());
}

TEST_F(InputsTest, ABadDockingWordEndsTheReadThere) {
    EXPECT_EQ(Parse({"-unplug=2", "-docking=maybe", "-unplug=5"}), _ERROR);
    EXPECT_EQ(Unplugged(), std::vector<int>{2});
    EXPECT_EQ(Parse({"-docking=Y"}), _OK);
    EXPECT_TRUE(StartupOptions().DockingAllowed());
}

TEST_F(InputsTest, AMalformedArgumentMakesTheEngineIgnoreEveryOption) {
    EXPECT_EQ(Parse({"-unplug=1", "-docking=no", "-", "-unplug=2"}), _OK);
    EXPECT_TRUE(Unplugged().empty());
    EXPECT_TRUE(StartupOptions().DockingAllowed());
    EXPECT_EQ(Parse({"-unplug=1", "/-x"}), _OK);
    EXPECT_TRUE(Unplugged().empty());
}

}  // namespace
}  // namespace corvex::test
