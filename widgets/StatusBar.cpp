#include "StatusBar.h"

#include <commctrl.h>

namespace corvex {

_statusbar::_statusbar(_component* owner, _wincontrol* parent) : _wincontrol(owner, parent) {
    bounds_ = _rect::Bounds(0, 0, 100, 19);
    _createparams params;
    params.className = STATUSCLASSNAMEA;
    // The layer places it (bottom alignment), not the control itself.
    params.style = CCS_NOPARENTALIGN | CCS_NORESIZE;
    CreateHandle(params);
    SetAlign(ALIGN_BOTTOM);
}

void _statusbar::SetPanels(const std::vector<int>& widths) {
    widths_ = widths;
    ApplyParts();
}

void _statusbar::ApplyParts() {
    if (widths_.empty()) {
        Perform(SB_SIMPLE, TRUE);
        return;
    }
    Perform(SB_SIMPLE, FALSE);
    std::vector<int> edges;
    int right = 0;
    for (int width : widths_) edges.push_back(right += (width > 0 ? width : 0));
    edges.back() = -1;  // the last panel runs to the right end
    Perform(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

std::string _statusbar::PanelText(int index) const {
    if (index < 0 || index >= PanelCount()) return {};
    const LRESULT length = LOWORD(Perform(SB_GETTEXTLENGTHA, static_cast<WPARAM>(index)));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    Perform(SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void _statusbar::SetPanelText(int index, const std::string& text) {
    if (index < 0 || index >= PanelCount() || text == PanelText(index)) return;
    Perform(SB_SETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void _statusbar::Resized() {
    ApplyParts();
    _wincontrol::Resized();
}

}  // namespace corvex
