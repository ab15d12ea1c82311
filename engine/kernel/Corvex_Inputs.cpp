#include "Corvex_Inputs.h"

#include "Debug_Zolt2.h"
#include "Inputs_Zolt2.h"
#include "StartupOptions.h"
#include "System_Zolt2.h"

namespace corvex {

namespace {

_result Leave(_result result) {
    Log(10, "ParseCorvexInputs: -> (result=%d)", result);
    return result;
}

void StartDebugging(const std::string& value) {
    int level = 0;
    if (ParseInteger(value, level) != _OK) {
        Check(true, "ParseCorvexInputs: Debug level invalid");
        level = 0;
    }
    _debug* log = Debugger();
    if (!log) return;
    log->SetLevel(level);
    log->SetLogging(true);
    // Opens the console and creates the log file now; its header still
    // carries the name the log had before. A process started by a console
    // program may be attached to that console already, where no second
    // one can be opened: the log then writes to the one it has.
    if (log->SetDebugging(true) == DEBUG_ERROR_CONSOLE_START) {
        log->SetConsole(true);
        log->SetDebugging(true);
    }
    log->SetApp("motor32");
}

}  // namespace

_result ParseCorvexInputs(const std::vector<std::string>& args) {
    Log(10, "ParseCorvexInputs: <-");
    Log(20, "ParseCorvexInputs: Arguments=%d", static_cast<int>(args.size()));
    _startupoptions& options = StartupOptions();
    options.ClearUnlinked();

    std::vector<_inputentry> entries;
    int count = 0;
    std::string message;
    // The launcher reports a malformed command line; the engine just runs
    // with its defaults.
    if (Parse(args, entries, count, message) != INPUTS_PARSED) return _OK;

    for (int i = 1; i < count && static_cast<std::size_t>(i) < entries.size(); ++i) {
        const _inputentry& entry = entries[static_cast<std::size_t>(i)];
        if (entry.kind == INPUTS_DEBUG) {
            StartDebugging(entry.value);
            continue;
        }
        if (entry.kind != INPUTS_OPTION) continue;  // triggers, words, help, about
        if (entry.name == "UNPLUG") {
            int index = -1;
            // The table has eleven entries: any other number is as invalid
            // as a word.
            if (ParseInteger(entry.value, index) != _OK || !options.Unplug(index)) {
                Check(true, "ParseCorvexInputs: arg[%d]: invalid Unplug option", i);
                continue;
            }
            Log(1, "ParseCorvexInputs: arg[%d]: Unplugged Sentinel: %d", i, index);
        } else if (entry.name == "UNLINK") {
            options.Unlink(entry.value);
            Log(1, "ParseCorvexInputs: arg[%d]: Unlinked Speeder: %s", i, entry.value.c_str());
        } else if (entry.name == "DOCKING") {
            bool allowed = true;
            if (ParseBoolean(entry.value, allowed) != _OK) {
                Check(true, "ParseCorvexInputs: invalid boolean for %s", entry.name.c_str());
                return Leave(_ERROR);
            }
            options.SetDockingAllowed(allowed);
            Log(1, "ParseCorvexInputs: arg[%d]: Docking: %s", i, allowed ? "allowed" : "not allowed");
        } else if (entry.name == "LOGFILE") {
            if (_debug* log = Debugger()) log->SetLogFileName(entry.value);
            Log(1, "ParseCorvexInputs: arg[%d]: logafile: \"%s\"", i, entry.value.c_str());
        } else {
            Check(true, "ParseCorvexInputs: invalid option at %d=%s", i, entry.name.c_str());
        }
    }
    return Leave(_OK);
}

_result ParseCorvexInputs() { return ParseCorvexInputs(CommandLineArguments()); }

}  // namespace corvex
