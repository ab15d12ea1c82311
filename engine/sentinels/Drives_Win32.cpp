#include "Drives_Win32.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "Handle.h"
#include "WinHandle.h"

namespace corvex {

namespace {

class _win32drives final : public _drivesystem {
public:
    _win32drives() {
        if (HMODULE kernel = GetModuleHandleA("Kernel32.dll"))
            freeSpaceEx_ = reinterpret_cast<_freespaceex>(
                reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
    }

    std::uint32_t LogicalDrives() override { return GetLogicalDrives(); }

    unsigned DriveType(const std::string& root) override { return GetDriveTypeA(root.c_str()); }

    bool DiskFreeSpace(const std::string& root, _clusters& c) override {
        DWORD sectors = 0, bytes = 0, freeClusters = 0, totalClusters = 0;
        if (!GetDiskFreeSpaceA(root.c_str(), &sectors, &bytes, &freeClusters, &totalClusters)) return false;
        c.sectorsPerCluster = sectors;
        c.bytesPerSector = bytes;
        c.freeClusters = freeClusters;
        c.totalClusters = totalClusters;
        return true;
    }

    bool HasDiskFreeSpaceEx() override { return freeSpaceEx_ != nullptr; }

    bool DiskFreeSpaceEx(const std::string& root, std::uint64_t& total, std::uint64_t& totalFree) override {
        ULARGE_INTEGER caller{}, all{}, free{};
        if (!freeSpaceEx_ || !freeSpaceEx_(root.c_str(), &caller, &all, &free)) return false;
        total = all.QuadPart;
        totalFree = free.QuadPart;
        return true;
    }

    _icon SmallIcon(const std::string& path) override {
        SHFILEINFOA info{};
        if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) return _icon();
        return _icon(info.hIcon);
    }

    void NotifyMedia(const std::string& path, bool inserted) override {
        SHChangeNotify(inserted ? SHCNE_MEDIAINSERTED : SHCNE_MEDIAREMOVED, SHCNF_PATHA | SHCNF_FLUSHNOWAIT,
                       path.c_str(), nullptr);
    }

    void FailCriticalErrors() override {
        // SetErrorMode replaces the whole mode: keep what was set before.
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
        SetErrorMode(previous | SEM_FAILCRITICALERRORS);
    }

private:
    using _freespaceex = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    _freespaceex freeSpaceEx_ = nullptr;
};

// The pixels of `bitmap` as 32-bit rows, into `out` (its buffer reused).
bool ReadBitmapBits(HBITMAP bitmap, int& width, int& height, int& bitsPerPixel, std::vector<std::uint8_t>& out) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    bitsPerPixel = info.bmBitsPixel;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;  // top-down
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    out.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    const _windowdc screen;
    const int lines =
        GetDIBits(screen.Handle(), bitmap, 0, static_cast<UINT>(height), out.data(), &header, DIB_RGB_COLORS);
    return lines == height;
}

}  // namespace

_drivesystem& Win32Drives() noexcept {
    static _win32drives drives;
    return drives;
}

void ReadIconBits(HICON icon, _iconbits& bits) {
    bits.width = bits.height = bits.colorBits = 0;
    bits.color.clear();
    bits.mask.clear();
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return;
    // GetIconInfo hands over two new bitmaps.
    const _bitmaphandle color(info.hbmColor);
    const _bitmaphandle mask(info.hbmMask);
    int width = 0, height = 0, depth = 0;
    if (!ReadBitmapBits(mask.get(), width, height, depth, bits.mask)) {
        bits.mask.clear();
        return;
    }
    bits.width = width;
    bits.height = height;
    if (color) {
        int colorWidth = 0, colorHeight = 0;
        if (ReadBitmapBits(color.get(), colorWidth, colorHeight, bits.colorBits, bits.color)) {
            bits.width = colorWidth;
            bits.height = colorHeight;
        } else {
            bits.color.clear();
        }
    } else {
        // Monochrome: the mask holds the picture below the AND mask.
        bits.height = height / 2;
    }
}

}  // namespace corvex
