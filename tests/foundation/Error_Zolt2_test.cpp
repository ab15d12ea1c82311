#include "Error_Zolt2.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/MessageBoxes.h"

namespace corvex {
namespace {

using test::BoxPresser;

TEST(ErrorBox, CaptionAndSingleOkButton) {
    _result result;
    bool has[8] = {};
    {
        BoxPresser presser("corvex test: error", IDOK);
        result = ErrorBox("the text", "corvex test");
        for (int id = IDOK; id <= IDNO; ++id) has[id] = presser.Has(id);
        ASSERT_TRUE(presser.Found());
        EXPECT_FALSE(presser.Owned());
        EXPECT_EQ(presser.Text(), "the text");
    }
    EXPECT_EQ(result, _OK);
    EXPECT_TRUE(has[IDOK]);
    EXPECT_FALSE(has[IDCANCEL] || has[IDYES] || has[IDNO]);
}

TEST(QuestionBox, PressedButtonBecomesTheResult) {
    const struct {
        unsigned buttons;
        int press;
        _result expected;
    } cases[] = {
        {MB_YESNO, IDYES, _YES},
        {MB_YESNO, IDNO, _NO},
        {MB_YESNOCANCEL, IDCANCEL, _CANCEL},
        {MB_OKCANCEL, IDOK, _OK},
        {MB_ABORTRETRYIGNORE, IDABORT, _ABORT},
        {MB_ABORTRETRYIGNORE, IDRETRY, _ERROR},
        {MB_ABORTRETRYIGNORE, IDIGNORE, _ERROR},
    };
    for (const auto& c : cases) {
        _result result;
        {
            BoxPresser presser("asker: question", c.press);
            result = QuestionBox("Change the screen mode?", "asker", c.buttons);
            ASSERT_TRUE(presser.Found()) << c.press;
            EXPECT_TRUE(presser.Has(c.press)) << c.press;
        }
        EXPECT_EQ(result, c.expected) << c.buttons << "/" << c.press;
    }
}

TEST(ResultOfButton, EveryAnswer) {
    EXPECT_EQ(ResultOfButton(IDOK), _OK);
    EXPECT_EQ(ResultOfButton(IDCANCEL), _CANCEL);
    EXPECT_EQ(ResultOfButton(IDABORT), _ABORT);
    EXPECT_EQ(ResultOfButton(IDYES), _YES);
    EXPECT_EQ(ResultOfButton(IDNO), _NO);
    EXPECT_EQ(ResultOfButton(IDRETRY), _ERROR);
    EXPECT_EQ(ResultOfButton(0), _ERROR);  // the box could not be shown
}

TEST(LastErrorText, SystemTextOfTheThreadsLastError) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    const std::string notFound = LastErrorText();
    SetLastError(ERROR_ACCESS_DENIED);
    const std::string denied = LastErrorText();
    EXPECT_FALSE(notFound.empty());
    EXPECT_FALSE(denied.empty());
    EXPECT_NE(notFound, denied);
    EXPECT_EQ(notFound.find_first_of("\r\n"), std::string::npos);
    // A code the system has no text for.
    SetLastError(0x2000ABCDu);
    EXPECT_EQ(LastErrorText(), "");
}

}  // namespace
}  // namespace corvex
