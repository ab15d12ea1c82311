#include "PanelText.h"

namespace corvex {

std::string PrefixedText(const unsigned char* prefixed) {
    if (!prefixed) return {};
    return std::string(reinterpret_cast<const char*>(prefixed + 1), prefixed[0]);
}

std::string InfoLinesText(const char* info) {
    std::string text;
    if (!info) return text;
    for (const char* at = info; *at; ++at) {
        if (*at == '\r') {
            if (at[1] == '\n') ++at;
            text += "\r\n";
        } else if (*at == '\n') {
            text += "\r\n";
        } else {
            text += *at;
        }
    }
    return text;
}

std::string CollapseBlanks(const std::string& text) {
    std::string result;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ') {
            blank = !result.empty();
            continue;
        }
        if (blank) result += ' ';
        blank = false;
        result += c;
    }
    return result;
}

namespace {

// The vendor text is twelve bytes straight from the processor's registers:
// an emulator may leave zeros or other control bytes in it, which would end
// or garble the text of a window.
std::string Printable(const std::string& text) {
    std::string result;
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) result += c;
    return CollapseBlanks(result);
}

std::string Features(const _cpufacts& facts) {
    if (!facts.hasCpuid) return "no CPUID";
    std::string list;
    const auto add = [&list](bool has, const char* name) {
        if (!has) return;
        if (!list.empty()) list += ", ";
        list += name;
    };
    add(facts.fpu, "FPU");
    add(facts.timeStamp, "time-stamp counter");
    add(facts.apic, "APIC");
    return list.empty() ? "none" : list;
}

}  // namespace

std::vector<_panelrow> CpuPanelRows(const _cpufacts& facts) {
    const std::string name = CollapseBlanks(facts.name);
    const std::string description = CollapseBlanks(facts.description);
    std::vector<_panelrow> rows;
    rows.emplace_back("Processor:", name.empty() ? description : name);
    rows.emplace_back("Kind:", description);
    rows.emplace_back("Vendor:", Printable(facts.vendor));
    rows.emplace_back("Signature:", facts.hasCpuid ? "family " + std::to_string(facts.family) + ", model " +
                                                         std::to_string(facts.model) + ", stepping " +
                                                         std::to_string(facts.stepping)
                                                   : "none");
    rows.emplace_back("Processors:", std::to_string(facts.processors));
    rows.emplace_back("Features:", Features(facts));
    return rows;
}

}  // namespace corvex
