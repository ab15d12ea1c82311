#include "TrayHint.h"

namespace corvex {

std::string CutTrayHint(const std::string& hint, std::size_t limit) {
    return hint.size() > limit ? hint.substr(0, limit) : hint;
}

bool TrayHintWantsValue(const std::string& hint) {
    for (std::size_t i = 0; i + 1 < hint.size(); ++i)
        if (hint[i] == '%' && (hint[i + 1] == 's' || hint[i + 1] == 'S')) return true;
    return false;
}

std::string FormatTrayHint(const std::string& hint, std::uint32_t position) {
    std::string text;
    text.reserve(hint.size() + 8);
    bool placed = false;
    for (std::size_t i = 0; i < hint.size(); ++i) {
        const char c = hint[i];
        const char next = i + 1 < hint.size() ? hint[i + 1] : '\0';
        if (c == '%' && next == '%') {
            text.push_back('%');
            ++i;
        } else if (c == '%' && !placed && (next == 's' || next == 'S')) {
            text += std::to_string(position);
            text.push_back('%');
            placed = true;
            ++i;
        } else {
            text.push_back(c);
        }
    }
    return text;
}

}  // namespace corvex
