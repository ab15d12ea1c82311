#include "Menu.h"

#include <algorithm>

#include "Application.h"
#include "Debug_Zolt2.h"

namespace corvex {

_menuitem::_menuitem(_component* owner, std::string caption, _shortcut shortcut)
    : _component(owner), caption_(std::move(caption)), shortcut_(shortcut) {}

_menuitem::~_menuitem() {
    // The sub-items go first (the component list), then this item leaves
    // its parent's list.
    DestroyComponents();
    items_.clear();
    if (parent_) {
        auto& list = parent_->items_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void _menuitem::SetDefault(bool on) noexcept {
    if (on && parent_)
        for (_menuitem* sibling : parent_->items_) sibling->default_ = false;
    default_ = on;
}

std::string _menuitem::MenuText() const {
    const std::string keys = ShortCutToText(shortcut_);
    return keys.empty() ? caption_ : caption_ + "\t" + keys;
}

int _menuitem::IndexOf(const _menuitem* item) const noexcept {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

_menuitem& _menuitem::Add(std::string caption, _shortcut shortcut) {
    return Insert(items_.size(), std::move(caption), shortcut);
}

_menuitem& _menuitem::Insert(std::size_t index, std::string caption, _shortcut shortcut) {
    _menuitem& item = Make<_menuitem>(std::move(caption), shortcut);
    item.parent_ = this;
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(std::min(index, items_.size())), &item);
    return item;
}

bool _menuitem::Remove(_menuitem& item) {
    if (Check(item.parent_ != this, "_menuitem.Remove(%p): not an item of \"%s\"", static_cast<void*>(&item),
              caption_.c_str()) == DEBUG_ASSERT)
        return false;
    return Destroy(&item);
}

void _menuitem::Clear() {
    while (!items_.empty()) Remove(*items_.back());
}

void _menuitem::Click() {
    if (enabled_) Raise(OnClick, *this);
}

bool _menuitem::DispatchShortCut(_shortcut code) {
    if (code == SHORTCUT_NONE || !enabled_) return false;
    if (shortcut_ == code && parent_) {
        Click();
        return true;
    }
    // A click may change the list: walk a snapshot.
    const std::vector<_menuitem*> items = items_;
    for (_menuitem* item : items)
        if (item->DispatchShortCut(code)) return true;
    return false;
}

_menuhandle _menuitem::BuildMenu() const {
    _menuhandle menu(CreatePopupMenu());
    UINT next = 1;
    AppendTo(menu.get(), next);
    return menu;
}

void _menuitem::AppendTo(HMENU menu, UINT& next) const {
    for (const _menuitem* item : items_) {
        const UINT command = next++;
        if (!item->visible_) {
            // Numbered all the same, so that commands match FindCommand.
            item->CountInvisible(next);
            continue;
        }
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        if (item->IsSeparator()) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            const std::string text = item->MenuText();
            info.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_FTYPE;
            info.fType = MFT_STRING;
            info.wID = command;
            info.fState = (item->enabled_ ? MFS_ENABLED : MFS_GRAYED) | (item->checked_ ? MFS_CHECKED : 0u) |
                          (item->default_ ? MFS_DEFAULT : 0u);
            info.dwTypeData = const_cast<char*>(text.c_str());
            if (!item->items_.empty()) {
                // The parent menu owns and destroys the sub-menu.
                HMENU sub = CreatePopupMenu();
                item->AppendTo(sub, next);
                info.fMask |= MIIM_SUBMENU;
                info.hSubMenu = sub;
            }
            InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
            continue;
        }
        InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
    }
}

void _menuitem::CountInvisible(UINT& next) const {
    for (const _menuitem* item : items_) {
        ++next;
        item->CountInvisible(next);
    }
}

_menuitem* _menuitem::FindCommand(UINT command) noexcept {
    UINT next = 1;
    return FindCommand(command, next);
}

_menuitem* _menuitem::FindCommand(UINT command, UINT& next) noexcept {
    for (_menuitem* item : items_) {
        if (next++ == command) return item;
        if (_menuitem* found = item->FindCommand(command, next)) return found;
    }
    return nullptr;
}

_menu::_menu(_component* owner) : _component(owner), items_(&Make<_menuitem>()) {}

_menuitem* _popupmenu::Popup(int x, int y) {
    Raise(OnPopup);
    const _menuhandle menu = Items().BuildMenu();
    const HWND owner = Application().Handle();
    // Without the foreground the menu would not close when the user clicks
    // elsewhere; the posted message lets it end properly.
    SetForegroundWindow(owner);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    _menuitem* chosen = command ? Items().FindCommand(command) : nullptr;
    if (chosen) chosen->Click();
    return chosen;
}

}  // namespace corvex
