#include "Corvex_Designer.h"

namespace corvex {

TDESIGNER::TDESIGNER(_component* owner) : _form(owner) {
    SetCaption("Corvex designer");
    SetPosition(FORM_POSITION_SCREEN_CENTER);
}

}  // namespace corvex
