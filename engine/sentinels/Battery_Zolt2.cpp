#include "Battery_Zolt2.h"

#include <windows.h>

#include "Error_Zolt2.h"
#include "System_Zolt2.h"

namespace corvex {

namespace {

class _win32powersource final : public _powersource {
public:
    bool Read(_powerreading& reading) override {
        SYSTEM_POWER_STATUS status{};
        if (!GetSystemPowerStatus(&status)) return false;
        reading.acLineStatus = status.ACLineStatus;
        reading.batteryFlag = status.BatteryFlag;
        reading.batteryLifePercent = status.BatteryLifePercent;
        return true;
    }
};

}  // namespace

_powersource& Win32PowerSource() noexcept {
    static _win32powersource source;  // stateless
    return source;
}

_battery::_battery(_component* owner) : _battery(owner, Win32PowerSource()) {}

_battery::_battery(_component* owner, _powersource& source) : _component(owner), source_(source) {
    // NT 4 has no power status at all.
    if (WindowsRelease() == 4) {
        error_ = BATTERY_ERROR_NO_SUPPORT;
        art_ |= BATTERY_DEAD;
    }
    Update();
}

_batteryerror _battery::Update() {
    error_ = Read();
    const char* text = BatteryErrorText(error_);
    errorStr_ = text ? std::string(text) : LastErrorText();
    return error_;
}

_batteryerror _battery::Read() {
    charge_ = 0;
    power_ = BATTERY_POWER_UNKNOWN;
    if (art_ & BATTERY_DEAD) return BATTERY_ERROR_NO_SUPPORT;
    _powerreading reading;
    if (!source_.Read(reading)) return BATTERY_ERROR_WIN32;
    powerWin32_ = reading.acLineStatus;
    statusWin32_ = reading.batteryFlag;
    const _batteryreading decoded = DecodePowerStatus(reading);
    power_ = decoded.power;
    charge_ = decoded.charge;
    return decoded.error;
}

}  // namespace corvex
