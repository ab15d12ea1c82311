// Opens the about box the way the engine does (the name "corvex", version
// "0.5.3 build:1", build 1, the program's icon) or the processor panel, for
// a look, and closes it after the given number of seconds (default 6).
// With a file name, writes that file once the window is shown.
//
//   companion_showcase about|cpu [seconds] [ready-file]

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "About_Launcher_Zolt2.h"
#include "CPU_Wizard_Launcher_Zolt2.h"
#include "PanelIds.h"
#include "WinHandle.h"

using namespace corvex;

namespace {

HWND WaitForOwnWindow(const char* windowClass) {
    for (int i = 0; i < 500; ++i) {
        const HWND window = FindWindowA(windowClass, nullptr);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (window && process == GetCurrentProcessId() && IsWindowVisible(window)) return window;
        Sleep(20);
    }
    return nullptr;
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full = path;
    return full.substr(0, full.find_last_of('\\') + 1);
}

}  // namespace

int main(int argc, char** argv) {
    const bool about = argc < 2 || std::string(argv[1]) != "cpu";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 6;
    const std::string ready = argc > 3 ? argv[3] : "";
    const char* const windowClass = about ? INFOPANE_CLASS : CPUPANEL_CLASS;

    bool shown = false;
    std::thread closer([&] {
        const HWND panel = WaitForOwnWindow(windowClass);
        if (!panel) return;
        shown = true;
        if (!ready.empty())
            if (FILE* file = std::fopen(ready.c_str(), "w")) std::fclose(file);
        Sleep(static_cast<DWORD>(seconds) * 1000);
        PostMessageA(panel, WM_CLOSE, 0, 0);
    });

    // A missing library is printed rather than shown in a box nobody closes.
    const _aboutnotice print = [](const std::string& text) { std::printf("%s\n", text.c_str()); };
    _result result = _OK;
    if (about) {
        // The engine's icon when its file has one, the system's otherwise.
        const std::string engine = ProgramFolder() + "motor32.dex";
        HICON extracted = ExtractIconA(GetModuleHandleA(nullptr), engine.c_str(), 0);
        if (extracted == reinterpret_cast<HICON>(1)) extracted = nullptr;  // "not an executable file"
        const _iconhandle owned(extracted);
        _component owner;
        _about& box = owner.Make<_about>();
        box.SetNotice(print);
        box.SetAppName("corvex");
        box.SetVersion("0.5.3 build:1");
        box.SetBuild(1);
        box.SetIcon(owned ? owned.get() : LoadIconA(nullptr, IDI_APPLICATION));
        result = box.Execute();
    } else {
        result = LaunchCpuInfo(print);
    }
    closer.join();
    std::printf("%s: %s\n", windowClass, result == _OK && shown ? "shown and closed" : "not shown");
    return result == _OK && shown ? 0 : 1;
}
