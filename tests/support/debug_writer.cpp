// Writes numbered lines through the process-wide debug log, for the tests
// of the log's exclusion between processes.
//
//   debug_writer <app> <count> <message length> <log file or -> [<go event>]
//
// The log writes to this process's standard error (Console is set, so no
// console of its own is made); with a file name, Logging is on too. With an
// event name, the lines start only when the event is set, so that several
// writers run at once. Each message is "<app> <n> " padded with the app's
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
    if (file != "-") {
        log->SetLogging(true);
        log->SetLogFileName(file);
    }
    if (log->SetDebugging(true) != corvex::DEBUG_OK) return 1002;

    if (argc > 5) {
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
    return dropped;
}
