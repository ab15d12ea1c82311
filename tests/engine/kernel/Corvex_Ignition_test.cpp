// The ignition window on the private display.

#include "Corvex_Ignition.h"

#include <gtest/gtest.h>

#include "Label.h"

namespace corvex::test {
namespace {

TEST(IgnitionTest, OpensAFixedTopmostCentredWindowWithItsLabel) {
    const long windows = _wincontrol::LiveWindows();
    _ignite ignite;
    EXPECT_EQ(ignite.SetText("early"), _ERROR);  // no window yet
    ASSERT_EQ(ignite.Open(), _OK);
    TIGNITE* window = ignite.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ignite.Open(), _OK);
    EXPECT_EQ(ignite.Window(), window);  // a second Open makes no second window

    EXPECT_EQ(window->Caption(), "Corvex ignition...");
    EXPECT_EQ(window->ClientWidth(), 365);
    EXPECT_EQ(window->ClientHeight(), 36);
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    const LONG_PTR style = GetWindowLongPtrA(window->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);  // fixed border
    EXPECT_TRUE(GetWindowLongPtrA(window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int centre = (work.left + work.right) / 2;
    EXPECT_NEAR(window->Left() + window->Width() / 2, centre, 1);

    EXPECT_EQ(window->IgnitionLABEL.Caption(), "...");
    EXPECT_EQ(window->IgnitionLABEL.BoundsRect(), _rect::Bounds(8, 8, 345, 13));
    EXPECT_FALSE(window->IgnitionLABEL.AutoSize());

    // Start-up runs without a message loop: the label is painted before
    // SetText returns, nothing is left for a paint message.
    ASSERT_EQ(ignite.SetText("Plugging CPU Sentinel"), _OK);
    EXPECT_EQ(window->IgnitionLABEL.Caption(), "Plugging CPU Sentinel");
    EXPECT_FALSE(GetUpdateRect(window->Handle(), nullptr, FALSE));

    EXPECT_EQ(ignite.Close(), _OK);
    EXPECT_EQ(ignite.Window(), nullptr);
    EXPECT_EQ(_wincontrol::LiveWindows(), windows);
    EXPECT_EQ(ignite.SetText("late"), _ERROR);
}

TEST(IgnitionTest, DestroyingTheComponentClosesItsWindow) {
    const long windows = _wincontrol::LiveWindows();
    HWND handle = nullptr;
    {
        _ignite ignite;
        ignite.Open();
        handle = ignite.Window()->Handle();
        EXPECT_TRUE(IsWindow(handle));
    }
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(_wincontrol::LiveWindows(), windows);
}

}  // namespace
}  // namespace corvex::test
