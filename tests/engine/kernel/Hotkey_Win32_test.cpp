// The global hot key: registered while enabled and given a key; its
// message, and only its, raises the event.

#include "Hotkey_Win32.h"

#include <gtest/gtest.h>

namespace corvex::test {
namespace {

TEST(Hotkey, RegistersWhileEnabledAndAnswersOnlyItsOwnMessage) {
    EXPECT_EQ(HotKeyModifiers(0xC057), static_cast<UINT>(MOD_CONTROL | MOD_ALT));
    EXPECT_EQ(HotKeyModifiers(0x2041), static_cast<UINT>(MOD_SHIFT));

    _component owner;
    _hotkey& hotkey = owner.Make<_hotkey>();
    int pressed = 0;
    hotkey.OnHotKey = [&](_component&) { ++pressed; };
    EXPECT_FALSE(hotkey.Registered());  // no key yet
    hotkey.SetHotKey(0xC057);           // Ctrl+Alt+W
    if (!hotkey.Registered()) GTEST_SKIP() << "global hot keys cannot be registered here";

    // A second holder of the same combination is refused and says so.
    _hotkey& other = owner.Make<_hotkey>();
    other.SetHotKey(0xC057);
    EXPECT_FALSE(other.Registered());

    const ATOM id = GlobalFindAtomA("Hotkey_Win32 atom");
    SendMessageA(hotkey.WindowHandle(), WM_HOTKEY, id, 0);
    EXPECT_EQ(pressed, 1);
    SendMessageA(hotkey.WindowHandle(), WM_HOTKEY, id + 1, 0);
    SendMessageA(hotkey.WindowHandle(), WM_KEYDOWN, 'W', 0);
    EXPECT_EQ(pressed, 1);

    hotkey.SetEnabled(false);
    EXPECT_FALSE(hotkey.Registered());
    // Freed, the combination can be taken by another.
    other.SetHotKey(0);
    other.SetHotKey(0xC057);
    EXPECT_TRUE(other.Registered());
    owner.Destroy(&other);
    hotkey.SetEnabled(true);
    EXPECT_TRUE(hotkey.Registered());
    hotkey.SetHotKey(0x6051);  // Ctrl+Shift+Q: the old one goes, the new one comes
    EXPECT_TRUE(hotkey.Registered());
    EXPECT_EQ(hotkey.Key(), 0x6051);
}

}  // namespace
}  // namespace corvex::test
