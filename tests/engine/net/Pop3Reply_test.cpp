#include "Pop3Reply.h"

#include <gtest/gtest.h>

#include <string>

#include "Pop3Errors.h"

namespace corvex {
namespace {

TEST(Pop3Reply, WordsLieBetweenSingleSpaces) {
    const std::string stat = "+OK 3 534\r\n";
    EXPECT_EQ(ReplyWord(stat, 1), "+OK");
    EXPECT_EQ(ReplyWord(stat, 3), "534\r\n");  // the last keeps the line end
    EXPECT_EQ(ReplyWord(stat, 4), "");
    EXPECT_EQ(ReplyWord("+OK\r\n", 1), "+OK\r\n");
    EXPECT_EQ(ReplyWord("+OK  3", 2), "");  // two spaces: an empty word
    EXPECT_EQ(ReplyWord("+OK  3", 3), "3");
    EXPECT_EQ(ReplyWord("a b", 0), "");
}

TEST(Pop3Reply, PositiveRepliesCodesAndCounts) {
    struct Case {
        const char* reply;
        bool positive;
        std::uint16_t code;
        std::uint32_t count;
    } const cases[] = {
        {"+OK 3 534\r\n", true, 0, 3},        {"+OK\r\n", true, 0, 0},
        {"+OK 3\r\n", true, 0, 3},            {"-ERR [AUTH] failed.\r\n", false, 0, 0},
        {"-ERR +OK", false, 0, 0},            {"x+OKy 7 1", true, 0, 7},
        {"+OK -3 9\r\n", true, 0, 0},         {"+OK 3x 9\r\n", true, 0, 0},
        {"+OK 2147483647 1", true, 0, 2147483647u}, {"+OK 2147483648 1", true, 0, 0},
        {"250 fine\r\n", false, 250, 0},      {"65535\r\n", false, 65535, 0},
        {"65536\r\n", false, 0, 0},           {"007x", false, 7, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplyPositive(c.reply), c.positive) << c.reply;
        EXPECT_EQ(ReplyCode(c.reply), c.code) << c.reply;
        EXPECT_EQ(StatCount(c.reply), c.count) << c.reply;
    }
}

TEST(Pop3Reply, DottedAddressesSingleLinesAndNoSocketErrorWithoutWords) {
    EXPECT_EQ(SocketErrorText(10061), "10061:Connection refused");
    EXPECT_EQ(SocketErrorText(10099), "10099:Unknown Error No. 10099");
    std::uint32_t address = 0;
    ASSERT_TRUE(ParseDottedAddress("127.0.0.1", address));
    EXPECT_EQ(address, 0x7F000001u);
    for (const char* name : {"localhost", "127.0.0", "127.0.0.1.", "127.0.0.256", "1..2.3", "0127.0.0.1", " 1.2.3.4"})
        EXPECT_FALSE(ParseDottedAddress(name, address)) << name;
    EXPECT_TRUE(IsOneLine("USER alice"));
    EXPECT_FALSE(IsOneLine("USER alice\r\nDELE 1"));
    EXPECT_FALSE(IsOneLine(std::string("PASS a\0b", 8)));
}

TEST(Pop3Reply, ALineIsGatheredThroughItsLineFeedAndNoFurther) {
    _linegather line;
    EXPECT_EQ(line.Wanted("+OK hel"), 7u);
    ASSERT_TRUE(line.Append("+OK hel"));
    EXPECT_EQ(line.Wanted("lo\r\n+OK next\r\n"), 4u);  // the next line stays pending
    ASSERT_TRUE(line.Append("lo\r\n"));
    EXPECT_TRUE(line.Complete());
    EXPECT_EQ(line.Line(), "+OK hello\r\n");

    _linegather longest;  // the longest line fits, one byte more does not
    ASSERT_TRUE(longest.Append(std::string(POP3_LINE_MAX - 1, 'x')));
    EXPECT_EQ(longest.Wanted("yy\n"), 1u);
    EXPECT_FALSE(longest.Append("yy"));
    EXPECT_FALSE(longest.Overflowed());
    ASSERT_TRUE(longest.Append("y"));
    EXPECT_TRUE(longest.Overflowed());
}

}  // namespace
}  // namespace corvex
