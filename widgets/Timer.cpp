#include "Timer.h"

namespace corvex {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

_timer::_timer(_component* owner)
    : _component(owner), window_([this](UINT message, WPARAM wparam, LPARAM, LRESULT& result) {
          if (message != WM_TIMER || wparam != kTimerId) return false;
          result = 0;
          // The handler may destroy this timer: nothing is touched after it.
          if (enabled_) Raise(OnTimer);
          return true;
      }) {
    Restart();
}

_timer::~_timer() {
    if (window_.Handle()) KillTimer(window_.Handle(), kTimerId);
}

void _timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Restart();
}

void _timer::SetInterval(unsigned milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    Restart();
}

void _timer::Restart() noexcept {
    if (!window_.Handle()) return;
    KillTimer(window_.Handle(), kTimerId);
    if (enabled_ && interval_ > 0) SetTimer(window_.Handle(), kTimerId, interval_, nullptr);
}

}  // namespace corvex
