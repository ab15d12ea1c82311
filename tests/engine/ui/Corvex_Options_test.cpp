// The Options dialog on a real bar, driven through its controls' own
// messages.

#include "Corvex_Options.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "BarDocking.h"
#include "Button.h"
#include "ColorPalette.h"
#include "Colors_Zolt2.h"
#include "Corvex_Kernel.h"
#include "Corvex_Tray.h"
#include "Edit.h"
#include "GroupBox.h"
#include "HotKeyField.h"
#include "Hotkey_Win32.h"
#include "Label.h"
#include "OptionsTree_Zolt2.h"
#include "PageControl.h"
#include "Registry_Zolt2.h"
#include "System_Zolt2.h"
#include "Timer.h"
#include "TrackBar.h"
#include "engine/kernel/BarTesting.h"

namespace corvex::test {
namespace {

// The "Corvex" value of a Run key, or "-" when there is none.
std::string RunEntry(_regkey root, bool remove = false) {
    _registry registry;
    registry.SetRootKey(root);
    if (!registry.OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", false, REGISTRY_ALL_ACCESS) ||
        !registry.ValueExists("Corvex"))
        return "-";
    if (remove) registry.DeleteValue("Corvex");
    return registry.ReadString("Corvex");
}

bool FakeNT4(_osversion& v) { return v = _osversion{_osversion::WIN32_NT, 4, 0, 1381, ""}, true; }
bool FakeWin2000(_osversion& v) { return v = _osversion{_osversion::WIN32_NT, 5, 0, 2195, ""}, true; }

// ---- what the user does, as the controls' windows report it
void Select(_treenode& node) {
    SendMessageA(node.Tree().Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node.Handle()));
}
void Click(_wincontrol& control) { SendMessageA(control.Handle(), BM_CLICK, 0, 0); }
void Type(_wincontrol& edit, const char* text) {
    SendMessageA(edit.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
void Slide(_trackbar& track, int position) {
    SendMessageA(track.Handle(), TBM_SETPOS, TRUE, position);
    SendMessageA(GetParent(track.Handle()), WM_HSCROLL, TB_THUMBPOSITION, reinterpret_cast<LPARAM>(track.Handle()));
}
void Pick(_colors& box, int item) {
    SendMessageA(box.Handle(), CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(GetParent(box.Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box.Handle()));
}

class OptionsTest : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        RunEntry(REGISTRY_CURRENT_USER, true);
        for (int i = 0; i < SENTINEL_BUILTIN_COUNT; ++i) StartupOptions().Unplug(i);
        SetVersionSource(FakeWin2000);
    }
    void TearDown() override {
        BarTest::TearDown();
        RunEntry(REGISTRY_CURRENT_USER, true);
        SetVersionSource(nullptr);
    }
    // A launched bar whose options the dialog holds, the dialog shown.
    TOPTIONS& Start() {
        bar_ = &root_->Make<TPULSE>();
        bar_->TrayContainer()->SetShellNotify([this](DWORD, _traynotifydata&) { return ++shellCalls_, true; });
        TOPTIONS& dialog = root_->Make<TOPTIONS>(*bar_);
        bar_->SetOptionsHolder(&dialog);
        EXPECT_EQ(bar_->Launch(), _OK);
        dialog.Show();
        return dialog;
    }
    static std::string TrayTexts(TOPTIONS& dialog) {
        std::string texts;
        const _treenode& root = *dialog.OTREE.TopItem(1);
        for (std::size_t i = 0; i < root.Count(); ++i) texts += root.Item(i)->Text() + " ";
        return texts;
    }
    TPULSE* bar_ = nullptr;
    int shellCalls_ = 0;
};

TEST_F(OptionsTest, TheTreeShowsOnePageAtATimeAndThePagesNeverShowTabs) {
    TOPTIONS& dialog = Start();
    ASSERT_EQ(dialog.OTREE.TopCount(), 3u);
    Click(dialog.AddBUTTON);
    _otree& tree = dialog.OTREE;
    // A tray gauge's entry stands for the tray page.
    const std::pair<_treenode*, std::size_t> choices[] = {
        {tree.TopItem(2), 2}, {tree.TopItem(0), 0}, {tree.TopItem(1)->Item(0), 1}, {tree.TopItem(1), 1}};
    for (const auto& [node, shown] : choices) {
        Select(*node);
        for (std::size_t page = 0; page < 3; ++page)
            EXPECT_EQ(IsWindowVisible(dialog.PAGE.Pages(page)->Handle()) != FALSE, page == shown) << node->Text();
        EXPECT_EQ(dialog.PAGE.TabCount(), 0);
    }
    Select(tree.Add(nullptr, "stray"));  // no page of its own: nothing changes
    EXPECT_EQ(dialog.PAGE.ActivePage(), dialog.PAGE.Pages(1));
}

TEST_F(OptionsTest, TheSpinsActOnTheBarAtOnceWithinTheStoresRanges) {
    TOPTIONS& dialog = Start();
    // Whole numbers in range act as typed; anything else waits until the
    // box is left, which puts it into the range.
    const struct {
        _spinedit* spin;
        const char* typed;
        int typing, left;  // the bar's value after typing, after leaving
    } typing[] = {{&dialog.UpdateSPIN, "250", 250, 250}, {&dialog.UpdateSPIN, "5", 250, 100},
                  {&dialog.UpdateSPIN, "100000001", 100, 100000000}, {&dialog.UpdateSPIN, "x", 100000000, 100},
                  {&dialog.StickSPIN, "101", 10, 100}, {&dialog.StickSPIN, "-1", 100, 0}};
    for (const auto& t : typing) {
        const auto now = [&] {
            return t.spin == &dialog.UpdateSPIN ? static_cast<int>(bar_->Settings().update) : bar_->Settings().stick;
        };
        Type(*t.spin, t.typed);
        EXPECT_EQ(now(), t.typing) << t.typed;
        SendMessageA(t.spin->Handle(), WM_KILLFOCUS, 0, 0);
        EXPECT_EQ(now(), t.left) << t.typed;
        EXPECT_EQ(t.spin->Text(), std::to_string(t.left));
    }
    EXPECT_EQ(bar_->TIMER.Interval(), 100u);
    // Modifiers still without their key are no shortcut.
    dialog.PopHOTKEY.Perform(HKM_SETHOTKEY, MAKEWORD(0, HOTKEYF_CONTROL));
    EXPECT_EQ(dialog.Options().hotkey, 0);
}

TEST_F(OptionsTest, BeforeWindows2000TheTransparencySliderIsDisabledAndDoesNothing) {
    SetVersionSource(FakeNT4);
    TOPTIONS& dialog = Start();
    EXPECT_FALSE(dialog.TransTRACK.Enabled());
    EXPECT_FALSE(dialog.TransLABEL.Enabled());
    Slide(dialog.TransTRACK, 100);
    EXPECT_EQ(bar_->Settings().transparency, 255);
    EXPECT_FALSE(bar_->Layered());
}

TEST_F(OptionsTest, TrayEntriesAreNumberedAsAddedGoWithTheirGaugesAndShowTheirColours) {
    TOPTIONS& dialog = Start();
    int refills = 0;
    dialog.OnTraysChanged = [&refills] { ++refills; };
    for (int i = 0; i < 3; ++i) Click(dialog.AddBUTTON);
    EXPECT_EQ(TrayTexts(dialog), "1 2 3 ");
    Select(*dialog.OTREE.TopItem(1)->Item(0));
    Click(dialog.DelBUTTON);
    EXPECT_EQ(TrayTexts(dialog), "2 3 ");
    Click(dialog.AddBUTTON);
    EXPECT_EQ(TrayTexts(dialog), "2 3 3 ");
    const _traycontainer& trays = *bar_->TrayContainer();
    ASSERT_EQ(trays.Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(dialog.OTREE.TopItem(1)->Item(i)->Data(), trays.Get(i));
    EXPECT_EQ(refills, 5);
    // The "tray" entry: nothing to colour, nothing to delete.
    Select(*dialog.OTREE.TopItem(1));
    EXPECT_FALSE(dialog.ColorsGROUP.Visible());
    EXPECT_FALSE(dialog.DelBUTTON.Enabled());

    // An entry shows its gauge's colours without sending them back.
    _traypulse& first = *trays.Get(0);
    _traypulse& second = *trays.Get(1);
    bar_->UpdateTrayColor(&first, 0, PaletteColor(9), PaletteColor(11));
    bar_->UpdateTrayColor(&first, 1, PaletteColor(4), COLOR_WHITE);
    const int calls = shellCalls_;
    for (_traypulse* tray : {&first, &second, &first}) {
        Select(*dialog.TrayNode(tray));
        EXPECT_EQ(dialog._colors1.PickedColor(), tray->KERNEL_GetBar(0)->ForeColor());
        EXPECT_EQ(dialog._colors2.PickedColor(), tray->KERNEL_GetBar(0)->BackColor());
        EXPECT_EQ(dialog._colors3.PickedColor(), tray->KERNEL_GetBar(1)->ForeColor());
        EXPECT_EQ(dialog._colors4.PickedColor(), tray->KERNEL_GetBar(1)->BackColor());
        EXPECT_TRUE(dialog.ColorsGROUP.Visible());
    }
    EXPECT_EQ(shellCalls_, calls);  // no icon drawn anew
    Pick(dialog._colors3, 10);
    EXPECT_EQ(first.KERNEL_GetBar(1)->ForeColor(), COLOR_LIME);
    EXPECT_EQ(first.KERNEL_GetBar(1)->BackColor(), COLOR_WHITE);
}

TEST_F(OptionsTest, TheAutostartBoxSwitchesTheUsersOwnStartUpEntry) {
    TOPTIONS& dialog = Start();
    EXPECT_FALSE(dialog.AutoCHECK.Checked());  // a fresh account has no entry
    Click(dialog.AutoCHECK);
    EXPECT_EQ(RunEntry(REGISTRY_CURRENT_USER), ProgramFolder() + "corvex32.exe");
    EXPECT_EQ(RunEntry(REGISTRY_LOCAL_MACHINE), "-");
    TOPTIONS& second = root_->Make<TOPTIONS>(*bar_);
    EXPECT_TRUE(second.AutoCHECK.Checked());
    Click(second.AutoCHECK);
    EXPECT_EQ(RunEntry(REGISTRY_CURRENT_USER), "-");
}

TEST_F(OptionsTest, TheControlsActAtOnceAndWhatTheyHoldAtExitIsWhatTheNextStartReads) {
    StartupOptions().SetDockingAllowed(true);
    {
        TOPTIONS& dialog = Start();
        bar_->Show();
        bar_->SetBounds(0, 100, 150, bar_->Height());
        Type(dialog.UpdateSPIN, "2500");
        Type(dialog.StickSPIN, "33");
        Click(dialog.OnTopCHECK);
        EXPECT_FALSE(GetWindowLongPtrA(bar_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        Click(dialog.DockCHECK);
        EXPECT_TRUE(bar_->Docking().Reserved());
        Slide(dialog.TransTRACK, 200);
        EXPECT_TRUE(bar_->Layered());
        Pick(dialog.BackCOLOR, 4);
        EXPECT_EQ(bar_->Settings().backColor, PaletteColor(4));
        Click(dialog.AddBUTTON);
        Pick(dialog._colors2, 13);
        dialog.PopHOTKEY.Perform(HKM_SETHOTKEY, MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_SHIFT));
        Click(dialog.OkBUTTON);
        EXPECT_FALSE(dialog.Visible());
        EXPECT_EQ(bar_->_hotkey1.Key(), 0x6051);  // the bar's hot key at once
        ASSERT_EQ(bar_->Shutdown(), _OK);
        root_ = std::make_unique<_component>();
        DrainQuit();
    }
    TOPTIONS& dialog = Start();
    const _liveoptions o = dialog.Options();
    EXPECT_EQ(std::make_tuple(o.update, o.stick, o.onTop, o.dock, o.transparency, o.backColor, o.hotkey),
              std::make_tuple(2500u, 33, false, true, 200, PaletteColor(4), 0x6051));
    EXPECT_EQ(bar_->Settings().update, 2500u);
    ASSERT_EQ(TrayTexts(dialog), "1 ");
    EXPECT_EQ(bar_->TrayContainer()->Get(0)->KERNEL_GetBar(0)->BackColor(), COLOR_FUCHSIA);
    bar_->Shutdown();  // the docked bar gives the work area back
}

}  // namespace
}  // namespace corvex::test
