// The Speeder base on a real Sentinel panel and the real registry.

#include "Corvex_Speeders.h"

#include <gtest/gtest.h>

#include <vector>

#include "Corvex_Tray.h"
#include "Image.h"
#include "Impulse_Zolt2.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Registry_Zolt2.h"
#include "Sizes_Win32.h"
#include "engine/display/TrayTesting.h"
#include "engine/sentinels/SentinelTesting.h"

namespace corvex::test {
namespace {

class SpeederTest : public ::testing::Test {
protected:
    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
    _journal journal_;
    _testsentinel& sentinel_ = host_.Make<_testsentinel>(&journal_, "Speeder Test");
};

TEST_F(SpeederTest, RowHeightCountsMetersOnlyWhereTheKindHasThem) {
    _testspeeder& s = sentinel_.AddTestSpeeder("s");
    int width = -1, height = -1;
    s.Measure(width, height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 17);
    s.SetOption(SPEEDER_METERS, true);
    s.Measure(width, height);
    EXPECT_EQ(height, 29);
    s.MarkUnsupported(SPEEDER_METERS);
    s.Measure(width, height);
    EXPECT_EQ(height, 17);
    // SetOptions masks what the kind does not have; SetOption does not.
    s.SetKindOptions(SPEEDER_METERS | SPEEDER_NAMED);
    EXPECT_EQ(s.Options(), SPEEDER_NAMED);
}

TEST_F(SpeederTest, ToggleSetsAMaskUnlessItIsAllSet) {
    _testspeeder& s = sentinel_.AddTestSpeeder("s");
    s.SetKindOptions(SPEEDER_NAMED);
    s.ToggleOption(SPEEDER_NAMED | SPEEDER_ICONED);
    EXPECT_EQ(s.Options(), SPEEDER_NAMED | SPEEDER_ICONED);
    s.ToggleOption(SPEEDER_NAMED | SPEEDER_ICONED);
    EXPECT_EQ(s.Options(), 0u);
}

TEST_F(SpeederTest, PrepareNamesTheRowAndVisibilityFollowsTheOptions) {
    _testspeeder& s = sentinel_.AddTestSpeeder("ram");
    s.Prepare();
    EXPECT_EQ(s.Nick(), "ram");
    EXPECT_EQ(s.NameLabel().Caption(), "ram");
    s.SetNick("memory");
    EXPECT_EQ(s.GetNick(), "memory");
    s.Prepare();  // a nick already given stays
    EXPECT_EQ(s.Nick(), "memory");

    EXPECT_TRUE(s.Icon().Visible());
    EXPECT_FALSE(s.FreeLabel().Visible());  // no meters
    s.ChangeOption(SPEEDER_METERS, true);
    EXPECT_TRUE(s.FreeLabel().Visible());
    EXPECT_TRUE(s.TotalLabel().Visible());
    s.SetVisible(false);
    EXPECT_TRUE(s.Hidden());
    EXPECT_FALSE(s.Icon().Visible());
    EXPECT_FALSE(s.NameLabel().Visible());
    EXPECT_FALSE(s.FreeLabel().Visible());
}

TEST_F(SpeederTest, StoppedSpeedersIgnoreTheTick) {
    _testspeeder& s = sentinel_.AddTestSpeeder("s");
    EXPECT_TRUE(s.Stopped());  // made stopped
    s.Start();
    EXPECT_FALSE(s.Stopped());
    s.Stop();
    EXPECT_TRUE(s.Stopped());
    unsigned period = 5;
    EXPECT_EQ(s.GetFrequency(period), _ERROR);
    EXPECT_EQ(period, 0u);
}

class SpeederStoreTest : public SpeederTest {
protected:
    void SetUp() override {
        store_.SetCompany("Brannock");
        store_.SetApp("corvex-speeder-test");
        Wipe();
        store_.SetKey("Speeder");
    }
    void TearDown() override { Wipe(); }
    void Wipe() {
        _registry registry;
        registry.SetRootKey(REGISTRY_CURRENT_USER);
        registry.DeleteKey("\\Software\\Brannock\\corvex-speeder-test");
    }
    _lair& store_ = root_.Make<_lair>();
};

TEST_F(SpeederStoreTest, OptionsGoAndComeBackAndUnsupportedOnesAreNotWritten) {
    _testspeeder& saved = sentinel_.AddTestSpeeder("s");
    saved.MarkUnsupported(SPEEDER_METERS);
    saved.SetOption(SPEEDER_HIDDEN, true);
    saved.SetOption(SPEEDER_ICONED, false);
    saved.SetNick("nick");
    saved.SetNBX(12);
    saved.SetNBY(30);
    ASSERT_EQ(saved.SaveOptions(store_.Key(), store_), _OK);
    EXPECT_FALSE(store_.Hive().ValueExists("Meters"));
    EXPECT_TRUE(store_.Hive().ValueExists("Named"));

    _testspeeder& loaded = sentinel_.AddTestSpeeder("s");
    loaded.LoadOptions(store_.Key(), store_);
    EXPECT_TRUE(loaded.Hidden());
    EXPECT_FALSE(loaded.Options() & SPEEDER_ICONED);
    EXPECT_TRUE(loaded.Options() & SPEEDER_NAMED);
    EXPECT_EQ(loaded.Nick(), "nick");
    EXPECT_EQ(loaded.NBX(), 12);
    EXPECT_EQ(loaded.NBY(), 30);
    EXPECT_FALSE(loaded.NameLabel().Visible());

    // A fresh key leaves every value as it was, and so do damaged rows.
    store_.SetKey("Other");
    store_.WriteInteger("NBX", 51);
    store_.WriteInteger("NBY", 100000);
    _testspeeder& fresh = sentinel_.AddTestSpeeder("f");
    fresh.SetNBY(21);
    fresh.LoadOptions(store_.Key(), store_);
    EXPECT_EQ(fresh.NBY(), 21);
    EXPECT_EQ(fresh.NBX(), 0);
    EXPECT_EQ(fresh.Options() & ~SPEEDER_STOPPED, SPEEDER_NAMED | SPEEDER_ICONED);
}

// ---- graph and text readouts

// A graph kind fed by hand: amounts in, one refresh.
class _feedspeeder final : public _gspeeder {
public:
    explicit _feedspeeder(_component* owner, std::string name = "feed") : _gspeeder(owner) {
        SetName(std::move(name));
    }
    using _gspeeder::SetAmounts;
    void Feed(double free, double total) {
        SetAmounts(free, total);
        Refresh(0, false);
    }
};

class _feedtext final : public _tspeeder {
public:
    explicit _feedtext(_component* owner) : _tspeeder(owner) { SetName("text"); }
};

class GraphSpeederTest : public SpeederTest {
protected:
    _feedspeeder& Add(const std::string& name = "feed") {
        _feedspeeder& s = sentinel_.Make<_feedspeeder>(name);
        sentinel_.AddSpeeder(&s);
        return s;
    }
};

TEST_F(GraphSpeederTest, GaugeColourFollowsTheLevelsAndTheStates) {
    _feedspeeder& s = Add();
    const _speederlevels levels;  // 25 and 75
    s.Feed(0, 0);  // nothing to measure
    EXPECT_EQ(s.Graph().Progress(), 0u);
    EXPECT_EQ(s.Graph().Color(), levels.l1);
    s.Feed(150, 100);  // more free than total
    EXPECT_EQ(s.Graph().Progress(), 0u);

    const struct {
        double used;
        _color color;
    } steps[] = {{24, levels.l1}, {25, levels.l2}, {74, levels.l2}, {75, levels.l3}};
    for (const auto& step : steps) {
        s.Feed(100 - step.used, 100);
        EXPECT_EQ(s.Graph().Progress(), static_cast<std::uint32_t>(step.used)) << step.used;
        EXPECT_EQ(s.Graph().Color(), step.color) << step.used;
    }

    s.SetOption(SPEEDER_INVERTED, true);
    s.Feed(70, 100);  // 30 % used: shows the 70 % left, coloured as 30 %
    EXPECT_EQ(s.Graph().Progress(), 70u);
    EXPECT_EQ(s.Graph().Color(), levels.l2);
    s.SetOption(SPEEDER_INVERTED, false);

    s.SetOption(SPEEDER_STASIS, true);
    s.Feed(10, 100);
    EXPECT_EQ(s.Graph().Color(), levels.l4);
    s.ShowError("no source");
    EXPECT_EQ(s.Graph().Color(), levels.l4);
    EXPECT_EQ(s.Graph().Progress(), s.Graph().Max());
    EXPECT_TRUE(s.Graph().Art() & IMPULSE_SLEEPY);  // a bar until the next sample
    EXPECT_EQ(s.Graph().Text(), "no source");
    s.SetOption(SPEEDER_STASIS, false);
    s.ShowError("%s%n");  // shown as it stands
    EXPECT_EQ(s.Graph().Text(), "%s%n");
    EXPECT_EQ(s.Graph().Color(), levels.l3);
    s.ShowNotice("later");
    EXPECT_EQ(s.Options() & (SPEEDER_ERROR | SPEEDER_NOTICE), SPEEDER_NOTICE);
    EXPECT_EQ(s.Graph().Color(), levels.l4);
    s.Feed(50, 100);  // the next sample ends the notice
    EXPECT_EQ(s.Options() & (SPEEDER_ERROR | SPEEDER_NOTICE), 0u);
    EXPECT_FALSE(s.Graph().Art() & IMPULSE_SLEEPY);
    EXPECT_EQ(s.Graph().Progress(), 50u);
}

TEST_F(GraphSpeederTest, DefaultRowInARealBand) {
    _feedspeeder& g = Add("g");
    _feedtext& t = sentinel_.Make<_feedtext>();
    sentinel_.AddSpeeder(&t);
    sentinel_.SetBounds(0, 0, 180, -1);
    const int top = g.LayoutRect().top;
    EXPECT_EQ(g.Graph().Left(), 3 + 45);
    EXPECT_EQ(g.Graph().Top(), top + 2);
    EXPECT_EQ(g.Graph().Height(), 15);
    EXPECT_EQ(g.Graph().Left() + g.Graph().Width(), 180 - 4);
    int width = 0, height = 0;
    g.Measure(width, height);
    EXPECT_EQ(height, 29);  // graph kinds start with meters
    EXPECT_EQ(g.FreeLabel().Top(), top + 15 + 2);
    // The text row below it, where the graph row ends.
    EXPECT_EQ(t.TextLabel().Top(), top + 29 + 2);
    EXPECT_EQ(t.TextLabel().Left() + t.TextLabel().Width(), 180 - 4);
    g.SetVisible(false);
    EXPECT_FALSE(g.Graph().Visible());
}

TEST_F(GraphSpeederTest, MetersAreRewrittenOnlyWhenAnAmountChanges) {
    _feedspeeder& s = Add();
    s.UpdateVisibility();
    s.Feed(1536, 4096);
    EXPECT_EQ(s.FreeLabel().Caption(), "1" + LocaleDecimalSeparator() + "50 K");
    EXPECT_EQ(s.TotalLabel().Caption(), "4" + LocaleDecimalSeparator() + "00 K");
    // Marks that only a rewrite would replace.
    s.FreeLabel().SetCaption("mark");
    s.TotalLabel().SetCaption("mark");
    s.Feed(1536, 4096);
    EXPECT_EQ(s.FreeLabel().Caption(), "mark");
    EXPECT_EQ(s.TotalLabel().Caption(), "mark");
    s.Feed(999, 4096);  // free alone changed
    EXPECT_EQ(s.FreeLabel().Caption(), "999 bytes");
    EXPECT_EQ(s.TotalLabel().Caption(), "mark");
    s.SetOption(SPEEDER_BITS, true);
    s.Feed(999, 125);  // bytes per second shown as bits
    EXPECT_EQ(s.TotalLabel().Caption(), "1" + LocaleDecimalSeparator() + "00 Kbps");
}

class GraphStoreTest : public SpeederStoreTest {
protected:
    _feedspeeder& Add(const std::string& name = "feed") {
        _feedspeeder& s = sentinel_.Make<_feedspeeder>(name);
        sentinel_.AddSpeeder(&s);
        return s;
    }
};

TEST_F(GraphStoreTest, EveryGraphValueComesBack) {
    _feedspeeder& saved = Add();
    const _speederlevels levels{0x010203, 0x040506, 0x070809, 0x0A0B0C, 10, 90};
    saved.SetLevels(levels);
    saved.Graph().SetStyle(IMPULSE_SPECTRUM);
    saved.Graph().SetHistorySize(64);
    saved.Graph().SetBackColor(0x112233);
    saved.Graph().SetFontColor(0x445566);
    saved.SetOption(SPEEDER_METERS, false);
    ASSERT_EQ(saved.SaveOptions(store_.Key(), store_), _OK);
    EXPECT_EQ(store_.ReadInteger("tray_index", 5), -1);
    EXPECT_EQ(store_.ReadInteger("tray_bar_index", 5), -1);
    EXPECT_FALSE(store_.ReadBool("Meters", true));

    _feedspeeder& loaded = Add();
    loaded.LoadOptions(store_.Key(), store_);
    const _speederlevels& got = loaded.Levels();
    EXPECT_EQ((std::vector<std::int64_t>{got.l1, got.l2, got.l3, got.l4, got.l1Limit, got.l2Limit}),
              (std::vector<std::int64_t>{levels.l1, levels.l2, levels.l3, levels.l4, 10, 90}));
    EXPECT_EQ(loaded.Graph().StaticColor(), levels.l4);
    EXPECT_EQ(loaded.Graph().Style(), IMPULSE_SPECTRUM);
    EXPECT_EQ(loaded.Graph().HistorySize(), 64u);
    EXPECT_EQ(loaded.Graph().BackColor(), 0x112233u);
    EXPECT_EQ(loaded.Graph().Font().color, 0x445566u);
    EXPECT_TRUE(loaded.Graph().Art() & IMPULSE_SHADED);
    EXPECT_FALSE(loaded.Options() & SPEEDER_METERS);
    EXPECT_FALSE(loaded.FreeLabel().Visible());

    // No shading: a flat graph with a black first border.
    store_.WriteBool("art", false);
    // Damaged values leave the graph as it is.
    store_.WriteInteger("style", 9);
    store_.WriteInteger("history", -1);
    _feedspeeder& flat = Add();
    flat.LoadOptions(store_.Key(), store_);
    EXPECT_FALSE(flat.Graph().Art() & IMPULSE_SHADED);
    EXPECT_TRUE(flat.Graph().Art() & IMPULSE_CACHED);
    EXPECT_EQ(flat.Graph().BorderColor1(), COLOR_BLACK);
    EXPECT_EQ(flat.Graph().Style(), IMPULSE_PROGRESSOR);
    EXPECT_EQ(flat.Graph().HistorySize(), Add().Graph().HistorySize());
}

class GraphTrayTest : public GraphStoreTest {
protected:
    void SetUp() override {
        GraphStoreTest::SetUp();
        trays_.SetShellNotify(shell_.Function());
        ASSERT_EQ(trays_.Add(&first_), _OK);
        ASSERT_EQ(trays_.Add(&second_), _OK);
        host_.trays = &trays_;
    }
    void TearDown() override {
        host_.trays = nullptr;
        GraphStoreTest::TearDown();
    }
    RecordingShell shell_;
    LogFile log_;
    _traycontainer& trays_ = root_.Make<_traycontainer>();
    _traypulse* first_ = nullptr;
    _traypulse* second_ = nullptr;
};

TEST_F(GraphTrayTest, AttachedBarFollowsTheGraphAndIsLetGoWhenMoved) {
    _feedspeeder& s = Add();
    s.Feed(60, 100);
    ASSERT_EQ(s.AttachTray(first_, 0), _OK);
    EXPECT_EQ(first_->KERNEL_GetBar(0)->Position(), 40u);  // the graph's newest sample
    EXPECT_TRUE(s.Options() & SPEEDER_TRAYED);
    s.Feed(20, 100);
    EXPECT_EQ(first_->KERNEL_GetBar(0)->Position(), 80u);

    ASSERT_EQ(s.AttachTray(second_, 1), _OK);
    EXPECT_EQ(first_->KERNEL_GetBar(0)->Position(), 0u);
    EXPECT_EQ(first_->BarOwner(0), nullptr);
    EXPECT_EQ(second_->KERNEL_GetBar(1)->Position(), 80u);
    s.SaveOptions(store_.Key(), store_);
    EXPECT_EQ(store_.ReadInteger("tray_index", -5), 1);
    EXPECT_EQ(store_.ReadInteger("tray_bar_index", -5), 1);

    // Another readout takes the bar: this one is told and lets go.
    _feedspeeder& other = Add("other");
    other.Feed(90, 100);
    ASSERT_EQ(other.AttachTray(second_, 1), _OK);
    EXPECT_EQ(second_->KERNEL_GetBar(1)->Position(), 10u);
    EXPECT_EQ(s.TrayBarIndex(), -1);
    EXPECT_EQ(s.Tray(), nullptr);
    EXPECT_FALSE(s.Options() & SPEEDER_TRAYED);
    s.Feed(0, 100);
    EXPECT_EQ(second_->KERNEL_GetBar(1)->Position(), 10u);

    EXPECT_EQ(s.AttachTray(first_, 2), _ERROR);
    EXPECT_EQ(s.AttachTray(nullptr, 0), _ERROR);
    EXPECT_EQ(log_.Occurrences("): invalid input"), 2);
    EXPECT_EQ(s.TrayBarIndex(), -1);

    // Hidden by the user, a trayed readout still feeds its bar.
    sentinel_.SignalSpeeders(SIGNAL_START);
    sentinel_.HideByUser();
    EXPECT_TRUE(s.Stopped());
    other.SetAmounts(25, 100);
    sentinel_.RefreshSpeedersPulse(1000);
    EXPECT_EQ(second_->KERNEL_GetBar(1)->Position(), 75u);

    // A tray that goes away detaches its readouts.
    trays_.Delete(1);
    EXPECT_EQ(other.Tray(), nullptr);
    EXPECT_EQ(other.TrayBarIndex(), -1);

    // A readout that goes away lets go of its bar at 0.
    ASSERT_EQ(s.AttachTray(first_, 0), _OK);
    ASSERT_EQ(first_->KERNEL_GetBar(0)->Position(), 100u);
    sentinel_.KillSpeeder(&s);
    EXPECT_EQ(first_->KERNEL_GetBar(0)->Position(), 0u);
    EXPECT_EQ(first_->BarOwner(0), nullptr);
}

TEST_F(GraphTrayTest, StoredAttachmentIsMadeAtIgnite) {
    store_.WriteInteger("tray_index", 1);
    store_.WriteInteger("tray_bar_index", 0);
    _feedspeeder& s = Add();
    s.LoadOptions(store_.Key(), store_);
    EXPECT_EQ(s.Tray(), nullptr);  // not before Ignite
    s.Ignite();
    EXPECT_EQ(s.Tray(), second_);
    EXPECT_EQ(s.TrayBarIndex(), 0);
    EXPECT_EQ(second_->BarOwner(0), &s);

    store_.WriteInteger("tray_index", -1);
    _feedspeeder& lost = Add("lost");
    lost.LoadOptions(store_.Key(), store_);
    lost.Ignite();
    EXPECT_EQ(log_.Occurrences("_gspeeder.LoadOptions: invalid KTray index"), 1);
    EXPECT_EQ(lost.Tray(), nullptr);
    EXPECT_EQ(lost.TrayBarIndex(), -1);
    EXPECT_EQ(second_->BarOwner(0), &s);
}

TEST_F(GraphStoreTest, ReigniteLoadsFromTheEngineStoreAndRetireSavesBack) {
    host_.store = &store_;
    store_.SetKey("Parent\\feed");
    store_.WriteInteger("NBY", 40);
    store_.SetKey("Elsewhere");
    _feedspeeder& s = Add();
    ASSERT_EQ(Reignite(s, "Parent"), _OK);
    EXPECT_EQ(s.NBY(), 40);
    EXPECT_FALSE(s.Stopped());
    EXPECT_EQ(s.Nick(), "feed");
    EXPECT_EQ(store_.Key(), "Elsewhere");  // the caller's key again
    s.SetNBY(44);
    ASSERT_EQ(Retire(s, "Parent"), _OK);
    EXPECT_TRUE(s.Stopped());
    store_.SetKey("Parent\\feed");
    EXPECT_EQ(store_.ReadInteger("NBY", 0), 44);
    host_.store = nullptr;
}

}  // namespace
}  // namespace corvex::test
