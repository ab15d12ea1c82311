#pragma once
// _impulse: the small graph of every graphic readout. A history of samples
// drawn as an oscilloscope trace, a spectrum of vertical bars or a progress
// bar with a text on it; windowless, opaque, every frame rendered into an
// off-screen bitmap of the control's size and copied in one operation.
// The graphs keep their picture apart from the text: a new sample moves
// the inside one column to the left and draws only the columns that came
// in, and a paint with nothing new copies the last frame.
//
//   _istyle   the kind of graph
//   _iart     drawing flags (IMPULSE_* bits)
//   _impulse  the control

#include <cstdint>
#include <string>

#include "Bitmap.h"
#include "Control.h"
#include "ImpulseHistory.h"

namespace corvex {

enum _istyle : unsigned char {
    IMPULSE_OSCILLO = 0,
    IMPULSE_SPECTRUM = 1,
    IMPULSE_PROGRESSOR = 2,
};

// A set held in one byte, bit n for the member of ordinal n.
using _iart = unsigned char;
enum _iartmember : unsigned char {
    IMPULSE_DEAD = 0x01,      // no effect on drawing
    IMPULSE_SLEEPY = 0x02,    // progressor frames until the next sample
    IMPULSE_SHADED = 0x04,    // 3-D border and 3-D bar
    IMPULSE_DITHERED = 0x08,  // no effect on drawing
    IMPULSE_PERCENT = 0x10,   // Text formats the newest sample's percentage
    IMPULSE_CACHED = 0x20,    // changes wait for Flush
};

class _impulse : public _graphiccontrol {
public:
    explicit _impulse(_component* owner, _wincontrol* parent = nullptr);
    ~_impulse() override;

    // ---- attributes (setters ignore equal values, otherwise Changed)
    std::uint32_t Max() const noexcept { return max_; }
    void SetMax(std::uint32_t max);
    // Samples kept; a new size empties the history and does not repaint.
    std::uint32_t HistorySize() const noexcept { return history_.Size(); }
    void SetHistorySize(std::uint32_t size);
    const std::string& Text() const noexcept { return text_; }
    void SetText(const std::string& text);
    // Color (the control's own colour, white here) goes with every new
    // sample and fills the progress bar.
    _color StaticColor() const noexcept { return staticColor_; }
    void SetStaticColor(_color color);
    _color BackColor() const noexcept { return backColor_; }
    void SetBackColor(_color color);
    _color BorderColor1() const noexcept { return border1_; }
    void SetBorderColor1(_color color);
    _color BorderColor2() const noexcept { return border2_; }
    void SetBorderColor2(_color color);
    _istyle Style() const noexcept { return style_; }
    void SetStyle(_istyle style);
    _iart Art() const noexcept { return art_; }
    void SetArt(_iart art);

    // The newest sample (0 while HistorySize is 0); setting appends one and
    // does not repaint (the owner calls Flush).
    std::uint32_t Progress() const noexcept { return history_.Newest().value; }
    void SetProgress(std::uint32_t value) { Append(value); }
    std::uint32_t Position() const noexcept { return Progress(); }
    void SetPosition(std::uint32_t value) { Append(value); }

    const _ibuffer& History() const noexcept { return history_; }
    // The last rendered frame.
    const _bitmap& Frame() const noexcept { return frame_; }
    // Property changes waiting for Flush since IMPULSE_CACHED was set.
    std::uint32_t PendingChanges() const noexcept { return pending_; }

    // ---- operations
    // Repaints now unless IMPULSE_CACHED is set and nothing has changed.
    void Flush();

    void Paint(_canvas& canvas) override;

protected:
    // Colour and font show in the text, the border and new samples only:
    // the samples drawn so far stay as they are.
    void ColorChanged() override { Changed(); }
    void FontChanged() override { Changed(); }

private:
    void Append(std::uint32_t value);
    // Something the next frame shows differently...
    void Changed();
    // ...and something that redraws every sample.
    void Restyled();
    void Render();
    void DrawGround(_canvas& c, int w, int h);
    void DrawGraph(_istyle style);
    void UpdateTrace(_istyle style);
    void DrawSamples(_canvas& c, _istyle style, int w, int h, std::uint32_t limit);
    void DrawProgress();
    void DrawText(_istyle style);
    void DrawLabel(int percent, _color fontColor, _color fill);
    void DrawBorder(_canvas& c, int w, int h);

    std::uint32_t max_ = 100;
    std::string text_ = "%d%%";
    _color staticColor_ = COLOR_BLACK;
    _color backColor_ = COLOR_BLACK;
    _color border1_ = SYSCOLOR_BTNSHADOW;
    _color border2_ = SYSCOLOR_BTNHIGHLIGHT;
    _istyle style_ = IMPULSE_OSCILLO;
    _iart art_ = IMPULSE_SHADED | IMPULSE_PERCENT;
    _ibuffer history_;
    // Never cleared: once something changed under IMPULSE_CACHED, every
    // Flush repaints.
    std::uint32_t pending_ = 0;
    _bitmap frame_;
    bool frameDrawn_ = false;  // frame_ shows the control as it is now
    // The ground, the border and the samples without the text, as last
    // drawn for traceStyle_ in traceColors_; traceAppended_ samples came
    // since, and the walk then visited traceCount_.
    _bitmap trace_;
    bool traceDrawn_ = false;
    _istyle traceStyle_ = IMPULSE_OSCILLO;
    std::uint32_t traceAppended_ = 0;
    std::uint32_t traceCount_ = 0;
    struct _tracecolors {
        COLORREF back, pen, border1, border2;
        bool operator==(const _tracecolors& o) const noexcept {
            return back == o.back && pen == o.pen && border1 == o.border1 && border2 == o.border2;
        }
    };
    _tracecolors traceColors_{};
    // The text overlay as last drawn and what it was drawn from: a frame
    // whose text, font and fill did not change copies the same picture.
    // The bitmap only grows; labelSize_ is the part in use.
    _bitmap label_;
    _point labelSize_{};
    std::string labelText_;  // Text as it was, unformatted
    int labelPercent_ = -1;  // the percentage put in, -1 without one
    _fontspec labelFont_;
    _charwidths labelWidths_;  // of label_'s font
    bool labelWidthsLoaded_ = false;
    _color labelFill_ = 0;
    bool labelDrawn_ = false;
    int zeroHeight_ = -1;  // of "0" on the frame's own font, measured once
};

}  // namespace corvex
