#pragma once
// What the notification-area tests share: a shell that records every call
// and can refuse a modify, and the process-wide log written to a file the
// test can read back.

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Debug_Zolt2.h"
#include "TrayShell.h"
#include "support/Processes.h"

namespace corvex::test {

struct ShellCall {
    DWORD message;
    HWND window;
    HICON icon;
    std::string tip;
};

class RecordingShell {
public:
    _shellnotify Function() {
        return [this](DWORD message, _traynotifydata& data) {
            // The fixed part must be right on every call, whatever it is.
            EXPECT_EQ(data.cbSize, NOTIFYICONDATAA_V1_SIZE);  // 88 bytes in a 32-bit process
            EXPECT_EQ(data.uID, 0u);
            EXPECT_EQ(data.uFlags, 7u);
            EXPECT_EQ(data.uCallbackMessage, 1025u);
            EXPECT_NE(data.hWnd, nullptr);
            calls.push_back({message, data.hWnd, data.hIcon, data.szTip});
            if (message == NIM_MODIFY && refuseModify > 0) {
                --refuseModify;
                return false;
            }
            if (message == NIM_ADD && refuseAdd > 0) {
                --refuseAdd;
                return false;
            }
            return true;
        };
    }
    int Count(DWORD message) const {
        int n = 0;
        for (const ShellCall& call : calls) n += call.message == message;
        return n;
    }
    std::vector<DWORD> Messages() const {
        std::vector<DWORD> out;
        for (const ShellCall& call : calls) out.push_back(call.message);
        return out;
    }
    const ShellCall& Last() const { return calls.back(); }

    std::vector<ShellCall> calls;
    int refuseModify = 0;
    int refuseAdd = 0;
};

// Starts the process-wide log into a file for the life of the object.
class LogFile {
public:
    LogFile() {
        _debug* log = Debugger();
        if (!log) return;
        log->SetApp("tray-tests");
        log->SetConsole(true);  // the test's own standard error; no new console
        log->SetLogging(true);
        log->SetLogFileName(folder_ / "tray.log");
        log->SetLevel(100);
        log->SetDebugging(true);
    }
    ~LogFile() {
        if (_debug* log = Debugger()) {
            log->SetDebugging(false);
            log->SetLogging(false);
            log->SetConsole(false);
            log->SetApp("unknown");
            log->SetLogFileName("DEBUG.log");
        }
    }
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    std::string Text() const {
        std::ifstream in(folder_ / "tray.log", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    int Occurrences(const std::string& line) const {
        const std::string text = Text();
        int n = 0;
        for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
        return n;
    }

private:
    TempFolder folder_{"tray-test"};
};

// The colour part of an icon, read back, and whether its mask is opaque.
struct IconParts {
    std::vector<std::uint32_t> colour;  // 16 x 16, 0x00RRGGBB as the bits hold them
    bool maskOpaque = false;
    int width = 0;
    int height = 0;
};

inline IconParts ReadIcon(HICON icon) {
    IconParts parts;
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return parts;
    HDC screen = GetDC(nullptr);
    BITMAP colourInfo{};
    GetObjectA(info.hbmColor, sizeof colourInfo, &colourInfo);
    parts.width = colourInfo.bmWidth;
    parts.height = colourInfo.bmHeight;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = 16;
    header.bmiHeader.biHeight = -16;  // top-down
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    parts.colour.assign(256, 0);
    GetDIBits(screen, info.hbmColor, 0, 16, parts.colour.data(), &header, DIB_RGB_COLORS);
    std::vector<std::uint32_t> mask(256, 0xFFFFFFFFu);
    GetDIBits(screen, info.hbmMask, 0, 16, mask.data(), &header, DIB_RGB_COLORS);
    parts.maskOpaque = true;
    for (std::uint32_t m : mask) parts.maskOpaque = parts.maskOpaque && (m & 0xFFFFFFu) == 0;
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return parts;
}

// 0x00RRGGBB bits as the stored $00BBGGRR form.
inline _color FromBits(std::uint32_t bits) {
    return MakeColor((bits >> 16) & 0xFF, (bits >> 8) & 0xFF, bits & 0xFF);
}

}  // namespace corvex::test
