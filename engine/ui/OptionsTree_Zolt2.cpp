#include "OptionsTree_Zolt2.h"

#include "Debug_Zolt2.h"
#include "PageControl.h"

namespace corvex {

_otree::_otree(_component* owner, _wincontrol* parent) : _treeview(owner, parent) {}

_otree::~_otree() {
    if (page_) page_->RemoveFreeNotification(*this);
}

void _otree::SetPage(_pagecontrol* page) {
    if (page == page_) return;
    if (page_) {
        for (std::size_t i = 0; i < page_->PageCount(); ++i) page_->Pages(i)->SetTabVisible(true);
        page_->RemoveFreeNotification(*this);
    }
    page_ = page;
    if (page_) page_->FreeNotification(*this);
    KERNEL_Init();
}

void _otree::Loaded() {
    _treeview::Loaded();
    KERNEL_Init();
}

void _otree::Notification(_component& destroyed) {
    if (&destroyed == page_) page_ = nullptr;
    _treeview::Notification(destroyed);
}

_result _otree::KERNEL_Init() {
    if (Check(!page_, "_otree.KERNEL_Init: KPage==NIL") == DEBUG_ASSERT) return _ERROR;
    BeginUpdate();
    Clear();
    for (std::size_t i = 0; i < page_->PageCount(); ++i) {
        _tabsheet& sheet = *page_->Pages(i);
        Add(nullptr, sheet.TabCaption());
        sheet.SetTabVisible(false);
    }
    EndUpdate();
    if (page_->PageCount() > 0) {
        page_->SetActivePage(page_->Pages(0));
        // The tree shows where the user is from the start.
        SetSelected(TopItem(0));
    }
    return _OK;
}

void _otree::Change(_treenode* node) {
    Log(20, "_otree.Change: Node=%p", static_cast<void*>(node));
    if (Check(!page_, " _otree.Change: KPage==NIL") == DEBUG_ASSERT) return;
    if (node) {
        _treenode* top = node;
        while (top->Parent()) top = top->Parent();
        const int index = top->Index();
        const int pages = static_cast<int>(page_->PageCount());
        if (Check(index >= pages, "_otree.Change: Tn.Index=%d has no corresponding Page (max Page=%d)", index,
                  pages - 1) == DEBUG_ASSERT)
            return;
        // The tabs stay hidden: the chosen page is simply the one shown.
        _tabsheet* const sheet = page_->Pages(static_cast<std::size_t>(index));
        if (page_->ActivePage() != sheet) page_->SetActivePage(sheet);
    }
    _treeview::Change(node);
}

}  // namespace corvex
