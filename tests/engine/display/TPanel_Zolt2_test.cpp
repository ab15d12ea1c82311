#include "TPanel_Zolt2.h"

#include <gtest/gtest.h>

#include "Application.h"
#include "Form.h"

namespace corvex {
namespace {

// A bar-like form: every hit is a caption hit, and it counts the
// non-client messages it gets.
class _barform final : public _form {
public:
    using _form::_form;
    int hitTests = 0, leftDowns = 0, rightDowns = 0;
    LPARAM lastHit = 0;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override {
        switch (message) {
            case WM_NCHITTEST: return OnHitTest(lparam);
            case WM_NCLBUTTONDOWN: return ++leftDowns, 0;
            case WM_NCRBUTTONDOWN: return ++rightDowns, 0;
            default: return _form::WndProc(message, wparam, lparam);
        }
    }

private:
    LRESULT OnHitTest(LPARAM point) {
        ++hitTests;
        lastHit = point;
        return HTCAPTION;
    }
};

struct PanelFixture : ::testing::Test {
    _component root;
    _barform& form = root.Make<_barform>();
    _transpanel& band = root.Make<_transpanel>(&form);
    void SetUp() override {
        form.SetBorderStyle(FORM_BORDER_NONE);
        form.SetBounds(30, 40, 200, 100);
        band.SetBounds(5, 6, 40, 20);
        form.Show();
        Application().ProcessMessages();
    }
};

TEST_F(PanelFixture, HitTestsAndNonClientClicksAreTheParentsToAnswer) {
    EXPECT_EQ(band.Color(), COLOR_GRAY);
    EXPECT_EQ(band.Caption(), "");
    EXPECT_EQ(band.BevelOuter(), BEVEL_RAISED);
    EXPECT_EQ(band.BevelInner(), BEVEL_NONE);

    // The pointer of the display may send the form hit tests of its own;
    // only what happens during each message counts.
    POINT p{10, 10};
    ClientToScreen(band.Handle(), &p);
    int before = form.hitTests;
    EXPECT_EQ(SendMessageA(band.Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCAPTION);
    EXPECT_EQ(form.hitTests - before, 1);
    EXPECT_EQ(form.lastHit, MAKELPARAM(p.x, p.y));
    SendMessageA(band.Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
    SendMessageA(band.Handle(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(form.leftDowns, 1);
    EXPECT_EQ(form.rightDowns, 1);

    // An ordinary panel answers for itself.
    _panel& plain = root.Make<_panel>(&form);
    plain.SetBounds(60, 6, 40, 20);
    p = {10, 10};
    ClientToScreen(plain.Handle(), &p);
    before = form.hitTests;
    EXPECT_EQ(SendMessageA(plain.Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCLIENT);
    EXPECT_EQ(form.hitTests - before, 0);
}

TEST_F(PanelFixture, PointInClientIncludesTheEdges) {
    POINT origin{0, 0};
    ClientToScreen(band.Handle(), &origin);
    EXPECT_TRUE(PointInClient(origin.x, origin.y, band));
    EXPECT_TRUE(PointInClient(origin.x + 40, origin.y + 20, band));
    EXPECT_TRUE(PointInClient(origin.x + 20, origin.y + 10, band));
    EXPECT_FALSE(PointInClient(origin.x - 1, origin.y, band));
    EXPECT_FALSE(PointInClient(origin.x, origin.y - 1, band));
    EXPECT_FALSE(PointInClient(origin.x + 41, origin.y + 10, band));
    EXPECT_FALSE(PointInClient(origin.x + 10, origin.y + 21, band));
}

TEST_F(PanelFixture, WindowAlphaNeedsWindows2000) {
    form.SetLayered(true);
    ASSERT_EQ(SetWindowAlpha(form.Handle(), 100), _OK);
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(form.Handle(), &key, &alpha, &flags));
    EXPECT_EQ(alpha, 100);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(SetWindowAlpha(form.Handle(), 200, RELEASE_WIN2000), _OK);
    GetLayeredWindowAttributes(form.Handle(), &key, &alpha, &flags);
    EXPECT_EQ(alpha, 200);
    for (_winrelease older : {RELEASE_WIN95, RELEASE_WIN98, RELEASE_WINNT}) {
        EXPECT_EQ(SetWindowAlpha(form.Handle(), 50, older), _ERROR);
        GetLayeredWindowAttributes(form.Handle(), &key, &alpha, &flags);
        EXPECT_EQ(alpha, 200);
    }
}

}  // namespace
}  // namespace corvex
