#pragma once
// _syssentinel: clock, up-time, platform, screen, host, user, keyboard
// language, power source, new mail and the command box.
//
// Windows tree only.

#include "Corvex_Sentinels.h"

namespace corvex {

class _syssentinel : public _sentinel {
public:
    explicit _syssentinel(_component* owner);
};

}  // namespace corvex
