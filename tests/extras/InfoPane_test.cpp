// infopane32.dll as the engine uses it: _about loads it from beside this
// program and calls "KERNEL_Go", which shows the about box until it is
// closed. A second thread reads the box and closes it.

#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "About_Launcher_Zolt2.h"
#include "PanelIds.h"
#include "WinHandle.h"
#include "extras/PanelWatch.h"

namespace corvex::test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

// A 16 x 16 icon of plain red.
_iconhandle RedIcon() {
    DWORD pixels[16 * 16];
    for (DWORD& pixel : pixels) pixel = 0xFFFF0000;  // opaque red, as BGRA in memory
    const BYTE maskBits[16 * 16 / 8] = {};            // 0 everywhere: no pixel shows through
    const _bitmaphandle colour(CreateBitmap(16, 16, 1, 32, pixels));
    const _bitmaphandle mask(CreateBitmap(16, 16, 1, 1, maskBits));
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    return _iconhandle(CreateIconIndirect(&info));
}

// A top-level window of this thread, active, as the engine's bar is when
// its menu command runs.
class ActiveOwner {
public:
    ActiveOwner() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "CorvexTestOwner";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, "owner", WS_OVERLAPPEDWINDOW, 40, 40, 200, 100, nullptr,
                                  nullptr, wc.hInstance, nullptr);
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
        SetActiveWindow(window_);
    }
    ~ActiveOwner() { DestroyWindow(window_); }
    ActiveOwner(const ActiveOwner&) = delete;
    ActiveOwner& operator=(const ActiveOwner&) = delete;
    HWND Handle() const noexcept { return window_; }

private:
    HWND window_ = nullptr;
};

// Polls a pixel of the panel until it has the colour or a while has passed
// (the panel paints right after it is shown).
bool PixelBecomes(HWND panel, int x, int y, COLORREF colour) {
    for (int i = 0; i < 100; ++i) {
        const HDC dc = GetDC(panel);
        const COLORREF seen = GetPixel(dc, x, y);
        ReleaseDC(panel, dc);
        if (seen == colour) return true;
        Sleep(20);
    }
    return false;
}

class InfoPane : public ::testing::Test {
protected:
    void SetUp() override {
        about_.SetNotice([this](const std::string& text) { told_ = text; });
    }
    _component owner_;
    _about& about_ = owner_.Make<_about>();
    std::string told_;
};

TEST_F(InfoPane, ShowsWhatTheEngineHandsOverModallyOverTheActiveWindow) {
    const ActiveOwner owner;
    ASSERT_EQ(GetActiveWindow(), owner.Handle());
    const _iconhandle icon = RedIcon();
    ASSERT_TRUE(icon);
    about_.SetAppName("corvex & co");
    about_.SetVersion("0.5.3 build:1");
    about_.SetBuild(7);
    about_.SetIcon(icon.get());
    about_.Info() = {"first line", "", "third line"};
    std::tm local{};
    const std::time_t compiled = about_.Compiled();
    local = *std::localtime(&compiled);

    const _result result = WhileShown(
        INFOPANE_CLASS, [&] { return about_.Execute(); },
        [&](HWND panel) {
            EXPECT_EQ(TextOf(panel), "About corvex & co");
            EXPECT_EQ(ItemText(panel, INFOPANE_NAME), "corvex & co");
            EXPECT_EQ(ItemText(panel, INFOPANE_VERSION), "version 0.5.3 build:1");
            EXPECT_EQ(ItemText(panel, INFOPANE_BUILD), "build 7");
            const std::string when = ItemText(panel, INFOPANE_COMPILED);
            EXPECT_EQ(when.rfind("compiled ", 0), 0u) << when;
            EXPECT_NE(when.find(std::to_string(local.tm_year + 1900)), std::string::npos) << when;
            EXPECT_EQ(ItemText(panel, INFOPANE_INFO), "first line\r\n\r\nthird line");

            // Modal: owned by the caller's window, which is disabled meanwhile.
            EXPECT_EQ(GetWindow(panel, GW_OWNER), owner.Handle());
            EXPECT_FALSE(IsWindowEnabled(owner.Handle()));

            // The 16 x 16 icon is drawn at 32 x 32 in the top-left corner.
            EXPECT_TRUE(PixelBecomes(panel, 12, 12, kRed));
            EXPECT_TRUE(PixelBecomes(panel, 12 + 31, 12 + 31, kRed));
            const HDC dc = GetDC(panel);
            EXPECT_NE(GetPixel(dc, 12 + 33, 12 + 16), kRed);
            ReleaseDC(panel, dc);

            SendMessageA(GetDlgItem(panel, IDOK), BM_CLICK, 0, 0);
        });
    EXPECT_EQ(result, _OK);
    EXPECT_EQ(told_, "");
    // Back as it was: the owner enabled and active again, the box gone.
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_EQ(GetActiveWindow(), owner.Handle());
    EXPECT_EQ(FindWindowA(INFOPANE_CLASS, nullptr), nullptr);
}

TEST_F(InfoPane, WithoutIconOrInfoAndClosedByTheKeyboard) {
    // The longest name the length byte allows, read to its last character.
    const std::string longest(255, 'n');
    about_.SetAppName(longest);
    about_.SetIcon(nullptr);
    const WPARAM keys[] = {VK_RETURN, VK_ESCAPE};
    for (const WPARAM key : keys) {
        SCOPED_TRACE(key == VK_RETURN ? "Enter" : "Esc");
        const _result result = WhileShown(
            INFOPANE_CLASS, [&] { return about_.Execute(); },
            [&](HWND panel) {
                EXPECT_EQ(ItemText(panel, INFOPANE_NAME), longest);
                EXPECT_EQ(ItemText(panel, INFOPANE_VERSION), "version 0.0.1");
                EXPECT_EQ(GetDlgItem(panel, INFOPANE_INFO), nullptr);
                PressKey(panel, key);
            });
        EXPECT_EQ(result, _OK);
    }
}

// A quit message that arrives while the box is open ends the box, and the
// caller's message loop still gets it.
TEST_F(InfoPane, AQuitMessageEndsTheBoxAndIsPassedOn) {
    MSG stale{};
    while (PeekMessageA(&stale, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    const DWORD thread = GetCurrentThreadId();
    const _result result = WhileShown(INFOPANE_CLASS, [&] { return about_.Execute(); },
                                      [&](HWND) { PostThreadMessageA(thread, WM_QUIT, 5, 0); });
    EXPECT_EQ(result, _OK);
    MSG quit{};
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 5u);
}

}  // namespace
}  // namespace corvex::test
