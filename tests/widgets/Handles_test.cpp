#include "WinHandle.h"

#include <gtest/gtest.h>

#include "Application.h"
#include "Bitmap.h"
#include "Form.h"
#include "Image.h"
#include "Label.h"
#include "Menu.h"
#include "Panel.h"
#include "Timer.h"

namespace corvex {
namespace {

TEST(HandlesTest, CountsFollowOwnershipThroughMovesAndReleases) {
    const long before = _pentraits::Live();
    {
        _pen a(CreatePen(PS_SOLID, 1, 0));
        EXPECT_EQ(_pentraits::Live(), before + 1);
        _pen b(std::move(a));
        EXPECT_EQ(_pentraits::Live(), before + 1);
        EXPECT_FALSE(a);
        _pen c(CreatePen(PS_SOLID, 1, 0));
        c = std::move(b);  // c's own pen is deleted
        EXPECT_EQ(_pentraits::Live(), before + 1);
        const HPEN loose = c.release();
        EXPECT_EQ(_pentraits::Live(), before);
        DeleteObject(loose);
        _pen empty(nullptr);
        EXPECT_EQ(_pentraits::Live(), before);
    }
    EXPECT_EQ(_pentraits::Live(), before);
}

TEST(HandlesTest, APopulatedWindowGivesBackEverythingItMade) {
    Application();  // its own window lives for the whole run
    const _livehandles before = _livehandles::Now();
    {
        _component root;
        auto& form = root.Make<_form>();
        form.SetBorderStyle(FORM_BORDER_NONE);
        form.SetBounds(0, 0, 200, 100);
        auto& panel = form.Make<_panel>(&form);
        panel.SetBounds(0, 0, 200, 100);
        panel.SetCaption("band");
        auto& label = form.Make<_label>(&panel, "label");
        label.SetFont(_fontspec{"Small Fonts", 11, COLOR_WHITE, 0});
        auto& image = form.Make<_image>(&panel);
        image.Picture().SetSize(16, 16);
        image.SetTransparent(true);
        auto& box = form.Make<_paintbox>(&panel);
        box.OnPaint = [](_canvas& c) {
            c.SetPen(COLOR_LIME);
            c.SetBrush(COLOR_MAROON);
            c.Rectangle({0, 0, 10, 10});
        };
        auto& pop = form.Make<_popupmenu>();
        pop.Items().Add("&hide").Add("sub");
        form.Make<_timer>().SetInterval(50);
        _imagelist list;
        list.Add(image.Picture());
        form.Show();
        form.Repaint();
        const _menuhandle menu = pop.Items().BuildMenu();
        EXPECT_NE(_livehandles::Now(), before);
    }
    EXPECT_EQ(_livehandles::Now(), before);
}

}  // namespace
}  // namespace corvex
