#include "LanSentinel.h"

namespace corvex {

_lansentinel::_lansentinel(_component* owner) : _sentinel(owner) {
    SetCaption("LAN Sentinel");
}

_rassentinel::_rassentinel(_component* owner) : _lansentinel(owner) {
    SetCaption("RAS Sentinel");
}

}  // namespace corvex
