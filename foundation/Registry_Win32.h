#pragma once
// _win32registry: the registry backend over the real Win32 registry
// (RegOpenKeyExA, RegCreateKeyExA, RegQueryValueExA ...). It keeps no state:
// the keys it opens are owned by whoever holds them (_regkeyholder).
//
// Windows tree only.

#include "RegistryBackend.h"

namespace corvex {

class _win32registry final : public _registrybackend {
public:
    _regstatus OpenKey(_regkey parent, const std::string& path, bool create, std::uint32_t access,
                       _regkey& opened) override;
    _regstatus CloseKey(_regkey key) override;
    _regstatus FlushKey(_regkey key) override;
    _regstatus QueryValue(_regkey key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) override;
    _regstatus SetValue(_regkey key, const std::string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) override;
    _regstatus DeleteValue(_regkey key, const std::string& name) override;
    _regstatus EnumKey(_regkey key, std::uint32_t index, std::string& name) override;
    _regstatus QueryInfoKey(_regkey key, _regkeyinfo& info) override;
    _regstatus DeleteKey(_regkey parent, const std::string& path) override;
};

// The one Win32 backend of the process; it has no state of its own.
_registrybackend& Win32Registry() noexcept;

}  // namespace corvex
