#pragma once
// _timer: a window timer. It ticks while Enabled with a non-zero Interval;
// changing either restarts the count.

#include "Control.h"
#include "MessageWindow.h"

namespace corvex {

class _timer final : public _component {
public:
    explicit _timer(_component* owner);
    ~_timer() override;

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    // Milliseconds between ticks (default 1000).
    unsigned Interval() const noexcept { return interval_; }
    void SetInterval(unsigned milliseconds);

    _notifyevent OnTimer;

private:
    void Restart() noexcept;

    bool enabled_ = true;
    unsigned interval_ = 1000;
    _messagewindow window_;
};

}  // namespace corvex
