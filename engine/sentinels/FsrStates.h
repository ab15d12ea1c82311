#pragma once
// The states of the free-system-resources reader of Windows 95/98/ME and
// their texts, in the order its set-up can fail.
//
// Portable: no Windows header.

#include <cstdint>

namespace corvex {

enum _fsrerror : unsigned char {
    FSR_NOT_SUPPORTED = 0,  // the NT family: no 16-bit USER to ask
    FSR_NO_KERNEL32 = 1,
    FSR_NO_QT_THUNK = 2,
    FSR_NO_USER16 = 3,      // user.exe could not be loaded
    FSR_NO_PROCEDURE = 4,   // user.exe has no GetFreeSystemResources
    FSR_NONE = 5,           // alive
    FSR_GENERAL = 6,
};

// Which resource GetFreeSystemResources reports (its 16-bit argument).
constexpr std::uint16_t GFSR_GDIRESOURCES = 1;
constexpr std::uint16_t GFSR_USERRESOURCES = 2;

// The text of a state; empty for FSR_NONE and for values outside the table.
const char* FsrErrorText(_fsrerror error) noexcept;

}  // namespace corvex
