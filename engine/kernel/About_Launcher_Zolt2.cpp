#include "About_Launcher_Zolt2.h"

#include <cstring>

#include "System_Zolt2.h"

namespace corvex {

ModuleHandle LoadCompanionLibrary(const std::string& name) {
    const bool withFolder = name.find_first_of("\\/:") != std::string::npos;
    const std::string path = withFolder ? name : ProgramFolder() + name;
    // Its own dependencies are looked for beside it too.
    return ModuleHandle(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

void ShowWizardError(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "About Wizard Error", MB_OK | MB_ICONERROR);
}

namespace {

// A length-prefixed string of up to 255 characters.
struct _shortstring {
    unsigned char length = 0;
    char text[255] = {};
    explicit _shortstring(const std::string& from) {
        length = static_cast<unsigned char>(from.size() < 255 ? from.size() : 255);
        std::memcpy(text, from.data(), length);
    }
};

using _aboutentry = void(__stdcall*)(const _shortstring* app, const _shortstring* version, int build,
                                     const _shortstring* compiled, HICON icon, const char* info);

std::string TimeText(std::time_t when) {
    SYSTEMTIME time{};
    std::tm local{};
    if (const std::tm* parts = std::localtime(&when)) local = *parts;
    time.wYear = static_cast<WORD>(local.tm_year + 1900);
    time.wMonth = static_cast<WORD>(local.tm_mon + 1);
    time.wDay = static_cast<WORD>(local.tm_mday);
    time.wHour = static_cast<WORD>(local.tm_hour);
    time.wMinute = static_cast<WORD>(local.tm_min);
    time.wSecond = static_cast<WORD>(local.tm_sec);
    char date[128] = {}, clock[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof clock);
    return (std::string(date) + " " + clock).substr(0, 255);
}

}  // namespace

_about::_about(_component* owner) : _component(owner), compiled_(std::time(nullptr)), notice_(&ShowWizardError) {}

void _about::SetCompiled(std::time_t value) {
    if (value != compiled_) compiled_ = std::time(nullptr);
}

void _about::SetNotice(_aboutnotice notice) { notice_ = notice ? std::move(notice) : &ShowWizardError; }

_result _about::Execute() {
    const ModuleHandle library = LoadCompanionLibrary(dllName_);
    if (!library) {
        lastError_ = GetLastError();
        notice_(dllName_ + " not found or open failure");
        return _ERROR;
    }
    const auto entry = reinterpret_cast<_aboutentry>(reinterpret_cast<void*>(GetProcAddress(library.get(), "KERNEL_Go")));
    if (!entry) {
        lastError_ = GetLastError();
        notice_(dllName_ + ": function not thunked");
        return _ERROR;
    }
    std::string lines;
    for (std::size_t i = 0; i < info_.size(); ++i) lines += (i ? "\r\n" : "") + info_[i];
    const _shortstring app(appName_), version(version_), compiled(TimeText(compiled_));
    entry(&app, &version, build_, &compiled, icon_, lines.c_str());
    return _OK;
}

}  // namespace corvex
