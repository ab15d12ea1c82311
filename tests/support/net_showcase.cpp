// Shows the Net band probing two loopback addresses with real echo
// requests, for a look at it (test.sh takes its picture). The lag times
// are a few milliseconds so that loopback's short echoes move the graphs.
// Ends by itself after the given number of seconds (default 6).
//
//   net_showcase [seconds]

#include <cstdlib>

#include "Application.h"
#include "Bitmap.h"
#include "Corvex_Kernel.h"
#include "Form.h"
#include "Impulse_Zolt2.h"
#include "KernelPort.h"
#include "NetSentinel.h"
#include "Timer.h"

using namespace corvex;

namespace {

class _showbar final : public _form, public _kernelport {
public:
    explicit _showbar(_component* owner) : _form(owner), strip_(16, 16, COLOR_FUCHSIA) { DrawMuseumStrip(strip_); }
    _result UpdateIgnition(const std::string&) override { return _OK; }
    _result KERNEL_UpdateSize() override { return _OK; }
    _result GetMuseumBitmap(_bitmap* image, int index) override {
        return image && strip_.GetBitmap(index, *image) ? _OK : _ERROR;
    }
    std::string HelpFolder() const override { return ""; }

private:
    _imagelist strip_;
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 6;
    _component root;
    _showbar& bar = root.Make<_showbar>();
    bar.SetCaption("Corvex Net Sentinel");
    bar.SetBounds(40, 40, 260, 120);
    _netsentinel& band = bar.Make<_netsentinel>();
    const struct { const char* host; int lag; _istyle style; } rows[] = {
        {"127.0.0.1", 2, IMPULSE_OSCILLO}, {"127.0.0.2", 4, IMPULSE_PROGRESSOR}};
    for (const auto& row : rows) {
        _sping& ping = band.Make<_sping>();
        ping.SetName(row.host);
        ping.SetLag(row.lag);
        ping.SetShowIP(true);
        ping.Graph().SetStyle(row.style);
        ping.SetNBY(21);  // tall enough for the graph's text
        band.AddSpeeder(&ping);
        ping.Prepare();
        ping.UpdateIcon();
        ping.SetFrequency(200);
        ping.Start();
    }
    band.SetBounds(0, 0, 250, -1);
    _timer& timer = root.Make<_timer>();
    timer.SetInterval(static_cast<unsigned>(seconds) * 1000);
    timer.OnTimer = [] { Application().Terminate(); };
    Application().SetMainForm(&bar);
    Application().Run();
    return 0;
}
