// What the Designer's status bar and tray box say, and how it reads the
// frequency box.

#include "DesignerRules.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(DesignerRules, PositionsItemsAndTheirTrays) {
    EXPECT_EQ(EntityPosition(2, 0), "2");
    EXPECT_EQ(EntityPosition(2, 1), "2:1");
    EXPECT_EQ(EntityText("cpu 1"), "     cpu 1");
    EXPECT_TRUE(TrayItems(0).empty());
    EXPECT_EQ(TrayItems(2), (std::vector<std::string>{"1 - left", "1 - right", "2 - left", "2 - right"}));
    // Bar 1 of the second gauge is item 3, and back.
    EXPECT_EQ(TrayItem(1, 1, 2), 3);
    EXPECT_EQ(TrayOfItem(3, 2).tray, 1);
    EXPECT_EQ(TrayOfItem(3, 2).bar, 1);
    for (const auto& [tray, bar] : {std::pair{2, 0}, {-1, 0}, {0, 2}, {0, -1}}) EXPECT_EQ(TrayItem(tray, bar, 2), -1);
    for (int item : {-1, 4}) EXPECT_EQ(TrayOfItem(item, 2).tray, -1);
}

TEST(DesignerRules, TheFrequencyBoxTakesWholePositiveNumbersInItsRange) {
    using E = _frequencyentry;
    struct Case {
        const char* text;
        E::_action action;
        unsigned long period;
        const char* rewrite;
    } const cases[] = {
        {"500", E::FREQUENCY_SET, 500, ""},
        {" 500 ", E::FREQUENCY_SET, 500, ""},
        {"-500", E::FREQUENCY_SET, 500, "500"},
        {"+500", E::FREQUENCY_SET, 500, "500"},
        {"0", E::FREQUENCY_KEEP, 0, ""},
        {"-0", E::FREQUENCY_KEEP, 0, ""},
        {"", E::FREQUENCY_KEEP, 0, ""},
        {"-", E::FREQUENCY_KEEP, 0, ""},
        {"5", E::FREQUENCY_KEEP, 0, ""},      // on its way to 500
        {"-5", E::FREQUENCY_KEEP, 0, "5"},
        {"10", E::FREQUENCY_SET, 10, ""},
        {"100000000", E::FREQUENCY_SET, 100000000, ""},
        {"100000001", E::FREQUENCY_SET, 100000000, "100000000"},
        {"99999999999999999999999", E::FREQUENCY_SET, 100000000, "100000000"},
        {"12a", E::FREQUENCY_RESET, 0, "0"},
        {"fast", E::FREQUENCY_RESET, 0, "0"},
        {"--5", E::FREQUENCY_RESET, 0, "0"},
    };
    for (const Case& c : cases) {
        const E entry = ReadFrequencyBox(c.text, 10, 100000000);
        EXPECT_EQ(entry.action, c.action) << c.text;
        EXPECT_EQ(entry.period, c.period) << c.text;
        EXPECT_EQ(entry.rewrite, c.rewrite) << c.text;
    }
}

}  // namespace
}  // namespace corvex
