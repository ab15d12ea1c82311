#include "SpeederLayout.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

// A Speeder row in a band 226 pixels wide, as a Sentinel lays it out.
constexpr int kLeft = 3, kPanelWidth = 226, kWidth = kPanelWidth - 7;

TEST(SpeederLayout, DefaultRow) {
    const _speederlayoutinput in;
    const _speederlayout out = ArrangeSpeeder(in, kLeft, 40, kWidth);
    EXPECT_EQ(out.area.left, kLeft + 45);
    EXPECT_EQ(out.area.top, 42);
    EXPECT_EQ(out.area.Height(), 15);
    EXPECT_EQ(out.area.right, kPanelWidth - 4);
    EXPECT_EQ(out.labelLeft, kLeft + 18);
    EXPECT_EQ(out.labelWidth, 45 - 18 - kLeft);
    EXPECT_FALSE(out.meters);
    EXPECT_EQ(MeasureSpeeder(in), 17);
}

TEST(SpeederLayout, MetersGoBelowTheArea) {
    _speederlayoutinput in;
    in.options |= SPEEDER_METERS;
    const _speederlayout out = ArrangeSpeeder(in, kLeft, 40, kWidth);
    ASSERT_TRUE(out.meters);
    EXPECT_EQ(out.freeLabel, _rect::Bounds(kLeft, 40 + 15 + 2, 50, 10));
    EXPECT_EQ(out.totalLabel, _rect::Bounds(kLeft + 52, 57, kWidth - kLeft - 54, 10));
    EXPECT_EQ(MeasureSpeeder(in), 29);
}

TEST(SpeederLayout, NameIconAndExtraWidths) {
    _speederlayoutinput in;
    in.options = SPEEDER_ICONED;  // no name: the area starts after the icon
    in.nameOffset = -15;          // ignored without a name
    _speederlayout out = ArrangeSpeeder(in, kLeft, 0, kWidth);
    EXPECT_EQ(out.area.left, kLeft + 18);
    EXPECT_EQ(out.area.Width(), kWidth - 18);
    EXPECT_EQ(out.labelWidth, 0);

    in.options = SPEEDER_NAMED;  // no icon: everything moves 16 left
    in.nameOffset = 0;
    out = ArrangeSpeeder(in, kLeft, 0, kWidth);
    EXPECT_EQ(out.area.left, kLeft + 29);
    EXPECT_EQ(out.area.Width(), kWidth - 29);
    EXPECT_EQ(out.labelLeft, kLeft + 2);

    in.options = SPEEDER_NAMED | SPEEDER_ICONED;
    in.nbx = 10;
    in.nameOffset = -15;
    out = ArrangeSpeeder(in, kLeft, 0, kWidth);
    EXPECT_EQ(out.area.left, kLeft + 40);
    EXPECT_EQ(out.area.Width(), kWidth - 40);
    EXPECT_EQ(out.labelWidth, 40 - 18 - kLeft);
}

TEST(SpeederLayout, NothingGoesNegative) {
    _speederlayoutinput in;
    in.nbx = 500;
    in.nby = 1;
    const _speederlayout out = ArrangeSpeeder(in, kLeft, 0, kWidth);
    EXPECT_EQ(out.area.Width(), 0);
    EXPECT_EQ(out.area.Height(), 0);
    EXPECT_EQ(MeasureSpeeder(in), 1);
}

}  // namespace
}  // namespace corvex
