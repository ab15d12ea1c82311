#include "Inputs_Zolt2.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

struct Parsed {
    _inputresult result;
    std::vector<_inputentry> entries;
    int count = -1;
    std::string message;
};

Parsed ParseArgs(std::vector<std::string> args) {
    args.insert(args.begin(), "C:\\Program Files\\Corvex\\corvex32.exe");
    Parsed p;
    p.result = Parse(args, p.entries, p.count, p.message);
    return p;
}

void ExpectEntry(const _inputentry& e, _inputkind kind, const std::string& name,
                 const std::string& value) {
    EXPECT_EQ(e.kind, kind);
    EXPECT_EQ(e.name, name);
    EXPECT_EQ(e.value, value);
}

TEST(Parse, ProgramEntryCarriesFileNameAndFullPath) {
    const Parsed p = ParseArgs({});
    EXPECT_EQ(p.result, INPUTS_PARSED);
    ASSERT_EQ(p.count, 1);
    ASSERT_EQ(p.entries.size(), 1u);
    ExpectEntry(p.entries[0], INPUTS_PROGRAM, "corvex32.exe",
                "C:\\Program Files\\Corvex\\corvex32.exe");
    EXPECT_EQ(p.message, "");
}

TEST(Parse, SeparatorsPrefixesAndCase) {
    const Parsed p = ParseArgs({"-logfile=x.log", "/LogFile:x.log", "--debug=3",
                          "-logfile=c:\\x.log", "-logfile:c:\\x.log", "-Verbose",
                          "-a=b:c"});
    ASSERT_EQ(p.result, INPUTS_PARSED);
    ASSERT_EQ(p.count, 8);
    ExpectEntry(p.entries[1], INPUTS_OPTION, "LOGFILE", "x.log");
    ExpectEntry(p.entries[2], INPUTS_OPTION, "LOGFILE", "x.log");
    ExpectEntry(p.entries[3], INPUTS_DEBUG, "DEBUG", "3");
    // The colon is looked for before the equals sign.
    ExpectEntry(p.entries[4], INPUTS_OPTION, "LOGFILE=C", "\\x.log");
    ExpectEntry(p.entries[5], INPUTS_OPTION, "LOGFILE", "c:\\x.log");
    ExpectEntry(p.entries[6], INPUTS_TRIGGER, "VERBOSE", "");
    ExpectEntry(p.entries[7], INPUTS_OPTION, "A=B", "c");
}

TEST(Parse, EmptyValueTakesTheNextArgumentWhole) {
    Parsed p = ParseArgs({"-logfile=", "x.log"});
    ASSERT_EQ(p.result, INPUTS_PARSED);
    ASSERT_EQ(p.count, 2);
    ExpectEntry(p.entries[1], INPUTS_OPTION, "LOGFILE", "x.log");

    p = ParseArgs({"-logfile=", "-debug=3", "word"});
    ASSERT_EQ(p.result, INPUTS_PARSED);
    ASSERT_EQ(p.count, 3);
    ExpectEntry(p.entries[1], INPUTS_OPTION, "LOGFILE", "-debug=3");
    ExpectEntry(p.entries[2], INPUTS_PARAMETER, "", "word");

    // An empty following argument is taken as it is, too.
    p = ParseArgs({"-debug:", ""});
    ASSERT_EQ(p.result, INPUTS_PARSED);
    ExpectEntry(p.entries[1], INPUTS_DEBUG, "DEBUG", "");
}

TEST(Parse, FailuresKeepTheEntriesBeforeThem) {
    Parsed p = ParseArgs({"-a=1", "-logfile="});
    EXPECT_EQ(p.result, INPUTS_NO_VALUE);
    EXPECT_EQ(p.message, "option value undefined");
    EXPECT_EQ(p.count, 2);
    ASSERT_EQ(p.entries.size(), 2u);
    ExpectEntry(p.entries[1], INPUTS_OPTION, "A", "1");

    p = ParseArgs({"word", "-"});
    EXPECT_EQ(p.result, INPUTS_UNDEFINED);
    EXPECT_EQ(p.message, "option or trigger undefined");
    EXPECT_EQ(p.count, 2);

    p = ParseArgs({"/"});
    EXPECT_EQ(p.result, INPUTS_UNDEFINED);
    EXPECT_EQ(p.count, 1);

    p = ParseArgs({"/-debug=3", "-a"});
    EXPECT_EQ(p.result, INPUTS_INVALID);
    EXPECT_EQ(p.message, "option or trigger invalid");
    EXPECT_EQ(p.count, 1);
    EXPECT_EQ(p.entries.size(), 1u);
}

TEST(Parse, RecognisedWords) {
    const Parsed p = ParseArgs({"-h", "-help", "-?", "/HELP", "-about", "-Debug",
                          "-help=now", "-About:x", "plain", ""});
    ASSERT_EQ(p.result, INPUTS_PARSED);
    ASSERT_EQ(p.count, 11);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(p.entries[i].kind, INPUTS_HELP) << i;
    ExpectEntry(p.entries[5], INPUTS_ABOUT, "ABOUT", "");
    ExpectEntry(p.entries[6], INPUTS_DEBUG, "DEBUG", "");
    ExpectEntry(p.entries[7], INPUTS_HELP, "HELP", "now");
    ExpectEntry(p.entries[8], INPUTS_ABOUT, "ABOUT", "x");
    ExpectEntry(p.entries[9], INPUTS_PARAMETER, "", "plain");
    ExpectEntry(p.entries[10], INPUTS_PARAMETER, "", "");
}

TEST(Parse, LongArgumentsAreCutTo255BeforeParsing) {
    const std::string longName(300, 'n');
    const std::string longValue(400, 'v');
    Parsed p = ParseArgs({"-" + longName, "-x=" + longValue, "-y=", longValue,
                    std::string(100000, 'p')});
    ASSERT_EQ(p.result, INPUTS_PARSED);
    ASSERT_EQ(p.count, 5);
    EXPECT_EQ(p.entries[1].name, std::string(254, 'N'));
    // "-x=" takes 3 of the 255 characters.
    EXPECT_EQ(p.entries[2].value, std::string(252, 'v'));
    EXPECT_EQ(p.entries[3].value, std::string(255, 'v'));
    EXPECT_EQ(p.entries[4].value, std::string(255, 'p'));

    // The separator beyond the cut is not seen: the argument is a trigger.
    p = ParseArgs({"-" + std::string(260, 'k') + "=v"});
    ASSERT_EQ(p.result, INPUTS_PARSED);
    EXPECT_EQ(p.entries[1].kind, INPUTS_TRIGGER);
}

TEST(Parse, OddBytesPassThrough) {
    const Parsed p = ParseArgs({"-n\xe9me=\xc3\xa9t\xe9", "-q=\"quoted value\"", "--", "-="});
    // "-=" is an option with an empty name and no value, and it is last.
    EXPECT_EQ(p.result, INPUTS_NO_VALUE);
    ASSERT_EQ(p.count, 4);
    ExpectEntry(p.entries[1], INPUTS_OPTION, "N\xe9ME", "\xc3\xa9t\xe9");
    ExpectEntry(p.entries[2], INPUTS_OPTION, "Q", "\"quoted value\"");
    ExpectEntry(p.entries[3], INPUTS_TRIGGER, "", "");
}

TEST(ParseBoolean, WordsInAnyCase) {
    const std::pair<const char*, bool> accepted[] = {
        {"yes", true}, {"Y", true},  {"t", true},   {"TRUE", true}, {"1", true},
        {"0", false},  {"false", false}, {"No", false}, {"f", false}, {"n", false}};
    for (const auto& [word, expected] : accepted) {
        bool value = !expected;
        EXPECT_EQ(ParseBoolean(word, value), _OK) << word;
        EXPECT_EQ(value, expected) << word;
    }
    for (const char* word : {"on", "", "off", "2", "yes ", "truee"}) {
        bool value = true;
        EXPECT_EQ(ParseBoolean(word, value), _ERROR) << word;
        EXPECT_TRUE(value) << word;
    }
}

TEST(ParseInteger, DecimalWithSign) {
    int value = 7;
    EXPECT_EQ(ParseInteger("-1", value), _OK);
    EXPECT_EQ(value, -1);
    EXPECT_EQ(ParseInteger("+10", value), _OK);
    EXPECT_EQ(value, 10);
    EXPECT_EQ(ParseInteger("2147483647", value), _OK);
    EXPECT_EQ(value, 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648", value), _OK);
    EXPECT_EQ(value, -2147483647 - 1);
    for (const char* bad : {"", "-", "+", "ten", "1x", " 1", "2147483648",
                            "99999999999999999999", "0x10"}) {
        value = 7;
        EXPECT_EQ(ParseInteger(bad, value), _ERROR) << bad;
        EXPECT_EQ(value, 7) << bad;
    }
}

}  // namespace
}  // namespace corvex
