#pragma once
// _modalpanel: the window of a companion library, shown the way a modal
// box is: the caller's active window is disabled while the panel is open
// and gets the activation back afterwards, and the panel runs a message
// loop of its own until the user closes it (OK, Enter, Esc or the close
// box). A quit message that arrives meanwhile ends the panel and is posted
// again for the caller's own loop.
//
// Each library registers the panel's class on its own module and takes it
// back when the panel has gone: the library is unloaded right after the
// call, and a class left behind would point into code that is no longer
// there.

#include <windows.h>

#include <string>

#include "WinHandle.h"

namespace corvex {

class _modalpanel {
public:
    _modalpanel(const char* className, std::string caption);
    virtual ~_modalpanel() = default;
    _modalpanel(const _modalpanel&) = delete;
    _modalpanel& operator=(const _modalpanel&) = delete;

    // Shows the panel and returns when it has been closed.
    void ShowModal();

protected:
    static constexpr int kMargin = 12;
    static constexpr int kGap = 4;

    HWND Handle() const noexcept { return window_; }
    // The dialog font (borrowed from the system) and its bold face.
    HFONT TextFont() const noexcept { return textFont_; }
    HFONT BoldFont() const noexcept { return static_cast<HFONT>(boldFont_.get()); }

    // Size of `text` in `font`; wrapped at `wrapWidth` when it is not 0.
    SIZE MeasureText(const std::string& text, HFONT font, int wrapWidth = 0) const;
    // A child control of the panel, in the panel's font unless told.
    HWND AddControl(const char* windowClass, const std::string& text, DWORD style, int id, const RECT& bounds,
                    HFONT font = nullptr);
    // A label that shows its text as it is ("&" included), wrapping long lines.
    HWND AddLabel(const std::string& text, int id, const RECT& bounds, HFONT font = nullptr);
    // The default OK button, right-aligned at `top`; gives the panel's
    // client height below it.
    int AddOkButton(int clientWidth, int top);
    // Sizes the window around a client area of this size and centres it
    // on the work area.
    void SetClientSize(int width, int height);

    // At creation: make the controls and size the window.
    virtual void Build() = 0;
    // Drawing of the panel's own beyond its controls.
    virtual void Paint(HDC dc) { (void)dc; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT OnCreate();
    LRESULT OnPaint();
    LRESULT OnCommand(WPARAM wparam);
    LRESULT OnNcDestroy();
    void Close();
    bool RunLoop(WPARAM& quitCode);

    const char* className_;
    std::string caption_;
    HWND window_ = nullptr;
    bool closed_ = false;
    HFONT textFont_ = nullptr;  // stock object: never deleted
    _fonthandle boldFont_;
};

}  // namespace corvex
