// Tool-tip text of the notification-area icons: the cut to the shell's
// tip size, and the percentage put into a user's hint without ever
// treating the hint as a format string.
#include "TrayHint.h"

#include <gtest/gtest.h>

#include <string>

namespace corvex {
namespace {

TEST(TrayHint, CutKeepsShortHintsAndTrimsLongOnesToTheLimit) {
    const std::string seventy(70, 'x');
    EXPECT_EQ(CutTrayHint(seventy, 63), std::string(63, 'x'));
    EXPECT_EQ(CutTrayHint(seventy, 62), std::string(62, 'x'));
    EXPECT_EQ(CutTrayHint(std::string(63, 'y'), 63), std::string(63, 'y'));
    EXPECT_EQ(CutTrayHint("", 63), "");
}

TEST(TrayHint, OnlyAnSInEitherCaseAfterAPercentAsksForTheValue) {
    EXPECT_TRUE(TrayHintWantsValue("CPU %s"));
    EXPECT_TRUE(TrayHintWantsValue("CPU %S"));
    EXPECT_FALSE(TrayHintWantsValue("CPU %d"));
    EXPECT_FALSE(TrayHintWantsValue("CPU s%"));
    EXPECT_FALSE(TrayHintWantsValue("%"));
    EXPECT_FALSE(TrayHintWantsValue(""));
}

TEST(TrayHint, TheFirstPlaceholderBecomesThePercentage) {
    EXPECT_EQ(FormatTrayHint("CPU %s", 42), "CPU 42%");
    EXPECT_EQ(FormatTrayHint("%S load", 0), "0% load");
    EXPECT_EQ(FormatTrayHint("%s", 100), "100%");
    EXPECT_EQ(FormatTrayHint("%s", 4294967295u), "4294967295%");
}

TEST(TrayHint, OtherPercentSequencesStayTextAndNeedNoArguments) {
    // A printf-style formatter would read arguments that are not there for
    // every one of these.
    EXPECT_EQ(FormatTrayHint("%d %s %x %n %p", 7), "%d 7% %x %n %p");
    EXPECT_EQ(FormatTrayHint("%s and %s", 7), "7% and %s");
    EXPECT_EQ(FormatTrayHint("100%% of %s", 7), "100% of 7%");
    EXPECT_EQ(FormatTrayHint("ends in %", 7), "ends in %");
    EXPECT_EQ(FormatTrayHint("%%s", 7), "%s");
}

}  // namespace
}  // namespace corvex
