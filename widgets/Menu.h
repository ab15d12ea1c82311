#pragma once
// Menus.
//
//   _menuitem    a caption ("-" is a separator) with an access key ("&x"),
//                a short-cut, enabled/visible/checked/default states and
//                sub-items it owns; destroying an item takes it out of its
//                menu
//   _menu        the root of a tree of items; dispatches short-cuts
//   _popupmenu   shown at a screen point; the Windows menu is built from the
//                tree each time, so it always matches the items
//   _mainmenu    never shown: its (usually invisible) items serve their
//                short-cuts for the form it is given to

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Component.h"
#include "ShortCut.h"
#include "WinHandle.h"

namespace corvex {

class _menuitem final : public _component {
public:
    explicit _menuitem(_component* owner, std::string caption = {}, _shortcut shortcut = SHORTCUT_NONE);
    ~_menuitem() override;

    // ---- attributes
    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    bool IsSeparator() const noexcept { return caption_ == "-"; }
    _shortcut ShortCut() const noexcept { return shortcut_; }
    void SetShortCut(_shortcut shortcut) noexcept { shortcut_ = shortcut; }
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled) noexcept { enabled_ = enabled; }
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible) noexcept { visible_ = visible; }
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool checked) noexcept { checked_ = checked; }
    // The default item is drawn bold; one per menu level.
    bool Default() const noexcept { return default_; }
    void SetDefault(bool on) noexcept;
    // The text Windows shows: caption, a tab and the short-cut's text.
    std::string MenuText() const;

    _menuitem* Parent() const noexcept { return parent_; }
    std::size_t Count() const noexcept { return items_.size(); }
    _menuitem* Items(std::size_t index) const noexcept {
        return index < items_.size() ? items_[index] : nullptr;
    }
    int IndexOf(const _menuitem* item) const noexcept;

    std::function<void(_menuitem& sender)> OnClick;

    // ---- operations
    // A new sub-item, owned by this item, at the end or at `index`.
    _menuitem& Add(std::string caption = {}, _shortcut shortcut = SHORTCUT_NONE);
    _menuitem& Insert(std::size_t index, std::string caption = {}, _shortcut shortcut = SHORTCUT_NONE);
    // Destroys one sub-item / all of them.
    bool Remove(_menuitem& item);
    void Clear();
    // Runs OnClick when the item is enabled.
    void Click();
    // Clicks the first enabled item at or below this one (visible or not)
    // whose short-cut is `code`; disabled items hide their sub-items.
    bool DispatchShortCut(_shortcut code);

    // Builds the Windows menu of the visible sub-items; their commands are
    // numbered from 1 in tree order (see FindCommand).
    _menuhandle BuildMenu() const;
    _menuitem* FindCommand(UINT command) noexcept;

private:
    void AppendTo(HMENU menu, UINT& next) const;
    void CountInvisible(UINT& next) const;
    _menuitem* FindCommand(UINT command, UINT& next) noexcept;

    std::string caption_;
    _shortcut shortcut_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    bool default_ = false;
    _menuitem* parent_ = nullptr;
    std::vector<_menuitem*> items_;  // owned through the component list
};

class _menu : public _component {
public:
    explicit _menu(_component* owner);
    _menuitem& Items() noexcept { return *items_; }
    bool DispatchShortCut(_shortcut code) { return items_->DispatchShortCut(code); }

private:
    _menuitem* items_;
};

class _popupmenu final : public _menu {
public:
    explicit _popupmenu(_component* owner) : _menu(owner) {}
    // Shows the menu at a screen point and runs the chosen item's OnClick.
    // Returns the chosen item, or nullptr.
    _menuitem* Popup(int x, int y);
    std::function<void()> OnPopup;
};

class _mainmenu final : public _menu {
public:
    explicit _mainmenu(_component* owner) : _menu(owner) {}
};

}  // namespace corvex
