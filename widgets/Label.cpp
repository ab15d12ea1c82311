#include "Label.h"

namespace corvex {

namespace {

// Runs measure(dc) with `font` selected on the parent's measuring DC, or on
// the screen's without a parent.
template <class Measure>
void Measured(_wincontrol* parent, HFONT font, Measure measure) {
    if (parent) {
        const HDC dc = parent->MeasuringDC();
        const _selected in(dc, font);
        measure(dc);
        return;
    }
    const _windowdc screen;
    const _selected in(screen.Handle(), font);
    measure(screen.Handle());
}

bool Plain(const std::string& text) { return text.find_first_of("&\t") == std::string::npos; }

}  // namespace

_label::_label(_component* owner, _wincontrol* parent, std::string caption)
    : _graphiccontrol(owner, parent), caption_(std::move(caption)) {
    bounds_ = _rect::Bounds(0, 0, 65, 13);
    AdjustSize();
}

void _label::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    textWidth_ = -1;
    AdjustSize();
    Invalidate();
}

void _label::SetAutoSize(bool on) {
    if (on == autoSize_) return;
    autoSize_ = on;
    AdjustSize();
}

void _label::SetAlignment(_alignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Invalidate();
}

void _label::SetFocusControl(_wincontrol* control) {
    if (control == focusControl_) return;
    if (focusControl_) focusControl_->RemoveFreeNotification(*this);
    focusControl_ = control;
    if (focusControl_) focusControl_->FreeNotification(*this);
}

void _label::Notification(_component& destroyed) {
    if (&destroyed == focusControl_) focusControl_ = nullptr;
    _graphiccontrol::Notification(destroyed);
}

void _label::FontChanged() {
    AdjustSize();
    Invalidate();
}

void _label::AdjustSize() {
    if (!autoSize_) return;
    const HFONT font = FontHandle();
    // A single line without access keys or tabs is as wide as its text; an
    // empty caption still takes a line's height.
    _point size;
    if (Plain(caption_) && widths_.Measure(caption_, size)) {
        textWidth_ = size.x;
        SetBounds(Left(), Top(), size.x, size.y);
        return;
    }
    RECT r{0, 0, 0, 0};
    Measured(Parent(), font, [&](HDC dc) {
        DrawTextA(dc, caption_.empty() ? " " : caption_.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    });
    if (!caption_.empty() && Plain(caption_)) textWidth_ = r.right;
    SetBounds(Left(), Top(), caption_.empty() ? 0 : r.right, r.bottom);
}

HFONT _label::FontHandle() {
    if (!font_ || !Font().SameFace(fontOf_)) {
        font_ = MakeFont(Font());
        fontOf_ = Font();
        textWidth_ = -1;
        Measured(Parent(), font_.get(), [this](HDC dc) { widths_.Load(dc); });
    }
    return font_.get();
}

void _label::Paint(_canvas& canvas) {
    const _rect area = ClientRect();
    if (!Transparent()) {
        canvas.SetBrush(Color());
        canvas.FillRect(area);
    }
    if (caption_.empty()) return;
    const _selected font(canvas.Handle(), FontHandle());
    RECT r{area.left, area.top, area.right, area.bottom};
    SetBkMode(canvas.Handle(), TRANSPARENT);
    const UINT format = DT_SINGLELINE | DT_EXPANDTABS |
                        (alignment_ == TEXT_RIGHT ? DT_RIGHT : alignment_ == TEXT_CENTER ? DT_CENTER : DT_LEFT);
    if (!Enabled()) {
        // A highlight one pixel down and right, the shadow on top of it.
        RECT etch{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
        SetTextColor(canvas.Handle(), ToRGB(SYSCOLOR_BTNHIGHLIGHT));
        DrawTextA(canvas.Handle(), caption_.c_str(), -1, &etch, format);
        SetTextColor(canvas.Handle(), ToRGB(SYSCOLOR_BTNSHADOW));
        DrawTextA(canvas.Handle(), caption_.c_str(), -1, &r, format);
        return;
    }
    SetTextColor(canvas.Handle(), ToRGB(Font().color));
    if (Plain(caption_)) {
        // Plain text: written where DrawText would put it, without its
        // measuring at every paint (a meter label is painted every tick).
        const int width = TextWidth();
        const int x = alignment_ == TEXT_RIGHT    ? r.right - width
                      : alignment_ == TEXT_CENTER ? (r.left + r.right - width) / 2
                                                  : r.left;
        ExtTextOutA(canvas.Handle(), x, r.top, ETO_CLIPPED, &r, caption_.c_str(), static_cast<UINT>(caption_.size()),
                    nullptr);
        return;
    }
    DrawTextA(canvas.Handle(), caption_.c_str(), -1, &r, format);
}

int _label::TextWidth() {
    const HFONT font = FontHandle();
    if (textWidth_ >= 0) return textWidth_;
    _point measured;
    if (widths_.Measure(caption_, measured)) return textWidth_ = measured.x;
    SIZE size{};
    Measured(Parent(), font, [&](HDC dc) {
        GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &size);
    });
    textWidth_ = size.cx;
    return textWidth_;
}

}  // namespace corvex
