#pragma once
// A read-only tree view over the common controls' tree.
//
//   _treenode  one entry: text, a data pointer, a picture of the tree's
//              image list, its place among its siblings; owned by its tree
//   _treeview  the control: adds, deletes and moves nodes, keeps the
//              selection, and tells before (Changing, which may refuse)
//              and after (Change) the selection moves

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Control.h"

struct _TREEITEM;

namespace corvex {

class _imagelist;
class _treeview;

class _treenode final {
public:
    _treenode(const _treenode&) = delete;
    _treenode& operator=(const _treenode&) = delete;

    _treeview& Tree() const noexcept { return tree_; }
    _TREEITEM* Handle() const noexcept { return handle_; }
    const std::string& Text() const noexcept { return text_; }
    void SetText(const std::string& text);
    void* Data() const noexcept { return data_; }
    void SetData(void* data) noexcept { data_ = data; }
    // The picture of the tree's image list shown beside the text, selected
    // or not; -1 for none.
    int ImageIndex() const noexcept { return image_; }
    void SetImageIndex(int index);

    _treenode* Parent() const noexcept { return parent_; }
    int Level() const noexcept;
    // The position among its siblings.
    int Index() const noexcept;
    std::size_t Count() const noexcept { return children_.size(); }
    _treenode* Item(std::size_t index) const noexcept {
        return index < children_.size() ? children_[index] : nullptr;
    }
    _treenode* PreviousSibling() const noexcept;
    _treenode* NextSibling() const noexcept;

    bool Selected() const noexcept;
    void Expand(bool open);
    // Moves this node and what lies below it in front of `sibling` (which
    // may have another parent); the node keeps its identity and selection.
    bool MoveBefore(_treenode& sibling);

private:
    friend class _treeview;
    _treenode(_treeview& tree, _treenode* parent, std::string text, void* data)
        : tree_(tree), parent_(parent), text_(std::move(text)), data_(data) {}

    _treeview& tree_;
    _TREEITEM* handle_ = nullptr;
    _treenode* parent_;
    std::string text_;
    void* data_;
    int image_ = -1;
    std::vector<_treenode*> children_;
};

class _treeview : public _wincontrol {
public:
    _treeview(_component* owner, _wincontrol* parent);
    ~_treeview() override;

    // ---- attributes
    std::size_t Count() const noexcept { return nodes_.size(); }
    std::size_t TopCount() const noexcept { return roots_.size(); }
    _treenode* TopItem(std::size_t index) const noexcept {
        return index < roots_.size() ? roots_[index] : nullptr;
    }
    _treenode* Selected() const noexcept;
    // Selects a node (nullptr: none), raising Changing and Change.
    void SetSelected(_treenode* node);
    void SetIndent(int pixels);
    // The pictures of the nodes, borrowed: the list must outlive the tree
    // or be taken away first (nullptr: no pictures).
    const _imagelist* Images() const noexcept { return images_; }
    void SetImages(const _imagelist* images);

    // Before the selection moves to `node`: false keeps it where it is.
    std::function<bool(_treenode* node)> OnChanging;
    // After the selection moved to `node` (nullptr: nothing selected).
    std::function<void(_treenode* node)> OnChange;

    // ---- operations
    // A new last child of `parent` (a top-level node for nullptr).
    _treenode& Add(_treenode* parent, const std::string& text, void* data = nullptr);
    void Delete(_treenode& node);
    void Clear();
    // Redrawing stops until the matching EndUpdate (they nest).
    void BeginUpdate();
    void EndUpdate();

protected:
    virtual bool Changing(_treenode* node) { return OnChanging ? OnChanging(node) : true; }
    virtual void Change(_treenode* node) { Raise(OnChange, node); }

    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    friend class _treenode;
    LRESULT OnNotify(LPARAM lparam);
    _TREEITEM* Insert(_treenode& node, _TREEITEM* parent, _TREEITEM* after);
    void Forget(_treenode& node);
    std::vector<_treenode*>& SiblingsOf(_treenode* parent) noexcept {
        return parent ? parent->children_ : roots_;
    }

    const _imagelist* images_ = nullptr;
    std::vector<std::unique_ptr<_treenode>> nodes_;
    std::vector<_treenode*> roots_;
    int updating_ = 0;
    bool quiet_ = false;     // moving nodes: the selection events stay silent
    bool deleting_ = false;  // a deletion moves the selection: no refusal
};

}  // namespace corvex
