#pragma once
// The texts of the two companion panels, made from what their callers hand
// over: length-prefixed strings, the information lines of the about box and
// the rows of the processor panel.
//
// Portable: no Windows header.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace corvex {

// A string whose first byte is its length (so at most 255 characters).
// Only that many bytes are read after the length byte, never up to a zero;
// a null pointer is the empty string.
std::string PrefixedText(const unsigned char* prefixed);

// The information lines as a multi-line edit control needs them: every line
// end ("\r\n", a lone "\n" or a lone "\r") becomes "\r\n". Null is empty.
std::string InfoLinesText(const char* info);

// What the processor identification found, as the panel shows it.
struct _cpufacts {
    std::string name;         // vendor word, family and model words
    std::string description;  // the processor's kind
    std::string vendor;       // the CPUID vendor text
    unsigned family = 0, model = 0, stepping = 0;
    unsigned processors = 0;  // in the system affinity mask
    bool hasCpuid = false, fpu = false, timeStamp = false, apic = false;
};

// One line of the panel: a caption and its value.
using _panelrow = std::pair<std::string, std::string>;

// The rows of the processor panel, top to bottom. Words the identification
// leaves empty (it names Intel parts only) leave no stray blanks behind.
std::vector<_panelrow> CpuPanelRows(const _cpufacts& facts);

// Runs of blanks become one, and none is left at either end.
std::string CollapseBlanks(const std::string& text);

}  // namespace corvex
