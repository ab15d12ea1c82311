#pragma once
// _messagewindow: a hidden top-level window whose messages go to a handler
// function. Components without a surface of their own (the timer, the hot
// key, display and socket watchers) receive their system messages here.

#include <functional>

#include "Control.h"

namespace corvex {

class _messagewindow final : public _wincontrol {
public:
    // Returns true when it handled the message and set `result`.
    using Handler = std::function<bool(UINT message, WPARAM, LPARAM, LRESULT& result)>;

    explicit _messagewindow(Handler handler);

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    Handler handler_;
};

}  // namespace corvex
