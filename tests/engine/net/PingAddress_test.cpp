#include "PingAddress.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(PingAddress, OnlyFourDecimalPartsAreADottedAddress) {
    const struct { const char* text; bool dotted; _ipv4 address; } cases[] = {
        {"127.0.0.1", true, {127, 0, 0, 1}},   {"255.255.255.255", true, {255, 255, 255, 255}},
        {"0.0.0.0", true, {0, 0, 0, 0}},       {"127.1", false, {}},
        {"256.0.0.1", false, {}},              {"010.0.0.1", false, {}},
        {"1.2.3.4.5", false, {}},              {"1.2.3.1234", false, {}},
        {"1.2.3.", false, {}},                 {" 1.2.3.4", false, {}},
        {"localhost", false, {}},              {"", false, {}},
    };
    for (const auto& c : cases) {
        _ipv4 address{9, 9, 9, 9};
        EXPECT_EQ(ParseDottedAddress(c.text, address), c.dotted) << c.text;
        const _ipv4 untouched{9, 9, 9, 9};
        EXPECT_EQ(address, c.dotted ? c.address : untouched) << c.text;
        if (c.dotted) {
            EXPECT_EQ(DottedAddress(address), c.text);
        }
    }
}

TEST(PingAddress, TheLastOfABoundedListIsTaken) {
    const char a[] = "a", b[] = "b", c[] = "c";
    const char* const list[] = {a, b, c, nullptr};
    EXPECT_EQ(LastHostAddress(list, 16), c);
    EXPECT_EQ(LastHostAddress(list, 2), b);  // a list that does not end is cut
    const char* const empty[] = {nullptr};
    EXPECT_EQ(LastHostAddress(empty, 16), nullptr);
    EXPECT_EQ(LastHostAddress(nullptr, 16), nullptr);
}

TEST(PingAddress, AHostTextIsTrimmedAndRefusedWhenItCannotBeAKey) {
    const struct { std::string typed, host; } cases[] = {
        {"localhost", "localhost"}, {"  10.0.0.1 ", "10.0.0.1"}, {"a\\b", ""}, {"two words", ""},
        {"   ", ""}, {"tab\there", ""}, {"caf\xE9", ""}, {std::string(255, 'h'), std::string(255, 'h')},
        {std::string(256, 'h'), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(HostFromText(c.typed), c.host) << c.typed;
}

}  // namespace
}  // namespace corvex
