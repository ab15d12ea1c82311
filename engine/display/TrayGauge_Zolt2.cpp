#include "TrayGauge_Zolt2.h"

#include <shellapi.h>

#include "Menu.h"
#include "MessageWindow.h"
#include "TrayHint.h"

namespace corvex {

namespace {

// One character less than the tip holds.
constexpr std::size_t kGaugeHintChars = 62;

_traybarlook BarLook(std::uint32_t position, _color fore, _color back, _color strip) {
    _traybarlook look;
    look.position = position;
    look.fore = ToRGB(fore);
    look.back = ToRGB(back);
    look.strip = ToRGB(strip);
    return look;
}

_fontspec GaugeFont() {
    _fontspec font;
    font.name = "Small Font";
    font.height = -9;  // 7 points at 96 pixels per inch
    font.color = COLOR_BLACK;
    font.style = 0;
    return font;
}

}  // namespace

_traygauge::_traygauge(_component* owner)
    : _component(owner), font_(GaugeFont()), taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
    surface_.Picture().Canvas().SetFont(font_);
    window_ = std::make_unique<_messagewindow>(
        [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
            return OnMessage(message, wparam, lparam, result);
        });
}

_traygauge::~_traygauge() {
    if (added_) Shell(NIM_DELETE);
}

HWND _traygauge::NotifyWindow() const noexcept {
    return window_ ? window_->Handle() : nullptr;
}

void _traygauge::SetLook(_tgaugelook look) { Store(look_, look); }
void _traygauge::SetStripColor1(_color color) { Store(strip1_, color); }
void _traygauge::SetStripColor2(_color color) { Store(strip2_, color); }
void _traygauge::SetShowText(bool show) { Store(showText_, show); }
void _traygauge::SetProgressInHint(bool on) { Store(progressInHint_, on); }
void _traygauge::SetBorderStyle(_tgaugeborder style) { Store(borderStyle_, style); }
void _traygauge::SetForeColor1(_color color) { Store(fore1_, color); }
void _traygauge::SetForeColor2(_color color) { Store(fore2_, color); }
void _traygauge::SetBackColor(_color color) { Store(back_, color); }
void _traygauge::SetKind(TPBKind kind) { Store(kind_, kind); }

void _traygauge::SetBorderColor(_color color) {
    if (color == border_) return;
    border_ = color;
    if (borderStyle_ == TRAY_BORDER_SINGLE) Refresh(false);
}

void _traygauge::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (active) {
        Draw();
        Prepare();
        explorerError_ = !Add();
    } else {
        if (added_) Shell(NIM_DELETE);
        added_ = false;
    }
}

void _traygauge::SetIcon(const _icon& icon) {
    if (&icon != &icon_) icon_ = _icon::Copy(icon.Handle());
    Update();
}

void _traygauge::SetMaxIcon(const _icon& icon) {
    if (&icon != &maxIcon_) maxIcon_ = _icon::Copy(icon.Handle());
    if (position_ == max_) Update();
}

void _traygauge::SetHint(const std::string& hint) {
    hint_ = CutTrayHint(hint, kGaugeHintChars);
    Update();
}

void _traygauge::SetFont(const _fontspec& font) {
    if (font == font_) return;
    font_ = font;
    surface_.Picture().Canvas().SetFont(font_);
    Refresh(false);
}

void _traygauge::SetPopupMenu(_popupmenu* menu) {
    if (menu == mouse_.popup) return;
    if (mouse_.popup) mouse_.popup->RemoveFreeNotification(*this);
    mouse_.popup = menu;
    if (menu) menu->FreeNotification(*this);
}

void _traygauge::Notification(_component& destroyed) {
    if (&destroyed == mouse_.popup) mouse_.popup = nullptr;
    _component::Notification(destroyed);
}

void _traygauge::SetMin(std::uint32_t value) {
    if (value == min_) return;
    min_ = value > max_ ? max_ : value;
    if (position_ < min_) position_ = min_;
    if (position2_ < min_) position2_ = min_;
    Refresh(false);
}

void _traygauge::SetMax(std::uint32_t value) {
    if (value == max_) return;
    max_ = value < min_ ? min_ : value;
    if (position_ > max_) position_ = max_;
    if (position2_ > max_) position2_ = max_;
    Refresh(false);
}

std::uint32_t _traygauge::Clamp(std::uint32_t value) const noexcept {
    return value < min_ ? min_ : value > max_ ? max_ : value;
}

void _traygauge::SetPosition(std::uint32_t value) {
    // Compared after clamping: a reading above Max every tick is one change.
    value = Clamp(value);
    if (value == position_) return;
    position_ = value;
    Refresh(false);
}

void _traygauge::SetPosition2(std::uint32_t value) {
    value = Clamp(value);
    if (value == position2_) return;
    position2_ = value;
    Refresh(false);
}

bool _traygauge::Shell(DWORD message) {
    return shell_ && shell_(message, record_);
}

void _traygauge::Draw() {
    if (ShowsMaxIcon() || (look_ != TRAY_GAUGE_NT && look_ != TRAY_GAUGE_BEOS)) return;
    const _traybarlook bar0 = BarLook(position_, fore1_, back_, strip1_);
    const _traybarlook bar1 = BarLook(position2_, fore2_, back_, strip2_);
    if (look_ == TRAY_GAUGE_NT)
        DrawTrayNT(bars_, bar0, bar1);
    else
        DrawTrayBeOS(bars_, bar0, bar1, ToRGB(border_), ToRGB(SYSCOLOR_BTNFACE));
    surface_.Put(bars_);
}

std::string _traygauge::Tip() const {
    return progressInHint_ && TrayHintWantsValue(hint_) ? FormatTrayHint(hint_, position_) : hint_;
}

void _traygauge::Prepare() {
    HICON icon = nullptr;
    shownMaxIcon_ = ShowsMaxIcon();
    if (shownMaxIcon_) {
        icon = maxIcon_.Handle();  // the shell copies it; ours stays owned here
    } else {
        drawn_ = surface_.MakeIcon();
        icon = drawn_.get();
        shownBars_ = bars_;
    }
    FillTrayRecord(record_, NotifyWindow(), icon, Tip());
}

bool _traygauge::Add() {
    const bool added = Shell(NIM_ADD);
    added_ = added_ || added;
    // Without a hint the shell may show no tip at all until it is set
    // again; the message does that once the add is through.
    if (hint_.empty() && NotifyWindow()) PostMessageA(NotifyWindow(), TRAY_REFRESH_MESSAGE, 0, 0);
    return added;
}

bool _traygauge::Update() { return Refresh(true); }

bool _traygauge::Refresh(bool force) {
    Draw();
    // An inactive gauge makes no icon: nobody would see it.
    if (!active_) return true;
    if (!force && added_ && !explorerError_ && ShowsMaxIcon() == shownMaxIcon_ &&
        (shownMaxIcon_ || shownBars_.Pixels() == bars_.Pixels()) && Tip() == record_.szTip)
        return true;
    Prepare();
    bool ok = Shell(NIM_MODIFY);
    if (!ok) ok = Add();
    explorerError_ = !ok;
    return ok;
}

bool _traygauge::OnMessage(UINT message, WPARAM, LPARAM lparam, LRESULT& result) {
    result = 0;
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // A new shell knows none of the icons the old one showed.
        if (active_) {
            added_ = false;
            Prepare();
            explorerError_ = !Add();
        }
        return true;
    }
    switch (message) {
    case TRAY_CALLBACK_MESSAGE: mouse_.Notify(*this, lparam); return true;
    case TRAY_REFRESH_MESSAGE: SetHint(Hint()); return true;
    default: return false;
    }
}

}  // namespace corvex
