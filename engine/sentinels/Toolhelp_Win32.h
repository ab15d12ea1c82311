#pragma once
// _toolhelp: the numbers of processes and threads in the system. On NT the
// system's process list (NtQuerySystemInformation) is read into a buffer
// kept from tick to tick; elsewhere a toolhelp snapshot of the process
// list is walked (CreateToolhelp32Snapshot). Both are looked up at run
// time: NT 4 has no toolhelp, 95/98/ME no such query. The query costs one
// call per tick where the snapshot maps its section once per process.
//
// Windows tree only.

#include <windows.h>

#include <tlhelp32.h>

#include <cstdint>
#include <vector>

namespace corvex {

class _toolhelp {
public:
    _toolhelp() noexcept;

    bool Available() const noexcept { return query_ || (snapshot_ && first_ && next_); }
    // The processes and the threads they hold now; false when neither
    // source can give them.
    bool Count(std::uint64_t& processes, std::uint64_t& threads);

private:
    using QueryProc = LONG(WINAPI*)(ULONG infoClass, PVOID info, ULONG size, PULONG written);
    using SnapshotProc = HANDLE(WINAPI*)(DWORD flags, DWORD processId);
    using WalkProc = BOOL(WINAPI*)(HANDLE snapshot, PROCESSENTRY32* entry);

    bool CountFromQuery(std::uint64_t& processes, std::uint64_t& threads);
    bool CountFromSnapshot(std::uint64_t& processes, std::uint64_t& threads) const;

    QueryProc query_ = nullptr;
    SnapshotProc snapshot_ = nullptr;
    WalkProc first_ = nullptr;
    WalkProc next_ = nullptr;
    // The query's buffer, grown when the list outgrows it; 8-byte units
    // for the records' 64-bit fields.
    std::vector<std::uint64_t> buffer_;
};

}  // namespace corvex
