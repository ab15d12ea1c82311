#include "Impulse_Zolt2.h"

#include <algorithm>

#include "ImpulseFrame.h"
#include "ImpulseText.h"

namespace corvex {

namespace {

// The text blends of the progressor: OR over the gray background, XOR
// (glyphs invert what is beneath) over any other.
constexpr DWORD kBlendOr = 0x00EE0086;
constexpr DWORD kBlendXor = 0x00660046;

std::uint32_t Clamped(std::uint32_t value, std::uint32_t max) noexcept { return value < max ? value : max; }

}  // namespace

_impulse::_impulse(_component* owner, _wincontrol* parent) : _graphiccontrol(owner, parent) {
    history_.Resize(500);
    SetColor(COLOR_WHITE);
    SetFontColor(COLOR_WHITE);
    SetBounds(Left(), Top(), 100, 100);
    // One sample 0 so the history is never read empty; it sits at the
    // oldest index, so the trace shows nothing yet.
    Append(0);
    frame_.SetSize(Width(), Height());
    Render();
}

_impulse::~_impulse() = default;

void _impulse::SetMax(std::uint32_t max) {
    if (max == max_) return;
    max_ = max;
    Restyled();
}

void _impulse::SetHistorySize(std::uint32_t size) {
    if (size == history_.Size()) return;
    history_.Resize(size);
    traceDrawn_ = frameDrawn_ = false;
}

void _impulse::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    Changed();
}

void _impulse::SetStaticColor(_color color) {
    if (color == staticColor_) return;
    staticColor_ = color;
    Restyled();
}

void _impulse::SetBackColor(_color color) {
    if (color == backColor_) return;
    backColor_ = color;
    Restyled();
}

void _impulse::SetBorderColor1(_color color) {
    if (color == border1_) return;
    border1_ = color;
    Restyled();
}

void _impulse::SetBorderColor2(_color color) {
    if (color == border2_) return;
    border2_ = color;
    Restyled();
}

void _impulse::SetStyle(_istyle style) {
    if (style == style_) return;
    style_ = style;
    Restyled();
}

void _impulse::SetArt(_iart art) {
    if (art == art_) return;
    const bool modeSwitched = ((art ^ art_) & IMPULSE_CACHED) != 0;
    art_ = art;
    // Switching the cache on or off shows at once and is not itself a
    // pending change: counted, it would make every later Flush repaint and
    // the cache would never save a frame.
    if (modeSwitched)
        Repaint();
    else
        Restyled();
}

void _impulse::Append(std::uint32_t value) {
    if (history_.Size() == 0) return;  // no storage while the size is 0
    history_.Append(value, Color());
    if (traceAppended_ != UINT32_MAX) ++traceAppended_;
    frameDrawn_ = false;
    // A passing state: the first sample after it ends it, without a repaint.
    art_ = static_cast<_iart>(art_ & ~IMPULSE_SLEEPY);
}

void _impulse::Changed() {
    frameDrawn_ = false;
    if (art_ & IMPULSE_CACHED) {
        // Held at its top rather than wrapping to 0, which would stop Flush.
        if (pending_ != UINT32_MAX) ++pending_;
    } else {
        Repaint();
    }
}

void _impulse::Restyled() {
    traceDrawn_ = false;
    Changed();
}

void _impulse::Flush() {
    if (!(art_ & IMPULSE_CACHED) || pending_ != 0) Repaint();
}

void _impulse::Paint(_canvas& canvas) {
    if (frame_.Width() != Width() || frame_.Height() != Height()) {
        if (Width() <= 0 || Height() <= 0)
            frame_.SetSize(0, 0);
        else
            frame_.SetSize(Width(), Height());
        frameDrawn_ = false;
    }
    if (!frameDrawn_) Render();
    canvas.Draw(0, 0, frame_, SRCCOPY);
}

void _impulse::Render() {
    frameDrawn_ = true;
    const _istyle style = (art_ & IMPULSE_SLEEPY) ? IMPULSE_PROGRESSOR : style_;
    switch (style) {
        case IMPULSE_OSCILLO:
        case IMPULSE_SPECTRUM: DrawGraph(style); break;
        case IMPULSE_PROGRESSOR: DrawProgress(); break;
        default: break;  // an unknown style draws nothing
    }
}

// Outline in Color (the border covers it later), inside in BackColor.
void _impulse::DrawGround(_canvas& c, int w, int h) {
    c.SetPen(Color());
    c.SetBrush(backColor_);
    c.Rectangle(_rect::Bounds(0, 0, w, h));
}

void _impulse::DrawGraph(_istyle style) {
    if (frame_.Empty()) return;
    UpdateTrace(style);
    frame_.Canvas().Draw(0, 0, trace_, SRCCOPY);
    DrawText(style);
}

// The trace holds the ground, the border and, clipped to the inside
// (columns 1 .. w - 2 of rows 1 .. h - 2), the samples. After
// n new samples those move n columns to the left, and the n columns that
// came in depend on the samples up to two columns beyond them. That holds
// while no sample the frame shows has dropped out of the history.
void _impulse::UpdateTrace(_istyle style) {
    const int w = frame_.Width(), h = frame_.Height();
    const std::uint32_t count = history_.Count(), appended = traceAppended_;
    // System colours among these may have changed since.
    const _tracecolors colors{ToRGB(backColor_), ToRGB(staticColor_), ToRGB(border1_), ToRGB(border2_)};
    const bool kept = traceDrawn_ && traceStyle_ == style && trace_.Width() == w && trace_.Height() == h &&
                      traceColors_ == colors && w >= 3 && h >= 3 &&
                      appended < static_cast<std::uint32_t>(w - 2) &&
                      (count == traceCount_ + appended || count >= static_cast<std::uint32_t>(w) + 2);
    if (kept && appended == 0) return;
    if (kept) {
        const int n = static_cast<int>(appended);
        trace_.ScrollLeft(_rect{1, 1, w - 1, h - 1}, n);
        _canvas& c = trace_.Canvas();
        c.SetBrush(backColor_);
        c.FillRect(_rect{w - 1 - n, 1, w - 1, h - 1});
        DrawSamples(c, style, w, h, appended + 2);
    } else {
        trace_.SetSize(w, h);
        _canvas& c = trace_.Canvas();
        SelectClipRgn(c.Handle(), nullptr);
        DrawGround(c, w, h);
        DrawBorder(c, w, h);
        IntersectClipRect(c.Handle(), 1, 1, w - 1, h - 1);
        DrawSamples(c, style, w, h, static_cast<std::uint32_t>(w) + 1);
    }
    traceDrawn_ = !trace_.Empty();
    traceStyle_ = style;
    traceAppended_ = 0;
    traceCount_ = count;
    traceColors_ = colors;
}

// Sample k lands in column w - k, the walk going back `limit` + 1 samples.
// The whole trace stops one sample past column 0: every visible pixel
// comes out as the whole history would draw it, and a long history costs
// no more than the columns shown.
void _impulse::DrawSamples(_canvas& c, _istyle style, int w, int h, std::uint32_t limit) {
    if (max_ == 0) return;
    c.SetPen(staticColor_);
    c.MoveTo(w, h);
    history_.Walk(limit, [&](std::uint32_t k, const _isample& sample) {
        const int x = w - static_cast<int>(k);
        const std::uint32_t v = Clamped(sample.value, max_);
        if (style == IMPULSE_OSCILLO) {
            c.LineTo(x, OscilloY(v, max_, h));
        } else {
            c.SetPen(sample.color);
            c.MoveTo(x, h);
            c.LineTo(x, SpectrumTop(v, max_, h));
        }
    });
}

void _impulse::DrawProgress() {
    if (frame_.Empty()) return;
    const int w = frame_.Width(), h = frame_.Height();
    _canvas& c = frame_.Canvas();
    DrawGround(c, w, h);
    const int length = ProgressLength(Clamped(history_.Newest().value, max_), max_, w);
    _rect fill{1, 1, length + 1, h + 1};
    if (length > 4 && (art_ & IMPULSE_SHADED)) {
        const _color rgb = FromRGB(ToRGB(Color()));
        c.SetPen(Lighten(rgb, 50));
        c.MoveTo(length - 2, 1);
        c.LineTo(1, 1);
        c.LineTo(1, h - 1);
        c.SetPen(Darken(rgb, 50));
        c.MoveTo(2, h - 2);
        c.LineTo(length - 1, h - 2);
        c.LineTo(length - 1, 0);
        fill = {2, 2, length - 1, h - 2};
    }
    c.SetBrush(Color());
    c.FillRect(fill);
    DrawText(IMPULSE_PROGRESSOR);
    DrawBorder(c, w, h);
}

void _impulse::DrawText(_istyle style) {
    // Measured with the bitmap's own default font, not the control's Font:
    // the text is left out of graphs too low for the system's text. That
    // font never changes, so once is enough.
    if (zeroHeight_ < 0) zeroHeight_ = frame_.Canvas().TextHeight("0");
    if (frame_.Height() < zeroHeight_) return;
    if (text_.empty()) return;
    const bool progressor = style == IMPULSE_PROGRESSOR;
    _color fontColor = Font().color;
    _color fill = backColor_;
    if (progressor) {
        fontColor = (backColor_ == COLOR_GRAY && Color() == COLOR_WHITE) ? COLOR_SILVER : COLOR_WHITE;
        fill = COLOR_BLACK;
    }
    const int percent = (art_ & IMPULSE_PERCENT) ? ImpulsePercent(history_.Newest().value, max_) : -1;
    if (!labelDrawn_ || percent != labelPercent_ || fill != labelFill_ || fontColor != labelFont_.color ||
        text_ != labelText_ || !Font().SameFace(labelFont_))
        DrawLabel(percent, fontColor, fill);
    if (labelSize_.x <= 0 || labelSize_.y <= 0) return;

    const _rect source = _rect::Bounds(0, 0, labelSize_.x, labelSize_.y);
    if (!progressor) {
        // On the inside only: the graph's border is already there.
        const _rect inside = Intersect(_rect::Bounds(2, 2, labelSize_.x, labelSize_.y),
                                       _rect{1, 1, frame_.Width() - 1, frame_.Height() - 1});
        if (!inside.Empty())
            frame_.Canvas().CopyRect(inside, label_.Canvas(), _rect::Bounds(0, 0, inside.Width(), inside.Height()));
        return;
    }
    const _textorigin at = ProgressTextOrigin(frame_.Width(), frame_.Height(), labelSize_.x, labelSize_.y);
    frame_.Canvas().CopyRect(_rect::Bounds(at.x, at.y, labelSize_.x, labelSize_.y), label_.Canvas(), source,
                             backColor_ == COLOR_GRAY ? kBlendOr : kBlendXor);
}

// The text on a bitmap at least its size: measured and written once per
// change, the bitmap made anew only when a text outgrows it.
void _impulse::DrawLabel(int percent, _color fontColor, _color fill) {
    labelText_ = text_;
    labelPercent_ = percent;
    labelFont_ = Font();
    labelFont_.color = fontColor;
    labelFill_ = fill;
    labelDrawn_ = true;
    const std::string text = percent >= 0 ? FormatImpulseText(text_, percent) : text_;
    labelSize_ = {};
    if (text.empty()) return;
    _canvas& c = label_.Canvas();
    const bool newFace = !labelWidthsLoaded_ || !c.Font().SameFace(labelFont_);
    c.SetFont(labelFont_);
    if (newFace) {
        labelWidths_.Load(c.Handle());
        labelWidthsLoaded_ = true;
    }
    _point size;
    if (!labelWidths_.Measure(text, size)) size = c.TextExtent(text);
    if (size.x <= 0 || size.y <= 0) return;
    if (size.x > label_.Width() || size.y > label_.Height())
        label_.SetSize(std::max(size.x, label_.Width()), std::max(size.y, label_.Height()));
    if (label_.Empty()) return;
    labelSize_ = size;
    c.SetBrush(fill);
    c.FillRect(_rect::Bounds(0, 0, size.x, size.y));
    c.TextOut(0, 0, text);
}

void _impulse::DrawBorder(_canvas& c, int w, int h) {
    if (art_ & IMPULSE_SHADED) {
        c.SetPen(border1_);
        c.MoveTo(w - 1, 0);
        c.LineTo(0, 0);
        c.LineTo(0, h);
        c.SetPen(border2_);
        c.MoveTo(1, h - 1);
        c.LineTo(w - 1, h - 1);
        c.LineTo(w - 1, 0);
    } else {
        c.SetBrush(border1_);
        c.FrameRect(_rect::Bounds(0, 0, w, h));
    }
}

}  // namespace corvex
