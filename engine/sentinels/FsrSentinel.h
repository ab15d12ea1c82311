#pragma once
// _fsrsentinel: the free system resources of Windows 95/98/ME.
//
// Windows tree only.

#include "Corvex_Sentinels.h"

namespace corvex {

class _fsrsentinel : public _sentinel {
public:
    explicit _fsrsentinel(_component* owner);
};

}  // namespace corvex
