#pragma once
// Registry access with one open "current" key and typed values.
//
//   _registryerror    raised by the value operations
//   _regdatakind      the kinds of value this class tells apart
//   path helpers      absolute/relative paths and how the current path grows
//   _registry         the access object
//
// Portable: no Windows header. The registry itself is reached through a
// _registrybackend; the default constructor, which uses the Win32 registry,
// exists in the Windows tree only (Registry_Win32.cpp).

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "RegistryBackend.h"

namespace corvex {

class _registryerror : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum _regdatakind : unsigned char {
    REGISTRY_UNKNOWN = 0,
    REGISTRY_STRING = 1,
    REGISTRY_EXPANDSTRING = 2,
    REGISTRY_INTEGER = 3,
    REGISTRY_BINARY = 4,
};

_regdatakind RegistryKindOfType(std::uint32_t type) noexcept;
std::uint32_t RegistryTypeOfKind(_regdatakind kind) noexcept;

// A path that starts with a backslash is absolute (relative to the root).
bool IsAbsoluteRegistryPath(const std::string& path) noexcept;
// The form a backend takes: no leading, trailing or doubled backslashes.
std::string NormalRegistryPath(const std::string& path);
// The current path (relative to the root, in normal form) after opening
// `given` when `keyWasOpen` at `currentPath`: an absolute path without its
// backslash, a relative one appended to the open key's path, or as it
// stands without an open key.
std::string ComposeRegistryPath(const std::string& currentPath, const std::string& given,
                                bool keyWasOpen);

class _registry {
public:
    // The Win32 registry (Windows tree only).
    _registry();
    explicit _registry(_registrybackend& backend);
    ~_registry();

    _registry(const _registry&) = delete;
    _registry& operator=(const _registry&) = delete;

    // ---- attributes
    _registrybackend& Backend() const noexcept { return *backend_; }
    _regkey RootKey() const noexcept { return root_; }
    _regkey CurrentKey() const noexcept { return current_.get(); }
    const std::string& CurrentPath() const noexcept { return currentPath_; }
    bool CloseRoot() const noexcept { return closeRoot_; }
    bool LazyWrite() const noexcept { return lazyWrite_; }
    void SetLazyWrite(bool lazy) noexcept { lazyWrite_ = lazy; }
    std::uint32_t Access() const noexcept { return access_; }
    void SetAccess(std::uint32_t access) noexcept { access_ = access; }

    // ---- keys
    // A predefined root; a different one closes the current key (and a
    // root this object owned).
    void SetRootKey(_regkey hive);
    // A key opened elsewhere becomes the root, owned: it is closed when it
    // is replaced or this object goes.
    void SetRootKey(_regkeyholder owned);

    bool OpenKey(const std::string& path, bool create, std::uint32_t access);
    void CloseKey();
    bool KeyExists(const std::string& path);
    bool GetKeyNames(std::vector<std::string>& names);
    // Deletes the key and everything below it, last sub-key first. An empty
    // path (the base key itself) is refused.
    bool DeleteKey(const std::string& path);

    // ---- values of the current key
    bool ValueExists(const std::string& name);
    // The value's size in bytes, -1 when it does not exist.
    int GetDataSize(const std::string& name);
    _regdatakind GetDataKind(const std::string& name);
    bool DeleteValue(const std::string& name);

    // REG_SZ or REG_EXPAND_SZ (not expanded), cut at the first zero; an
    // absent or empty value gives "".
    std::string ReadString(const std::string& name);
    void WriteString(const std::string& name, const std::string& text);
    int ReadInteger(const std::string& name);
    void WriteInteger(const std::string& name, int value);
    bool ReadBool(const std::string& name);
    void WriteBool(const std::string& name, bool value);
    // REG_BINARY, or a value of no kind of its own, when it fits `size`
    // bytes; returns the bytes copied. Never writes past `size`.
    int ReadBinaryData(const std::string& name, void* buffer, int size);
    void WriteBinaryData(const std::string& name, const void* buffer, int size);

private:
    // Where `path` is relative to: the root, or the current key.
    _regkey BaseKey(bool absolute) const noexcept;
    // The whole value; false when it cannot be read.
    bool QueryData(const std::string& name, std::uint32_t& type, std::vector<std::uint8_t>& data);
    std::vector<std::uint8_t> GetData(const std::string& name, std::uint32_t& type);
    void PutData(const std::string& name, std::uint32_t type, const std::uint8_t* data,
                 std::uint32_t size);
    bool DeleteTree(_regkey parent, const std::string& path);
    void CloseRootKey() noexcept;

    _registrybackend* backend_;
    _regkey root_ = REGISTRY_CURRENT_USER;
    _regkeyholder current_;
    std::string currentPath_;
    bool closeRoot_ = false;
    bool lazyWrite_ = true;
    std::uint32_t access_ = REGISTRY_ALL_ACCESS;
};

}  // namespace corvex
