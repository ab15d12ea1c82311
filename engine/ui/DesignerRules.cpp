#include "DesignerRules.h"

#include <cctype>

namespace corvex {

std::string EntityPosition(int sentinel, int speeder) {
    std::string text = std::to_string(sentinel);
    if (speeder >= 1) text += ":" + std::to_string(speeder);
    return text;
}

std::string EntityText(const std::string& text) { return "     " + text; }

std::vector<std::string> TrayItems(int trays) {
    std::vector<std::string> items;
    for (int k = 1; k <= trays; ++k) {
        items.push_back(std::to_string(k) + " - left");
        items.push_back(std::to_string(k) + " - right");
    }
    return items;
}

int TrayItem(int tray, int bar, int trays) noexcept {
    if (tray < 0 || tray >= trays || (bar != 0 && bar != 1)) return -1;
    return 2 * tray + bar;
}

_trayplace TrayOfItem(int item, int trays) noexcept {
    if (item < 0 || trays <= 0 || item / 2 >= trays) return {};
    return {item / 2, item % 2};
}

_frequencyentry ReadFrequencyBox(const std::string& text, unsigned long minimum, unsigned long maximum) {
    _frequencyentry entry;
    std::size_t begin = 0, end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    bool negative = false;
    std::size_t digits = begin;
    if (digits < end && (text[digits] == '-' || text[digits] == '+')) negative = text[digits++] == '-';
    if (digits == end) return entry;  // empty, or a sign with nothing after it yet

    // Digits only; more of them than any range holds is held to the top.
    unsigned long long value = 0;
    bool huge = false;
    for (std::size_t i = digits; i < end; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isdigit(c)) {
            entry.action = _frequencyentry::FREQUENCY_RESET;
            entry.rewrite = "0";
            return entry;
        }
        if (!huge) {
            value = value * 10 + static_cast<unsigned>(c - '0');
            huge = value > maximum;
        }
    }
    if (!huge && value == 0) return entry;
    if (!huge && value < minimum) {
        if (negative) entry.rewrite = std::to_string(value);
        return entry;
    }
    entry.action = _frequencyentry::FREQUENCY_SET;
    entry.period = huge ? maximum : static_cast<unsigned long>(value);
    if (negative || huge || text[begin] == '+') entry.rewrite = std::to_string(entry.period);
    return entry;
}

}  // namespace corvex
