#pragma once
// Key presses as a user makes them: through the system's input queue, so
// that hot keys and focus rules apply.

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace corvex::test {

// Presses `keys` down in order and lets them go in reverse order, e.g.
// {VK_CONTROL, VK_MENU, 'W'} for Ctrl+Alt+W. False when the system took
// fewer events than sent.
inline bool PressChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> events(keys.size() * 2);
    std::size_t down = 0, up = events.size();
    for (const WORD key : keys) {
        events[down].type = events[up - 1].type = INPUT_KEYBOARD;
        events[down].ki.wVk = events[up - 1].ki.wVk = key;
        events[up - 1].ki.dwFlags = KEYEVENTF_KEYUP;
        ++down;
        --up;
    }
    const UINT count = static_cast<UINT>(events.size());
    return SendInput(count, events.data(), sizeof(INPUT)) == count;
}

}  // namespace corvex::test
