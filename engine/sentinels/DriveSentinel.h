#pragma once
// The Drive Sentinel and its Speeders.
//
//   _drivessentinel  one row per drive letter, following drives as they
//                    come and go; a returning drive gets its old settings
//   _sdrive          the used share of one drive, with the shell's icon of
//                    the drive and its mounted or unmounted state
//
// Windows tree only.

#include <cstdint>
#include <string>

#include "Bitmap.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "DriveMask.h"
#include "Drives_Win32.h"
#include "OsVersion.h"

namespace corvex {

class _paintbox;
class _sdrive;

class _drivessentinel : public _sentinel {
public:
    // On the real drives.
    explicit _drivessentinel(_component* owner);
    // On `drives` (which must outlive the Sentinel), as release `release`.
    _drivessentinel(_component* owner, _drivesystem& drives, _winrelease release);

    _drivesystem& Drives() const noexcept { return drives_; }
    _winrelease Release() const noexcept { return release_; }
    // The logical-drive mask last seen.
    std::uint32_t Mask() const noexcept { return mask_; }

    _result PlugSpeeders() override;
    _result RefreshSpeedersPulse(unsigned elapsed) override;

    // A row for drive `letter` of GetDriveType `type` and mask bit `bit`,
    // added to the list (the "-unlink=" option does not apply).
    _sdrive* AddDrive(unsigned type, char letter, std::uint32_t bit);
    // The engine's "[DEBUG] Add Drive": a started row for the first letter
    // from C: on that has neither a drive nor a row, with its stored
    // settings, laid out in the band and the bar. nullptr when every letter
    // is taken. Should that drive appear later, this row becomes its row.
    _sdrive* AddDebugDrive();

private:
    // The row that shows mask bit `bit`, or nullptr.
    _sdrive* RowOf(std::uint32_t bit) const noexcept;
    // key + "\Speeders", where the rows keep their settings; empty before
    // the settings were loaded.
    std::string SpeedersKey() const;
    void Relayout();

    _drivesystem& drives_;
    _winrelease release_;
    std::uint32_t mask_ = 0;
};

class _sdrive : public _gspeeder {
public:
    // `owner` is the Drive Sentinel, whose drives the row asks.
    explicit _sdrive(_component* owner);
    ~_sdrive() override;

    // ---- properties
    // The row's name, "C:" and so on. Setting it finds out whether the
    // drive holds a medium, fetches its icon and shows its name.
    const std::string& DriveName() const noexcept { return Name(); }
    void SetDriveName(const std::string& name);
    // GetDriveType of the drive; 6 until set.
    std::uint16_t DriveArt() const noexcept { return driveArt_; }
    void SetDriveArt(std::uint16_t art) noexcept { driveArt_ = art; }
    // While waiting, every tick compares the shell's icon of the drive with
    // the one shown and takes it when it changed, until the count runs out
    // (the shell updates its icons some ticks after a change of medium).
    bool Shell32Waiting() const noexcept { return shell32Waiting_; }
    void SetShell32Waiting(bool waiting) noexcept { shell32Waiting_ = waiting; }
    std::int32_t Shell32WaitingCount() const noexcept { return shell32WaitingCount_; }
    void SetShell32WaitingCount(std::int32_t count) noexcept { shell32WaitingCount_ = count; }

    bool Mounted() const noexcept { return mounted_; }
    std::uint32_t Bit() const noexcept { return bit_; }
    void SetBit(std::uint32_t bit) noexcept { bit_ = bit; }
    _paintbox& IconBox() const noexcept { return *iconBox_; }
    const _icon& ShellIcon() const noexcept { return icon_; }

    // ---- operations
    // Free and total bytes of the drive at `path`: 0, or 6 with both 0.
    _result GetDriveSpace(const std::string& path, double& free, double& total);

    // ---- overrides
    _result UpdateIcon() override;
    void SetBounds(int left, int top, int width, int height) override;
    _result UpdateVisibility() override;
    _result RefreshPulse(unsigned elapsed) override;

private:
    void PaintIcon(_canvas& canvas);
    // Takes `icon` as the one shown.
    void ShowIcon(_icon icon);
    // One step of the icon's follow-up while Shell32Waiting.
    void FollowShellIcon();
    void StartWaiting(std::int32_t ticks) noexcept;

    _drivesystem& drives_;
    _winrelease release_;
    std::string driveName_;  // as the setter last applied it
    std::string root_;       // name + "\", asked every tick
    std::uint16_t driveArt_ = DRIVEART_RAMDISK;  // until AddDrive sets the real type
    bool shell32Waiting_ = false;
    std::int32_t shell32WaitingCount_ = 0;
    bool mounted_ = false;
    _paintbox* iconBox_ = nullptr;  // owned through the component list
    _icon icon_;
    std::uint32_t bit_ = 0;
    _iconbits shownBits_;    // of icon_
    _iconbits fetchedBits_;  // of the icon fetched in the follow-up, buffers reused
};

}  // namespace corvex
