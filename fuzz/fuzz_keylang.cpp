// Feeds arbitrary bytes to the keyboard-language file's reader: the whole
// input as a file, and every line of its section through the line parser.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "KeyLang.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> lines;
    corvex::IniSectionLines(text, corvex::KEYLANG_SECTION, lines);
    // Also as one line, so that lines without a section header get parsed.
    lines.push_back(text);
    for (const std::string_view line : lines) {
        if (line.data() < text.data() || line.data() + line.size() > text.data() + text.size()) __builtin_trap();
        corvex::_keylangline out;
        if (!corvex::ParseLanguageLine(line, out)) continue;
        // The parser's promises about what it accepts.
        if (out.name.empty() || out.icon.empty() || !corvex::DataRelativePath(out.icon)) __builtin_trap();
        if (out.name.size() + out.icon.size() > line.size()) __builtin_trap();
    }
    return 0;
}
