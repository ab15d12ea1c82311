#include "FsrSentinel.h"

namespace corvex {

_fsrsentinel::_fsrsentinel(_component* owner) : _sentinel(owner) {
    SetCaption("FSR Sentinel");
}

}  // namespace corvex
