#include "ComboBox.h"

namespace corvex {

namespace {

DWORD StyleBits(_combostyle style) noexcept {
    switch (style) {
        case COMBO_DROPDOWNLIST: return CBS_DROPDOWNLIST;
        case COMBO_OWNERDRAWFIXED: return CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
        default: return CBS_DROPDOWN | CBS_AUTOHSCROLL;
    }
}

}  // namespace

_combobox::_combobox(_component* owner, _wincontrol* parent, _combostyle style)
    : _wincontrol(owner, parent), style_(style) {
    bounds_ = _rect::Bounds(0, 0, 145, 21);
    SetColor(SYSCOLOR_WINDOW);
    _createparams params;
    params.className = "COMBOBOX";
    params.style = StyleBits(style) | WS_VSCROLL | WS_TABSTOP;
    CreateHandle(params);
    if (style_ == COMBO_OWNERDRAWFIXED) {
        Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
        Perform(CB_SETITEMHEIGHT, 0, itemHeight_);
    }
    ApplyDropDownHeight();
}

int _combobox::Count() const noexcept {
    return static_cast<int>(Perform(CB_GETCOUNT));
}

std::string _combobox::Items(int index) const {
    const LRESULT length = Perform(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || index < 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    Perform(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int _combobox::ItemIndex() const noexcept {
    return static_cast<int>(Perform(CB_GETCURSEL));
}

void _combobox::SetItemIndex(int index) {
    if (index < -1 || index >= Count()) index = -1;
    if (index == ItemIndex()) return;
    Perform(CB_SETCURSEL, static_cast<WPARAM>(index));
}

void _combobox::SetDropDownCount(int items) {
    if (items < 1) items = 1;
    if (items == dropDownCount_) return;
    dropDownCount_ = items;
    ApplyDropDownHeight();
}

int _combobox::ItemHeight() const noexcept {
    return style_ == COMBO_OWNERDRAWFIXED ? itemHeight_ : static_cast<int>(Perform(CB_GETITEMHEIGHT, 0));
}

void _combobox::SetItemHeight(int pixels) {
    if (style_ != COMBO_OWNERDRAWFIXED || pixels < 1 || pixels == itemHeight_) return;
    itemHeight_ = pixels;
    Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), pixels);
    Perform(CB_SETITEMHEIGHT, 0, pixels);
    ApplyDropDownHeight();
}

int _combobox::Add(const std::string& item) {
    return static_cast<int>(Perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())));
}

int _combobox::Insert(int index, const std::string& item) {
    const LRESULT at = Perform(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str()));
    return at < 0 ? -1 : static_cast<int>(at);
}

void _combobox::Delete(int index) {
    if (index >= 0 && index < Count()) Perform(CB_DELETESTRING, static_cast<WPARAM>(index));
}

void _combobox::Clear() {
    Perform(CB_RESETCONTENT);
}

void _combobox::SetCommaText(const std::string& text) {
    Clear();
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        if (end > start || comma != std::string::npos) Add(text.substr(start, end - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
}

void _combobox::ApplyDropDownHeight() {
    // A combo box's window is the closed box plus its dropped list; Windows
    // reports only the closed box back, which is what the object keeps.
    if (!Handle()) return;
    const int list = dropDownCount_ * ItemHeight() + 2;
    SetWindowPos(Handle(), nullptr, bounds_.left, bounds_.top, Width(), Height() + list,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void _combobox::BoundsChanged(const _rect& old) {
    (void)old;
    ApplyDropDownHeight();
}

void _combobox::DrawItem(_canvas& canvas, int index, const _rect& area, unsigned state) {
    canvas.SetBrush((state & COMBO_DRAW_SELECTED) ? SYSCOLOR_HIGHLIGHT : Color());
    canvas.FillRect(area);
    if (index < 0) return;
    _fontspec font = Font();
    if (state & COMBO_DRAW_SELECTED) font.color = SYSCOLOR_HIGHLIGHTTEXT;
    canvas.SetFont(font);
    canvas.SetBrushClear();
    canvas.TextOut(area.left + 2, area.top + 1, Items(index));
}

void _combobox::Change() {
    Raise(OnChange);
}

LRESULT _combobox::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case REFLECT + WM_COMMAND: return OnCommand(wparam);
        case REFLECT + WM_DRAWITEM: return OnDrawItem(lparam);
        case REFLECT + WM_MEASUREITEM: return OnMeasureItem(lparam);
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _combobox::OnCommand(WPARAM wparam) {
    const UINT code = HIWORD(wparam);
    if (code == CBN_EDITCHANGE && !syncing_) Change();
    if (code != CBN_SELCHANGE) return 0;
    // An editable box tells of a pick before its edit shows the item: the
    // text is put there first, so that Text() is the pick in OnChange.
    const int index = ItemIndex();
    if (style_ == COMBO_DROPDOWN && index >= 0) {
        syncing_ = true;
        SetText(Items(index));
        syncing_ = false;
    }
    Change();
    return 0;
}

LRESULT _combobox::OnDrawItem(LPARAM lparam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    unsigned state = 0;
    if (item->itemState & ODS_SELECTED) state |= COMBO_DRAW_SELECTED;
    if (item->itemState & ODS_FOCUS) state |= COMBO_DRAW_FOCUSED;
    if (item->itemState & ODS_COMBOBOXEDIT) state |= COMBO_DRAW_EDIT;
    const int saved = SaveDC(item->hDC);
    {
        _canvas canvas(item->hDC);
        DrawItem(canvas, static_cast<int>(item->itemID),
                 {item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom}, state);
    }
    RestoreDC(item->hDC, saved);
    return TRUE;
}

LRESULT _combobox::OnMeasureItem(LPARAM lparam) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = static_cast<UINT>(itemHeight_);
    return TRUE;
}

}  // namespace corvex
