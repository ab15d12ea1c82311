// Feeds arbitrary bytes to the option parser and the launcher's checks:
// the input is split at NUL bytes into arguments.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Inputs_Zolt2.h"
#include "Launcher.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args{"C:\\corvex\\corvex32.exe"};
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    args.push_back(current);

    std::vector<corvex::_inputentry> entries;
    int count = 0;
    std::string message;
    const corvex::_inputresult result = corvex::Parse(args, entries, count, message);
    // The parser's own promises.
    if (count != static_cast<int>(entries.size())) __builtin_trap();
    if ((result == corvex::INPUTS_PARSED) != message.empty()) __builtin_trap();
    for (const corvex::_inputentry& e : entries)
        if (e.name.size() > corvex::INPUTS_MAX_TEXT || e.value.size() > corvex::INPUTS_MAX_TEXT)
            __builtin_trap();

    bool flag = false;
    int number = 0;
    if (!args[1].empty()) {
        corvex::ParseBoolean(args[1], flag);
        corvex::ParseInteger(args[1], number);
    }
    const corvex::_launchplan plan = corvex::PlanLaunch(args);
    if (plan.lines.size() < 2) __builtin_trap();
    return 0;
}
