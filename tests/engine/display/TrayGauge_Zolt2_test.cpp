// The self-contained tray gauge: when it talks to the shell, what tip and
// icon it hands over, and its clamping.
#include "TrayGauge_Zolt2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Canvas.h"
#include "engine/display/TrayTesting.h"

namespace corvex {
namespace {

using namespace corvex::test;

class TrayGaugeTest : public ::testing::Test {
protected:
    void SetUp() override { gauge.SetShellNotify(shell.Function()); }

    RecordingShell shell;
    _component form;
    _traygauge& gauge = form.Make<_traygauge>();
};

TEST_F(TrayGaugeTest, OnlyAnActiveGaugeTalksToTheShell) {
    gauge.SetPosition(30);
    gauge.SetHint("cpu");
    EXPECT_TRUE(shell.calls.empty());
    gauge.SetActive(true);
    ASSERT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_ADD}));
    EXPECT_EQ(shell.Last().tip, "cpu");
    EXPECT_EQ(shell.Last().window, gauge.NotifyWindow());
    gauge.SetPosition(80);
    EXPECT_EQ(shell.Last().message, static_cast<DWORD>(NIM_MODIFY));
    gauge.SetActive(false);
    EXPECT_EQ(shell.Last().message, static_cast<DWORD>(NIM_DELETE));
    gauge.SetPosition(32);
    EXPECT_EQ(shell.calls.size(), 3u);
}

TEST_F(TrayGaugeTest, AnUnchangedPictureReachesNoShellAndANewShellGetsTheIconAgain) {
    gauge.SetPosition(30);
    EXPECT_EQ(gauge.ShownIcon(), nullptr);  // inactive: no icon is made
    gauge.SetActive(true);
    shell.calls.clear();
    gauge.SetPosition(31);  // the same rows of the bar
    EXPECT_TRUE(shell.calls.empty());
    gauge.SetPosition(80);
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_MODIFY}));
    SendMessageA(gauge.NotifyWindow(), gauge.TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_MODIFY, NIM_ADD}));
    gauge.SetActive(false);
    shell.calls.clear();
    SendMessageA(gauge.NotifyWindow(), gauge.TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(TrayGaugeTest, ARefusedModifyFallsBackToAnAddAndReportsItsResult) {
    gauge.SetHint("cpu");
    gauge.SetActive(true);
    shell.calls.clear();
    shell.refuseModify = 1;
    gauge.SetPosition(10);
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_MODIFY, NIM_ADD}));
    EXPECT_FALSE(gauge.ExplorerError());
    shell.refuseModify = 1;
    shell.refuseAdd = 1;
    gauge.SetPosition(11);
    EXPECT_TRUE(gauge.ExplorerError());
    gauge.SetPosition(12);
    EXPECT_FALSE(gauge.ExplorerError());
}

TEST_F(TrayGaugeTest, PositionsAreClampedAndEqualValuesChangeNothing) {
    gauge.SetActive(true);
    const std::size_t before = shell.calls.size();
    gauge.SetPosition(150);
    gauge.SetPosition(150);
    EXPECT_EQ(gauge.Position(), 100u);
    EXPECT_EQ(shell.calls.size(), before + 1);

    gauge.SetPosition2(80);
    gauge.SetMax(50);  // lowers both positions
    EXPECT_EQ(gauge.Position(), 50u);
    EXPECT_EQ(gauge.Position2(), 50u);
    gauge.SetMin(70);  // no higher than Max
    EXPECT_EQ(gauge.Min(), 50u);
    gauge.SetMin(20);
    gauge.SetMax(10);  // no lower than Min
    EXPECT_EQ(gauge.Max(), 20u);
    EXPECT_EQ(gauge.Position(), 20u);
    gauge.SetPosition(0);
    EXPECT_EQ(gauge.Position(), 20u);
}

TEST_F(TrayGaugeTest, TheHintIsCutTo62Characters) {
    gauge.SetActive(true);
    gauge.SetHint(std::string(70, 'g'));
    EXPECT_EQ(gauge.Hint(), std::string(62, 'g'));
    EXPECT_EQ(shell.Last().tip, std::string(62, 'g'));
}

TEST_F(TrayGaugeTest, ProgressInHintPutsThePercentageIntoThePlaceholder) {
    gauge.SetActive(true);
    gauge.SetHint("CPU %s");
    gauge.SetPosition(42);
    EXPECT_EQ(shell.Last().tip, "CPU %s");  // not asked for yet
    gauge.SetProgressInHint(true);
    EXPECT_EQ(shell.Last().tip, "CPU 42%");
    gauge.SetHint("load %S");
    EXPECT_EQ(shell.Last().tip, "load 42%");
    // User text with other sequences is shown as text, not formatted.
    gauge.SetHint("%d%x %s %s");
    EXPECT_EQ(shell.Last().tip, "%d%x 42% %s");
    // Without a placeholder the hint stands as it is.
    gauge.SetHint("100%% busy");
    EXPECT_EQ(shell.Last().tip, "100%% busy");
}

TEST_F(TrayGaugeTest, TheFullReadingShowsTheMaxIconItself) {
    _bitmap picture(16, 16);
    picture.Canvas().SetBrush(0x0000FF);
    picture.Canvas().FillRect(_rect::Bounds(0, 0, 16, 16));
    const _icon full = _icon::FromBitmap(picture, COLOR_FUCHSIA);
    gauge.SetActive(true);
    gauge.SetMaxIcon(full);
    const HICON kept = gauge.MaxIcon().Handle();
    ASSERT_NE(kept, nullptr);
    EXPECT_NE(shell.Last().icon, kept);  // Position is not Max yet
    const std::size_t before = shell.calls.size();
    gauge.SetMaxIcon(full);  // not at Max: stored without an update
    EXPECT_EQ(shell.calls.size(), before);
    gauge.SetPosition(100);
    EXPECT_EQ(shell.Last().icon, gauge.MaxIcon().Handle());
    gauge.SetPosition(99);
    EXPECT_NE(shell.Last().icon, gauge.MaxIcon().Handle());
    const IconParts bars = ReadIcon(shell.Last().icon);
    EXPECT_TRUE(bars.maskOpaque);
}

TEST_F(TrayGaugeTest, BeOSPictureUsesTheGaugeColoursPerBar) {
    gauge.SetForeColor1(0x0000FF);
    gauge.SetForeColor2(0x00FF00);
    gauge.SetBackColor(0x111111);
    gauge.SetBorderColor(0x222222);
    gauge.SetPosition(50);
    gauge.SetPosition2(100);
    const _bitmap& p = gauge.Picture();
    EXPECT_EQ(p.Pixel(0, 5), 0x222222u);
    EXPECT_EQ(p.Pixel(9, 5), 0x222222u);
    EXPECT_EQ(p.Pixel(3, 7), 0x111111u);
    EXPECT_EQ(p.Pixel(3, 8), 0x0000FFu);
    EXPECT_EQ(p.Pixel(12, 1), 0x00FF00u);
    EXPECT_EQ(p.Pixel(7, 4), static_cast<_color>(ToRGB(SYSCOLOR_BTNFACE)));

    gauge.SetLook(TRAY_GAUGE_NT);
    gauge.SetStripColor1(0x444444);
    EXPECT_EQ(p.Pixel(10, 2), 0x00FF00u);  // lit at 100
    EXPECT_EQ(p.Pixel(2, 8), 0x0000FFu);   // 50: 7 rows counted, rows 14, 12, 10, 8 lit
    EXPECT_EQ(p.Pixel(2, 6), 0x444444u);   // unlit: the bar's own strip colour
    EXPECT_EQ(p.Pixel(2, 5), 0x111111u);
    EXPECT_EQ(p.Pixel(0, 5), COLOR_GRAY);  // the frame, not the border colour
}

TEST_F(TrayGaugeTest, MouseCodesReachTheEvents) {
    int clicks = 0, doubles = 0, rights = 0;
    gauge.OnClick = [&](_component& sender) { clicks += &sender == &gauge; };
    gauge.OnDblClick = [&](_component& sender) { doubles += &sender == &gauge; };
    gauge.OnRightClick = [&](_component&, _traymousebutton button, _trayshift, int, int) {
        rights += button == TRAY_BUTTON_RIGHT;
    };
    SendMessageA(gauge.NotifyWindow(), 1025, 0, WM_LBUTTONUP);
    SendMessageA(gauge.NotifyWindow(), 1025, 0, WM_LBUTTONDBLCLK);
    SendMessageA(gauge.NotifyWindow(), 1025, 0, WM_RBUTTONUP);
    SendMessageA(gauge.NotifyWindow(), 1025, 0, WM_RBUTTONDOWN);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(rights, 1);
}

TEST(TrayGaugeOnTheSystemShell, ActivatingAddsTheIcon) {
    const _livehandles before = _livehandles::Now();
    {
        _component form;
        _traygauge& gauge = form.Make<_traygauge>();
        gauge.SetHint("CPU %s");
        gauge.SetProgressInHint(true);
        gauge.SetActive(true);
        EXPECT_FALSE(gauge.ExplorerError());
        gauge.SetPosition(25);
        gauge.SetPosition2(75);
        EXPECT_EQ(gauge.ShownTip(), "CPU 25%");
        gauge.SetActive(false);
    }
    EXPECT_EQ(_livehandles::Now(), before);
}

}  // namespace
}  // namespace corvex
