#include "TreeView.h"

#include <commctrl.h>

#include <algorithm>

#include "Bitmap.h"
#include "Debug_Zolt2.h"

namespace corvex {

// ---- _treenode --------------------------------------------------------------

void _treenode::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = handle_;
    item.pszText = const_cast<char*>(text_.c_str());
    tree_.Perform(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void _treenode::SetImageIndex(int index) {
    if (index < -1) index = -1;
    if (index == image_) return;
    image_ = index;
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = handle_;
    item.iImage = item.iSelectedImage = image_ < 0 ? I_IMAGENONE : image_;
    tree_.Perform(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int _treenode::Level() const noexcept {
    int level = 0;
    for (const _treenode* p = parent_; p; p = p->parent_) ++level;
    return level;
}

int _treenode::Index() const noexcept {
    const auto& siblings = tree_.SiblingsOf(parent_);
    const auto it = std::find(siblings.begin(), siblings.end(), this);
    return static_cast<int>(it - siblings.begin());
}

_treenode* _treenode::PreviousSibling() const noexcept {
    const int index = Index();
    return index > 0 ? tree_.SiblingsOf(parent_)[static_cast<std::size_t>(index - 1)] : nullptr;
}

_treenode* _treenode::NextSibling() const noexcept {
    const auto& siblings = tree_.SiblingsOf(parent_);
    const std::size_t next = static_cast<std::size_t>(Index()) + 1;
    return next < siblings.size() ? siblings[next] : nullptr;
}

bool _treenode::Selected() const noexcept {
    return tree_.Selected() == this;
}

void _treenode::Expand(bool open) {
    tree_.Perform(TVM_EXPAND, open ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(handle_));
}

bool _treenode::MoveBefore(_treenode& sibling) {
    if (Check(&sibling == this || &sibling.tree_ != &tree_,
              "_treenode.MoveBefore(%p): not a sibling of its own tree",
              static_cast<void*>(&sibling)) == DEBUG_ASSERT)
        return false;
    for (const _treenode* p = sibling.parent_; p; p = p->parent_)
        if (Check(p == this, "_treenode.MoveBefore(%p): into its own branch", static_cast<void*>(&sibling)) ==
            DEBUG_ASSERT)
            return false;
    // The selection may lie anywhere in the moved branch.
    _treenode* const selected = tree_.Selected();
    tree_.quiet_ = true;
    // A tree item cannot move: the branch is built anew at the place and
    // the old items are deleted; the node objects stay the same.
    auto& from = tree_.SiblingsOf(parent_);
    from.erase(std::find(from.begin(), from.end(), this));
    _treenode* const previous = sibling.PreviousSibling();
    _TREEITEM* const old = handle_;
    parent_ = sibling.parent_;
    auto& to = tree_.SiblingsOf(parent_);
    to.insert(std::find(to.begin(), to.end(), &sibling), this);
    tree_.Insert(*this, parent_ ? parent_->handle_ : TVI_ROOT, previous ? previous->handle_ : TVI_FIRST);
    tree_.Perform(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(old));
    if (selected) tree_.Perform(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected->handle_));
    tree_.quiet_ = false;
    return true;
}

// ---- _treeview --------------------------------------------------------------

_treeview::_treeview(_component* owner, _wincontrol* parent) : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 121, 97);
    SetColor(SYSCOLOR_WINDOW);
    _createparams params;
    params.className = WC_TREEVIEWA;
    // No label editing: the tree is read-only. The selection stays
    // visible when the focus is elsewhere.
    params.style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP;
    params.exStyle = WS_EX_CLIENTEDGE;
    CreateHandle(params);
}

_treeview::~_treeview() {
    // The window goes later; its deletion notices must find no nodes.
    quiet_ = true;
    roots_.clear();
    nodes_.clear();
    if (Handle()) Perform(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

_treenode* _treeview::Selected() const noexcept {
    const auto item = reinterpret_cast<HTREEITEM>(Perform(TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return nullptr;
    TVITEMA data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    Perform(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return reinterpret_cast<_treenode*>(data.lParam);
}

void _treeview::SetSelected(_treenode* node) {
    Perform(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->handle_ : nullptr));
}

void _treeview::SetIndent(int pixels) {
    Perform(TVM_SETINDENT, static_cast<WPARAM>(pixels));
}

void _treeview::SetImages(const _imagelist* images) {
    if (images == images_) return;
    images_ = images;
    Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
}

_TREEITEM* _treeview::Insert(_treenode& node, _TREEITEM* parent, _TREEITEM* after) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(node.text_.c_str());
    insert.item.iImage = insert.item.iSelectedImage = node.image_ < 0 ? I_IMAGENONE : node.image_;
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    node.handle_ =
        reinterpret_cast<HTREEITEM>(Perform(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    for (_treenode* child : node.children_) Insert(*child, node.handle_, TVI_LAST);
    return node.handle_;
}

_treenode& _treeview::Add(_treenode* parent, const std::string& text, void* data) {
    nodes_.push_back(std::unique_ptr<_treenode>(new _treenode(*this, parent, text, data)));
    _treenode& node = *nodes_.back();
    SiblingsOf(parent).push_back(&node);
    Insert(node, parent ? parent->handle_ : TVI_ROOT, TVI_LAST);
    return node;
}

void _treeview::Forget(_treenode& node) {
    for (_treenode* child : node.children_) Forget(*child);
    node.children_.clear();
    nodes_.erase(
        std::find_if(nodes_.begin(), nodes_.end(), [&node](const auto& p) { return p.get() == &node; }));
}

void _treeview::Delete(_treenode& node) {
    if (&node.tree_ != this) return;
    // The control may move the selection while it deletes: the node objects
    // live until it is done.
    deleting_ = true;
    Perform(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node.handle_));
    deleting_ = false;
    auto& siblings = SiblingsOf(node.parent_);
    siblings.erase(std::find(siblings.begin(), siblings.end(), &node));
    Forget(node);
}

void _treeview::Clear() {
    deleting_ = true;
    Perform(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    deleting_ = false;
    roots_.clear();
    nodes_.clear();
}

void _treeview::BeginUpdate() {
    if (updating_++ == 0) Perform(WM_SETREDRAW, FALSE);
}

void _treeview::EndUpdate() {
    if (updating_ == 0) return;
    if (--updating_ == 0) {
        Perform(WM_SETREDRAW, TRUE);
        Invalidate();
    }
}

LRESULT _treeview::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case REFLECT + WM_NOTIFY: return OnNotify(lparam);
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _treeview::OnNotify(LPARAM lparam) {
    const auto* change = reinterpret_cast<const NMTREEVIEWA*>(lparam);
    if (quiet_) return 0;
    auto* node = reinterpret_cast<_treenode*>(change->itemNew.lParam);
    switch (change->hdr.code) {
        case TVN_SELCHANGINGA:
        case TVN_SELCHANGINGW: return (!deleting_ && !Changing(node)) ? TRUE : FALSE;
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW: Change(node); return 0;
        default: return 0;
    }
}

}  // namespace corvex
