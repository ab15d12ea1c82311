#include "Pop3Reply.h"

#include <gtest/gtest.h>

#include <string>

#include "Pop3Errors.h"

namespace corvex {
namespace {

TEST(Pop3Reply, WordsLieBetweenSingleSpaces) {
    struct Case {
        const char* reply;
        std::size_t n;
        const char* word;
    } const cases[] = {
        {"+OK 3 534\r\n", 1, "+OK"},  {"+OK 3 534\r\n", 2, "3"},  {"+OK 3 534\r\n", 3, "534\r\n"},
        {"+OK 3 534\r\n", 4, ""},     {"+OK\r\n", 1, "+OK\r\n"},  {"+OK\r\n", 2, ""},
        {"+OK  3\r\n", 2, ""},        {"+OK  3\r\n", 3, "3\r\n"}, {" lead", 1, ""},
        {"end ", 2, ""},              {"", 1, ""},                {"a b", 0, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ReplyWord(c.reply, c.n), c.word) << c.reply << " #" << c.n;
}

TEST(Pop3Reply, PositiveRepliesCodesAndCounts) {
    struct Case {
        const char* reply;
        bool positive;
        std::uint16_t code;
        std::uint32_t count;
    } const cases[] = {
        {"+OK 3 534\r\n", true, 0, 3},
        {"+OK\r\n", true, 0, 0},  // no count at all
        {"+OK 3\r\n", true, 0, 3},  // the count is the last word, CR LF and all
        {"+OK 0 0\r\n", true, 0, 0},
        {"-ERR [AUTH] Authentication failed.\r\n", false, 0, 0},
        {"-ERR +OK", false, 0, 0},  // only the first word counts
        {"x+OKy 7 1", true, 0, 7},
        {"+OK -3 9\r\n", true, 0, 0},  // a sign is no count
        {"+OK 3x 9\r\n", true, 0, 0},
        {"+OK 2147483647 1\r\n", true, 0, 2147483647u},
        {"+OK 2147483648 1\r\n", true, 0, 0},
        {"+OK 99999999999 1\r\n", true, 0, 0},
        {"250 fine\r\n", false, 250, 0},
        {"65535\r\n", false, 65535, 0},
        {"65536\r\n", false, 0, 0},  // beyond 16 bits
        {"12345678901234", false, 0, 0},  // ten digits read, too many for 16 bits
        {"007x", false, 7, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplyPositive(c.reply), c.positive) << c.reply;
        EXPECT_EQ(ReplyCode(c.reply), c.code) << c.reply;
        EXPECT_EQ(StatCount(c.reply), c.count) << c.reply;
    }
}

TEST(Pop3Reply, DottedAddressesOnly) {
    std::uint32_t address = 0;
    ASSERT_TRUE(ParseDottedAddress("127.0.0.1", address));
    EXPECT_EQ(address, 0x7F000001u);
    ASSERT_TRUE(ParseDottedAddress("255.255.255.255", address));
    EXPECT_EQ(address, 0xFFFFFFFFu);
    address = 42;
    for (const char* name : {"localhost", "127.0.0", "127.0.0.1.", "127.0.0.256", "1.2.3.4x", "", "1..2.3",
                             "0127.0.0.1", " 1.2.3.4", "mail.example"})
        EXPECT_FALSE(ParseDottedAddress(name, address)) << name;
    EXPECT_EQ(address, 42u);
}

TEST(Pop3Reply, CommandsAreSingleLines) {
    EXPECT_TRUE(IsOneLine("USER alice"));
    EXPECT_FALSE(IsOneLine("USER alice\r\nDELE 1"));
    EXPECT_FALSE(IsOneLine("PASS x\n"));
    EXPECT_FALSE(IsOneLine(std::string("PASS a\0b", 8)));
}

TEST(Pop3Reply, ALineIsGatheredThroughItsLineFeedAndNoFurther) {
    _linegather line;
    EXPECT_EQ(line.Wanted("+OK hel"), 7u);  // no line feed yet: all of it
    ASSERT_TRUE(line.Append("+OK hel"));
    EXPECT_FALSE(line.Complete());
    EXPECT_EQ(line.Wanted("lo\r\n+OK next\r\n"), 4u);  // the next line stays pending
    ASSERT_TRUE(line.Append("lo\r\n"));
    EXPECT_TRUE(line.Complete());
    EXPECT_EQ(line.Line(), "+OK hello\r\n");

    // A line of the longest length still fits; one byte more does not.
    _linegather full;
    const std::string body(POP3_LINE_MAX - 1, 'x');
    ASSERT_TRUE(full.Append(body));
    EXPECT_EQ(full.Wanted(std::string(10, 'y')), 1u);
    EXPECT_FALSE(full.Append("yy"));
    ASSERT_TRUE(full.Append("\n"));
    EXPECT_TRUE(full.Complete());
    EXPECT_FALSE(full.Overflowed());

    _linegather endless;
    ASSERT_TRUE(endless.Append(std::string(POP3_LINE_MAX, 'x')));
    EXPECT_TRUE(endless.Overflowed());
    EXPECT_EQ(endless.Wanted("z\n"), 0u);
}

TEST(Pop3Errors, TextsAndWhatTheLogShowsOfAPassword) {
    EXPECT_STREQ(Pop3ErrorText(POP3_ERROR_UNRESOLVED_HOST), "unresolved host");
    EXPECT_STREQ(Pop3ErrorText(POP3_ERROR_TIMEOUT), "mail server time out");
    EXPECT_STREQ(Pop3ErrorText(POP3_ERROR_AUTH_REQUIRED), "login required");
    EXPECT_STREQ(Pop3ErrorText(POP3_ERROR_AUTH_DENIED), "login incorrect");
    EXPECT_STREQ(Pop3ErrorText(POP3_ERROR_CONN_FAILED), "connection failed");
    EXPECT_STREQ(Pop3ErrorText(POP3_OK), "");
    EXPECT_STREQ(Pop3ErrorText(POP3_ERROR), "general error");
    EXPECT_STREQ(Pop3ErrorText(7), "ASSERT: unknown error");
    EXPECT_STREQ(Pop3ErrorText(-1), "ASSERT: unknown error");

    EXPECT_EQ(MaskedSecret(""), "");
    EXPECT_EQ(MaskedSecret("secret"), "******");
    EXPECT_EQ(MaskedSecret("a much longer password"), "******");
    EXPECT_EQ(SocketErrorText(10061), "10061:Connection refused");
    EXPECT_EQ(SocketErrorText(10099), "10099:Unknown Error No. 10099");
}

}  // namespace
}  // namespace corvex
