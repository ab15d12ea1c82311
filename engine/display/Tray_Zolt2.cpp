#include "Tray_Zolt2.h"

#include <shellapi.h>

#include "Canvas.h"
#include "Debug_Zolt2.h"
#include "Menu.h"
#include "MessageWindow.h"
#include "TrayHint.h"

namespace corvex {

namespace {

_traybarlook LookOf(const _traybar& bar) {
    _traybarlook look;
    look.position = bar.Position();
    look.fore = ToRGB(bar.ForeColor());
    look.back = ToRGB(bar.BackColor());
    look.strip = ToRGB(bar.StripColor());
    return look;
}

}  // namespace

_tray::_tray(_component* owner) : _component(owner), taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
    window_ = std::make_unique<_messagewindow>(
        [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
            return OnMessage(message, wparam, lparam, result);
        });
    bars_[0] = &Make<_traybar>();
    bars_[1] = &Make<_traybar>();
}

_tray::~_tray() {
    if (added_) Shell(NIM_DELETE);
    // The bars go with the component list after this body; they must not
    // reach back into a tray that is being taken apart.
    DestroyComponents();
}

HWND _tray::NotifyWindow() const noexcept {
    return window_ ? window_->Handle() : nullptr;
}

void _tray::SetArt(_trayart art) {
    if (art == art_) return;
    art_ = art;
    KERNEL_UpdateIcon();
}

void _tray::SetStyle(_traystyle style) {
    if (style == style_) return;
    style_ = style;
    KERNEL_UpdateIcon();
}

void _tray::SetVisible(bool visible) {
    if (visible == Visible()) return;
    art_ = visible ? static_cast<_trayart>(art_ | TRAY_ACTIVE) : static_cast<_trayart>(art_ & ~TRAY_ACTIVE);
    KERNEL_UpdateIcon();
}

void _tray::SetIcon(const _icon& icon) {
    if (&icon != &icon_) icon_ = _icon::Copy(icon.Handle());
    KERNEL_UpdateIcon();
}

void _tray::SetHint(const std::string& hint) {
    hint_ = CutTrayHint(hint, TRAY_TIP_CHARS);
    KERNEL_UpdateIcon();
}

void _tray::SetPopupMenu(_popupmenu* menu) {
    if (menu == mouse_.popup) return;
    if (mouse_.popup) mouse_.popup->RemoveFreeNotification(*this);
    mouse_.popup = menu;
    if (menu) menu->FreeNotification(*this);
}

void _tray::Notification(_component& destroyed) {
    if (&destroyed == mouse_.popup) mouse_.popup = nullptr;
    _component::Notification(destroyed);
}

_traybar* _tray::KERNEL_GetBar(int index) const {
    if (index < 0) {
        Check(true, "_tray.KERNEL_GetBar(%d): invalid index", index);
        return nullptr;
    }
    return index < 2 ? bars_[index] : nullptr;
}

bool _tray::Shell(DWORD message) {
    return shell_ && shell_(message, record_);
}

void _tray::Draw(_traypicture& picture) const {
    const _traybarlook bar0 = LookOf(*bars_[0]), bar1 = LookOf(*bars_[1]);
    if (style_ == TRAY_GAUGE_NT)
        DrawTrayNT(picture, bar0, bar1);
    else
        DrawTrayBeOS(picture, bar0, bar1, ToRGB(bars_[0]->BorderColor()), ToRGB(SYSCOLOR_BTNFACE));
}

_iconhandle _tray::MakeIcon() {
    if (Gauged()) {
        Draw(shown_);
        surface_.Put(shown_);
        return surface_.MakeIcon();
    }
    if (style_ == TRAY_GAUGE_ICON && !icon_.Empty()) return _iconhandle(CopyIcon(icon_.Handle()));
    return {};
}

void _tray::KERNEL_UpdateIcon(bool force) {
    if (!bars_[1]) return;  // still being built
    if (!(art_ & TRAY_ACTIVE)) {
        if (added_) Shell(NIM_DELETE);
        added_ = false;
        iconHandle_.reset();
        return;
    }
    if (!force && added_ && !explorerError_ && Gauged()) {
        _traypicture picture;
        Draw(picture);
        if (picture.Pixels() == shown_.Pixels()) return;
    }
    _iconhandle icon = MakeIcon();
    FillTrayRecord(record_, NotifyWindow(), icon.get(), hint_);
    // The shell keeps its own copy of the icon: the previous handle can go
    // once the new one is in the record.
    iconHandle_ = std::move(icon);
    if (!added_) added_ = Shell(NIM_ADD);
    const bool modified = Shell(NIM_MODIFY);
    explorerError_ = !modified;
    if (!modified) {
        Log(1, "_tray.KERNEL_UpdateIcon: could not modify icon. Explorer must have died");
        // After the shell restarted it knows no icon of ours: add it anew.
        added_ = Shell(NIM_ADD) || added_;
    }
}

bool _tray::OnMessage(UINT message, WPARAM, LPARAM lparam, LRESULT& result) {
    result = 0;
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // A new shell knows none of the icons the old one showed.
        added_ = false;
        if (Visible()) KERNEL_UpdateIcon();
        return true;
    }
    switch (message) {
    case TRAY_CALLBACK_MESSAGE: mouse_.Notify(*this, lparam); return true;
    case TRAY_REFRESH_MESSAGE: SetHint(Hint()); return true;
    default: return false;
    }
}

// ---------------------------------------------------------------------------

_traybar::_traybar(_component* owner) : _component(owner), tray_(dynamic_cast<_tray*>(owner)) {
    Check(tray_ == nullptr, "_traybar.Create: AOwner is not _tray");
}

void _traybar::Changed() {
    if (tray_) tray_->KERNEL_UpdateIcon(false);
}

void _traybar::SetPosition(std::uint32_t position) {
    if (position < min_) position = min_;
    if (position > max_) position = max_;
    if (position == position_) return;
    position_ = position;
    Changed();
}

void _traybar::SetForeColor(_color color) {
    if (color == foreColor_) return;
    foreColor_ = color;
    Changed();
}

void _traybar::SetBackColor(_color color) {
    if (color == backColor_) return;
    backColor_ = color;
    Changed();
}

void _traybar::SetStripColor(_color color) {
    if (color == stripColor_) return;
    stripColor_ = color;
    Changed();
}

}  // namespace corvex
