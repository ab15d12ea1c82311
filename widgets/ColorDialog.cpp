#include "ColorDialog.h"

#include <commdlg.h>

#include "Canvas.h"

namespace corvex {

bool _colordialog::Execute(HWND owner) {
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.rgbResult = ToRGB(color_);
    choose.lpCustColors = custom_;
    choose.Flags = CC_RGBINIT | CC_ANYCOLOR | CC_ENABLEHOOK;
    choose.lCustData = reinterpret_cast<LPARAM>(this);
    choose.lpfnHook = &Hook;
    if (!ChooseColorA(&choose)) return false;
    color_ = FromRGB(choose.rgbResult);
    return true;
}

UINT_PTR CALLBACK _colordialog::Hook(HWND dialog, UINT message, WPARAM, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        auto* self =
            reinterpret_cast<_colordialog*>(reinterpret_cast<const CHOOSECOLORA*>(lparam)->lCustData);
        if (self && self->OnShow) self->OnShow(dialog);
    }
    return 0;  // the dialog's own handling goes on
}

}  // namespace corvex
