// The Speeder base on a real Sentinel panel and the real registry.

#include "Corvex_Speeders.h"

#include <gtest/gtest.h>

#include "Image.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Registry_Zolt2.h"
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

    // A fresh key leaves every value as it was.
    store_.SetKey("Other");
    _testspeeder& fresh = sentinel_.AddTestSpeeder("f");
    fresh.SetNBY(21);
    fresh.LoadOptions(store_.Key(), store_);
    EXPECT_EQ(fresh.NBY(), 21);
    EXPECT_EQ(fresh.Options() & ~SPEEDER_STOPPED, SPEEDER_NAMED | SPEEDER_ICONED);
}

}  // namespace
}  // namespace corvex::test
