// Shows the System band as the engine builds it, for a look: the real
// clock, up-time, system, screen, host, user, keyboard language (from the
// shipped table beside the program) and MAPI (which Wine does not start),
// a command box with a history, and a battery on the wane in place of the
// mains Wine reports. Ends by itself after the given number of seconds
// (default 6).
//
//   system_showcase [seconds]

#include <windows.h>

#include <cstdlib>
#include <string>

#include "Application.h"
#include "support/ShowBar.h"
#include "Battery_Zolt2.h"
#include "Bitmap.h"
#include "ComboBox.h"
#include "ExeSpeeder.h"
#include "Form.h"
#include "KernelPort.h"
#include "KeySpeeder.h"
#include "SystemSentinel.h"
#include "Timer.h"

using namespace corvex;
using corvex::test::_showbar;

namespace {

class _waning final : public _powersource {
public:
    bool Read(_powerreading& reading) override {
        reading = {0, 1, static_cast<std::uint8_t>(charge_ > 5 ? charge_-- : charge_)};
        return true;
    }

private:
    int charge_ = 72;
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 6;
    _component root;
    _waning battery;
    _showbar& bar = root.Make<_showbar>();
    bar.SetCaption("Corvex System band");
    bar.SetBounds(40, 40, 340, 300);

    _syssentinel& band = bar.Make<_syssentinel>(_systemsources{&battery, {}});
    band.PlugSpeeders();
    band.PrepareSpeeders();
    for (std::size_t i = 0; i < band.SpeederCount(); ++i) {
        _speeder& s = *band.Speeders(i);
        if (auto* key = dynamic_cast<_skey*>(&s)) key->LoadLanguages();
        if (auto* exe = dynamic_cast<_sexe*>(&s)) {
            for (const char* command : {"notepad", "regedit", "cmd /k ver"}) exe->ExeCOMBO().Add(command);
            exe->ExeCOMBO().SetText("notepad");
        }
    }
    band.SignalSpeeders(SIGNAL_IGNITE);
    band.SignalSpeeders(SIGNAL_START);
    band.ArrangeSpeeders(0, 0, 330, -1);
    band.RefreshSpeedersPulse(1);

    int tick = 0;
    _timer& timer = root.Make<_timer>();
    timer.SetInterval(500);
    timer.OnTimer = [&] {
        band.RefreshSpeedersPulse(500);
        if (++tick * 500 >= seconds * 1000) Application().Terminate();
    };
    Application().SetMainForm(&bar);
    Application().Run();
    band.SignalSpeeders(SIGNAL_STOP);
    band.SignalSpeeders(SIGNAL_SHUTDOWN);
    return 0;
}
