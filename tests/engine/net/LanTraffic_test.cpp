// Real traffic through the LAN readouts. Run by support/lan_namespace.sh in
// a network namespace of its own, whose only card leads to a peer that
// answers echoes; under Wine the interface table is the readouts' source.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Handle.h"
#include "LanSentinel.h"
#include "Registry_Win32.h"
#include "engine/sentinels/SentinelTesting.h"

namespace corvex::test {
namespace {

template <class Proc>
Proc Entry(const ModuleHandle& module, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module.get(), name)));
}

TEST(LanTraffic, EchoesToThePeerMoveBothReadoutsOfTheCard) {
    const char* peer = std::getenv("CORVEX_LAN_PEER");
    const char* card = std::getenv("CORVEX_LAN_CARD");
    unsigned a = 0, b = 0, c = 0, d = 0;
    ASSERT_TRUE(card && peer && std::sscanf(peer, "%u.%u.%u.%u", &a, &b, &c, &d) == 4)
        << "to be run through lan_namespace.sh";

    _component root;
    _lansentinel& lan = root.Make<_testhost>().Make<_lansentinel>(Win32Registry());
    lan.PlugSpeeders();
    lan.PrepareSpeeders();
    lan.SignalSpeeders(SIGNAL_START);
    ASSERT_TRUE(lan.FromInterfaceTable());
    ASSERT_EQ(lan.SpeederCount(), 2u);  // the card; the loopback interface is left out
    EXPECT_EQ(lan.Speeders(1)->Name(), std::string("in ") + card);
    lan.RefreshSpeedersPulse(1);

    const ModuleHandle icmp(LoadLibraryA("icmp.dll"));
    using Send = DWORD(WINAPI*)(HANDLE, DWORD, void*, WORD, void*, void*, DWORD, DWORD);
    const auto create = Entry<HANDLE(WINAPI*)()>(icmp, "IcmpCreateFile");
    const auto send = Entry<Send>(icmp, "IcmpSendEcho");
    const auto close = Entry<BOOL(WINAPI*)(HANDLE)>(icmp, "IcmpCloseHandle");
    ASSERT_TRUE(create && send && close);
    const HANDLE echo = create();
    constexpr int kEchoes = 20;
    char payload[1000] = {}, reply[2300];
    int answered = 0;
    for (int i = 0; i < kEchoes; ++i)
        answered += send(echo, a | b << 8 | c << 16 | d << 24, payload, sizeof payload, nullptr, reply,
                         sizeof reply, 2000) > 0;
    close(echo);
    EXPECT_EQ(answered, kEchoes);

    // A tick of one second: each echo is 1000 bytes and 8 of ICMP, 20 of IP
    // and 14 of Ethernet, each way.
    lan.RefreshSpeedersPulse(1000);
    constexpr double kFrames = kEchoes * (1000 + 8 + 20 + 14);
    for (std::size_t i = 0; i < 2; ++i) {
        const double bytes = dynamic_cast<_slan*>(lan.Speeders(i))->Free();
        EXPECT_GE(bytes, kFrames) << i;
        EXPECT_LT(bytes, 2 * kFrames) << i;  // little else passes here
    }
}

}  // namespace
}  // namespace corvex::test
