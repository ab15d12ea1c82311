#pragma once
// _hotkeyfield: the common controls' hot-key entry field. It refuses a key
// without a modifier and a key with Shift alone (the field then offers
// Ctrl+Alt with the key instead).

#include "Control.h"
#include "ShortCut.h"

namespace corvex {

class _hotkeyfield : public _wincontrol {
public:
    _hotkeyfield(_component* owner, _wincontrol* parent);

    _shortcut HotKey() const noexcept;
    void SetHotKey(_shortcut code);

    // The user typed a new combination.
    _notifyevent OnChange;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    LRESULT OnCommand(WPARAM wparam);
};

}  // namespace corvex
