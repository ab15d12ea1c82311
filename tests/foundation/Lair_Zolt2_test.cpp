// The settings store and the window-bounds keeper: on the real registry of
// the test account (a fresh Wine prefix), and on the in-memory registry
// where a failure has to be staged.
#include "Lair_Zolt2.h"
#include "Territory_Zolt2.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "RegistryMemory.h"
#include "WindowHook.h"
#include "support/RawRegistry.h"

namespace corvex {
namespace {

using namespace corvex::test;

const char* const kAppKey = "Software\\Brannock\\corvex\\0.0.1";
const char* const kTestApp = "Software\\Brannock\\store-tests\\0.0.1";

// Configures a store the way the engine does, for `app`.
void Configure(_lair& lair, const std::string& app) {
    lair.SetPlace(LAIR_USER);
    lair.SetCompany("Brannock");
    lair.SetApp(app);
    lair.SetVer("0.0.1");
}

TEST(LairOnTheRealRegistry, TheFirstSetKeyCreatesTheApplicationKeyAndFirstRunSeesItWasMissing) {
    // A fresh account has no application key; make sure of it even when
    // this executable runs twice in one prefix.
    ASSERT_TRUE(RawDeleteTree(HKEY_CURRENT_USER, "Software\\Brannock\\corvex"));
    {
        _component form;
        _lair& lair = form.Make<_lair>();
        Configure(lair, "corvex");
        EXPECT_EQ(lair.FullPath(), "\\Software\\Brannock\\corvex\\0.0.1\\");
        EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kAppKey));

        lair.SetKey("Options");
        EXPECT_FALSE(lair.Failed());
        EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, std::string(kAppKey) + "\\Options"));
        EXPECT_EQ(lair.GetFullPath(), "\\Software\\Brannock\\corvex\\0.0.1\\Options");
        // Another key was opened first, yet the store still knows that the
        // application key was not there before this run touched it.
        form.LoadComponents();
        EXPECT_TRUE(lair.FirstRun());
        EXPECT_EQ(lair.Key(), "Options");
    }
    _component form;
    _lair& again = form.Make<_lair>();
    Configure(again, "corvex");
    form.LoadComponents();
    EXPECT_FALSE(again.FirstRun());
    // Leave the account as fresh as it was for whatever runs next.
    EXPECT_TRUE(RawDeleteTree(HKEY_CURRENT_USER, "Software\\Brannock\\corvex"));
}

class LairTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(RawDeleteTree(HKEY_CURRENT_USER, "Software\\Brannock\\store-tests"));
        Configure(lair, "store-tests");
    }
    void TearDown() override { RawDeleteTree(HKEY_CURRENT_USER, "Software\\Brannock\\store-tests"); }
    static std::string At(const std::string& sub) { return std::string(kTestApp) + "\\" + sub; }

    _component form;
    _lair& lair = form.Make<_lair>();
};

TEST_F(LairTest, AValueOfTheWrongTypeReadsAsTheDefaultAndSetsTheErrorFlag) {
    ASSERT_TRUE(RawSet(HKEY_CURRENT_USER, At("Options"), "Update", REG_SZ, "500", 4));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, At("Options"), "Name", 3));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, At("Options"), "Good", 42));
    lair.SetKey("Options");

    EXPECT_EQ(lair.ReadInteger("Update", 1000), 1000);
    EXPECT_TRUE(lair.Failed());
    EXPECT_EQ(lair.ReadInteger("Good", 0), 42);
    EXPECT_FALSE(lair.Failed());
    EXPECT_EQ(lair.ReadString("Name", "fallback"), "fallback");
    EXPECT_TRUE(lair.Failed());
    EXPECT_TRUE(lair.ReadBool("Missing", true));
    EXPECT_TRUE(lair.Failed());
    EXPECT_EQ(lair.ReadString("Update", "x"), "500");
    EXPECT_FALSE(lair.Failed());
}

TEST_F(LairTest, WritesLandInTheCurrentKeyWithTheirTypes) {
    lair.SetKey("Options");
    EXPECT_EQ(lair.WriteInteger("Update", 250), _OK);
    EXPECT_EQ(lair.WriteBool("OnTop", true), _OK);
    EXPECT_EQ(lair.WriteString("Nick", "cpu 1"), _OK);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, At("Options"), "Update", 0), 250);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, At("Options"), "OnTop", 0), 1);
    EXPECT_EQ(lair.ReadString("Nick", ""), "cpu 1");
    EXPECT_EQ(lair.WriteBool("OnTop", false), _OK);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, At("Options"), "OnTop", -1), 0);
}

TEST_F(LairTest, PopKeyOnAnEmptyStackFailsAndKeepsTheKey) {
    lair.SetKey("Options");
    EXPECT_EQ(lair.PopKey(), _ERROR);
    EXPECT_EQ(lair.Key(), "Options");
    EXPECT_EQ(lair.WriteInteger("still", 1), _OK);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, At("Options"), "still", 0), 1);
}

TEST_F(LairTest, NestedUsersRestoreTheirCallersKey) {
    lair.SetKey("Sentinels");
    lair.PushKey();
    lair.SetKey("Sentinels\\CPU Sentinel");
    EXPECT_EQ(lair.WriteInteger("order", 3), _OK);
    {
        lair.PushKey();
        lair.SetKey("Sentinels\\CPU Sentinel\\Speeders\\cpu 1");
        EXPECT_EQ(lair.WriteInteger("L1", 60), _OK);
        EXPECT_EQ(lair.PopKey(), _OK);
    }
    EXPECT_EQ(lair.Key(), "Sentinels\\CPU Sentinel");
    EXPECT_EQ(lair.WriteInteger("flags", 1), _OK);
    EXPECT_EQ(lair.PopKey(), _OK);
    EXPECT_EQ(lair.Key(), "Sentinels");
    EXPECT_EQ(lair.WriteInteger("count", 11), _OK);
    EXPECT_EQ(lair.PopKey(), _ERROR);

    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, At("Sentinels\\CPU Sentinel"), "order", 0), 3);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, At("Sentinels\\CPU Sentinel"), "flags", 0), 1);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, At("Sentinels\\CPU Sentinel\\Speeders\\cpu 1"), "L1", 0), 60);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, At("Sentinels"), "count", 0), 11);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, At("Sentinels"), "order", -1), -1);
}

TEST(LairWithoutACompany, IsDisabledReadsDefaultAndWritesNothing) {
    _memoryregistry memory;
    _component form;
    _lair& lair = form.Make<_lair>(memory);
    lair.SetApp("corvex");
    lair.SetKey("Options");
    EXPECT_EQ(lair.ReadInteger("Update", 1000), 1000);
    EXPECT_TRUE(lair.Failed());
    EXPECT_EQ(lair.WriteInteger("Update", 5), _ERROR);
    EXPECT_FALSE(memory.HasKey(REGISTRY_CURRENT_USER, "Software"));
    EXPECT_FALSE(lair.FirstRun());
}

TEST(LairOnAnUnusableHive, StaysUnusableUntilAnotherPlaceIsChosen) {
    _memoryregistry memory;
    memory.MakeReadOnly(REGISTRY_LOCAL_MACHINE, "Software");  // a user without rights there
    memory.AddKey(REGISTRY_CURRENT_USER, "Software");
    _component form;
    _lair& lair = form.Make<_lair>(memory);
    Configure(lair, "corvex");
    lair.SetPlace(LAIR_SYSTEM);
    lair.SetKey("Options");
    EXPECT_EQ(memory.LastAccess(), 0x2001Fu);
    EXPECT_EQ(lair.ReadInteger("Update", 7), 7);
    EXPECT_TRUE(lair.Failed());
    EXPECT_EQ(lair.WriteInteger("Update", 5), _ERROR);
    EXPECT_FALSE(memory.HasKey(REGISTRY_LOCAL_MACHINE, "Software\\Brannock"));

    lair.SetPlace(LAIR_USER);
    EXPECT_EQ(lair.WriteInteger("Update", 5), _OK);
    EXPECT_EQ(lair.ReadInteger("Update", 7), 5);
    EXPECT_TRUE(memory.HasKey(REGISTRY_CURRENT_USER, "Software\\Brannock\\corvex\\0.0.1\\Options"));
}

TEST(LairOnARefusingKey, WriteFailuresReachTheCaller) {
    _memoryregistry memory;
    memory.RefuseWrites(REGISTRY_CURRENT_USER, "Software\\Brannock\\corvex\\0.0.1\\Options");
    _component form;
    _lair& lair = form.Make<_lair>(memory);
    Configure(lair, "corvex");
    lair.SetKey("Options");
    try {
        lair.WriteInteger("Update", 1);
        ADD_FAILURE() << "a refused write went unreported";
    } catch (const _registryerror& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'Update'");
    }
}

TEST(LairPath, ChangingTheApplicationReopensUnderTheNewPath) {
    _memoryregistry memory;
    memory.PutInteger(REGISTRY_CURRENT_USER, "Software\\Brannock\\corvex\\0.0.1\\Options", "v", 1);
    _component form;
    _lair& lair = form.Make<_lair>(memory);
    Configure(lair, "corvex");
    lair.SetKey("Options");
    EXPECT_EQ(lair.ReadInteger("v", 0), 1);
    EXPECT_FALSE(lair.FirstRun());
    lair.SetApp("other");
    EXPECT_EQ(lair.ReadInteger("v", 0), 0);
    EXPECT_TRUE(memory.HasKey(REGISTRY_CURRENT_USER, "Software\\Brannock\\other\\0.0.1\\Options"));
    EXPECT_TRUE(lair.FirstRun());
}

// ---------------------------------------------------------------------------
// _territory on a real window

class Window {
public:
    Window(int x, int y, int w, int h) {
        static const char* const kClass = "CorvexTerritoryTest";
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClass;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClassA(&wc);  // fails harmlessly when already registered
        hwnd_ = CreateWindowExA(0, kClass, "territory", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, w, h,
                                nullptr, nullptr, wc.hInstance, nullptr);
        Pump();
    }
    ~Window() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND get() const { return hwnd_; }
    RECT Rect() const {
        RECT r{};
        GetWindowRect(hwnd_, &r);
        return r;
    }
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }

private:
    HWND hwnd_ = nullptr;
};

const char* const kPosition = "Software\\Brannock\\store-tests\\0.0.1\\Desposition";

// One visible window serves every case (Wine takes seconds to map and
// unmap one); each case puts it back in the same place first.
class TerritoryTest : public LairTest {
protected:
    static void SetUpTestSuite() { shared = new Window(50, 60, 300, 200); }
    static void TearDownTestSuite() {
        delete shared;
        shared = nullptr;
    }
    void SetUp() override {
        LairTest::SetUp();
            SetWindowPos(window.get(), HWND_NOTOPMOST, 50, 60, 300, 200, SWP_NOACTIVATE);
        Window::Pump();
    }
    _territory& Territory() {
        _territory& territory = form.Make<_territory>(window.get());
        territory.SetLair(&lair);
        return territory;
    }

    static Window* shared;
    Window& window = *shared;
};

Window* TerritoryTest::shared = nullptr;

TEST_F(TerritoryTest, PartlyStoredBoundsAreNotApplied) {
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, kPosition, "X", 400));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, kPosition, "Y", 410));
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, kPosition, "H", 150));  // "W" missing
    const RECT before = window.Rect();
    Territory();
    lair.SetKey("Options");
    form.LoadComponents();
    const RECT after = window.Rect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(lair.Key(), "Options");
}

TEST_F(TerritoryTest, StoredBoundsAreAppliedOnLoad) {
    for (auto [name, value] : {std::pair{"X", 120}, std::pair{"Y", 130}, std::pair{"W", 420}, std::pair{"H", 260}})
        ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, kPosition, name, value));
    Territory();
    form.LoadComponents();
    const RECT r = window.Rect();
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 130);
    EXPECT_EQ(r.right - r.left, 420);
    EXPECT_EQ(r.bottom - r.top, 260);
}

TEST_F(TerritoryTest, BoundsAreSavedOncePerRun) {
    _territory& territory = Territory();
    form.LoadComponents();  // nothing stored yet: the window stays
    MoveWindow(window.get(), 70, 80, 310, 220, TRUE);
    EXPECT_EQ(territory.Save(), _OK);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kPosition, "X", -1), 70);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kPosition, "Y", -1), 80);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kPosition, "W", -1), 310);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kPosition, "H", -1), 220);

    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, kPosition, "X", 999));
    MoveWindow(window.get(), 90, 90, 330, 230, TRUE);
    EXPECT_EQ(territory.Save(), _OK);
    form.Destroy(&territory);  // destruction saves too, unless already done
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kPosition, "X", -1), 999);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kPosition, "W", -1), 310);
}

TEST_F(TerritoryTest, AMinimisedWindowSavesWhereItWillBeRestored) {
    _territory& territory = Territory();
    MoveWindow(window.get(), 140, 150, 320, 210, TRUE);
    ShowWindow(window.get(), SW_MINIMIZE);
    Window::Pump();
    ASSERT_TRUE(IsIconic(window.get()));
    EXPECT_EQ(territory.Save(), _OK);
    ShowWindow(window.get(), SW_RESTORE);
    Window::Pump();
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kPosition, "X", -1), 140);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kPosition, "Y", -1), 150);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kPosition, "W", -1), 320);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kPosition, "H", -1), 210);
}

TEST_F(TerritoryTest, TheOwnerDestroysItFirstSoItSavesIntoALiveStore) {
    {
        _component owner;
        _lair& store = owner.Make<_lair>();
        Configure(store, "store-tests");
        _territory& territory = owner.Make<_territory>(window.get());
        territory.SetLair(&store);
        owner.LoadComponents();
        EXPECT_EQ(owner.Component(owner.ComponentCount() - 1), &territory);
        MoveWindow(window.get(), 33, 44, 250, 180, TRUE);
    }
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kPosition, "X", -1), 33);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kPosition, "H", -1), 180);
}

TEST_F(TerritoryTest, AStoreDestroyedFirstIsForgotten) {
    _territory& territory = Territory();
    form.Destroy(&lair);
    EXPECT_EQ(territory.Lair(), nullptr);
    EXPECT_EQ(territory.Save(), _OK);
    territory.Load();
    form.Destroy(&territory);
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kPosition));
}

MINMAXINFO AskMinMax(HWND hwnd) {
    MINMAXINFO info{};
    info.ptMinTrackSize = {1, 2};
    info.ptMaxTrackSize = {3000, 4000};
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

TEST_F(TerritoryTest, TrackingLimitsComeFromTheProperties) {
    _territory& territory = Territory();
    territory.SetXMin(20);
    MINMAXINFO info = AskMinMax(window.get());
    EXPECT_EQ(info.ptMinTrackSize.x, 20);
    EXPECT_EQ(info.ptMinTrackSize.y, 100);
    EXPECT_EQ(info.ptMaxTrackSize.x, 3000);  // -1 leaves it to Windows
    EXPECT_EQ(info.ptMaxTrackSize.y, 4000);

    territory.SetXMax(500);
    territory.SetYMin(-1);
    info = AskMinMax(window.get());
    EXPECT_EQ(info.ptMaxTrackSize.x, 500);
    EXPECT_EQ(info.ptMinTrackSize.y, 2);

    form.Destroy(&territory);  // the window procedure is back as it was
    info = AskMinMax(window.get());
    EXPECT_EQ(info.ptMinTrackSize.x, 1);
    EXPECT_EQ(info.ptMaxTrackSize.x, 3000);
}

TEST_F(TerritoryTest, AHookInstalledLaterOutlivesTheTerritory) {
    _territory& territory = Territory();
    int seen = 0;
    auto later = std::make_unique<_windowhook>(
        window.get(), [&seen](HWND, UINT message, WPARAM, LPARAM, LRESULT&) {
            if (message == WM_GETMINMAXINFO) ++seen;
            return false;
        });
    EXPECT_EQ(AskMinMax(window.get()).ptMinTrackSize.y, 100);
    EXPECT_EQ(seen, 1);

    form.Destroy(&territory);  // out of turn: the later hook is still there
    MINMAXINFO info = AskMinMax(window.get());
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(info.ptMinTrackSize.y, 2);

    later.reset();
    info = AskMinMax(window.get());
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(info.ptMinTrackSize.y, 2);
    EXPECT_EQ(GetWindowLongPtrA(window.get(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&DefWindowProcA));
}

void CALLBACK PressEnter(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    PostMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(TerritoryTest, ResizingBelowTheMinimumStopsAtTheMinimum) {
    _territory& territory = Territory();
    territory.SetXMin(150);
    territory.SetYMin(120);

    // A program's own resize (Wine holds it to the tracking limits too).
    SetWindowPos(window.get(), nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER);
    Window::Pump();
    RECT r = window.Rect();
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_EQ(r.bottom - r.top, 120);

    // The user's sizing loop on the bottom-right corner (as after a press
    // on that corner), fed with real mouse input: the pointer goes far up
    // and left, past the minimum. Input is taken before painting, so the
    // loop sees every move; a timer, whose message comes after all input,
    // then presses Enter, which ends the loop.
    SetWindowPos(window.get(), nullptr, 100, 100, 300, 250, SWP_NOZORDER);
    Window::Pump();
    const POINT grip{100 + 300 - 2, 100 + 250 - 2};
    ASSERT_EQ(SendMessageA(window.get(), WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTBOTTOMRIGHT);
    SetCursorPos(grip.x, grip.y);
    Window::Pump();
    PostMessageA(window.get(), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, MAKELPARAM(grip.x, grip.y));
    SetTimer(window.get(), 1, 100, &PressEnter);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    for (int step = 1; step <= 10; ++step)
        mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (grip.x - step * 30) * 65535 / (w - 1),
                    (grip.y - step * 25) * 65535 / (h - 1), 0, 0);
    Window::Pump();
    r = window.Rect();
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_EQ(r.bottom - r.top, 120);
}

}  // namespace
}  // namespace corvex
