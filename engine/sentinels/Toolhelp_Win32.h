#pragma once
// _toolhelp: the numbers of processes and threads in the system, from a
// snapshot of the process list (CreateToolhelp32Snapshot, looked up at run
// time: NT 4 has no such entry).
//
// Windows tree only.

#include <windows.h>

#include <tlhelp32.h>

#include <cstdint>

namespace corvex {

class _toolhelp {
public:
    _toolhelp() noexcept;

    bool Available() const noexcept { return snapshot_ && first_ && next_; }
    // The processes and the threads they hold now; false when no snapshot
    // can be had.
    bool Count(std::uint64_t& processes, std::uint64_t& threads) const;

private:
    using SnapshotProc = HANDLE(WINAPI*)(DWORD flags, DWORD processId);
    using WalkProc = BOOL(WINAPI*)(HANDLE snapshot, PROCESSENTRY32* entry);

    SnapshotProc snapshot_ = nullptr;
    WalkProc first_ = nullptr;
    WalkProc next_ = nullptr;
};

}  // namespace corvex
