#pragma once
// _component: the root of every component. A component has an owner and
// owns the components made with it; destroying an owner destroys what it
// owns, the last made first. Components that refer to another one without
// owning it ask to be told when it goes (FreeNotification), and clear their
// reference in Notification.
//
// Portable: no Windows header.

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace corvex {

class _component {
public:
    explicit _component(_component* owner = nullptr) noexcept : owner_(owner) {}
    virtual ~_component();

    _component(const _component&) = delete;
    _component& operator=(const _component&) = delete;

    // ---- identity
    const std::string& Name() const noexcept { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // A number the owner keeps with the component (a list index, a kind).
    long Tag() const noexcept { return tag_; }
    void SetTag(long tag) noexcept { tag_ = tag; }

    // ---- ownership
    _component* Owner() const noexcept { return owner_; }
    std::size_t ComponentCount() const noexcept { return owned_.size(); }
    _component* Component(std::size_t index) const noexcept;

    // Makes a T owned by this component: T's constructor gets this component
    // as its owner, followed by `args`.
    template <class T, class... Args>
    T& Make(Args&&... args) {
        auto made = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& result = *made;
        owned_.push_back(std::move(made));
        return result;
    }

    // Destroys one owned component now; false when `component` is not owned.
    bool Destroy(_component* component);

    // Moves this component to the end of its owner's list, so that it is
    // destroyed before everything else the owner holds.
    void MoveToEnd();

    // ---- loading
    // Runs Loaded on every owned component (in order, each once), after the
    // owner has built them all.
    void LoadComponents();

    // ---- references that are not ownership
    // `observer` is told through Notification when this component is
    // destroyed. Either side going first ends the arrangement.
    void FreeNotification(_component& observer);
    void RemoveFreeNotification(_component& observer);

protected:
    // Destroys everything this component owns, the last made first. Window
    // classes call it before they destroy their own window, so that owned
    // controls go while their parent still exists.
    void DestroyComponents() noexcept { DestroyOwned(); }

    // Called once after the owner built all its components.
    virtual void Loaded() {}
    // `destroyed` is going away: forget every reference to it.
    virtual void Notification(_component& destroyed) { (void)destroyed; }

private:
    void DestroyOwned() noexcept;
    static void Erase(std::vector<_component*>& list, _component* item) noexcept;

    _component* owner_;
    std::string name_;
    long tag_ = 0;
    std::vector<std::unique_ptr<_component>> owned_;
    std::vector<_component*> observers_;  // told when this goes
    std::vector<_component*> observed_;   // whose observer this is
};

}  // namespace corvex
