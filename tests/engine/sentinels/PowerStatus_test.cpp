// What the power status means, and the screen mode's text.

#include "PowerStatus.h"

#include <gtest/gtest.h>

#include "ScreenMode.h"

namespace corvex {
namespace {

TEST(PowerStatus, SourceAndChargeFromTheSystemsBytes) {
    const struct {
        _powerreading in;
        _batterypower power;
        unsigned charge;
        _batteryerror error;
    } cases[] = {
        {{0, 1, 57}, BATTERY_POWER_DC, 57, BATTERY_OK},
        {{1, 128, 255}, BATTERY_POWER_AC, 0, BATTERY_ERROR_CHARGE_UNKNOWN},  // no battery
        {{255, 8, 100}, BATTERY_POWER_UNKNOWN, 100, BATTERY_OK},
        {{7, 0, 150}, BATTERY_POWER_UNKNOWN, 0, BATTERY_ERROR_CHARGE_UNKNOWN},
    };
    for (const auto& c : cases) {
        const _batteryreading r = DecodePowerStatus(c.in);
        EXPECT_EQ(r.power, c.power);
        EXPECT_EQ(r.charge, c.charge);
        EXPECT_EQ(r.error, c.error);
    }
    EXPECT_EQ(BatteryErrorText(BATTERY_ERROR_WIN32), nullptr);
    EXPECT_STREQ(BatteryErrorText(BATTERY_ERROR_CHARGE_UNKNOWN), "unknown");
    EXPECT_STREQ(BatteryErrorText(BATTERY_ERROR_NO_SUPPORT), "not supported");
    EXPECT_STREQ(BatteryErrorText(BATTERY_OK), "");
    EXPECT_STREQ(BatteryErrorText(BATTERY_ERROR), "general error");
    EXPECT_STREQ(BatteryErrorText(static_cast<_batteryerror>(9)), "ASSERT: unknown error");
}

TEST(ScreenMode, HeightPaddedAndDefaultRatesNamed) {
    EXPECT_EQ(ScreenModeText(1280, 1024, 32, 60), "1280x1024 32bits @ 60Hz");
    EXPECT_EQ(ScreenModeText(800, 600, 16, 0), "800x600  16bits @ hardware");
    EXPECT_EQ(ScreenModeText(640, 480, 8, 1), "640x480  8bits @ hardware");
    EXPECT_EQ(ScreenModeText(1600, 12000, 24, 75), "1600x12000 24bits @ 75Hz");
}

}  // namespace
}  // namespace corvex
