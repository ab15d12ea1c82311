// The bar inside a virtual desktop, whose display driver offers many modes
// and really switches between them: a change of resolution made through
// the "screen" submenu, what the bar records and where it goes.
//
// This executable runs under "explorer /desktop=...", which does not hand
// its exit code back: ctest reads the summary line instead.

#include "Corvex_Kernel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Application.h"
#include "BarGeometry.h"
#include "Menu.h"
#include "Metrics_Win32.h"
#include "Registry_Zolt2.h"
#include "StartupOptions.h"
#include "BarDocking.h"
#include "BarMenu.h"
#include "DisplayModes.h"
#include "engine/kernel/BarTesting.h"
#include "engine/sentinels/SentinelTesting.h"
#include "support/MessageBoxes.h"

namespace corvex::test {
namespace {

constexpr int kBarWidth = 150;

class DisplayModesTest : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        for (int i = 0; i < SENTINEL_BUILTIN_COUNT; ++i) StartupOptions().Unplug(i);
        startX_ = GetSystemMetrics(SM_CXSCREEN);
        startY_ = GetSystemMetrics(SM_CYSCREEN);
    }
    void TearDown() override {
        root_.reset();
        // The next test, and every later program of this wine server, starts
        // from the desktop's own mode: the switches were stored in the
        // registry, so that mode is stored again.
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        mode.dmPelsWidth = static_cast<DWORD>(startX_);
        mode.dmPelsHeight = static_cast<DWORD>(startY_);
        ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY);
        BarTest::TearDown();
    }

    TPULSE& LaunchBar() {
        TPULSE& bar = root_->Make<TPULSE>();
        _testsentinel& band = bar.Make<_testsentinel>(&journal_, "Band");
        bar.PlugSentinel(&band, "Band");
        band.AddTestSpeeder("one");
        EXPECT_EQ(bar.Launch(), _OK);
        bar.Show();
        return bar;
    }

    // The "screen" submenu's item for width x height at the present depth.
    static _menuitem* ModeItem(TPULSE& bar, int width, int height) {
        const char* depth = ColorDepthCaption(bar._metrics1.ScreenBits());
        for (std::size_t d = 0; depth && d < bar.Menu().ScreenMENU->Count(); ++d) {
            _menuitem& row = *bar.Menu().ScreenMENU->Items(d);
            if (row.Caption() != depth) continue;
            for (std::size_t m = 0; m < row.Count(); ++m) {
                _menuitem& mode = *row.Items(m);
                const _displaymodes::_resolution& r = bar.DisplayModes().Resolutions()[static_cast<std::size_t>(mode.Tag())];
                if (r.width == width && r.height == height) return &mode;
            }
        }
        return nullptr;
    }

    static void SwitchTo(TPULSE& bar, int width, int height) {
        _menuitem* item = ModeItem(bar, width, height);
        ASSERT_NE(item, nullptr) << width << "x" << height;
        item->Click();
        Application().ProcessMessages();
        ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
        ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), height);
    }

    int startX_ = 0, startY_ = 0;
    _journal journal_;
};

TEST_F(DisplayModesTest, TheDriverOffersManyModesUnderTheirDepths) {
    TPULSE& bar = LaunchBar();
    EXPECT_GT(bar.DisplayModes().Resolutions().size(), 20u);
    EXPECT_NE(ModeItem(bar, 800, 600), nullptr);
    EXPECT_NE(ModeItem(bar, startX_, startY_), nullptr);
}

TEST_F(DisplayModesTest, ASwitchRecordsTheOldPlaceAndKeepsADockedBarAtItsEdge) {
    TPULSE& bar = LaunchBar();
    // Docked at the right edge of the large screen.
    bar.SetBounds(startX_ - kBarWidth, 200, kBarWidth, bar.Height());
    ASSERT_EQ(bar.Left(), startX_ - kBarWidth);

    SwitchTo(bar, 800, 600);
    EXPECT_EQ(bar._metrics1.ScreenX(), 800);
    EXPECT_EQ(bar._metrics1.OldScreenX(), startX_);
    EXPECT_EQ(bar._metrics1.OldScreenY(), startY_);
    ASSERT_EQ(bar.Docking().Positions().Count(), 1);
    EXPECT_EQ(bar.Docking().Positions()[0].x, startX_ - kBarWidth);
    EXPECT_EQ(bar.Docking().Positions()[0].y, 200);
    EXPECT_EQ(bar.Docking().Positions()[0].xRes, startX_);
    // No place was recorded for 800x600: the bar follows the right edge.
    EXPECT_EQ(bar.Left(), 800 - kBarWidth);
    EXPECT_EQ(bar.Top(), 200);
    // On a wider screen without a record it still keeps to the edge.
    SwitchTo(bar, 1024, 768);
    EXPECT_EQ(bar.Left(), 1024 - kBarWidth);

    // Moved on a smaller screen, then back to the large one: it returns to
    // where it stood there, and the smaller screen's place is remembered.
    SwitchTo(bar, 800, 600);
    EXPECT_EQ(bar.Left(), 800 - kBarWidth);  // its own record for 800x600
    bar.SetBounds(100, 50, kBarWidth, bar.Height());
    SwitchTo(bar, startX_, startY_);
    EXPECT_EQ(bar.Left(), startX_ - kBarWidth);
    EXPECT_EQ(bar.Top(), 200);
    const int small = bar.Docking().Positions().Find(800, 600);
    ASSERT_GE(small, 0);
    EXPECT_EQ(bar.Docking().Positions()[small].x, 100);
    EXPECT_EQ(bar.Docking().Positions()[small].y, 50);

    // After the exit the registry holds one "Screen" key per resolution.
    ASSERT_EQ(bar.Shutdown(), _OK);
    _registry registry;
    registry.SetRootKey(REGISTRY_CURRENT_USER);
    const std::string base = "\\Software\\Brannock\\corvex\\0.0.1\\Screen\\";
    EXPECT_TRUE(registry.KeyExists(base + "800x600"));
    EXPECT_TRUE(registry.KeyExists(base + std::to_string(startX_) + "x" + std::to_string(startY_)));
}

TEST_F(DisplayModesTest, ABarLeftOffTheSmallerScreenIsBroughtBackOntoIt) {
    TPULSE& bar = LaunchBar();
    bar.SetBounds(700, 900, kBarWidth, bar.Height());
    SwitchTo(bar, 800, 600);
    EXPECT_EQ(bar.Left(), 800 - kBarWidth);
    EXPECT_EQ(bar.Top() + bar.Height(), 600);
}

TEST_F(DisplayModesTest, AModeTheDriverRefusesIsToldAndChangesNothing) {
    TPULSE& bar = LaunchBar();
    _result result = _OK;
    {
        BoxPresser presser("Corvex: error", IDOK);
        result = bar.SetScreenRes(333, 222, 32, 60);
        ASSERT_TRUE(presser.Found());
        EXPECT_EQ(presser.Text(), "Graphics mode not supported");
    }
    EXPECT_EQ(result, _ERROR);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), startX_);
    EXPECT_EQ(bar.Docking().Positions().Count(), 0);
}

// A mode that needs a restart restarts with the shutdown privilege enabled;
// a restart Windows refuses is told, and is no success.
TEST_F(DisplayModesTest, ARestartRunsWithTheShutdownPrivilegeAndARefusalIsTold) {
    _displaymodes modes;
    modes.SetModeChanger([](int, int, int, int) { return static_cast<long>(DISP_CHANGE_RESTART); });
    bool privileged = false;
    modes.SetRestarter([&privileged] {
        LUID shutdown{};
        HANDLE token = nullptr;
        if (LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &shutdown) &&
            OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
            PRIVILEGE_SET wanted{1, PRIVILEGE_SET_ALL_NECESSARY, {{shutdown, 0}}};
            BOOL held = FALSE;
            privileged = PrivilegeCheck(token, &wanted, &held) && held;
            CloseHandle(token);
        }
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    });
    _result result = _OK;
    {
        BoxPresser question("Corvex: question", IDOK);
        BoxPresser refusal("Corvex: error", IDOK);
        result = modes.SetScreenRes(800, 600, 32, 60);
        EXPECT_TRUE(question.Found());
        ASSERT_TRUE(refusal.Found());
        EXPECT_EQ(refusal.Text().rfind("Cannot restart Windows: ", 0), 0u) << refusal.Text();
    }
    EXPECT_EQ(result, _ERROR);
    EXPECT_TRUE(privileged);
}

// Docked through a change of resolution and closed: the desktop gets back
// the new screen's area, not the old one's.
TEST_F(DisplayModesTest, ExitAfterAResolutionChangeGivesBackTheNewScreensArea) {
    StartupOptions().SetDockingAllowed(true);
    TPULSE& bar = LaunchBar();
    bar.LiveOptions().dock = true;
    bar.SetBounds(0, 100, kBarWidth, bar.Height());
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (work.left != kBarWidth) GTEST_SKIP() << "the work area cannot be set here";
    SwitchTo(bar, 800, 600);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.left, kBarWidth);  // still reserved on the new screen
    EXPECT_LE(work.right, 800);
    ASSERT_EQ(bar.Shutdown(), _OK);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.left, 0);
    EXPECT_LE(work.right, 800);
    EXPECT_LE(work.bottom, 600);
}

}  // namespace
}  // namespace corvex::test
