#include "IfTable_Win32.h"

#include <iphlpapi.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "Debug_Zolt2.h"

namespace corvex {

namespace {
// Room for a few dozen interfaces at first; the table says when it needs more.
constexpr std::size_t kInitialBytes = 16 * sizeof(MIB_IFROW) + sizeof(DWORD);
// A table beyond this is no answer to believe.
constexpr ULONG kMaxBytes = 4096 * sizeof(MIB_IFROW);
constexpr int kMaxTries = 4;
}  // namespace

_iftable::_iftable() : library_(LoadLibraryA("iphlpapi.dll")) {
    if (library_)
        getIfTable_ = reinterpret_cast<GetIfTableProc>(
            reinterpret_cast<void*>(GetProcAddress(library_.get(), "GetIfTable")));
    buffer_.resize(kInitialBytes / sizeof(DWORD));
}

_iftable::_iftable(GetIfTableProc source) : getIfTable_(source) {
    buffer_.resize(kInitialBytes / sizeof(DWORD));
}

_iftable::~_iftable() = default;

bool _iftable::ReadOnce(std::vector<_lanrow>& rows) {
    if (!fresh_) {
        keptOk_ = Read(kept_);
        fresh_ = true;
    }
    // Element by element: the names keep their storage from tick to tick.
    rows = kept_;
    return keptOk_;
}

bool _iftable::Read(std::vector<_lanrow>& rows) {
    if (!getIfTable_) {
        rows.clear();
        return false;
    }
    ++reads_;
    DWORD status = ERROR_INSUFFICIENT_BUFFER;
    for (int tries = 0; tries < kMaxTries; ++tries) {
        ULONG size = static_cast<ULONG>(buffer_.size() * sizeof(DWORD));
        status = getIfTable_(buffer_.data(), &size, TRUE);
        if (status != ERROR_INSUFFICIENT_BUFFER) break;
        if (size > kMaxBytes) break;
        // A little more than asked: an interface may come meanwhile.
        buffer_.resize(size / sizeof(DWORD) + 1 + sizeof(MIB_IFROW) / sizeof(DWORD));
    }
    if (status != NO_ERROR) {
        Log(40, "_iftable.Read: GetIfTable failed (%lu)", static_cast<unsigned long>(status));
        rows.clear();
        return false;
    }
    const auto* table = reinterpret_cast<const MIB_IFTABLE*>(buffer_.data());
    // Never more rows than the buffer holds, whatever the count says.
    const std::size_t room =
        (buffer_.size() * sizeof(DWORD) - offsetof(MIB_IFTABLE, table)) / sizeof(MIB_IFROW);
    const std::size_t count = std::min<std::size_t>(table->dwNumEntries, room);
    // The rows of the last read are written over, so that their names keep
    // their storage from tick to tick.
    std::size_t used = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const MIB_IFROW& row = table->table[i];
        if (row.dwType == MIB_IF_TYPE_LOOPBACK) continue;
        if (used == rows.size()) rows.emplace_back();
        _lanrow& out = rows[used++];
        const std::size_t length = std::min<std::size_t>(row.dwDescrLen, MAXLEN_IFDESCR);
        PerfInstanceName(reinterpret_cast<const char*>(row.bDescr), length, out.name);
        if (out.name.empty()) out.name = "interface " + std::to_string(row.dwIndex);
        out.bandwidth = row.dwSpeed;
        out.received = row.dwInOctets;
        out.sent = row.dwOutOctets;
    }
    rows.resize(used);
    return true;
}

}  // namespace corvex
