#include "Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvex {
namespace {

// Records its own destruction and loading, and forgets a watched component.
class Probe : public _component {
public:
    Probe(_component* owner, std::string name, std::vector<std::string>& journal)
        : _component(owner), name_(std::move(name)), journal_(journal) {}
    ~Probe() override { journal_.push_back("~" + name_); }

    void Watch(Probe& other) {
        watched_ = &other;
        other.FreeNotification(*this);
    }
    Probe* Watched() const { return watched_; }
    bool moveOnLoad = false;

protected:
    void Loaded() override {
        journal_.push_back("loaded " + name_);
        if (moveOnLoad) MoveToEnd();
    }
    void Notification(_component& destroyed) override {
        journal_.push_back(name_ + " told");
        if (&destroyed == watched_) watched_ = nullptr;
    }

private:
    std::string name_;
    std::vector<std::string>& journal_;
    Probe* watched_ = nullptr;
};

using Journal = std::vector<std::string>;

TEST(Component, OwnerDestroysWhatItOwnsLastMadeFirst) {
    Journal journal;
    {
        Probe root(nullptr, "root", journal);
        Probe& a = root.Make<Probe>("a", journal);
        a.Make<Probe>("a1", journal);
        root.Make<Probe>("b", journal);
        EXPECT_EQ(root.ComponentCount(), 2u);
        EXPECT_EQ(a.Owner(), &root);
        EXPECT_EQ(root.Component(2), nullptr);
    }
    EXPECT_EQ(journal, (Journal{"~root", "~b", "~a", "~a1"}));
}

TEST(Component, MovedToTheEndOnLoadGoesFirst) {
    Journal journal;
    {
        Probe root(nullptr, "root", journal);
        root.Make<Probe>("a", journal).moveOnLoad = true;
        root.Make<Probe>("b", journal);
        root.Make<Probe>("c", journal);
        root.LoadComponents();
        journal.clear();
    }
    // Each loaded once, despite the reordering during the walk.
    EXPECT_EQ(journal, (Journal{"~root", "~a", "~c", "~b"}));
}

TEST(Component, LoadedRunsOncePerComponentInOrder) {
    Journal journal;
    Probe root(nullptr, "root", journal);
    root.Make<Probe>("a", journal).moveOnLoad = true;
    root.Make<Probe>("b", journal);
    root.LoadComponents();
    EXPECT_EQ(journal, (Journal{"loaded a", "loaded b"}));
}

TEST(Component, ReferencesAreClearedWhenTheTargetGoes) {
    Journal journal;
    Probe root(nullptr, "root", journal);
    Probe& store = root.Make<Probe>("store", journal);
    Probe& keeper = root.Make<Probe>("keeper", journal);
    keeper.Watch(store);
    ASSERT_TRUE(root.Destroy(&store));
    EXPECT_EQ(keeper.Watched(), nullptr);
    EXPECT_EQ(journal, (Journal{"~store", "keeper told"}));
    EXPECT_FALSE(root.Destroy(&store));
    EXPECT_EQ(root.ComponentCount(), 1u);
}

TEST(Component, AnObserverGoingFirstIsNotToldLater) {
    Journal journal;
    Probe root(nullptr, "root", journal);
    Probe& store = root.Make<Probe>("store", journal);
    Probe& keeper = root.Make<Probe>("keeper", journal);
    keeper.Watch(store);
    keeper.Watch(store);  // asking twice is one arrangement
    root.Destroy(&keeper);
    root.Destroy(&store);  // would use the dead keeper if it were still listed
    EXPECT_EQ(journal, (Journal{"~keeper", "~store"}));
}

TEST(Component, RemovedNotificationIsNotSent) {
    Journal journal;
    Probe root(nullptr, "root", journal);
    Probe& store = root.Make<Probe>("store", journal);
    Probe& keeper = root.Make<Probe>("keeper", journal);
    keeper.Watch(store);
    store.RemoveFreeNotification(keeper);
    root.Destroy(&store);
    EXPECT_EQ(journal, (Journal{"~store"}));
    EXPECT_NE(keeper.Watched(), nullptr);  // nobody told it
}

}  // namespace
}  // namespace corvex
