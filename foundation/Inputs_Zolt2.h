#pragma once
// Command-line option parser shared by the launcher and the engine.
//
//   _inputkind, _inputresult  what an entry is; how parsing ended
//   _inputentry               one parsed argument
//   Parse                     arguments -> ordered list of entries
//   ParseBoolean              the boolean words of "-docking="
//   ParseInteger              "-debug=" levels and "-unplug=" indices
//
// Portable: no Windows header.

#include <string>
#include <vector>

#include "Core_Zolt2.h"

namespace corvex {

enum _inputkind : unsigned char {
    INPUTS_PROGRAM = 0,    // entry 0 only
    INPUTS_TRIGGER = 1,    // -name
    INPUTS_OPTION = 2,     // -name=value or -name:value
    INPUTS_PARAMETER = 3,  // anything not starting with "-" or "/"
    INPUTS_HELP = 4,       // HELP, "?" or H
    INPUTS_ABOUT = 5,      // ABOUT
    INPUTS_DEBUG = 6,      // DEBUG, with its value if any
};

enum _inputresult : unsigned char {
    INPUTS_UNDEFINED = 0,  // a lone "-" or "/"
    INPUTS_INVALID = 1,    // "/-..."
    INPUTS_NO_VALUE = 2,   // last argument is an option with an empty value
    INPUTS_PARSED = 3,
};

// Names and values hold at most this many characters.
constexpr std::size_t INPUTS_MAX_TEXT = 255;

struct _inputentry {
    _inputkind kind = INPUTS_PARAMETER;
    std::string name;   // upper-cased; the program's file name for entry 0
    std::string value;  // as written; the program's full path for entry 0
};

// Parses `args`, where args[0] is the program's full path. On return
// `entries` holds entry 0 and one entry per parsed argument, `count` their
// number, and `message` the text of a failure (empty on success).
_inputresult Parse(const std::vector<std::string>& args,
                   std::vector<_inputentry>& entries, int& count,
                   std::string& message);

// "TRUE", "1", "YES", "T", "Y" / "FALSE", "0", "NO", "F", "N", in any case.
// Leaves `value` alone and gives _ERROR for anything else.
_result ParseBoolean(const std::string& text, bool& value);

// Decimal integer with an optional leading sign that fits 32 bits;
// leaves `value` alone and gives _ERROR for anything else.
_result ParseInteger(const std::string& text, int& value);

// ASCII upper-casing; other bytes pass unchanged whatever the locale.
std::string UpperCase(std::string text);

}  // namespace corvex
