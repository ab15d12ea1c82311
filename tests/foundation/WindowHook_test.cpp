#include "WindowHook.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvex {
namespace {

constexpr UINT kPing = WM_APP + 1;

LRESULT CALLBACK Original(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kPing) return 100;
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

HWND MakeWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Original;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "CorvexHookTest";
    RegisterClassA(&wc);  // a second registration fails harmlessly
    return CreateWindowExA(0, "CorvexHookTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TEST(WindowHookTest, StackedHooksSeeMessagesInnermostFirstAndComeOffInReverse) {
    const HWND window = MakeWindow();
    ASSERT_TRUE(window);
    std::vector<std::string> seen;
    auto outer = std::make_unique<_windowhook>(window, [&seen](HWND, UINT m, WPARAM w, LPARAM, LRESULT& r) {
        if (m != kPing) return false;
        seen.push_back("outer");
        if (w == 1) {
            r = 1;
            return true;
        }
        return false;
    });
    auto inner = std::make_unique<_windowhook>(window, [&seen](HWND, UINT m, WPARAM w, LPARAM, LRESULT& r) {
        if (m != kPing) return false;
        seen.push_back("inner");
        if (w == 2) {
            r = 2;
            return true;
        }
        return false;
    });
    EXPECT_EQ(SendMessageA(window, kPing, 0, 0), 100);  // through both to the original
    EXPECT_EQ(SendMessageA(window, kPing, 1, 0), 1);
    EXPECT_EQ(SendMessageA(window, kPing, 2, 0), 2);
    EXPECT_EQ(seen, (std::vector<std::string>{"inner", "outer", "inner", "outer", "inner"}));

    inner.reset();
    seen.clear();
    EXPECT_EQ(SendMessageA(window, kPing, 2, 0), 100);
    EXPECT_EQ(seen, (std::vector<std::string>{"outer"}));
    outer.reset();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), &Original);
    DestroyWindow(window);
}

// Handlers that let the window act first pass the message on themselves;
// with two such hooks on one window each still sees it once.
TEST(WindowHookTest, HandlersPassingTheMessageOnThemselvesReachEveryHook) {
    const HWND window = MakeWindow();
    ASSERT_TRUE(window);
    std::vector<LRESULT> seen;
    const auto passOn = [&seen](std::unique_ptr<_windowhook>& self) {
        return [&seen, &self](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT& r) {
            if (m != kPing) return false;
            r = self->CallPrevious(h, m, w, l) + 1;
            seen.push_back(r);
            return true;
        };
    };
    std::unique_ptr<_windowhook> first, second;
    first = std::make_unique<_windowhook>(window, passOn(first));
    second = std::make_unique<_windowhook>(window, passOn(second));
    EXPECT_EQ(SendMessageA(window, kPing, 0, 0), 102);
    EXPECT_EQ(seen, (std::vector<LRESULT>{101, 102}));
    second.reset();
    first.reset();
    DestroyWindow(window);
}

TEST(WindowHookTest, AHookOutlivingItsWindowLeavesTheNextWindowAlone) {
    const HWND window = MakeWindow();
    int destroyedSeen = 0;
    auto hook =
        std::make_unique<_windowhook>(window, [&destroyedSeen](HWND, UINT m, WPARAM, LPARAM, LRESULT&) {
            if (m == WM_NCDESTROY) ++destroyedSeen;
            return false;
        });
    DestroyWindow(window);
    EXPECT_EQ(destroyedSeen, 1);
    EXPECT_EQ(hook->Window(), nullptr);
    const HWND next = MakeWindow();
    hook.reset();  // must not put a procedure on whatever window exists now
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(next, GWLP_WNDPROC)), &Original);
    EXPECT_EQ(SendMessageA(next, kPing, 0, 0), 100);
    DestroyWindow(next);
}

}  // namespace
}  // namespace corvex
