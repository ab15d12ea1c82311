#include "Corvex_Ignition.h"

#include "Label.h"

namespace corvex {

TIGNITE::TIGNITE(_component* owner) : _form(owner), IgnitionLABEL(Make<_label>(this, "...")) {
    SetBorderStyle(FORM_BORDER_SINGLE);
    SetBorderIcons(0);
    SetCaption("Corvex ignition...");
    SetClientSize(365, 36);
    SetPosition(FORM_POSITION_SCREEN_CENTER);
    SetOnTop(true);
    IgnitionLABEL.SetAutoSize(false);
    IgnitionLABEL.SetBounds(8, 8, 345, 13);
}

_ignite::_ignite(_component* owner) : _component(owner) {}

_ignite::~_ignite() { Close(); }

_result _ignite::Open() {
    if (window_) return _OK;
    window_ = &Make<TIGNITE>();
    window_->Show();
    // No message loop yet: paint the whole window before going on.
    window_->Repaint();
    return _OK;
}

_result _ignite::Close() {
    if (!window_) return _OK;
    TIGNITE* const window = window_;
    window_ = nullptr;
    Destroy(window);
    return _OK;
}

_result _ignite::SetText(const std::string& text) {
    if (!window_) return _ERROR;
    window_->IgnitionLABEL.SetCaption(text);
    window_->IgnitionLABEL.Repaint();
    return _OK;
}

}  // namespace corvex
