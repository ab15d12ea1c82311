#include "Corvex_Options.h"

namespace corvex {

TOPTIONS::TOPTIONS(_component* owner) : _form(owner) {
    SetBorderStyle(FORM_BORDER_DIALOG);
    SetCaption("Corvex options");
    SetPosition(FORM_POSITION_SCREEN_CENTER);
}

}  // namespace corvex
