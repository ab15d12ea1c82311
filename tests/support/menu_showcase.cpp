// Starts the engine (motor32.dex beside this program), right-clicks its
// CPU band so that the popup menu opens with that Sentinel's item on top,
// holds it open for the given number of seconds (default 5) for a look,
// then closes the menu and the engine. With a file name, writes that file
// once the menu is open; further arguments go to the engine. Exits 0 when
// the engine ended by itself.
//
//   menu_showcase [seconds] [ready-file] [engine arguments]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct _barsearch {
    DWORD process;
    HWND bar;
};

BOOL CALLBACK FindBar(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<_barsearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char title[16] = {};
    GetWindowTextA(window, title, sizeof title);
    if (process != search.process || !IsWindowVisible(window) || std::string(title) != "Corvex") return TRUE;
    search.bar = window;
    return FALSE;
}

// The bar's bands, top to bottom, in screen coordinates.
std::vector<RECT> Bands(HWND bar) {
    std::vector<RECT> bands;
    for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        if (IsWindowVisible(child) && GetWindowRect(child, &r) && r.bottom > r.top) bands.push_back(r);
    }
    std::sort(bands.begin(), bands.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });
    return bands;
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full = path;
    return full.substr(0, full.find_last_of('\\'));
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::string ready = argc > 2 ? argv[2] : "";

    const std::string folder = ProgramFolder();
    std::string line = "\"" + folder + "\\motor32.dex\"";
    for (int i = 3; i < argc; ++i) line += std::string(" ") + argv[i];
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION engine{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &engine)) {
        std::printf("menu_showcase: motor32.dex did not start (%lu)\n", GetLastError());
        return 1;
    }
    CloseHandle(engine.hThread);

    // The bar shows once the engine has launched every Sentinel.
    _barsearch search{engine.dwProcessId, nullptr};
    std::vector<RECT> bands;
    for (int i = 0; i < 400 && bands.size() < 2; ++i) {
        if (!search.bar) EnumWindows(&FindBar, reinterpret_cast<LPARAM>(&search));
        if (search.bar) bands = Bands(search.bar);
        Sleep(50);
    }
    bool menu = false;
    if (!bands.empty()) {
        // The CPU Sentinel is the second band in the engine's first order;
        // the point is over its first processor's graph readout.
        const RECT band = bands.size() > 1 ? bands[1] : bands[0];
        const int x = band.left + (band.right - band.left) / 4, y = (band.top + band.bottom) / 2;
        PostMessageA(search.bar, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(x, y));
        // The default handling of the button going down waits for it to
        // come up again, as it would with a real mouse.
        POINT client{x, y};
        ScreenToClient(search.bar, &client);
        PostMessageA(search.bar, WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        Sleep(1000);
        menu = true;
        if (!ready.empty())
            if (FILE* file = std::fopen(ready.c_str(), "w")) std::fclose(file);
        Sleep(static_cast<DWORD>(seconds) * 1000);
        // The menu belongs to the engine's hidden application window, which
        // ends it on WM_CANCELMODE; Esc ends it too.
        if (const HWND owner = GetWindow(search.bar, GW_OWNER)) SendMessageTimeoutA(owner, WM_CANCELMODE, 0, 0,
                                                                                      SMTO_ABORTIFHUNG, 2000, nullptr);
        PostMessageA(search.bar, WM_KEYDOWN, VK_ESCAPE, 1);
        Sleep(200);
    }
    if (search.bar) PostMessageA(search.bar, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(engine.hProcess, 15000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(engine.hProcess, 1);
    CloseHandle(engine.hProcess);
    std::printf("menu_showcase: %s, engine %s\n", menu ? "menu shown" : "no bar", ended ? "ended" : "terminated");
    return menu && ended ? 0 : 1;
}
