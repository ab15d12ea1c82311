#pragma once
// What the system's power status means to the battery readout.
//
//   _batteryart, _batteryerror, _batterypower   the battery's published kinds
//   _powerreading     the three bytes the system reports
//   _batteryreading   what they mean: a result, the source and the charge
//   DecodePowerStatus, BatteryErrorText
//
// Portable: no Windows header.

#include <cstdint>

namespace corvex {

// A set of these, held in one byte.
enum _batteryart : std::uint8_t {
    BATTERY_DEAD = 0x01,  // no power status on this system
    BATTERY_HIGH = 0x02,
    BATTERY_LOW = 0x04,
    BATTERY_CRITICAL = 0x08,
    BATTERY_CHARGING = 0x10,
    BATTERY_NO_SYSTEM_BATTERY = 0x20,
    BATTERY_UNKNOWN = 0x40,
};

enum _batteryerror : std::uint8_t {
    BATTERY_ERROR_WIN32 = 0,
    BATTERY_ERROR_CHARGE_UNKNOWN = 1,
    BATTERY_ERROR_NO_SUPPORT = 2,
    BATTERY_OK = 3,
    BATTERY_ERROR = 4,
};

enum _batterypower : std::uint8_t {
    BATTERY_POWER_AC = 0,
    BATTERY_POWER_DC = 1,
    BATTERY_POWER_UNKNOWN = 2,
};

struct _powerreading {
    std::uint8_t acLineStatus = 255;  // 0 battery, 1 mains, 255 unknown
    std::uint8_t batteryFlag = 255;
    std::uint8_t batteryLifePercent = 255;  // 255 unknown
};

struct _batteryreading {
    _batteryerror error = BATTERY_OK;
    _batterypower power = BATTERY_POWER_UNKNOWN;
    std::uint8_t charge = 0;  // percent
};

// The source from the line status (other values than 0 and 1 are unknown);
// the charge from the percentage, where 255, and anything above 100, is
// an unknown charge: charge 0 and BATTERY_ERROR_CHARGE_UNKNOWN.
_batteryreading DecodePowerStatus(const _powerreading& reading) noexcept;

// The text of an error: "unknown", "not supported", "" for BATTERY_OK,
// "general error", "ASSERT: unknown error" for a code out of range;
// nullptr for BATTERY_ERROR_WIN32, whose text is the system's.
const char* BatteryErrorText(_batteryerror error) noexcept;

}  // namespace corvex
