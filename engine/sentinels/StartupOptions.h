#pragma once
// The engine's process-wide start-up options: filled from the command line
// before any window exists, read later by the kernel (docking, Sentinels
// left out) and by the Sentinels (Speeders left out).
//
//   _startupoptions   docking allowed, the unplugged table, the unlinked names
//   StartupOptions()  the one instance of the process
//
// Portable: no Windows header.

#include <string>
#include <vector>

namespace corvex {

// Number of built-in Sentinels; "-unplug=" names them by 0 .. 10.
constexpr int SENTINEL_BUILTIN_COUNT = 11;

class _startupoptions {
public:
    bool DockingAllowed() const noexcept { return docking_; }
    void SetDockingAllowed(bool allowed) noexcept { docking_ = allowed; }

    // False for any index outside the table.
    bool Unplugged(int index) const noexcept;
    // Marks a Sentinel to leave out; false (nothing marked) outside 0 .. 10.
    bool Unplug(int index) noexcept;

    const std::vector<std::string>& Unlinked() const noexcept { return unlinked_; }
    void ClearUnlinked() noexcept { unlinked_.clear(); }
    void Unlink(const std::string& name) { unlinked_.push_back(name); }
    // Exact, case-sensitive comparison.
    bool IsUnlinked(const std::string& name) const noexcept;

    // Back to the defaults: docking allowed, nothing left out.
    void Reset() noexcept;

private:
    bool docking_ = true;
    bool unplugged_[SENTINEL_BUILTIN_COUNT] = {};
    std::vector<std::string> unlinked_;
};

// The options of this process.
_startupoptions& StartupOptions();

}  // namespace corvex
