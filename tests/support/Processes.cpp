#include "support/Processes.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace corvex::test {

namespace {

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE* Out() { Close(); return &h_; }
    HANDLE Get() const { return h_; }
    void Close() {
        if (h_ && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_ = nullptr;
};

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

std::string BinFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

TempFolder::TempFolder(const std::string& prefix) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::string(temp) + prefix + "-" + std::to_string(GetCurrentProcessId()) +
                "-" + std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

bool CopyProgram(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

ProcessResult RunCaptured(const std::string& commandLine, const std::string& folder,
                          unsigned long timeoutMs) {
    ProcessResult result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    Handle readEnd, writeEnd;
    if (!CreatePipe(readEnd.Out(), writeEnd.Out(), &inherit, 0)) return result;
    SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd.Get();
    startup.hStdError = writeEnd.Get();
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, folder.c_str(), &startup, &info))
        return result;
    result.started = true;
    Handle process(info.hProcess), thread(info.hThread);
    writeEnd.Close();  // so that the read ends when the child (and its heirs) end

    const DWORD deadline = GetTickCount() + timeoutMs;
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(readEnd.Get(), nullptr, 0, nullptr, &available, nullptr)) break;
        if (available) {
            std::string chunk(available, '\0');
            DWORD got = 0;
            if (!ReadFile(readEnd.Get(), &chunk[0], available, &got, nullptr)) break;
            result.output.append(chunk, 0, got);
            continue;
        }
        if (static_cast<LONG>(GetTickCount() - deadline) > 0) break;
        Sleep(5);
    }
    result.finished = WaitForSingleObject(process.Get(), 
        static_cast<LONG>(GetTickCount() - deadline) > 0 ? 0 : deadline - GetTickCount()) ==
        WAIT_OBJECT_0;
    if (result.finished) {
        GetExitCodeProcess(process.Get(), &result.exitCode);
    } else {
        TerminateProcess(process.Get(), 1);
    }
    return result;
}

bool WaitForFile(const std::string& path, std::string& contents, unsigned long timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::ostringstream all;
            all << in.rdbuf();
            contents = all.str();
            return true;
        }
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace corvex::test
