// Shows the Mail band after a check of three accounts against POP3
// servers of its own on loopback: mail waiting, an empty mailbox and a
// wrong password. Writes `ready-file` once every account has reported,
// then ends by itself after the given number of seconds.
//
//   mail_showcase [seconds] [ready-file]

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Application.h"
#include "Bitmap.h"
#include "Form.h"
#include "KernelPort.h"
#include "MailSentinel.h"
#include "POP3_Zolt2.h"
#include "Timer.h"
#include "support/Pop3TestServer.h"

using namespace corvex;
using namespace corvex::test;

namespace {

class _showbar final : public _form, public _kernelport {
public:
    explicit _showbar(_component* owner) : _form(owner) {}
    _result UpdateIgnition(const std::string&) override { return _OK; }
    _result KERNEL_UpdateSize() override { return _OK; }
    // The strip's "no mail" tile (15) grey, the "mail" tile (18) with a
    // yellow envelope.
    _result GetMuseumBitmap(_bitmap* image, int index) override {
        if (!image) return _ERROR;
        image->SetSize(16, 16);
        _canvas& canvas = image->Canvas();
        canvas.SetBrush(index == 18 ? 0x30A0E0 : 0x909090);
        canvas.FillRect(_rect::Bounds(1, 3, 14, 10));
        canvas.SetBrush(COLOR_WHITE);
        canvas.FillRect(_rect::Bounds(3, 5, 10, 2));
        return _OK;
    }
    std::string HelpFolder() const override { return ""; }
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 6;
    const std::string ready = argc > 2 ? argv[2] : "";
    _pop3testserver full([](_pop3peer& peer) { Converse(peer); }, 4, seconds + 5);
    _pop3script none;
    none.stat = "+OK 0 0\r\n";
    _pop3testserver empty([none](_pop3peer& peer) { Converse(peer, none); }, 4, seconds + 5);

    _component root;
    _showbar& bar = root.Make<_showbar>();
    bar.SetCaption("Corvex mail");
    bar.SetBounds(40, 40, 260, 110);
    _mailsentinel& band = bar.Make<_mailsentinel>();
    struct Account {
        const char* user;
        const char* pass;
        int port;
    } const accounts[] = {{"alice", "secret", full.Port()}, {"bob", "secret", empty.Port()},
                          {"carol", "wrong", full.Port()}};
    for (const Account& a : accounts) {
        _speeder* made = nullptr;
        band.NewSpeeder(made);
        auto& account = static_cast<_spop3&>(*made);
        account.SetName(a.user);
        account.SetUser(a.user);
        account.SetPass(a.pass);
        account.SetPort(static_cast<unsigned>(a.port));
        band.AddSpeeder(&account);
        account.Prepare();
        account.Ignite();  // the first check
        account.Start();
    }
    band.ArrangeSpeeders(0, 0, 240, -1);

    int ticks = 0;
    bool told = false;
    _timer& timer = root.Make<_timer>();
    timer.SetInterval(50);
    timer.OnTimer = [&] {
        bool idle = true;
        for (std::size_t i = 0; i < band.SpeederCount(); ++i)
            idle = idle && !(static_cast<_spop3*>(band.Speeders(i))->Watcher().Art() & POP3_ONLINE);
        if (idle && !told && !ready.empty()) {
            told = true;
            if (FILE* file = std::fopen(ready.c_str(), "w")) std::fclose(file);
        }
        if (++ticks * 50 >= seconds * 1000) Application().Terminate();
    };
    Application().SetMainForm(&bar);
    Application().Run();
    band.KillAccounts();
    return 0;
}
