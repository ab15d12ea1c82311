// The bar window in this process: plugging, launch, the refresh tick,
// shutdown and the end of the session, the icon strip, and what is left
// behind.

#include "Corvex_Kernel.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "Application.h"
#include "Corvex_Ignition.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Tray.h"
#include "Label.h"
#include "Corvex_Speeders.h"
#include "CpuSentinel.h"
#include "DriveSentinel.h"
#include "MailSentinel.h"
#include "Hotkey_Win32.h"
#include "Metrics_Win32.h"
#include "Lair_Zolt2.h"
#include "Menu.h"
#include "Registry_Zolt2.h"
#include "StartupOptions.h"
#include "Timer.h"
#include "WinHandle.h"
#include "BarDocking.h"
#include "BarMenu.h"
#include "DisplayModes.h"
#include "engine/kernel/BarTesting.h"
#include "engine/sentinels/SentinelTesting.h"
#include "support/Keyboard.h"
#include "support/Processes.h"

namespace corvex::test {
namespace {

const char* const kCaptions[SENTINEL_BUILTIN_COUNT] = {
    "Drive Sentinel", "CPU Sentinel", "Memory Sentinel", "FSR Sentinel", "Audio Sentinel", "System Sentinel",
    "Net Sentinel",   "Kernel Sentinel", "LAN Sentinel", "Mail Sentinel", "RAS Sentinel"};

int ThreadsOfThisProcess() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    CloseHandle(snapshot);
    return count;
}

// A value below the application key, or `fallback` when it is absent.
int Stored(const std::string& key, const std::string& name, int fallback = -12345) {
    _component owner;
    _lair& store = owner.Make<_lair>();
    store.SetCompany("Brannock");
    store.SetApp("corvex");
    store.SetKey(key);
    return store.ReadInteger(name, fallback);
}

void Store(const std::string& key, const std::string& name, int value) {
    _component owner;
    _lair& store = owner.Make<_lair>();
    store.SetCompany("Brannock");
    store.SetApp("corvex");
    store.SetKey(key);
    store.WriteInteger(name, value);
}

class KernelTest : public BarTest {
protected:
    TPULSE& MakeBar() { return root_->Make<TPULSE>(); }
    TPULSE& MakeEmptyBar() {
        for (int i = 0; i < SENTINEL_BUILTIN_COUNT; ++i) StartupOptions().Unplug(i);
        return MakeBar();
    }
    _testsentinel& PlugTestSentinel(TPULSE& bar, const std::string& caption) {
        _testsentinel& sentinel = bar.Make<_testsentinel>(&journal_, caption);
        bar.PlugSentinel(&sentinel, caption);
        return sentinel;
    }

    _journal journal_;
};

TEST_F(KernelTest, BuiltInSentinelsAreStackedInTheirFixedOrder) {
    TPULSE& bar = MakeBar();
    ASSERT_EQ(bar.SentinelCount(), 11u);
    int y = 0;
    for (std::size_t i = 0; i < 11; ++i) {
        const _sentinel& s = *bar.Sentinels(i);
        EXPECT_EQ(s.Caption(), kCaptions[i]);
        EXPECT_EQ(s.Top(), y) << s.Caption();
        EXPECT_GE(s.Height(), 6);
        EXPECT_EQ(s.Width(), bar.ClientWidth());
        EXPECT_EQ(s.Parent(), &bar);
        EXPECT_EQ(s.Color(), COLOR_GRAY);  // not yet launched: the band's own colour
        y += s.Height();
    }
    EXPECT_EQ(bar.ClientHeight(), y);
    EXPECT_EQ(bar.ClientWidth(), 226);
    EXPECT_EQ(bar.Caption(), "Corvex");
    EXPECT_EQ(bar.Color(), COLOR_TEAL);
    EXPECT_EQ(bar.State(), CORVEX_STARTING);
    EXPECT_NE(bar.Ignition(), nullptr);
    EXPECT_EQ(bar.CpuSentinel(), bar.Sentinels(1));
    EXPECT_EQ(bar.MailSentinel(), bar.Sentinels(9));
    EXPECT_EQ(GetWindowLongPtrA(bar.Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);

    // Every Sentinel's key exists from plugging on.
    _registry registry;
    registry.SetRootKey(REGISTRY_CURRENT_USER);
    EXPECT_TRUE(registry.KeyExists("\\Software\\Brannock\\corvex\\0.0.1\\Sentinels\\RAS Sentinel"));

    // Hiding one band takes its height out of the bar.
    const int cpu = bar.Sentinels(1)->Height();
    bar.Sentinels(1)->Hide();
    EXPECT_EQ(bar.ClientHeight(), y - cpu);
    EXPECT_EQ(bar.Sentinels(2)->Top(), bar.Sentinels(0)->Height());
    bar.Sentinels(1)->Show();
    EXPECT_EQ(bar.ClientHeight(), y);
}

TEST_F(KernelTest, UnpluggingTheFsrSentinelKeepsTheOthersInOrder) {
    StartupOptions().Unplug(3);
    TPULSE& bar = MakeBar();
    ASSERT_EQ(bar.SentinelCount(), 10u);
    std::size_t at = 0;
    int y = 0;
    for (int i = 0; i < SENTINEL_BUILTIN_COUNT; ++i) {
        if (i == 3) continue;
        EXPECT_EQ(bar.Sentinels(at)->Caption(), kCaptions[i]);
        EXPECT_EQ(bar.Sentinels(at)->Top(), y);
        y += bar.Sentinels(at)->Height();
        ++at;
    }
    EXPECT_EQ(bar.ClientHeight(), y);
}

// Faults in window messages are swallowed where the system calls back
// (Wine only logs them): counted here.
long g_faults = 0;
LONG CALLBACK CountFault(EXCEPTION_POINTERS* info) {
    g_faults += info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION;
    return EXCEPTION_CONTINUE_SEARCH;
}

TEST_F(KernelTest, TheBarIsMadeAndMovedWithoutAFault) {
    void* const handler = AddVectoredExceptionHandler(1, CountFault);
    TPULSE& bar = MakeEmptyBar();
    bar.Launch();
    bar.SetBounds(bar.Left() + 5, bar.Top() + 5, bar.Width() + 5, bar.Height());
    RemoveVectoredExceptionHandler(handler);
    EXPECT_EQ(g_faults, 0);
    EXPECT_TRUE(bar.Docking().LastPos() == (_point{bar.Left(), bar.Top()}));
}

TEST_F(KernelTest, AnEmptyBarLaunchesTicksAndShutsDownWithHeightZero) {
    TPULSE& bar = MakeEmptyBar();
    EXPECT_EQ(bar.SentinelCount(), 0u);
    EXPECT_EQ(bar.DriveSentinel(), nullptr);
    EXPECT_EQ(bar.Launch(), _OK);
    EXPECT_EQ(bar.ClientHeight(), 0);
    EXPECT_EQ(bar.TIMERTimer(), _OK);
    EXPECT_EQ(bar.Shutdown(), _OK);
    EXPECT_EQ(bar.State(), CORVEX_DOWN);
}

TEST_F(KernelTest, LaunchStartsEverySentinelOnceAndOnlyFromStarting) {
    TPULSE& bar = MakeEmptyBar();
    EXPECT_EQ(bar.PlugSentinel(nullptr, "none"), _ERROR);
    _testsentinel& a = PlugTestSentinel(bar, "A");
    a.AddTestSpeeder("a1");
    _testsentinel& b = PlugTestSentinel(bar, "B");
    b.AddTestSpeeder("b1");
    a.ArrangeSpeeders(0, 0, -1, -1);
    bar.KERNEL_UpdateSize();
    EXPECT_EQ(b.Top(), a.Top() + a.Height());

    EXPECT_EQ(bar.UpdateIgnition("Plugging"), _OK);
    EXPECT_EQ(bar.Ignition()->Window()->IgnitionLABEL.Caption(), "Plugging");

    journal_.clear();
    ASSERT_EQ(bar.Launch(), _OK);
    EXPECT_EQ(journal_, (_journal{"A:ignite", "a1:ignite", "a1:start", "A:start", "B:ignite", "b1:ignite",
                                  "b1:start", "B:start", "A:pulse", "B:pulse"}));
    EXPECT_EQ(a.pulses, std::vector<unsigned>{1});
    EXPECT_EQ(bar.State(), CORVEX_LAUNCHED);
    EXPECT_TRUE(bar.TIMER.Enabled());
    EXPECT_EQ(bar.TIMER.Interval(), 1000u);
    EXPECT_EQ(bar.Ignition(), nullptr);
    EXPECT_EQ(a.Color(), bar.Settings().backColor);
    EXPECT_EQ(bar.ClientHeight(), a.Height() + b.Height());
    EXPECT_TRUE(GetWindowLongPtrA(bar.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(bar.AboutVersion(), "0.5.3 build:1");

    journal_.clear();
    EXPECT_EQ(bar.Launch(), _ERROR);
    EXPECT_EQ(bar.UpdateIgnition("late"), _ERROR);
    EXPECT_TRUE(journal_.empty());
    EXPECT_EQ(bar.State(), CORVEX_LAUNCHED);
}

TEST_F(KernelTest, EachTickPassesTheTrueElapsedTimeAcrossTheCounterWrap) {
    TPULSE& bar = MakeEmptyBar();
    _testsentinel& a = PlugTestSentinel(bar, "A");
    _testsentinel& b = PlugTestSentinel(bar, "B");
    const std::uint32_t ticks[] = {0xFFFFFE00u, 0xFFFFFF00u, 0x00000050u, 0x00000450u};
    std::size_t next = 0;
    bar.SetTickSource([&] { return ticks[next++]; });
    bar.TIMERTimer();  // from the creation time to the first fake tick
    a.pulses.clear();
    b.pulses.clear();
    bar.TIMERTimer();
    bar.TIMERTimer();
    bar.TIMERTimer();
    EXPECT_EQ(a.pulses, (std::vector<unsigned>{0x100, 0x150, 0x400}));
    EXPECT_EQ(b.pulses, a.pulses);
    EXPECT_EQ(bar.LastTick(), 0x450u);
}

TEST_F(KernelTest, ClosingTwiceOrEndingTheSessionAfterwardsShutsDownOnce) {
    TPULSE& bar = MakeEmptyBar();
    _testsentinel& a = PlugTestSentinel(bar, "A");
    a.AddTestSpeeder("a1");
    ASSERT_EQ(bar.Launch(), _OK);
    journal_.clear();

    SendMessageA(bar.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(bar.State(), CORVEX_DOWN);
    EXPECT_FALSE(bar.TIMER.Enabled());
    SendMessageA(bar.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(SendMessageA(bar.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageA(bar.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(journal_, (_journal{"A:stop", "a1:stop", "a1:shutdown", "A:shutdown"}));

    // The order was saved from the list.
    _lair& store = bar._lair1;
    store.SetKey("Sentinels\\A");
    EXPECT_EQ(store.ReadInteger("order", -1), 0);
}

TEST_F(KernelTest, OnlyASessionThatReallyEndsShutsTheBarDown) {
    TPULSE& bar = MakeEmptyBar();
    PlugTestSentinel(bar, "A");
    ASSERT_EQ(bar.Launch(), _OK);
    journal_.clear();

    // Another program refused the log-off: the bar keeps running.
    EXPECT_EQ(SendMessageA(bar.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageA(bar.Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(bar.State(), CORVEX_LAUNCHED);
    EXPECT_TRUE(journal_.empty());

    SendMessageA(bar.Handle(), WM_QUERYENDSESSION, 0, 0);
    SendMessageA(bar.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(bar.State(), CORVEX_DOWN);
    SendMessageA(bar.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(journal_, (_journal{"A:stop", "A:shutdown"}));
}

TEST_F(KernelTest, TheFirstShowMovesTheBarToItsStoredPlaceOnce) {
    {
        _component owner;
        _lair& store = owner.Make<_lair>();
        store.SetCompany("Brannock");
        store.SetApp("corvex");
        store.SetKey("Desposition");
        store.WriteInteger("X", 40);
        store.WriteInteger("Y", 50);
    }
    TPULSE& bar = MakeEmptyBar();
    bar.Show();  // not launched yet: stays
    EXPECT_EQ(bar.State(), CORVEX_STARTING);
    bar.Hide();
    ASSERT_EQ(bar.Launch(), _OK);
    bar.Show();
    EXPECT_EQ(bar.State(), CORVEX_RUNNING);
    EXPECT_EQ(bar.Left(), 40);
    EXPECT_EQ(bar.Top(), 50);
    bar.Hide();
    bar.SetBounds(25, 25, bar.Width(), bar.Height());
    bar.Show();
    EXPECT_EQ(bar.Left(), 25);
}

TEST_F(KernelTest, StoredOptionsAndOrderAreRead) {
    {
        _component owner;
        _lair& store = owner.Make<_lair>();
        store.SetCompany("Brannock");
        store.SetApp("corvex");
        store.SetKey("Options");
        store.WriteInteger("Update", 2500);
        store.WriteInteger("Back Color", 0x123456);
        store.SetKey("Sentinels\\CPU Sentinel");
        store.WriteInteger("order", 5);
    }
    TPULSE& bar = MakeBar();
    EXPECT_EQ(bar.Settings().update, 2500u);
    // Sorted by the stored order: CPU (5) after Audio (4), before System (5, later).
    EXPECT_EQ(bar.Sentinels(0)->Caption(), "Drive Sentinel");
    EXPECT_EQ(bar.Sentinels(1)->Caption(), "Memory Sentinel");
    EXPECT_EQ(bar.Sentinels(4)->Caption(), "CPU Sentinel");
    EXPECT_EQ(bar.Sentinels(1)->Top(), bar.Sentinels(0)->Height());
    ASSERT_EQ(bar.Launch(), _OK);
    EXPECT_EQ(bar.TIMER.Interval(), 2500u);
    EXPECT_EQ(bar.Sentinels(0)->Color(), 0x123456u);
}

TEST_F(KernelTest, ABarStoredAsHiddenStartsNarrowAndComesBackAtItsWidth) {
    {
        _component owner;
        _lair& store = owner.Make<_lair>();
        store.SetCompany("Brannock");
        store.SetApp("corvex");
        store.SetKey("Options");
        store.WriteBool("Visible", false);
    }
    TPULSE& bar = MakeBar();
    EXPECT_EQ(bar.Width(), 0);
    EXPECT_EQ(bar.HiddenWidth(), 226);
    ASSERT_EQ(bar.Launch(), _OK);
    bar.Show();
    EXPECT_EQ(bar.Width(), 0);  // shown, but as a zero-width window

    bar.HideMENUClick();
    EXPECT_EQ(bar.Width(), 226);
    const _sentinel& last = *bar.Sentinels(bar.SentinelCount() - 1);
    EXPECT_EQ(bar.ClientHeight(), last.Top() + last.Height());
    EXPECT_TRUE(bar.Visible());
    bar.HideMENUClick();
    EXPECT_FALSE(bar.Visible());
    EXPECT_EQ(bar.Width(), 226);
}

// Hidden at exit, hidden at the next start, and again after that one: the
// width comes back each time it is shown.
TEST_F(KernelTest, ABarHiddenAtExitStartsHiddenAgainAndKeepsItsWidth) {
    const auto run = [this](bool hide) {
        TPULSE& bar = MakeEmptyBar();
        EXPECT_EQ(bar.Launch(), _OK);
        bar.Show();
        if (hide) bar.HideMENUClick();
        const int width = bar.Width();
        bar.Close();
        root_ = std::make_unique<_component>();  // the bounds are kept as the bar goes
        DrainQuit();
        return width;
    };
    TPULSE& first = MakeEmptyBar();
    ASSERT_EQ(first.Launch(), _OK);
    first.Show();
    first.SetBounds(30, 40, 190, first.Height());
    first.HideMENUClick();
    first.Close();
    root_ = std::make_unique<_component>();
    DrainQuit();
    EXPECT_EQ(Stored("Options", "Visible"), 0);
    EXPECT_EQ(run(false), 0);  // started hidden: a zero-width window, left so
    EXPECT_EQ(Stored("Options", "Visible"), 0);
    EXPECT_EQ(Stored("Desposition", "W"), 190);
    TPULSE& third = MakeEmptyBar();
    EXPECT_EQ(third.Width(), 0);
    EXPECT_EQ(third.HiddenWidth(), 190);
    ASSERT_EQ(third.Launch(), _OK);
    third.HideMENUClick();
    EXPECT_EQ(third.Width(), 190);
}

TEST_F(KernelTest, TrayGaugesBelongToTheBar) {
    TPULSE& bar = MakeEmptyBar();
    ASSERT_NE(bar.TrayContainer(), nullptr);
    bar.TrayContainer()->SetShellNotify([](DWORD, _traynotifydata&) { return true; });
    _traypulse* tray = nullptr;
    ASSERT_EQ(bar.TrayContainer()->Add(&tray), _OK);
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->Hint(), "Corvex");
    EXPECT_EQ(tray->PopupMenu(), &bar.POP);
    ASSERT_EQ(bar.Launch(), _OK);
    bar.Show();
    // A double click on the gauge toggles the bar like the hot key.
    tray->OnDblClick(*tray);
    EXPECT_FALSE(bar.Visible());
    tray->OnDblClick(*tray);
    EXPECT_TRUE(bar.Visible());
}

TEST_F(KernelTest, MinimisingTheProgramLeavesTheBarInPlace) {
    TPULSE& bar = MakeEmptyBar();
    ASSERT_EQ(Application().MainForm(), &bar);
    ASSERT_EQ(bar.Launch(), _OK);
    bar.Show();
    Application().Minimize();
    EXPECT_FALSE(IsIconic(bar.Handle()));
    EXPECT_TRUE(IsWindowVisible(bar.Handle()));
}

// The desktop work area now.
RECT WorkArea() {
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

// The strip is cut out of the work area as it is (a task bar's 30 pixels
// stay), follows the bar's width and its showing, and exit gives back only
// what the bar took.
TEST_F(KernelTest, TheStripComesOutOfTheCurrentWorkAreaAndOnlyItGoesBack) {
    const RECT original = WorkArea();
    RECT taskbar = original;
    taskbar.bottom -= 30;
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &taskbar, 0);
    RECT now = WorkArea();
    if (!EqualRect(&now, &taskbar)) GTEST_SKIP() << "the work area cannot be set here";
    StartupOptions().SetDockingAllowed(true);
    TPULSE& bar = MakeEmptyBar();
    ASSERT_EQ(bar.Launch(), _OK);
    bar.Show();
    bar.LiveOptions().dock = true;
    const auto expect = [&](int left, int right, const char* when) {
        now = WorkArea();
        EXPECT_EQ(now.left, left) << when;
        EXPECT_EQ(now.right, right) << when;
        EXPECT_EQ(now.bottom, taskbar.bottom) << when;
    };
    bar.SetBounds(0, 100, 150, bar.Height());
    expect(150, taskbar.right, "docked at the left");
    bar.SetBounds(0, 100, 200, bar.Height());
    expect(200, taskbar.right, "widened by its edge");
    bar.HideMENUClick();
    expect(taskbar.left, taskbar.right, "hidden");
    bar.HideMENUClick();
    expect(200, taskbar.right, "shown again");
    bar.Shutdown();
    expect(taskbar.left, taskbar.right, "after exit");
    SystemParametersInfoA(SPI_SETWORKAREA, 0, const_cast<RECT*>(&original), 0);
}

TEST_F(KernelTest, ShutdownLeavesAWorkAreaTheBarDidNotTakeAlone) {
    const RECT original = WorkArea();
    RECT reserved = original;
    reserved.top += 40;
    for (const bool docking : {true, false}) {
        StartupOptions().Reset();
        for (int i = 0; i < SENTINEL_BUILTIN_COUNT; ++i) StartupOptions().Unplug(i);
        StartupOptions().SetDockingAllowed(docking);
        TPULSE& bar = MakeBar();
        ASSERT_EQ(bar.Launch(), _OK);
        SystemParametersInfoA(SPI_SETWORKAREA, 0, &reserved, 0);
        const RECT set = WorkArea();
        if (!EqualRect(&reserved, &set)) GTEST_SKIP() << "the work area cannot be set here";
        bar.Shutdown();
        const RECT after = WorkArea();
        EXPECT_TRUE(EqualRect(&after, &reserved)) << "docking allowed: " << docking;
        SystemParametersInfoA(SPI_SETWORKAREA, 0, const_cast<RECT*>(&original), 0);
        root_ = std::make_unique<_component>();
        DrainQuit();
    }
}

// ---- the icon strip

TEST_F(KernelTest, TheBuiltInStripHasDistinctTilesOnATransparentGround) {
    TPULSE& bar = MakeEmptyBar();
    ASSERT_EQ(bar.MUSEUM.Count(), 24);
    std::vector<std::vector<_color>> tiles;
    for (int i = 0; i < 24; ++i) {
        _bitmap tile;
        ASSERT_EQ(bar.GetMuseumBitmap(&tile, i), _OK);
        ASSERT_EQ(tile.Width(), 16);
        EXPECT_EQ(tile.Pixel(0, 0), COLOR_FUCHSIA) << i;
        std::vector<_color> pixels;
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                pixels.push_back(tile.Pixel(x, y));
                if (pixels.back() != COLOR_FUCHSIA) ++drawn;
            }
        EXPECT_GE(drawn, 20) << "tile " << i << " is nearly empty";
        for (std::size_t j = 0; j < tiles.size(); ++j) EXPECT_NE(tiles[j], pixels) << j << " and " << i;
        tiles.push_back(pixels);
    }
    _bitmap out;
    EXPECT_EQ(bar.GetMuseumBitmap(&out, 24), _ERROR);
    EXPECT_EQ(bar.GetMuseumBitmap(&out, -1), _ERROR);
    EXPECT_EQ(bar.GetMuseumBitmap(nullptr, 0), _ERROR);
}

// A 24-bit bottom-up BMP file of `width` x 16 whose column x has colour
// colours[x / 16].
void WriteStrip(const std::string& path, int width, const std::vector<_color>& colours) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * 16);
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = 16;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<unsigned char> rows(static_cast<std::size_t>(stride * 16));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < width; ++x) {
            const _color c = colours[static_cast<std::size_t>(x / 16)];
            unsigned char* p = &rows[static_cast<std::size_t>(y * stride + x * 3)];
            p[0] = static_cast<unsigned char>(c >> 16);
            p[1] = static_cast<unsigned char>(c >> 8);
            p[2] = static_cast<unsigned char>(c);
        }
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(rows.data(), 1, rows.size(), out);
    std::fclose(out);
}

TEST(SkinStripTest, CutsOneTilePerFullSixteenPixels) {
    TempFolder folder("skin");
    WriteStrip(folder / "default.bmp", 40, {0x0000FF, 0x00FF00, 0xFF0000});
    _imagelist list;
    list.Add(_bitmap(16, 16));
    ASSERT_EQ(LoadSkinStrip(folder / "default.bmp", list), _OK);
    ASSERT_EQ(list.Count(), 2);  // the last 8 pixels make no tile
    _bitmap tile;
    ASSERT_TRUE(list.GetBitmap(1, tile));
    EXPECT_EQ(tile.Pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(tile.Pixel(15, 15), 0x00FF00u);

    EXPECT_EQ(LoadSkinStrip(folder / "missing.bmp", list), _ERROR);
    EXPECT_EQ(list.Count(), 2);
}

// ---- settings


TEST_F(KernelTest, AFreshAccountStartsWithTheDefaultsAndSavesThemWithThePosition) {
    TPULSE& bar = MakeBar();
    const _kernelsettings& settings = bar.Settings();
    EXPECT_TRUE(settings.visible);
    EXPECT_EQ(settings.transparency, 255);
    EXPECT_EQ(settings.backColor, 8421504u);
    EXPECT_EQ(settings.update, 1000u);
    EXPECT_EQ(settings.hotkey, 49239);  // Ctrl+Alt+W
    EXPECT_EQ(bar.LiveOptions().hotkey, 49239);
    EXPECT_EQ(settings.stick, 10);
    EXPECT_TRUE(settings.onTop);
    EXPECT_FALSE(settings.dock);
    EXPECT_EQ(bar.Docking().Positions().Count(), 0);
    ASSERT_EQ(bar.Launch(), _OK);
    bar.Show();
    bar.SetBounds(200, 300, bar.Width(), bar.Height());
    ASSERT_EQ(bar.Shutdown(), _OK);

    const struct {
        const char* name;
        int value;
    } expected[] = {{"Visible", 1}, {"Transparency", 255}, {"Back Color", 8421504}, {"Update", 1000},
                    {"Hotkey", 49239}, {"Stick", 10}, {"OnTop", 1}, {"dock", 0}};
    for (const auto& value : expected) EXPECT_EQ(Stored("Options", value.name), value.value) << value.name;
    for (int i = 0; i < SENTINEL_BUILTIN_COUNT; ++i)
        EXPECT_EQ(Stored(std::string("Sentinels\\") + kCaptions[i], "order"), i) << kCaptions[i];
    // The position at exit, under the resolution in use.
    const std::string screen = "Screen\\" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                               std::to_string(GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(Stored(screen, "X"), 200);
    EXPECT_EQ(Stored(screen, "Y"), 300);
    EXPECT_EQ(Stored(screen, "XRes"), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(Stored(screen, "YRes"), GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(KernelTest, TheSaveReadsTheLiveOptionsNotTheStartingValues) {
    TPULSE& bar = MakeEmptyBar();
    ASSERT_EQ(bar.Launch(), _OK);
    bar.LiveOptions().hotkey = 0x6000 | 'Q';  // Ctrl+Shift+Q
    bar.LiveOptions().stick = 3;
    bar.LiveOptions().backColor = 0x102030;
    ASSERT_EQ(bar.Shutdown(), _OK);
    EXPECT_EQ(Stored("Options", "Hotkey"), 0x6051);
    EXPECT_EQ(Stored("Options", "Stick"), 3);
    EXPECT_EQ(Stored("Options", "Back Color"), 0x102030);
}

TEST_F(KernelTest, ExchangedSentinelsComeBackExchangedAfterARestart) {
    {
        TPULSE& bar = MakeBar();
        _sentinel* drive = bar.Sentinels(0);
        _sentinel* fsr = bar.Sentinels(3);
        ASSERT_EQ(bar.ExchangeSentinels(drive, fsr), _OK);
        int index = -1;
        EXPECT_EQ(bar.FindSentinel(drive, index), _OK);
        EXPECT_EQ(index, 3);
        bar.KERNEL_UpdateSize();
        EXPECT_EQ(fsr->Top(), 0);
        EXPECT_EQ(drive->Top(), bar.Sentinels(2)->Top() + bar.Sentinels(2)->Height());

        // Neither an unplugged Sentinel nor none moves anything.
        _testsentinel& stranger = bar.Make<_testsentinel>(&journal_, "Stranger");
        EXPECT_EQ(bar.FindSentinel(&stranger, index), _ERROR);
        EXPECT_EQ(index, -1);
        EXPECT_EQ(bar.FindSentinel(nullptr, index), _ERROR);
        EXPECT_EQ(bar.ExchangeSentinels(drive, &stranger), _ERROR);
        EXPECT_EQ(bar.ExchangeSentinels(nullptr, drive), _ERROR);
        EXPECT_EQ(bar.Sentinels(3), drive);
        bar.Destroy(&stranger);
        ASSERT_EQ(bar.Launch(), _OK);
        ASSERT_EQ(bar.Shutdown(), _OK);
        root_ = std::make_unique<_component>();
        DrainQuit();
    }
    TPULSE& bar = MakeBar();
    EXPECT_EQ(bar.Sentinels(0)->Caption(), "FSR Sentinel");
    EXPECT_EQ(bar.Sentinels(3)->Caption(), "Drive Sentinel");
    EXPECT_EQ(bar.Sentinels(1)->Caption(), "CPU Sentinel");
    EXPECT_EQ(bar.Sentinels(3)->Top(), bar.Sentinels(2)->Top() + bar.Sentinels(2)->Height());
}

TEST_F(KernelTest, AScreenKeyIsReadByItsValuesAndSavedUnderTheirName) {
    Store("Screen\\640x480", "X", 12);
    Store("Screen\\640x480", "Y", 34);
    Store("Screen\\640x480", "XRes", 1024);
    Store("Screen\\640x480", "YRes", 768);
    TPULSE& bar = MakeEmptyBar();
    ASSERT_EQ(bar.Docking().Positions().Count(), 1);
    EXPECT_EQ(bar.Docking().Positions()[0].xRes, 1024);
    EXPECT_EQ(bar.Docking().Positions()[0].yRes, 768);
    EXPECT_EQ(bar.Docking().Positions()[0].x, 12);
    ASSERT_EQ(bar.Launch(), _OK);
    ASSERT_EQ(bar.Shutdown(), _OK);
    EXPECT_EQ(Stored("Screen\\1024x768", "X"), 12);
    EXPECT_EQ(Stored("Screen\\1024x768", "Y"), 34);
    EXPECT_EQ(bar.Docking().Positions().Count(), 2);  // and the resolution in use
}

TEST_F(KernelTest, TrayGaugesAreAddedColouredAndDeletedThroughTheBar) {
    TPULSE& bar = MakeEmptyBar();
    bar.TrayContainer()->SetShellNotify([](DWORD, _traynotifydata&) { return true; });
    _traypulse* tray = nullptr;
    ASSERT_EQ(bar.AddTray(&tray), _OK);
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(bar.UpdateTrayColor(tray, 1, 0x0000FF, 0x00FF00), _OK);
    EXPECT_EQ(tray->KERNEL_GetBar(1)->ForeColor(), 0x0000FFu);
    EXPECT_EQ(tray->KERNEL_GetBar(1)->BackColor(), 0x00FF00u);
    EXPECT_NE(tray->KERNEL_GetBar(0)->ForeColor(), 0x0000FFu);
    EXPECT_EQ(bar.UpdateTrayColor(tray, 2, 0, 0), _ERROR);
    EXPECT_EQ(bar.UpdateTrayColor(tray, -1, 0, 0), _ERROR);
    EXPECT_EQ(bar.UpdateTrayColor(nullptr, 0, 0, 0), _ERROR);
    EXPECT_EQ(bar.DelTray(nullptr), _ERROR);
    EXPECT_EQ(bar.DelTray(tray), _OK);
    EXPECT_EQ(bar.TrayContainer()->Count(), 0);
}

// ---- layout and docking

TEST_F(KernelTest, TheBarSnapsToTheScreenEdgesWithinStick) {
    TPULSE& bar = MakeBar();
    const int screenX = GetSystemMetrics(SM_CXSCREEN);
    bar.SetBounds(7, 11, 150, bar.Height());
    EXPECT_EQ(bar.Left(), 0);
    EXPECT_EQ(bar.Top(), 11);
    bar.SetBounds(screenX - 150 - 9, 300, 150, bar.Height());
    EXPECT_EQ(bar.Left(), screenX - 150);
    EXPECT_EQ(bar.SetStick(101), _ERROR);
    EXPECT_EQ(bar.SetStick(0), _OK);
    bar.SetBounds(1, 300, 150, bar.Height());
    EXPECT_EQ(bar.Left(), 1);
}

TEST_F(KernelTest, TheBodyDragsTheBarAndItsSidesResizeIt) {
    TPULSE& bar = MakeBar();
    bar.SetBounds(100, 100, 150, bar.Height());
    bar.Show();
    const auto hit = [&](int x, int y) {
        return SendMessageA(bar.Handle(), WM_NCHITTEST, 0, MAKELPARAM(100 + x, 100 + y));
    };
    EXPECT_EQ(hit(3, 30), HTLEFT);
    EXPECT_EQ(hit(10, 30), HTLEFT);
    EXPECT_EQ(hit(11, 30), HTCAPTION);
    EXPECT_EQ(hit(75, 5), HTCAPTION);
    EXPECT_EQ(hit(139, 30), HTCAPTION);
    EXPECT_EQ(hit(145, 30), HTRIGHT);
    EXPECT_EQ(SendMessageA(bar.Handle(), WM_ERASEBKGND, 0, 0), 1);
    // Widening by an edge lays the bands out across the new width.
    bar.SetBounds(100, 100, 180, bar.Height());
    EXPECT_EQ(bar.Sentinels(0)->Width(), 180);
}

TEST_F(KernelTest, TransparencyBelowOpaqueMakesTheBarLayered) {
    TPULSE& bar = MakeEmptyBar();
    const auto layered = [&] { return (GetWindowLongA(bar.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0; };
    EXPECT_EQ(bar.SetTransparency(254), _OK);
    EXPECT_TRUE(layered());
    EXPECT_EQ(bar.SetTransparency(255), _OK);
    EXPECT_FALSE(layered());
    EXPECT_EQ(bar.SetTransparency(300), _OK);
    EXPECT_EQ(bar.Settings().transparency, 255);
    EXPECT_FALSE(layered());
}

TEST_F(KernelTest, ADockedBarReservesItsStripAndGivesTheDesktopBackOnceWhenFloating) {
    const RECT original = WorkArea();
    const int screenX = GetSystemMetrics(SM_CXSCREEN), screenY = GetSystemMetrics(SM_CYSCREEN);
    StartupOptions().SetDockingAllowed(true);
    TPULSE& bar = MakeEmptyBar();
    bar.Show();  // a bar that is not shown takes no room
    bar.LiveOptions().dock = true;

    bar.SetBounds(0, 100, 150, bar.Height());
    RECT now = WorkArea();
    if (now.left != 150) GTEST_SKIP() << "the work area cannot be set here";
    EXPECT_EQ(now.right, screenX);
    EXPECT_EQ(now.top, 0);
    EXPECT_EQ(now.bottom, screenY);

    bar.SetBounds(screenX - 150, 100, 150, bar.Height());
    now = WorkArea();
    EXPECT_EQ(now.left, 0);
    EXPECT_EQ(now.right, screenX - 150);

    bar.SetBounds(400, 100, 150, bar.Height());
    now = WorkArea();
    EXPECT_TRUE(EqualRect(&now, &original));
    EXPECT_TRUE(bar.Docking().FullScreenSet());
    // Still floating: another program's change of the area stays.
    RECT other = original;
    other.top += 30;
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &other, 0);
    bar.SetBounds(500, 100, 150, bar.Height());
    now = WorkArea();
    EXPECT_TRUE(EqualRect(&now, &other));

    // Unticking the box while floating: the bar holds nothing to give back.
    bar.LiveOptions().dock = false;
    EXPECT_EQ(bar.UpdateDesktopArea(false), _OK);
    now = WorkArea();
    EXPECT_TRUE(EqualRect(&now, &other));
    EXPECT_FALSE(bar.Docking().FullScreenSet());
    SystemParametersInfoA(SPI_SETWORKAREA, 0, const_cast<RECT*>(&original), 0);
}

TEST_F(KernelTest, WithoutDockingAllowedTheWorkAreaIsNeverTouched) {
    StartupOptions().SetDockingAllowed(false);
    Store("Options", "dock", 1);
    TPULSE& bar = MakeEmptyBar();
    ASSERT_EQ(bar.Launch(), _OK);
    EXPECT_FALSE(bar.LiveOptions().dock);  // the box stays unticked
    bar.LiveOptions().dock = true;
    RECT marked = WorkArea();
    marked.top += 20;
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &marked, 0);
    const RECT before = WorkArea();
    bar.SetBounds(0, 100, 150, bar.Height());
    EXPECT_EQ(bar.UpdateDesktopArea(false), _OK);
    const RECT after = WorkArea();
    EXPECT_TRUE(EqualRect(&before, &after));
    marked.top -= 20;
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &marked, 0);
}

// ---- menu

TEST_F(KernelTest, TheMenuHoldsEveryCommandWithItsShortCutAndHidesTheDebugOnes) {
    TPULSE& bar = MakeBar();
    const struct {
        const char* caption;
        const char* shortcut;
        bool shown;
    } expected[] = {{"&hide", "Ctrl+H", true},
                    {"&cpu...", "Ctrl+C", true},
                    {"&designer...", "Ctrl+D", true},
                    {"&options...", "Ctrl+O", true},
                    {"&free mem...", "Shift+Alt+Backspace", true},
                    {"-", "", true},
                    {"&screen", "", true},
                    {"-", "", true},
                    {"debug: stop/start _speeder", "Ctrl+Z", false},
                    {"debug: set desktop area", "Shift+Ctrl+F7", false},
                    {"[DEBUG] Add Drive", "Shift+Ctrl+F4", false},
                    {"[DEBUG] Delete Drive", "Shift+Ctrl+F5", false},
                    {"[DEBUG] Trigger Icon", "Shift+Ctrl+F10", false},
                    {"[DEBUG] Hide Drives Sentinel", "Shift+Ctrl+F9", false},
                    {"[DEBUG] Show Drives Sentinel", "Shift+Ctrl+F8", false},
                    {"[DEBUG] Toggle Meters", "Shift+Ctrl+F3", false},
                    {"-", "", false},
                    {"hel&p", "F1", true},
                    {"&about...", "Ctrl+F1", true},
                    {"e&xit", "Ctrl+W", true}};
    _menuitem& root = bar.POP.Items();
    ASSERT_EQ(root.Count(), std::size(expected));
    for (std::size_t i = 0; i < root.Count(); ++i) {
        const _menuitem& item = *root.Items(i);
        EXPECT_EQ(item.Caption(), expected[i].caption) << i;
        EXPECT_EQ(ShortCutToText(item.ShortCut()), expected[i].shortcut) << i;
        EXPECT_EQ(item.Visible(), expected[i].shown) << item.Caption();
        if (!expected[i].shown && !item.IsSeparator()) {
            EXPECT_FALSE(item.Enabled()) << item.Caption();
        }
    }
    // A disabled debug item ignores its short-cut: the Drive Sentinel stays.
    ASSERT_EQ(bar.Launch(), _OK);
    bar.Show();
    EXPECT_TRUE(bar.POP.DispatchShortCut(SHORTCUT_CTRL | 'H'));
    EXPECT_FALSE(bar.Visible());
    EXPECT_EQ(bar.Menu().HideMENU->Caption(), "&show");
    EXPECT_TRUE(bar.Menu().HideMENU->Default());
    EXPECT_FALSE(bar.POP.DispatchShortCut(SHORTCUT_SHIFT | SHORTCUT_CTRL | VK_F9));
    EXPECT_TRUE(bar.DriveSentinel()->Visible());
    bar.HideMENUClick();
    EXPECT_EQ(bar.Menu().HideMENU->Caption(), "&hide");
    EXPECT_FALSE(bar.Menu().HideMENU->Default());
}

TEST_F(KernelTest, TheScreenMenuListsEachModeUnderItsColourDepth) {
    TPULSE& bar = MakeEmptyBar();
    ASSERT_FALSE(bar.DisplayModes().Resolutions().empty());
    const _menuitem& screen = *bar.Menu().ScreenMENU;
    std::size_t listed = 0;
    for (std::size_t d = 0; d < screen.Count(); ++d) {
        const _menuitem& depth = *screen.Items(d);
        for (std::size_t m = 0; m < depth.Count(); ++m) {
            const _menuitem& mode = *depth.Items(m);
            ASSERT_GE(mode.Tag(), 0);
            ASSERT_LT(static_cast<std::size_t>(mode.Tag()), bar.DisplayModes().Resolutions().size());
            const _displaymodes::_resolution& r = bar.DisplayModes().Resolutions()[static_cast<std::size_t>(mode.Tag())];
            EXPECT_STREQ(ColorDepthCaption(r.bits), depth.Caption().c_str());
            EXPECT_EQ(mode.Caption(), ResolutionCaption(r.width, r.height, r.rate));
            ++listed;
        }
    }
    std::size_t offered = 0;
    for (const _displaymodes::_resolution& r : bar.DisplayModes().Resolutions()) offered += ColorDepthCaption(r.bits) != nullptr;
    EXPECT_EQ(listed, offered);
}

TEST_F(KernelTest, ARightClickOnASentinelPutsItsItemAtTheTopOnce) {
    TPULSE& bar = MakeBar();
    ASSERT_EQ(bar.Launch(), _OK);
    bar.Show();
    bar.SetBounds(100, 100, 200, bar.Height());
    const std::size_t plain = bar.POP.Items().Count();
    // Inside the CPU band, the second.
    ASSERT_EQ(bar.WMNCRButtonDown(150, 100 + bar.Sentinels(1)->Top() + 2, false), _OK);
    _menuitem& root = bar.POP.Items();
    ASSERT_EQ(root.Count(), plain + 2);
    EXPECT_EQ(root.Items(0)->Caption(), "CPU Sentinel");
    EXPECT_EQ(root.Items(0), bar.Menu().SpeederItem());
    EXPECT_TRUE(root.Items(1)->IsSeparator());
    EXPECT_EQ(root.Items(2), bar.Menu().HideMENU);

    bar.WMNCRButtonDown(150, 100 + 2, false);
    ASSERT_EQ(root.Count(), plain + 2);
    EXPECT_EQ(root.Items(0)->Caption(), "Drive Sentinel");
    EXPECT_TRUE(root.Items(1)->IsSeparator());
    EXPECT_EQ(root.Items(2), bar.Menu().HideMENU);
    // Outside every band nothing changes.
    bar.WMNCRButtonDown(10, 10, false);
    EXPECT_EQ(root.Count(), plain + 2);
}

TEST_F(KernelTest, ARightClickWhereNoSpeederIsGivesADisabledSentinelItem) {
    TPULSE& bar = MakeEmptyBar();
    PlugTestSentinel(bar, "Bare");
    ASSERT_EQ(bar.Launch(), _OK);
    bar.Show();
    bar.SetBounds(100, 100, 200, bar.Height());
    bar.WMNCRButtonDown(150, 102, false);
    ASSERT_NE(bar.Menu().SpeederItem(), nullptr);
    EXPECT_EQ(bar.Menu().SpeederItem()->Caption(), "Bare");
    EXPECT_FALSE(bar.Menu().SpeederItem()->Enabled());
    EXPECT_EQ(bar.Menu().SpeederItem()->Count(), 0u);
}

TEST_F(KernelTest, TheHotKeyOfTheSettingsTogglesTheBar) {
    TPULSE& bar = MakeEmptyBar();
    ASSERT_EQ(bar.Launch(), _OK);
    bar.Show();
    EXPECT_EQ(bar._hotkey1.Key(), 49239);
    const ATOM id = GlobalFindAtomA("Hotkey_Win32 atom");
    SendMessageA(bar._hotkey1.WindowHandle(), WM_HOTKEY, id, 0);
    EXPECT_FALSE(bar.Visible());
    SendMessageA(bar._hotkey1.WindowHandle(), WM_HOTKEY, id, 0);
    EXPECT_TRUE(bar.Visible());
}

TEST_F(KernelTest, PressingTheHotKeyAnywhereTogglesTheBar) {
    TPULSE& bar = MakeEmptyBar();
    ASSERT_EQ(bar.Launch(), _OK);
    bar.Show();
    // Ctrl+Alt+W pressed as a user would, through the system's input queue.
    const auto press = [] {
        ASSERT_TRUE(PressChord({VK_CONTROL, VK_MENU, 'W'}));
        for (int i = 0; i < 50; ++i) {
            Application().ProcessMessages();
            Sleep(10);
        }
    };
    press();
    EXPECT_FALSE(bar.Visible());
    press();
    EXPECT_TRUE(bar.Visible());
}

TEST_F(KernelTest, TheDiagnosisItemsActOnlyOnceEnabled) {
    TPULSE& bar = MakeEmptyBar();
    _testsentinel& sentinel = PlugTestSentinel(bar, "Test");
    _speeder& first = sentinel.AddTestSpeeder("one");
    const bool meters = (first.Options() & SPEEDER_METERS) != 0;
    bar.Menu().ToggleMetersMENU->Click();  // disabled: nothing
    EXPECT_EQ((first.Options() & SPEEDER_METERS) != 0, meters);
    bar.Menu().ToggleMetersMENU->SetEnabled(true);
    bar.Menu().ToggleMetersMENU->Click();
    EXPECT_NE((first.Options() & SPEEDER_METERS) != 0, meters);
    // Without the Sentinels they need, the others do nothing.
    for (_menuitem* item : {bar.Menu().StopStartSpeederMENU, bar.Menu().DelDriveMENU, bar.Menu().IconicaMENU,
                            bar.Menu().DEBUGHideDrivesSentinel1}) {
        item->SetEnabled(true);
        item->Click();
    }
    EXPECT_EQ(sentinel.SpeederCount(), 1u);
}

TEST_F(KernelTest, ADisplayChangeRecordsWhereTheBarStoodUnderTheOldResolution) {
    TPULSE& bar = MakeEmptyBar();
    ASSERT_EQ(bar.Launch(), _OK);
    bar.Show();
    bar.SetBounds(210, 320, 150, bar.Height());
    EXPECT_EQ(bar.Docking().Positions().Count(), 0);
    SendMessageA(bar._metrics1.WindowHandle(), WM_DISPLAYCHANGE, 24,
                 MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    ASSERT_EQ(bar.Docking().Positions().Count(), 1);
    EXPECT_EQ(bar.Docking().Positions()[0].x, 210);
    EXPECT_EQ(bar.Docking().Positions()[0].y, 320);
    EXPECT_EQ(bar.Docking().Positions()[0].xRes, bar._metrics1.OldScreenX());
    EXPECT_EQ(bar._metrics1.ScreenX(), GetSystemMetrics(SM_CXSCREEN));
}

// ---- nothing left behind

TEST_F(KernelTest, AStartAndAShutdownLeaveNoHandleAndNoThread) {
    // One bar first, so that what is made once per process (classes,
    // common controls, the console of the log) is there before counting.
    MakeBar().Launch();
    root_ = std::make_unique<_component>();
    DrainQuit();

    const _livehandles before = _livehandles::Now();
    const int threads = ThreadsOfThisProcess();
    {
        TPULSE& bar = MakeBar();
        ASSERT_EQ(bar.Launch(), _OK);
        bar.TIMERTimer();
        SendMessageA(bar.Handle(), WM_CLOSE, 0, 0);
        ASSERT_EQ(bar.State(), CORVEX_DOWN);
        root_ = std::make_unique<_component>();
    }
    const _livehandles after = _livehandles::Now();
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.bitmaps, before.bitmaps);
    EXPECT_EQ(after.dcs, before.dcs);
    EXPECT_EQ(after.fonts, before.fonts);
    EXPECT_EQ(after.brushes, before.brushes);
    EXPECT_EQ(after.imagelists, before.imagelists);
    EXPECT_TRUE(after == before);
    EXPECT_EQ(ThreadsOfThisProcess(), threads);
}

}  // namespace
}  // namespace corvex::test
