#include "FsrStates.h"

namespace corvex {

const char* FsrErrorText(_fsrerror error) noexcept {
    switch (error) {
        case FSR_NOT_SUPPORTED: return "not supported (only Win95,98,ME";
        case FSR_NO_KERNEL32: return "failed to mount Kernel32.dll";
        case FSR_NO_QT_THUNK: return "failed to mount QT_Thunk in Kernel32.dll";
        case FSR_NO_USER16: return "failed to load User.exe (16-bits)";
        case FSR_NO_PROCEDURE: return "ASSERT: unknown error";
        case FSR_GENERAL: return "general error";
        case FSR_NONE:
        default: return "";
    }
}

}  // namespace corvex
