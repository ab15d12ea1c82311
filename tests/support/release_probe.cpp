// release_probe: the release test's hands inside Wine. Starts
// <folder>\corvex32.exe as the Start-menu entry does (working folder
// <folder>), waits for the bar, checks that it belongs to that folder's
// motor32.dex and that the engine runs on common controls 6, then closes
// it with WM_CLOSE and waits for the engine to end ("run"), or leaves it
// running ("start"). Exits 0 when all held; otherwise prints what did not.
//
//   release_probe run|start <folder>

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>

namespace {

struct _barsearch {
    HWND bar = nullptr;
};

BOOL CALLBACK FindBar(HWND window, LPARAM param) {
    char title[16] = {};
    GetWindowTextA(window, title, sizeof title);
    if (!IsWindowVisible(window) || std::string(title) != "Corvex") return TRUE;
    reinterpret_cast<_barsearch*>(param)->bar = window;
    return FALSE;
}

// The module `name` of process `pid` ("" when it has none loaded).
std::string ModulePath(DWORD pid, const char* name) {
    std::string path;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(snapshot, &entry); more && path.empty(); more = Module32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szModule, name) == 0) path = entry.szExePath;
    CloseHandle(snapshot);
    return path;
}

// Version 6 of the common controls is a side-by-side assembly: Windows and
// Wine load it from the assembly's folder, which names its version.
bool IsCommonControls6(std::string path) {
    CharLowerA(&path[0]);
    return path.find("\\winsxs\\") != std::string::npos &&
           path.find("microsoft.windows.common-controls_6595b64144ccf1df_6.") != std::string::npos;
}

int Fail(const std::string& what) {
    std::printf("release_probe: %s\n", what.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Fail("usage: release_probe run|start <folder>");
    const std::string mode = argv[1], folder = argv[2];
    std::string line = "\"" + folder + "\\corvex32.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION launcher{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, folder.c_str(),
                        &startup, &launcher))
        return Fail("cannot start " + line);
    WaitForSingleObject(launcher.hProcess, 20000);
    CloseHandle(launcher.hThread);
    CloseHandle(launcher.hProcess);

    _barsearch search;
    for (int i = 0; i < 300 && !search.bar; ++i, Sleep(100)) EnumWindows(&FindBar, reinterpret_cast<LPARAM>(&search));
    if (!search.bar) return Fail("no bar captioned \"Corvex\" after 30 s");
    DWORD pid = 0;
    GetWindowThreadProcessId(search.bar, &pid);
    const std::string engine = ModulePath(pid, "motor32.dex");
    if (lstrcmpiA(engine.c_str(), (folder + "\\motor32.dex").c_str()) != 0) return Fail("the bar is of " + engine);
    const std::string controls = ModulePath(pid, "comctl32.dll");
    if (!IsCommonControls6(controls)) return Fail("the engine's common controls are " + controls);
    if (mode == "start") return 0;

    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(search.bar, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? 0 : Fail("the engine did not end after WM_CLOSE");
}
