// Shows a band of graph and text readouts fed by synthetic sources, for a
// look at them: a plain gauge, one with byte meters, one with bit-rate
// meters driving the left bar of a tray gauge (drawn magnified beside the
// band), an inverted spectrum, an error state and two text readouts.
// With "audio", the Audio band on the test mixer instead: the master
// slider at full level, and the wave slider following another program
// that turns its line up and down. Ends by itself after the given number
// of seconds (default 6).
//
//   speeder_showcase [seconds] [audio]

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Application.h"
#include "support/ShowBar.h"
#include "AudioSentinel.h"
#include "Bitmap.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "Corvex_Tray.h"
#include "Form.h"
#include "Image.h"
#include "Impulse_Zolt2.h"
#include "KernelPort.h"
#include "Label.h"
#include "Timer.h"
#include "support/TestMixer.h"

using namespace corvex;
using corvex::test::_showbar;

namespace {

// A graph readout of a synthetic load; `scale` turns the percentage into
// the amounts its meters show.
class _wave final : public _gspeeder {
public:
    _wave(_component* owner, const char* name, int icon, double phase, double scale)
        : _gspeeder(owner), phase_(phase), scale_(scale) {
        SetName(name);
        SetIconIndex(icon);
    }
    _result RefreshPulse(unsigned elapsed) override {
        ++tick_;
        const double t = tick_ * 0.15 + phase_;
        const double used = 50 + 40 * std::sin(t) + 9 * std::sin(t * 3.7);
        SetAmounts((100 - used) * scale_, 100 * scale_);
        return _gspeeder::RefreshPulse(elapsed);
    }

private:
    double phase_;
    double scale_;
    long tick_ = 0;
};

class _words final : public _tspeeder {
public:
    _words(_component* owner, const char* name, int icon) : _tspeeder(owner) {
        SetName(name);
        SetIconIndex(icon);
    }
};

void ShowAudio(_component& root, _showbar& bar, int seconds) {
    test::_testmixer card = test::_testmixer::Card();
    bar.SetCaption("Corvex audio");
    bar.SetBounds(40, 40, 260, 90);
    _audiosentinel& band = bar.Make<_audiosentinel>(card);
    band.PlugSpeeders();
    band.SetColor(0xC8D0D4);
    for (std::size_t i = 0; i < band.SpeederCount(); ++i) {
        Reignite(*band.Speeders(i), std::string());
        band.Speeders(i)->UpdateIcon();
    }
    band.SetBounds(0, 0, 240, -1);
    int tick = 0;
    _timer& timer = root.Make<_timer>();
    timer.SetInterval(100);
    timer.OnTimer = [&] {
        card.ChangeElsewhere(10, {static_cast<DWORD>(32768 + 26000 * std::sin(++tick * 0.2))});
        if (tick * 100 >= seconds * 1000) Application().Terminate();
    };
    Application().SetMainForm(&bar);
    Application().Run();
    // Both go while the card they use is still there.
    root.Destroy(&timer);
    bar.Destroy(&band);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 6;
    _component root;
    _showbar& bar = root.Make<_showbar>();
    bar.SetCaption("Corvex readouts");
    if (argc > 2 && std::string(argv[2]) == "audio") {
        ShowAudio(root, bar, seconds);
        return 0;
    }
    bar.SetBounds(40, 40, 330, 260);

    _traycontainer& trays = root.Make<_traycontainer>();
    // No notification area on the test display: the shell call succeeds
    // without one, and the gauge is shown through its picture below.
    trays.SetShellNotify([](DWORD, _traynotifydata&) { return true; });
    _traypulse* tray = nullptr;
    trays.Add(&tray);
    bar.trays = &trays;

    _sentinel& band = bar.Make<_sentinel>();
    _wave& cpu = band.Make<_wave>("cpu", 0, 0.0, 1.0);
    cpu.SetOption(SPEEDER_METERS, false);
    cpu.SetNBY(21);  // tall enough for the graph's percentage text
    _wave& ram = band.Make<_wave>("ram", 1, 1.3, 2.5 * 1048576 * 1024 / 100);
    _wave& net = band.Make<_wave>("net", 2, 2.1, 1250000.0 / 100);
    net.SetOption(SPEEDER_BITS, true);
    net.Graph().SetStyle(IMPULSE_OSCILLO);
    _wave& disk = band.Make<_wave>("disk", 3, 0.7, 80.0 * 1073741824 / 100);
    disk.SetOption(SPEEDER_INVERTED, true);
    disk.SetOption(SPEEDER_METERS, false);
    disk.Graph().SetStyle(IMPULSE_SPECTRUM);
    _wave& swap = band.Make<_wave>("swap", 5, 0.0, 1.0);
    swap.SetOption(SPEEDER_METERS, false);
    swap.SetNBY(21);
    _words& uptime = band.Make<_words>("uptime", 4);
    _words& mail = band.Make<_words>("mail", 2);
    _speeder* all[] = {&cpu, &ram, &net, &disk, &swap, &uptime, &mail};
    for (_speeder* s : all) {
        band.AddSpeeder(s);
        s->Prepare();
        s->UpdateIcon();
        s->UpdateVisibility();
        s->Start();
    }
    swap.Stop();  // fed by nothing: it shows its error
    swap.ShowError("no page file");
    net.AttachTray(tray, 0);
    band.SetBounds(0, 0, 220, -1);

    _label& caption = root.Make<_label>(&bar);
    caption.SetCaption("tray gauge");
    caption.SetBounds(232, 8, 80, 14);
    _image& gauge = root.Make<_image>(&bar);
    gauge.SetStretch(true);
    gauge.SetBounds(236, 26, 64, 64);

    int tick = 0;
    _timer& timer = root.Make<_timer>();
    timer.SetInterval(50);
    timer.OnTimer = [&] {
        ++tick;
        band.RefreshSpeedersPulse(50);
        const int up = 3 * 86400 + 4 * 3600 + 5 * 60 + tick / 20;
        char text[40];
        std::snprintf(text, sizeof text, "%d d %02d:%02d:%02d", up / 86400, up / 3600 % 24, up / 60 % 60, up % 60);
        uptime.ShowError(text);
        mail.ShowNotice(tick % 40 < 20 ? "2 new messages" : "checking...");
        gauge.SetPicture(tray->Picture());
        if (tick * 50 >= seconds * 1000) Application().Terminate();
    };
    Application().SetMainForm(&bar);
    Application().Run();
    return 0;
}
