#include "TimeFormat.h"

#include <cctype>
#include <cstdio>

namespace corvex {

namespace {

// Locale pictures may name other pictures ("c" is the short date and the
// long time); deeper than this is a loop.
constexpr int kMaxDepth = 3;

char Upper(char c) noexcept { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(const std::string& text, std::size_t at, const char* word) noexcept {
    for (std::size_t k = 0; word[k]; ++k)
        if (at + k >= text.size() || Upper(text[at + k]) != Upper(word[k])) return false;
    return true;
}

// How many of the letter at `at` follow each other, in either case.
std::size_t RunLength(const std::string& text, std::size_t at) noexcept {
    const char letter = Upper(text[at]);
    std::size_t n = 1;
    while (at + n < text.size() && Upper(text[at + n]) == letter) ++n;
    return n;
}

// An hour code counts 12 hours when the next am/pm code comes before the
// next hour code (quoted text does not count).
bool TwelveHourClock(const std::string& format, std::size_t from) noexcept {
    char quote = 0;
    for (std::size_t i = from; i < format.size(); ++i) {
        const char c = format[i];
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == 'h' || c == 'H') {
            return false;
        } else if (c == 'a' || c == 'A') {
            return StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
                   StartsWithNoCase(format, i, "ampm");
        }
    }
    return false;
}

template <std::size_t N>
const std::string& Name(const std::array<std::string, N>& names, int oneBased) {
    static const std::string none;
    return oneBased >= 1 && oneBased <= static_cast<int>(N) ? names[static_cast<std::size_t>(oneBased - 1)] : none;
}

class _writer {
public:
    _writer(const _datetimeparts& when, const _datetimelocale& locale, std::string& out)
        : when_(when), locale_(locale), out_(out) {}

    bool Append(const std::string& format, int depth);

private:
    bool Put(const std::string& text) { return Put(text.data(), text.size()); }
    bool Put(const char* text, std::size_t size) {
        if (out_.size() + size > DATETIME_TEXT_MAX) return false;
        out_.append(text, size);
        return true;
    }
    bool Number(int value, int digits) {
        char buffer[16];
        const int n = std::snprintf(buffer, sizeof buffer, "%.*d", digits, value);
        return n > 0 && Put(buffer, static_cast<std::size_t>(n));
    }
    bool Code(const std::string& format, std::size_t& i, char token, int depth);

    const _datetimeparts& when_;
    const _datetimelocale& locale_;
    std::string& out_;
};

bool _writer::Append(const std::string& format, int depth) {
    if (depth > kMaxDepth) return false;
    char lastToken = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        char token = Upper(c);
        if (token >= 'A' && token <= 'Z') {
            // "m" right after an hour code is the minutes.
            if (token == 'M' && lastToken == 'H') token = 'N';
            lastToken = token;
        }
        if (!Code(format, i, token, depth)) return false;
    }
    return true;
}

bool _writer::Code(const std::string& format, std::size_t& i, char token, int depth) {
    const _datetimeparts& w = when_;
    const std::size_t run = RunLength(format, i);
    switch (token) {
        case 'Y':
            i += run;
            return run <= 2 ? Number(w.year % 100, 2) : Number(w.year, 4);
        case 'G':  // era: none in this calendar
            i += run;
            return true;
        case 'M':
            i += run;
            if (run == 1) return Number(w.month, 1);
            if (run == 2) return Number(w.month, 2);
            return Put(run == 3 ? Name(locale_.shortMonthNames, w.month) : Name(locale_.longMonthNames, w.month));
        case 'D':
            i += run;
            switch (run) {
                case 1: return Number(w.day, 1);
                case 2: return Number(w.day, 2);
                case 3: return Put(Name(locale_.shortDayNames, w.dayOfWeek));
                case 4: return Put(Name(locale_.longDayNames, w.dayOfWeek));
                case 5: return Append(locale_.shortDateFormat, depth + 1);
                default: return Append(locale_.longDateFormat, depth + 1);
            }
        case 'H': {
            const bool twelve = TwelveHourClock(format, i + run);
            i += run;
            int hour = w.hour;
            if (twelve) {
                hour %= 12;
                if (hour == 0) hour = 12;
            }
            return Number(hour, run == 1 ? 1 : 2);
        }
        case 'N':
            i += run;
            return Number(w.minute, run == 1 ? 1 : 2);
        case 'S':
            i += run;
            return Number(w.second, run == 1 ? 1 : 2);
        case 'Z':
            i += run;
            return Number(w.millisecond, run == 1 ? 1 : 3);
        case 'T':
            i += run;
            return Append(run == 1 ? locale_.shortTimeFormat : locale_.longTimeFormat, depth + 1);
        case 'C':
            i += run;
            if (!Append(locale_.shortDateFormat, depth + 1)) return false;
            if (w.hour == 0 && w.minute == 0 && w.second == 0) return true;
            return Put(" ", 1) && Append(locale_.longTimeFormat, depth + 1);
        case 'A': {
            const bool pm = w.hour >= 12;
            if (StartsWithNoCase(format, i, "am/pm")) {
                // In the letters' own case, as written.
                const bool ok = Put(&format[i + (pm ? 3 : 0)], 2);
                i += 5;
                return ok;
            }
            if (StartsWithNoCase(format, i, "a/p")) {
                const bool ok = Put(&format[i + (pm ? 2 : 0)], 1);
                i += 3;
                return ok;
            }
            if (StartsWithNoCase(format, i, "ampm")) {
                i += 4;
                return Put(pm ? locale_.timePMString : locale_.timeAMString);
            }
            return Put(&format[i++], 1);
        }
        case '/':
            ++i;
            return Put(locale_.dateSeparator);
        case ':':
            ++i;
            return Put(locale_.timeSeparator);
        case '\'':
        case '"': {
            const std::size_t close = format.find(format[i], i + 1);
            if (close == std::string::npos) return false;
            const bool ok = Put(&format[i + 1], close - i - 1);
            i = close + 1;
            return ok;
        }
        default:
            return Put(&format[i++], 1);
    }
}

}  // namespace

bool FormatDateTime(const std::string& format, const _datetimeparts& when, const _datetimelocale& locale,
                    std::string& out) {
    out.clear();
    _writer writer(when, locale, out);
    static const std::string kDefault = "c";
    if (writer.Append(format.empty() ? kDefault : format, 0)) return true;
    out.clear();
    return false;
}

std::string LocalePicture(const std::string& picture) {
    std::string out;
    out.reserve(picture.size() + 4);
    for (std::size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        if (c == '\'') {
            const std::size_t close = picture.find('\'', i + 1);
            const std::size_t end = close == std::string::npos ? picture.size() : close + 1;
            out.append(picture, i, end - i);
            if (close == std::string::npos) out += '\'';
            i = end;
            continue;
        }
        const std::size_t run = RunLength(picture, i);
        switch (c) {
            case 'M': out.append(run, 'm'); break;  // the month
            case 'm': out.append(run, 'n'); break;  // the minutes
            case 'H': out.append(run, 'h'); break;  // 24 hours: no am/pm code follows
            case 't': out += "ampm"; break;
            case 'g': break;
            default: out.append(picture, i, run); break;
        }
        i += run;
    }
    return out;
}

std::string WithoutSeconds(const std::string& picture) {
    char quote = 0;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
            continue;
        }
        if (c != 's' && c != 'S') continue;
        std::size_t start = i;
        while (start > 0) {
            const unsigned char before = static_cast<unsigned char>(picture[start - 1]);
            if (std::isalnum(before) || before == ' ' || before == '\'' || before == '"') break;
            --start;
        }
        return picture.substr(0, start) + picture.substr(i + RunLength(picture, i));
    }
    return picture;
}

_datetimeparts DateFromDayNumber(long days) {
    _datetimeparts parts;
    if (days <= 0) return parts;
    // Days since 1 March of year 0, counted in 400-year eras.
    long long z = static_cast<long long>(days) - 719163 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    parts.year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    parts.month = month;
    parts.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    // 1 January of year 1 was a Monday.
    parts.dayOfWeek = static_cast<int>(days % 7) + 1;
    return parts;
}

_datetimeparts UptimeStamp(std::uint32_t ticks) {
    constexpr std::uint32_t kDay = 86400000;
    _datetimeparts parts = DateFromDayNumber(static_cast<long>(ticks / kDay));
    const std::uint32_t ms = ticks % kDay;
    parts.hour = static_cast<int>(ms / 3600000);
    parts.minute = static_cast<int>(ms / 60000 % 60);
    parts.second = static_cast<int>(ms / 1000 % 60);
    parts.millisecond = static_cast<int>(ms % 1000);
    return parts;
}

std::string UptimeLogText(std::uint32_t ticks) {
    // Whole units of a 360-day year, taken in turn. Integer steps, so that
    // a minute never reads "0 min. 60 sec." through rounding.
    static const struct {
        std::uint64_t ms;
        const char* word;
    } kUnits[] = {{31104000000ull, " years "},
                  {2592000000ull, " monthes "},
                  {86400000ull, " days "},
                  {3600000ull, " hours "}};
    std::uint64_t rest = ticks;
    std::string text;
    for (const auto& unit : kUnits) {
        const std::uint64_t n = rest / unit.ms;
        rest %= unit.ms;
        if (n) text += std::to_string(n) + unit.word;
    }
    text += std::to_string(rest / 60000) + " min. " + std::to_string(rest / 1000 % 60) + " sec.";
    return text;
}

}  // namespace corvex
