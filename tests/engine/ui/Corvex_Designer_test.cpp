// The Designer on a live bar of this process, driven as a user drives it:
// the tree's own selection message, button clicks, picks and typing in the
// controls, each followed to its effect on the bar's bands.

#include "Corvex_Designer.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Button.h"
#include "Colors_Zolt2.h"
#include "ComboBox.h"
#include "Corvex_Kernel.h"
#include "Corvex_Tray.h"
#include "DesignerPage.h"
#include "Edit.h"
#include "Image.h"
#include "Impulse_Zolt2.h"
#include "Label.h"
#include "NetSentinel.h"
#include "Panel.h"
#include "StatusBar.h"
#include "ToolBar.h"
#include "TrackBar.h"
#include "TreeView.h"
#include "engine/display/TrayTesting.h"
#include "engine/kernel/BarTesting.h"
#include "engine/sentinels/SentinelTesting.h"

namespace corvex::test {
namespace {

// A graph readout of a fixed load, so that its pixels are known.
class _fixedgraph final : public _gspeeder {
public:
    _fixedgraph(_component* owner, double percent) : _gspeeder(owner) {
        SetName("fixed");
        SetAmounts(100 - percent, 100);
    }
};

// A kind with user-defined Speeders and a page of its own: an edit naming
// the next Speeder ("no" refuses), and a label it owns itself against the
// contract, which the page must take down all the same.
class _pagesentinel final : public _testsentinel {
public:
    _pagesentinel(_component* owner, _journal* journal) : _testsentinel(owner, journal, "Page Sentinel", true) {}
    _edit* edit = nullptr;
    _journal log;

    _result OnCreateDesigner(_panel& page, _speeder* speeder) override {
        edit = &page.Make<_edit>(&page);
        edit->SetText(speeder ? speeder->Name() : "new");
        Make<_label>(&page, "stray");
        log.push_back(std::string("build ") + (speeder ? speeder->Name() : "-"));
        return _OK;
    }
    _result OnDestroyDesigner(_panel&) override {
        log.push_back(std::string("leave ") + (edit && IsWindow(edit->Handle()) ? "alive" : "gone"));
        edit = nullptr;
        return _OK;
    }
    _result OnAddSpeeder(_speeder*& speeder) override {
        if (edit->Text() == "no") return _ERROR;
        speeder = &AddTestSpeeder(edit->Text());
        return _sentinel::OnAddSpeeder(speeder);
    }
};

class DesignerTest : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        bar_ = &root_->Make<TPULSE>();
        page_ = &bar_->Make<_pagesentinel>(&journal_);
        bar_->PlugSentinel(page_, page_->Caption());
        graph_ = &page_->Make<_fixedgraph>(50);
        page_->AddSpeeder(graph_);
        page_->AddTestSpeeder("second");
        page_->PrepareSpeeders();
        designer_ = &root_->Make<TDESIGNER>(*bar_);
        bar_->Launch();
        // Shown clear of the Designer: the graphs paint for real.
        bar_->Show();
        bar_->SetBounds(760, 60, 226, bar_->Height());
        designer_->Open();
    }

    TDESIGNER& D() { return *designer_; }
    _treenode* Band(const std::string& caption) {
        for (std::size_t i = 0; i < D().TREE.TopCount(); ++i)
            if (D().TREE.TopItem(i)->Text() == caption) return D().TREE.TopItem(i);
        return nullptr;
    }
    // What the user's actions send the controls.
    void Select(_treenode* node) {
        D().TREE.Perform(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node->Handle()));
    }
    static void Notify(_wincontrol& control, WORD code) {
        SendMessageA(GetParent(control.Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control.Handle()), code),
                     reinterpret_cast<LPARAM>(control.Handle()));
    }
    static void Press(_wincontrol& button) { SendMessageA(button.Handle(), BM_CLICK, 0, 0); }
    static void Pick(_combobox& box, int item) {
        box.Perform(CB_SETCURSEL, static_cast<WPARAM>(item));
        Notify(box, CBN_SELCHANGE);
    }
    static void Slide(_trackbar& track, int position) {
        track.Perform(TBM_SETPOS, TRUE, position);
        SendMessageA(GetParent(track.Handle()), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                     reinterpret_cast<LPARAM>(track.Handle()));
    }
    static void Type(_wincontrol& edit, const std::string& text) { SetWindowTextA(edit.Handle(), text.c_str()); }

    _journal journal_;
    TPULSE* bar_ = nullptr;
    TDESIGNER* designer_ = nullptr;
    _pagesentinel* page_ = nullptr;
    _fixedgraph* graph_ = nullptr;
};

TEST_F(DesignerTest, TheTreeMirrorsTheBarAndThePageFollowsTheSelection) {
    EXPECT_EQ(D().Caption(), "designer");
    EXPECT_EQ(D().BoundsRect(), _rect::Bounds(199, 146, 520, 590));
    ASSERT_EQ(D().TREE.TopCount(), bar_->SentinelCount());
    for (std::size_t s = 0; s < bar_->SentinelCount(); ++s) {
        const _treenode& band = *D().TREE.TopItem(s);
        EXPECT_EQ(band.Text(), bar_->Sentinels(s)->Caption());
        ASSERT_EQ(band.Count(), bar_->Sentinels(s)->SpeederCount());
        for (std::size_t i = 0; i < band.Count(); ++i)
            EXPECT_EQ(band.Item(i)->Data(), bar_->Sentinels(s)->Speeders(i));
    }

    // Open selects the Drive Sentinel, which has no Speeders of the user's.
    EXPECT_EQ(D().TREE.Selected(), D().TREE.TopItem(0));
    EXPECT_FALSE(D().KSpeederPANEL.Visible());
    EXPECT_FALSE(D().AddSPEED.Enabled() || D().UpdateSPEED.Enabled() || D().DestroySPEED.Enabled());
    EXPECT_FALSE(D().SentinelPage().Lent());
    EXPECT_EQ(D().STATUS.PanelText(0), "1");
    EXPECT_EQ(D().STATUS.PanelText(1), "     Drive Sentinel");

    // A graph Speeder of the CPU Sentinel (the second band).
    _treenode* cpu = Band("CPU Sentinel");
    Select(cpu->Item(0));
    auto& first = *static_cast<_gspeeder*>(cpu->Item(0)->Data());
    EXPECT_TRUE(D().KSpeederPANEL.Visible() && D().ColorPANEL.Visible());
    EXPECT_FALSE(D().AddSPEED.Enabled());
    EXPECT_FALSE(D().FreqSPIN.Enabled());
    EXPECT_EQ(D().FreqSPIN.Value(), 1000);  // the bar's interval stands in
    EXPECT_EQ(D().NickCOMBO.Text(), first.GetNick());
    EXPECT_EQ(D().StyleCOMBO.ItemIndex(), first.Graph().Style());
    EXPECT_EQ(D().L1SPIN.Value(), first.Levels().l1Limit);
    EXPECT_EQ(D().STATUS.PanelText(0), "2:1");
    EXPECT_TRUE(D().HideSPEED.Enabled());
    EXPECT_FALSE(D().ShowSPEED.Enabled());

    // A Sentinel of the user's: its page for a new Speeder, "&Add" only.
    Select(Band("Page Sentinel"));
    EXPECT_TRUE(D().AddSPEED.Enabled());
    EXPECT_FALSE(D().UpdateSPEED.Enabled() || D().DestroySPEED.Enabled());
    EXPECT_EQ(page_->log.back(), "build -");
}

TEST_F(DesignerTest, AHiddenDesignerGrowsNoTreeUntilItIsOpenedAgain) {
    EXPECT_TRUE(D().IsShortCut(MakeShortCut('W', false, true, false)));  // Ctrl+W closes
    EXPECT_FALSE(D().Visible());
    EXPECT_EQ(D().TREE.Count(), 0u);
    _testspeeder& late = page_->AddTestSpeeder("late");
    EXPECT_EQ(D().TREE.Count(), 0u);
    D().Open();
    _treenode* band = Band("Page Sentinel");
    ASSERT_EQ(band->Count(), 3u);
    EXPECT_EQ(band->Item(2)->Data(), &late);

    // While open it follows the Sentinels at once, both ways.
    _testspeeder& later = page_->AddTestSpeeder("later");
    ASSERT_EQ(band->Count(), 4u);
    EXPECT_EQ(D().LastAdded(), band->Item(3));
    EXPECT_EQ(band->Item(3)->Text(), "later");
    page_->KillSpeeder(&later);
    EXPECT_EQ(band->Count(), 3u);
    EXPECT_TRUE(D().IsShortCut(VK_F5));  // built anew, the first node selected
    EXPECT_EQ(D().TREE.Selected(), D().TREE.TopItem(0));
    EXPECT_EQ(Band("Page Sentinel")->Count(), 3u);
}

TEST_F(DesignerTest, KindPagesAreBuiltOnSelectionAndTornDownAfterTheKindWasTold) {
    _treenode* cpu = Band("CPU Sentinel");
    auto& net = *static_cast<_netsentinel*>(Band("Net Sentinel")->Data());
    _treenode* lan = Band("LAN Sentinel");
    const std::size_t owned = page_->ComponentCount();
    // Through a page of each kind and back to a Speeder without one.
    const auto tour = [&] {
        Select(Band("Page Sentinel")->Item(1));
        EXPECT_EQ(page_->log.back(), "build second");
        EXPECT_GT(D().SentinelPANEL.ControlCount(), 1u);
        Select(Band("Net Sentinel")->Item(0));
        EXPECT_EQ(page_->log.back(), "leave alive");  // told while its controls still existed
        EXPECT_EQ(page_->ComponentCount(), owned);     // the stray label went too
        ASSERT_NE(net.HostEDIT(), nullptr);
        EXPECT_EQ(net.HostEDIT()->Text(), "localhost");
        EXPECT_EQ(net.HostEDIT()->Parent(), &D().SentinelPANEL);
        if (lan->Count()) {
            Select(lan->Item(0));
            EXPECT_EQ(net.HostEDIT(), nullptr);
            EXPECT_GT(D().SpeederPANEL.ControlCount(), 0u);
        }
        Select(cpu->Item(0));
        EXPECT_EQ(net.HostEDIT(), nullptr);
        for (const _panel* page : {&D().SentinelPANEL, &D().SpeederPANEL})
            EXPECT_EQ(page->ControlCount() + page->ComponentCount(), 0u);
    };
    // The first tour leaves the common page's controls their cached brushes.
    tour();
    const _livehandles before = _livehandles::Now();
    tour();
    EXPECT_EQ(_livehandles::Now(), before);
}

TEST_F(DesignerTest, AddUpdateAndDestroyGoThroughTheKindsPage) {
    _treenode* band = Band("Page Sentinel");
    Select(band);
    Type(*page_->edit, "no");
    Press(D().AddSPEED);  // refused: nothing selected anew
    EXPECT_EQ(D().TREE.Selected(), band);
    EXPECT_EQ(page_->SpeederCount(), 2u);

    const int height = bar_->ClientHeight();
    Type(*page_->edit, "third");
    Press(D().AddSPEED);
    ASSERT_EQ(page_->SpeederCount(), 3u);
    _treenode* made = D().TREE.Selected();
    ASSERT_EQ(made, band->Item(2));
    EXPECT_EQ(made->Text(), "third");
    EXPECT_GT(bar_->ClientHeight(), height);
    EXPECT_TRUE(D().UpdateSPEED.Enabled() && D().DestroySPEED.Enabled());

    Press(D().UpdateSPEED);
    EXPECT_NE(std::find(journal_.begin(), journal_.end(), "Page Sentinel:redesign third"), journal_.end());

    Press(D().DestroySPEED);
    EXPECT_EQ(page_->SpeederCount(), 2u);
    EXPECT_EQ(band->Count(), 2u);
    EXPECT_EQ(bar_->ClientHeight(), height);
    EXPECT_EQ(page_->log.back().rfind("build", 0), 0u);  // the new selection's page
}

TEST_F(DesignerTest, EveryControlActsOnTheBarAtOnce) {
    _treenode* node = Band("Page Sentinel")->Item(0);
    Select(node);
    _impulse& graph = graph_->Graph();
    const auto pixel = [&graph](int x, int y) { return graph.Frame().Pixel(x, y); };

    // "BeOS": flat bar, black frame; "shadow" gives both back.
    Pick(D().ArtCOMBO, 1);
    EXPECT_FALSE(graph.Art() & IMPULSE_SHADED);
    EXPECT_EQ(pixel(0, 0), COLOR_BLACK);
    EXPECT_EQ(pixel(1, 1), FromRGB(ToRGB(graph.Color())));
    Pick(D().ArtCOMBO, 0);
    EXPECT_TRUE(graph.Art() & IMPULSE_SHADED);
    EXPECT_EQ(graph.BorderColor1(), SYSCOLOR_BTNSHADOW);
    EXPECT_EQ(pixel(0, 0), FromRGB(ToRGB(SYSCOLOR_BTNSHADOW)));
    EXPECT_NE(pixel(1, 1), FromRGB(ToRGB(graph.Color())));

    // 50 % with limits 25 and 75: the low-level colour, now lime.
    Pick(D().L2COLOR, 10);
    EXPECT_EQ(graph.Color(), COLOR_LIME);
    Type(D().L2SPIN, "40");  // 50 % is alarm level now
    EXPECT_EQ(graph.Color(), graph_->Levels().l3);
    Pick(D().BackCOLOR, 15);
    EXPECT_EQ(pixel(graph.Width() - 3, graph.Height() / 2), COLOR_WHITE);  // the empty half
    Pick(D().StyleCOMBO, IMPULSE_SPECTRUM);
    EXPECT_EQ(graph.Style(), IMPULSE_SPECTRUM);

    const int left = graph.Left(), height = bar_->ClientHeight();
    Slide(D().NickTRACK, 20);
    EXPECT_EQ(graph.Left(), left + 20);
    Slide(D().HSpaceTRACK, 40);
    EXPECT_EQ(bar_->ClientHeight(), height + 40 - 17);
    Type(D().NickCOMBO, "renamed");
    Notify(D().NickCOMBO, CBN_EDITCHANGE);
    EXPECT_EQ(graph_->NameLabel().Caption(), "renamed");

    const int withMeters = bar_->ClientHeight();
    Press(D().MetersCHECK);
    EXPECT_EQ(bar_->ClientHeight(), withMeters - 12);
    Press(D().HiddenCHECK);
    EXPECT_TRUE(graph_->Hidden() && graph_->Stopped());
    EXPECT_TRUE(D().ShowSPEED.Enabled());
    Press(D().ShowSPEED);
    EXPECT_FALSE(graph_->Hidden() || graph_->Stopped());

    // The Sentinel itself: hidden and shown from the tool bar.
    Select(node->Parent());
    const int shown = bar_->ClientHeight(), band = page_->Height();
    Press(D().HideSPEED);
    EXPECT_TRUE(page_->Hidden());
    EXPECT_EQ(bar_->ClientHeight(), shown - band);
    Press(D().ShowSPEED);
    EXPECT_FALSE(page_->Hidden());
}

TEST_F(DesignerTest, TheFrequencyBoxTakesPositiveNumbersOnly) {
    _treenode* net = Band("Net Sentinel");
    Select(net->Item(0));
    _speeder& ping = *static_cast<_speeder*>(net->Item(0)->Data());
    ASSERT_TRUE(D().FreqSPIN.Enabled());
    unsigned period = 0;
    Type(D().FreqSPIN, "-500");
    EXPECT_EQ(D().FreqSPIN.Text(), "500");
    ASSERT_EQ(ping.GetFrequency(period), _OK);
    EXPECT_EQ(period, 500u);
    for (const char* ignored : {"0", "-", "5"}) {
        Type(D().FreqSPIN, ignored);
        ping.GetFrequency(period);
        EXPECT_EQ(period, 500u) << ignored;
    }
    Type(D().FreqSPIN, "fast");
    EXPECT_EQ(D().FreqSPIN.Text(), "0");
}

TEST_F(DesignerTest, TheTrayBoxShowsAndMakesTheAttachment) {
    _traypulse *one = nullptr, *two = nullptr;
    ASSERT_EQ(bar_->AddTray(&one), _OK);
    ASSERT_EQ(bar_->AddTray(&two), _OK);
    ASSERT_EQ(graph_->AttachTray(two, 1), _OK);
    Select(Band("Page Sentinel")->Item(0));
    ASSERT_EQ(D().TrayCOMBO.Count(), 4);
    EXPECT_EQ(D().TrayCOMBO.Items(0), "1 - left");
    EXPECT_EQ(D().TrayCOMBO.ItemIndex(), 3);
    Pick(D().TrayCOMBO, 0);
    EXPECT_EQ(graph_->Tray(), one);
    EXPECT_EQ(graph_->TrayBarIndex(), 0);
}

TEST_F(DesignerTest, UpAndDownExchangeNeighboursAndStopAtTheEnds) {
    LogFile log;
    _treenode* band = Band("Page Sentinel");
    Select(band->Item(0));
    Press(D().MoveUpSPEED);
    EXPECT_EQ(log.Occurrences("TDESIGNER.MoveUpSPEEDClick: <-"), 1);
    EXPECT_EQ(log.Occurrences("TDESIGNER.MoveUpSPEEDClick: ->"), 1);
    EXPECT_EQ(log.Occurrences("exchanging"), 0);

    const int top = graph_->Icon().Top();
    Press(D().MoveDownSPEED);
    EXPECT_EQ(page_->Speeders(1), graph_);
    EXPECT_EQ(band->Item(1)->Data(), graph_);
    EXPECT_EQ(D().TREE.Selected(), band->Item(1));
    EXPECT_GT(graph_->Icon().Top(), top);
    Press(D().MoveDownSPEED);  // the last: nothing
    EXPECT_EQ(page_->Speeders(1), graph_);
    EXPECT_EQ(log.Occurrences("TDESIGNER.MoveDownSPEEDClick: exchanging _speeders"), 1);

    // A band up: the Sentinels and their bands change places.
    _sentinel& above = *static_cast<_sentinel*>(band->PreviousSibling()->Data());
    Select(band);
    Press(D().MoveUpSPEED);
    EXPECT_EQ(D().TREE.TopItem(band->Index() + 1)->Data(), &above);
    EXPECT_LT(page_->Top(), above.Top());
    int index = -1;
    bar_->FindSentinel(page_, index);
    EXPECT_EQ(index, band->Index());
}

}  // namespace
}  // namespace corvex::test
