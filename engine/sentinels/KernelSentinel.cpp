#include "KernelSentinel.h"

namespace corvex {

_kernelsentinel::_kernelsentinel(_component* owner) : _sentinel(owner) {
    SetCaption("Kernel Sentinel");
}

}  // namespace corvex
