#pragma once
// _tooltip: the common controls' tool-tip window. It shows a control's hint
// while the mouse rests on that control; one tool-tip window serves every
// control of a form.

#include <string>

#include "Control.h"

namespace corvex {

class _tooltip final : public _wincontrol {
public:
    // A popup window above `host`'s form, which owns it on the screen.
    _tooltip(_component* owner, _wincontrol& host);

    // The hint shown over `control` (a child window); empty takes it away.
    void SetHint(_wincontrol& control, const std::string& text);
    std::string Hint(const _wincontrol& control) const;
};

}  // namespace corvex
