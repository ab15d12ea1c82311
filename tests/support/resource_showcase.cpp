// Shows the Drive, Memory and FSR bands, for a look at them: the real
// drives and memory of the prefix (the address-space row shown too), and
// the free resources of a 95/98 system played through the 16-bit calls.
// Ends by itself after the given number of seconds (default 6).
//
//   resource_showcase [seconds]

#include <cmath>
#include <cstdlib>
#include <string>

#include "Application.h"
#include "support/ShowBar.h"
#include "DriveSentinel.h"
#include "FSR_Win32.h"
#include "Form.h"
#include "FsrSentinel.h"
#include "KernelPort.h"
#include "MemorySentinel.h"
#include "System_Zolt2.h"
#include "Timer.h"

using namespace corvex;
using corvex::test::_showbar;

namespace {

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
        return static_cast<std::uint16_t>(40 + 15 * resource + 12 * std::sin(tick * 0.2 + resource));
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 6;
    _component root;
    _showbar& bar = root.Make<_showbar>();
    bar.SetCaption("Corvex resources");
    bar.SetBounds(40, 40, 260, 330);
    _win98 win98;
    _memsentinel& memory = bar.Make<_memsentinel>();
    _sentinel* bands[] = {&bar.Make<_drivessentinel>(Win32Drives(), WindowsRelease()), &memory,
                          &bar.Make<_fsrsentinel>(win98, RELEASE_WIN98)};
    int top = 0;
    for (_sentinel* band : bands) {
        band->SetBounds(0, 0, 244, 10);
        band->PlugSpeeders();
        band->PrepareSpeeders();
        band->SignalSpeeders(SIGNAL_START);
        if (band == &memory) band->Speeders(2)->SetVisible(true);  // the address space, hidden at first
        band->ArrangeSpeeders(0, top, 244, -1);
        top += band->Height();
    }
    _timer& timer = root.Make<_timer>();
    timer.SetInterval(250);
    timer.OnTimer = [&] {
        for (_sentinel* band : bands) band->RefreshSpeedersPulse(250);
        if (++win98.tick * 250 >= seconds * 1000) Application().Terminate();
    };
    Application().SetMainForm(&bar);
    Application().Run();
    return 0;
}
