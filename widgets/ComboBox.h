#pragma once
// _combobox: the system COMBOBOX in one of three kinds fixed at creation:
// an editable box with a list, a drop-down list only, or a drop-down list
// whose items the program draws itself at a fixed height (DrawItem).

#include <string>

#include "Control.h"

namespace corvex {

enum _combostyle : unsigned char {
    COMBO_DROPDOWN = 0,        // editable
    COMBO_DROPDOWNLIST = 1,    // choose only
    COMBO_OWNERDRAWFIXED = 2,  // choose only, items drawn by DrawItem
};

// DrawItem's state bits.
enum _combodrawstate : unsigned {
    COMBO_DRAW_SELECTED = 1,
    COMBO_DRAW_FOCUSED = 2,
    COMBO_DRAW_EDIT = 4,  // the item shown in the closed box, not in the list
};

class _combobox : public _wincontrol {
public:
    _combobox(_component* owner, _wincontrol* parent, _combostyle style = COMBO_DROPDOWN);

    // ---- attributes
    _combostyle Style() const noexcept { return style_; }
    int Count() const noexcept;
    std::string Items(int index) const;
    int ItemIndex() const noexcept;
    // Selects an item (-1: none) without raising OnChange.
    void SetItemIndex(int index);
    int DropDownCount() const noexcept { return dropDownCount_; }
    void SetDropDownCount(int items);
    int ItemHeight() const noexcept;
    void SetItemHeight(int pixels);
    bool DroppedDown() const noexcept { return Perform(CB_GETDROPPEDSTATE) != 0; }

    // Raised when the user picks an item or edits the text; for an editable
    // box Text() is the picked item's by then.
    _notifyevent OnChange;

    // ---- operations
    int Add(const std::string& item);
    // Puts `item` before item `index` (-1 or the count: at the end);
    // returns its index, -1 on failure.
    int Insert(int index, const std::string& item);
    void Delete(int index);
    void Clear();
    // The items from a comma-separated text ("0,1,choose...").
    void SetCommaText(const std::string& text);

protected:
    // Draws one item of an owner-drawn box; the default writes its text.
    virtual void DrawItem(_canvas& canvas, int index, const _rect& area, unsigned state);
    // The user changed the selection or the text.
    virtual void Change();

    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    void BoundsChanged(const _rect& old) override;

private:
    LRESULT OnCommand(WPARAM wparam);
    LRESULT OnDrawItem(LPARAM lparam);
    LRESULT OnMeasureItem(LPARAM lparam);
    void ApplyDropDownHeight();

    _combostyle style_;
    int dropDownCount_ = 8;
    int itemHeight_ = 16;
    bool syncing_ = false;  // the edit is being given the picked item's text
};

}  // namespace corvex
