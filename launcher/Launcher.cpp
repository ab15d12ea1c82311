#include "Launcher.h"

#include "Inputs_Zolt2.h"

namespace corvex {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// An engine argument goes on as written; only one that holds a blank, a tab
// or a double quote is quoted (C runtime rules), so that the engine's own
// split gives it back whole instead of in pieces.
std::string EngineArgument(const std::string& argument) {
    if (argument.find_first_of(" \t\"") == std::string::npos) return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, the quote escaped.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');  // they precede the closing quote
    return quoted + "\"";
}

// " " + prefix + "=" + value, the form the engine's command line takes;
// a value that holds a colon goes on behind a colon instead. The engine's
// parser splits an option at its first colon before it looks for "=", so
// "/logfile=c:\x.log" would reach it as an option "LOGFILE=C" and the log
// would go elsewhere; "/logfile:c:\x.log" gives the value back as written.
std::string EngineOption(const std::string& prefix, const std::string& value) {
    const char separator = value.find(':') == std::string::npos ? '=' : ':';
    return " " + EngineArgument(prefix + separator + value);
}

// Checks one entry and appends its engine form; the error line otherwise.
bool AddEngineOption(const _inputentry& entry, std::string& options,
                     std::string& error) {
    int number = 0;
    bool flag = false;
    switch (entry.kind) {
        case INPUTS_DEBUG:
            if (ParseInteger(entry.value, number) != _OK) {
                error = "ERROR: Debug level " + Quoted(entry.value) + " invalid";
                return false;
            }
            options += EngineOption("-DEBUG", entry.value);
            return true;
        case INPUTS_OPTION:
            break;
        default:
            error = "ERROR: " + Quoted(entry.name) + " not supported";
            return false;
    }

    if (entry.name == "UNPLUG") {
        if (ParseInteger(entry.value, number) != _OK) {
            error = "ERROR: Sentinel name " + Quoted(entry.value) + " invalid";
            return false;
        }
        if (number > 10) {
            error = "ERROR: Sentinel Index " + Quoted(entry.value) + " out of range";
            return false;
        }
        options += EngineOption("-UNPLUG", entry.value);
    } else if (entry.name == "UNLINK") {
        if (entry.value.empty()) {
            error = "ERROR: Speeder name " + Quoted(entry.value) + " invalid";
            return false;
        }
        options += EngineOption("-UNLINK", entry.value);
    } else if (entry.name == "DOCKING") {
        if (ParseBoolean(entry.value, flag) != _OK) {
            error = "ERROR: invalid boolean for " + entry.name;
            return false;
        }
        options += EngineOption("/docking", entry.value);
    } else if (entry.name == "LOGFILE") {
        if (entry.value.empty()) {
            error = "ERROR: invalid logfile name";
            return false;
        }
        options += EngineOption("/logfile", entry.value);
    } else {
        error = "ERROR: invalid option " + Quoted(entry.name);
        return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> UsageText(const std::string& programName) {
    return {
        "Usage: " + programName + " [-flags]",
        "      flags:",
        "            -logfile=<file>     : sets logfile name",
        "            -debug=<level>      : sets debug level",
        "            -docking=<boolean>  : switch on/off docking mode of Corvex",
        "                                  (default: TRUE)",
        "            -unlink=<name>      : unlinks Speeder from Corvex session",
        "                                  (see help file for valid names)",
        "            -unplug=<Sentinel>  : unplugs Sentinel",
        "                                  0 - Drive Sentinel",
        "                                  1 - CPU Sentinel",
        "                                  2 - Memory Sentinel",
        "                                  3 - FSR Sentinel",
        "                                  4 - Audio Sentinel",
        "                                  5 - System Sentinel",
        "                                  6 - Net Sentinel",
        "                                  7 - Kernel Sentinel",
        "                                  8 - LAN Sentinel",
        "                                  9 - Mail Sentinel",
        "                                  10 - Modem Sentinel",
        "            -help               : this screen",
    };
}

_launchplan PlanLaunch(const std::vector<std::string>& args) {
    _launchplan plan;
    plan.lines = {std::string("Corvex v") + CORVEX_VERSION, ""};

    std::vector<_inputentry> entries;
    int count = 0;
    std::string message;
    const auto usage = [&] {
        for (const std::string& line : UsageText(entries[0].name))
            plan.lines.push_back(line);
        return plan;
    };

    if (Parse(args, entries, count, message) != INPUTS_PARSED) {
        plan.lines.push_back("ERROR: " + message);
        return usage();
    }

    std::string options;
    for (int i = 1; i < count; ++i) {
        if (entries[i].kind == INPUTS_HELP) return usage();
        std::string error;
        if (!AddEngineOption(entries[i], options, error)) {
            plan.lines.push_back(error);
            return usage();
        }
    }
    plan.start = true;
    plan.engineCommandLine = std::string(ENGINE_FILE) + options;
    return plan;
}

}  // namespace corvex
