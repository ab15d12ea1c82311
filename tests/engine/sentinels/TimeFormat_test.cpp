// Date-time formats, calendar days and the up-time breakdown.

#include "TimeFormat.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

_datetimeparts At(int year, int month, int day, int hour, int minute, int second, int ms, int dow) {
    _datetimeparts p;
    p.year = year;
    p.month = month;
    p.day = day;
    p.hour = hour;
    p.minute = minute;
    p.second = second;
    p.millisecond = ms;
    p.dayOfWeek = dow;
    return p;
}

std::string Formatted(const std::string& format, const _datetimeparts& when,
                      const _datetimelocale& locale = _datetimelocale()) {
    std::string out = "left over";
    EXPECT_TRUE(FormatDateTime(format, when, locale, out)) << format;
    return out;
}

TEST(TimeFormat, CodesOfTheFormats) {
    const _datetimeparts tuesday = At(2024, 3, 5, 14, 7, 9, 45, 3);
    const struct {
        const char* format;
        const char* expected;
    } cases[] = {
        {"hh:mm:ss   dd/mm/yyyy", "14:07:09   05/03/2024"},
        {"h:n:s d/m/yy", "14:7:9 5/3/24"},
        {"HH:MM Yyyy", "14:07 2024"},  // letters in either case
        {"mm:ss", "03:09"},            // minutes only right after an hour
        {"hh:mm am/pm", "02:07 pm"},
        {"h AM/PM", "2 PM"},
        {"h a/p", "2 p"},
        {"hh ampm", "02 PM"},
        {"hh ampm hh", "02 PM 14"},  // only an am/pm before the next hour counts
        {"ddd dddd mmm mmmm", "Tue Tuesday Mar March"},
        {"'hh' \"mm\" hh", "hh mm 14"},
        {"zzz z", "045 45"},
        {"ddddd|dddddd", "3/5/2024|Tuesday, March 5, 2024"},
        {"t|tt", "2:07 PM|2:07:09 PM"},
        {"", "3/5/2024 2:07:09 PM"},
        {"x#a!", "x#a!"},
    };
    for (const auto& c : cases) EXPECT_EQ(Formatted(c.format, tuesday), c.expected) << c.format;

    EXPECT_EQ(Formatted("c", At(2024, 3, 5, 0, 0, 0, 0, 3)), "3/5/2024");  // midnight has no time
    EXPECT_EQ(Formatted("h:nn am/pm", At(2024, 3, 5, 0, 30, 0, 0, 3)), "12:30 am");
}

TEST(TimeFormat, SeparatorsAndNamesComeFromTheLocale) {
    _datetimelocale german;
    german.dateSeparator = ".";
    german.timeSeparator = "-";
    german.shortMonthNames[2] = "Mrz";
    german.shortDateFormat = LocalePicture("dd.MM.yyyy");
    german.longTimeFormat = LocalePicture("HH:mm:ss");
    const _datetimeparts when = At(2024, 3, 5, 14, 7, 9, 0, 3);
    EXPECT_EQ(Formatted("dd/mm hh:nn mmm", when, german), "05.03 14-07 Mrz");
    EXPECT_EQ(Formatted("", when, german), "05.03.2024 14-07-09");
}

TEST(TimeFormat, LocalePicturesTranslate) {
    EXPECT_EQ(LocalePicture("M/d/yyyy"), "m/d/yyyy");
    EXPECT_EQ(LocalePicture("h:mm:ss tt"), "h:nn:ss ampm");
    EXPECT_EQ(LocalePicture("gg yyyy'年'M'月'"), " yyyy'年'm'月'");
    EXPECT_EQ(WithoutSeconds("h:nn:ss ampm"), "h:nn ampm");
    EXPECT_EQ(WithoutSeconds("hh.nn"), "hh.nn");
}

TEST(TimeFormat, InvalidFormatsGiveNothing) {
    std::string out;
    for (const char* bad : {"hh 'oops", "\"", "dd \"days"}) {
        EXPECT_FALSE(FormatDateTime(bad, _datetimeparts(), _datetimelocale(), out)) << bad;
        EXPECT_EQ(out, "");
    }
    _datetimelocale looping;
    looping.shortDateFormat = "c";
    EXPECT_FALSE(FormatDateTime("c", _datetimeparts(), looping, out));
    std::string longest;
    for (std::size_t i = 0; i <= DATETIME_TEXT_MAX / 5; ++i) longest += "yyyy ";
    EXPECT_FALSE(FormatDateTime(longest, _datetimeparts(), _datetimelocale(), out));
    longest.resize(longest.size() - 5);
    EXPECT_TRUE(FormatDateTime(longest, _datetimeparts(), _datetimelocale(), out));
}

TEST(TimeFormat, DayNumbersAreGregorianDatesFromYearOne) {
    const struct {
        long days;
        int year, month, day, dow;
    } cases[] = {
        {1, 1, 1, 1, 2},        {59, 1, 2, 28, 4},      {60, 1, 3, 1, 5},        {365, 1, 12, 31, 2},
        {693655, 1900, 3, 1, 5}, {730179, 2000, 2, 29, 3}, {738950, 2024, 3, 5, 3}, {3652059, 9999, 12, 31, 6},
    };
    for (const auto& c : cases) {
        const _datetimeparts p = DateFromDayNumber(c.days);
        EXPECT_EQ(p.year, c.year) << c.days;
        EXPECT_EQ(p.month, c.month) << c.days;
        EXPECT_EQ(p.day, c.day) << c.days;
        EXPECT_EQ(p.dayOfWeek, c.dow) << c.days;
    }
    const _datetimeparts none = DateFromDayNumber(0);
    EXPECT_EQ(none.year + none.month + none.day + none.dayOfWeek, 0);
}

TEST(TimeFormat, UptimeShowsTheTimeOfDayAndTheDateOfWholeDays) {
    const std::string format = "hh:mm:ss dd \"days\"";
    const _datetimelocale locale;
    const std::uint32_t day = 86400000;
    EXPECT_EQ(Formatted(format, UptimeStamp(0), locale), "00:00:00 00 days");
    EXPECT_EQ(Formatted(format, UptimeStamp(3 * day + 4 * 3600000 + 5 * 60000 + 6789), locale), "04:05:06 03 days");
    EXPECT_EQ(Formatted("d/m/yyyy", UptimeStamp(32 * day), locale), "1/2/0001");
}

TEST(TimeFormat, UptimeBreakdownForTheLog) {
    const struct {
        std::uint32_t ticks;
        const char* expected;
    } cases[] = {
        {0, "0 min. 0 sec."},
        {60000, "1 min. 0 sec."},
        {3599999, "59 min. 59 sec."},
        {2 * 3600000, "2 hours 0 min. 0 sec."},
        {86400000 + 2 * 3600000 + 3 * 60000 + 4000, "1 days 2 hours 3 min. 4 sec."},
        {40u * 86400000, "1 monthes 10 days 0 min. 0 sec."},
        {4294967295u, "1 monthes 19 days 17 hours 2 min. 47 sec."},
    };
    for (const auto& c : cases) EXPECT_EQ(UptimeLogText(c.ticks), c.expected) << c.ticks;
}

}  // namespace
}  // namespace corvex
