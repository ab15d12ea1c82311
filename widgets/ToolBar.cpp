#include "ToolBar.h"

#include "ToolTip.h"

namespace corvex {

namespace {
constexpr int kGlyphGap = 2;  // between the picture and the caption
}

_speedbutton::_speedbutton(_component* owner, _wincontrol* parent, const std::string& caption)
    : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 48, 23);
    _createparams params;
    params.className = "BUTTON";
    // Drawn here: a flat face, the picture and the caption. No WS_TABSTOP.
    params.style = BS_OWNERDRAW;
    params.text = caption;
    CreateHandle(params);
}

void _speedbutton::SetGlyph(const _bitmap& glyph) {
    glyph_.Assign(glyph);
    greyGlyph_.Assign(glyph);
    if (!glyph_.Empty()) {
        const _color clear = glyph_.Pixel(0, glyph_.Height() - 1);
        const _color grey = FromRGB(ToRGB(SYSCOLOR_BTNSHADOW));
        for (int y = 0; y < glyph_.Height(); ++y)
            for (int x = 0; x < glyph_.Width(); ++x)
                if (glyph_.Pixel(x, y) != clear) greyGlyph_.Canvas().SetPixel(x, y, grey);
    }
    Invalidate();
}

void _speedbutton::Click() {
    if (Enabled()) Raise(OnClick);
}

LRESULT _speedbutton::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        // A speed button never keeps the focus from the control the user
        // works in.
        case WM_SETFOCUS: return 0;
        case WM_MOUSEMOVE: return OnMouseMove(wparam, lparam);
        case WM_MOUSELEAVE: return OnMouseLeave(wparam, lparam);
        case REFLECT + WM_COMMAND: return OnCommand(wparam);
        case REFLECT + WM_DRAWITEM: return OnDrawItem(lparam);
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _speedbutton::OnCommand(WPARAM wparam) {
    if (HIWORD(wparam) == BN_CLICKED) Click();
    return 0;
}

LRESULT _speedbutton::OnMouseMove(WPARAM wparam, LPARAM lparam) {
    if (!hot_) {
        hot_ = true;
        // Told once the mouse leaves, so the frame can go again.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
        Invalidate();
    }
    return Default(WM_MOUSEMOVE, wparam, lparam);
}

LRESULT _speedbutton::OnMouseLeave(WPARAM wparam, LPARAM lparam) {
    hot_ = false;
    Invalidate();
    return Default(WM_MOUSELEAVE, wparam, lparam);
}

LRESULT _speedbutton::OnDrawItem(LPARAM lparam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    const HDC dc = item->hDC;
    RECT r = item->rcItem;
    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    const bool enabled = Enabled();
    const int saved = SaveDC(dc);
    {
        _canvas canvas(dc);
        canvas.SetBrush(Color());
        canvas.FillRect({r.left, r.top, r.right, r.bottom});
        if (pressed)
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        else if (hot_ && enabled)
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);

        const std::string caption = Caption();
        canvas.SetFont(Font());
        RECT text{0, 0, 0, 0};
        if (!caption.empty()) DrawTextA(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
        // A picture that leaves the caption no room is left out: the
        // caption says what the button does.
        int glyphWidth = glyph_.Empty() ? 0 : glyph_.Width();
        if (glyphWidth && text.right && glyphWidth + kGlyphGap + text.right > r.right - r.left - 4) glyphWidth = 0;
        const int gap = glyphWidth && text.right ? kGlyphGap : 0;
        const int shift = pressed ? 1 : 0;  // the face sinks while pressed
        int x = r.left + (r.right - r.left - (glyphWidth + gap + text.right)) / 2 + shift;
        if (glyphWidth) {
            const int y = r.top + (r.bottom - r.top - glyph_.Height()) / 2 + shift;
            const _bitmap& shown = enabled ? glyph_ : greyGlyph_;
            canvas.DrawTransparent(x, y, shown, glyph_.Pixel(0, glyph_.Height() - 1));
            x += glyphWidth + gap;
        }
        if (!caption.empty()) {
            RECT place{x, r.top + shift, x + text.right, r.bottom + shift};
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ToRGB(enabled ? Font().color : SYSCOLOR_BTNSHADOW));
            DrawTextA(dc, caption.c_str(), -1, &place, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        }
    }
    RestoreDC(dc, saved);
    return TRUE;
}

_toolbar::_toolbar(_component* owner, _wincontrol* parent) : _panel(owner, parent) {
    SetBevelOuter(BEVEL_NONE);
    SetBounds(0, 0, 185, 29);
    SetAlign(ALIGN_TOP);
}

_speedbutton& _toolbar::AddButton(const std::string& caption, int width, int height) {
    _speedbutton& button = Make<_speedbutton>(this, caption);
    button.SetBounds(next_, 2, width, height);
    next_ += width;
    return button;
}

void _toolbar::SetHint(_speedbutton& button, const std::string& hint) {
    if (!hints_) {
        if (hint.empty()) return;
        hints_ = &Make<_tooltip>(*this);
    }
    hints_->SetHint(button, hint);
}

std::string _toolbar::Hint(const _speedbutton& button) const { return hints_ ? hints_->Hint(button) : std::string(); }

}  // namespace corvex
