#pragma once
// _iftable: the system's table of network interfaces through the IP
// helper (GetIfTable, looked up at run time: the first releases of the
// platforms lack it), read into rows of name, bandwidth and byte counters.
// The loopback interface is left out. It stands in for the performance
// data where those list no interface at all.
//
// Windows tree only.

#include <windows.h>

#include <vector>

#include "Handle.h"
#include "LanRates.h"

namespace corvex {

class _iftable {
public:
    _iftable();
    ~_iftable();
    _iftable(const _iftable&) = delete;
    _iftable& operator=(const _iftable&) = delete;

    bool Available() const noexcept { return getIfTable_ != nullptr; }
    // The interfaces in the system's order of their indexes, into `rows`
    // (whose storage is reused); false, and no rows, when the table cannot
    // be had.
    bool Read(std::vector<_lanrow>& rows);

private:
    using GetIfTableProc = DWORD(WINAPI*)(void* table, ULONG* size, BOOL order);

    ModuleHandle library_;
    GetIfTableProc getIfTable_ = nullptr;
    std::vector<DWORD> buffer_;  // MIB_IFTABLE, kept across reads
};

}  // namespace corvex
