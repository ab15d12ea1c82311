#pragma once
// The keyboard-language file "keylang.ini" of the data folder: section
// [Languages], one line per language of the form
//
//   name=identifier,icon
//
// with the decimal language identifier (the low 16 bits of a keyboard
// layout) and an icon file relative to the data folder.
//
//   _keylangline       one language as a line gives it
//   IniSectionLines    the value lines of a section of an INI text
//   ParseLanguageLine  one line of the section, or why it is skipped
//   DataRelativePath   whether a file name stays inside the data folder
//
// Portable: no Windows header.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvex {

constexpr const char* KEYLANG_FILE = "keylang.ini";
constexpr const char* KEYLANG_SECTION = "Languages";
// A language file larger than this is not read past it; a section with
// more languages than this keeps the first ones.
constexpr std::size_t KEYLANG_FILE_MAX = 64 * 1024;
constexpr std::size_t KEYLANG_LANGUAGES_MAX = 255;

struct _keylangline {
    std::string name;
    std::uint16_t identifier = 0;
    std::string icon;  // relative to the data folder
};

// The lines of the first section named `section` (without regard to case)
// in `text`, blanks trimmed, without blank lines and ";" comments; false
// when there is no such section. A UTF-8 byte-order mark is skipped.
bool IniSectionLines(std::string_view text, std::string_view section, std::vector<std::string_view>& lines);

// One line: the name before "=", the number before the first comma after
// it, the icon after that comma, each with blanks trimmed. False (the line
// is skipped) without "=", with an empty name, a missing or invalid number
// (only digits, at most 65535), without an icon, or with an icon that would
// leave the data folder.
bool ParseLanguageLine(std::string_view line, _keylangline& out);

// A relative file name that stays below its folder: no drive, no leading
// backslash or slash, no ".." part.
bool DataRelativePath(std::string_view path) noexcept;

}  // namespace corvex
