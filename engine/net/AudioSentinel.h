#pragma once
// _audiosentinel: master and wave volume, shown and set by the user.
//
// Windows tree only.

#include "Corvex_Sentinels.h"

namespace corvex {

class _audiosentinel : public _sentinel {
public:
    explicit _audiosentinel(_component* owner);
    // Lets go of the mixer before Windows ends the session.
    virtual _result ReleaseMixer() { return _OK; }
};

}  // namespace corvex
