#include "Control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Application.h"
#include "Bitmap.h"
#include "Form.h"
#include "Image.h"
#include "Label.h"
#include "Panel.h"

namespace corvex {
namespace {

constexpr _color kRed = 0x0000FF, kBlue = 0xFF0000;

// A panel that writes its name into a shared list when it goes.
class _loggedpanel final : public _panel {
public:
    _loggedpanel(_component* owner, _wincontrol* parent, std::string name, std::vector<std::string>& log)
        : _panel(owner, parent), name_(std::move(name)), log_(log) {}
    ~_loggedpanel() override { log_.push_back(name_ + (Handle() && IsWindow(Handle()) ? " window" : "")); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class _watcher final : public _component {
public:
    using _component::_component;
    _control* watched = nullptr;

protected:
    void Notification(_component& destroyed) override {
        if (&destroyed == watched) watched = nullptr;
    }
};

// A system push button; its clicks come back to it as reflected commands.
class _testbutton final : public _wincontrol {
public:
    _testbutton(_component* owner, _wincontrol* parent) : _wincontrol(owner, parent) {
        SetBounds(0, 0, 60, 20);
        _createparams params;
        params.className = "BUTTON";
        params.style = BS_PUSHBUTTON;
        CreateHandle(params);
    }
    int clicks = 0;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override {
        switch (message) {
            case REFLECT + WM_COMMAND: return OnCommand(wparam);
            default: return _wincontrol::WndProc(message, wparam, lparam);
        }
    }

private:
    LRESULT OnCommand(WPARAM wparam) {
        if (HIWORD(wparam) == BN_CLICKED) ++clicks;
        return 0;
    }
};

_form& ShownForm(_component& root, int width = 200, int height = 120) {
    _form& form = root.Make<_form>();
    form.SetBorderStyle(FORM_BORDER_NONE);
    form.SetBounds(10, 10, width, height);
    form.Show();
    Application().ProcessMessages();
    return form;
}

TEST(ControlTest, OwnerDestroysLastMadeFirstWhileTheWindowsStillExist) {
    std::vector<std::string> log;
    {
        _component root;
        _form& form = root.Make<_form>();
        _loggedpanel& a = form.Make<_loggedpanel>(&form, "a", log);
        form.Make<_loggedpanel>(&a, "b", log);  // owned by the form, parented to a
        a.Make<_loggedpanel>(&a, "a1", log);
        EXPECT_EQ(form.ControlCount(), 1u);
        EXPECT_EQ(a.ControlCount(), 2u);
    }
    // b was made last by the form and goes first; a's own component a1
    // goes after a's destructor body but before a's window; every one
    // still had its window when its object went.
    EXPECT_EQ(log, (std::vector<std::string>{"b window", "a window", "a1 window"}));
}

TEST(ControlTest, AParentGoingFirstLeavesChildrenOwnedElsewhereWithoutParentOrWindow) {
    _component root;
    _form& form = root.Make<_form>();
    auto& panel = form.Make<_panel>(&form);
    auto& label = form.Make<_label>(&panel, "text");
    auto& button = form.Make<_testbutton>(&panel);
    const HWND buttonWindow = button.Handle();
    ASSERT_TRUE(IsWindow(buttonWindow));
    _watcher& watcher = root.Make<_watcher>();
    watcher.watched = &panel;
    panel.FreeNotification(watcher);

    ASSERT_TRUE(form.Destroy(&panel));
    EXPECT_EQ(watcher.watched, nullptr);
    EXPECT_EQ(label.Parent(), nullptr);
    EXPECT_EQ(button.Parent(), nullptr);
    EXPECT_FALSE(IsWindow(buttonWindow));
    EXPECT_FALSE(button.HandleAllocated());
    // Still usable objects: nothing reaches a dead window or parent.
    label.SetCaption("other");
    label.Repaint();
    button.SetBounds(1, 1, 5, 5);
    button.Repaint();
}

TEST(ControlTest, NotificationsComeBackToTheChildsOwnObject) {
    _component root;
    _form& form = ShownForm(root);
    auto& panel = form.Make<_panel>(&form);
    auto& button = form.Make<_testbutton>(&panel);
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(button.clicks, 2);
    EXPECT_EQ(_wincontrol::FromHandle(button.Handle()), &button);
    EXPECT_EQ(_wincontrol::FromHandle(GetDesktopWindow()), nullptr);
}

TEST(ControlTest, RepaintPaintsBeforeReturningAndInvalidateWaitsForTheLoop) {
    _component root;
    _form& form = ShownForm(root);
    auto& box = form.Make<_paintbox>(&form);
    box.SetBounds(5, 5, 20, 20);
    int paints = 0;
    box.OnPaint = [&paints](_canvas&) { ++paints; };
    Application().ProcessMessages();
    const int before = paints;

    box.Invalidate();
    EXPECT_EQ(paints, before);
    Application().ProcessMessages();
    EXPECT_EQ(paints, before + 1);

    box.Repaint();
    EXPECT_EQ(paints, before + 2);
    form.Repaint();
    EXPECT_EQ(paints, before + 3);
    // A hidden control is not painted, not even when asked to repaint.
    box.Hide();
    box.Repaint();
    form.Repaint();
    EXPECT_EQ(paints, before + 3);
}

TEST(ControlTest, RepaintsInsideABatchBecomeOnePaintWhenTheLastBatchCloses) {
    _component root;
    _form& form = ShownForm(root);
    auto& left = form.Make<_paintbox>(&form);
    auto& right = form.Make<_paintbox>(&form);
    left.SetBounds(5, 5, 20, 20);
    right.SetBounds(40, 5, 20, 20);
    int paints = 0;
    _color fill = kRed;
    left.OnPaint = right.OnPaint = [&paints, &fill](_canvas& c) {
        ++paints;
        c.SetBrush(fill);
        c.FillRect({0, 0, 20, 20});
    };
    Application().ProcessMessages();
    const int before = paints;
    fill = kBlue;
    {
        const _paintbatch outer(form);
        {
            const _paintbatch inner(form);
            left.Repaint();
            right.Repaint();
            left.Repaint();
        }
        EXPECT_TRUE(form.PaintDeferred());
        EXPECT_EQ(paints, before);
    }
    EXPECT_FALSE(form.PaintDeferred());
    EXPECT_EQ(paints, before + 2);  // each box once, before the batch's end returned
    {
        const _windowdc dc(form.Handle());
        EXPECT_EQ(FromRGB(GetPixel(dc.Handle(), 45, 10)), kBlue) << "on the window, not only in the buffer";
    }
    left.Repaint();
    EXPECT_EQ(paints, before + 3);

    // A window hidden before its batch closed paints nothing; showing it paints all.
    fill = kRed;
    {
        const _paintbatch batch(form);
        right.Repaint();
        form.Hide();
    }
    EXPECT_EQ(paints, before + 3);
    form.Show();
    Application().ProcessMessages();
    EXPECT_EQ(paints, before + 5);
}

TEST(ControlTest, AWindowlessControlPaintsOnItsParentClippedToItsBounds) {
    _component root;
    _form& form = ShownForm(root);
    auto& panel = form.Make<_panel>(&form);
    panel.SetBounds(0, 0, 100, 60);
    panel.SetBevelOuter(BEVEL_NONE);
    panel.SetColor(COLOR_TEAL);
    auto& box = form.Make<_paintbox>(&panel);
    box.SetBounds(10, 20, 30, 15);
    box.OnPaint = [](_canvas& c) {
        // Deliberately larger than the control: the parent clips it.
        c.SetBrush(kRed);
        c.FillRect({-50, -50, 500, 500});
        c.SetPixel(0, 0, kBlue);
    };
    _bitmap shot(100, 60);
    panel.PaintTo(shot.Canvas(), 0, 0);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool inside = x >= 10 && x < 40 && y >= 20 && y < 35;
            const _color expected = x == 10 && y == 20 ? kBlue : inside ? kRed : COLOR_TEAL;
            ASSERT_EQ(shot.Pixel(x, y), expected) << x << "," << y;
        }

    // The same pixels reach the window itself.
    box.Repaint();
    _windowdc dc(panel.Handle());
    EXPECT_EQ(FromRGB(GetPixel(dc.Handle(), 10, 20)), kBlue);
    EXPECT_EQ(FromRGB(GetPixel(dc.Handle(), 39, 34)), kRed);
    EXPECT_EQ(FromRGB(GetPixel(dc.Handle(), 40, 34)), COLOR_TEAL);
    EXPECT_EQ(FromRGB(GetPixel(dc.Handle(), 9, 20)), COLOR_TEAL);
}

TEST(ControlTest, TransparentImagesAndLabelsLeaveTheParentVisible) {
    _component root;
    _form& form = ShownForm(root);
    auto& panel = form.Make<_panel>(&form);
    panel.SetBounds(0, 0, 60, 40);
    panel.SetBevelOuter(BEVEL_NONE);
    panel.SetColor(COLOR_GRAY);
    auto& image = form.Make<_image>(&panel);
    image.SetBounds(0, 0, 16, 16);
    _bitmap tile(16, 16);
    tile.Canvas().SetBrush(COLOR_FUCHSIA);
    tile.Canvas().FillRect(_rect::Bounds(0, 0, 16, 16));
    tile.Canvas().SetPixel(8, 8, kBlue);
    image.SetPicture(tile);
    auto& label = form.Make<_label>(&panel, "");
    label.SetAutoSize(false);
    label.SetBounds(20, 0, 30, 16);
    label.SetColor(COLOR_WHITE);

    _bitmap shot(60, 40);
    panel.PaintTo(shot.Canvas(), 0, 0);
    EXPECT_EQ(shot.Pixel(0, 0), COLOR_FUCHSIA);  // opaque image
    EXPECT_EQ(shot.Pixel(25, 5), COLOR_WHITE);   // opaque label background

    image.SetTransparent(true);
    label.SetTransparent(true);
    panel.PaintTo(shot.Canvas(), 0, 0);
    EXPECT_EQ(shot.Pixel(0, 0), COLOR_GRAY);
    EXPECT_EQ(shot.Pixel(8, 8), kBlue);
    EXPECT_EQ(shot.Pixel(25, 5), COLOR_GRAY);
}

TEST(ControlTest, StretchedImagesFillTheirBoundsWithOrWithoutTransparency) {
    _component root;
    _form& form = ShownForm(root);
    auto& panel = form.Make<_panel>(&form);
    panel.SetBounds(0, 0, 20, 20);
    panel.SetBevelOuter(BEVEL_NONE);
    panel.SetColor(COLOR_GRAY);
    auto& image = form.Make<_image>(&panel);
    image.SetBounds(0, 0, 8, 8);
    image.Picture().SetSize(2, 2);
    image.Picture().Canvas().SetPixel(0, 0, kRed);
    image.Picture().Canvas().SetPixel(1, 0, kBlue);
    image.Picture().Canvas().SetPixel(0, 1, COLOR_FUCHSIA);  // bottom-left: the automatic key
    image.Picture().Canvas().SetPixel(1, 1, COLOR_WHITE);
    image.SetStretch(true);
    _bitmap shot(20, 20);
    panel.PaintTo(shot.Canvas(), 0, 0);
    EXPECT_EQ(shot.Pixel(1, 1), kRed);
    EXPECT_EQ(shot.Pixel(6, 1), kBlue);
    EXPECT_EQ(shot.Pixel(1, 6), COLOR_FUCHSIA);
    EXPECT_EQ(shot.Pixel(6, 6), COLOR_WHITE);
    EXPECT_EQ(shot.Pixel(9, 9), COLOR_GRAY);  // nothing beyond the bounds

    image.SetTransparent(true);
    EXPECT_EQ(image.TransparentColor(), COLOR_FUCHSIA);
    panel.PaintTo(shot.Canvas(), 0, 0);
    EXPECT_EQ(shot.Pixel(1, 6), COLOR_GRAY);
    EXPECT_EQ(shot.Pixel(6, 6), COLOR_WHITE);
    image.SetTransparentColor(COLOR_WHITE);  // an explicit key wins
    panel.PaintTo(shot.Canvas(), 0, 0);
    EXPECT_EQ(shot.Pixel(1, 6), COLOR_FUCHSIA);
    EXPECT_EQ(shot.Pixel(6, 6), COLOR_GRAY);
}

TEST(ControlTest, LabelsSizeToTheirTextInTheirFont) {
    _component root;
    _form& form = ShownForm(root);
    auto& label = form.Make<_label>(&form, "Plugging CPU Sentinel");
    const int wide = label.Width();
    EXPECT_GT(wide, 0);
    EXPECT_GT(label.Height(), 0);
    label.SetCaption("CPU");
    EXPECT_LT(label.Width(), wide);
    label.SetAutoSize(false);
    label.SetBounds(8, 8, 345, 13);
    label.SetCaption("a much longer text than before");
    EXPECT_EQ(label.Width(), 345);
    EXPECT_EQ(label.Height(), 13);
    // Disabled, the text is etched: no pixel keeps the font's colour.
    label.SetFontColor(kRed);
    const auto inked = [&label] {
        _bitmap shot(label.Width(), label.Height());
        label.Paint(shot.Canvas());
        int pixels = 0;
        for (int x = 0; x < label.Width(); ++x)
            for (int y = 0; y < label.Height(); ++y) pixels += shot.Pixel(x, y) == kRed;
        return pixels;
    };
    EXPECT_GT(inked(), 0);
    label.SetEnabled(false);
    EXPECT_EQ(inked(), 0);
}

TEST(ControlTest, ChildrenTakeTheParentFontUntilGivenTheirOwn) {
    _component root;
    _form& form = root.Make<_form>();
    auto& panel = form.Make<_panel>(&form);
    auto& inherits = form.Make<_label>(&panel, "a");
    auto& own = form.Make<_label>(&panel, "b");
    own.SetFont(_fontspec{"Small Fonts", 11, COLOR_BLACK, 0});
    EXPECT_EQ(inherits.Font().name, "MS Sans Serif");
    EXPECT_EQ(inherits.Font().height, -11);
    form.SetFont(_fontspec{"Arial", -14, COLOR_WHITE, FONT_BOLD});
    EXPECT_EQ(inherits.Font().name, "Arial");
    EXPECT_EQ(inherits.Font().style, FONT_BOLD);
    EXPECT_EQ(own.Font().name, "Small Fonts");
    EXPECT_FALSE(own.ParentFont());
    own.SetFontColor(COLOR_WHITE);
    EXPECT_EQ(own.Font().height, 11);
    EXPECT_EQ(own.Font().color, COLOR_WHITE);
}

TEST(ControlTest, BoundsFollowTheWindowAndResizeIsReported) {
    _component root;
    _form& form = ShownForm(root);
    auto& panel = form.Make<_panel>(&form);
    int resized = 0;
    panel.OnResize = [&resized] { ++resized; };
    panel.SetBounds(3, 4, 50, 20);
    EXPECT_EQ(resized, 1);
    panel.SetBounds(7, 8, 50, 20);  // a move is no resize
    EXPECT_EQ(resized, 1);
    RECT r{};
    GetWindowRect(panel.Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 7);
    EXPECT_EQ(r.top, 8);
    // Moved by Windows directly: the object follows.
    SetWindowPos(panel.Handle(), nullptr, 1, 2, 30, 10, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(panel.BoundsRect(), _rect::Bounds(1, 2, 30, 10));
    EXPECT_EQ(resized, 2);
    const _point origin = panel.ClientOrigin();
    const _point formOrigin = form.ClientOrigin();
    EXPECT_EQ(origin, (_point{formOrigin.x + 1, formOrigin.y + 2}));
}

TEST(ControlTest, AlignedChildrenStayInsideAPanelsBevels) {
    _component root;
    _form& form = ShownForm(root);
    auto& panel = form.Make<_panel>(&form);
    panel.SetBounds(0, 0, 100, 50);
    panel.SetBevelWidth(2);
    panel.SetBevelInner(BEVEL_LOWERED);
    auto& inside = form.Make<_panel>(&panel);
    inside.SetAlign(ALIGN_CLIENT);
    EXPECT_EQ(inside.BoundsRect(), (_rect{4, 4, 96, 46}));
    panel.SetBevelOuter(BEVEL_NONE);
    panel.SetBevelInner(BEVEL_NONE);
    EXPECT_EQ(inside.BoundsRect(), (_rect{0, 0, 100, 50}));
    // Its own bounds cannot pull it out of place.
    inside.SetBounds(10, 10, 5, 5);
    EXPECT_EQ(inside.BoundsRect(), (_rect{0, 0, 100, 50}));
}

TEST(ControlTest, AControlCannotBecomeItsOwnAncestor) {
    _component root;
    _form& form = root.Make<_form>();
    auto& outer = form.Make<_panel>(&form);
    auto& inner = form.Make<_panel>(&outer);
    outer.SetParent(&inner);
    outer.SetParent(&outer);
    EXPECT_EQ(outer.Parent(), &form);
    EXPECT_EQ(GetParent(outer.Handle()), form.Handle());
    inner.SetParent(&form);  // a legal move still works
    EXPECT_EQ(inner.Parent(), &form);
    EXPECT_EQ(GetParent(inner.Handle()), form.Handle());
    EXPECT_EQ(outer.ControlCount(), 0u);
}

TEST(ControlTest, VisibilityAndEnablingReachTheWindow) {
    _component root;
    _form& form = ShownForm(root);
    auto& panel = form.Make<_panel>(&form);
    auto& label = form.Make<_label>(&panel, "x");
    EXPECT_TRUE(IsWindowVisible(panel.Handle()));
    EXPECT_TRUE(label.Showing());
    panel.Hide();
    EXPECT_FALSE(IsWindowVisible(panel.Handle()));
    EXPECT_FALSE(label.Showing());
    EXPECT_TRUE(label.Visible());
    panel.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(panel.Handle()));
}

}  // namespace
}  // namespace corvex
