// Feeds the reading of POP3 replies with hostile bytes: the words of a
// reply, its reply code, the STAT count and the dotted-address check on
// the whole input, and the line gathering on the input cut into chunks as
// a slow or broken server would deliver it.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Pop3Reply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t sum = 0;
    for (std::size_t n = 0; n <= 5; ++n) {
        const std::string_view word = corvex::ReplyWord(input, n);
        // A word is always a piece of the reply itself.
        if (!word.empty() && (word.data() < input.data() || word.data() + word.size() > input.data() + input.size()))
            __builtin_trap();
        sum += word.size();
    }
    sum += corvex::ReplyPositive(input) + corvex::ReplyCode(input) + corvex::StatCount(input);
    std::uint32_t address = 0;
    sum += corvex::ParseDottedAddress(input, address) ? address : 0;
    sum += corvex::IsOneLine(input);

    // The first byte sets the chunk size; the gatherer never takes more
    // than the line's room or beyond its line feed.
    const std::size_t chunk = size ? data[0] % 17 + 1 : 1;
    corvex::_linegather line;
    std::string_view rest = input;
    while (!rest.empty() && !line.Complete() && !line.Overflowed()) {
        const std::string_view peeked = rest.substr(0, chunk);
        const std::size_t wanted = line.Wanted(peeked);
        if (wanted > peeked.size() || wanted > line.Room()) __builtin_trap();
        if (!line.Append(peeked.substr(0, wanted))) __builtin_trap();
        if (wanted == 0) break;
        rest.remove_prefix(wanted);
    }
    if (line.Line().size() > corvex::POP3_LINE_MAX) __builtin_trap();
    if (line.Complete() && line.Line().find('\n') != line.Line().size() - 1) __builtin_trap();
    return static_cast<int>(sum & 0);
}
