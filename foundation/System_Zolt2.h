#pragma once
// System-information helpers: the Windows release, a one-line description
// of the system, memory, user and computer names, the host address, the
// process's own arguments, and starting a program.

#include <string>
#include <vector>

#include "OsVersion.h"

namespace corvex {

// Where the version record comes from. The real source asks GetVersionEx;
// tests put another in place to walk the 95/98/ME and NT code paths.
// Returns false when the query fails.
using _versionsource = bool (*)(_osversion& version);

// Installs `source` (nullptr: the real one) and returns the previous source.
_versionsource SetVersionSource(_versionsource source);

_winrelease WindowsRelease();
std::string SystemDescription();

// Available and total physical memory in bytes.
void MemoryStatus(double& available, double& total);

std::string UserName();      // empty on failure
std::string ComputerName();  // empty on failure
std::string HostAddress();   // dotted form of the last address, or empty

// The display's colour depth in bits per pixel and its vertical refresh
// rate (0 or 1: the hardware's default), from the desktop's device context.
void DisplayDepth(int& bits, int& refresh);

// The program file's full path, and its folder with the trailing backslash.
std::string ProgramPath();
std::string ProgramFolder();

// The program's full path followed by its arguments as the C runtime split
// them; the first element is what the option parser takes as argument 0.
std::vector<std::string> CommandLineArguments();

// Starts the command line as a new process without waiting for it:
// 0 when the process was created, -1 otherwise.
int RunProgram(const std::string& commandLine);

}  // namespace corvex
