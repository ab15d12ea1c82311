// The dialog controls: buttons, edits and spin edits, combo boxes, track
// bars, hot-key fields, status bars, page controls, splitters, group boxes
// and the colour dialog, on real windows.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "Application.h"
#include "Bitmap.h"
#include "Button.h"
#include "ColorDialog.h"
#include "ComboBox.h"
#include "Edit.h"
#include "Form.h"
#include "GroupBox.h"
#include "HotKeyField.h"
#include "Label.h"
#include "PageControl.h"
#include "Panel.h"
#include "Splitter.h"
#include "StatusBar.h"
#include "ToolBar.h"
#include "TrackBar.h"

namespace corvex {
namespace {

struct DialogFixture : ::testing::Test {
    _component root;
    _form& form = root.Make<_form>();
    void SetUp() override {
        form.SetBounds(20, 20, 383, 359);
        form.Show();
    }
    // What a child control tells its parent when the user acts on it.
    static void Notify(_wincontrol& control, WORD code) {
        SendMessageA(GetParent(control.Handle()), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(control.Handle()), code),
                     reinterpret_cast<LPARAM>(control.Handle()));
    }
};

TEST_F(DialogFixture, ButtonsAndCheckBoxesReportClicks) {
    auto& ok = form.Make<_button>(&form, "&ok");
    int clicks = 0;
    ok.OnClick = [&clicks] { ++clicks; };
    SendMessageA(ok.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    ok.SetDefault(true);
    EXPECT_EQ(GetWindowLongPtrA(ok.Handle(), GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);
    ok.SetEnabled(false);
    ok.Click();
    EXPECT_EQ(clicks, 1);

    auto& box = form.Make<_checkbox>(&form, "&stay on top");
    std::vector<bool> seen;
    box.OnClick = [&box, &seen] { seen.push_back(box.Checked()); };
    SendMessageA(box.Handle(), BM_CLICK, 0, 0);  // the user
    box.SetChecked(false);                       // the program
    box.SetChecked(false);                       // no change, no event
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(DialogFixture, EditsHideTypedTextBehindThePasswordCharacter) {
    auto& edit = form.Make<_edit>(&form);
    int changes = 0;
    edit.OnChange = [&changes] { ++changes; };
    edit.SetText("secret");
    EXPECT_EQ(changes, 1);
    edit.SetPasswordChar('*');
    EXPECT_EQ(edit.PasswordChar(), '*');
    EXPECT_EQ(edit.Text(), "secret");
    edit.SetPasswordChar(0);
    EXPECT_EQ(edit.PasswordChar(), 0);
    edit.SetReadOnly(true);
    EXPECT_TRUE(edit.ReadOnly());
}

TEST_F(DialogFixture, SpinEditsHoldTheirValueInsideTheRange) {
    auto& spin = form.Make<_spinedit>(&form);
    spin.SetBounds(10, 10, 80, 21);
    spin.SetRange(100000000, 10);  // turned round
    EXPECT_EQ(spin.MinValue(), 10);
    EXPECT_EQ(spin.MaxValue(), 100000000);
    EXPECT_EQ(spin.Value(), 10);  // "0" was outside the new range
    EXPECT_EQ(spin.Text(), "10");
    spin.SetValue(1000);
    EXPECT_EQ(spin.Text(), "1000");
    spin.SetValue(2000000000);
    EXPECT_EQ(spin.Value(), 100000000);
    spin.SetValue(-5);
    EXPECT_EQ(spin.Value(), 10);

    long typed = 0;
    spin.SetText("-500");
    EXPECT_TRUE(spin.TypedValue(typed));
    EXPECT_EQ(typed, -500);
    EXPECT_EQ(spin.Value(), 10);
    spin.SetText("12abc");
    EXPECT_FALSE(spin.TypedValue(typed));
    EXPECT_EQ(spin.Value(), 10);
    spin.SetText("99999999999999999999");
    EXPECT_FALSE(spin.TypedValue(typed));
}

TEST_F(DialogFixture, SpinEditArrowsStepByTheIncrementAndStopAtTheEnds) {
    auto& spin = form.Make<_spinedit>(&form);
    spin.SetBounds(10, 10, 80, 21);
    spin.SetRange(0, 100);
    spin.SetIncrement(30);
    spin.SetValue(50);
    ASSERT_EQ(spin.ControlCount(), 1u);
    auto* arrows = dynamic_cast<_wincontrol*>(spin.Controls(0));
    ASSERT_NE(arrows, nullptr);
    const auto press = [arrows](bool up) {
        const _rect r = arrows->ClientRect();
        const LPARAM at = MAKELPARAM(r.Width() / 2, up ? 2 : r.Height() - 3);
        SendMessageA(arrows->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(arrows->Handle(), WM_LBUTTONUP, 0, at);
    };
    press(true);
    EXPECT_EQ(spin.Value(), 80);
    press(true);
    EXPECT_EQ(spin.Value(), 100);
    press(false);
    EXPECT_EQ(spin.Value(), 70);
}

TEST_F(DialogFixture, ComboBoxesOfTheThreeKinds) {
    auto& style = form.Make<_combobox>(&form, COMBO_DROPDOWNLIST);
    style.SetCommaText("oscillograph,spectrum,bar");
    EXPECT_EQ(style.Count(), 3);
    EXPECT_EQ(style.Items(2), "bar");
    EXPECT_EQ(style.Items(3), "");
    int changes = 0;
    style.OnChange = [&changes] { ++changes; };
    style.SetItemIndex(1);
    EXPECT_EQ(style.ItemIndex(), 1);
    EXPECT_EQ(changes, 0);  // the program's choice is no user change
    style.SetItemIndex(7);
    EXPECT_EQ(style.ItemIndex(), -1);
    style.SetItemIndex(2);
    Notify(style, CBN_SELCHANGE);
    EXPECT_EQ(changes, 1);

    auto& nick = form.Make<_combobox>(&form, COMBO_DROPDOWN);
    nick.SetText("CPU 1");
    EXPECT_EQ(nick.Text(), "CPU 1");
    nick.SetCommaText(",a,,b");  // empty items are items too
    EXPECT_EQ(nick.Count(), 4);
    // A pick is the box's text by the time it is told.
    std::string told;
    nick.OnChange = [&] { told = nick.Text(); };
    nick.Perform(CB_SETCURSEL, 3);
    Notify(nick, CBN_SELCHANGE);
    EXPECT_EQ(told, "b");
}

// An owner-drawn box that paints every item a colour of its own.
class _swatches final : public _combobox {
public:
    _swatches(_component* owner, _wincontrol* parent) : _combobox(owner, parent, COMBO_OWNERDRAWFIXED) {}
    std::vector<std::pair<int, unsigned>> drawn;

protected:
    void DrawItem(_canvas& canvas, int index, const _rect& area, unsigned state) override {
        drawn.emplace_back(index, state);
        canvas.SetBrush(index == 1 ? 0x0000FF : 0x00FF00);
        canvas.FillRect(area);
    }
};

TEST_F(DialogFixture, OwnerDrawnComboBoxesDrawTheClosedBoxThroughTheirObject) {
    auto& box = form.Make<_swatches>(&form);
    box.SetBounds(10, 10, 100, 20);
    box.SetItemHeight(14);
    box.SetDropDownCount(17);
    box.SetCommaText("0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,choose...");
    EXPECT_EQ(box.Count(), 17);
    EXPECT_EQ(box.Items(16), "choose...");
    EXPECT_EQ(box.ItemHeight(), 14);
    box.SetItemIndex(1);
    box.drawn.clear();
    box.Repaint();
    bool closedBoxDrawn = false;
    for (const auto& [index, state] : box.drawn)
        if (index == 1 && (state & COMBO_DRAW_EDIT)) closedBoxDrawn = true;
    EXPECT_TRUE(closedBoxDrawn);
}

TEST_F(DialogFixture, TrackBarsHoldThePositionInTheRangeAndReportChanges) {
    auto& track = form.Make<_trackbar>(&form);
    track.SetRange(0, 255);
    EXPECT_FALSE(GetWindowLongPtrA(track.Handle(), GWL_STYLE) & WS_TABSTOP);
    int changes = 0;
    track.OnChange = [&changes] { ++changes; };
    track.SetPosition(300);
    EXPECT_EQ(track.Position(), 255);
    EXPECT_EQ(changes, 1);
    track.SetPosition(255);
    EXPECT_EQ(changes, 1);
    track.SetRange(50, 10);  // turned round; the thumb moves into it
    EXPECT_EQ(track.Min(), 10);
    EXPECT_EQ(track.Max(), 50);
    EXPECT_EQ(track.Position(), 50);
    EXPECT_EQ(changes, 2);
    track.SetThumbLength(12);
    EXPECT_EQ(track.Perform(TBM_GETTHUMBLENGTH), 12);
    // The user drags: the control tells its parent, the object its owner.
    SendMessageA(track.Handle(), TBM_SETPOS, TRUE, 20);
    SendMessageA(form.Handle(), WM_HSCROLL, TB_THUMBTRACK, reinterpret_cast<LPARAM>(track.Handle()));
    EXPECT_EQ(changes, 3);
}

TEST_F(DialogFixture, HotKeyFieldsSpeakShortCutCodes) {
    auto& field = form.Make<_hotkeyfield>(&form);
    EXPECT_EQ(field.HotKey(), SHORTCUT_NONE);
    field.SetHotKey(0xC057);  // Ctrl+Alt+W
    EXPECT_EQ(field.HotKey(), 0xC057);
    EXPECT_EQ(field.Perform(HKM_GETHOTKEY) & 0xFFFF, 0x0657);
}

TEST_F(DialogFixture, StatusBarPanelsAndBottomAlignment) {
    auto& status = form.Make<_statusbar>(&form);
    status.SetPanels({50, 50});
    status.SetPanelText(0, "2:1");
    status.SetPanelText(1, "     CPU");
    status.SetPanelText(2, "nowhere");
    EXPECT_EQ(status.PanelText(0), "2:1");
    EXPECT_EQ(status.PanelText(1), "     CPU");
    EXPECT_EQ(status.PanelText(2), "");
    EXPECT_EQ(status.Perform(SB_GETPARTS, 0, 0), 2);
    EXPECT_EQ(status.BoundsRect().bottom, form.ClientHeight());
    EXPECT_EQ(status.Width(), form.ClientWidth());
    form.SetBounds(20, 20, 500, 400);
    EXPECT_EQ(status.BoundsRect().bottom, form.ClientHeight());
    EXPECT_EQ(status.Width(), form.ClientWidth());
}

TEST_F(DialogFixture, PagesWithHiddenTabsShowOnlyTheActivePage) {
    auto& pages = form.Make<_pagecontrol>(&form);
    pages.SetBounds(100, 0, 270, 300);
    _tabsheet& general = pages.AddPage("general");
    _tabsheet& tray = pages.AddPage("tray");
    _tabsheet& colors = pages.AddPage("colors");
    EXPECT_EQ(pages.ActivePage(), &general);
    EXPECT_EQ(pages.TabCount(), 3);
    EXPECT_GT(general.Top(), 0);  // below the tab row

    for (std::size_t i = 0; i < pages.PageCount(); ++i) pages.Pages(i)->SetTabVisible(false);
    EXPECT_EQ(pages.TabCount(), 0);
    EXPECT_EQ(general.BoundsRect(), pages.ClientRect());  // no room kept for tabs
    pages.SetActivePage(&colors);
    EXPECT_TRUE(colors.Visible());
    EXPECT_FALSE(general.Visible());
    EXPECT_FALSE(tray.Visible());
    EXPECT_TRUE(IsWindowVisible(colors.Handle()));
    EXPECT_FALSE(IsWindowVisible(general.Handle()));
    EXPECT_EQ(colors.PageIndex(), 2);

    // One tab back: the user picks it and its page comes up.
    tray.SetTabVisible(true);
    EXPECT_EQ(pages.TabCount(), 1);
    int changes = 0;
    pages.OnChange = [&changes] { ++changes; };
    pages.Perform(TCM_SETCURSEL, 0);
    NMHDR header{pages.Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(pages.Handle())),
                 static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(form.Handle(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pages.ActivePage(), &tray);
    EXPECT_FALSE(colors.Visible());

    form.Destroy(&pages);  // sheets go with their page control
}

TEST_F(DialogFixture, AlignedControlsShareTheClientAreaAndTheSplitterResizesItsNeighbour) {
    auto& bar = form.Make<_toolbar>(&form);
    auto& refresh = bar.AddButton("&Refresh");
    auto& hide = bar.AddButton("&Hide");
    EXPECT_EQ(hide.Left(), refresh.Left() + 48);
    EXPECT_FALSE(GetWindowLongPtrA(hide.Handle(), GWL_STYLE) & WS_TABSTOP);
    auto& status = form.Make<_statusbar>(&form);
    auto& tree = form.Make<_panel>(&form);
    tree.SetWidth(217);
    tree.SetAlign(ALIGN_LEFT);
    auto& splitter = form.Make<_splitter>(&form, ALIGN_LEFT);
    auto& page = form.Make<_panel>(&form);
    page.SetAlign(ALIGN_CLIENT);

    const int w = form.ClientWidth(), h = form.ClientHeight();
    EXPECT_EQ(bar.BoundsRect(), _rect::Bounds(0, 0, w, 29));
    EXPECT_EQ(status.BoundsRect().bottom, h);
    EXPECT_EQ(tree.BoundsRect(), (_rect{0, 29, 217, status.Top()}));
    EXPECT_EQ(splitter.Left(), 217);
    EXPECT_EQ(page.BoundsRect(), (_rect{220, 29, w, status.Top()}));
    EXPECT_EQ(splitter.Neighbour(), &tree);

    const auto drag = [&splitter](int dx) {
        SendMessageA(splitter.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
        SendMessageA(splitter.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(1 + dx), 5));
        SendMessageA(splitter.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(1 + dx), 5));
    };
    drag(20);
    EXPECT_EQ(tree.Width(), 237);
    EXPECT_EQ(page.Left(), 240);
    drag(-1000);
    EXPECT_EQ(tree.Width(), splitter.MinSize());
    EXPECT_EQ(page.Left(), splitter.MinSize() + 3);

    // A hidden aligned control gives its room away.
    bar.Hide();
    EXPECT_EQ(tree.Top(), 0);
}

TEST_F(DialogFixture, GroupBoxesHostWindowlessLabels) {
    auto& group = form.Make<_groupbox>(&form, " gauge ");
    group.SetBounds(0, 0, 150, 80);
    group.SetColor(COLOR_SILVER);
    auto& label = form.Make<_label>(&group, "");
    label.SetAutoSize(false);
    label.SetBounds(20, 30, 10, 10);
    label.SetColor(COLOR_MAROON);
    _bitmap shot(150, 80);
    group.PaintTo(shot.Canvas(), 0, 0);
    EXPECT_EQ(shot.Pixel(25, 35), COLOR_MAROON);
    EXPECT_EQ(shot.Pixel(75, 60), COLOR_SILVER);
    // The etched frame runs down the left edge below the caption line.
    EXPECT_NE(shot.Pixel(0, 60), COLOR_SILVER);
}

TEST_F(DialogFixture, TheColourDialogReturnsTheChoiceOnlyOnOk) {
    _colordialog& dialog = form.Make<_colordialog>();
    dialog.SetColor(0x405060);
    dialog.OnShow = [](HWND window) { PostMessageA(window, WM_COMMAND, IDCANCEL, 0); };
    EXPECT_FALSE(dialog.Execute(form.Handle()));
    EXPECT_EQ(dialog.Color(), 0x405060u);
    dialog.OnShow = [](HWND window) { PostMessageA(window, WM_COMMAND, IDOK, 0); };
    EXPECT_TRUE(dialog.Execute(form.Handle()));
    EXPECT_EQ(dialog.Color(), 0x405060u);
}

TEST_F(DialogFixture, SpeedButtonsDrawTheirPictureGreyedWhenDisabledAndShowHints) {
    auto& bar = form.Make<_toolbar>(&form);
    auto& add = bar.AddButton("&Add", 60);
    _bitmap glyph(12, 12);
    glyph.Canvas().SetBrush(COLOR_FUCHSIA);
    glyph.Canvas().FillRect(_rect::Bounds(0, 0, 12, 12));
    glyph.Canvas().SetBrush(0x0000FF);
    glyph.Canvas().FillRect(_rect::Bounds(4, 4, 4, 4));
    add.SetGlyph(glyph);
    bar.SetHint(add, "add a Speeder");
    EXPECT_EQ(bar.Hint(add), "add a Speeder");
    bar.SetHint(add, "");
    EXPECT_EQ(bar.Hint(add), "");

    // The button draws itself when its parent is asked to.
    const auto draw = [&add](_bitmap& face) {
        face.SetSize(add.Width(), add.Height());
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = static_cast<UINT>(GetDlgCtrlID(add.Handle()));
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = add.Handle();
        item.hDC = face.Canvas().Handle();
        item.rcItem = {0, 0, add.Width(), add.Height()};
        SendMessageA(GetParent(add.Handle()), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    };
    // The picture's red square, somewhere left of the caption.
    const auto red = [](const _bitmap& face, _color color) {
        int found = 0;
        for (int x = 0; x < face.Width() / 2; ++x) found += face.Pixel(x, face.Height() / 2) == color;
        return found;
    };
    _bitmap face;
    draw(face);
    EXPECT_EQ(red(face, 0x0000FF), 4);
    add.SetEnabled(false);
    draw(face);
    EXPECT_EQ(red(face, 0x0000FF), 0);
    EXPECT_GE(red(face, FromRGB(ToRGB(SYSCOLOR_BTNSHADOW))), 4);
}

}  // namespace
}  // namespace corvex
