#pragma once
// The registry as the rest of the program sees it: one small interface with
// the calls _registry and the data readers need, implemented by the real
// Win32 registry (Registry_Win32.h) and by an in-memory registry
// (RegistryMemory.h) that tests, and content the host lacks, are served from.
//
//   _regkey            an opaque key handle; 0 is no key
//   REGISTRY_* values  the predefined roots, value types, access rights and
//                      status codes, with the numbers Windows uses
//   _regkeyinfo        what QueryInfoKey reports
//   _registrybackend   the interface
//   _regkeyholder      owns one opened key and closes it through its backend
//
// Portable: no Windows header. The constants carry the Windows numbers so
// that the Win32 backend passes them through unchanged; their own names
// avoid the Windows header macros (HKEY_CURRENT_USER, REG_SZ, KEY_READ ...).

#include <cstdint>
#include <string>
#include <utility>

namespace corvex {

using _regkey = std::uintptr_t;
// A Win32 error code: 0 is success.
using _regstatus = long;

// ---- predefined roots
inline constexpr _regkey REGISTRY_CLASSES_ROOT = 0x80000000u;
inline constexpr _regkey REGISTRY_CURRENT_USER = 0x80000001u;
inline constexpr _regkey REGISTRY_LOCAL_MACHINE = 0x80000002u;
inline constexpr _regkey REGISTRY_USERS = 0x80000003u;
inline constexpr _regkey REGISTRY_PERFORMANCE_DATA = 0x80000004u;
inline constexpr _regkey REGISTRY_CURRENT_CONFIG = 0x80000005u;
inline constexpr _regkey REGISTRY_DYN_DATA = 0x80000006u;

inline constexpr bool IsPredefinedRegistryKey(_regkey key) noexcept {
    return key >= REGISTRY_CLASSES_ROOT && key <= REGISTRY_DYN_DATA;
}

// ---- value types
inline constexpr std::uint32_t REGISTRY_TYPE_NONE = 0;
inline constexpr std::uint32_t REGISTRY_TYPE_SZ = 1;
inline constexpr std::uint32_t REGISTRY_TYPE_EXPAND_SZ = 2;
inline constexpr std::uint32_t REGISTRY_TYPE_BINARY = 3;
inline constexpr std::uint32_t REGISTRY_TYPE_DWORD = 4;
inline constexpr std::uint32_t REGISTRY_TYPE_MULTI_SZ = 7;

// ---- access rights
inline constexpr std::uint32_t REGISTRY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t REGISTRY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t REGISTRY_CREATE_SUB_KEY = 0x0004;
inline constexpr std::uint32_t REGISTRY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr std::uint32_t REGISTRY_NOTIFY = 0x0010;
inline constexpr std::uint32_t REGISTRY_READ = 0x20019;
inline constexpr std::uint32_t REGISTRY_WRITE = 0x20006;
inline constexpr std::uint32_t REGISTRY_READ_WRITE = REGISTRY_READ | REGISTRY_WRITE;  // 0x2001F
inline constexpr std::uint32_t REGISTRY_ALL_ACCESS = 0xF003F;

// ---- status codes
inline constexpr _regstatus REGISTRY_SUCCESS = 0;
inline constexpr _regstatus REGISTRY_FILE_NOT_FOUND = 2;
inline constexpr _regstatus REGISTRY_ACCESS_DENIED = 5;
inline constexpr _regstatus REGISTRY_INVALID_HANDLE = 6;
inline constexpr _regstatus REGISTRY_INVALID_PARAMETER = 87;
inline constexpr _regstatus REGISTRY_MORE_DATA = 234;
inline constexpr _regstatus REGISTRY_NO_MORE_ITEMS = 259;
inline constexpr _regstatus REGISTRY_KEY_DELETED = 1018;

struct _regkeyinfo {
    std::uint32_t subKeys = 0;
    std::uint32_t values = 0;
    std::uint32_t maxSubKeyLength = 0;  // characters, without the zero
    std::uint32_t maxValueNameLength = 0;
    std::uint32_t maxValueLength = 0;   // bytes
};

// Paths given to a backend are relative to `parent`, backslash-separated,
// without leading, trailing or doubled backslashes ("" is `parent` itself).
// Names are compared without regard to case, as Windows does.
class _registrybackend {
public:
    virtual ~_registrybackend() = default;

    // Opens `path` below `parent` with `access`; with `create`, every missing
    // key on the way is created. On success `opened` must be closed.
    virtual _regstatus OpenKey(_regkey parent, const std::string& path, bool create,
                               std::uint32_t access, _regkey& opened) = 0;
    // Closing a predefined root is allowed and does nothing harmful.
    virtual _regstatus CloseKey(_regkey key) = 0;
    virtual _regstatus FlushKey(_regkey key) = 0;

    // The contract of RegQueryValueEx: `type`, `data` and `size` may each
    // be null; with `data`, `*size` is the buffer's size on entry. A buffer
    // too small gives REGISTRY_MORE_DATA and the size needed in `*size`,
    // and nothing is written to it. On success `*size` is the value's size.
    virtual _regstatus QueryValue(_regkey key, const std::string& name, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* size) = 0;
    virtual _regstatus SetValue(_regkey key, const std::string& name, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) = 0;
    virtual _regstatus DeleteValue(_regkey key, const std::string& name) = 0;

    // The name of sub-key `index` of `key`; REGISTRY_NO_MORE_ITEMS past the last.
    virtual _regstatus EnumKey(_regkey key, std::uint32_t index, std::string& name) = 0;
    virtual _regstatus QueryInfoKey(_regkey key, _regkeyinfo& info) = 0;
    // Deletes `path` below `parent`; the key must have no sub-keys.
    virtual _regstatus DeleteKey(_regkey parent, const std::string& path) = 0;
};

// Owns one key opened through a backend. Predefined roots are never owned.
class _regkeyholder {
public:
    _regkeyholder() noexcept = default;
    _regkeyholder(_registrybackend& backend, _regkey key) noexcept
        : backend_(&backend), key_(key) {}
    ~_regkeyholder() { reset(); }

    _regkeyholder(const _regkeyholder&) = delete;
    _regkeyholder& operator=(const _regkeyholder&) = delete;
    _regkeyholder(_regkeyholder&& other) noexcept
        : backend_(other.backend_), key_(std::exchange(other.key_, 0)) {}
    _regkeyholder& operator=(_regkeyholder&& other) noexcept {
        if (this != &other) {
            reset();
            backend_ = other.backend_;
            key_ = std::exchange(other.key_, 0);
        }
        return *this;
    }

    _regkey get() const noexcept { return key_; }
    explicit operator bool() const noexcept { return key_ != 0; }
    _registrybackend* backend() const noexcept { return backend_; }

    _regkey release() noexcept { return std::exchange(key_, 0); }
    void reset() noexcept {
        const _regkey old = std::exchange(key_, 0);
        if (old && backend_ && !IsPredefinedRegistryKey(old)) backend_->CloseKey(old);
    }

private:
    _registrybackend* backend_ = nullptr;
    _regkey key_ = 0;
};

}  // namespace corvex
