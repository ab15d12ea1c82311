#include "PageControl.h"

#include <commctrl.h>

#include <algorithm>

namespace corvex {

_tabsheet::_tabsheet(_component* owner, _pagecontrol& pages, const std::string& caption)
    : _panel(owner, &pages), pages_(pages), caption_(caption) {
    SetBevelOuter(BEVEL_NONE);
    SetVisible(false);
}

_tabsheet::~_tabsheet() {
    pages_.SheetGone(*this);
}

void _tabsheet::SetTabCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    pages_.RebuildTabs();
}

void _tabsheet::SetTabVisible(bool visible) {
    if (visible == tabVisible_) return;
    tabVisible_ = visible;
    pages_.RebuildTabs();
}

int _tabsheet::PageIndex() const noexcept {
    const auto& sheets = pages_.sheets_;
    const auto it = std::find(sheets.begin(), sheets.end(), this);
    return it == sheets.end() ? -1 : static_cast<int>(it - sheets.begin());
}

_pagecontrol::_pagecontrol(_component* owner, _wincontrol* parent) : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 289, 193);
    _createparams params;
    params.className = WC_TABCONTROLA;
    params.style = WS_TABSTOP;
    CreateHandle(params);
}

_pagecontrol::~_pagecontrol() {
    // The sheets report their going to the list below: they go first.
    DestroyComponents();
}

_tabsheet& _pagecontrol::AddPage(const std::string& caption) {
    _tabsheet& sheet = Make<_tabsheet>(*this, caption);
    sheets_.push_back(&sheet);
    RebuildTabs();
    if (!active_) SetActivePage(&sheet);
    PlaceSheets();
    return sheet;
}

void _pagecontrol::SheetGone(_tabsheet& sheet) noexcept {
    sheets_.erase(std::remove(sheets_.begin(), sheets_.end(), &sheet), sheets_.end());
    if (active_ == &sheet) active_ = nullptr;
    if (Handle()) RebuildTabs();
}

int _pagecontrol::TabCount() const noexcept {
    return static_cast<int>(Perform(TCM_GETITEMCOUNT));
}

_tabsheet* _pagecontrol::SheetOfTab(int tab) const noexcept {
    for (_tabsheet* sheet : sheets_)
        if (sheet->TabVisible() && tab-- == 0) return sheet;
    return nullptr;
}

void _pagecontrol::RebuildTabs() {
    Perform(TCM_DELETEALLITEMS);
    int tab = 0;
    for (_tabsheet* sheet : sheets_) {
        if (!sheet->TabVisible()) continue;
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(sheet->TabCaption().c_str());
        Perform(TCM_INSERTITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        if (sheet == active_) Perform(TCM_SETCURSEL, static_cast<WPARAM>(tab));
        ++tab;
    }
    PlaceSheets();
}

_rect _pagecontrol::DisplayArea() const {
    const _rect client = ClientRect();
    if (TabCount() == 0) return client;  // no tab row to leave room for
    RECT r{client.left, client.top, client.right, client.bottom};
    Perform(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return {r.left, r.top, r.right, r.bottom};
}

void _pagecontrol::PlaceSheets() {
    const _rect area = DisplayArea();
    for (_tabsheet* sheet : sheets_) sheet->SetBounds(area.left, area.top, area.Width(), area.Height());
}

void _pagecontrol::SetActivePage(_tabsheet* sheet) {
    if (sheet && std::find(sheets_.begin(), sheets_.end(), sheet) == sheets_.end()) return;
    if (sheet == active_) return;
    _tabsheet* const old = active_;
    active_ = sheet;
    if (active_) {
        active_->Show();
        active_->BringToFront();
    }
    if (old) old->Hide();
    int tab = -1;
    for (_tabsheet* s : sheets_) {
        if (!s->TabVisible()) continue;
        ++tab;
        if (s == active_) break;
    }
    Perform(TCM_SETCURSEL,
            active_ && active_->TabVisible() ? static_cast<WPARAM>(tab) : static_cast<WPARAM>(-1));
}

void _pagecontrol::Resized() {
    PlaceSheets();
    _wincontrol::Resized();
}

LRESULT _pagecontrol::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case REFLECT + WM_NOTIFY: return OnNotify(lparam);
        default: return _wincontrol::WndProc(message, wparam, lparam);
    }
}

LRESULT _pagecontrol::OnNotify(LPARAM lparam) {
    if (reinterpret_cast<const NMHDR*>(lparam)->code != TCN_SELCHANGE) return 0;
    SetActivePage(SheetOfTab(static_cast<int>(Perform(TCM_GETCURSEL))));
    Raise(OnChange);
    return 0;
}

}  // namespace corvex
