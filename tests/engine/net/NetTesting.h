#pragma once
// What the probe tests share: running the GUI thread's messages for a
// while, and counting the process's threads.

#include <windows.h>
#include <tlhelp32.h>

#include <cstddef>

#include "Application.h"
#include "Handle.h"

namespace corvex::test {

// Runs messages until `done` or `milliseconds` have passed; whether done.
template <class Done>
bool PumpUntil(Done done, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        Application().ProcessMessages();
        if (done()) return true;
        if (GetTickCount() - start >= milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

inline std::size_t ThreadCount() {
    FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    std::size_t count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    return count;
}

}  // namespace corvex::test
