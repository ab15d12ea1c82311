#include "DriveSentinel.h"

namespace corvex {

_drivessentinel::_drivessentinel(_component* owner) : _sentinel(owner) {
    SetCaption("Drive Sentinel");
}

}  // namespace corvex
