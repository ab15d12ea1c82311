#include "Error_Zolt2.h"

#include <windows.h>

namespace corvex {

_result ErrorBox(const std::string& text, const std::string& application) {
    MessageBoxA(nullptr, text.c_str(), (application + ": error").c_str(), MB_ICONERROR | MB_OK);
    return _OK;
}

_result QuestionBox(const std::string& text, const std::string& application,
                    unsigned buttons) {
    return ResultOfButton(MessageBoxA(nullptr, text.c_str(),
                                      (application + ": question").c_str(),
                                      MB_ICONQUESTION | buttons));
}

_result ResultOfButton(int id) noexcept {
    switch (id) {
    case IDOK: return _OK;
    case IDCANCEL: return _CANCEL;
    case IDABORT: return _ABORT;
    case IDYES: return _YES;
    case IDNO: return _NO;
    default: return _ERROR;
    }
}

std::string LastErrorText() {
    const DWORD code = GetLastError();
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (buffer) {
        text.assign(buffer, length);
        LocalFree(buffer);
    }
    // The system ends its texts with a line break; log lines add their own.
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

}  // namespace corvex
