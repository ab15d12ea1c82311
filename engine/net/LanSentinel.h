#pragma once
// The throughput of the network interfaces and of the dial-up link.
//
//   _lansentinel  network interfaces
//   _rassentinel  the dial-up link
//
// Windows tree only.

#include "Corvex_Sentinels.h"

namespace corvex {

class _lansentinel : public _sentinel {
public:
    explicit _lansentinel(_component* owner);
};

class _rassentinel : public _lansentinel {
public:
    explicit _rassentinel(_component* owner);
};

}  // namespace corvex
