#pragma once
// Drives a companion panel from a second thread while the test's own
// thread sits in the call that shows it.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

namespace corvex::test {

struct _panelsearch {
    const char* windowClass;
    HWND found;
};

inline BOOL CALLBACK MatchPanel(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<_panelsearch*>(param);
    char name[64] = {};
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != search.windowClass) return TRUE;
    search.found = window;
    return FALSE;
}

// The shown top-level window of `windowClass` that belongs to this process,
// waiting up to `timeoutMs` for it; nullptr when none came.
inline HWND WaitForPanel(const char* windowClass, DWORD timeoutMs = 10000) {
    _panelsearch search{windowClass, nullptr};
    const DWORD start = GetTickCount();
    do {
        EnumWindows(&MatchPanel, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

inline std::string TextOf(HWND window) {
    if (!window) return "<no window>";
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

inline std::string ItemText(HWND panel, int id) { return TextOf(GetDlgItem(panel, id)); }

// Runs `look` on a second thread as soon as the panel of `windowClass` is
// shown, while `show` (which returns when the panel is closed) runs here.
// `look` is expected to close the panel; a panel it leaves open is closed
// after a while, so that a failing test does not hang.
template <class Show>
auto WhileShown(const char* windowClass, Show show, const std::function<void(HWND)>& look) {
    bool seen = false;
    std::thread watcher([&] {
        const HWND panel = WaitForPanel(windowClass);
        if (!panel) return;
        seen = true;
        look(panel);
        for (int i = 0; i < 250 && IsWindow(panel); ++i) Sleep(20);
        if (IsWindow(panel)) {
            ADD_FAILURE() << windowClass << " was still open";
            PostMessageA(panel, WM_CLOSE, 0, 0);
        }
    });
    const auto result = show();
    watcher.join();
    EXPECT_TRUE(seen) << "no " << windowClass << " window was shown";
    return result;
}

// Key presses arrive at the control with the focus, through the panel's
// own message loop.
inline void PressKey(HWND panel, WPARAM key) {
    const HWND target = GetDlgItem(panel, IDOK);
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

}  // namespace corvex::test
