#pragma once
// Pages with tabs.
//
//   _pagecontrol  the common controls' tab control holding sheets; one
//                 sheet is shown at a time; a sheet's tab can be hidden,
//                 and with every tab hidden the sheets take the whole area
//   _tabsheet     one page: a panel whose tab shows its caption

#include <string>
#include <vector>

#include "Panel.h"

namespace corvex {

class _pagecontrol;

class _tabsheet final : public _panel {
public:
    _tabsheet(_component* owner, _pagecontrol& pages, const std::string& caption);
    ~_tabsheet() override;

    const std::string& TabCaption() const noexcept { return caption_; }
    void SetTabCaption(const std::string& caption);
    bool TabVisible() const noexcept { return tabVisible_; }
    void SetTabVisible(bool visible);
    int PageIndex() const noexcept;

private:
    _pagecontrol& pages_;
    std::string caption_;
    bool tabVisible_ = true;
};

class _pagecontrol : public _wincontrol {
public:
    _pagecontrol(_component* owner, _wincontrol* parent);
    ~_pagecontrol() override;

    std::size_t PageCount() const noexcept { return sheets_.size(); }
    _tabsheet* Pages(std::size_t index) const noexcept {
        return index < sheets_.size() ? sheets_[index] : nullptr;
    }
    // A new last page, owned by the page control.
    _tabsheet& AddPage(const std::string& caption);
    _tabsheet* ActivePage() const noexcept { return active_; }
    void SetActivePage(_tabsheet* sheet);
    // The tabs shown, in page order.
    int TabCount() const noexcept;

    // The user chose another tab.
    _notifyevent OnChange;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    void Resized() override;

private:
    friend class _tabsheet;
    LRESULT OnNotify(LPARAM lparam);
    void RebuildTabs();
    void PlaceSheets();
    _rect DisplayArea() const;
    _tabsheet* SheetOfTab(int tab) const noexcept;
    void SheetGone(_tabsheet& sheet) noexcept;

    std::vector<_tabsheet*> sheets_;
    _tabsheet* active_ = nullptr;
};

}  // namespace corvex
