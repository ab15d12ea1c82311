#pragma once
// _iftable: the system's table of network interfaces through the IP
// helper (GetIfTable, looked up at run time: the first releases of the
// platforms lack it), read into rows of name, bandwidth and byte counters.
// The loopback interface is left out. It stands in for the performance
// data where those list no interface at all.
//
// The LAN and RAS Sentinels share one table through the bar: each tick the
// bar expires it and the first Sentinel to scan asks the system, the other
// gets the same rows (under Wine each read is a round trip to a service).
//
// Windows tree only.

#include <windows.h>

#include <vector>

#include "Handle.h"
#include "LanRates.h"

namespace corvex {

class _iftable {
public:
    // GetIfTable's own signature.
    using GetIfTableProc = DWORD(WINAPI*)(void* table, ULONG* size, BOOL order);

    _iftable();
    // Reads through `source` instead of the system's entry (tests).
    explicit _iftable(GetIfTableProc source);
    ~_iftable();
    _iftable(const _iftable&) = delete;
    _iftable& operator=(const _iftable&) = delete;

    bool Available() const noexcept { return getIfTable_ != nullptr; }
    // How often the system was asked so far.
    unsigned long Reads() const noexcept { return reads_; }
    // The interfaces in the system's order of their indexes, into `rows`
    // (whose storage is reused); false, and no rows, when the table cannot
    // be had.
    bool Read(std::vector<_lanrow>& rows);
    // The rows of the present tick into `rows`: the first call after Expire
    // reads the table, later ones copy what it read.
    bool ReadOnce(std::vector<_lanrow>& rows);
    // A new tick: the next ReadOnce asks the system again.
    void Expire() noexcept { fresh_ = false; }

private:
    ModuleHandle library_;
    GetIfTableProc getIfTable_ = nullptr;
    std::vector<DWORD> buffer_;  // MIB_IFTABLE, kept across reads
    unsigned long reads_ = 0;
    bool fresh_ = false;  // kept_ holds the present tick's rows
    bool keptOk_ = false;
    std::vector<_lanrow> kept_;
};

}  // namespace corvex
