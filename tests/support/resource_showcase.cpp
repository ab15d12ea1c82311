// Shows the Drive, Memory and FSR bands, for a look at them: the real
// drives of the prefix beside an empty CD-ROM drive D:, the real memory
// with the address-space row shown, and the free resources of a 95/98
// system played through the 16-bit calls. Ends by itself after the given
// number of seconds (default 6).
//
//   resource_showcase [seconds]

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "Application.h"
#include "Bitmap.h"
#include "DriveSentinel.h"
#include "FSR_Win32.h"
#include "Form.h"
#include "FsrSentinel.h"
#include "KernelPort.h"
#include "MemorySentinel.h"
#include "System_Zolt2.h"
#include "Timer.h"

using namespace corvex;

namespace {

class _showbar final : public _form, public _kernelport {
public:
    explicit _showbar(_component* owner) : _form(owner) {}
    _result UpdateIgnition(const std::string&) override { return _OK; }
    _result KERNEL_UpdateSize() override { return _OK; }
    // Tiles of the icon strip: a coloured square with a light corner.
    _result GetMuseumBitmap(_bitmap* image, int index) override {
        if (!image) return _ERROR;
        static const _color tiles[] = {0xC06030, 0x30A040, 0x3060C0, 0x9040A0, 0x2090B0, 0x707070};
        image->SetSize(16, 16);
        image->Canvas().SetBrush(tiles[index % 6]);
        image->Canvas().FillRect(_rect::Bounds(1, 1, 14, 14));
        image->Canvas().SetBrush(COLOR_WHITE);
        image->Canvas().FillRect(_rect::Bounds(3, 3, 4, 4));
        return _OK;
    }
    std::string HelpFolder() const override { return ""; }
};

// The real drives, and an empty CD-ROM drive at D: (none under Wine).
class _withcdrom final : public _drivesystem {
public:
    std::uint32_t LogicalDrives() override { return real_.LogicalDrives() | DriveBit(3); }
    unsigned DriveType(const std::string& root) override {
        return Cd(root) ? unsigned{DRIVEART_CDROM} : real_.DriveType(root);
    }
    bool DiskFreeSpace(const std::string& root, _clusters& c) override {
        return !Cd(root) && real_.DiskFreeSpace(root, c);
    }
    bool HasDiskFreeSpaceEx() override { return real_.HasDiskFreeSpaceEx(); }
    bool DiskFreeSpaceEx(const std::string& root, std::uint64_t& total, std::uint64_t& free) override {
        return !Cd(root) && real_.DiskFreeSpaceEx(root, total, free);
    }
    _icon SmallIcon(const std::string& path) override { return real_.SmallIcon(Cd(path) ? "C:\\" : path); }
    void NotifyMedia(const std::string&, bool) override {}
    void FailCriticalErrors() override { real_.FailCriticalErrors(); }

private:
    static bool Cd(const std::string& path) { return !path.empty() && path[0] == 'D'; }
    _drivesystem& real_ = Win32Drives();
};

// Windows 98 with resources that come and go.
class _win98 final : public _thunk16 {
public:
    int tick = 0;
    bool FindKernel() override { return true; }
    bool FindThunk() override { return true; }
    std::uint32_t LoadModule16(const char*) override { return 0x1234; }
    std::uint32_t FindProcedure16(std::uint32_t, const char*) override { return 0x01FF0010; }
    void FreeModule16(std::uint32_t) override {}
    std::uint16_t Call16(std::uint32_t, std::uint16_t resource) override {
        const double t = tick * 0.2 + resource;
        return static_cast<std::uint16_t>(resource == GFSR_USERRESOURCES ? 62 + 18 * std::sin(t) : 35 + 12 * std::sin(t));
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 6;
    _component root;
    _showbar& bar = root.Make<_showbar>();
    bar.SetCaption("Corvex resources");
    bar.SetBounds(40, 40, 260, 360);

    _withcdrom drives;
    _win98 win98;
    _drivessentinel& drive = bar.Make<_drivessentinel>(drives, WindowsRelease());
    _memsentinel& memory = bar.Make<_memsentinel>();
    _fsrsentinel& fsr = bar.Make<_fsrsentinel>(win98, RELEASE_WIN98);
    _sentinel* bands[] = {&drive, &memory, &fsr};
    for (_sentinel* band : bands) {
        band->SetBounds(0, 0, 244, 10);
        band->PlugSpeeders();
        band->PrepareSpeeders();
        band->SignalSpeeders(SIGNAL_IGNITE);
        band->SignalSpeeders(SIGNAL_START);
    }
    memory.Speeders(2)->SetVisible(true);  // the address space, hidden at first
    int top = 0;
    for (_sentinel* band : bands) {
        band->ArrangeSpeeders(0, top, 244, -1);
        band->RefreshSpeedersPulse(1);
        top += band->Height();
    }

    _timer& timer = root.Make<_timer>();
    timer.SetInterval(250);
    int ticks = 0;
    timer.OnTimer = [&] {
        ++win98.tick;
        for (_sentinel* band : bands) band->RefreshSpeedersPulse(250);
        if (++ticks * 250 >= seconds * 1000) Application().Terminate();
    };
    Application().SetMainForm(&bar);
    Application().Run();
    return 0;
}
