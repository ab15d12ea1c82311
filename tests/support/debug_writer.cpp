// Writes numbered lines through the process-wide debug log, for the tests
// of the log's exclusion between processes.
//
//   debug_writer <app> <count> <message length> <log file or -> [<go event or -> [alloc]]
//
// The log writes to this process's standard error (Console is set, so no
// console of its own is made); with a file name, Logging is on too. With an
// event name, the lines start only when the event is set, so that several
// writers run at once. With "alloc" the process leaves its console and the
// log makes one of its own (Console false); then the exit code is 2000 when
// starting failed, and 3000 when the console it made was not given back. Each message is "<app> <n> " padded with the app's
// last character to the given length. The exit code is the number of lines
// Log did not write.

#include <windows.h>

#include <cstdlib>
#include <string>

#include "Debug_Zolt2.h"

int main(int argc, char** argv) {
    if (argc < 5) return 1000;
    const std::string app = argv[1];
    const int count = std::atoi(argv[2]);
    const std::size_t length = static_cast<std::size_t>(std::atoi(argv[3]));
    const std::string file = argv[4];

    corvex::_debug* log = corvex::Debugger();
    if (!log) return 1001;
    log->SetApp(app);
    log->SetConsole(true);
    const bool alloc = argc > 6 && std::string(argv[6]) == "alloc";
    if (alloc) {
        FreeConsole();
        log->SetConsole(false);
    }
    if (file != "-") {
        log->SetLogging(true);
        log->SetLogFileName(file);
    }
    if (log->SetDebugging(true) != corvex::DEBUG_OK) return alloc ? 2000 : 1002;

    if (argc > 5 && std::string(argv[5]) != "-") {
        HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, argv[5]);
        if (!go) return 1003;
        WaitForSingleObject(go, 30000);
        CloseHandle(go);
    }
    int dropped = 0;
    for (int n = 0; n < count; ++n) {
        std::string message = app + " " + std::to_string(n) + " ";
        if (message.size() < length) message.append(length - message.size(), app.back());
        if (corvex::Log(20, "%s", message.c_str()) != corvex::DEBUG_OK) ++dropped;
    }
    if (alloc) {
        const bool hadConsole = GetConsoleWindow() != nullptr;
        log->SetDebugging(false);
        // A second console can be made only once the log gave its own back.
        if (hadConsole && !AllocConsole()) return 3000;
    }
    return dropped;
}
