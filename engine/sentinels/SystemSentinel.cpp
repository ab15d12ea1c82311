#include "SystemSentinel.h"

namespace corvex {

_syssentinel::_syssentinel(_component* owner) : _sentinel(owner) {
    SetCaption("System Sentinel");
}

}  // namespace corvex
