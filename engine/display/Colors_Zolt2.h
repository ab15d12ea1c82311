#pragma once
// _colors: a colour box. An owner-drawn drop-down list of the sixteen
// standard colours as swatches and a last item, "choose...", that shows
// any other colour and opens the system colour dialog.

#include <functional>
#include <string>

#include "ComboBox.h"

namespace corvex {

class _colors : public _combobox {
public:
    _colors(_component* owner, _wincontrol* parent);

    // ---- attributes
    // The last colour taken from the colour dialog; a cancelled dialog
    // goes back to it. Setting it sets PickedColor too.
    _color VividColor() const noexcept { return vivid_; }
    void SetVividColor(_color color);
    // The colour shown; setting a new one selects its item and raises
    // OnChange (the combo box's event, which the user's picks raise too).
    _color PickedColor() const noexcept { return picked_; }
    void SetPickedColor(_color color);
    // A second name for PickedColor. It hides the control's background
    // colour, which a colour box leaves at the system's window colour.
    _color Color() const noexcept { return picked_; }
    void SetColor(_color color) { SetPickedColor(color); }

    // Called with the colour dialog's window once it is up.
    std::function<void(HWND dialog)> OnDialogShow;

    // ---- operations
    // Selects the first palette item of PickedColor, else "choose...".
    void SelectItem();

protected:
    void Loaded() override;
    void Change() override;
    void DrawItem(_canvas& canvas, int index, const _rect& area, unsigned state) override;

private:
    void ChooseFromDialog();

    _color picked_ = COLOR_BLACK;
    _color vivid_ = COLOR_BLACK;
    bool changing_ = false;  // a pick is being handled (the dialog runs a message loop)
};

}  // namespace corvex
