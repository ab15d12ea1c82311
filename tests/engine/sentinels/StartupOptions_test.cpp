#include "StartupOptions.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(StartupOptionsTest, TheUnpluggedTableHasExactlyElevenEntries) {
    _startupoptions options;
    EXPECT_FALSE(options.Unplug(-1));
    EXPECT_FALSE(options.Unplug(11));
    EXPECT_FALSE(options.Unplug(16));
    EXPECT_TRUE(options.Unplug(10));
    EXPECT_TRUE(options.Unplug(0));
    for (int i = -2; i < 20; ++i) EXPECT_EQ(options.Unplugged(i), i == 0 || i == 10) << i;
    options.Unlink("cpu");
    options.SetDockingAllowed(false);
    options.Reset();
    EXPECT_FALSE(options.Unplugged(10));
    EXPECT_TRUE(options.Unlinked().empty());
    EXPECT_TRUE(options.DockingAllowed());
}

TEST(StartupOptionsTest, UnlinkedNamesMatchExactly) {
    _startupoptions options;
    options.Unlink("ram");
    options.Unlink("ram");
    options.Unlink("");
    EXPECT_TRUE(options.IsUnlinked("ram"));
    EXPECT_FALSE(options.IsUnlinked("RAM"));
    EXPECT_FALSE(options.IsUnlinked("ram "));
    EXPECT_TRUE(options.IsUnlinked(""));
    EXPECT_EQ(options.Unlinked().size(), 3u);
    EXPECT_EQ(&StartupOptions(), &StartupOptions());
}

}  // namespace
}  // namespace corvex
