#pragma once
// The general notification-area icon.
//
//   _trayart    TRAY_ACTIVE / TRAY_GAUGED bits
//   _tray       a fixed icon or two small bars, with click events and a
//               popup menu, on a hidden window of its own
//   _traybar    one of the two bars of a _tray: a clamped value and its
//               colours; every change rebuilds the tray's icon
//
// Windows tree only.

#include <cstdint>
#include <memory>
#include <string>

#include "Bitmap.h"
#include "Color.h"
#include "Component.h"
#include "TrayPicture.h"
#include "TrayShell.h"
#include "WinHandle.h"

namespace corvex {

class _messagewindow;
class _popupmenu;
class _traybar;

using _trayart = unsigned char;
enum _trayartmember : unsigned char {
    TRAY_ACTIVE = 0x01,  // the icon is shown
    TRAY_GAUGED = 0x02,  // kept for the stored form; no effect
};

class _tray : public _component {
public:
    explicit _tray(_component* owner);
    ~_tray() override;

    // ---- attributes (setters store and rebuild the icon)
    _trayart Art() const noexcept { return art_; }
    void SetArt(_trayart art);
    _traystyle Style() const noexcept { return style_; }
    void SetStyle(_traystyle style);
    bool Visible() const noexcept { return (art_ & TRAY_ACTIVE) != 0; }
    void SetVisible(bool visible);
    // The picture of TRAY_GAUGE_ICON; the setter keeps a copy.
    const _icon& Icon() const noexcept { return icon_; }
    void SetIcon(const _icon& icon);
    const std::string& Hint() const noexcept { return hint_; }
    // Cut to 63 characters; always rebuilds (the icon comes back after
    // message 1026 this way).
    void SetHint(const std::string& hint);
    _popupmenu* PopupMenu() const noexcept { return mouse_.popup; }
    void SetPopupMenu(_popupmenu* menu);
    // The last update was refused by the shell.
    bool ExplorerError() const noexcept { return explorerError_; }

    _traynotifyevent& OnClick = mouse_.OnClick;
    _traynotifyevent& OnDblClick = mouse_.OnDblClick;
    _traymouseevent& OnRightClick = mouse_.OnRightClick;

    // The hidden window the shell sends the mouse notifications to.
    HWND NotifyWindow() const noexcept;
    // The picture as last drawn, and the icon last handed to the shell.
    const _bitmap& Picture() const noexcept { return surface_.Picture(); }
    HICON IconHandle() const noexcept { return iconHandle_.get(); }
    // Every shell call goes through this function.
    void SetShellNotify(_shellnotify notify) { shell_ = std::move(notify); }

    // ---- operations
    // Bar 0 or 1; none for any other index (negative ones are reported).
    _traybar* KERNEL_GetBar(int index) const;
    // Shows the icon as the attributes say, removes it when not active.
    // Unless `force`d, an icon the shell holds already is left alone when
    // its bars drew the same picture again.
    void KERNEL_UpdateIcon(bool force = true);
    // The shell's message that it (re)started: a shown icon is added again.
    UINT TaskbarCreatedMessage() const noexcept { return taskbarCreated_; }

protected:
    void Notification(_component& destroyed) override;

private:
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    // A new icon handle for the style, drawn from the bars where needed.
    _iconhandle MakeIcon();
    bool Gauged() const noexcept { return style_ == TRAY_GAUGE_NT || style_ == TRAY_GAUGE_BEOS; }
    // The bars of the present state.
    void Draw(_traypicture& picture) const;
    bool Shell(DWORD message);

    _trayart art_ = TRAY_ACTIVE;
    _traystyle style_ = TRAY_GAUGE_ICON;
    _icon icon_;
    std::string hint_;
    bool explorerError_ = false;
    bool added_ = false;  // the shell holds our icon
    _traymouse mouse_;
    _shellnotify shell_ = SystemShellNotify();
    _traynotifydata record_;
    _traysurface surface_;
    _traypicture shown_;  // the bars in the icon the shell holds
    _iconhandle iconHandle_;
    UINT taskbarCreated_ = 0;
    _traybar* bars_[2] = {nullptr, nullptr};  // owned through the component list
    std::unique_ptr<_messagewindow> window_;
};

class _traybar final : public _component {
public:
    // `owner` should be a _tray; any other owner is reported and the bar
    // then refreshes nothing.
    explicit _traybar(_component* owner);

    // ---- attributes
    std::uint32_t Min() const noexcept { return min_; }
    std::uint32_t Max() const noexcept { return max_; }
    std::uint32_t Position() const noexcept { return position_; }
    // Clamped to [Min, Max]; a value that clamps to the stored one changes
    // nothing, so an out-of-range sample does not rebuild the icon each tick.
    void SetPosition(std::uint32_t position);
    _color ForeColor() const noexcept { return foreColor_; }
    void SetForeColor(_color color);
    _color BackColor() const noexcept { return backColor_; }
    void SetBackColor(_color color);
    _color StripColor() const noexcept { return stripColor_; }
    void SetStripColor(_color color);
    _color BorderColor() const noexcept { return borderColor_; }
    _tray* Tray() const noexcept { return tray_; }

private:
    void Changed();

    std::uint32_t min_ = 0;
    std::uint32_t max_ = 100;
    std::uint32_t position_ = 0;
    _color foreColor_ = 0xFF0000;  // blue
    _color backColor_ = COLOR_SILVER;
    _color borderColor_ = COLOR_BLACK;
    _color stripColor_ = COLOR_GRAY;
    _tray* tray_ = nullptr;
};

}  // namespace corvex
