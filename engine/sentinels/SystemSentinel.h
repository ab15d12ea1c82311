#pragma once
// _syssentinel: clock, up-time, platform, screen, host, user, keyboard
// language, power source, new mail and the command box.
//
//   _systemsources  where the power status and MAPI come from: the
//                   system's unless a test gives its own
//   _syssentinel    the band and its fixed Speeders
//
// Windows tree only.

#include "Corvex_Sentinels.h"
#include "MapiSpeeder.h"

namespace corvex {

class _powersource;

struct _systemsources {
    _powersource* power = nullptr;  // nullptr: the system's
    _mapiportfactory mapi;          // empty: the system's MAPI
};

class _syssentinel : public _sentinel {
public:
    explicit _syssentinel(_component* owner, _systemsources sources = {});

    // Links, in this order: "clock", "os", "scr", "host", "user", "live",
    // "mapi", "key", "exe", "power".
    _result PlugSpeeders() override;

private:
    _systemsources sources_;
};

}  // namespace corvex
