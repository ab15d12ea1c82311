#pragma once
// Controls: the visible components.
//
//   _control         bounds, parent, visibility, colour, font, repaint
//   _graphiccontrol  a control without a window: paints on its parent's
//                    surface, clipped to its bounds
//   _wincontrol      a control with a window: one static procedure binds
//                    the window to the object and calls its virtual
//                    WndProc; notifications the window sends its parent
//                    come back to the child's own WndProc (REFLECT + msg)
//   _paintbatch      holds a window's painting back until a group of its
//                    windowless children have all changed
//
// Ownership and parentage are separate: the owner destroys the object,
// the parent shows it. A window object destroys its window only while it
// still has it; a parent's window going first takes the child's window
// with it and the child object simply forgets its handle.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Canvas.h"
#include "Component.h"
#include "Geometry.h"
#include "WinHandle.h"

namespace corvex {

class _wincontrol;

// A notification a child's window sent to its parent arrives at the child's
// object as REFLECT + the original message (WM_COMMAND, WM_NOTIFY,
// WM_HSCROLL, WM_VSCROLL, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR...).
constexpr UINT REFLECT = WM_APP + 0x2000;

using _notifyevent = std::function<void()>;

// Raises an event. The handler runs from a copy, so that it may destroy the
// object whose event it is (a button that closes its own page).
template <class Event, class... Args>
void Raise(const Event& event, Args&&... args) {
    if (!event) return;
    const Event handler = event;
    handler(std::forward<Args>(args)...);
}

// Where a control sits in its parent: aligned controls are laid out in the
// order top, bottom, left, right, client (each group in creation order),
// each taking the full width or height of what is left.
enum _align : unsigned char {
    ALIGN_NONE = 0,
    ALIGN_TOP = 1,
    ALIGN_BOTTOM = 2,
    ALIGN_LEFT = 3,
    ALIGN_RIGHT = 4,
    ALIGN_CLIENT = 5,
};

class _control : public _component {
public:
    _control(_component* owner, _wincontrol* parent);
    ~_control() override;

    // ---- attributes
    _wincontrol* Parent() const noexcept { return parent_; }
    virtual void SetParent(_wincontrol* parent);

    int Left() const noexcept { return bounds_.left; }
    int Top() const noexcept { return bounds_.top; }
    int Width() const noexcept { return bounds_.Width(); }
    int Height() const noexcept { return bounds_.Height(); }
    // In the parent's client coordinates.
    const _rect& BoundsRect() const noexcept { return bounds_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
    virtual _rect ClientRect() const noexcept { return _rect::Bounds(0, 0, Width(), Height()); }
    // The screen position of the client area's top-left corner.
    virtual _point ClientOrigin() const noexcept;

    _align Align() const noexcept { return align_; }
    void SetAlign(_align align);

    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to a shown top-level window visible too.
    bool Showing() const noexcept;

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);

    _color Color() const noexcept { return color_; }
    void SetColor(_color color);

    const _fontspec& Font() const noexcept { return font_; }
    void SetFont(const _fontspec& font);
    void SetFontColor(_color color);
    // A control takes its parent's font until it is given one of its own.
    bool ParentFont() const noexcept { return parentFont_; }

    // A system cursor (IDC_HAND, ...) shown over the control; nullptr: arrow.
    void SetCursor(LPCSTR cursor) noexcept { cursor_ = cursor; }
    LPCSTR Cursor() const noexcept { return cursor_; }

    _notifyevent OnClick;

    // ---- operations
    // Marks the control for painting at the next chance.
    virtual void Invalidate() = 0;
    // Paints the control now: invalidates it and paints before returning.
    virtual void Repaint() = 0;

protected:
    // Hooks after a change has been stored.
    virtual void BoundsChanged(const _rect& old) = 0;
    virtual void VisibleChanged() = 0;
    virtual void EnabledChanged() {}
    virtual void ColorChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    // The parent's font changed: take it while ParentFont.
    void ParentFontChanged(const _fontspec& font);

    _wincontrol* parent_ = nullptr;
    _rect bounds_;

private:
    void Realign();

    _align align_ = ALIGN_NONE;
    bool visible_ = true;
    bool enabled_ = true;
    bool parentFont_ = true;
    _color color_ = SYSCOLOR_BTNFACE;
    _fontspec font_;
    LPCSTR cursor_ = nullptr;

    friend class _wincontrol;
};

// ---------------------------------------------------------------------------

class _graphiccontrol : public _control {
public:
    _graphiccontrol(_component* owner, _wincontrol* parent);
    ~_graphiccontrol() override;

    // Transparent controls leave their background to whatever is beneath.
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool transparent);

    void Invalidate() override;
    void Repaint() override;

    // Paints the control with (0, 0) at its top-left corner; the parent
    // clips the canvas to the control's bounds.
    virtual void Paint(_canvas& canvas) = 0;

protected:
    void BoundsChanged(const _rect& old) override;
    void VisibleChanged() override { InvalidateArea(bounds_); }

private:
    void InvalidateArea(const _rect& area) const;

    bool transparent_ = false;
};

// ---------------------------------------------------------------------------

struct _createparams {
    const char* className = nullptr;  // nullptr: the layer's own class, painted here
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    HWND owner = nullptr;  // the owner window of a top-level window
};

class _wincontrol : public _control {
public:
    // `parent` may be nullptr only for top-level windows (forms).
    _wincontrol(_component* owner, _wincontrol* parent);
    ~_wincontrol() override;

    // ---- attributes
    HWND Handle() const noexcept { return handle_; }
    bool HandleAllocated() const noexcept { return handle_ != nullptr; }
    // The object bound to a window of this layer, or nullptr.
    static _wincontrol* FromHandle(HWND window) noexcept;
    // Windows bound to objects right now (for the leak checks).
    static long LiveWindows() noexcept;

    std::string Text() const;
    void SetText(const std::string& text);

    std::size_t ControlCount() const noexcept { return children_.size(); }
    _control* Controls(std::size_t index) const noexcept;
    _rect ClientRect() const noexcept override;
    _point ClientOrigin() const noexcept override;

    void SetParent(_wincontrol* parent) override;
    bool Focused() const noexcept { return handle_ && GetFocus() == handle_; }
    void SetFocus() noexcept;
    void SetTabStop(bool on);

    _notifyevent OnResize;

    // ---- operations
    LRESULT Perform(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const noexcept {
        return handle_ ? SendMessageA(handle_, message, wparam, lparam) : 0;
    }
    void Invalidate() override;
    void Repaint() override;
    // Paints this control's own surface and its windowless children into
    // `canvas` with the control's top-left corner at (x, y).
    void PaintTo(_canvas& canvas, int x, int y);
    void BringToFront() noexcept;
    // True while a _paintbatch is open on this window.
    bool PaintDeferred() const noexcept { return paintBatches_ > 0; }
    // A device context to measure text on: the memory DC of the top-level
    // window's paint buffer, which costs no trip to the window manager as
    // a window's own DC does. Whoever selects into it puts back what was
    // there.
    HDC MeasuringDC();
    // Lays the aligned children out again (after a change Windows did not
    // tell the layer about).
    void AlignControls();

protected:
    // The window is made here; concrete classes call it at the end of their
    // constructor. Returns false when Windows refused.
    bool CreateHandle(const _createparams& params);
    void DestroyHandle() noexcept;

    virtual LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam);
    // What Windows or the subclassed control would do with the message.
    LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);
    // Paints the surface of a window of the layer's own class: by default
    // the background in Color(). The windowless children are painted after.
    virtual void PaintWindow(_canvas& canvas);
    // After the window changed size (not called for moves). The default
    // lays out the aligned children and raises OnResize.
    virtual void Resized();
    // The part of the client area the aligned children share.
    virtual _rect AlignArea() const noexcept { return ClientRect(); }

    void BoundsChanged(const _rect& old) override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void ColorChanged() override;

    void SetStyleBits(DWORD bits, bool on) noexcept;
    void SetExStyleBits(DWORD bits, bool on) noexcept;
    // The colour brush handed out for WM_CTLCOLOR of subclassed controls.
    HBRUSH ColorBrush();

private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    void Bind(HWND window) noexcept;
    void Unbind() noexcept;

    LRESULT OnPaint();
    // Paints `area` of the window on `screen` through the top-level
    // window's buffer.
    void PaintArea(HDC screen, const _rect& area);
    // The window's surface and its windowless children into `buffer`.
    void PaintBuffered(_canvas& buffer, const _rect& area, HDC screen);
    LRESULT OnEraseBackground(WPARAM dc);
    LRESULT OnWindowPosChanged(LPARAM lparam);
    LRESULT OnReflectable(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT OnReflectedColor(WPARAM dc);
    LRESULT OnSetCursor(WPARAM wparam, LPARAM lparam);
    LRESULT OnLeftButtonUp(WPARAM wparam, LPARAM lparam);

    // Paints the windowless children that meet `area`; given the screen's
    // paint DC, only those inside the part Windows asked to have painted
    // (a band whose graphs changed need not draw its icons again).
    void PaintChildren(_canvas& canvas, const _rect& area, HDC screen = nullptr);
    // Remembers `area` for painting when the open batch closes.
    void DeferPaint(const _rect& area);
    // Paints what the batch gathered, in one go.
    void PaintPending();
    _graphiccontrol* GraphicAt(_point p) const noexcept;
    void ApplyFont();

    HWND handle_ = nullptr;
    WNDPROC previous_ = nullptr;  // a subclassed control's own procedure
    bool ownClass_ = false;
    UINT lastChildId_ = 100;  // identifiers handed to child windows
    bool aligning_ = false;
    int paintBatches_ = 0;
    // What the windowless children marked during a batch.
    std::vector<RECT> pendingPaint_;
    std::size_t pendingCount_ = 0;
    _point windowSize_;  // the size the window last reported
    std::vector<_control*> children_;
    _fonthandle fontHandle_;
    // A top-level window's paint buffer, shared by its child windows.
    std::unique_ptr<_bitmap> paintBuffer_;
    bool painting_ = false;
    _brush colorBrush_;
    _color colorBrushColor_ = 0;

    friend class _control;
    friend class _graphiccontrol;
    friend class _paintbatch;
};

// Holds back what the windowless children of a window ask of Windows:
// their marks are gathered, and the painting that Repaint would do at once
// happens once, for all the marks, when the last batch on the window
// closes. Many graphs of one band changing in one refresh thus cost one
// paint instead of one each.
class _paintbatch {
public:
    explicit _paintbatch(_wincontrol& window) noexcept : window_(window) { ++window_.paintBatches_; }
    ~_paintbatch();
    _paintbatch(const _paintbatch&) = delete;
    _paintbatch& operator=(const _paintbatch&) = delete;

private:
    _wincontrol& window_;
};

}  // namespace corvex
