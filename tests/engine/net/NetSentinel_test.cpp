// The Net Sentinel and its Speeders on a real band, real echo requests to
// loopback, the registry of the fresh account, and its Designer page on a
// plain panel as the Designer hands it over.

#include "NetSentinel.h"

#include <gtest/gtest.h>

#include "Button.h"
#include "Edit.h"
#include "Impulse_Zolt2.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Panel.h"
#include "Ping_Zolt2.h"
#include "Registry_Zolt2.h"
#include "engine/net/NetTesting.h"
#include "engine/sentinels/SentinelTesting.h"

namespace corvex::test {
namespace {

class NetSentinelTest : public ::testing::Test {
protected:
    _sping& Added(const char* host, const char* library = "ICMP.DLL") {
        _sping& speeder = net_.Make<_sping>(library);
        if (!speeder.Probe().Dead()) speeder.SetName(host);
        net_.AddSpeeder(&speeder);
        return speeder;
    }
    bool Shows(const _sping& speeder, const char* text, DWORD milliseconds) {
        return PumpUntil([&] { return speeder.Graph().Text() == text; }, milliseconds);
    }

    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
    _netsentinel& net_ = host_.Make<_netsentinel>();
};

TEST_F(NetSentinelTest, ALoopbackHostShowsResolvingThenItsEchoTimes) {
    _sping& speeder = Added("127.0.0.1");
    speeder.SetShowIP(true);
    speeder.Start();
    EXPECT_EQ(speeder.Graph().Text(), "resolving...");
    // Within two periods of the default second.
    ASSERT_TRUE(PumpUntil([&] { return speeder.Graph().Text().find(" ms") != std::string::npos; }, 2000));
    EXPECT_FALSE(speeder.Options() & (SPEEDER_ERROR | SPEEDER_NOTICE));
    EXPECT_EQ(speeder.NameLabel().Caption(), "ping");
    EXPECT_EQ(speeder.TotalLabel().Caption(), "127.0.0.1 (127.0.0.1)");
    EXPECT_FALSE(speeder.FreeLabel().Visible());
    EXPECT_EQ(speeder.Graph().Max(), 120u);
    speeder.Stop();
    EXPECT_FALSE(speeder.Probe().Running());
}

TEST_F(NetSentinelTest, AProbeWithoutItsLibraryAndAnUnresolvedHostShowTheirErrors) {
    _sping& dead = Added("127.0.0.1", "corvex-no-such-icmp.dll");
    EXPECT_EQ(dead.Name(), "ping");
    dead.Start();
    EXPECT_EQ(dead.Graph().Text(), "icmp.dll not loaded");
    EXPECT_TRUE(dead.Options() & SPEEDER_ERROR);

    _sping& lost = Added("corvex-nowhere.invalid");
    lost.SetRepeat(1);
    lost.SetFrequency(100);
    int lookups = 0;
    lost.Probe().SetLookup([&lookups](const std::string& host, _ipv4& address) {
        ++lookups;
        return _ping::SystemLookup(host, address);
    });
    lost.Start();
    EXPECT_EQ(lost.Graph().Text(), "resolving...");
    EXPECT_TRUE(Shows(lost, "unresolved host", 3000));
    EXPECT_TRUE(lost.Options() & SPEEDER_ERROR);
    // Tried again on its own clock: every (repeat + 1) periods.
    EXPECT_TRUE(PumpUntil([&] { return lookups >= 3; }, 3000));
    lost.Stop();
    const int stopped = lookups;
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(lookups, stopped);
}

TEST_F(NetSentinelTest, TheDesignerPageMakesAndChangesSpeeders) {
    _panel& page = host_.Make<_panel>(&host_);
    page.SetBounds(0, 0, 300, 100);
    ASSERT_EQ(net_.OnCreateDesigner(page, nullptr), _OK);
    _edit& host = *net_.HostEDIT();
    EXPECT_EQ(host.Text(), "localhost");
    EXPECT_EQ(net_.LagSPIN()->Value(), 120);
    EXPECT_FALSE(net_.ShowIpCHECK()->Checked());
    EXPECT_EQ(host.Top(), 7);
    EXPECT_EQ(host.Left() + host.Width(), 290);
    page.SetWidth(400);  // anchored right
    EXPECT_EQ(host.Left() + host.Width(), 390);
    EXPECT_EQ(net_.ShowIpCHECK()->Top(), 60);

    host.SetText(" 127.0.0.3 ");
    net_.LagSPIN()->SetText("-50");
    net_.ShowIpCHECK()->SetChecked(true);
    _speeder* added = nullptr;
    ASSERT_EQ(net_.OnAddSpeeder(added), _OK);
    auto* ping = dynamic_cast<_sping*>(added);
    ASSERT_NE(ping, nullptr);
    EXPECT_EQ(ping->Name(), "127.0.0.3");
    EXPECT_EQ(ping->Lag(), 50);
    EXPECT_EQ(net_.LagSPIN()->Text(), "50");
    EXPECT_TRUE(ping->ShowIP());
    EXPECT_TRUE(ping->Probe().Running());
    for (const char* refused : {"127.0.0.3", "a\\b", " "}) {
        host.SetText(refused);
        EXPECT_EQ(net_.OnAddSpeeder(added), _ERROR) << refused;
    }
    EXPECT_EQ(net_.SpeederCount(), 1u);

    ASSERT_EQ(net_.OnCreateDesigner(page, ping), _OK);
    EXPECT_EQ(net_.HostEDIT()->Text(), "127.0.0.3");
    EXPECT_EQ(net_.LagSPIN()->Value(), 50);
    EXPECT_TRUE(net_.ShowIpCHECK()->Checked());
    net_.HostEDIT()->SetText("127.0.0.4");
    net_.LagSPIN()->SetText("-70");
    ASSERT_EQ(net_.RedesignSpeeder(ping), _OK);
    EXPECT_EQ(ping->Name(), "127.0.0.4");
    EXPECT_EQ(ping->Probe().Host(), "127.0.0.4");
    EXPECT_EQ(ping->Lag(), 70);

    // The Designer's tear-down: the kind is told, then the page's
    // components go.
    net_.OnDestroyDesigner(page);
    while (page.ComponentCount() > 0) page.Destroy(page.Component(page.ComponentCount() - 1));
    EXPECT_EQ(net_.HostEDIT(), nullptr);
    EXPECT_EQ(net_.OnAddSpeeder(added), _ERROR);
}

TEST_F(NetSentinelTest, TheFirstRunProbesLocalhostAndSettingsComeBackWithinTheirRanges) {
    _registry registry;
    registry.SetRootKey(REGISTRY_CURRENT_USER);
    registry.DeleteKey("\\Software\\Brannock\\corvex-net-test");
    const auto store = [](_testhost& host) -> _lair& {
        host.store = &host.Make<_lair>();
        host.store->SetCompany("Brannock");
        host.store->SetApp("corvex-net-test");
        return *host.store;
    };
    _lair& first = store(host_);
    net_.PlugSpeeders();
    ASSERT_EQ(net_.SpeederCount(), 1u);
    auto& speeder = dynamic_cast<_sping&>(*net_.Speeders(0));
    EXPECT_EQ(speeder.Name(), "localhost");
    speeder.SetLag(200);
    speeder.SetShowIP(true);
    speeder.SetRepeat(7);
    net_.SaveOptions("Sentinels\\Net Sentinel", first);
    first.SetKey("Sentinels\\Net Sentinel\\Speeders\\localhost");
    first.WriteInteger("Sleep", 5);
    first.WriteString("Host", std::string(300, 'h'));

    _component again;
    _testhost& later = again.Make<_testhost>();
    _netsentinel& net = later.Make<_netsentinel>();
    _lair& second = store(later);
    net.PlugSpeeders();  // not the first run any more
    EXPECT_EQ(net.SpeederCount(), 0u);
    net.LoadOptions("Sentinels\\Net Sentinel", second);
    ASSERT_EQ(net.SpeederCount(), 1u);
    auto& loaded = dynamic_cast<_sping&>(*net.Speeders(0));
    EXPECT_EQ(loaded.Name(), "localhost");
    EXPECT_EQ(loaded.Lag(), 200);
    EXPECT_TRUE(loaded.ShowIP());
    EXPECT_EQ(loaded.Repeat(), 7);
    EXPECT_EQ(loaded.Probe().SleepTime(), 1000);  // 5 is out of range
    EXPECT_EQ(loaded.Probe().Host(), "localhost");
    registry.DeleteKey("\\Software\\Brannock\\corvex-net-test");
}

// Run only where loopback answers no echo request.
class SilentNetSentinelTest : public NetSentinelTest {};

TEST_F(SilentNetSentinelTest, ALostEchoShowsTimeoutAtFullScaleAndTheLoopGoesOn) {
    _sping& speeder = Added("127.0.0.1");
    speeder.Probe().SetTimeout(300);
    speeder.SetFrequency(100);
    speeder.Start();
    ASSERT_TRUE(Shows(speeder, "timeout", 3000));
    EXPECT_EQ(speeder.Graph().Progress(), speeder.Graph().Max());
    const _ibuffer& history = speeder.Graph().History();
    const std::uint32_t at = history.WriteIndex();
    EXPECT_TRUE(PumpUntil([&] { return (history.WriteIndex() + history.Size() - at) % history.Size() >= 2; }, 3000));
}

}  // namespace
}  // namespace corvex::test
