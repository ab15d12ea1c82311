#pragma once
// _application: the one process-wide application object (Application()).
// It keeps a hidden tool window that owns every form, so that neither it
// nor the forms get a task-bar button; runs the message loop until the main
// form closes; offers key presses to the active form as short-cuts; routes
// the end-of-session messages to the main form; and raises OnMinimize when
// the program is minimised.

#include <windows.h>

#include <memory>
#include <string>

#include "Control.h"
#include "ShortCut.h"

namespace corvex {

class _form;
class _applicationwindow;

class _application final {
public:
    _application();
    ~_application();
    _application(const _application&) = delete;
    _application& operator=(const _application&) = delete;

    // ---- attributes
    HWND Handle() const noexcept;
    const std::string& Title() const noexcept { return title_; }
    void SetTitle(const std::string& title);
    // The first form made is the main form unless another is named.
    _form* MainForm() const noexcept { return main_; }
    void SetMainForm(_form* form) noexcept { main_ = form; }
    // The message loop has taken the quit message.
    bool Terminated() const noexcept { return terminated_; }

    _notifyevent OnMinimize;

    // ---- operations
    // Shows the main form and runs the message loop until it closes.
    void Run();
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // Ends the message loop.
    void Terminate() noexcept;
    // Brings the main form (or the last active form) to the foreground.
    void BringToFront() noexcept;
    void Minimize();
    void Restore() noexcept;

    // The short-cut code of a key message with the modifiers held now;
    // SHORTCUT_NONE for messages that are not key presses.
    static _shortcut ShortCutOf(const MSG& message) noexcept;

private:
    friend class _form;
    friend class _applicationwindow;
    void FormCreated(_form& form) noexcept;
    void FormDestroyed(_form& form) noexcept;
    // Offers a key press to the form that has the focus; true when used.
    bool OfferShortCut(const MSG& message);
    bool Dispatch(MSG& message);

    std::unique_ptr<_applicationwindow> window_;
    std::string title_;
    _form* main_ = nullptr;
    bool terminated_ = false;
};

// The process-wide application object, made at first use.
_application& Application();

}  // namespace corvex
