#pragma once
// _smapi: how many unread messages wait in the Inbox of the local mail
// client, bold with the "mail" icon while there are any. It connects at
// its first Ignite and keeps its watcher until it goes.
//
// Windows tree only.

#include <functional>
#include <memory>

#include "Corvex_Speeders.h"
#include "MAPI_Zolt2.h"

namespace corvex {

// Makes the MAPI the watcher talks to (the system's, or a test's store).
using _mapiportfactory = std::function<std::unique_ptr<_mapiport>()>;

class _smapi : public _tspeeder {
public:
    explicit _smapi(_component* owner);
    _smapi(_component* owner, _mapiportfactory factory);
    ~_smapi() override;

    _mapi* Mapi() const noexcept { return mapi_.get(); }
    int BlinkPhase() const noexcept { return blink_; }

    _result Ignite() override;
    _result UpdateIcon() override;
    _result UpdateCaption() override;

private:
    void Connect();

    _mapiportfactory factory_;
    int blink_ = 0;
    std::unique_ptr<_mapi> mapi_;
};

}  // namespace corvex
