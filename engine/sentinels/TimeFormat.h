#pragma once
// Dates and times as the clock and up-time readouts write them.
//
//   _datetimeparts    a broken-down date and time
//   _datetimelocale   the user's names, separators and default pictures
//   FormatDateTime    a date and time through a format of date-time codes
//   LocalePicture     a picture of the system's locale in those codes
//   DateFromDayNumber the calendar date of a day number (1 = 1 January 1)
//   UptimeStamp       a tick count as whole days plus the time of day
//   UptimeLogText     a tick count as years, months, days ... for the log
//
// Format codes (letters in either case): d dd ddd dddd ddddd dddddd, m mm
// mmm mmmm (minutes right after an hour code), y yy yyyy, h hh (12-hour
// when an am/pm code follows), n nn, s ss, z zzz, t tt, c, am/pm a/p ampm,
// "/" and ":" for the locale's separators, and text in '...' or "...".
// Any other character stands for itself; an empty format means "c".
//
// Portable: no Windows header.

#include <array>
#include <cstdint>
#include <string>

namespace corvex {

struct _datetimeparts {
    int year = 0;  // 0 with month and day 0: before the calendar starts
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int dayOfWeek = 0;  // 1 Sunday .. 7 Saturday; 0 unknown
};

struct _datetimelocale {
    std::string shortDateFormat = "m/d/yyyy";
    std::string longDateFormat = "dddd, mmmm d, yyyy";
    std::string shortTimeFormat = "h:nn ampm";
    std::string longTimeFormat = "h:nn:ss ampm";
    std::string timeAMString = "AM";
    std::string timePMString = "PM";
    std::string dateSeparator = "/";
    std::string timeSeparator = ":";
    std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonthNames{"January", "February", "March",     "April",
                                               "May",     "June",     "July",      "August",
                                               "September", "October", "November", "December"};
    std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
};

// Longest text FormatDateTime makes; a format that would go past it is invalid.
constexpr std::size_t DATETIME_TEXT_MAX = 1024;

// Writes `when` through `format` into `out` (cleared first, its storage
// reused). False for an invalid format: a quoted text without its closing
// quote, or a result longer than DATETIME_TEXT_MAX; `out` is then empty.
bool FormatDateTime(const std::string& format, const _datetimeparts& when, const _datetimelocale& locale,
                    std::string& out);

// A date or time picture of the system's locale ("M/d/yyyy", "h:mm:ss tt")
// in the codes above: H becomes h, t and tt the am/pm code, g (the era)
// is dropped; quoted text stays.
std::string LocalePicture(const std::string& picture);
// A time picture without its seconds ("h:mm:ss tt" gives "h:mm tt").
std::string WithoutSeconds(const std::string& picture);

// Day `days` after 31 December of the year before year 1 in the Gregorian
// calendar, with its day of the week; 0 or less gives year, month and day 0.
_datetimeparts DateFromDayNumber(long days);

// `ticks` milliseconds as a date and time: the whole days as the date of
// DateFromDayNumber, the rest as the time of day.
_datetimeparts UptimeStamp(std::uint32_t ticks);

// `ticks` milliseconds broken down into years of 360 days, months of 30
// days, days, hours, minutes and seconds: the non-zero parts down to hours
// as "N years ", "N monthes ", "N days ", "N hours ", then "M min. S sec.".
std::string UptimeLogText(std::uint32_t ticks);

}  // namespace corvex
