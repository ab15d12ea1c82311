#pragma once
// Shared by the probe tests: the GUI thread's messages run for a while,
// and the process's threads counted.

#include <windows.h>
#include <tlhelp32.h>

#include "Application.h"
#include "Handle.h"

namespace corvex::test {

// Runs messages until `done` or `milliseconds` have passed; whether done.
template <class Done>
bool PumpUntil(Done done, DWORD milliseconds) {
    for (const DWORD start = GetTickCount();; MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT)) {
        Application().ProcessMessages();
        if (done()) return true;
        if (GetTickCount() - start >= milliseconds) return false;
    }
}

inline int ThreadCount() {
    FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    return count;
}

}  // namespace corvex::test
