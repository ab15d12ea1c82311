#include "Colors_Zolt2.h"

#include "Bitmap.h"
#include "ColorDialog.h"
#include "ColorPalette.h"

namespace corvex {

namespace {

const char* const kItems = "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,choose...";
const char* const kChooseText = "choose...";

}  // namespace

_colors::_colors(_component* owner, _wincontrol* parent) : _combobox(owner, parent, COMBO_OWNERDRAWFIXED) {
    SetDropDownCount(PALETTE_SIZE + 1);
    SetCommaText(kItems);
    SelectItem();
}

void _colors::SetPickedColor(_color color) {
    if (color == picked_) return;
    picked_ = color;
    SelectItem();
    if (OnChange) OnChange();
}

void _colors::SetVividColor(_color color) {
    if (color == vivid_) return;
    vivid_ = color;
    SetPickedColor(color);
}

void _colors::SelectItem() { SetItemIndex(PaletteItemOf(picked_)); }

void _colors::Loaded() {
    _combobox::Loaded();
    SelectItem();
}

void _colors::Change() {
    if (changing_) return;
    changing_ = true;
    const int index = ItemIndex();
    if (index == PALETTE_CHOOSE_ITEM)
        ChooseFromDialog();
    else if (index >= 0 && index < PALETTE_SIZE)
        SetPickedColor(PaletteColor(index));
    changing_ = false;
    _combobox::Change();
}

void _colors::ChooseFromDialog() {
    _colordialog dialog(nullptr);
    dialog.SetColor(vivid_);
    dialog.OnShow = OnDialogShow;
    if (dialog.Execute(Handle())) {
        SetVividColor(dialog.Color());
        // The dialog may give back the last dialog colour while a palette
        // colour is picked: that colour is still the user's choice.
        SetPickedColor(dialog.Color());
    } else {
        picked_ = vivid_;  // back to the last dialog colour, silently
    }
    // "choose..." stays selected only for a colour outside the palette.
    SelectItem();
}

void _colors::DrawItem(_canvas& canvas, int index, const _rect& area, unsigned state) {
    if (index < 0) return;
    // Swatches are outlined with whatever pen the box's DC holds.
    canvas.SetBrush(index < PALETTE_SIZE ? PaletteColor(index) : picked_);
    canvas.Rectangle(area);
    if (index < PALETTE_SIZE || (state & COMBO_DRAW_EDIT)) return;

    // White on black, XOR-ed: the text shows in the inverse of the swatch.
    _bitmap label;
    _fontspec font = Font();
    font.color = COLOR_WHITE;
    label.Canvas().SetFont(font);
    const _point size = label.Canvas().TextExtent(kChooseText);
    label.SetSize(size.x, size.y);
    if (label.Empty()) return;
    label.Canvas().SetBrush(COLOR_BLACK);
    label.Canvas().FillRect(_rect::Bounds(0, 0, size.x, size.y));
    label.Canvas().TextOut(0, 0, kChooseText);
    canvas.Draw(area.left + 2, area.top + 2, label, SRCINVERT);
}

}  // namespace corvex
