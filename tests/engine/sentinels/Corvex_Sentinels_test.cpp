// The Sentinel framework on real panels of a stand-in bar window and on the
// real registry of the fresh account.

#include "Corvex_Sentinels.h"
#include "CpuSentinel.h"
#include "LanSentinel.h"
#include "MailSentinel.h"
#include "NetSentinel.h"

#include <gtest/gtest.h>

#include "Image.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Menu.h"
#include "Registry_Zolt2.h"
#include "StartupOptions.h"
#include "engine/sentinels/SentinelTesting.h"

namespace corvex::test {
namespace {

class SentinelTest : public ::testing::Test {
protected:
    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
    _journal journal_;

    _testsentinel& MakeSentinel(const std::string& caption = "Test Sentinel", bool userDefined = false) {
        return host_.Make<_testsentinel>(&journal_, caption, userDefined);
    }
};

// ---- refresh rule

TEST_F(SentinelTest, TickReachesVisibleAndTrayedSpeedersButNeverUntimedOnes) {
    _testsentinel& sentinel = MakeSentinel();
    _testspeeder& shown = sentinel.AddTestSpeeder("shown");
    _testspeeder& hidden = sentinel.AddTestSpeeder("hidden");
    _testspeeder& trayedHidden = sentinel.AddTestSpeeder("trayed");
    _testspeeder& untimed = sentinel.AddTestSpeeder("untimed");
    hidden.SetOption(SPEEDER_HIDDEN, true);
    trayedHidden.SetOption(SPEEDER_HIDDEN | SPEEDER_TRAYED, true);
    untimed.SetOption(SPEEDER_UNTIMED | SPEEDER_TRAYED, true);

    EXPECT_EQ(sentinel.RefreshSpeedersPulse(250), _OK);
    EXPECT_EQ(shown.pulses, std::vector<unsigned>{250});
    EXPECT_TRUE(hidden.pulses.empty());
    EXPECT_EQ(trayedHidden.pulses, std::vector<unsigned>{250});
    EXPECT_TRUE(untimed.pulses.empty());

    // A forced refresh reaches every Speeder, hidden or driven otherwise.
    EXPECT_EQ(sentinel.RefreshSpeeders(), _OK);
    for (_testspeeder* s : {&shown, &hidden, &trayedHidden, &untimed}) EXPECT_EQ(s->forcedRefreshes, 1) << s->Name();
}

TEST_F(SentinelTest, AHiddenSentinelStopsItsSpeedersUnlessItPulsesWhenHidden) {
    _testsentinel& quiet = MakeSentinel("Quiet");
    _testsentinel& pulsing = MakeSentinel("Pulsing");
    pulsing.SetPulseWhenHidden(true);
    _testspeeder& a = quiet.AddTestSpeeder("a");
    _testspeeder& trayed = quiet.AddTestSpeeder("t");
    trayed.SetOption(SPEEDER_TRAYED, true);
    _testspeeder& b = pulsing.AddTestSpeeder("b");
    _testspeeder& bHidden = pulsing.AddTestSpeeder("bh");
    bHidden.SetOption(SPEEDER_HIDDEN, true);
    quiet.SignalSpeeders(SIGNAL_START);
    pulsing.SignalSpeeders(SIGNAL_START);
    // As the Designer hides them: only what the tick leaves behind stops.
    quiet.HideByUser();
    pulsing.HideByUser();
    EXPECT_TRUE(a.Stopped());
    EXPECT_FALSE(trayed.Stopped() || b.Stopped() || bHidden.Stopped());

    quiet.RefreshSpeedersPulse(10);
    pulsing.RefreshSpeedersPulse(10);
    EXPECT_TRUE(a.pulses.empty());
    EXPECT_EQ(trayed.pulses, std::vector<unsigned>{10});
    EXPECT_EQ(b.pulses, std::vector<unsigned>{10});
    // Pulse-when-hidden keeps the band going, not Speeders hidden themselves.
    EXPECT_TRUE(bHidden.pulses.empty());
    quiet.ShowByUser();
    EXPECT_FALSE(a.Stopped());
}

TEST_F(SentinelTest, TheCpuKindPulsesWhenHiddenAndTheListKindsAreUserDefined) {
    _cpusentinel& cpu = host_.Make<_cpusentinel>();
    _netsentinel& net = host_.Make<_netsentinel>();
    _mailsentinel& mail = host_.Make<_mailsentinel>();
    _rassentinel& ras = host_.Make<_rassentinel>();
    EXPECT_EQ(cpu.Flags(), SENTINEL_PULSE_WHEN_HIDDEN);
    EXPECT_EQ(net.Flags(), SENTINEL_USER_DEFINED);
    EXPECT_EQ(mail.Flags(), SENTINEL_USER_DEFINED);
    EXPECT_EQ(ras.Flags(), 0);
    EXPECT_EQ(ras.Caption(), "RAS Sentinel");
    EXPECT_EQ(cpu.Parent(), &host_);
}

// ---- signals

TEST_F(SentinelTest, SignalsReachEverySpeederInOrderWithTheirIgnitionTexts) {
    _testsentinel& sentinel = MakeSentinel();
    sentinel.AddTestSpeeder("one");
    sentinel.AddTestSpeeder("two");
    journal_.clear();
    sentinel.SignalSpeeders(SIGNAL_IGNITE);
    sentinel.SignalSpeeders(SIGNAL_START);
    sentinel.SignalSpeeders(SIGNAL_STOP);
    sentinel.SignalSpeeders(SIGNAL_SHUTDOWN);
    EXPECT_EQ(journal_, (_journal{"one:ignite", "two:ignite", "one:start", "two:start", "one:stop", "two:stop",
                                  "one:shutdown", "two:shutdown"}));
    EXPECT_EQ(host_.ignition,
              (std::vector<std::string>{"Igniting one...", "Igniting two...", "Starting one...", "Starting two..."}));

    journal_.clear();
    EXPECT_EQ(sentinel.SignalSpeeders(4), _OK);
    EXPECT_EQ(sentinel.SignalSpeeders(-1), _OK);
    EXPECT_TRUE(journal_.empty());
}

// ---- layout

TEST_F(SentinelTest, HeightIsSixPlusTheRowsAndZeroWhenHidden) {
    _testsentinel& empty = MakeSentinel("Empty");
    empty.ArrangeSpeeders(0, 0, 200, -1);
    EXPECT_EQ(empty.Height(), 6);
    EXPECT_EQ(empty.Width(), 200);

    _testsentinel& sentinel = MakeSentinel();
    _testspeeder& plain = sentinel.AddTestSpeeder("plain");
    _testspeeder& gone = sentinel.AddTestSpeeder("gone");
    _testspeeder& metered = sentinel.AddTestSpeeder("metered");
    gone.SetOption(SPEEDER_HIDDEN, true);
    metered.SetOption(SPEEDER_METERS, true);
    sentinel.ArrangeSpeeders(0, 40, 200, -1);
    EXPECT_EQ(sentinel.Top(), 40);
    EXPECT_EQ(sentinel.Height(), 6 + 17 + 29);
    EXPECT_EQ(plain.LayoutRect(), _rect::Bounds(3, 3, 193, -1));
    // The hidden row takes no room: the next one starts where it would have.
    EXPECT_EQ(metered.LayoutRect().top, 3 + 17);
    EXPECT_EQ(plain.Icon().BoundsRect(), _rect::Bounds(3, 3, 16, 16));

    // Hidden: no height, and the rows stay where they were.
    sentinel.Hide();
    EXPECT_EQ(sentinel.Height(), 0);
    EXPECT_FALSE(sentinel.Visible());
    EXPECT_EQ(metered.LayoutRect().top, 20);
    EXPECT_EQ(host_.updateSizes, 1);
    sentinel.Hide();
    EXPECT_EQ(host_.updateSizes, 1);
    sentinel.Show();
    EXPECT_EQ(sentinel.Height(), 52);
    EXPECT_EQ(host_.updateSizes, 2);
}

TEST_F(SentinelTest, ResizingTheBandLaysTheRowsOutAgain) {
    _testsentinel& sentinel = MakeSentinel();
    _testspeeder& speeder = sentinel.AddTestSpeeder("s");
    sentinel.ArrangeSpeeders(0, 0, 200, -1);
    sentinel.SetBounds(0, 0, 300, 90);
    // The resize handler recomputes the height and passes the new width on.
    EXPECT_EQ(sentinel.Height(), 23);
    EXPECT_EQ(speeder.LayoutRect().Width(), 293);
}

// ---- the list

TEST_F(SentinelTest, AddAndLinkKeepTheOrderAndRefuseWhatIsLeftOut) {
    _testsentinel& sentinel = MakeSentinel();
    EXPECT_EQ(sentinel.AddSpeeder(nullptr), _ERROR);
    EXPECT_EQ(sentinel.SpeederCount(), 0u);

    StartupOptions().Reset();
    StartupOptions().Unlink("swp");
    _speeder* made = reinterpret_cast<_speeder*>(1);
    EXPECT_EQ(sentinel.LinkSpeeder<_testspeeder>("swp", made), _ERROR);
    EXPECT_EQ(made, nullptr);
    // The unlink test is exact: another case is another name.
    EXPECT_EQ(sentinel.LinkSpeeder<_testspeeder>("SWP", made), _OK);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Owner(), &sentinel);
    EXPECT_EQ(sentinel.LinkSpeeder<_brokenspeeder>("ram", made), _ERROR);
    EXPECT_EQ(made, nullptr);
    EXPECT_EQ(sentinel.SpeederCount(), 1u);
    StartupOptions().Reset();

    // Adding shows the icon from the engine's strip and the nick.
    _testspeeder& named = sentinel.Make<_testspeeder>(&journal_, "cpu");
    named.SetNick("load");
    sentinel.AddSpeeder(&named);
    EXPECT_EQ(sentinel.SpeederEntryName(1), "cpu");
    EXPECT_EQ(named.Icon().Picture().Pixel(8, 8), host_.tileColor);
    EXPECT_EQ(named.NameLabel().Caption(), "load");
}

TEST_F(SentinelTest, KillingByABadIndexChangesNothing) {
    _testsentinel& sentinel = MakeSentinel();
    _testspeeder& a = sentinel.AddTestSpeeder("a");
    _testspeeder& b = sentinel.AddTestSpeeder("b");
    EXPECT_EQ(sentinel.KillSpeederByIndex(-1), _ERROR);
    EXPECT_EQ(sentinel.KillSpeederByIndex(2), _ERROR);
    EXPECT_EQ(sentinel.SpeederCount(), 2u);

    int index = 7;
    EXPECT_EQ(sentinel.FindSpeeder(&b, index), _OK);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(sentinel.FindSpeeder(nullptr, index), _ERROR);
    EXPECT_EQ(index, -1);

    journal_.clear();
    const std::size_t owned = sentinel.ComponentCount();
    EXPECT_EQ(sentinel.KillSpeeder(&a), _OK);
    EXPECT_EQ(journal_, (_journal{"a:stop", "a:shutdown"}));
    EXPECT_EQ(sentinel.SpeederCount(), 1u);
    EXPECT_EQ(sentinel.Speeders(0), &b);
    EXPECT_EQ(sentinel.ComponentCount(), owned - 1);  // freed, not just unlisted
    EXPECT_EQ(sentinel.KillSpeeder(&a), _ERROR);
}

TEST_F(SentinelTest, ExchangeSwapsEntriesAndRefusesStrangers) {
    _testsentinel& sentinel = MakeSentinel();
    _testspeeder& a = sentinel.AddTestSpeeder("a");
    _testspeeder& b = sentinel.AddTestSpeeder("b");
    _testspeeder& c = sentinel.AddTestSpeeder("c");
    _testsentinel& other = MakeSentinel("Other");
    _testspeeder& stranger = other.AddTestSpeeder("x");

    EXPECT_EQ(sentinel.ExchangeSpeeders(&a, &c), _OK);
    EXPECT_EQ(sentinel.Speeders(0), &c);
    EXPECT_EQ(sentinel.Speeders(2), &a);
    EXPECT_EQ(sentinel.ExchangeSpeeders(&a, &stranger), _ERROR);
    EXPECT_EQ(sentinel.ExchangeSpeeders(nullptr, &b), _ERROR);
    EXPECT_EQ(sentinel.ExchangeSpeedersByIndex(0, 3), _ERROR);
    EXPECT_EQ(sentinel.ExchangeSpeedersByIndex(-1, 0), _ERROR);
    EXPECT_EQ(sentinel.Speeders(0), &c);
    EXPECT_EQ(sentinel.Speeders(1), &b);
}

TEST_F(SentinelTest, RedesignStopsReshapesAndRestarts) {
    _testsentinel& sentinel = MakeSentinel();
    _testspeeder& a = sentinel.AddTestSpeeder("a");
    journal_.clear();
    EXPECT_EQ(sentinel.RedesignSpeeder(&a), _OK);
    EXPECT_EQ(journal_, (_journal{"a:stop", "Test Sentinel:redesign a", "a:redesign", "a:start"}));
    EXPECT_FALSE(a.Stopped());
    EXPECT_EQ(sentinel.RedesignSpeeder(nullptr), _ERROR);
}

TEST_F(SentinelTest, ASpeederAddedWhileRunningIsPreparedStartedAndLaidOut) {
    _testsentinel& sentinel = MakeSentinel();
    _speeder* none = nullptr;
    EXPECT_EQ(sentinel.OnAddSpeeder(none), _OK);
    EXPECT_EQ(host_.updateSizes, 0);

    _testspeeder& added = sentinel.AddTestSpeeder("late");
    _speeder* speeder = &added;
    journal_.clear();
    EXPECT_EQ(sentinel.OnAddSpeeder(speeder), _OK);
    EXPECT_EQ(journal_, (_journal{"late:ignite", "late:start"}));
    EXPECT_EQ(added.Nick(), "late");
    EXPECT_FALSE(added.Stopped());
    EXPECT_EQ(host_.updateSizes, 1);
}

TEST_F(SentinelTest, TheHelpEntryNamesTheSpeederUnderThePoint) {
    _testsentinel& sentinel = MakeSentinel();
    sentinel.AddTestSpeeder("first");
    sentinel.AddTestSpeeder("hidden").SetOption(SPEEDER_HIDDEN, true);
    _testspeeder& third = sentinel.AddTestSpeeder("third");
    third.SetOption(SPEEDER_METERS, true);
    _popupmenu& menu = host_.Make<_popupmenu>();

    // Rows: first 0..16, third 17..45 (hidden rows are skipped).
    EXPECT_EQ(sentinel.BuildSpeederMenu(menu.Items(), 5, 20), _OK);
    ASSERT_EQ(menu.Items().Count(), 1u);
    EXPECT_EQ(menu.Items().Items(0)->Caption(), "third &help...");
    EXPECT_EQ(menu.Items().Items(0)->Tag(), 2);
    EXPECT_EQ(sentinel.BuildSpeederMenu(menu.Items(), 5, 46), _ERROR);
    EXPECT_EQ(sentinel.BuildSpeederMenu(menu.Items(), 5, -1), _ERROR);
    EXPECT_EQ(menu.Items().Count(), 1u);
    third.SetHelpAnchor("_third");
    menu.Items().Items(0)->Click();
    sentinel.KERNEL_OnSpeederHelp(&sentinel);  // not a menu item: refused
    EXPECT_EQ(host_.helpOpened, std::vector<std::string>{"C:\\corvex\\help\\corvex_main.htm#_third"});
}

// ---- settings

class SentinelStoreTest : public SentinelTest {
protected:
    void SetUp() override {
        store_.SetCompany("Brannock");
        store_.SetApp("corvex-sentinel-test");
        store_.SetVer("0.0.1");
        Wipe();
    }
    void TearDown() override { Wipe(); }

    void Wipe() {
        _registry registry;
        registry.SetRootKey(REGISTRY_CURRENT_USER);
        registry.DeleteKey("\\Software\\Brannock\\corvex-sentinel-test");
    }
    bool KeyExists(const std::string& path) {
        _registry registry;
        registry.SetRootKey(REGISTRY_CURRENT_USER);
        return registry.KeyExists("\\Software\\Brannock\\corvex-sentinel-test\\0.0.1\\" + path);
    }
    void Save(_sentinel& sentinel) {
        store_.SetKey("Sentinels\\" + sentinel.Caption());
        sentinel.SaveOptions(store_.Key(), store_);
    }
    void Load(_sentinel& sentinel) {
        store_.SetKey("Sentinels\\" + sentinel.Caption());
        sentinel.LoadOptions(store_.Key(), store_);
    }

    _lair& store_ = root_.Make<_lair>();
};

TEST_F(SentinelStoreTest, ADestroyedUserSpeederLeavesNoKeyAndAFixedOneStays) {
    _testsentinel& net = MakeSentinel("Net", true);
    net.AddTestSpeeder("a");
    _testspeeder& b = net.AddTestSpeeder("b");
    net.AddTestSpeeder("c");
    Save(net);
    ASSERT_TRUE(KeyExists("Sentinels\\Net\\Speeders\\b"));
    net.KillSpeeder(&b);
    Save(net);
    EXPECT_FALSE(KeyExists("Sentinels\\Net\\Speeders\\b"));
    EXPECT_TRUE(KeyExists("Sentinels\\Net\\Speeders\\a"));
    store_.SetKey("Sentinels\\Net\\Speeders\\c");
    EXPECT_EQ(store_.ReadInteger("order", -1), 1);

    _testsentinel& fixed = MakeSentinel("Fixed");
    fixed.AddTestSpeeder("x");
    _testspeeder& y = fixed.AddTestSpeeder("y");
    Save(fixed);
    fixed.KillSpeeder(&y);
    Save(fixed);
    EXPECT_TRUE(KeyExists("Sentinels\\Fixed\\Speeders\\y"));
}

TEST_F(SentinelStoreTest, UserSpeedersComeBackFromTheirKeysWithTheirOrder) {
    _testsentinel& saved = MakeSentinel("Net", true);
    saved.AddTestSpeeder("host1").SetNick("first");
    saved.AddTestSpeeder("host2");
    saved.Hide();
    Save(saved);
    // One entry without "order": it takes its list index.
    store_.SetKey("Sentinels\\Net\\Speeders\\host2");
    store_.Hive().DeleteValue("order");

    _testsentinel& loaded = MakeSentinel("Net", true);
    host_.ignition.clear();
    Load(loaded);
    ASSERT_EQ(loaded.SpeederCount(), 2u);
    EXPECT_EQ(loaded.Key(), "Sentinels\\Net");
    EXPECT_TRUE(loaded.Hidden());
    EXPECT_EQ(loaded.Height(), 0);
    EXPECT_EQ(host_.ignition, (std::vector<std::string>{"Loading new...", "Loading new..."}));
    for (std::size_t i = 0; i < 2; ++i) {
        _speeder& s = *loaded.Speeders(i);
        EXPECT_EQ(s.Order(), static_cast<int>(i)) << s.Name();
        EXPECT_EQ(s.Owner(), &loaded);
    }
    const _speeder* first = loaded.Speeders(0)->Name() == "host1" ? loaded.Speeders(0) : loaded.Speeders(1);
    EXPECT_EQ(first->Nick(), "first");
}

TEST_F(SentinelStoreTest, AFixedKindLoadsOnlyWhatItPlugged) {
    _testsentinel& saved = MakeSentinel("Fixed");
    saved.AddTestSpeeder("ram");
    saved.AddTestSpeeder("swp");
    Save(saved);

    _testsentinel& loaded = MakeSentinel("Fixed");
    _testspeeder& swp = loaded.AddTestSpeeder("swp");
    _testspeeder& ram = loaded.AddTestSpeeder("ram");
    Load(loaded);
    EXPECT_EQ(loaded.SpeederCount(), 2u);
    EXPECT_EQ(ram.Order(), 0);
    EXPECT_EQ(swp.Order(), 1);
    loaded.SortSpeeders();
    EXPECT_EQ(loaded.Speeders(0), &ram);
    EXPECT_FALSE(loaded.Hidden());
}

}  // namespace
}  // namespace corvex::test
