// The user's tray gauges: attaching owners to their bars, the container's
// list, and saving and restoring them on the real registry of the test
// account.
#include "Corvex_Tray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Lair_Zolt2.h"
#include "engine/display/TrayTesting.h"
#include "support/RawRegistry.h"

namespace corvex {
namespace {

using namespace corvex::test;

// Records the handler calls of the owners attached to trays.
struct Journal {
    std::vector<std::string> lines;
    _trayattachevent Attached(const std::string& who) {
        return [this, who](_traypulse&, int index) { lines.push_back(who + " attached " + std::to_string(index)); };
    }
    _traydetachevent Detached(const std::string& who) {
        return [this, who](_traypulse&) { lines.push_back(who + " detached"); };
    }
};

class TrayPulseTest : public ::testing::Test {
protected:
    RecordingShell shell;
    Journal journal;  // outlives the trays, whose destructors report to it
    _component form;
    _component& first = form.Make<_component>();
    _component& second = form.Make<_component>();
    _traypulse& tray = form.Make<_traypulse>(shell.Function());
};

TEST_F(TrayPulseTest, ANewPulseIsShownAtOnceAsABeOSGauge) {
    EXPECT_EQ(tray.Style(), TRAY_GAUGE_BEOS);
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));
    EXPECT_EQ(shell.Last().icon, tray.IconHandle());
    EXPECT_EQ(tray.BarOwner(0), nullptr);
    EXPECT_EQ(tray.BarOwner(1), nullptr);
}

TEST(TrayPulseOnTheSystemShell, ATrayOfTheContainerComesAndGoes) {
    const _livehandles before = _livehandles::Now();
    {
        _component form;
        _traycontainer& container = form.Make<_traycontainer>();
        _traypulse* tray = nullptr;
        ASSERT_EQ(container.Add(&tray), _OK);
        EXPECT_NE(tray->IconHandle(), nullptr);
        tray->KERNEL_GetBar(1)->SetPosition(90);
        EXPECT_EQ(container.Delete(0), _OK);
    }
    EXPECT_EQ(_livehandles::Now(), before);
}

TEST_F(TrayPulseTest, TheSecondOwnerOfABarDetachesTheFirstBeforeItIsAttached) {
    EXPECT_EQ(tray.Attach(&first, 1, journal.Attached("first"), journal.Detached("first")), _OK);
    EXPECT_EQ(tray.Attach(&second, 1, journal.Attached("second"), journal.Detached("second")), _OK);
    EXPECT_EQ(journal.lines, (std::vector<std::string>{"first attached 1", "first detached", "second attached 1"}));
    EXPECT_EQ(tray.BarOwner(1), &second);
    EXPECT_EQ(tray.Detach(1), _OK);
    EXPECT_EQ(tray.Detach(1), _OK);  // already free: no second call
    EXPECT_EQ(journal.lines.back(), "second detached");
    EXPECT_EQ(journal.lines.size(), 4u);
}

TEST_F(TrayPulseTest, IndicesOutsideTheTwoBarsFailAndChangeNothing) {
    ASSERT_EQ(tray.Attach(&first, 0, journal.Attached("first"), journal.Detached("first")), _OK);
    EXPECT_EQ(tray.Attach(&second, 2, journal.Attached("second"), journal.Detached("second")), _ERROR);
    EXPECT_EQ(tray.Attach(&second, -1, journal.Attached("second"), journal.Detached("second")), _ERROR);
    EXPECT_EQ(tray.Detach(2), _ERROR);
    EXPECT_EQ(tray.Detach(-1), _ERROR);
    EXPECT_EQ(journal.lines, (std::vector<std::string>{"first attached 0"}));
    EXPECT_EQ(tray.BarOwner(0), &first);
    EXPECT_EQ(tray.BarOwner(1), nullptr);
}

TEST_F(TrayPulseTest, HandlersMayTouchTheBarTheyAreGivenOrLeaving) {
    // What a graphic readout does: its value on attach, nothing on detach.
    ASSERT_EQ(tray.Attach(
                  &first, 1,
                  [](_traypulse& t, int index) { t.KERNEL_GetBar(index)->SetPosition(64); },
                  [](_traypulse& t) { t.KERNEL_GetBar(1)->SetPosition(0); }),
              _OK);
    EXPECT_EQ(tray.KERNEL_GetBar(1)->Position(), 64u);
    EXPECT_EQ(tray.Detach(1), _OK);
    EXPECT_EQ(tray.KERNEL_GetBar(1)->Position(), 0u);
}

TEST_F(TrayPulseTest, AnOwnerThatGoesWithoutDetachingLeavesNoHandlerBehind) {
    _component& brief = form.Make<_component>();
    ASSERT_EQ(tray.Attach(&brief, 0, journal.Attached("brief"), journal.Detached("brief")), _OK);
    tray.KERNEL_GetBar(0)->SetPosition(55);
    form.Destroy(&brief);
    EXPECT_EQ(tray.BarOwner(0), nullptr);
    EXPECT_EQ(tray.KERNEL_GetBar(0)->Position(), 0u);  // nothing feeds it any more
    EXPECT_EQ(tray.Detach(0), _OK);
    EXPECT_EQ(journal.lines, (std::vector<std::string>{"brief attached 0"}));
}

// ---- the container

class TrayContainerTest : public ::testing::Test {
protected:
    void SetUp() override {
        container.SetShellNotify(shell.Function());
        container.OnAddTray = [this](_traypulse& tray) {
            tray.SetHint("Corvex");
            made.push_back(&tray);
        };
    }

    RecordingShell shell;
    std::vector<_traypulse*> made;
    Journal journal;
    _component form;
    _traycontainer& container = form.Make<_traycontainer>();
};

TEST_F(TrayContainerTest, AddAppendsAndHandsEveryNewTrayToTheEngine) {
    _traypulse* a = nullptr;
    _traypulse* b = nullptr;
    ASSERT_EQ(container.Add(&a), _OK);
    ASSERT_EQ(container.Add(&b), _OK);
    EXPECT_EQ(made, (std::vector<_traypulse*>{a, b}));
    EXPECT_EQ(container.Count(), 2);
    EXPECT_EQ(container.Get(0), a);
    EXPECT_EQ(container.Get(1), b);
    EXPECT_EQ(container.Get(2), nullptr);
    EXPECT_EQ(container.Get(-1), nullptr);
    EXPECT_EQ(container.IndexOf(b), 1);
    EXPECT_EQ(container.IndexOf(&form), -1);
    EXPECT_EQ(container.IndexOf(nullptr), -1);
    EXPECT_EQ(a->Hint(), "Corvex");
}

TEST_F(TrayContainerTest, DeletingATrayDetachesBothOwnersAndRemovesTheIcon) {
    _traypulse* a = nullptr;
    _traypulse* b = nullptr;
    container.Add(&a);
    container.Add(&b);
    _component& first = form.Make<_component>();
    _component& second = form.Make<_component>();
    a->Attach(&first, 0, journal.Attached("first"), journal.Detached("first"));
    a->Attach(&second, 1, journal.Attached("second"), journal.Detached("second"));
    const HWND window = a->NotifyWindow();
    shell.calls.clear();

    EXPECT_EQ(container.Delete(2), _ERROR);
    EXPECT_EQ(container.Delete(-1), _ERROR);
    EXPECT_EQ(container.Delete(0), _OK);
    EXPECT_EQ(journal.lines, (std::vector<std::string>{"first attached 0", "second attached 1", "first detached",
                                                       "second detached"}));
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.Last().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(shell.Last().window, window);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(container.Count(), 1);
    EXPECT_EQ(container.Get(0), b);
}

TEST_F(TrayContainerTest, DetachAllFreesEveryBarAndClearEmptiesTheList) {
    _traypulse* a = nullptr;
    _traypulse* b = nullptr;
    container.Add(&a);
    container.Add(&b);
    _component& owner = form.Make<_component>();
    a->Attach(&owner, 1, nullptr, journal.Detached("a1"));
    b->Attach(&owner, 0, nullptr, journal.Detached("b0"));
    b->Attach(&owner, 1, nullptr, journal.Detached("b1"));
    container.DetachAll();
    EXPECT_EQ(journal.lines, (std::vector<std::string>{"a1 detached", "b0 detached", "b1 detached"}));
    EXPECT_EQ(b->BarOwner(1), nullptr);
    container.Clear();
    EXPECT_EQ(container.Count(), 0);
    EXPECT_EQ(shell.Count(NIM_DELETE), 2);
    EXPECT_EQ(journal.lines.size(), 3u);
}

// ---- the stored form, on the real registry

const char* const kApp = "Software\\Brannock\\tray-tests\\0.0.1";

class TrayStoreTest : public TrayContainerTest {
protected:
    void SetUp() override {
        TrayContainerTest::SetUp();
        ASSERT_TRUE(RawDeleteTree(HKEY_CURRENT_USER, "Software\\Brannock\\tray-tests"));
        lair.SetPlace(LAIR_USER);
        lair.SetCompany("Brannock");
        lair.SetApp("tray-tests");
        lair.SetVer("0.0.1");
        lair.SetKey("Engine");
    }
    void TearDown() override { RawDeleteTree(HKEY_CURRENT_USER, "Software\\Brannock\\tray-tests"); }

    static std::string At(const std::string& sub) { return std::string(kApp) + "\\Engine\\TrayContainer" + sub; }
    static DWORD Dword(const std::string& sub, const std::string& name) {
        DWORD type = 0;
        std::vector<std::uint8_t> data;
        if (!RawGet(HKEY_CURRENT_USER, At(sub), name, type, data) || type != REG_DWORD || data.size() != 4)
            return 0xDEADBEEF;
        return data[0] | data[1] << 8 | data[2] << 16 | static_cast<DWORD>(data[3]) << 24;
    }
    static std::vector<std::string> SubKeys(const std::string& path) {
        std::vector<std::string> names;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            names.emplace_back(name, length);
        }
        RegCloseKey(key);
        return names;
    }

    _lair& lair = form.Make<_lair>();
};

TEST_F(TrayStoreTest, SavingFewerTraysLeavesNoStaleNumberedKey) {
    _traypulse* a = nullptr;
    _traypulse* b = nullptr;
    container.Add(&a);
    container.Add(&b);
    b->KERNEL_GetBar(1)->SetForeColor(0x00FF00);
    ASSERT_EQ(container.Save(&lair), _OK);
    EXPECT_EQ(SubKeys(At("")), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(Dword("\\2", "color_1"), 0x00FF00u);

    container.Delete(1);
    a->KERNEL_GetBar(0)->SetBackColor(SYSCOLOR_BTNFACE);
    a->SetStyle(TRAY_GAUGE_NT);
    ASSERT_EQ(container.Save(&lair), _OK);
    EXPECT_EQ(SubKeys(At("")), (std::vector<std::string>{"1"}));
    EXPECT_EQ(Dword("", "_total"), 1u);
    EXPECT_EQ(Dword("\\1", "color_0"), 0xFF0000u);
    EXPECT_EQ(Dword("\\1", "back_color_0"), SYSCOLOR_BTNFACE);
    EXPECT_EQ(Dword("\\1", "strip_color_1"), COLOR_GRAY);
    EXPECT_EQ(Dword("\\1", "style"), 1u);
    // The store is where it was.
    EXPECT_EQ(lair.Key(), "Engine");
}

TEST_F(TrayStoreTest, LoadRestoresWhatWasSavedThroughTheEngineHook) {
    _traypulse* a = nullptr;
    container.Add(&a);
    a->KERNEL_GetBar(0)->SetForeColor(SYSCOLOR_HIGHLIGHT);
    a->KERNEL_GetBar(1)->SetStripColor(0x010203);
    a->SetStyle(TRAY_GAUGE_NT);
    container.Add();
    ASSERT_EQ(container.Save(&lair), _OK);

    _traycontainer& restored = form.Make<_traycontainer>();
    int handed = 0;
    restored.SetShellNotify(shell.Function());
    restored.OnAddTray = [&](_traypulse&) { ++handed; };
    ASSERT_EQ(restored.Load(&lair), _OK);
    EXPECT_EQ(handed, 2);
    ASSERT_EQ(restored.Count(), 2);
    EXPECT_EQ(restored.Get(0)->KERNEL_GetBar(0)->ForeColor(), SYSCOLOR_HIGHLIGHT);
    EXPECT_EQ(restored.Get(0)->KERNEL_GetBar(1)->StripColor(), 0x010203u);
    EXPECT_EQ(restored.Get(0)->Style(), TRAY_GAUGE_NT);
    EXPECT_EQ(restored.Get(1)->Style(), TRAY_GAUGE_BEOS);
    EXPECT_EQ(lair.Key(), "Engine");
}

TEST_F(TrayStoreTest, MissingOrUnknownValuesKeepTheDefaultsOfANewTray) {
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, At(""), "_total", 2));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, At("\\1"), "color_1", 0x0000FF));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, At("\\1"), "style", 7));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, At("\\2"), "back_color_0", 0x00FFFF));
    ASSERT_TRUE(RawSet(HKEY_CURRENT_USER, At("\\2"), "color_0", REG_SZ, "red", 4));
    ASSERT_EQ(container.Load(&lair), _OK);
    ASSERT_EQ(container.Count(), 2);
    _traybar& one0 = *container.Get(0)->KERNEL_GetBar(0);
    _traybar& one1 = *container.Get(0)->KERNEL_GetBar(1);
    EXPECT_EQ(one0.ForeColor(), 0xFF0000u);  // blue
    EXPECT_EQ(one0.BackColor(), COLOR_SILVER);
    EXPECT_EQ(one0.StripColor(), COLOR_GRAY);
    EXPECT_EQ(one1.ForeColor(), 0x0000FFu);
    EXPECT_EQ(container.Get(0)->Style(), TRAY_GAUGE_BEOS);
    _traybar& two0 = *container.Get(1)->KERNEL_GetBar(0);
    EXPECT_EQ(two0.BackColor(), 0x00FFFFu);
    EXPECT_EQ(two0.ForeColor(), 0xFF0000u);  // a string where a number belongs
}

TEST_F(TrayStoreTest, ACountBeyondTheStoredKeysMakesNoMoreTrays) {
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, At(""), "_total", 1000000));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, At("\\1"), "style", 1));
    ASSERT_EQ(container.Load(&lair), _OK);
    ASSERT_EQ(container.Count(), 1);
    EXPECT_EQ(container.Get(0)->Style(), TRAY_GAUGE_NT);
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, At("\\2")));
    EXPECT_EQ(lair.Key(), "Engine");
}

TEST_F(TrayStoreTest, AStoreThatCannotOpenItsKeysFailsTheSave) {
    _lair& broken = form.Make<_lair>();  // no company: no application key
    container.Add();
    EXPECT_EQ(container.Save(&broken), _ERROR);
    EXPECT_EQ(container.Save(&lair), _OK);
}

TEST_F(TrayStoreTest, WithoutAStoreNothingIsSavedOrLoaded) {
    LogFile log;
    container.Add();
    EXPECT_EQ(container.Save(nullptr), _ERROR);
    EXPECT_EQ(container.Load(nullptr), _ERROR);
    EXPECT_EQ(container.Count(), 1);
    EXPECT_EQ(log.Occurrences("ASSERT: 0: _traycontainer.Save(): Lair==NIL"), 1) << log.Text();
}

}  // namespace
}  // namespace corvex
