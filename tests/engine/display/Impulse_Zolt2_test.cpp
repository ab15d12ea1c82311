#include "Impulse_Zolt2.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Application.h"
#include "Bitmap.h"
#include "Form.h"
#include "ImpulseFrame.h"

namespace corvex {
namespace {

constexpr _color kRed = 0x0000FF, kAqua = 0xFFFF00, kTrace = 0x00C0FF, kBar = 0x2040C0;

// Renders the control and returns what it copied to its canvas.
void Shot(_impulse& g, _bitmap& out) {
    out.SetSize(g.Width(), g.Height());
    g.Paint(out.Canvas());
}

// A graph that shows only the samples: no text, a plain frame.
void Bare(_impulse& g, int w, int h, _istyle style) {
    g.SetBounds(0, 0, w, h);
    g.SetText("");
    g.SetArt(0);
    g.SetStyle(style);
    g.SetStaticColor(kTrace);
}

_point TextSize(const _fontspec& font, const std::string& text) {
    _bitmap probe;
    probe.Canvas().SetFont(font);
    return probe.Canvas().TextExtent(text);
}

TEST(ImpulseTest, NewControlShowsBlackAreaSunkenFrameAndZeroPercentAtTwoTwo) {
    _impulse g(nullptr);
    EXPECT_EQ(g.Progress(), 0u);
    EXPECT_EQ(g.HistorySize(), 500u);
    EXPECT_EQ(g.History().WriteIndex(), 1u);
    _bitmap out;
    Shot(g, out);
    ASSERT_EQ(out.Width(), 100);
    ASSERT_EQ(out.Height(), 100);
    const _color shadow = FromRGB(GetSysColor(COLOR_BTNSHADOW));
    const _color light = FromRGB(GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(out.Pixel(99, 0), shadow);
    EXPECT_EQ(out.Pixel(50, 0), shadow);
    EXPECT_EQ(out.Pixel(0, 99), shadow);
    EXPECT_EQ(out.Pixel(1, 99), light);
    EXPECT_EQ(out.Pixel(98, 99), light);
    EXPECT_EQ(out.Pixel(99, 1), light);
    EXPECT_EQ(out.Pixel(99, 99), light);

    // The text, drawn independently with the same font, must match the
    // frame pixel for pixel at (2, 2); everything else inside is black.
    const _point size = TextSize(g.Font(), "0%");
    ASSERT_GT(size.x, 0);
    _bitmap expected(size.x, size.y);
    _fontspec font = g.Font();
    EXPECT_EQ(font.color, COLOR_WHITE);
    expected.Canvas().SetFont(font);
    expected.Canvas().SetBrush(COLOR_BLACK);
    expected.Canvas().TextOut(0, 0, "0%");
    int white = 0;
    for (int y = 1; y < 99; ++y)
        for (int x = 1; x < 99; ++x) {
            const bool inText = x >= 2 && y >= 2 && x < 2 + size.x && y < 2 + size.y;
            const _color want = inText ? expected.Pixel(x - 2, y - 2) : COLOR_BLACK;
            ASSERT_EQ(out.Pixel(x, y), want) << x << "," << y;
            white += want == COLOR_WHITE;
        }
    EXPECT_GT(white, 0);
}

TEST(ImpulseTest, RingOfFiveAfterSevenSamplesPlotsOnlyTheNewestBeyondTheOldest) {
    _impulse g(nullptr);
    Bare(g, 20, 20, IMPULSE_SPECTRUM);
    g.SetHistorySize(5);  // empties the ring, the constructor's sample too
    EXPECT_EQ(g.Progress(), 0u);
    const _color colours[] = {0x000011, 0x000022, 0x000033, 0x000044, 0x000055, 0x000066, 0x000077};
    for (std::uint32_t v = 1; v <= 7; ++v) {
        g.SetColor(colours[v - 1]);
        g.SetProgress(v * 10);
    }
    EXPECT_EQ(g.History().WriteIndex(), 2u);
    EXPECT_EQ(g.History().OldestIndex(), 3u);
    EXPECT_EQ(g.History().NewestIndex(), 1u);
    EXPECT_EQ(g.Progress(), 70u);
    EXPECT_EQ(g.Position(), 70u);

    std::vector<std::uint32_t> visited;
    std::vector<std::uint32_t> columns;
    g.History().Walk(100, [&](std::uint32_t k, const _isample& s) {
        visited.push_back(s.value);
        columns.push_back(20 - k);
    });
    EXPECT_EQ(visited, (std::vector<std::uint32_t>{70, 60, 50}));
    EXPECT_EQ(columns, (std::vector<std::uint32_t>{20, 19, 18}));

    // Column 19 lies under the frame; column 18 carries the bar of 50 in
    // the colour it came with, and 40 (at the oldest index) is not drawn.
    _bitmap out;
    Shot(g, out);
    const int top = SpectrumTop(50, 100, 20);
    EXPECT_EQ(out.Pixel(18, 18), colours[4]);
    EXPECT_EQ(out.Pixel(18, top + 1), colours[4]);
    EXPECT_EQ(out.Pixel(18, top - 1), COLOR_BLACK);
    for (int y = 1; y < 19; ++y) EXPECT_EQ(out.Pixel(17, y), COLOR_BLACK) << y;
}

TEST(ImpulseTest, OscilloTraceClampsAtMaxAndDropsZeroBelowTheFrame) {
    _impulse g(nullptr);
    Bare(g, 30, 20, IMPULSE_OSCILLO);
    g.SetHistorySize(100);
    for (int i = 0; i < 40; ++i) g.SetProgress(i % 2 ? 100 : 250);  // above Max counts as Max
    _bitmap out;
    Shot(g, out);
    for (int x = 1; x < 29; ++x) {
        EXPECT_EQ(out.Pixel(x, 2), kTrace) << x;
        EXPECT_EQ(out.Pixel(x, 3), COLOR_BLACK) << x;
        EXPECT_EQ(out.Pixel(x, 1), COLOR_BLACK) << x;
    }
    for (int i = 0; i < 40; ++i) g.SetProgress(0);
    Shot(g, out);
    for (int y = 1; y < 19; ++y)
        for (int x = 1; x < 29; ++x) ASSERT_EQ(out.Pixel(x, y), COLOR_BLACK) << x << "," << y;
}

TEST(ImpulseTest, SpectrumBarsRiseFromTheBottomToRowTwoAtFullScale) {
    _impulse g(nullptr);
    Bare(g, 30, 20, IMPULSE_SPECTRUM);
    g.SetHistorySize(100);
    g.SetColor(kRed);
    for (int i = 0; i < 40; ++i) g.SetProgress(i % 3 == 0 ? 0 : 1000);
    _bitmap out;
    Shot(g, out);
    // Sample k sits in column 30 - k; k = 1 is the newest visible one.
    for (int k = 2; k < 29; ++k) {
        const int x = 30 - k;
        const bool zero = (39 - k) % 3 == 0;
        EXPECT_EQ(out.Pixel(x, 18), zero ? COLOR_BLACK : kRed) << x;
        EXPECT_EQ(out.Pixel(x, 2), zero ? COLOR_BLACK : kRed) << x;
        EXPECT_EQ(out.Pixel(x, 1), COLOR_BLACK) << x;
    }
}

TEST(ImpulseTest, TraceOverALongHistoryMatchesTheTraceOfEverySample) {
    // The plot stops just past the left edge; the picture must be the one
    // the whole history would give.
    _impulse g(nullptr);
    Bare(g, 40, 30, IMPULSE_OSCILLO);
    g.SetHistorySize(500);
    std::vector<std::uint32_t> samples;
    std::uint32_t seed = 7;
    for (int i = 0; i < 300; ++i) {
        seed = seed * 1103515245u + 12345u;
        samples.push_back((seed >> 16) % 120);
        g.SetProgress(samples.back());
    }
    _bitmap out;
    Shot(g, out);

    _bitmap ref(40, 30);
    ref.Canvas().SetBrush(COLOR_BLACK);
    ref.Canvas().FillRect(_rect::Bounds(0, 0, 40, 30));
    ref.Canvas().SetPen(kTrace);
    ref.Canvas().MoveTo(40, 30);
    for (std::size_t k = 0; k + 1 < samples.size(); ++k)  // the oldest (first) sample is never drawn
        ref.Canvas().LineTo(40 - static_cast<int>(k), OscilloY(samples[samples.size() - 1 - k], 100, 30));
    for (int y = 1; y < 29; ++y)
        for (int x = 1; x < 39; ++x) ASSERT_EQ(out.Pixel(x, y), ref.Pixel(x, y)) << x << "," << y;
}

TEST(ImpulseTest, FramesDrawnSampleBySampleMatchAFreshDrawing) {
    // A graph moves its picture along with each sample and draws only the
    // new columns; every frame must be the one a control drawing the same
    // history from scratch shows. Short histories drop samples the frame
    // still shows, and ticks bring 0, 1 or several samples.
    struct Case {
        _istyle style;
        int w, h;
        std::uint32_t history;
        _iart art;
        const char* text;
    };
    const Case cases[] = {
        {IMPULSE_OSCILLO, 40, 30, 500, 0, ""},
        {IMPULSE_OSCILLO, 31, 12, 500, IMPULSE_SHADED | IMPULSE_PERCENT, "%d%%"},
        {IMPULSE_SPECTRUM, 40, 30, 500, IMPULSE_SHADED, "cpu"},
        {IMPULSE_OSCILLO, 25, 16, 12, 0, ""},
        {IMPULSE_SPECTRUM, 25, 16, 9, IMPULSE_PERCENT, "%d"},
        {IMPULSE_OSCILLO, 4, 4, 500, 0, ""},
    };
    using Op = std::function<void(_impulse&)>;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int(c.style) << ", " << c.w << "x" << c.h << ", history "
                                        << c.history);
        std::vector<Op> ops;
        ops.push_back([c](_impulse& g) {
            Bare(g, c.w, c.h, c.style);
            g.SetHistorySize(c.history);
            g.SetArt(c.art);
            g.SetText(c.text);
        });
        _impulse live(nullptr);
        ops.back()(live);
        _bitmap shown, fresh;
        std::uint32_t seed = 11;
        for (int round = 0; round < 90; ++round) {
            seed = seed * 1103515245u + 12345u;
            const int samples = round % 17 == 5 ? 0 : round % 13 == 7 ? 3 : 1;
            for (int i = 0; i < samples; ++i) {
                seed = seed * 1103515245u + 12345u;
                const std::uint32_t value = (seed >> 16) % 130;
                const _color colour = 0x102030u * (1 + (seed >> 8) % 5);
                ops.push_back([value, colour](_impulse& g) {
                    g.SetColor(colour);
                    g.SetProgress(value);
                });
                ops.back()(live);
            }
            if (round == 60) {
                ops.push_back([](_impulse& g) { g.SetMax(80); });
                ops.back()(live);
            }
            Shot(live, shown);
            if (round % 6 != 5) continue;
            _impulse reference(nullptr);
            for (const Op& op : ops) op(reference);
            Shot(reference, fresh);
            for (int y = 0; y < c.h; ++y)
                for (int x = 0; x < c.w; ++x)
                    ASSERT_EQ(shown.Pixel(x, y), fresh.Pixel(x, y)) << "round " << round << " at " << x << "," << y;
        }
    }
}

TEST(ImpulseTest, ShadedProgressorAtHalfAndFlatBarForShortOnes) {
    _impulse g(nullptr);
    g.SetBounds(0, 0, 100, 20);
    g.SetStyle(IMPULSE_PROGRESSOR);
    g.SetText("");
    g.SetColor(kBar);
    g.SetProgress(50);
    _bitmap out;
    Shot(g, out);
    const _color light = Lighten(kBar, 50), dark = Darken(kBar, 50);
    EXPECT_EQ(light, MakeColor(0xE0, 0xA0, 0x90));
    for (int x = 2; x <= 47; ++x) {
        EXPECT_EQ(out.Pixel(x, 2), kBar) << x;
        EXPECT_EQ(out.Pixel(x, 17), kBar) << x;
        EXPECT_EQ(out.Pixel(x, 1), light) << x;
        EXPECT_EQ(out.Pixel(x, 18), dark) << x;
    }
    for (int y = 1; y <= 18; ++y) EXPECT_EQ(out.Pixel(1, y), light) << y;
    for (int y = 1; y <= 18; ++y) EXPECT_EQ(out.Pixel(48, y), dark) << y;
    EXPECT_EQ(out.Pixel(49, 10), COLOR_BLACK);
    EXPECT_EQ(out.Pixel(98, 10), COLOR_BLACK);

    g.SetProgress(3);  // length 2: too short for shading
    Shot(g, out);
    for (int y = 1; y <= 18; ++y) {
        EXPECT_EQ(out.Pixel(1, y), kBar) << y;
        EXPECT_EQ(out.Pixel(2, y), kBar) << y;
        EXPECT_EQ(out.Pixel(3, y), COLOR_BLACK) << y;
    }

    g.SetMax(0);  // no scale: no bar at all
    Shot(g, out);
    EXPECT_EQ(out.Pixel(1, 10), COLOR_BLACK);
}

// The pixels of `out` that differ from `background`.
int Marks(const _bitmap& out, _color background) {
    int count = 0;
    for (int y = 1; y < out.Height() - 1; ++y)
        for (int x = 1; x < out.Width() - 1; ++x) count += out.Pixel(x, y) != background;
    return count;
}

// `text` drawn independently in `colour` on black, as the progressor's
// label is before it is blended.
void Label(_bitmap& label, _fontspec font, _color colour, const std::string& text) {
    font.color = colour;
    label.Canvas().SetFont(font);
    const _point size = label.Canvas().TextExtent(text);
    label.SetSize(size.x, size.y);
    label.Canvas().SetBrush(COLOR_BLACK);
    label.Canvas().FillRect(_rect::Bounds(0, 0, size.x, size.y));
    label.Canvas().TextOut(0, 0, text);
}

// Checks the inside of a progressor frame of one background colour whose
// label was blended right-aligned and centred with `blend`.
void ExpectBlend(const _bitmap& out, _color beneath, const _bitmap& label, bool orBlend) {
    const int left = out.Width() - label.Width() - 4, top = (out.Height() - label.Height()) / 2;
    int glyphs = 0;
    for (int y = 1; y < out.Height() - 1; ++y)
        for (int x = 1; x < out.Width() - 1; ++x) {
            _color want = beneath;
            if (x >= left && y >= top && x < left + label.Width() && y < top + label.Height()) {
                const _color l = label.Pixel(x - left, y - top);
                want = orBlend ? (beneath | l) : (beneath ^ l);
                glyphs += l != COLOR_BLACK;
            }
            ASSERT_EQ(out.Pixel(x, y), want) << x << "," << y;
        }
    EXPECT_GT(glyphs, 0);
}

TEST(ImpulseTest, ProgressorTextIsSilverOrOnGrayAndXorOnOtherBackgrounds) {
    _impulse g(nullptr);
    g.SetBounds(0, 0, 120, 24);
    g.SetStyle(IMPULSE_PROGRESSOR);
    g.SetText("88");
    g.SetArt(0);  // plain text, plain frame
    g.SetBackColor(COLOR_GRAY);
    g.SetProgress(0);
    _bitmap out, silver, white;
    Label(silver, g.Font(), COLOR_SILVER, "88");
    Label(white, g.Font(), COLOR_WHITE, "88");
    Shot(g, out);
    ExpectBlend(out, COLOR_GRAY, silver, true);

    g.SetColor(kRed);  // not white: the text stays white, still OR-ed
    Shot(g, out);
    ExpectBlend(out, COLOR_GRAY, white, true);

    // On black the text is XOR-ed: white on the background, the inverse
    // of the bar over it.
    g.SetBackColor(COLOR_BLACK);
    Shot(g, out);
    ExpectBlend(out, COLOR_BLACK, white, false);
    g.SetProgress(100);
    Shot(g, out);
    ExpectBlend(out, kRed, white, false);
    EXPECT_EQ(kRed ^ COLOR_WHITE, kAqua);
}

TEST(ImpulseTest, PercentTextCapsAtHundredAndLowControlsShowNoText) {
    _impulse g(nullptr);
    g.SetBounds(0, 0, 100, 40);
    g.SetProgress(250);
    _bitmap out, expected;
    Shot(g, out);
    const _point size = TextSize(g.Font(), "100%");
    expected.SetSize(size.x, size.y);
    expected.Canvas().SetFont(g.Font());
    expected.Canvas().SetBrush(COLOR_BLACK);
    expected.Canvas().TextOut(0, 0, "100%");
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x; ++x) ASSERT_EQ(out.Pixel(2 + x, 2 + y), expected.Pixel(x, y));

    // Lower than the bitmap's default font: no text at all.
    _bitmap plain;
    const int textHeight = plain.Canvas().TextHeight("0");
    ASSERT_GT(textHeight, 3);
    g.SetBounds(0, 0, 100, textHeight - 1);
    Shot(g, out);
    EXPECT_EQ(Marks(out, COLOR_BLACK), 0);
    g.SetBounds(0, 0, 100, textHeight);
    Shot(g, out);
    EXPECT_GT(Marks(out, COLOR_BLACK), 0);
}

TEST(ImpulseTest, SleepyDrawsTheBarUntilTheNextSample) {
    _impulse g(nullptr);
    Bare(g, 60, 20, IMPULSE_OSCILLO);
    for (int i = 0; i < 4; ++i) g.SetProgress(100);
    g.SetArt(IMPULSE_SLEEPY);
    EXPECT_EQ(g.Style(), IMPULSE_OSCILLO);
    _bitmap out;
    Shot(g, out);
    EXPECT_EQ(out.Pixel(30, 10), COLOR_WHITE);  // the bar of the newest sample
    EXPECT_EQ(out.Pixel(58, 10), COLOR_WHITE);
    Shot(g, out);
    EXPECT_EQ(out.Pixel(30, 10), COLOR_WHITE);  // still sleepy: no sample came
    g.SetProgress(100);
    EXPECT_EQ(g.Art() & IMPULSE_SLEEPY, 0);
    Shot(g, out);
    EXPECT_EQ(out.Pixel(30, 10), COLOR_BLACK);
    EXPECT_EQ(out.Pixel(58, 2), kTrace);  // back to the trace
}

TEST(ImpulseTest, EmptyHistoryAndEmptyAreaDrawNothingAndStaySafe) {
    _impulse g(nullptr);
    Bare(g, 30, 20, IMPULSE_SPECTRUM);
    g.SetHistorySize(0);
    g.SetProgress(77);
    EXPECT_EQ(g.Progress(), 0u);
    _bitmap out;
    Shot(g, out);
    EXPECT_EQ(Marks(out, COLOR_BLACK), 0);
    g.SetStyle(IMPULSE_PROGRESSOR);
    Shot(g, out);
    EXPECT_EQ(Marks(out, COLOR_BLACK), 0);
    g.SetHistorySize(3);
    g.SetProgress(5);
    EXPECT_EQ(g.Progress(), 5u);

    g.SetBounds(0, 0, 0, 20);
    _bitmap target(10, 10);
    g.Paint(target.Canvas());
    EXPECT_TRUE(g.Frame().Empty());
    g.SetBounds(0, 0, 30, 20);
    Shot(g, out);
    EXPECT_EQ(g.Frame().Width(), 30);
    EXPECT_EQ(out.Pixel(1, 10), COLOR_WHITE);  // 5 of 100 on 30: a bar of length 1
}

// Counts the frames painted on its parent.
class _countedimpulse final : public _impulse {
public:
    using _impulse::_impulse;
    int paints = 0;
    void Paint(_canvas& canvas) override {
        ++paints;
        _impulse::Paint(canvas);
    }
};

TEST(ImpulseTest, ChangesRepaintAtOnceOrWaitForFlushWhenCached) {
    _component root(nullptr);
    _form& form = root.Make<_form>();
    form.SetBorderStyle(FORM_BORDER_NONE);
    form.SetBounds(10, 10, 200, 100);
    _countedimpulse& g = root.Make<_countedimpulse>(&form);
    g.SetBounds(10, 10, 150, 15);
    form.Show();
    Application().ProcessMessages();
    const auto paintsAfter = [&](auto change) {
        const int before = g.paints;
        change();
        return g.paints - before;
    };
    EXPECT_EQ(paintsAfter([&] { g.SetMax(200); }), 1);
    EXPECT_EQ(paintsAfter([&] { g.SetMax(200); }), 0);  // equal: nothing
    EXPECT_EQ(paintsAfter([&] { g.SetText("%d"); }), 1);
    EXPECT_EQ(paintsAfter([&] { g.SetProgress(10); }), 0);  // samples wait for Flush
    EXPECT_EQ(paintsAfter([&] { g.Flush(); }), 1);

    EXPECT_EQ(paintsAfter([&] { g.SetArt(g.Art() | IMPULSE_CACHED); }), 1);
    EXPECT_EQ(paintsAfter([&] { g.Flush(); }), 0);
    EXPECT_EQ(paintsAfter([&] { g.SetProgress(20); g.Flush(); }), 0);
    EXPECT_EQ(paintsAfter([&] { g.SetBackColor(kRed); g.SetStyle(IMPULSE_SPECTRUM); }), 0);
    EXPECT_EQ(g.PendingChanges(), 2u);
    EXPECT_EQ(paintsAfter([&] { g.Flush(); }), 1);
    EXPECT_EQ(paintsAfter([&] { g.Flush(); }), 1);  // the count is never cleared
}

}  // namespace
}  // namespace corvex
