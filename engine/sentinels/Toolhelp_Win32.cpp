#include "Toolhelp_Win32.h"

#include <algorithm>

#include "Handle.h"
#include "KernelCounts.h"

namespace corvex {

namespace {

constexpr ULONG kProcessList = 5;  // SystemProcessInformation
constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);  // STATUS_INFO_LENGTH_MISMATCH
// Room for a few hundred processes at first, within what the C library
// still takes from its heap rather than mapping afresh on every call.
constexpr std::size_t kFirstBytes = 64 * 1024;
constexpr std::size_t kMostBytes = 16 * 1024 * 1024;

template <class Proc>
Proc Entry(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

_toolhelp::_toolhelp() noexcept {
    // Always loaded in every process: borrowed, not owned.
    query_ = Entry<QueryProc>(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    snapshot_ = Entry<SnapshotProc>(kernel, "CreateToolhelp32Snapshot");
    first_ = Entry<WalkProc>(kernel, "Process32First");
    next_ = Entry<WalkProc>(kernel, "Process32Next");
}

bool _toolhelp::Count(std::uint64_t& processes, std::uint64_t& threads) {
    if (CountFromQuery(processes, threads)) return true;
    return CountFromSnapshot(processes, threads);
}

bool _toolhelp::CountFromQuery(std::uint64_t& processes, std::uint64_t& threads) {
    processes = 0;
    threads = 0;
    if (!query_) return false;
    if (buffer_.empty()) buffer_.resize(kFirstBytes / sizeof(std::uint64_t));
    // The list may grow between the calls: a few tries.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const std::size_t bytes = buffer_.size() * sizeof(std::uint64_t);
        ULONG needed = 0;
        const LONG status = query_(kProcessList, buffer_.data(), static_cast<ULONG>(bytes), &needed);
        if (status == 0) {
            const std::size_t written = needed != 0 && needed < bytes ? needed : bytes;
            return CountProcessList(buffer_.data(), written, processes, threads);
        }
        if (status != kLengthMismatch || bytes >= kMostBytes) return false;
        // What it asked for, with room for what starts meanwhile.
        std::size_t grown = bytes * 2;
        if (needed > bytes) grown = std::max<std::size_t>(grown, needed + needed / 4);
        grown = std::min(grown, kMostBytes);
        buffer_.resize(grown / sizeof(std::uint64_t));
    }
    return false;
}

bool _toolhelp::CountFromSnapshot(std::uint64_t& processes, std::uint64_t& threads) const {
    processes = 0;
    threads = 0;
    if (!snapshot_ || !first_ || !next_) return false;
    // Fails with INVALID_HANDLE_VALUE, as CreateFile does.
    const FileHandle snapshot(snapshot_(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = first_(snapshot.get(), &entry); more; more = next_(snapshot.get(), &entry)) {
        ++processes;
        threads += entry.cntThreads;
    }
    return processes > 0;
}

}  // namespace corvex
