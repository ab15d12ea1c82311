#include "NetSentinel.h"

namespace corvex {

_netsentinel::_netsentinel(_component* owner) : _sentinel(owner) {
    SetCaption("Net Sentinel");
    SetFlag(SENTINEL_USER_DEFINED, true);
}

}  // namespace corvex
