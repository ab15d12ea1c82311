#pragma once
// _form: a top-level window. Borderless (the bar), fixed single border,
// sizeable with a minimum size, or a dialog frame; optionally centred on the
// screen when first shown, stay-on-top, layered. Every form is owned by the
// application's hidden window, so no form has a task-bar button.
//
// Closing a form hides it; closing the main form ends the message loop.

#include "Control.h"
#include "ShortCut.h"

namespace corvex {

class _menu;

enum _formborder : unsigned char {
    FORM_BORDER_NONE = 0,
    FORM_BORDER_SINGLE = 1,
    FORM_BORDER_SIZEABLE = 2,
    FORM_BORDER_DIALOG = 3,
};

enum _formposition : unsigned char {
    FORM_POSITION_DESIGNED = 0,       // where SetBounds puts it
    FORM_POSITION_SCREEN_CENTER = 1,  // centred on the work area when first shown
};

enum _bordericon : unsigned char {
    BORDER_ICON_SYSTEM_MENU = 1,
    BORDER_ICON_MINIMIZE = 2,
    BORDER_ICON_MAXIMIZE = 4,
};

class _form : public _wincontrol {
public:
    explicit _form(_component* owner);
    ~_form() override;

    // ---- attributes
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    _formborder BorderStyle() const noexcept { return border_; }
    void SetBorderStyle(_formborder border);
    unsigned char BorderIcons() const noexcept { return icons_; }
    void SetBorderIcons(unsigned char icons);  // _bordericon bits
    int ClientWidth() const noexcept { return ClientRect().Width(); }
    int ClientHeight() const noexcept { return ClientRect().Height(); }
    void SetClientSize(int width, int height);
    // Smallest outer size the user can drag the form to (0: no limit).
    void SetMinSize(int width, int height) noexcept;
    _formposition Position() const noexcept { return position_; }
    void SetPosition(_formposition position);
    bool OnTop() const noexcept { return onTop_; }
    void SetOnTop(bool on);
    bool Layered() const noexcept { return layered_; }
    void SetLayered(bool on);
    // The menu offered the key presses this form does not use itself
    // (a main menu of invisible items serving short-cuts).
    void SetShortCutMenu(_menu* menu) noexcept { shortCutMenu_ = menu; }
    // Tab and the arrow keys move the focus between controls, Enter and
    // Esc press the default and cancel buttons (off for the bar).
    bool DialogKeys() const noexcept { return dialogKeys_; }
    void SetDialogKeys(bool on) noexcept { dialogKeys_ = on; }

    // ---- operations
    void Close();
    void Centre();
    // Offers a short-cut to the form: true when something used it.
    bool IsShortCut(_shortcut code) { return ShortCut(code); }

protected:
    // FormCloseQuery: false keeps the form open.
    virtual bool CloseQuery() { return true; }
    // FormClose: the form is about to be hidden.
    virtual void Closed() {}
    // FormShow: the form is about to become visible.
    virtual void Shown() {}
    // FormShortCut: the default offers it to the short-cut menu, then
    // Alt + a label's access key focuses that label's control.
    virtual bool ShortCut(_shortcut code);
    // WM_QUERYENDSESSION (answer: may the session end) and WM_ENDSESSION;
    // each called once per round however many ways the message arrives.
    virtual bool QueryEndSession() { return true; }
    virtual void EndSession(bool ending) { (void)ending; }

    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    void VisibleChanged() override;

private:
    LRESULT OnClose();
    LRESULT OnShowWindow(WPARAM shown, LPARAM lparam);
    LRESULT OnGetMinMaxInfo(LPARAM info);
    LRESULT OnSysCommand(WPARAM command, LPARAM lparam);
    LRESULT OnQueryEndSession();
    LRESULT OnEndSession(WPARAM ending);
    void ApplyStyle();
    bool FocusByAccessKey(const _wincontrol& within, char key);

    _formborder border_ = FORM_BORDER_SIZEABLE;
    unsigned char icons_ = BORDER_ICON_SYSTEM_MENU | BORDER_ICON_MINIMIZE | BORDER_ICON_MAXIMIZE;
    _formposition position_ = FORM_POSITION_DESIGNED;
    bool centred_ = false;
    bool onTop_ = false;
    bool layered_ = false;
    int minWidth_ = 0, minHeight_ = 0;
    _menu* shortCutMenu_ = nullptr;
    bool dialogKeys_ = true;
    // End-of-session messages reach the main form directly and through the
    // application window; these make each round count once.
    bool queryAnswered_ = false;
    bool queryAnswer_ = true;
    bool endHandled_ = false;
};

}  // namespace corvex
