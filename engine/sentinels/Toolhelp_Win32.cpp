#include "Toolhelp_Win32.h"

#include "Handle.h"

namespace corvex {

namespace {
template <class Proc>
Proc Entry(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
}  // namespace

_toolhelp::_toolhelp() noexcept {
    // Always loaded in every process: borrowed, not owned.
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    snapshot_ = Entry<SnapshotProc>(kernel, "CreateToolhelp32Snapshot");
    first_ = Entry<WalkProc>(kernel, "Process32First");
    next_ = Entry<WalkProc>(kernel, "Process32Next");
}

bool _toolhelp::Count(std::uint64_t& processes, std::uint64_t& threads) const {
    processes = 0;
    threads = 0;
    if (!Available()) return false;
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
