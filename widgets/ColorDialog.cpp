#include "ColorDialog.h"

#include <commdlg.h>

#include "Canvas.h"
#include "Handle.h"

namespace corvex {

bool _colordialog::Execute(HWND owner) {
    // The common dialogs' library (and the printing libraries it brings)
    // is loaded only while the dialog is open: the bar rarely shows it,
    // and loaded from the start it stays in memory for the whole run.
    const ModuleHandle library(LoadLibraryA("comdlg32.dll"));
    using ChooseColorProc = BOOL(WINAPI*)(CHOOSECOLORA*);
    const auto chooseColor = library ? reinterpret_cast<ChooseColorProc>(reinterpret_cast<void*>(
                                           GetProcAddress(library.get(), "ChooseColorA")))
                                     : nullptr;
    if (!chooseColor) return false;
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.rgbResult = ToRGB(color_);
    choose.lpCustColors = custom_;
    choose.Flags = CC_RGBINIT | CC_ANYCOLOR | CC_ENABLEHOOK;
    choose.lCustData = reinterpret_cast<LPARAM>(this);
    choose.lpfnHook = &Hook;
    if (!chooseColor(&choose)) return false;
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
