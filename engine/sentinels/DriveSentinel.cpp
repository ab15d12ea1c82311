#include "DriveSentinel.h"

#include <windows.h>

#include <utility>

#include "Debug_Zolt2.h"
#include "Image.h"
#include "Impulse_Zolt2.h"
#include "KernelPort.h"
#include "Label.h"
#include "System_Zolt2.h"

namespace corvex {

namespace {

// Ticks the icon follows the shell after a change of medium, and after a
// drive appeared.
constexpr std::int32_t kWaitAfterMedia = 60;
constexpr std::int32_t kWaitAfterArrival = 10;

std::string LetterName(char letter) { return std::string(1, letter) + ":"; }
std::string LetterRoot(char letter) { return LetterName(letter) + "\\"; }

}  // namespace

// ---- _drivessentinel

_drivessentinel::_drivessentinel(_component* owner) : _drivessentinel(owner, Win32Drives(), WindowsRelease()) {}

_drivessentinel::_drivessentinel(_component* owner, _drivesystem& drives, _winrelease release)
    : _sentinel(owner), drives_(drives), release_(release) {
    SetCaption("Drive Sentinel");
    drives_.FailCriticalErrors();
}

_result _drivessentinel::PlugSpeeders() {
    _sentinel::PlugSpeeders();
    mask_ = drives_.LogicalDrives();
    ForEachDrive(mask_, [this](unsigned i) {
        const char letter = DriveLetter(i);
        const unsigned type = drives_.DriveType(LetterRoot(letter));
        if (ShownAtStart(type, letter)) AddDrive(type, letter, DriveBit(i));
    });
    ArrangeSpeeders(Left(), Top(), Width(), -1);
    return _OK;
}

_result _drivessentinel::RefreshSpeedersPulse(unsigned elapsed) {
    const std::uint32_t mask = drives_.LogicalDrives();
    if (mask != mask_) {
        const _drivechange change = CompareDriveMasks(mask_, mask);
        const std::string key = SpeedersKey();
        if (change.removed) {
            // From the end, so that the indices still to visit stay valid.
            for (std::size_t i = SpeederCount(); i-- > 0;) {
                auto* row = dynamic_cast<_sdrive*>(Speeders(i));
                if (!row || !(row->Bit() & change.removed)) continue;
                Log(20, "_drivessentinel.RefreshSpeedersPulse: %s went", row->DriveName().c_str());
                Retire(*row, key);
                KillSpeederByIndex(static_cast<int>(i));
            }
        }
        ForEachDrive(change.added, [&](unsigned i) {
            // A row made for the letter beforehand (the debug entry) is
            // the drive's row now.
            if (RowOf(DriveBit(i))) return;
            const char letter = DriveLetter(i);
            Log(20, "_drivessentinel.RefreshSpeedersPulse: %c: came", letter);
            _sdrive* row = AddDrive(drives_.DriveType(LetterRoot(letter)), letter, DriveBit(i));
            if (!row) return;
            Reignite(*row, key);
            row->SetShell32Waiting(true);
            row->SetShell32WaitingCount(kWaitAfterArrival);
        });
        mask_ = mask;
        if (change.Any()) Relayout();
    }
    return _sentinel::RefreshSpeedersPulse(elapsed);
}

_sdrive* _drivessentinel::AddDrive(unsigned type, char letter, std::uint32_t bit) {
    _sdrive& row = Make<_sdrive>();
    row.SetDriveArt(static_cast<std::uint16_t>(type));
    row.SetDriveName(LetterName(letter));
    row.SetBit(bit);
    if (AddSpeeder(&row) != _OK) {
        Destroy(&row);
        return nullptr;
    }
    return &row;
}

_sdrive* _drivessentinel::AddDebugDrive() {
    // C: to Z: first, the floppy letters last.
    for (unsigned n = 0; n < DRIVE_LETTERS; ++n) {
        const unsigned i = (n + 2) % DRIVE_LETTERS;
        const std::uint32_t bit = DriveBit(i);
        const char letter = DriveLetter(i);
        if ((mask_ & bit) || RowOf(bit)) continue;
        bool named = false;
        for (std::size_t s = 0; s < SpeederCount() && !named; ++s)
            named = Speeders(s)->Name() == LetterName(letter);
        if (named) continue;
        _sdrive* row = AddDrive(drives_.DriveType(LetterRoot(letter)), letter, bit);
        if (!row) return nullptr;
        Reignite(*row, SpeedersKey());
        Relayout();
        return row;
    }
    return nullptr;
}

_sdrive* _drivessentinel::RowOf(std::uint32_t bit) const noexcept {
    for (std::size_t i = 0; i < SpeederCount(); ++i)
        if (auto* row = dynamic_cast<_sdrive*>(Speeders(i)); row && (row->Bit() & bit)) return row;
    return nullptr;
}

std::string _drivessentinel::SpeedersKey() const { return Key().empty() ? std::string() : Key() + "\\Speeders"; }

void _drivessentinel::Relayout() {
    ArrangeSpeeders(Left(), Top(), Width(), -1);
    if (_kernelport* kernel = Kernel()) kernel->KERNEL_UpdateSize();
}

// ---- _sdrive

namespace {

_drivessentinel* DriveOwner(_component* owner) noexcept { return dynamic_cast<_drivessentinel*>(owner); }

}  // namespace

_sdrive::_sdrive(_component* owner)
    : _gspeeder(owner),
      drives_(DriveOwner(owner) ? DriveOwner(owner)->Drives() : Win32Drives()),
      release_(DriveOwner(owner) ? DriveOwner(owner)->Release() : WindowsRelease()) {
    SetName("C:");
    SetOption(SPEEDER_METERS, true);
    SetHelpAnchor("_drivesentinel");
    SetNameOffset(-15);
    // Over the strip icon's place: the shell's own picture of the drive.
    iconBox_ = &Make<_paintbox>(dynamic_cast<_wincontrol*>(owner));
    iconBox_->SetBounds(0, 0, 16, 16);
    iconBox_->SetCursor(IDC_HAND);
    iconBox_->OnPaint = [this](_canvas& canvas) { PaintIcon(canvas); };
}

_sdrive::~_sdrive() { Log(500, "_sdrive.Destroy: %s", Name().c_str()); }

void _sdrive::SetDriveName(const std::string& name) {
    if (name == driveName_) return;
    driveName_ = name;
    SetName(name);
    root_ = name + "\\";
    double free = 0, total = 0;
    mounted_ = GetDriveSpace(root_, free, total) == _OK;
    if (!mounted_) SetAmounts(-1, -1);
    if (driveArt_ == DRIVEART_CDROM) {
        // Redrawn at the first refresh whatever the disc holds (a CD-ROM
        // has no free bytes, which the meters show from the start), and
        // always in the stasis colour.
        SetShownAmounts(-1, -1);
        SetOption(SPEEDER_STASIS, true);
    }
    UpdateIcon();
    UpdateCaption();
}

_result _sdrive::GetDriveSpace(const std::string& path, double& free, double& total) {
    // The 95/98/ME cluster figures stop at 2 GiB; GetDiskFreeSpaceEx is
    // missing before Windows 95 OSR2, where the clusters are all there is.
    if (release_ <= RELEASE_WIN98 && drives_.HasDiskFreeSpaceEx()) {
        std::uint64_t all = 0, unused = 0;
        if (drives_.DiskFreeSpaceEx(path, all, unused)) {
            total = static_cast<double>(all);
            free = static_cast<double>(unused);
            return _OK;
        }
    } else {
        _clusters c;
        if (drives_.DiskFreeSpace(path, c)) {
            total = ClusterBytes(c.totalClusters, c.sectorsPerCluster, c.bytesPerSector);
            free = ClusterBytes(c.freeClusters, c.sectorsPerCluster, c.bytesPerSector);
            return _OK;
        }
    }
    free = total = 0;
    return _ERROR;
}

_result _sdrive::UpdateIcon() {
    ShowIcon(drives_.SmallIcon(root_));
    return icon_.Empty() ? _ERROR : _OK;
}

void _sdrive::ShowIcon(_icon icon) {
    icon_ = std::move(icon);
    ReadIconBits(icon_.Handle(), shownBits_);
    iconBox_->Repaint();
}

void _sdrive::PaintIcon(_canvas& canvas) {
    if (Hidden() || !(Effective() & SPEEDER_ICONED)) return;
    const _rect box = _rect::Bounds(0, 0, 16, 16);
    canvas.SetBrush(iconBox_->Parent() ? iconBox_->Parent()->Color() : SYSCOLOR_BTNFACE);
    canvas.FillRect(box);
    if (!icon_.Empty()) DrawIconEx(canvas.Handle(), 0, 0, icon_.Handle(), 16, 16, 0, nullptr, DI_NORMAL);
}

void _sdrive::SetBounds(int left, int top, int width, int height) {
    _gspeeder::SetBounds(left, top, width, height);
    iconBox_->SetBounds(Icon().Left(), Icon().Top(), 16, 16);
}

_result _sdrive::UpdateVisibility() {
    const _result result = _gspeeder::UpdateVisibility();
    // The box shows the icon; the strip picture beneath it stays hidden.
    Icon().SetVisible(false);
    iconBox_->SetVisible(!Hidden() && (Effective() & SPEEDER_ICONED));
    return result;
}

void _sdrive::StartWaiting(std::int32_t ticks) noexcept {
    shell32Waiting_ = true;
    shell32WaitingCount_ = ticks;
}

void _sdrive::FollowShellIcon() {
    if (!shell32Waiting_) return;
    _icon fetched = drives_.SmallIcon(root_);
    ReadIconBits(fetched.Handle(), fetchedBits_);
    if (fetchedBits_ != shownBits_) {
        // The fetched one is the new icon: no second trip to the shell.
        icon_ = std::move(fetched);
        std::swap(shownBits_, fetchedBits_);
        iconBox_->Repaint();
    }
    if (--shell32WaitingCount_ <= 0) {
        shell32WaitingCount_ = 0;
        shell32Waiting_ = false;
    }
}

_result _sdrive::RefreshPulse(unsigned elapsed) {
    if (Stopped()) return _OK;
    double free = 0, total = 0;
    const bool answered = GetDriveSpace(root_, free, total) == _OK;
    if (!answered && mounted_) {
        // The medium went: this tick shows an empty gauge, the next one
        // the unmounted state.
        mounted_ = false;
        drives_.NotifyMedia(root_, false);
        StartWaiting(kWaitAfterMedia);
    } else if (answered && !mounted_) {
        mounted_ = true;
        drives_.NotifyMedia(root_, true);
        StartWaiting(kWaitAfterMedia);
        Graph().SetText("%d%%");
    } else if (!answered) {
        // The icon follows the shell here too: after an eject the shell
        // shows the empty drive's icon some ticks later.
        FollowShellIcon();
        SetAmounts(free, total);
        SetShownAmounts(free, total);
        FreeLabel().SetCaption(std::string());
        TotalLabel().SetCaption(std::string());
        ShowError("not mounted");
        return _OK;
    }
    FollowShellIcon();
    SetAmounts(free, total);
    return _gspeeder::RefreshPulse(elapsed);
}

}  // namespace corvex
