// corvex32: the console program the user runs. It checks the options,
// prints the banner, usage or errors, and starts the engine without waiting.

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "Launcher.h"
#include "System_Zolt2.h"

namespace {

// Lines end with CR LF whatever mode the C runtime keeps standard output in.
void PrintLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fwrite("\r\n", 1, 2, stdout);
}

}  // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    const corvex::_launchplan plan = corvex::PlanLaunch(corvex::CommandLineArguments());
    for (const std::string& line : plan.lines) PrintLine(line);
    if (plan.start)
        PrintLine(corvex::RunProgram(plan.engineCommandLine) == 0
                      ? "Corvex engine started"
                      : "ERROR: could not run Corvex engine");
    std::fflush(stdout);
    return 0;
}
