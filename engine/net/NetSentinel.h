#pragma once
// _netsentinel: round-trip times of ICMP echoes to hosts of the user's
// choice, one Speeder per host.
//
// Windows tree only.

#include "Corvex_Sentinels.h"

namespace corvex {

class _netsentinel : public _sentinel {
public:
    explicit _netsentinel(_component* owner);
};

}  // namespace corvex
