// release_probe run|start <folder>: starts <folder>\corvex32.exe as the
// Start-menu entry does, waits for the bar and checks that it belongs to
// that folder's motor32.dex, running on common controls 6; "run" then
// closes it with WM_CLOSE and waits for the engine to end, "start" leaves
// it running. Exits 0 when all held, else prints what did not.

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>

namespace {

BOOL CALLBACK FindBar(HWND window, LPARAM found) {
    char title[16] = {};
    GetWindowTextA(window, title, sizeof title);
    if (!IsWindowVisible(window) || std::string(title) != "Corvex") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The lower-cased path of module `name` in process `pid`.
std::string ModulePath(DWORD pid, const char* name) {
    char path[MAX_PATH] = {};
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(snapshot, &entry); more && !path[0]; more = Module32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szModule, name) == 0) lstrcpynA(path, entry.szExePath, MAX_PATH);
    CloseHandle(snapshot);
    return CharLowerA(path);
}

int Fail(const std::string& what) {
    std::printf("release_probe: %s\n", what.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Fail("usage: release_probe run|start <folder>");
    const std::string folder = argv[2];
    std::string line = "\"" + folder + "\\corvex32.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION launcher{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, folder.c_str(),
                        &startup, &launcher))
        return Fail("cannot start " + line);
    CloseHandle(launcher.hThread);
    CloseHandle(launcher.hProcess);

    HWND bar = nullptr;
    for (int i = 0; i < 300 && !bar; ++i, Sleep(100)) EnumWindows(&FindBar, reinterpret_cast<LPARAM>(&bar));
    if (!bar) return Fail("no bar captioned \"Corvex\" after 30 s");
    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    std::string engine = folder + "\\motor32.dex";
    if (ModulePath(pid, "motor32.dex") != CharLowerA(&engine[0])) return Fail("the bar is not of " + engine);
    // Version 6 is a side-by-side assembly, loaded from a folder that names it.
    const std::string controls = ModulePath(pid, "comctl32.dll");
    if (controls.find("\\winsxs\\x86_microsoft.windows.common-controls_6595b64144ccf1df_6.") == std::string::npos)
        return Fail("the engine's common controls are " + controls);
    if (std::string(argv[1]) == "start") return 0;

    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(bar, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? 0 : Fail("the engine did not end after WM_CLOSE");
}
