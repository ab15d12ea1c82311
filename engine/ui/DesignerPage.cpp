#include "DesignerPage.h"

#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "Panel.h"

namespace corvex {

void _sentinelkind::Build(_panel& page) { sentinel_.OnCreateDesigner(page, speeder_); }
void _sentinelkind::Leave(_panel& page) { sentinel_.OnDestroyDesigner(page); }
_component& _sentinelkind::Tenant() const noexcept { return sentinel_; }
_component* _sentinelkind::Shown() const noexcept { return speeder_; }

void _speederkind::Build(_panel& page) { speeder_.OnCreateDesigner(page); }
void _speederkind::Leave(_panel& page) { speeder_.OnDestroyDesigner(page); }
_component& _speederkind::Tenant() const noexcept { return speeder_; }

_kindpage::_kindpage(_component* owner, _panel& panel) : _component(owner), panel_(panel) {}

_kindpage::~_kindpage() { Return(); }

void _kindpage::Lend(std::unique_ptr<_pagekind> kind) {
    if (!kind) return;
    if (kind_ && &kind_->Tenant() == &kind->Tenant() && kind_->Shown() == kind->Shown()) return;
    Return();
    kind_ = std::move(kind);
    Watch(*kind_, true);
    kind_->Build(panel_);
}

bool _kindpage::Return() {
    if (!kind_) return false;
    // Forgotten first: a kind that goes while it is told finds no page.
    const std::unique_ptr<_pagekind> kind = std::move(kind_);
    Watch(*kind, false);
    kind->Leave(panel_);
    TearDown();
    return true;
}

void _kindpage::Watch(const _pagekind& kind, bool on) {
    for (_component* watched : {&kind.Tenant(), kind.Shown()}) {
        if (!watched) continue;
        if (on)
            watched->FreeNotification(*this);
        else
            watched->RemoveFreeNotification(*this);
    }
}

void _kindpage::Notification(_component& destroyed) {
    _component::Notification(destroyed);
    if (!kind_ || (&destroyed != &kind_->Tenant() && &destroyed != kind_->Shown())) return;
    // The kind is going: nobody is left to tell, the controls go at once.
    const std::unique_ptr<_pagekind> kind = std::move(kind_);
    Watch(*kind, false);
    TearDown();
}

void _kindpage::TearDown() {
    for (std::size_t n = panel_.ComponentCount(); n > 0; n = panel_.ComponentCount())
        panel_.Destroy(panel_.Component(n - 1));
    for (std::size_t n = panel_.ControlCount(); n > 0; n = panel_.ControlCount()) {
        _control* stray = panel_.Controls(n - 1);
        _component* owner = stray->Owner();
        if (!owner || !owner->Destroy(stray)) {
            // Owned by nobody who lets it go: at least it leaves the page.
            stray->Hide();
            stray->SetParent(nullptr);
        }
    }
}

}  // namespace corvex
