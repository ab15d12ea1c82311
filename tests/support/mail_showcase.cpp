// Shows the Mail band after a check of three accounts against POP3 servers
// of its own on loopback: mail waiting, an empty mailbox, a wrong
// password. Writes `ready-file` once all have reported; ends by itself.
//
//   mail_showcase [seconds] [ready-file]

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "Application.h"
#include "support/ShowBar.h"
#include "Bitmap.h"
#include "Form.h"
#include "KernelPort.h"
#include "MailSentinel.h"
#include "POP3_Zolt2.h"
#include "Timer.h"
#include "support/Pop3TestServer.h"

using namespace corvex;
using corvex::test::_showbar;
using namespace corvex::test;

namespace {

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 6;
    std::string ready = argc > 2 ? argv[2] : "";
    _pop3testserver full([](_pop3peer& peer) { Converse(peer); }, 4, seconds + 5);
    _pop3testserver empty([](_pop3peer& peer) { Converse(peer, {"+OK\r\n", "secret", "+OK 0 0\r\n"}); }, 4, seconds + 5);

    _component root;
    _showbar& bar = root.Make<_showbar>();
    bar.SetCaption("Corvex mail");
    bar.SetBounds(40, 40, 260, 110);
    _mailsentinel& band = bar.Make<_mailsentinel>();
    for (const auto& [user, pass, port] : {std::tuple{"alice", "secret", full.Port()},
                                           std::tuple{"bob", "secret", empty.Port()},
                                           std::tuple{"carol", "wrong", full.Port()}}) {
        auto& account = band.Make<_spop3>();
        account.SetName(user);
        account.SetUser(user);
        account.SetPass(pass);
        account.SetPort(static_cast<unsigned>(port));
        band.AddSpeeder(&account);
        account.Prepare();
        account.Ignite();  // the first check
    }
    band.ArrangeSpeeders(0, 0, 240, -1);

    int ticks = 0;
    _timer& timer = root.Make<_timer>();
    timer.SetInterval(50);
    timer.OnTimer = [&] {
        bool idle = true;
        for (std::size_t i = 0; i < band.SpeederCount(); ++i)
            idle = idle && !(static_cast<_spop3*>(band.Speeders(i))->Watcher().Art() & POP3_ONLINE);
        if (idle && !ready.empty()) {
            if (FILE* file = std::fopen(ready.c_str(), "w")) std::fclose(file);
            ready.clear();
        }
        if (++ticks * 50 >= seconds * 1000) Application().Terminate();
    };
    Application().SetMainForm(&bar);
    Application().Run();
    return 0;
}
