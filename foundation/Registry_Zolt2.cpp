#include "Registry_Zolt2.h"

#include <algorithm>
#include <cstring>

namespace corvex {

namespace {

[[noreturn]] void ReadError(const std::string& name) {
    throw _registryerror("Invalid data type for '" + name + "'");
}
[[noreturn]] void GetDataError(const std::string& name) {
    throw _registryerror("Failed to get data for '" + name + "'");
}
[[noreturn]] void SetDataError(const std::string& name) {
    throw _registryerror("Failed to set data for '" + name + "'");
}

// A value may grow between asking its size and reading it; a few rounds
// settle that, and a value that keeps growing counts as unreadable.
constexpr int kQueryRounds = 4;

}  // namespace

_regdatakind RegistryKindOfType(std::uint32_t type) noexcept {
    switch (type) {
        case REGISTRY_TYPE_SZ: return REGISTRY_STRING;
        case REGISTRY_TYPE_EXPAND_SZ: return REGISTRY_EXPANDSTRING;
        case REGISTRY_TYPE_DWORD: return REGISTRY_INTEGER;
        case REGISTRY_TYPE_BINARY: return REGISTRY_BINARY;
        default: return REGISTRY_UNKNOWN;
    }
}

std::uint32_t RegistryTypeOfKind(_regdatakind kind) noexcept {
    switch (kind) {
        case REGISTRY_STRING: return REGISTRY_TYPE_SZ;
        case REGISTRY_EXPANDSTRING: return REGISTRY_TYPE_EXPAND_SZ;
        case REGISTRY_INTEGER: return REGISTRY_TYPE_DWORD;
        case REGISTRY_BINARY: return REGISTRY_TYPE_BINARY;
        case REGISTRY_UNKNOWN: break;
    }
    return REGISTRY_TYPE_NONE;
}

bool IsAbsoluteRegistryPath(const std::string& path) noexcept {
    return !path.empty() && path[0] == '\\';
}

std::string NormalRegistryPath(const std::string& path) {
    std::string normal;
    normal.reserve(path.size());
    for (char c : path) {
        if (c == '\\' && (normal.empty() || normal.back() == '\\')) continue;
        normal.push_back(c);
    }
    if (!normal.empty() && normal.back() == '\\') normal.pop_back();
    return normal;
}

std::string ComposeRegistryPath(const std::string& currentPath, const std::string& given,
                                bool keyWasOpen) {
    if (IsAbsoluteRegistryPath(given) || !keyWasOpen) return NormalRegistryPath(given);
    return NormalRegistryPath(currentPath + "\\" + given);
}

// ---------------------------------------------------------------------------

_registry::_registry(_registrybackend& backend) : backend_(&backend) {}

_registry::~_registry() {
    CloseKey();
    CloseRootKey();
}

void _registry::CloseRootKey() noexcept {
    if (!closeRoot_) return;
    backend_->CloseKey(root_);
    closeRoot_ = false;
}

void _registry::SetRootKey(_regkey hive) {
    if (hive == root_) return;
    CloseRootKey();
    root_ = hive;
    CloseKey();
}

void _registry::SetRootKey(_regkeyholder owned) {
    if (!owned || owned.get() == root_) return;
    CloseRootKey();
    root_ = owned.release();
    closeRoot_ = !IsPredefinedRegistryKey(root_);
    CloseKey();
}

_regkey _registry::BaseKey(bool absolute) const noexcept {
    return (current_ && !absolute) ? current_.get() : root_;
}

bool _registry::OpenKey(const std::string& path, bool create, std::uint32_t access) {
    access_ = access;
    const bool absolute = IsAbsoluteRegistryPath(path);
    const std::string relative = NormalRegistryPath(path);
    _regkey opened = 0;
    const _regstatus status = backend_->OpenKey(BaseKey(absolute), relative,
                                                create && !relative.empty(), access_, opened);
    if (status != REGISTRY_SUCCESS) return false;
    std::string newPath = ComposeRegistryPath(currentPath_, path, static_cast<bool>(current_));
    CloseKey();
    current_ = _regkeyholder(*backend_, opened);
    currentPath_ = std::move(newPath);
    return true;
}

void _registry::CloseKey() {
    if (!current_) return;
    // Without lazy writing the key is flushed to disk first; it is closed
    // either way, so that no handle is left behind.
    if (!lazyWrite_) backend_->FlushKey(current_.get());
    current_.reset();
    currentPath_.clear();
}

bool _registry::KeyExists(const std::string& path) {
    const bool absolute = IsAbsoluteRegistryPath(path);
    _regkey opened = 0;
    if (backend_->OpenKey(BaseKey(absolute), NormalRegistryPath(path), false, REGISTRY_READ,
                          opened) != REGISTRY_SUCCESS)
        return false;
    _regkeyholder holder(*backend_, opened);
    return true;
}

bool _registry::GetKeyNames(std::vector<std::string>& names) {
    names.clear();
    if (!current_) return false;
    for (std::uint32_t index = 0;; ++index) {
        std::string name;
        const _regstatus status = backend_->EnumKey(current_.get(), index, name);
        if (status == REGISTRY_NO_MORE_ITEMS) return true;
        if (status != REGISTRY_SUCCESS) return false;
        names.push_back(std::move(name));
    }
}

bool _registry::DeleteKey(const std::string& path) {
    const bool absolute = IsAbsoluteRegistryPath(path);
    const std::string relative = NormalRegistryPath(path);
    if (relative.empty()) return false;
    return DeleteTree(BaseKey(absolute), relative);
}

bool _registry::DeleteTree(_regkey parent, const std::string& path) {
    _regkey opened = 0;
    if (backend_->OpenKey(parent, path, false, access_, opened) != REGISTRY_SUCCESS) return false;
    {
        _regkeyholder key(*backend_, opened);
        _regkeyinfo info;
        if (backend_->QueryInfoKey(key.get(), info) == REGISTRY_SUCCESS) {
            // Last first: deleting sub-key i leaves the indices below i valid.
            for (std::uint32_t i = info.subKeys; i-- > 0;) {
                std::string name;
                if (backend_->EnumKey(key.get(), i, name) == REGISTRY_SUCCESS && !name.empty())
                    DeleteTree(key.get(), name);
            }
        }
    }
    return backend_->DeleteKey(parent, path) == REGISTRY_SUCCESS;
}

// ---- values

bool _registry::QueryData(const std::string& name, std::uint32_t& type,
                          std::vector<std::uint8_t>& data) {
    if (!current_) return false;
    std::uint32_t size = 0;
    if (backend_->QueryValue(current_.get(), name, &type, nullptr, &size) != REGISTRY_SUCCESS)
        return false;
    for (int round = 0; round < kQueryRounds; ++round) {
        data.assign(size, 0);
        std::uint32_t got = size;
        const _regstatus status =
            backend_->QueryValue(current_.get(), name, &type, data.data(), &got);
        if (status == REGISTRY_SUCCESS) {
            data.resize(std::min(got, size));
            return true;
        }
        if (status != REGISTRY_MORE_DATA || got <= size) return false;
        size = got;
    }
    return false;
}

std::vector<std::uint8_t> _registry::GetData(const std::string& name, std::uint32_t& type) {
    std::vector<std::uint8_t> data;
    if (!QueryData(name, type, data)) GetDataError(name);
    return data;
}

void _registry::PutData(const std::string& name, std::uint32_t type, const std::uint8_t* data,
                        std::uint32_t size) {
    if (!current_ ||
        backend_->SetValue(current_.get(), name, type, data, size) != REGISTRY_SUCCESS)
        SetDataError(name);
}

bool _registry::ValueExists(const std::string& name) {
    return GetDataSize(name) >= 0;
}

int _registry::GetDataSize(const std::string& name) {
    if (!current_) return -1;
    std::uint32_t size = 0;
    if (backend_->QueryValue(current_.get(), name, nullptr, nullptr, &size) != REGISTRY_SUCCESS)
        return -1;
    return static_cast<int>(std::min<std::uint32_t>(size, 0x7FFFFFFF));
}

_regdatakind _registry::GetDataKind(const std::string& name) {
    std::uint32_t type = REGISTRY_TYPE_NONE;
    if (!current_ ||
        backend_->QueryValue(current_.get(), name, &type, nullptr, nullptr) != REGISTRY_SUCCESS)
        return REGISTRY_UNKNOWN;
    return RegistryKindOfType(type);
}

bool _registry::DeleteValue(const std::string& name) {
    return current_ && backend_->DeleteValue(current_.get(), name) == REGISTRY_SUCCESS;
}

std::string _registry::ReadString(const std::string& name) {
    if (GetDataSize(name) <= 0) return std::string();
    std::uint32_t type = REGISTRY_TYPE_NONE;
    const std::vector<std::uint8_t> data = GetData(name, type);
    const _regdatakind kind = RegistryKindOfType(type);
    if (kind != REGISTRY_STRING && kind != REGISTRY_EXPANDSTRING) ReadError(name);
    // Stored text need not end in a zero (or may be of odd length): take
    // what lies before the first zero within the bytes actually returned.
    const auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
    return std::string(data.begin(), end);
}

void _registry::WriteString(const std::string& name, const std::string& text) {
    PutData(name, REGISTRY_TYPE_SZ, reinterpret_cast<const std::uint8_t*>(text.c_str()),
            static_cast<std::uint32_t>(text.size() + 1));
}

int _registry::ReadInteger(const std::string& name) {
    std::uint32_t type = REGISTRY_TYPE_NONE;
    const std::vector<std::uint8_t> data = GetData(name, type);
    if (RegistryKindOfType(type) != REGISTRY_INTEGER || data.size() != sizeof(std::uint32_t))
        ReadError(name);
    std::uint32_t value = 0;
    std::memcpy(&value, data.data(), sizeof value);
    return static_cast<int>(value);
}

void _registry::WriteInteger(const std::string& name, int value) {
    const auto stored = static_cast<std::uint32_t>(value);
    std::uint8_t bytes[sizeof stored];
    std::memcpy(bytes, &stored, sizeof stored);
    PutData(name, REGISTRY_TYPE_DWORD, bytes, sizeof bytes);
}

bool _registry::ReadBool(const std::string& name) {
    return ReadInteger(name) != 0;
}

void _registry::WriteBool(const std::string& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

int _registry::ReadBinaryData(const std::string& name, void* buffer, int size) {
    std::uint32_t type = REGISTRY_TYPE_NONE;
    const std::vector<std::uint8_t> data = GetData(name, type);
    const _regdatakind kind = RegistryKindOfType(type);
    if ((kind != REGISTRY_BINARY && kind != REGISTRY_UNKNOWN) || size < 0 ||
        data.size() > static_cast<std::size_t>(size))
        ReadError(name);
    if (!data.empty()) std::memcpy(buffer, data.data(), data.size());
    return static_cast<int>(data.size());
}

void _registry::WriteBinaryData(const std::string& name, const void* buffer, int size) {
    if (size < 0 || (size > 0 && !buffer)) SetDataError(name);
    PutData(name, REGISTRY_TYPE_BINARY, static_cast<const std::uint8_t*>(buffer),
            static_cast<std::uint32_t>(size));
}

}  // namespace corvex
