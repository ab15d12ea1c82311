#pragma once
// Direct Win32 registry calls for tests: they set up and check what the
// code under test reads and writes, without going through that code.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvex::test {

inline bool RawKeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Deletes `path` and everything below it; true when it is gone.
inline bool RawDeleteTree(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return !RawKeyExists(root, path);
    std::vector<std::string> children;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        children.emplace_back(name, length);
    }
    RegCloseKey(key);
    for (const std::string& child : children) RawDeleteTree(root, path + "\\" + child);
    RegDeleteKeyA(root, path.c_str());
    return !RawKeyExists(root, path);
}

inline bool RawSet(HKEY root, const std::string& path, const std::string& name, DWORD type,
                   const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
                    ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

inline bool RawSetDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
    return RawSet(root, path, name, REG_DWORD, &value, sizeof value);
}

inline bool RawGet(HKEY root, const std::string& path, const std::string& name, DWORD& type,
                   std::vector<std::uint8_t>& data) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    bool ok = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        data.assign(size, 0);
        ok = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
        data.resize(size);
    }
    RegCloseKey(key);
    return ok;
}

// The DWORD `name`, or `fallback` when it is absent or of another type.
inline long RawDword(HKEY root, const std::string& path, const std::string& name, long fallback) {
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    if (!RawGet(root, path, name, type, data) || type != REG_DWORD || data.size() != 4) return fallback;
    return static_cast<long>(data[0] | data[1] << 8 | data[2] << 16 | static_cast<DWORD>(data[3]) << 24);
}

}  // namespace corvex::test
