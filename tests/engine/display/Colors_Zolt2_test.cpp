#include "Colors_Zolt2.h"

#include <gtest/gtest.h>

#include <string>

#include "Application.h"
#include "Bitmap.h"
#include "ColorPalette.h"
#include "Form.h"

namespace corvex {
namespace {

// The colour dialog's edit fields of red, green and blue.
constexpr int kRedEdit = 706, kGreenEdit = 707, kBlueEdit = 708;

class _drawncolors final : public _colors {
public:
    using _colors::_colors;
    using _colors::DrawItem;
};

struct ColorsFixture : ::testing::Test {
    _component root;
    _form& form = root.Make<_form>();
    _drawncolors& box = root.Make<_drawncolors>(&form);
    int changes = 0;

    void SetUp() override {
        form.SetBounds(20, 20, 200, 120);
        form.Show();
        box.SetBounds(10, 10, 120, 21);
        box.OnChange = [this] { ++changes; };
    }
    // The user picks an item of the list.
    void Pick(int index) {
        box.SetItemIndex(index);
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box.Handle()));
    }
    int ChangesDuring(void (ColorsFixture::*step)(int), int index) {
        const int before = changes;
        (this->*step)(index);
        return changes - before;
    }
    // Answers the colour dialog: OK with `colour`, or Cancel.
    void AnswerDialog(bool ok, _color colour = 0) {
        box.OnDialogShow = [ok, colour](HWND dialog) {
            if (ok) {
                SetDlgItemInt(dialog, kRedEdit, RedOf(colour), FALSE);
                SetDlgItemInt(dialog, kGreenEdit, GreenOf(colour), FALSE);
                SetDlgItemInt(dialog, kBlueEdit, BlueOf(colour), FALSE);
            }
            PostMessageA(dialog, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
        };
    }
};

TEST_F(ColorsFixture, ItemsAndTheItemThatShowsAColour) {
    ASSERT_EQ(box.Count(), 17);
    EXPECT_EQ(box.Items(0), "0");
    EXPECT_EQ(box.Items(15), "15");
    EXPECT_EQ(box.Items(16), "choose...");
    EXPECT_EQ(box.DropDownCount(), 17);
    EXPECT_EQ(box.PickedColor(), COLOR_BLACK);
    EXPECT_EQ(box.ItemIndex(), 0);

    box.SetPickedColor(COLOR_GRAY);
    EXPECT_EQ(box.ItemIndex(), 7);
    EXPECT_EQ(changes, 1);
    box.SetPickedColor(COLOR_GRAY);
    EXPECT_EQ(changes, 1);  // the same colour: nothing
    box.SetColor(0x405060);
    EXPECT_EQ(box.PickedColor(), 0x405060u);
    EXPECT_EQ(box.ItemIndex(), PALETTE_CHOOSE_ITEM);
    EXPECT_EQ(changes, 2);
    box.SetVividColor(0xFF0000);
    EXPECT_EQ(box.Color(), 0xFF0000u);
    EXPECT_EQ(box.ItemIndex(), 12);
    EXPECT_EQ(changes, 3);
}

TEST_F(ColorsFixture, PickingAPaletteItemNotifiesTwiceThenOnce) {
    EXPECT_EQ(ChangesDuring(&ColorsFixture::Pick, 7), 2);
    EXPECT_EQ(box.PickedColor(), COLOR_GRAY);
    EXPECT_EQ(ChangesDuring(&ColorsFixture::Pick, 7), 1);
    EXPECT_EQ(box.PickedColor(), COLOR_GRAY);
    EXPECT_EQ(box.VividColor(), COLOR_BLACK);  // only the dialog sets it
}

TEST_F(ColorsFixture, TheDialogsColourIsTakenOnOkAndCancelGoesBackSilently) {
    AnswerDialog(true, 0x405060);
    EXPECT_EQ(ChangesDuring(&ColorsFixture::Pick, PALETTE_CHOOSE_ITEM), 2);
    EXPECT_EQ(box.VividColor(), 0x405060u);
    EXPECT_EQ(box.PickedColor(), 0x405060u);
    EXPECT_EQ(box.ItemIndex(), PALETTE_CHOOSE_ITEM);

    Pick(9);
    EXPECT_EQ(box.PickedColor(), 0x0000FFu);
    AnswerDialog(false);
    // Only the box's ordinary notification: the revert itself is silent.
    EXPECT_EQ(ChangesDuring(&ColorsFixture::Pick, PALETTE_CHOOSE_ITEM), 1);
    EXPECT_EQ(box.PickedColor(), 0x405060u);
    EXPECT_EQ(box.ItemIndex(), PALETTE_CHOOSE_ITEM);

    // OK with the dialog's last colour while a palette colour is shown
    // still gives the user that colour.
    Pick(9);
    AnswerDialog(true, 0x405060);
    EXPECT_EQ(ChangesDuring(&ColorsFixture::Pick, PALETTE_CHOOSE_ITEM), 2);
    EXPECT_EQ(box.PickedColor(), 0x405060u);

    // A palette colour from the dialog selects its palette item.
    AnswerDialog(true, 0x00FF00);
    Pick(PALETTE_CHOOSE_ITEM);
    EXPECT_EQ(box.PickedColor(), 0x00FF00u);
    EXPECT_EQ(box.ItemIndex(), 10);
}

TEST_F(ColorsFixture, SwatchesAndTheInvertedChooseText) {
    _bitmap out(80, 16);
    const _rect item = _rect::Bounds(0, 0, 80, 16);
    box.DrawItem(out.Canvas(), 9, item, 0);
    EXPECT_EQ(out.Pixel(40, 8), 0x0000FFu);
    EXPECT_EQ(out.Pixel(0, 0), COLOR_BLACK);  // the DC's own pen
    EXPECT_EQ(out.Pixel(79, 15), COLOR_BLACK);

    box.SetPickedColor(0x405060);
    box.DrawItem(out.Canvas(), PALETTE_CHOOSE_ITEM, item, COMBO_DRAW_EDIT);
    for (int y = 1; y < 15; ++y)
        for (int x = 1; x < 79; ++x) ASSERT_EQ(out.Pixel(x, y), 0x405060u) << x << "," << y;

    // In the list the swatch carries "choose..." XOR-ed at (2, 2).
    box.DrawItem(out.Canvas(), PALETTE_CHOOSE_ITEM, item, COMBO_DRAW_SELECTED);
    _bitmap label;
    _fontspec font = box.Font();
    font.color = COLOR_WHITE;
    label.Canvas().SetFont(font);
    const _point size = label.Canvas().TextExtent("choose...");
    label.SetSize(size.x, size.y);
    label.Canvas().SetBrush(COLOR_BLACK);
    label.Canvas().FillRect(_rect::Bounds(0, 0, size.x, size.y));
    label.Canvas().TextOut(0, 0, "choose...");
    int glyphs = 0;
    for (int y = 1; y < 15; ++y)
        for (int x = 1; x < 79; ++x) {
            const bool inLabel = x >= 2 && y >= 2 && x < 2 + size.x && y < 2 + size.y;
            const _color l = inLabel ? label.Pixel(x - 2, y - 2) : COLOR_BLACK;
            glyphs += l != COLOR_BLACK;
            ASSERT_EQ(out.Pixel(x, y), 0x405060u ^ l) << x << "," << y;
        }
    EXPECT_GT(glyphs, 0);
}

}  // namespace
}  // namespace corvex
