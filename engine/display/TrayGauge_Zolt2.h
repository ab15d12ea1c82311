#pragma once
// _traygauge: a self-contained two-bar gauge in the notification area,
// with its own colours and an icon of its own for a full reading. The CPU
// readout feeds it the load of up to two processors.
//
// Windows tree only.

#include <cstdint>
#include <memory>
#include <string>

#include "Bitmap.h"
#include "Canvas.h"
#include "Color.h"
#include "Component.h"
#include "TrayPicture.h"
#include "TrayShell.h"
#include "WinHandle.h"

namespace corvex {

class _messagewindow;
class _popupmenu;

enum TPBKind : unsigned char {
    pkHorizontal = 0,
    pkVertical = 1,
};

enum _tgaugeborder : unsigned char {
    TRAY_BORDER_NONE = 0,
    TRAY_BORDER_SINGLE = 1,
};

class _traygauge : public _component {
public:
    explicit _traygauge(_component* owner);
    ~_traygauge() override;

    // ---- attributes (setters ignore equal values, otherwise update)
    _tgaugelook Look() const noexcept { return look_; }
    void SetLook(_tgaugelook look);
    _color StripColor1() const noexcept { return strip1_; }
    void SetStripColor1(_color color);
    _color StripColor2() const noexcept { return strip2_; }
    void SetStripColor2(_color color);
    // True adds the icon, False removes it.
    bool Active() const noexcept { return active_; }
    void SetActive(bool active);
    // Only meaningful in a designer; stored and otherwise ignored.
    bool ShowDesigning() const noexcept { return showDesigning_; }
    void SetShowDesigning(bool show) noexcept { showDesigning_ = show; }
    const _icon& Icon() const noexcept { return icon_; }
    void SetIcon(const _icon& icon);
    const std::string& Hint() const noexcept { return hint_; }
    // Cut to 62 characters.
    void SetHint(const std::string& hint);
    _popupmenu* PopupMenu() const noexcept { return mouse_.popup; }
    void SetPopupMenu(_popupmenu* menu);
    std::uint32_t Min() const noexcept { return min_; }
    void SetMin(std::uint32_t value);
    std::uint32_t Max() const noexcept { return max_; }
    void SetMax(std::uint32_t value);
    std::uint32_t Position() const noexcept { return position_; }
    void SetPosition(std::uint32_t value);
    std::uint32_t Position2() const noexcept { return position2_; }
    void SetPosition2(std::uint32_t value);
    bool ExplorerError() const noexcept { return explorerError_; }
    TPBKind Kind() const noexcept { return kind_; }
    void SetKind(TPBKind kind);
    // Shown instead of the bars while Position = Max.
    const _icon& MaxIcon() const noexcept { return maxIcon_; }
    void SetMaxIcon(const _icon& icon);
    const _fontspec& Font() const noexcept { return font_; }
    void SetFont(const _fontspec& font);
    bool ShowText() const noexcept { return showText_; }
    void SetShowText(bool show);
    _tgaugeborder BorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(_tgaugeborder style);
    _color ForeColor1() const noexcept { return fore1_; }
    void SetForeColor1(_color color);
    _color ForeColor2() const noexcept { return fore2_; }
    void SetForeColor2(_color color);
    _color BackColor() const noexcept { return back_; }
    void SetBackColor(_color color);
    _color BorderColor() const noexcept { return border_; }
    void SetBorderColor(_color color);
    // A "%s" in the hint shows the position as a percentage.
    bool ProgressInHint() const noexcept { return progressInHint_; }
    void SetProgressInHint(bool on);

    _traynotifyevent& OnClick = mouse_.OnClick;
    _traynotifyevent& OnDblClick = mouse_.OnDblClick;
    _traymouseevent& OnRightClick = mouse_.OnRightClick;

    HWND NotifyWindow() const noexcept;
    const _bitmap& Picture() const noexcept { return surface_.Picture(); }
    // The icon and tip last handed to the shell.
    HICON ShownIcon() const noexcept { return record_.hIcon; }
    std::string ShownTip() const { return record_.szTip; }
    void SetShellNotify(_shellnotify notify) { shell_ = std::move(notify); }

    // ---- operations
    // Rebuilds the icon and the tip and hands them to the shell when
    // active; false when the shell refused.
    bool Update();
    // The shell's message that it (re)started: an active gauge adds its icon again.
    UINT TaskbarCreatedMessage() const noexcept { return taskbarCreated_; }

protected:
    void Notification(_component& destroyed) override;

private:
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    // The bars of the present state into the picture (the standard look
    // keeps the picture as it was last drawn).
    void Draw();
    std::string Tip() const;
    // Whether the full reading shows the max icon instead of the bars.
    bool ShowsMaxIcon() const noexcept { return position_ == max_ && !maxIcon_.Empty(); }
    // Draws, and hands the icon and tip to the shell when active. Unless
    // `force`d, an icon the shell holds already is left alone when neither
    // its picture nor its tip changed: most readings move no pixel.
    bool Refresh(bool force);
    // Fills the record with the icon and tip of the present state.
    void Prepare();
    bool Add();
    bool Shell(DWORD message);
    std::uint32_t Clamp(std::uint32_t value) const noexcept;
    template <class T>
    void Store(T& field, T value) {
        if (field == value) return;
        field = value;
        Refresh(false);
    }

    _tgaugelook look_ = TRAY_GAUGE_BEOS;
    _color strip1_ = COLOR_GRAY;
    _color strip2_ = COLOR_GRAY;
    bool active_ = false;
    bool showDesigning_ = false;
    _icon icon_;
    std::string hint_;
    std::uint32_t min_ = 0;
    std::uint32_t max_ = 100;
    std::uint32_t position_ = 0;
    std::uint32_t position2_ = 0;
    bool explorerError_ = false;
    TPBKind kind_ = pkHorizontal;
    _icon maxIcon_;
    _fontspec font_;
    bool showText_ = true;
    _tgaugeborder borderStyle_ = TRAY_BORDER_SINGLE;
    _color fore1_ = SYSCOLOR_HIGHLIGHT;
    _color fore2_ = SYSCOLOR_HIGHLIGHT;
    _color back_ = SYSCOLOR_HIGHLIGHTTEXT;
    _color border_ = COLOR_BLACK;
    bool progressInHint_ = false;

    _traymouse mouse_;
    _shellnotify shell_ = SystemShellNotify();
    _traynotifydata record_;
    _traysurface surface_;
    _traypicture bars_;       // drawn last
    _traypicture shownBars_;  // in the icon the shell holds
    bool shownMaxIcon_ = false;
    _iconhandle drawn_;  // the icon made last from the bars
    bool added_ = false;
    UINT taskbarCreated_ = 0;
    std::unique_ptr<_messagewindow> window_;
};

}  // namespace corvex
