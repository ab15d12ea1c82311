#include "System_Zolt2.h"

#include <winsock2.h>
#include <windows.h>

#include <cstdlib>

#include "Handle.h"

namespace corvex {

namespace {

bool QueryVersion(_osversion& version) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return false;
    version.platform = info.dwPlatformId;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    version.servicePack = info.szCSDVersion;
    return true;
}

_versionsource& CurrentSource() {
    static _versionsource source = QueryVersion;
    return source;
}


// Keeps Windows Sockets started for one scope.
class WinsockSession {
public:
    WinsockSession() { started_ = WSAStartup(MAKEWORD(1, 1), &data_) == 0; }
    ~WinsockSession() {
        if (started_) WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    bool Started() const noexcept { return started_; }

private:
    WSADATA data_{};
    bool started_ = false;
};

}  // namespace

_versionsource SetVersionSource(_versionsource source) {
    _versionsource previous = CurrentSource();
    CurrentSource() = source ? source : QueryVersion;
    return previous;
}

_winrelease WindowsRelease() {
    _osversion version;
    if (!CurrentSource()(version)) return RELEASE_UNKNOWN;
    return ReleaseOf(version);
}

std::string SystemDescription() {
    _osversion version;
    if (!CurrentSource()(version)) return UnknownSystem();
    return DescribeSystem(version);
}

void MemoryStatus(double& available, double& total) {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    available = static_cast<double>(status.dwAvailPhys);
    total = static_cast<double>(status.dwTotalPhys);
}

std::string UserName() {
    char name[256] = {};
    DWORD size = 255;
    if (!GetUserNameA(name, &size)) return {};
    return name;
}

std::string ComputerName() {
    char name[256] = {};
    DWORD size = 255;
    if (!GetComputerNameA(name, &size)) return {};
    return name;
}

std::string HostAddress() {
    WinsockSession winsock;
    if (!winsock.Started()) return {};
    char host[65] = {};
    if (gethostname(host, 64) != 0) return {};
    const hostent* entry = gethostbyname(host);
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list) return {};
    std::string address;
    for (char** a = entry->h_addr_list; *a; ++a) {
        in_addr in;
        CopyMemory(&in, *a, sizeof in);
        address = inet_ntoa(in);
    }
    return address;
}

void DisplayDepth(int& bits, int& refresh) {
    bits = refresh = 0;
    const _windowdc dc(GetDesktopWindow());
    if (!dc) return;
    bits = GetDeviceCaps(dc.Handle(), BITSPIXEL) * GetDeviceCaps(dc.Handle(), PLANES);
    refresh = GetDeviceCaps(dc.Handle(), VREFRESH);
}

std::string ProgramPath() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : MAX_PATH);
}

std::string ProgramFolder() {
    const std::string path = ProgramPath();
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> args;
    args.push_back(ProgramPath());
    for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
    return args;
}

int RunProgram(const std::string& commandLine) {
    // CreateProcessA may write into the command line, so it gets a copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    // Nobody waits for the engine: its handles go at once.
    const KernelHandle thread(process.hThread), owned(process.hProcess);
    return 0;
}

}  // namespace corvex
