// The LAN and RAS Sentinels on synthetic performance data, and the
// throughput Speeder's Designer page on a plain panel.

#include "LanSentinel.h"

#include <windows.h>
#include <iphlpapi.h>

#include <gtest/gtest.h>

#include "Button.h"
#include "Edit.h"
#include "IfTable_Win32.h"
#include "Impulse_Zolt2.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Panel.h"
#include "PerfData.h"
#include "RegistryMemory.h"
#include "StartupOptions.h"
#include "engine/sentinels/SentinelTesting.h"
#include "support/PerfDataWriter.h"

namespace corvex::test {
namespace {

struct Interface {
    std::u16string name;
    std::uint64_t bandwidth, received, sent;
};
std::vector<Interface> g_cards;  // as the next query reports them

// The interface table as GetIfTable gives it, from g_cards.
DWORD WINAPI FakeIfTable(void* table, ULONG* size, BOOL) {
    const ULONG needed = static_cast<ULONG>(offsetof(MIB_IFTABLE, table) + g_cards.size() * sizeof(MIB_IFROW));
    if (*size < needed) {
        *size = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    auto* out = static_cast<MIB_IFTABLE*>(table);
    out->dwNumEntries = static_cast<DWORD>(g_cards.size());
    for (std::size_t i = 0; i < g_cards.size(); ++i) {
        MIB_IFROW& row = out->table[i];
        row = MIB_IFROW{};
        const Interface& card = g_cards[i];
        row.dwIndex = static_cast<DWORD>(i + 1);
        row.dwType = card.name == u"MS TCP Loopback interface" ? MIB_IF_TYPE_LOOPBACK : MIB_IF_TYPE_ETHERNET;
        for (char16_t c : card.name) row.bDescr[row.dwDescrLen++] = static_cast<BYTE>(c);
        row.dwSpeed = static_cast<DWORD>(card.bandwidth);
        row.dwInOctets = static_cast<DWORD>(card.received);
        row.dwOutOctets = static_cast<DWORD>(card.sent);
    }
    return NO_ERROR;
}

class LanSentinelTest : public ::testing::Test {
protected:
    void SetUp() override {
        StartupOptions().Reset();
        memory_.Put(REGISTRY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009",
                    "Counter", REGISTRY_TYPE_MULTI_SZ, {'5', '1', '0', 0, 'N', 0, 0});
        memory_.PutSource(REGISTRY_PERFORMANCE_DATA, "", "510", REGISTRY_TYPE_BINARY, [] {
            PerfDataWriter w;  // Bytes Total/sec first, as the system lists it
            w.Object(510, {{388, perf::SIZE_LARGE}, {520, perf::SIZE_DWORD}, {264, perf::SIZE_LARGE},
                           {506, perf::SIZE_LARGE}});
            for (const Interface& i : g_cards) w.Instance(i.name, {0, i.bandwidth, i.received, i.sent});
            return w.Build();
        });
        g_cards = {{u"MS TCP Loopback interface", 10000000, 900, 900}, {u"Card A", 100000000, 1000, 2000}};
    }
    void TearDown() override { StartupOptions().Reset(); }

    static _slan& Lan(_sentinel& s, std::size_t i) { return *dynamic_cast<_slan*>(s.Speeders(i)); }
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
    ASSERT_EQ(lan.SpeederCount(), 2u);
    EXPECT_EQ(lan.Speeders(0)->Name() + "|" + lan.Speeders(1)->Name(), "out Card A|in Card A");
    _slan &out = Lan(lan, 0), &in = Lan(lan, 1);
    const auto tick = [&](unsigned ms, Interface card) {
        g_cards[1] = card;
        lan.RefreshSpeedersPulse(ms);
    };
    tick(1, {u"Card A", 100000000, 6000, 5000});  // the launch's 1 ms: the plain delta
    EXPECT_EQ(out.Free(), 3000);
    EXPECT_EQ(in.Free(), 5000);
    EXPECT_EQ(in.Total(), 12500000);
    tick(2000, {u"Card A", 1000000000, 7000, 9000});  // bytes per second, a faster link
    EXPECT_EQ(out.Free(), 2000);
    EXPECT_EQ(in.Free(), 500);
    EXPECT_EQ(in.Total(), 125000000);
    tick(1000, {u"Card A", 1000000000, 7000, 31259000});  // a quarter of the link in use
    EXPECT_EQ(out.Graph().Progress(), 25u);
    tick(1000, {u"Card A", 1000000000, 7000, 10});  // the counter wrapped
    EXPECT_EQ(out.Free(), 0);
    tick(1000, {u"Card A", 0, 7000, 510});  // no bandwidth told: nothing drawn
    EXPECT_EQ(out.Free(), 500);
    EXPECT_EQ(out.Graph().Progress(), 0u);
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
}

TEST_F(LanSentinelTest, DialUpAndHangUpMoveTheRasSpeeders) {
    _rassentinel& ras = Launch<_rassentinel>();
    ASSERT_EQ(ras.SpeederCount(), 2u);  // no LAN Speeders here
    EXPECT_EQ(ras.Speeders(0)->Name() + "|" + ras.Speeders(1)->GetNick(), "ras_in|out");
    const auto offline = [&] {
        for (std::size_t i = 0; i < 2; ++i) {
            const _slan& s = Lan(ras, i);
            EXPECT_EQ(s.Graph().Text() + s.FreeLabel().Caption() + s.TotalLabel().Caption(), "offline");
            EXPECT_EQ(s.Instance(), -1);
        }
    };
    ras.RefreshSpeedersPulse(1);
    offline();

    // Only the first 24 characters of the name count.
    g_cards.push_back({u"WAN [PPP_SLIP] Interface #2", 56000, 100, 200});
    ras.RefreshSpeedersPulse(1000);
    g_cards[2].received += 3500;
    ras.RefreshSpeedersPulse(1000);
    ASSERT_TRUE(ras.Online());
    EXPECT_EQ(Lan(ras, 1).Graph().Text(), "%d%%");
    EXPECT_EQ(Lan(ras, 1).Instance(), 2);
    EXPECT_EQ(Lan(ras, 0).Free(), 3500);
    EXPECT_EQ(Lan(ras, 0).Graph().Progress(), 50u);  // of 7000 bytes per second

    g_cards.pop_back();
    ras.RefreshSpeedersPulse(1000);
    EXPECT_FALSE(ras.Online());
    offline();
}

// Where the performance data list no interface, both Sentinels read the
// bar's one table: one read of the system per tick serves the LAN card's
// Speeders and the dial-up link's.
TEST_F(LanSentinelTest, OneSharedInterfaceTableReadPerTickServesLanAndRas) {
    memory_.PutSource(REGISTRY_PERFORMANCE_DATA, "", "510", REGISTRY_TYPE_BINARY,
                      [] { return PerfDataWriter().Build(); });
    _iftable table(&FakeIfTable);
    host_.interfaceTable = &table;
    _lansentinel& lan = Launch<_lansentinel>();
    _rassentinel& ras = Launch<_rassentinel>();
    ASSERT_TRUE(lan.FromInterfaceTable() && ras.FromInterfaceTable());
    ASSERT_EQ(lan.SpeederCount(), 2u);
    EXPECT_EQ(lan.Speeders(0)->Name(), "out Card A");

    g_cards.push_back({u"WAN [PPP_SLIP] Interface #2", 56000, 100, 200});
    const auto tick = [&] {
        table.Expire();
        lan.RefreshSpeedersPulse(1000);
        ras.RefreshSpeedersPulse(1000);
    };
    const unsigned long before = table.Reads();
    tick();
    g_cards[1].sent += 4000;
    g_cards[2].received += 3500;
    tick();
    EXPECT_EQ(table.Reads() - before, 2u);
    EXPECT_EQ(Lan(lan, 0).Free(), 4000);
    ASSERT_TRUE(ras.Online());
    EXPECT_EQ(Lan(ras, 0).Free(), 3500);
    host_.interfaceTable = nullptr;
}

TEST_F(LanSentinelTest, DesignerPageSetsBandwidthAndUnits) {
    _slan& out = Lan(Launch<_lansentinel>(), 0);
    _panel& page = host_.Make<_panel>(&host_);
    out.OnCreateDesigner(page);
    ASSERT_EQ(page.ComponentCount(), 4u);
    auto& caption = dynamic_cast<_label&>(*page.Component(0));
    auto& spin = dynamic_cast<_spinedit&>(*page.Component(1));
    auto& bytes = dynamic_cast<_checkbox&>(*page.Component(3));
    EXPECT_EQ(spin.Left(), caption.Left() + caption.Width() + 3);
    EXPECT_EQ(spin.Value(), 100000000);  // nothing set: the measured one
    EXPECT_EQ(out.UserBandwidth(), 0);   // filling the page stored nothing
    EXPECT_FALSE(bytes.Checked());

    spin.SetText("8000");
    EXPECT_EQ(out.Total(), 1000);
    bytes.SetChecked(true);
    EXPECT_EQ(out.TotalLabel().Caption(), "1.000 bytes");
    spin.SetText("0");  // back to the measured bandwidth
    EXPECT_EQ(out.Total(), 12500000);
    out.OnDestroyDesigner(page);
}

}  // namespace
}  // namespace corvex::test
