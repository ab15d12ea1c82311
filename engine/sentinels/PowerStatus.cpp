#include "PowerStatus.h"

namespace corvex {

_batteryreading DecodePowerStatus(const _powerreading& reading) noexcept {
    _batteryreading out;
    switch (reading.acLineStatus) {
        case 0: out.power = BATTERY_POWER_DC; break;
        case 1: out.power = BATTERY_POWER_AC; break;
        default: out.power = BATTERY_POWER_UNKNOWN; break;
    }
    if (reading.batteryLifePercent > 100) {
        out.error = BATTERY_ERROR_CHARGE_UNKNOWN;
    } else {
        out.charge = reading.batteryLifePercent;
    }
    return out;
}

const char* BatteryErrorText(_batteryerror error) noexcept {
    switch (error) {
        case BATTERY_ERROR_WIN32: return nullptr;
        case BATTERY_ERROR_CHARGE_UNKNOWN: return "unknown";
        case BATTERY_ERROR_NO_SUPPORT: return "not supported";
        case BATTERY_OK: return "";
        case BATTERY_ERROR: return "general error";
    }
    return "ASSERT: unknown error";
}

}  // namespace corvex
