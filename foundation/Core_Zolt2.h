#pragma once
// Result codes shared by every own class of Corvex.

namespace corvex {

// Operations of our own classes return one of these instead of throwing.
// _ASSERT is also a function-like macro of the MinGW CRT headers (crtdbg.h);
// the enumerator is safe as long as it is never followed by "(".
enum _result : unsigned char {
    _OK = 0,
    _YES = 1,
    _NO = 2,
    _CANCEL = 3,
    _ABORT = 4,
    _ASSERT = 5,
    _ERROR = 6,
    _ERROR_NULL = 7,
    _ERROR_UNKNOWN = 8,
};

}  // namespace corvex
