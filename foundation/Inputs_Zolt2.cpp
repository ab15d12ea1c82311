#include "Inputs_Zolt2.h"

namespace corvex {

namespace {

std::string Cut(std::string text) {
    if (text.size() > INPUTS_MAX_TEXT) text.resize(INPUTS_MAX_TEXT);
    return text;
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

_inputkind Recognise(const std::string& name, _inputkind plain) {
    if (name == "DEBUG") return INPUTS_DEBUG;
    if (name == "HELP" || name == "?" || name == "H") return INPUTS_HELP;
    if (name == "ABOUT") return INPUTS_ABOUT;
    return plain;
}

}  // namespace

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

_inputresult Parse(const std::vector<std::string>& args,
                   std::vector<_inputentry>& entries, int& count,
                   std::string& message) {
    entries.clear();
    message.clear();

    _inputentry program;
    program.kind = INPUTS_PROGRAM;
    program.value = Cut(args.empty() ? std::string() : args[0]);
    program.name = FileNameOf(program.value);
    entries.push_back(program);
    count = 1;

    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string s = Cut(args[i]);
        _inputentry entry;

        if (s.empty() || (s[0] != '-' && s[0] != '/')) {
            entry.kind = INPUTS_PARAMETER;
            entry.value = s;
        } else {
            if (s.size() == 1) {
                message = "option or trigger undefined";
                return INPUTS_UNDEFINED;
            }
            if (s[1] == '-') {
                if (s[0] != '-') {
                    message = "option or trigger invalid";
                    return INPUTS_INVALID;
                }
                s.erase(0, 2);
            } else {
                s.erase(0, 1);
            }

            std::size_t p = s.find(':');
            if (p == std::string::npos) p = s.find('=');

            if (p == std::string::npos) {
                entry.kind = Recognise(UpperCase(s), INPUTS_TRIGGER);
                entry.name = UpperCase(s);
            } else {
                entry.name = UpperCase(s.substr(0, p));
                entry.value = s.substr(p + 1);
                if (entry.value.empty()) {
                    if (i + 1 == args.size()) {
                        message = "option value undefined";
                        return INPUTS_NO_VALUE;
                    }
                    // The next argument is the value, whatever it looks like.
                    entry.value = Cut(args[++i]);
                }
                entry.kind = Recognise(entry.name, INPUTS_OPTION);
            }
        }
        entries.push_back(entry);
        ++count;
    }
    return INPUTS_PARSED;
}

_result ParseBoolean(const std::string& text, bool& value) {
    if (text.empty()) return _ERROR;
    const std::string word = UpperCase(text);
    for (const char* t : {"TRUE", "1", "YES", "T", "Y"})
        if (word == t) {
            value = true;
            return _OK;
        }
    for (const char* f : {"FALSE", "0", "NO", "F", "N"})
        if (word == f) {
            value = false;
            return _OK;
        }
    return _ERROR;
}

_result ParseInteger(const std::string& text, int& value) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
    if (i == text.size()) return _ERROR;
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return _ERROR;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL) return _ERROR;
    }
    if (!negative && magnitude > 2147483647LL) return _ERROR;
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return _OK;
}

}  // namespace corvex
