#pragma once
// _memoryregistry: a registry held in memory, behind the same interface as
// the Win32 one. Tests use it to set up exact content and failures; the
// program can use it to serve data the host does not provide (the
// performance data block, the dynamic statistics of the 95/98/ME family).
//
// It has the predefined roots CLASSES_ROOT .. DYN_DATA, each empty. Keys
// and values are named without regard to case; sub-keys enumerate in
// alphabetical order (case-insensitive), as Windows lists them. Access
// rights are enforced: values are read with QUERY_VALUE, written with
// SET_VALUE, sub-keys listed with ENUMERATE_SUB_KEYS and created through a
// parent opened with CREATE_SUB_KEY. Value names may hold backslashes
// ("KERNEL\CPUUsage"); key paths may not.
// Produced values are produced for every query, QueryInfoKey included.
//
// Portable: no Windows header.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "RegistryBackend.h"

namespace corvex {

class _memoryregistry final : public _registrybackend {
public:
    // Produces a value's bytes each time it is read (counters that move).
    using Source = std::function<std::vector<std::uint8_t>()>;

    _memoryregistry();
    ~_memoryregistry() override;
    _memoryregistry(const _memoryregistry&) = delete;
    _memoryregistry& operator=(const _memoryregistry&) = delete;

    // ---- _registrybackend
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

    // ---- content, addressed by a predefined root and a path below it
    // (creating the keys on the way)
    void Put(_regkey root, const std::string& path, const std::string& name, std::uint32_t type,
             std::vector<std::uint8_t> data);
    void PutString(_regkey root, const std::string& path, const std::string& name,
                   const std::string& text);
    void PutInteger(_regkey root, const std::string& path, const std::string& name,
                    std::uint32_t value);
    void PutSource(_regkey root, const std::string& path, const std::string& name,
                   std::uint32_t type, Source source);
    void AddKey(_regkey root, const std::string& path);
    bool HasKey(_regkey root, const std::string& path) const;
    // The stored bytes and type of a value; false when it is absent.
    bool Get(_regkey root, const std::string& path, const std::string& name, std::uint32_t& type,
             std::vector<std::uint8_t>& data) const;

    // ---- failures to simulate
    // Opening the key fails with REGISTRY_ACCESS_DENIED.
    void DenyOpen(_regkey root, const std::string& path);
    // Opening with any right to change it (SET_VALUE, CREATE_SUB_KEY) is denied.
    void MakeReadOnly(_regkey root, const std::string& path);
    // The key opens as asked, but every value written to it is refused.
    void RefuseWrites(_regkey root, const std::string& path);

    // ---- inspection
    std::size_t OpenHandles() const noexcept { return handles_.size(); }
    std::size_t Flushes() const noexcept { return flushes_; }
    // The access asked by the last successful or failed OpenKey.
    std::uint32_t LastAccess() const noexcept { return lastAccess_; }

private:
    struct Node;
    struct Handle {
        std::shared_ptr<Node> node;
        std::uint32_t access;
    };

    Node* Resolve(_regkey key, std::uint32_t needed, _regstatus& status) const;
    Node* Walk(Node& from, const std::string& path) const;
    Node& Make(_regkey root, const std::string& path);

    std::map<_regkey, std::shared_ptr<Node>> roots_;
    std::map<_regkey, Handle> handles_;
    _regkey nextHandle_ = 0x1000;
    std::size_t flushes_ = 0;
    std::uint32_t lastAccess_ = 0;
};

}  // namespace corvex
