#pragma once
// The engine's own reading of its command line: the debug log's level and
// file, docking allowed, Sentinels left out ("-unplug=") and Speeders left
// out ("-unlink="), into StartupOptions().

#include <string>
#include <vector>

#include "Core_Zolt2.h"

namespace corvex {

// `args[0]` is the program's full path. _OK, or _ERROR for a docking value
// that is no boolean word (the engine then ends without a window). A
// command line the option parser refuses is ignored as a whole: _OK, with
// every option at its default.
_result ParseCorvexInputs(const std::vector<std::string>& args);
// The same on the process's own command line.
_result ParseCorvexInputs();

}  // namespace corvex
