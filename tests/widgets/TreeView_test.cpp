#include "TreeView.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "Application.h"
#include "Bitmap.h"
#include "Form.h"

namespace corvex {
namespace {

// The texts of the control's own items under `parent`, in display order.
std::vector<std::string> ItemTexts(const _treeview& tree, HTREEITEM parent) {
    std::vector<std::string> texts;
    auto item = reinterpret_cast<HTREEITEM>(
        tree.Perform(TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    while (item) {
        char text[64] = {};
        TVITEMA data{};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = sizeof(text);
        tree.Perform(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
        texts.emplace_back(text);
        item = reinterpret_cast<HTREEITEM>(
            tree.Perform(TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    return texts;
}

struct TreeFixture : ::testing::Test {
    _component root;
    _form& form = root.Make<_form>();
    _treeview& tree = form.Make<_treeview>(&form);
    std::vector<std::string> events;
    int cpuData = 1, memData = 2;
    _treenode* cpu = nullptr;
    _treenode* mem = nullptr;

    void SetUp() override {
        tree.SetBounds(0, 0, 217, 300);
        form.Show();
        tree.OnChanging = [this](_treenode* node) {
            events.push_back("changing " + (node ? node->Text() : std::string("-")));
            return true;
        };
        tree.OnChange = [this](_treenode* node) {
            events.push_back("change " + (node ? node->Text() : std::string("-")));
        };
        tree.BeginUpdate();
        cpu = &tree.Add(nullptr, "CPU Sentinel", &cpuData);
        tree.Add(cpu, "CPU");
        tree.Add(cpu, "CPU 2");
        mem = &tree.Add(nullptr, "Memory Sentinel", &memData);
        tree.Add(mem, "ram");
        tree.Add(mem, "swap");
        tree.Add(mem, "gdi");
        tree.EndUpdate();
    }
};

TEST_F(TreeFixture, NodesKnowTheirPlaceAndData) {
    EXPECT_EQ(tree.Count(), 7u);
    EXPECT_EQ(tree.TopCount(), 2u);
    EXPECT_EQ(mem->Index(), 1);
    EXPECT_EQ(mem->Level(), 0);
    EXPECT_EQ(mem->Item(2)->Text(), "gdi");
    EXPECT_EQ(mem->Item(2)->Level(), 1);
    EXPECT_EQ(mem->Item(2)->Index(), 2);
    EXPECT_EQ(mem->Item(2)->Parent(), mem);
    EXPECT_EQ(mem->Data(), &memData);
    EXPECT_EQ(mem->Item(0)->PreviousSibling(), nullptr);
    EXPECT_EQ(mem->Item(0)->NextSibling(), mem->Item(1));
    EXPECT_EQ(ItemTexts(tree, nullptr), (std::vector<std::string>{"CPU Sentinel", "Memory Sentinel"}));
    EXPECT_EQ(ItemTexts(tree, mem->Handle()), (std::vector<std::string>{"ram", "swap", "gdi"}));
    mem->Item(1)->SetText("virtual");
    EXPECT_EQ(ItemTexts(tree, mem->Handle()), (std::vector<std::string>{"ram", "virtual", "gdi"}));
}

TEST_F(TreeFixture, ChangingComesBeforeChangeAndMayRefuse) {
    tree.SetSelected(cpu);
    tree.SetSelected(mem->Item(1));
    EXPECT_EQ(events, (std::vector<std::string>{"changing CPU Sentinel", "change CPU Sentinel",
                                                "changing swap", "change swap"}));
    EXPECT_EQ(tree.Selected(), mem->Item(1));
    EXPECT_TRUE(mem->Item(1)->Selected());

    events.clear();
    tree.OnChanging = [this](_treenode* node) {
        events.push_back("refused " + node->Text());
        return false;
    };
    tree.SetSelected(cpu);
    EXPECT_EQ(events, (std::vector<std::string>{"refused CPU Sentinel"}));
    EXPECT_EQ(tree.Selected(), mem->Item(1));
}

TEST_F(TreeFixture, DeletingTheSelectedNodeMovesTheSelectionEvenWhenChangesAreRefused) {
    tree.SetSelected(mem->Item(1));
    tree.OnChanging = [](_treenode*) { return false; };
    events.clear();
    _treenode* swap = mem->Item(1);
    tree.Delete(*swap);
    EXPECT_EQ(tree.Count(), 6u);
    EXPECT_EQ(mem->Count(), 2u);
    EXPECT_EQ(ItemTexts(tree, mem->Handle()), (std::vector<std::string>{"ram", "gdi"}));
    ASSERT_FALSE(events.empty());
    EXPECT_NE(tree.Selected(), nullptr);
    EXPECT_EQ(events.back(), "change " + tree.Selected()->Text());

    tree.Delete(*mem);  // the branch goes with it
    EXPECT_EQ(tree.Count(), 3u);
    EXPECT_EQ(tree.TopCount(), 1u);
    tree.Clear();
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_EQ(tree.Selected(), nullptr);
}

TEST_F(TreeFixture, MovingANodeKeepsItsObjectBranchAndSelectionQuietly) {
    _treenode* gdi = mem->Item(2);
    tree.SetSelected(gdi);
    events.clear();
    // "up": in front of the previous sibling.
    ASSERT_TRUE(gdi->MoveBefore(*gdi->PreviousSibling()));
    EXPECT_EQ(gdi->Index(), 1);
    EXPECT_EQ(ItemTexts(tree, mem->Handle()), (std::vector<std::string>{"ram", "gdi", "swap"}));
    EXPECT_EQ(tree.Selected(), gdi);
    EXPECT_TRUE(events.empty());

    // A whole Sentinel with its Speeders, in front of the first one.
    ASSERT_TRUE(mem->MoveBefore(*cpu));
    EXPECT_EQ(ItemTexts(tree, nullptr), (std::vector<std::string>{"Memory Sentinel", "CPU Sentinel"}));
    EXPECT_EQ(ItemTexts(tree, mem->Handle()), (std::vector<std::string>{"ram", "gdi", "swap"}));
    EXPECT_EQ(mem->Index(), 0);
    EXPECT_EQ(tree.Selected(), gdi);
    EXPECT_EQ(tree.TopItem(0), mem);
    // Never into its own branch, never in front of itself.
    EXPECT_FALSE(mem->MoveBefore(*gdi));
    EXPECT_FALSE(mem->MoveBefore(*mem));
    EXPECT_EQ(tree.Count(), 7u);
}

TEST_F(TreeFixture, NodesShowPicturesOfTheTreesListAndKeepThemWhenMoved) {
    _imagelist images(16, 16, COLOR_FUCHSIA);
    const _bitmap tile(16, 16);
    images.Add(tile);
    images.Add(tile);
    tree.SetImages(&images);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(tree.Perform(TVM_GETIMAGELIST, TVSIL_NORMAL)), images.Handle());
    _treenode& swap = *mem->Item(1);
    swap.SetImageIndex(1);
    ASSERT_TRUE(swap.MoveBefore(*cpu->Item(0)));  // built anew in another branch
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = swap.Handle();
    tree.Perform(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 1);
    EXPECT_EQ(item.iSelectedImage, 1);
    tree.SetImages(nullptr);
}

}  // namespace
}  // namespace corvex
