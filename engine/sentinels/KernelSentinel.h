#pragma once
// _kernelsentinel: counts of the kernel's objects.
//
// Windows tree only.

#include "Corvex_Sentinels.h"

namespace corvex {

class _kernelsentinel : public _sentinel {
public:
    explicit _kernelsentinel(_component* owner);
};

}  // namespace corvex
