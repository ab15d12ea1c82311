#pragma once
// _drivessentinel: the free space of every drive, one Speeder each.
//
// Windows tree only.

#include "Corvex_Sentinels.h"

namespace corvex {

class _drivessentinel : public _sentinel {
public:
    explicit _drivessentinel(_component* owner);
};

}  // namespace corvex
