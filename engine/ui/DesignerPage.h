#pragma once
// The page contract between the Designer and the kinds that build pages of
// their own. A kind builds its controls on the page panel it is lent, with
// the panel as their owner and parent, and is told before they go.
//
//   _pagekind      what a page is lent to
//   _sentinelkind  a Sentinel with user-defined Speeders: its page for a new
//                  Speeder, or the settings of one of its own
//   _speederkind   a Speeder with a page of its own (option $100)
//   _kindpage      one page panel of the Designer, lent to one kind at a
//                  time; taken back, it tells the kind and then tears down
//                  every control still owned by or parented to the panel
//
// Windows tree only.

#include <memory>

#include "Component.h"

namespace corvex {

class _panel;
class _sentinel;
class _speeder;

class _pagekind {
public:
    virtual ~_pagekind() = default;
    // Builds the kind's controls on `page`.
    virtual void Build(_panel& page) = 0;
    // The controls on `page` are about to go.
    virtual void Leave(_panel& page) = 0;
    // Whose page it is (a Sentinel or a Speeder) and the Speeder it shows,
    // if another: while either exists the page may stay as it is.
    virtual _component& Tenant() const noexcept = 0;
    virtual _component* Shown() const noexcept { return nullptr; }
};

class _sentinelkind final : public _pagekind {
public:
    // `speeder` nullptr: the page for a new Speeder.
    _sentinelkind(_sentinel& sentinel, _speeder* speeder) noexcept : sentinel_(sentinel), speeder_(speeder) {}
    void Build(_panel& page) override;
    void Leave(_panel& page) override;
    _component& Tenant() const noexcept override;
    _component* Shown() const noexcept override;

private:
    _sentinel& sentinel_;
    _speeder* speeder_;
};

class _speederkind final : public _pagekind {
public:
    explicit _speederkind(_speeder& speeder) noexcept : speeder_(speeder) {}
    void Build(_panel& page) override;
    void Leave(_panel& page) override;
    _component& Tenant() const noexcept override;

private:
    _speeder& speeder_;
};

class _kindpage final : public _component {
public:
    _kindpage(_component* owner, _panel& panel);
    ~_kindpage() override;

    _panel& Panel() const noexcept { return panel_; }
    bool Lent() const noexcept { return kind_ != nullptr; }
    const _pagekind* Kind() const noexcept { return kind_.get(); }

    // Lends the page to `kind`. A page the same tenant holds for the same
    // entry stays as it is (the user's edits on it too); one another kind
    // holds is taken back first.
    void Lend(std::unique_ptr<_pagekind> kind);
    // Tells the kind, then tears the page down; false when it was not lent.
    bool Return();

protected:
    void Notification(_component& destroyed) override;

private:
    void Watch(const _pagekind& kind, bool on);
    // Destroys every control the panel owns, the last made first, then any
    // still parented to it that another owner holds.
    void TearDown();

    _panel& panel_;
    std::unique_ptr<_pagekind> kind_;
};

}  // namespace corvex
