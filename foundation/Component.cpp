#include "Component.h"

#include <algorithm>

namespace corvex {

_component::~_component() {
    DestroyOwned();
    // Tell the observers first, then stop observing others.
    while (!observers_.empty()) {
        _component* observer = observers_.back();
        observers_.pop_back();
        Erase(observer->observed_, this);
        observer->Notification(*this);
    }
    for (_component* other : observed_) Erase(other->observers_, this);
    observed_.clear();
}

_component* _component::Component(std::size_t index) const noexcept {
    return index < owned_.size() ? owned_[index].get() : nullptr;
}

bool _component::Destroy(_component* component) {
    const auto it = std::find_if(owned_.begin(), owned_.end(),
                                 [component](const auto& p) { return p.get() == component; });
    if (it == owned_.end()) return false;
    std::unique_ptr<_component> doomed = std::move(*it);
    owned_.erase(it);
    doomed.reset();
    return true;
}

void _component::MoveToEnd() {
    if (!owner_) return;
    auto& list = owner_->owned_;
    const auto it = std::find_if(list.begin(), list.end(),
                                 [this](const auto& p) { return p.get() == this; });
    if (it != list.end()) std::rotate(it, it + 1, list.end());
}

void _component::LoadComponents() {
    // Loaded may reorder the list (MoveToEnd), so walk a snapshot.
    std::vector<_component*> snapshot;
    for (const auto& p : owned_) snapshot.push_back(p.get());
    for (_component* c : snapshot) c->Loaded();
}

void _component::FreeNotification(_component& observer) {
    if (&observer == this) return;
    if (std::find(observers_.begin(), observers_.end(), &observer) != observers_.end()) return;
    observers_.push_back(&observer);
    observer.observed_.push_back(this);
}

void _component::RemoveFreeNotification(_component& observer) {
    Erase(observers_, &observer);
    Erase(observer.observed_, this);
}

void _component::DestroyOwned() noexcept {
    while (!owned_.empty()) {
        std::unique_ptr<_component> last = std::move(owned_.back());
        owned_.pop_back();
        last.reset();
    }
}

void _component::Erase(std::vector<_component*>& list, _component* item) noexcept {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace corvex
