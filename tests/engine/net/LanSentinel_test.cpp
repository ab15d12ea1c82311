// The LAN and RAS Sentinels on synthetic performance data, the throughput
// Speeder's Designer page, and the interface table of the real machine.

#include "LanSentinel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "Button.h"
#include "Edit.h"
#include "Impulse_Zolt2.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Panel.h"
#include "PerfData.h"
#include "RegistryMemory.h"
#include "Registry_Win32.h"
#include "StartupOptions.h"
#include "System_Zolt2.h"
#include "engine/sentinels/SentinelTesting.h"
#include "support/PerfDataWriter.h"

namespace corvex::test {
namespace {

struct Interface {
    std::u16string name;
    std::uint64_t bandwidth, received, sent;
};
std::vector<Interface> g_interfaces;  // as the next query reports them

class LanSentinelTest : public ::testing::Test {
protected:
    void SetUp() override {
        StartupOptions().Reset();
        memory_.Put(REGISTRY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009", "Counter",
                    REGISTRY_TYPE_MULTI_SZ, {'5', '1', '0', 0, 'N', 0, 0});
        memory_.PutSource(REGISTRY_PERFORMANCE_DATA, "", "510", REGISTRY_TYPE_BINARY, [] {
            PerfDataWriter w;
            // Bytes Total/sec first, as the system lists it; the bandwidth
            // is a 32-bit counter, the byte counters 64-bit.
            w.Object(510, {{388, perf::SIZE_LARGE}, {520, perf::SIZE_DWORD},
                           {264, perf::SIZE_LARGE}, {506, perf::SIZE_LARGE}});
            for (const Interface& i : g_interfaces)
                w.Instance(i.name, {i.received + i.sent, i.bandwidth, i.received, i.sent});
            return w.Build();
        });
        g_interfaces = {{u"MS TCP Loopback interface", 10000000, 900, 900},
                        {u"Card A", 100000000, 1000000, 2000000}};
    }
    void TearDown() override { StartupOptions().Reset(); }

    static _slan& Lan(_sentinel& s, std::size_t i) { return *dynamic_cast<_slan*>(s.Speeders(i)); }
    // What the engine does up to its first refresh.
    template <class Kind>
    Kind& Launch() {
        Kind& s = host_.Make<Kind>(memory_);
        s.PlugSpeeders();
        s.PrepareSpeeders();
        s.SignalSpeeders(SIGNAL_START);
        return s;
    }

    _memoryregistry memory_;
    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
};

TEST_F(LanSentinelTest, OneCardGetsTwoSpeedersThatShowItsRates) {
    _lansentinel& lan = Launch<_lansentinel>();
    ASSERT_FALSE(lan.FromInterfaceTable());
    ASSERT_EQ(lan.SpeederCount(), 2u);
    EXPECT_EQ(lan.Speeders(0)->Name(), "out Card A");
    EXPECT_EQ(lan.Speeders(1)->Name(), "in Card A");
    EXPECT_EQ(Lan(lan, 0).Total(), 12500000);

    // The launch's refresh of 1 ms shows the plain delta.
    g_interfaces[1].sent += 3000;
    g_interfaces[1].received += 5000;
    lan.RefreshSpeedersPulse(1);
    EXPECT_EQ(Lan(lan, 0).Free(), 3000);
    EXPECT_EQ(Lan(lan, 1).Free(), 5000);

    // Then bytes per second; a faster link is picked up on the way.
    g_interfaces[1].sent += 4000;
    g_interfaces[1].received += 1000;
    g_interfaces[1].bandwidth = 1000000000;
    lan.RefreshSpeedersPulse(2000);
    EXPECT_EQ(Lan(lan, 0).Free(), 2000);
    EXPECT_EQ(Lan(lan, 1).Free(), 500);
    EXPECT_EQ(Lan(lan, 1).Total(), 125000000);
    // The graph is the share of the bandwidth in use.
    g_interfaces[1].sent += 31250000;
    lan.RefreshSpeedersPulse(1000);
    EXPECT_EQ(Lan(lan, 0).Graph().Progress(), 25u);

    // A counter that went back (wrapped) reads 0 for that tick.
    g_interfaces[1].sent = 10;
    lan.RefreshSpeedersPulse(1000);
    EXPECT_EQ(Lan(lan, 0).Free(), 0);
    // A card that tells no bandwidth has no share in use to draw.
    g_interfaces[1].bandwidth = 0;
    g_interfaces[1].sent += 500;
    lan.RefreshSpeedersPulse(1000);
    EXPECT_EQ(Lan(lan, 0).Free(), 500);
    EXPECT_EQ(Lan(lan, 0).Graph().Progress(), 0u);

    // "-unlink=out" leaves the sent Speeders out.
    StartupOptions().Unlink("out");
    _lansentinel& unlinked = Launch<_lansentinel>();
    ASSERT_EQ(unlinked.SpeederCount(), 1u);
    EXPECT_EQ(unlinked.Speeders(0)->Name(), "in Card A");
}

TEST_F(LanSentinelTest, StoredBandwidthIsTheMaximumWhateverTheCardSays) {
    memory_.AddKey(REGISTRY_CURRENT_USER, "Software");
    _lair& store = root_.Make<_lair>(memory_);
    store.SetCompany("Brannock");
    store.SetApp("corvex");
    store.SetKey("Sentinels\\LAN Sentinel\\Speeders\\out Card A");
    store.WriteInteger("Bandwidth", 10000000);
    store.WriteBool("bps", false);
    store.SetKey("Sentinels\\LAN Sentinel\\Speeders\\in Card A");
    store.WriteInteger("Bandwidth", -8);  // damaged: the measured one counts

    _lansentinel& lan = Launch<_lansentinel>();
    store.SetKey("Sentinels\\LAN Sentinel");
    lan.LoadOptions(store.Key(), store);
    lan.RefreshSpeedersPulse(1000);
    EXPECT_EQ(Lan(lan, 0).Total(), 1250000);
    EXPECT_EQ(Lan(lan, 0).Options() & SPEEDER_BITS, 0u);
    EXPECT_EQ(Lan(lan, 1).Total(), 12500000);
    EXPECT_EQ(Lan(lan, 0).MeasuredBandwidth(), 100000000u);
}

TEST_F(LanSentinelTest, DialUpAndHangUpMoveTheRasSpeeders) {
    _rassentinel& ras = Launch<_rassentinel>();
    ASSERT_EQ(ras.SpeederCount(), 2u);  // no LAN Speeders here
    EXPECT_EQ(ras.Speeders(0)->Name(), "ras_in");
    EXPECT_EQ(ras.Speeders(1)->GetNick(), "out");

    const auto offline = [&](std::size_t i) {
        _slan& s = Lan(ras, i);
        EXPECT_EQ(s.Graph().Text(), "offline");
        EXPECT_EQ(s.Instance(), -1);
        EXPECT_EQ(s.FreeLabel().Caption(), "");
        EXPECT_EQ(s.TotalLabel().Caption(), "");
    };
    ras.RefreshSpeedersPulse(1);
    EXPECT_FALSE(ras.Online());
    offline(0);
    ras.RefreshSpeedersPulse(1000);  // and it stays so
    offline(1);

    // Only the first 24 characters of the name count.
    g_interfaces.push_back({u"WAN [PPP_SLIP] Interface #2", 56000, 100, 200});
    ras.RefreshSpeedersPulse(1000);
    ASSERT_TRUE(ras.Online());
    g_interfaces[2].received += 3500;
    ras.RefreshSpeedersPulse(1000);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(Lan(ras, i).Graph().Text(), "%d%%");
        EXPECT_EQ(Lan(ras, i).Instance(), 2);
        EXPECT_EQ(Lan(ras, i).Total(), 7000);
    }
    EXPECT_EQ(Lan(ras, 0).Free(), 3500);
    EXPECT_EQ(Lan(ras, 0).Graph().Progress(), 50u);
    EXPECT_NE(Lan(ras, 0).FreeLabel().Caption(), "");

    g_interfaces.pop_back();
    ras.RefreshSpeedersPulse(1000);
    EXPECT_FALSE(ras.Online());
    offline(0);
    offline(1);
}

TEST_F(LanSentinelTest, DesignerPageSetsBandwidthAndUnits) {
    _lansentinel& lan = Launch<_lansentinel>();
    _slan& out = Lan(lan, 0);
    _panel& page = host_.Make<_panel>(&host_);
    page.SetBounds(0, 0, 300, 71);
    out.OnCreateDesigner(page);
    ASSERT_EQ(page.ComponentCount(), 4u);
    auto& caption = dynamic_cast<_label&>(*page.Component(0));
    auto& spin = dynamic_cast<_spinedit&>(*page.Component(1));
    auto& bytes = dynamic_cast<_checkbox&>(*page.Component(3));
    EXPECT_EQ(caption.Caption(), "bandwidth:");
    EXPECT_EQ(spin.Left(), caption.Left() + caption.Width() + 3);
    EXPECT_EQ(spin.Value(), 100000000);  // nothing set: the measured one
    EXPECT_EQ(out.UserBandwidth(), 0);   // filling the page stored nothing
    EXPECT_FALSE(bytes.Checked());

    spin.SetText("8000");
    EXPECT_EQ(out.UserBandwidth(), 8000);
    EXPECT_EQ(out.Total(), 1000);
    bytes.SetChecked(true);
    EXPECT_EQ(out.Options() & SPEEDER_BITS, 0u);
    EXPECT_EQ(out.TotalLabel().Caption(), "1.000 bytes");
    spin.SetText("0");  // back to the measured bandwidth
    EXPECT_EQ(out.Total(), 12500000);

    // Torn down by the Designer: the Speeder lets go of the controls.
    out.OnDestroyDesigner(page);
    while (page.ComponentCount()) page.Destroy(page.Component(0));
    out.OnCreateDesigner(page);
    EXPECT_EQ(dynamic_cast<_spinedit&>(*page.Component(1)).Value(), 100000000);
}

TEST_F(LanSentinelTest, OnWindows98BothDoNothing) {
    SetVersionSource([](_osversion& v) {
        v.platform = _osversion::WIN32_WINDOWS;
        v.major = 4;
        v.minor = 10;
        return true;
    });
    _rassentinel& ras = Launch<_rassentinel>();
    const _lansentinel& lan = Launch<_lansentinel>();
    SetVersionSource(nullptr);
    EXPECT_EQ(lan.SpeederCount(), 0u);
    EXPECT_TRUE(ras.Dead());
    ras.RefreshSpeedersPulse(1);
    EXPECT_EQ(Lan(ras, 0).Graph().Text(), "%d%%");  // never told "offline"
}

// This machine's counters as the kernel keeps them ("eth0: rx ... tx ...").
bool ProcNetDev(const std::string& name, std::uint64_t& received, std::uint64_t& sent) {
    std::ifstream dev("Z:\\proc\\net\\dev");
    std::string line;
    while (std::getline(dev, line)) {
        std::istringstream fields(line);
        std::string label;
        fields >> label;
        if (label != name + ":") continue;
        std::uint64_t skip;
        fields >> received >> skip >> skip >> skip >> skip >> skip >> skip >> skip >> sent;
        return true;
    }
    return false;
}

// Under Wine the performance data list no interface: the machine's own
// interface table serves, with the real byte counters of its cards.
TEST_F(LanSentinelTest, WithoutInterfacesInThePerformanceDataTheInterfaceTableServes) {
    _lansentinel& lan = host_.Make<_lansentinel>(Win32Registry());
    lan.PlugSpeeders();
    lan.PrepareSpeeders();
    ASSERT_TRUE(lan.FromInterfaceTable());
    ASSERT_GE(lan.SpeederCount(), 2u);
    bool compared = false;
    for (std::size_t i = 0; i < lan.SpeederCount(); ++i) {
        const _slan& s = Lan(lan, i);
        std::string name = s.Name().substr(s.Name().find(' ') + 1);
        EXPECT_NE(name, "lo");
        std::uint64_t received = 0, sent = 0;
        if (!ProcNetDev(name, received, sent)) continue;
        // The table's counters are 32 bits; traffic may pass between reads.
        const std::uint64_t kernel = s.Counter() == 264 ? received : sent;
        EXPECT_LE((kernel - s.Current()) & 0xFFFFFFFFu, 1u << 20) << name;
        compared = true;
    }
    EXPECT_TRUE(compared);
}

}  // namespace
}  // namespace corvex::test
