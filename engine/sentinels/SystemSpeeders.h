#pragma once
// The System Sentinel's readouts of time, the system and the session.
//
//   _stime       base of the two time readouts: a format of date-time codes
//                and, with its own frequency, a one-second timer of its own
//   _sclock      the local date and time, on its own timer
//   _srunning    the time since the system started, on the engine's tick
//   _splatform   the operating system
//   _sscreen     the screen mode, again after every change of display mode
//   _shost       the computer's name and address
//   _suser       the user's name
//   _spower      mains, or the battery's charge as a gauge
//
// Windows tree only.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Corvex_Speeders.h"
#include "PowerStatus.h"
#include "TimeFormat.h"

namespace corvex {

class _battery;
class _edit;
class _label;
class _messagewindow;
class _powersource;
class _timer;

// The user's date and time names and pictures, as the system has them now.
_datetimelocale SystemDateTimeLocale();

class _stime : public _tspeeder {
public:
    explicit _stime(_component* owner);
    ~_stime() override;

    const std::string& Format() const noexcept { return format_; }
    void SetFormat(const std::string& format);
    // The own timer, made by Prepare when the kind has its own frequency.
    _timer* Timer() const noexcept { return timer_; }
    _edit* FormatEdit() const noexcept { return formatEdit_; }

    _result Prepare() override;
    _result SaveSettings(const std::string& key, _lair& store) override;
    _result LoadSettings(const std::string& key, _lair& store) override;
    void OnCreateDesigner(_panel& page) override;
    void OnDestroyDesigner(_panel& page) override;
    _result OnRedesign() override;
    _result GetFrequency(unsigned& period) override;
    // With its own frequency: periods below one second are refused (_ERROR)
    // and leave the timer off.
    _result SetFrequency(unsigned period) override;
    _result Stop() override;
    _result Start() override;

    // One tick of the own timer: nothing here.
    virtual void KERNEL_OnTimer();

protected:
    bool OwnFrequency() const noexcept { return (Options() & SPEEDER_FREQUENCY) != 0; }
    // Shows `when` through the format; an invalid format logs `where` and
    // shows "invalid format".
    void ShowTime(const _datetimeparts& when, const char* where);
    void Notification(_component& destroyed) override;

private:
    std::string format_;
    _timer* timer_ = nullptr;  // owned through the component list
    _label* formatLabel_ = nullptr;  // on an open Designer page, owned by it
    _edit* formatEdit_ = nullptr;
    _panel* page_ = nullptr;
    std::function<void()> pageResize_;  // the page's own resize handler
    _datetimelocale locale_;
    std::string text_;  // reused tick after tick
};

class _sclock : public _stime {
public:
    explicit _sclock(_component* owner);
    void KERNEL_OnTimer() override;
    _result UpdateCaption() override;
};

// The milliseconds since the system started.
using _uptimesource = std::function<std::uint32_t()>;

class _srunning : public _stime {
public:
    explicit _srunning(_component* owner);
    // GetTickCount unless a test puts another clock in.
    void SetTickSource(_uptimesource source) { ticks_ = std::move(source); }

    _result Prepare() override;
    _result RefreshPulse(unsigned elapsed) override;

private:
    _uptimesource ticks_;
};

class _splatform : public _tspeeder {
public:
    explicit _splatform(_component* owner);
    _result UpdateCaption() override;
};

class _sscreen : public _tspeeder {
public:
    explicit _sscreen(_component* owner);
    ~_sscreen() override;
    _result UpdateCaption() override;
    // The hidden window that hears of display changes.
    HWND WatchWindow() const noexcept;

private:
    std::unique_ptr<_messagewindow> watch_;
};

class _shost : public _tspeeder {
public:
    explicit _shost(_component* owner);
    _result UpdateCaption() override;
};

class _suser : public _tspeeder {
public:
    explicit _suser(_component* owner);
    _result UpdateCaption() override;
};

class _spower : public _gspeeder {
public:
    explicit _spower(_component* owner);
    // `source` stands in for the system's power status (tests).
    _spower(_component* owner, _powersource& source);

    _battery& Battery() const noexcept { return *battery_; }
    _batterypower LastPower() const noexcept { return last_; }

    _result UpdateIcon() override;
    // Redraws only when the power source changed since the last tick.
    _result RefreshPulse(unsigned elapsed) override;

private:
    _battery* battery_ = nullptr;  // owned through the component list
    _batterypower last_ = BATTERY_POWER_UNKNOWN;
};

}  // namespace corvex
