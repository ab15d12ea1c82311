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
        image->Canvas().SetBrush(COLOR_FUCHSIA);
        image->Canvas().FillRect(_rect::Bounds(0, 0, 16, 16));
        image->Canvas().SetBrush(tiles[index % 6]);
        image->Canvas().FillRect(_rect::Bounds(1, 1, 14, 14));
        image->Canvas().SetBrush(COLOR_WHITE);
        image->Canvas().FillRect(_rect::Bounds(3, 3, 4, 4));
        return _OK;
    }
    std::string HelpFolder() const override { return ""; }
};

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
