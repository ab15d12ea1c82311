#pragma once
// _otree: a read-only tree that chooses the pages of a page control in
// place of its tabs. Top-level node i stands for page i, and a deeper node
// for its top-level ancestor's page; the page control's tabs stay hidden, so
// the tree is the only way between the pages.

#include "Core_Zolt2.h"
#include "TreeView.h"

namespace corvex {

class _pagecontrol;

class _otree : public _treeview {
public:
    _otree(_component* owner, _wincontrol* parent);
    ~_otree() override;

    // ---- attributes
    // The pages the tree chooses; forgotten when the page control goes.
    // A new one gives the old one its tabs back and rebuilds the tree.
    _pagecontrol* Page() const noexcept { return page_; }
    void SetPage(_pagecontrol* page);

    // ---- operations
    // One top-level node per page, captioned like it; every tab hidden and
    // page 0 shown and selected. _ERROR without a page control.
    _result KERNEL_Init();

protected:
    void Loaded() override;
    // Shows the page of the node's top-level ancestor, then raises OnChange.
    void Change(_treenode* node) override;
    void Notification(_component& destroyed) override;

private:
    _pagecontrol* page_ = nullptr;
};

}  // namespace corvex
