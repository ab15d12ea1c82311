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

TEST(LanTraffic, EchoesToThePeerMoveBothReadoutsOfTheCard) {
    const char* peer = std::getenv("CORVEX_LAN_PEER");
    const char* card = std::getenv("CORVEX_LAN_CARD");
    ASSERT_TRUE(peer && card) << "to be run through lan_namespace.sh";
    unsigned a = 0, b = 0, c = 0, d = 0;
    ASSERT_EQ(std::sscanf(peer, "%u.%u.%u.%u", &a, &b, &c, &d), 4);
    const DWORD address = a | b << 8 | c << 16 | d << 24;  // network order

    _component root;
    _testhost& host = root.Make<_testhost>();
    _lansentinel& lan = host.Make<_lansentinel>(Win32Registry());
    lan.PlugSpeeders();
    lan.PrepareSpeeders();
    lan.SignalSpeeders(SIGNAL_START);
    ASSERT_TRUE(lan.FromInterfaceTable());
    // One card and the loopback interface: two Speeders.
    ASSERT_EQ(lan.SpeederCount(), 2u);
    EXPECT_EQ(lan.Speeders(0)->Name(), std::string("out ") + card);
    EXPECT_EQ(lan.Speeders(1)->Name(), std::string("in ") + card);
    lan.RefreshSpeedersPulse(1);

    const ModuleHandle icmp(LoadLibraryA("icmp.dll"));
    using Create = HANDLE(WINAPI*)();
    using Send = DWORD(WINAPI*)(HANDLE, DWORD, void*, WORD, void*, void*, DWORD, DWORD);
    using Close = BOOL(WINAPI*)(HANDLE);
    const auto create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(icmp.get(), "IcmpCreateFile")));
    const auto send = reinterpret_cast<Send>(reinterpret_cast<void*>(GetProcAddress(icmp.get(), "IcmpSendEcho")));
    const auto close = reinterpret_cast<Close>(reinterpret_cast<void*>(GetProcAddress(icmp.get(), "IcmpCloseHandle")));
    ASSERT_TRUE(create && send && close);
    const HANDLE echo = create();
    ASSERT_NE(echo, INVALID_HANDLE_VALUE);
    constexpr int kEchoes = 20;
    constexpr WORD kPayload = 1000;
    char payload[kPayload] = {};
    char reply[2 * kPayload + 256];
    int answered = 0;
    for (int i = 0; i < kEchoes; ++i)
        answered += send(echo, address, payload, kPayload, nullptr, reply, sizeof reply, 2000) > 0;
    close(echo);
    EXPECT_EQ(answered, kEchoes);

    // Over a tick of one second the rate is the bytes of the tick: each
    // echo is 1000 bytes with 8 of ICMP, 20 of IP and 14 of Ethernet.
    lan.RefreshSpeedersPulse(1000);
    constexpr double kFrames = kEchoes * (kPayload + 8 + 20 + 14);
    for (std::size_t i = 0; i < 2; ++i) {
        const double bytes = dynamic_cast<_slan*>(lan.Speeders(i))->Free();
        EXPECT_GE(bytes, kFrames) << i;
        EXPECT_LT(bytes, 2 * kFrames) << i;  // little else passes here
    }
}

}  // namespace
}  // namespace corvex::test
