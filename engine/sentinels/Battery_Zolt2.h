#pragma once
// The power source and the battery's charge.
//
//   _powersource        where the power status comes from: the system, or
//                       a test's stand-in (there is no battery under test)
//   Win32PowerSource()  GetSystemPowerStatus
//   _battery            a non-visual component: the source, the charge and
//                       a result code with its text, read by Update
//
// Windows tree only.

#include <cstdint>
#include <string>

#include "Component.h"
#include "PowerStatus.h"

namespace corvex {

class _powersource {
public:
    virtual ~_powersource() = default;
    // False when the system has no status to give; the caller then asks
    // GetLastError for the reason.
    virtual bool Read(_powerreading& reading) = 0;
};

_powersource& Win32PowerSource() noexcept;

class _battery : public _component {
public:
    explicit _battery(_component* owner);
    _battery(_component* owner, _powersource& source);

    // ---- published
    std::uint8_t Art() const noexcept { return art_; }
    const std::string& ErrorStr() const noexcept { return errorStr_; }
    _batteryerror Error() const noexcept { return error_; }
    std::uint8_t Charge() const noexcept { return charge_; }
    _batterypower Power() const noexcept { return power_; }
    std::uint8_t StatusWin32() const noexcept { return statusWin32_; }
    std::uint8_t PowerWin32() const noexcept { return powerWin32_; }

    // Reads the source again; Error and ErrorStr tell how it went.
    _batteryerror Update();

private:
    _batteryerror Read();

    _powersource& source_;
    std::uint8_t art_ = 0;
    std::string errorStr_;
    _batteryerror error_ = BATTERY_OK;
    std::uint8_t charge_ = 0;
    _batterypower power_ = BATTERY_POWER_UNKNOWN;
    std::uint8_t statusWin32_ = 0;
    std::uint8_t powerWin32_ = 0;
};

}  // namespace corvex
