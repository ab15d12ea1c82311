#pragma once
// The eleven built-in Sentinels: their roles, in plugging order (the
// index "-unplug=" names), and how each is made.
//
//   _sentinelrole     a built-in Sentinel's role, also its plugging index
//   _builtinsentinel  its class name and ignition text, and its maker
//   BuiltinSentinel   the entry of a role
//
// Windows tree only.

#include "StartupOptions.h"

namespace corvex {

class _sentinel;
class TPULSE;

enum _sentinelrole : int {
    SENTINEL_ROLE_DRIVES = 0,
    SENTINEL_ROLE_CPU = 1,
    SENTINEL_ROLE_MEMORY = 2,
    SENTINEL_ROLE_FSR = 3,
    SENTINEL_ROLE_AUDIO = 4,
    SENTINEL_ROLE_SYSTEM = 5,
    SENTINEL_ROLE_NET = 6,
    SENTINEL_ROLE_KERNEL = 7,
    SENTINEL_ROLE_LAN = 8,
    SENTINEL_ROLE_MAIL = 9,
    SENTINEL_ROLE_RAS = 10,
};
static_assert(SENTINEL_ROLE_RAS + 1 == SENTINEL_BUILTIN_COUNT, "one role per built-in Sentinel");

struct _builtinsentinel {
    const char* className;
    const char* ignition;
    // Makes the Sentinel, owned by and parented to the bar.
    _sentinel& (*make)(TPULSE& bar);
};

const _builtinsentinel& BuiltinSentinel(_sentinelrole role) noexcept;

}  // namespace corvex
