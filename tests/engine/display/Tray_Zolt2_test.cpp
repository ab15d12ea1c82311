// The general notification-area icon on a real hidden window: its two
// pictures read back from the colour bitmap and from the icon handed to
// the shell, the calls the shell gets, and the mouse notifications.
#include "Tray_Zolt2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Canvas.h"
#include "Menu.h"
#include "engine/display/TrayTesting.h"

namespace corvex {
namespace {

using namespace corvex::test;

constexpr _color kFore0 = 0x0000FF, kFore1 = 0x00FF00;
constexpr _color kBack0 = 0x123456, kBack1 = 0x204060;
constexpr _color kStrip0 = 0x654321, kStrip1 = 0x604020;

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        tray.SetShellNotify(shell.Function());
        Colour(0, kFore0, kBack0, kStrip0);
        Colour(1, kFore1, kBack1, kStrip1);
    }
    void Colour(int index, _color fore, _color back, _color strip) {
        _traybar& bar = *tray.KERNEL_GetBar(index);
        bar.SetForeColor(fore);
        bar.SetBackColor(back);
        bar.SetStripColor(strip);
    }
    _traybar& Bar(int index) { return *tray.KERNEL_GetBar(index); }

    // Every pixel of the colour bitmap, and the same pixels in the icon the
    // shell was last given.
    void ExpectPicture(_color (*expected)(int x, int y, const std::uint32_t positions[2]),
                       std::uint32_t position0, std::uint32_t position1) {
        const std::uint32_t positions[2] = {position0, position1};
        const IconParts icon = ReadIcon(tray.IconHandle());
        ASSERT_EQ(icon.width, 16);
        ASSERT_EQ(icon.height, 16);
        EXPECT_TRUE(icon.maskOpaque);
        ASSERT_FALSE(shell.calls.empty());
        EXPECT_EQ(shell.Last().icon, tray.IconHandle());
        int wrong = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const _color want = expected(x, y, positions);
                if (tray.Picture().Pixel(x, y) != want && wrong++ < 8)
                    ADD_FAILURE() << "bitmap (" << x << ", " << y << ") " << std::hex
                                  << tray.Picture().Pixel(x, y) << " instead of " << want;
                if (FromBits(icon.colour[static_cast<std::size_t>(y * 16 + x)]) != want && wrong++ < 8)
                    ADD_FAILURE() << "icon (" << x << ", " << y << ") " << std::hex
                                  << FromBits(icon.colour[static_cast<std::size_t>(y * 16 + x)])
                                  << " instead of " << want;
            }
        EXPECT_EQ(wrong, 0);
    }

    RecordingShell shell;
    _component form;
    _tray& tray = form.Make<_tray>();
};

// The NT look, spelled out: sunken frames (gray top and left, silver right
// and bottom), rows alternating back and strip colour, and every other row
// from the bottom lit: 14 * position / 100 rows counted, odd ones lit.
_color NTPixel(int x, int y, const std::uint32_t positions[2]) {
    const int bar = x < 8 ? 0 : 1;
    const int column = x - bar * 8;
    if (column == 7 || (y == 15 && column >= 1)) return COLOR_SILVER;
    if (column == 0 || y == 0) return COLOR_GRAY;
    const int lit = static_cast<int>(14 * positions[bar] / 100);
    if (y % 2 == 0 && 15 - y <= lit) return bar == 0 ? kFore0 : kFore1;
    if (y % 2 == 1) return bar == 0 ? kBack0 : kBack1;
    return bar == 0 ? kStrip0 : kStrip1;
}

TEST_F(TrayTest, NTLookLightsEveryOtherRowFromTheBottom) {
    tray.SetStyle(TRAY_GAUGE_NT);
    Bar(0).SetPosition(7);
    Bar(1).SetPosition(8);
    // 7 lights nothing, 8 lights row 14 alone.
    EXPECT_EQ(tray.Picture().Pixel(3, 14), kStrip0);
    EXPECT_EQ(tray.Picture().Pixel(11, 14), kFore1);
    EXPECT_EQ(tray.Picture().Pixel(11, 12), kStrip1);
    ExpectPicture(NTPixel, 7, 8);

    Bar(0).SetPosition(100);
    for (int y = 2; y <= 14; y += 2) EXPECT_EQ(tray.Picture().Pixel(1, y), kFore0) << y;
    ExpectPicture(NTPixel, 100, 8);
}

// The BeOS look: black outlines, solid bars filled from the bottom to
// round-half-even(15 - position * 14 / 100), button face between them.
_color BeOSPixel(int x, int y, const std::uint32_t positions[2]) {
    if (x == 7 || x == 8) return ToRGB(SYSCOLOR_BTNFACE);
    const int bar = x < 8 ? 0 : 1;
    const int column = bar == 0 ? x : x - 9;
    if (column == 0 || column == 6 || y == 0 || y == 15) return COLOR_BLACK;
    const int top = positions[bar] == 50 ? 8 : positions[bar] == 100 ? 1 : 15;
    if (y >= top) return bar == 0 ? kFore0 : kFore1;
    return kBack0;  // one back colour would do; each bar has its own here
}

_color BeOSPixelOwnBacks(int x, int y, const std::uint32_t positions[2]) {
    const _color pixel = BeOSPixel(x, y, positions);
    if (pixel == kBack0 && x >= 9) return kBack1;
    return pixel;
}

TEST_F(TrayTest, BeOSLookFillsSolidBarsBetweenOutlines) {
    tray.SetStyle(TRAY_GAUGE_BEOS);
    // Nothing lit at 0: both bars all back colour inside their outlines.
    ExpectPicture(BeOSPixelOwnBacks, 0, 0);
    Bar(0).SetPosition(50);
    Bar(1).SetPosition(100);
    EXPECT_EQ(tray.Picture().Pixel(3, 8), kFore0);
    EXPECT_EQ(tray.Picture().Pixel(3, 7), kBack0);
    ExpectPicture(BeOSPixelOwnBacks, 50, 100);
}

// A picture of one colour as an icon.
_icon PlainIcon(_color colour) {
    _bitmap picture(16, 16);
    picture.Canvas().SetBrush(colour);
    picture.Canvas().FillRect(_rect::Bounds(0, 0, 16, 16));
    return _icon::FromBitmap(picture, COLOR_FUCHSIA);
}

TEST_F(TrayTest, IconStyleHandsTheShellACopyAndAddsOnlyOnce) {
    // No icon yet: the shell gets an empty icon, added once by the first
    // of the colour changes of SetUp and only modified after that.
    EXPECT_EQ(shell.Count(NIM_ADD), 1);
    EXPECT_EQ(shell.Count(NIM_MODIFY), 6);
    shell.calls.clear();
    tray.SetHint("a");
    tray.SetHint("b");
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_MODIFY, NIM_MODIFY}));
    EXPECT_EQ(shell.Last().icon, nullptr);
    EXPECT_EQ(shell.Last().tip, "b");

    const _icon picture = PlainIcon(0x00C0FF);
    tray.SetIcon(picture);
    ASSERT_NE(shell.Last().icon, nullptr);
    EXPECT_NE(shell.Last().icon, picture.Handle());
    EXPECT_NE(tray.Icon().Handle(), picture.Handle());
    const IconParts shown = ReadIcon(shell.Last().icon);
    ASSERT_EQ(shown.colour.size(), 256u);
    EXPECT_EQ(FromBits(shown.colour[0]), 0x00C0FFu);
    EXPECT_EQ(FromBits(shown.colour[255]), 0x00C0FFu);
}

TEST_F(TrayTest, ABarPositionIsClampedAndAnUnchangedValueRefreshesNothing) {
    tray.SetStyle(TRAY_GAUGE_NT);
    const int before = shell.Count(NIM_MODIFY);
    Bar(0).SetPosition(150);
    EXPECT_EQ(Bar(0).Position(), 100u);
    Bar(0).SetPosition(150);
    Bar(0).SetPosition(100);
    EXPECT_EQ(shell.Count(NIM_MODIFY), before + 1);
    Bar(1).SetForeColor(kFore1);  // the same colour again
    EXPECT_EQ(shell.Count(NIM_MODIFY), before + 1);
    Bar(1).SetPosition(0);
    EXPECT_EQ(shell.Count(NIM_MODIFY), before + 1);
    EXPECT_EQ(Bar(0).Min(), 0u);
    EXPECT_EQ(Bar(0).Max(), 100u);
}

TEST_F(TrayTest, HidingDeletesTheIconAndShowingAddsItAnew) {
    tray.SetStyle(TRAY_GAUGE_BEOS);
    ASSERT_NE(tray.IconHandle(), nullptr);
    shell.calls.clear();
    tray.SetVisible(false);
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_DELETE}));
    EXPECT_EQ(tray.IconHandle(), nullptr);
    EXPECT_EQ(tray.Art(), 0);
    // Changes while hidden reach no shell.
    Bar(0).SetPosition(30);
    tray.SetHint("hidden");
    EXPECT_EQ(shell.calls.size(), 1u);
    tray.SetVisible(true);
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_DELETE, NIM_ADD, NIM_MODIFY}));
    EXPECT_EQ(shell.Last().tip, "hidden");
    EXPECT_EQ(tray.Art(), TRAY_ACTIVE);
}

TEST_F(TrayTest, ARefusedModifyIsLoggedOnceAndTheIconAddedAgain) {
    LogFile log;
    tray.SetStyle(TRAY_GAUGE_BEOS);
    EXPECT_FALSE(tray.ExplorerError());
    shell.calls.clear();
    shell.refuseModify = 1;  // the shell has restarted and knows no icon of ours
    Bar(0).SetPosition(40);
    EXPECT_TRUE(tray.ExplorerError());
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_MODIFY, NIM_ADD}));
    Bar(0).SetPosition(41);
    EXPECT_FALSE(tray.ExplorerError());
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_MODIFY, NIM_ADD, NIM_MODIFY}));
    EXPECT_EQ(log.Occurrences("DEBUG: 1: _tray.KERNEL_UpdateIcon: could not modify icon. Explorer must have died"), 1)
        << log.Text();
}

TEST_F(TrayTest, AnUnchangedPictureReachesNoShellAndANewShellGetsTheIconAgain) {
    tray.SetStyle(TRAY_GAUGE_BEOS);
    Bar(0).SetPosition(30);
    shell.calls.clear();
    Bar(0).SetPosition(31);  // the same rows of the bar
    EXPECT_TRUE(shell.calls.empty());
    Bar(0).SetPosition(50);
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_MODIFY}));
    ExpectPicture(BeOSPixelOwnBacks, 50, 0);
    SendMessageA(tray.NotifyWindow(), tray.TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_MODIFY, NIM_ADD, NIM_MODIFY}));
    tray.SetVisible(false);
    shell.calls.clear();
    SendMessageA(tray.NotifyWindow(), tray.TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(TrayTest, TheHintIsCutTo63Characters) {
    tray.SetHint(std::string(70, 'h'));
    EXPECT_EQ(tray.Hint(), std::string(63, 'h'));
    EXPECT_EQ(shell.Last().tip, std::string(63, 'h'));
}

TEST_F(TrayTest, BarIndicesOutsideZeroAndOneGiveNoBarAndNegativeOnesAreReported) {
    LogFile log;
    EXPECT_EQ(tray.KERNEL_GetBar(2), nullptr);
    EXPECT_EQ(tray.KERNEL_GetBar(-1), nullptr);
    EXPECT_NE(tray.KERNEL_GetBar(1), tray.KERNEL_GetBar(0));
    EXPECT_EQ(log.Occurrences("_tray.KERNEL_GetBar(-1): invalid index"), 1) << log.Text();
    EXPECT_EQ(log.Occurrences("KERNEL_GetBar(2)"), 0);
}

TEST(TrayBar, ABarWithoutATrayOwnerIsReportedAndStillKeepsItsValues) {
    LogFile log;
    _component owner;
    _traybar& bar = owner.Make<_traybar>();
    EXPECT_EQ(bar.Tray(), nullptr);
    bar.SetPosition(500);
    EXPECT_EQ(bar.Position(), 100u);
    bar.SetForeColor(0x123456);
    EXPECT_EQ(bar.ForeColor(), 0x123456u);
    EXPECT_EQ(log.Occurrences("ASSERT: 0: _traybar.Create: AOwner is not _tray"), 1) << log.Text();
}

// ---- mouse notifications through the hidden window

TEST_F(TrayTest, ShellMouseCodesReachTheEvents) {
    std::vector<std::string> seen;
    tray.OnClick = [&](_component& sender) { seen.push_back(&sender == &tray ? "click" : "?"); };
    tray.OnDblClick = [&](_component& sender) { seen.push_back(&sender == &tray ? "double" : "?"); };
    POINT cursor{};
    tray.OnRightClick = [&](_component& sender, _traymousebutton button, _trayshift shift, int x, int y) {
        GetCursorPos(&cursor);
        EXPECT_EQ(&sender, &tray);
        EXPECT_EQ(button, TRAY_BUTTON_RIGHT);
        EXPECT_EQ(shift, 0);
        EXPECT_EQ(x, cursor.x);
        EXPECT_EQ(y, cursor.y);
        seen.push_back("right");
    };
    const HWND window = tray.NotifyWindow();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    SetCursorPos(40, 30);
    SendMessageA(window, 1025, 0, WM_LBUTTONUP);
    SendMessageA(window, 1025, 0, WM_LBUTTONDBLCLK);
    SendMessageA(window, 1025, 0, WM_RBUTTONUP);
    SendMessageA(window, 1025, 0, WM_MOUSEMOVE);
    SendMessageA(window, 1025, 0, WM_LBUTTONDOWN);
    EXPECT_EQ(seen, (std::vector<std::string>{"click", "double", "right"}));
}

TEST_F(TrayTest, MessageTenTwentySixShowsTheHintAgain) {
    tray.SetHint("Corvex");
    const std::size_t before = shell.calls.size();
    SendMessageA(tray.NotifyWindow(), 1026, 0, 0);
    ASSERT_EQ(shell.calls.size(), before + 1);
    EXPECT_EQ(shell.Last().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(shell.Last().tip, "Corvex");
}

// Closes whatever menu is open once the menu's own loop runs.
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EndMenu();
}

TEST_F(TrayTest, ARightClickShowsThePopupMenuBeforeTheEvent) {
    _popupmenu& menu = form.Make<_popupmenu>();
    menu.Items().Add("Show");
    std::vector<std::string> seen;
    menu.OnPopup = [&] {
        seen.push_back("menu");
        SetTimer(nullptr, 0, 50, CloseMenu);
    };
    tray.OnRightClick = [&](_component&, _traymousebutton, _trayshift, int, int) { seen.push_back("event"); };
    tray.SetPopupMenu(&menu);
    SendMessageA(tray.NotifyWindow(), 1025, 0, WM_RBUTTONUP);
    EXPECT_EQ(seen, (std::vector<std::string>{"menu", "event"}));
    // A menu that goes is forgotten.
    form.Destroy(&menu);
    EXPECT_EQ(tray.PopupMenu(), nullptr);
    SendMessageA(tray.NotifyWindow(), 1025, 0, WM_RBUTTONUP);
    EXPECT_EQ(seen.size(), 3u);
}

// ---- the real shell

TEST(TrayOnTheSystemShell, TheIconComesAndGoesWithoutLeakingHandles) {
    const _livehandles before = _livehandles::Now();
    {
        _component form;
        _tray& tray = form.Make<_tray>();
        tray.SetHint("Corvex");
        tray.SetStyle(TRAY_GAUGE_BEOS);
        tray.KERNEL_GetBar(0)->SetPosition(60);
        EXPECT_NE(tray.IconHandle(), nullptr);
        tray.SetVisible(false);
        EXPECT_EQ(tray.IconHandle(), nullptr);
        tray.SetVisible(true);
        EXPECT_NE(tray.IconHandle(), nullptr);
    }
    EXPECT_EQ(_livehandles::Now(), before);
}

}  // namespace
}  // namespace corvex
