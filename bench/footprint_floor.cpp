// footprint_floor: the least an honest window program of the engine's
// shape costs under Wine, measured by bench/footprint.sh beside the engine
// and GKrellM. A small borderless window on top whose 1 Hz timer changes a
// short text (the seconds since start) and repaints it, until it is closed.
// It sits in the screen's bottom left corner, clear of the engine's bar.
//
// It deliberately uses nothing of Corvex, only the system's own calls: what
// it costs is what the prefix, the wine server and the display charge any
// such program, the floor under the engine's own figures.
//
//   footprint_floor.exe

#include <windows.h>

#include <cstdio>

namespace {

constexpr UINT_PTR kTimer = 1;
constexpr int kWidth = 120;
constexpr int kHeight = 20;

struct Floor {
    unsigned seconds = 0;
    char text[32] = "0 s";
    int length = 3;
};

LRESULT OnPaint(HWND window, const Floor& floor) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 255, 0));
    TextOutA(dc, 4, 2, floor.text, floor.length);
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnTimer(HWND window, Floor& floor) {
    ++floor.seconds;
    floor.length = std::snprintf(floor.text, sizeof floor.text, "%u s", floor.seconds);
    InvalidateRect(window, nullptr, FALSE);
    return 0;
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* floor = reinterpret_cast<Floor*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams));
        return DefWindowProcA(window, message, wparam, lparam);
    case WM_PAINT: return floor ? OnPaint(window, *floor) : DefWindowProcA(window, message, wparam, lparam);
    case WM_TIMER: return floor ? OnTimer(window, *floor) : 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA type{};
    type.lpfnWndProc = FloorProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    type.lpszClassName = "CorvexFootprintFloor";
    if (!RegisterClassA(&type)) return 1;
    Floor floor;
    const HWND window =
        CreateWindowExA(WS_EX_TOOLWINDOW, type.lpszClassName, "floor", WS_POPUP, 0,
                        GetSystemMetrics(SM_CYSCREEN) - kHeight, kWidth, kHeight, nullptr, nullptr, instance, &floor);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    if (!SetTimer(window, kTimer, 1000, nullptr)) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
