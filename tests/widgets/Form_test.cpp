#include "Form.h"

#include <gtest/gtest.h>

#include "Application.h"
#include "Edit.h"
#include "Label.h"
#include "Panel.h"
#include "Menu.h"
#include "Timer.h"

namespace corvex {
namespace {

LONG_PTR Style(HWND w) {
    return GetWindowLongPtrA(w, GWL_STYLE);
}
LONG_PTR ExStyle(HWND w) {
    return GetWindowLongPtrA(w, GWL_EXSTYLE);
}

class _recordingform final : public _form {
public:
    explicit _recordingform(_component* owner) : _form(owner) {}
    int queries = 0, ends = 0, closes = 0, shows = 0;
    bool allowClose = true;

protected:
    bool CloseQuery() override { return allowClose; }
    void Closed() override { ++closes; }
    void Shown() override { ++shows; }
    bool QueryEndSession() override {
        ++queries;
        return true;
    }
    void EndSession(bool) override { ++ends; }
};

TEST(ApplicationTest, NeitherTheApplicationWindowNorAFormGetsATaskBarButton) {
    const HWND app = Application().Handle();
    ASSERT_TRUE(IsWindow(app));
    EXPECT_TRUE(ExStyle(app) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(IsWindowVisible(app));
    _component root;
    auto& form = root.Make<_form>();
    form.Show();
    // An owned top-level window without WS_EX_APPWINDOW has no button.
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), app);
    EXPECT_FALSE(ExStyle(form.Handle()) & WS_EX_APPWINDOW);
    EXPECT_FALSE(Style(form.Handle()) & WS_CHILD);
    Application().SetTitle("Corvex");
    char title[32] = {};
    GetWindowTextA(app, title, sizeof(title));
    EXPECT_STREQ(title, "Corvex");
}

TEST(FormTest, BorderlessFixedAndSizeableFrames) {
    _component root;
    auto& bar = root.Make<_form>();
    bar.SetBorderStyle(FORM_BORDER_NONE);
    bar.SetBorderIcons(0);
    bar.SetClientSize(226, 100);
    EXPECT_FALSE(Style(bar.Handle()) & WS_CAPTION);
    EXPECT_EQ(bar.ClientWidth(), 226);
    EXPECT_EQ(bar.Width(), 226);  // no frame: the window is the client area

    auto& ignition = root.Make<_form>();
    ignition.SetBorderStyle(FORM_BORDER_SINGLE);
    ignition.SetClientSize(365, 36);
    EXPECT_TRUE(Style(ignition.Handle()) & WS_CAPTION);
    EXPECT_FALSE(Style(ignition.Handle()) & WS_THICKFRAME);
    EXPECT_EQ(ignition.ClientWidth(), 365);
    EXPECT_EQ(ignition.ClientHeight(), 36);
    EXPECT_GT(ignition.Width(), 365);

    auto& dialog = root.Make<_form>();
    dialog.SetBorderIcons(BORDER_ICON_SYSTEM_MENU | BORDER_ICON_MAXIMIZE);
    EXPECT_TRUE(Style(dialog.Handle()) & WS_THICKFRAME);
    EXPECT_TRUE(Style(dialog.Handle()) & WS_MAXIMIZEBOX);
    EXPECT_FALSE(Style(dialog.Handle()) & WS_MINIMIZEBOX);
}

TEST(FormTest, CentredWhenFirstShownAndHeldToItsMinimumSize) {
    _component root;
    auto& form = root.Make<_form>();
    form.SetBounds(0, 0, 383, 359);
    form.SetMinSize(383, 359);
    form.SetPosition(FORM_POSITION_SCREEN_CENTER);
    form.Show();
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT r{};
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.left, work.left + (work.right - work.left - 383) / 2);
    EXPECT_EQ(r.top, work.top + (work.bottom - work.top - 359) / 2);
    // The user moves it; showing it again does not centre it again.
    form.SetBounds(5, 5, 383, 359);
    form.Hide();
    form.Show();
    EXPECT_EQ(form.Left(), 5);

    MINMAXINFO limits{};
    SendMessageA(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 383);
    EXPECT_EQ(limits.ptMinTrackSize.y, 359);
}

TEST(FormTest, StayOnTopAndLayeredStyles) {
    _component root;
    // Wine takes the topmost flag away only when some other visible window
    // is there to go in front of (a desktop always has one).
    root.Make<_form>().Show();
    auto& form = root.Make<_form>();
    form.Show();
    form.SetOnTop(true);
    EXPECT_TRUE(ExStyle(form.Handle()) & WS_EX_TOPMOST);
    form.SetOnTop(false);
    EXPECT_FALSE(ExStyle(form.Handle()) & WS_EX_TOPMOST);
    form.SetLayered(true);
    EXPECT_TRUE(ExStyle(form.Handle()) & WS_EX_LAYERED);
    form.SetLayered(false);
    EXPECT_FALSE(ExStyle(form.Handle()) & WS_EX_LAYERED);
}

TEST(FormTest, ClosingTheMainFormEndsTheMessageLoop) {
    _component root;
    auto& form = root.Make<_recordingform>();
    Application().SetMainForm(&form);
    form.allowClose = false;
    form.Show();
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.closes, 0);

    form.allowClose = true;
    // Closed from inside the loop, by a timer tick.
    auto& timer = root.Make<_timer>();
    timer.SetInterval(10);
    timer.OnTimer = [&form, &timer] {
        timer.SetEnabled(false);
        form.Close();
    };
    Application().Run();
    EXPECT_EQ(form.closes, 1);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(Application().Terminated());
    EXPECT_GE(form.shows, 1);
    Application().SetMainForm(nullptr);
}

TEST(FormTest, EndOfSessionReachesTheMainFormOncePerRoundByEitherPath) {
    _component root;
    auto& form = root.Make<_recordingform>();
    Application().SetMainForm(&form);
    EXPECT_EQ(SendMessageA(Application().Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(SendMessageA(form.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(form.queries, 1);
    SendMessageA(form.Handle(), WM_ENDSESSION, TRUE, 0);
    SendMessageA(Application().Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(form.ends, 1);
    // A later round counts again.
    SendMessageA(Application().Handle(), WM_QUERYENDSESSION, 0, 0);
    SendMessageA(Application().Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(form.queries, 2);
    EXPECT_EQ(form.ends, 2);
    Application().SetMainForm(nullptr);
}

TEST(FormTest, MinimisingTheMainFormRaisesTheApplicationsEvent) {
    _component root;
    auto& form = root.Make<_form>();
    Application().SetMainForm(&form);
    form.Show();
    int minimised = 0;
    Application().OnMinimize = [&minimised] {
        ++minimised;
        Application().Restore();
    };
    SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(minimised, 1);
    EXPECT_FALSE(IsIconic(form.Handle()));
    SendMessageA(Application().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(minimised, 2);
    Application().OnMinimize = nullptr;
    Application().SetMainForm(nullptr);
}

TEST(FormTest, KeyPressesReachTheFormsShortCutMenuThroughTheLoop) {
    _component root;
    auto& form = root.Make<_form>();
    auto& menu = form.Make<_mainmenu>();
    int refreshed = 0;
    _menuitem& refresh = menu.Items().Add("Refresh", MakeShortCut(VK_F5, false, false, false));
    refresh.SetVisible(false);
    refresh.OnClick = [&refreshed](_menuitem&) { ++refreshed; };
    form.SetShortCutMenu(&menu);
    form.Show();
    PostMessageA(form.Handle(), WM_KEYDOWN, VK_F5, 0);
    PostMessageA(form.Handle(), WM_KEYDOWN, VK_F6, 0);
    Application().ProcessMessages();
    EXPECT_EQ(refreshed, 1);
}

TEST(FormTest, AltWithALabelsAccessKeyFocusesItsControl) {
    _component root;
    auto& form = root.Make<_form>();
    auto& page = form.Make<_panel>(&form);
    auto& other = form.Make<_edit>(&page);
    auto& label = form.Make<_label>(&page, "ni&ck: ");
    auto& nick = form.Make<_edit>(&page);
    nick.SetTop(30);
    label.SetFocusControl(&nick);
    form.Show();
    SetForegroundWindow(form.Handle());
    other.SetFocus();
    EXPECT_FALSE(form.IsShortCut(MakeShortCut('C', false, true, true)));  // Ctrl+Alt is no access key
    EXPECT_FALSE(form.IsShortCut(MakeShortCut('N', false, false, true)));
    EXPECT_TRUE(other.Focused());
    EXPECT_TRUE(form.IsShortCut(MakeShortCut('C', false, false, true)));
    EXPECT_TRUE(nick.Focused());
    nick.SetEnabled(false);
    other.SetFocus();
    EXPECT_FALSE(form.IsShortCut(MakeShortCut('C', false, false, true)));
    form.Destroy(&nick);
    EXPECT_EQ(label.FocusControl(), nullptr);
    EXPECT_FALSE(form.IsShortCut(MakeShortCut('C', false, false, true)));
}

TEST(FormTest, TabMovesTheFocusThroughNestedPanelsUnlessDialogKeysAreOff) {
    _component root;
    auto& form = root.Make<_form>();
    auto& panel = form.Make<_panel>(&form);
    auto& first = form.Make<_edit>(&panel);
    auto& second = form.Make<_edit>(&panel);
    second.SetTop(30);
    form.Show();
    SetForegroundWindow(form.Handle());
    first.SetFocus();
    ASSERT_TRUE(first.Focused());
    PostMessageA(first.Handle(), WM_KEYDOWN, VK_TAB, 0);
    Application().ProcessMessages();
    EXPECT_TRUE(second.Focused());

    form.SetDialogKeys(false);
    PostMessageA(second.Handle(), WM_KEYDOWN, VK_TAB, 0);
    Application().ProcessMessages();
    EXPECT_TRUE(second.Focused());
}

}  // namespace
}  // namespace corvex
