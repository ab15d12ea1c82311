#include "Menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Application.h"
#include "Timer.h"
#include "WinHandle.h"

namespace corvex {
namespace {

std::string TextOf(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
    return text;
}

UINT StateOf(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_FTYPE;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return info.fState | info.fType;
}

UINT CommandOf(HMENU menu, int position) {
    return GetMenuItemID(menu, position);
}

// A menu shaped like the bar's: visible commands, hidden debug items with
// short-cuts, separators.
struct BarMenu {
    _component root;
    _popupmenu& pop = root.Make<_popupmenu>();
    std::vector<std::string> clicked;
    _menuitem& hide = Item("&hide", MakeShortCut('H', false, true, false));
    _menuitem& designer = Item("&designer...", MakeShortCut('D', false, true, false));
    _menuitem& n2 = Item("-");
    _menuitem& debug = Item("[DEBUG] Add Drive", MakeShortCut(VK_F4, true, true, false));
    _menuitem& n1 = Item("-");
    _menuitem& exit = Item("e&xit", MakeShortCut('W', false, true, false));

    BarMenu() {
        debug.SetVisible(false);
        debug.SetEnabled(false);
        n1.SetVisible(false);
    }
    _menuitem& Item(const std::string& caption, _shortcut shortcut = SHORTCUT_NONE) {
        _menuitem& item = pop.Items().Add(caption, shortcut);
        item.OnClick = [this](_menuitem& sender) { clicked.push_back(sender.Caption()); };
        return item;
    }
};

TEST(MenuTest, TheWindowsMenuShowsVisibleItemsWithShortCutTextsAndStates) {
    BarMenu m;
    m.hide.SetCaption("&show");
    m.hide.SetDefault(true);
    m.designer.SetEnabled(false);
    const _menuhandle menu = m.pop.Items().BuildMenu();
    ASSERT_EQ(GetMenuItemCount(menu.get()), 4);
    EXPECT_EQ(TextOf(menu.get(), 0), "&show\tCtrl+H");
    EXPECT_EQ(TextOf(menu.get(), 1), "&designer...\tCtrl+D");
    EXPECT_TRUE(StateOf(menu.get(), 2) & MFT_SEPARATOR);
    EXPECT_EQ(TextOf(menu.get(), 3), "e&xit\tCtrl+W");
    EXPECT_TRUE(StateOf(menu.get(), 0) & MFS_DEFAULT);
    EXPECT_TRUE(StateOf(menu.get(), 1) & MFS_GRAYED);
    EXPECT_FALSE(StateOf(menu.get(), 3) & (MFS_GRAYED | MFS_DEFAULT));
    // Commands past the hidden items still lead back to the right item.
    EXPECT_EQ(m.pop.Items().FindCommand(CommandOf(menu.get(), 3)), &m.exit);
    EXPECT_EQ(m.pop.Items().FindCommand(CommandOf(menu.get(), 0)), &m.hide);
    EXPECT_EQ(m.pop.Items().FindCommand(999), nullptr);
}

TEST(MenuTest, OneDefaultItemPerLevel) {
    BarMenu m;
    m.hide.SetDefault(true);
    m.exit.SetDefault(true);
    EXPECT_FALSE(m.hide.Default());
    EXPECT_TRUE(m.exit.Default());
}

TEST(MenuTest, ShortCutsClickEnabledItemsVisibleOrNot) {
    BarMenu m;
    EXPECT_TRUE(m.pop.DispatchShortCut(MakeShortCut('H', false, true, false)));
    EXPECT_FALSE(m.pop.DispatchShortCut(MakeShortCut('H', false, false, false)));
    EXPECT_FALSE(m.pop.DispatchShortCut(MakeShortCut('H', true, true, false)));
    // Disabled: the short-cut does nothing.
    EXPECT_FALSE(m.pop.DispatchShortCut(MakeShortCut(VK_F4, true, true, false)));
    // Hidden but enabled: it still serves its short-cut.
    m.exit.SetVisible(false);
    EXPECT_TRUE(m.pop.DispatchShortCut(MakeShortCut('W', false, true, false)));
    EXPECT_FALSE(m.pop.DispatchShortCut(SHORTCUT_NONE));
    EXPECT_EQ(m.clicked, (std::vector<std::string>{"&hide", "e&xit"}));
}

TEST(MenuTest, SubItemsFollowTheirParentsState) {
    BarMenu m;
    _menuitem& screen = m.pop.Items().Insert(2, "&screen");
    _menuitem& mode = screen.Add("1024x768", MakeShortCut(VK_F9, false, true, false));
    int modes = 0;
    mode.OnClick = [&modes](_menuitem&) { ++modes; };
    {
        const _menuhandle menu = m.pop.Items().BuildMenu();
        const HMENU sub = GetSubMenu(menu.get(), 2);
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(TextOf(sub, 0), "1024x768\tCtrl+F9");
        EXPECT_EQ(m.pop.Items().FindCommand(CommandOf(sub, 0)), &mode);
    }
    EXPECT_TRUE(m.pop.DispatchShortCut(MakeShortCut(VK_F9, false, true, false)));
    screen.SetEnabled(false);
    EXPECT_FALSE(m.pop.DispatchShortCut(MakeShortCut(VK_F9, false, true, false)));
    EXPECT_EQ(modes, 1);
}

TEST(MenuTest, AnItemInsertedAtTheTopAndFreedLeavesTheMenuAsBefore) {
    BarMenu m;
    _menuitem& root = m.pop.Items();
    const std::size_t before = root.Count();
    for (int click = 0; click < 3; ++click) {
        // What a right click on a band does: replace the previous entry.
        if (root.Count() > before) {
            ASSERT_TRUE(root.Remove(*root.Items(0)));
            ASSERT_TRUE(root.Remove(*root.Items(0)));
        }
        _menuitem& sentinel = root.Insert(0, "CPU Sentinel");
        sentinel.Add("CPU &help...").SetTag(0);
        root.Insert(1, "-");
        EXPECT_EQ(root.Count(), before + 2);
        EXPECT_EQ(root.IndexOf(&sentinel), 0);
        EXPECT_EQ(sentinel.Parent(), &root);
    }
    _menuitem& sentinel = *root.Items(0);
    sentinel.Clear();
    EXPECT_EQ(sentinel.Count(), 0u);
    // Destroying an item through its owner takes it out of the list too.
    ASSERT_TRUE(root.Destroy(&sentinel));
    EXPECT_EQ(root.Count(), before + 1);
    EXPECT_TRUE(root.Items(0)->IsSeparator());
    _menuitem stranger(nullptr, "x");
    EXPECT_FALSE(root.Remove(stranger));
}

TEST(MenuTest, APopupRunsTheChosenItemPastTheHiddenOnes) {
    BarMenu m;
    int popups = 0;
    m.pop.OnPopup = [&popups] { ++popups; };
    // The menu runs its own loop: keys are typed into it from a timer.
    _timer& typist = m.root.Make<_timer>();
    typist.SetInterval(50);
    std::vector<WPARAM> keys;
    typist.OnTimer = [&typist, &keys] {
        typist.SetEnabled(false);
        for (WPARAM key : keys) PostMessageA(Application().Handle(), WM_KEYDOWN, key, 0);
    };
    keys = {VK_UP, VK_RETURN};  // from the top round to the last item, after two hidden ones
    EXPECT_EQ(m.pop.Popup(100, 100), &m.exit);
    EXPECT_EQ(m.clicked, (std::vector<std::string>{"e&xit"}));
    keys = {VK_ESCAPE};
    typist.SetEnabled(true);
    EXPECT_EQ(m.pop.Popup(100, 100), nullptr);
    EXPECT_EQ(popups, 2);
    EXPECT_EQ(m.clicked.size(), 1u);
}

TEST(MenuTest, BuildingMenusLeavesNoMenuHandleBehind) {
    const long before = _menutraits::Live();
    {
        BarMenu m;
        m.pop.Items().Items(0)->Add("sub").Add("subsub");
        const _menuhandle menu = m.pop.Items().BuildMenu();
        EXPECT_EQ(_menutraits::Live(), before + 1);  // sub-menus belong to their parent menu
    }
    EXPECT_EQ(_menutraits::Live(), before);
}

}  // namespace
}  // namespace corvex
