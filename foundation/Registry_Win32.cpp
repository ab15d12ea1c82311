#include "Registry_Win32.h"

#include <windows.h>

#include "Registry_Zolt2.h"

namespace corvex {

// The portable constants must be the Windows numbers, passed through as they are.
static_assert(REGISTRY_TYPE_SZ == REG_SZ && REGISTRY_TYPE_EXPAND_SZ == REG_EXPAND_SZ &&
              REGISTRY_TYPE_BINARY == REG_BINARY && REGISTRY_TYPE_DWORD == REG_DWORD &&
              REGISTRY_TYPE_NONE == REG_NONE && REGISTRY_TYPE_MULTI_SZ == REG_MULTI_SZ);
static_assert(REGISTRY_READ == KEY_READ && REGISTRY_WRITE == KEY_WRITE &&
              REGISTRY_ALL_ACCESS == KEY_ALL_ACCESS && REGISTRY_QUERY_VALUE == KEY_QUERY_VALUE &&
              REGISTRY_SET_VALUE == KEY_SET_VALUE && REGISTRY_CREATE_SUB_KEY == KEY_CREATE_SUB_KEY &&
              REGISTRY_ENUMERATE_SUB_KEYS == KEY_ENUMERATE_SUB_KEYS);
static_assert(REGISTRY_SUCCESS == ERROR_SUCCESS && REGISTRY_FILE_NOT_FOUND == ERROR_FILE_NOT_FOUND &&
              REGISTRY_ACCESS_DENIED == ERROR_ACCESS_DENIED &&
              REGISTRY_MORE_DATA == ERROR_MORE_DATA && REGISTRY_NO_MORE_ITEMS == ERROR_NO_MORE_ITEMS &&
              REGISTRY_KEY_DELETED == ERROR_KEY_DELETED);
static_assert(sizeof(_regkey) == sizeof(HKEY));

namespace {

HKEY Win32Key(_regkey key) noexcept {
    // The predefined roots are sign-extended 32-bit numbers on every Windows.
    if (IsPredefinedRegistryKey(key))
        return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(key)));
    return reinterpret_cast<HKEY>(key);
}

}  // namespace

_regstatus _win32registry::OpenKey(_regkey parent, const std::string& path, bool create,
                                   std::uint32_t access, _regkey& opened) {
    HKEY key = nullptr;
    LONG status;
    if (create) {
        DWORD disposition = 0;
        status = RegCreateKeyExA(Win32Key(parent), path.c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, access, nullptr, &key, &disposition);
    } else {
        status = RegOpenKeyExA(Win32Key(parent), path.c_str(), 0, access, &key);
    }
    if (status == ERROR_SUCCESS) opened = reinterpret_cast<_regkey>(key);
    return status;
}

_regstatus _win32registry::CloseKey(_regkey key) {
    return RegCloseKey(Win32Key(key));
}

_regstatus _win32registry::FlushKey(_regkey key) {
    return RegFlushKey(Win32Key(key));
}

_regstatus _win32registry::QueryValue(_regkey key, const std::string& name, std::uint32_t* type,
                                      std::uint8_t* data, std::uint32_t* size) {
    DWORD winType = 0;
    DWORD winSize = size ? *size : 0;
    const LONG status = RegQueryValueExA(Win32Key(key), name.c_str(), nullptr, type ? &winType : nullptr,
                                         data, size ? &winSize : nullptr);
    if (type && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)) *type = winType;
    if (size && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)) *size = winSize;
    return status;
}

_regstatus _win32registry::SetValue(_regkey key, const std::string& name, std::uint32_t type,
                                    const std::uint8_t* data, std::uint32_t size) {
    return RegSetValueExA(Win32Key(key), name.c_str(), 0, type, data, size);
}

_regstatus _win32registry::DeleteValue(_regkey key, const std::string& name) {
    return RegDeleteValueA(Win32Key(key), name.c_str());
}

_regstatus _win32registry::EnumKey(_regkey key, std::uint32_t index, std::string& name) {
    char buffer[256];  // a key name has at most 255 characters
    DWORD length = sizeof buffer;
    const LONG status =
        RegEnumKeyExA(Win32Key(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS) name.assign(buffer, length);
    return status;
}

_regstatus _win32registry::QueryInfoKey(_regkey key, _regkeyinfo& info) {
    DWORD subKeys = 0, maxSubKey = 0, values = 0, maxValueName = 0, maxValue = 0;
    const LONG status = RegQueryInfoKeyA(Win32Key(key), nullptr, nullptr, nullptr, &subKeys,
                                         &maxSubKey, nullptr, &values, &maxValueName, &maxValue,
                                         nullptr, nullptr);
    if (status == ERROR_SUCCESS) {
        info.subKeys = subKeys;
        info.values = values;
        info.maxSubKeyLength = maxSubKey;
        info.maxValueNameLength = maxValueName;
        info.maxValueLength = maxValue;
    }
    return status;
}

_regstatus _win32registry::DeleteKey(_regkey parent, const std::string& path) {
    // Never the base key itself: RegDeleteKey with an empty path would
    // delete the key the caller holds.
    if (path.empty()) return ERROR_INVALID_PARAMETER;
    return RegDeleteKeyA(Win32Key(parent), path.c_str());
}

_registrybackend& Win32Registry() noexcept {
    static _win32registry registry;
    return registry;
}

_registry::_registry() : _registry(Win32Registry()) {}

}  // namespace corvex
