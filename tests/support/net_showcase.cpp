// The Net band probing 127.0.0.1 and 127.0.0.2 with real echo requests,
// for test.sh's picture; lag times of a few milliseconds let loopback's
// short echoes move the graphs. Ends by itself after [seconds] (6).
//
//   net_showcase [seconds]

#include <cstdlib>

#include "Application.h"
#include "support/ShowBar.h"
#include "Corvex_Kernel.h"
#include "Impulse_Zolt2.h"
#include "KernelPort.h"
#include "NetSentinel.h"
#include "Timer.h"

using namespace corvex;
using corvex::test::_showbar;

int main(int argc, char** argv) {
    _component root;
    _showbar& bar = root.Make<_showbar>();
    bar.SetCaption("Corvex Net Sentinel");
    bar.SetBounds(40, 40, 260, 120);
    _netsentinel& band = bar.Make<_netsentinel>();
    for (const char* host : {"127.0.0.1", "127.0.0.2"}) {
        _sping& ping = band.Make<_sping>();
        ping.SetName(host);
        ping.SetLag(host[8] == '1' ? 2 : 4);
        ping.Graph().SetStyle(host[8] == '1' ? IMPULSE_OSCILLO : IMPULSE_PROGRESSOR);
        ping.SetShowIP(true);
        ping.SetNBY(21);  // tall enough for the graph's text
        band.AddSpeeder(&ping);
        ping.UpdateIcon();
        ping.SetFrequency(200);
        ping.Start();
    }
    band.SetBounds(0, 0, 250, -1);
    _timer& timer = root.Make<_timer>();
    timer.SetInterval(static_cast<unsigned>(argc > 1 ? std::atoi(argv[1]) : 6) * 1000);
    timer.OnTimer = [] { Application().Terminate(); };
    Application().SetMainForm(&bar);
    Application().Run();
    return 0;
}
