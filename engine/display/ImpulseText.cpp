#include "ImpulseText.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace corvex {

namespace {

// A field wider than any graph can show is cut down to this.
constexpr int kMaxField = 64;

// Reads a run of digits at `i`, capped at kMaxField.
int ReadNumber(const std::string& text, std::size_t& i) {
    int n = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        if (n <= kMaxField) n = n * 10 + (text[i] - '0');
        ++i;
    }
    return n > kMaxField ? kMaxField : n;
}

}  // namespace

std::string FormatImpulseText(const std::string& format, int value) {
    std::string out;
    bool used = false;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') {
            out += format[i++];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        // Parse one conversion: %[flags][width][.precision]conversion.
        const std::size_t start = i++;
        std::string flags;
        while (i < format.size() && std::strchr("-+ #0", format[i]) != nullptr) flags += format[i++];
        const bool hasWidth = i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]));
        const int width = hasWidth ? ReadNumber(format, i) : 0;
        bool hasPrecision = false;
        int precision = 0;
        if (i < format.size() && format[i] == '.') {
            ++i;
            hasPrecision = true;
            precision = ReadNumber(format, i);
        }
        const char conversion = i < format.size() ? format[i] : '\0';
        if (used || conversion == '\0' || std::strchr("diuxXo", conversion) == nullptr) {
            // Not ours to fill: the text stays as written.
            const std::size_t end = conversion == '\0' ? format.size() : i + 1;
            out.append(format, start, end - start);
            i = end;
            continue;
        }
        ++i;
        used = true;
        std::string directive = "%" + flags;
        if (hasWidth) directive += std::to_string(width);
        if (hasPrecision) directive += "." + std::to_string(precision);
        directive += conversion;
        char buffer[2 * kMaxField + 32];
        // The directive is built from checked parts above and takes one int.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif
        const int n = std::snprintf(buffer, sizeof buffer, directive.c_str(), value);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
        if (n > 0) out.append(buffer, static_cast<std::size_t>(n) < sizeof buffer ? static_cast<std::size_t>(n) : sizeof buffer - 1);
    }
    return out;
}

}  // namespace corvex
