#pragma once
// What the launcher prints and which engine command line it starts, worked
// out from its arguments. Portable: corvex32.cpp does the printing and the
// starting.

#include <string>
#include <vector>

#include "Version.h"

namespace corvex {

constexpr const char* ENGINE_FILE = "motor32.dex";

struct _launchplan {
    std::vector<std::string> lines;  // to print, in order, each on its own line
    bool start = false;              // every option passed: start the engine
    std::string engineCommandLine;   // "motor32.dex" + the re-formed options
};

// `args[0]` is the launcher's full path, as for Parse.
_launchplan PlanLaunch(const std::vector<std::string>& args);

// The usage text, first line "Usage: <programName> [-flags]".
std::vector<std::string> UsageText(const std::string& programName);

}  // namespace corvex
