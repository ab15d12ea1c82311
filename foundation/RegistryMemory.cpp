#include "RegistryMemory.h"

#include <algorithm>
#include <cstring>

namespace corvex {

namespace {

char Lower(char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) noexcept {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool NameBefore(const std::string& a, const std::string& b) noexcept {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

// The key names of a path; empty elements (doubled or outer backslashes)
// are skipped.
std::vector<std::string> Split(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(std::move(part));
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty()) parts.push_back(std::move(part));
    return parts;
}

constexpr std::uint32_t kChangeRights = REGISTRY_SET_VALUE | REGISTRY_CREATE_SUB_KEY;

}  // namespace

struct _memoryregistry::Node : std::enable_shared_from_this<Node> {
    struct Value {
        std::string name;
        std::uint32_t type = REGISTRY_TYPE_NONE;
        std::vector<std::uint8_t> data;
        Source source;
    };

    std::string name;
    Node* parent = nullptr;
    std::vector<std::shared_ptr<Node>> children;  // kept in NameBefore order
    std::vector<Value> values;                    // in the order first written
    bool deleted = false;
    bool denyOpen = false;
    bool readOnly = false;
    bool refuseWrites = false;

    Node* Child(const std::string& childName) const {
        for (const auto& child : children)
            if (SameName(child->name, childName)) return child.get();
        return nullptr;
    }
    Node& AddChild(const std::string& childName) {
        auto child = std::make_shared<Node>();
        child->name = childName;
        child->parent = this;
        const auto at = std::find_if(children.begin(), children.end(),
                                     [&](const auto& c) { return NameBefore(childName, c->name); });
        return **children.insert(at, std::move(child));
    }
    Value* Find(const std::string& valueName) {
        for (Value& v : values)
            if (SameName(v.name, valueName)) return &v;
        return nullptr;
    }
    Value& Assign(const std::string& valueName) {
        if (Value* v = Find(valueName)) return *v;
        values.push_back(Value{valueName, REGISTRY_TYPE_NONE, {}, {}});
        return values.back();
    }
};

_memoryregistry::_memoryregistry() {
    for (_regkey root = REGISTRY_CLASSES_ROOT; root <= REGISTRY_DYN_DATA; ++root)
        roots_[root] = std::make_shared<Node>();
}

_memoryregistry::~_memoryregistry() = default;

_memoryregistry::Node* _memoryregistry::Resolve(_regkey key, std::uint32_t needed,
                                                _regstatus& status) const {
    status = REGISTRY_SUCCESS;
    if (const auto root = roots_.find(key); root != roots_.end()) return root->second.get();
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) {
        status = REGISTRY_INVALID_HANDLE;
        return nullptr;
    }
    if (handle->second.node->deleted) {
        status = REGISTRY_KEY_DELETED;
        return nullptr;
    }
    if ((handle->second.access & needed) != needed) {
        status = REGISTRY_ACCESS_DENIED;
        return nullptr;
    }
    return handle->second.node.get();
}

_memoryregistry::Node* _memoryregistry::Walk(Node& from, const std::string& path) const {
    Node* node = &from;
    for (const std::string& part : Split(path)) {
        node = node->Child(part);
        if (!node) return nullptr;
    }
    return node;
}

_memoryregistry::Node& _memoryregistry::Make(_regkey root, const std::string& path) {
    Node* node = roots_.at(root).get();
    for (const std::string& part : Split(path)) {
        Node* child = node->Child(part);
        node = child ? child : &node->AddChild(part);
    }
    return *node;
}

// ---- _registrybackend

_regstatus _memoryregistry::OpenKey(_regkey parent, const std::string& path, bool create,
                                    std::uint32_t access, _regkey& opened) {
    lastAccess_ = access;
    _regstatus status;
    Node* node = Resolve(parent, 0, status);
    if (!node) return status;
    const bool parentMayCreate =
        roots_.count(parent) || (handles_.at(parent).access & REGISTRY_CREATE_SUB_KEY);
    for (const std::string& part : Split(path)) {
        if (node->denyOpen) return REGISTRY_ACCESS_DENIED;
        Node* child = node->Child(part);
        if (!child) {
            if (!create) return REGISTRY_FILE_NOT_FOUND;
            if (!parentMayCreate || node->readOnly) return REGISTRY_ACCESS_DENIED;
            child = &node->AddChild(part);
        }
        node = child;
    }
    if (node->denyOpen) return REGISTRY_ACCESS_DENIED;
    if (node->readOnly && (access & kChangeRights)) return REGISTRY_ACCESS_DENIED;

    opened = nextHandle_;
    nextHandle_ += 4;
    handles_[opened] = Handle{node->shared_from_this(), access};
    return REGISTRY_SUCCESS;
}

_regstatus _memoryregistry::CloseKey(_regkey key) {
    if (roots_.count(key)) return REGISTRY_SUCCESS;
    return handles_.erase(key) ? REGISTRY_SUCCESS : REGISTRY_INVALID_HANDLE;
}

_regstatus _memoryregistry::FlushKey(_regkey key) {
    _regstatus status;
    if (!Resolve(key, 0, status)) return status;
    ++flushes_;
    return REGISTRY_SUCCESS;
}

_regstatus _memoryregistry::QueryValue(_regkey key, const std::string& name, std::uint32_t* type,
                                       std::uint8_t* data, std::uint32_t* size) {
    _regstatus status;
    Node* node = Resolve(key, REGISTRY_QUERY_VALUE, status);
    if (!node) return status;
    const Node::Value* value = node->Find(name);
    if (!value) return REGISTRY_FILE_NOT_FOUND;
    if (data && !size) return REGISTRY_INVALID_PARAMETER;
    const std::vector<std::uint8_t> bytes = value->source ? value->source() : value->data;
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    if (type) *type = value->type;
    if (data) {
        if (*size < needed) {
            *size = needed;
            return REGISTRY_MORE_DATA;
        }
        if (needed) std::memcpy(data, bytes.data(), needed);
    }
    if (size) *size = needed;
    return REGISTRY_SUCCESS;
}

_regstatus _memoryregistry::SetValue(_regkey key, const std::string& name, std::uint32_t type,
                                     const std::uint8_t* data, std::uint32_t size) {
    _regstatus status;
    Node* node = Resolve(key, REGISTRY_SET_VALUE, status);
    if (!node) return status;
    if (node->refuseWrites || node->readOnly) return REGISTRY_ACCESS_DENIED;
    if (size && !data) return REGISTRY_INVALID_PARAMETER;
    Node::Value& value = node->Assign(name);
    value.type = type;
    value.data.assign(data, data + size);
    value.source = nullptr;
    return REGISTRY_SUCCESS;
}

_regstatus _memoryregistry::DeleteValue(_regkey key, const std::string& name) {
    _regstatus status;
    Node* node = Resolve(key, REGISTRY_SET_VALUE, status);
    if (!node) return status;
    if (node->refuseWrites || node->readOnly) return REGISTRY_ACCESS_DENIED;
    const auto it = std::find_if(node->values.begin(), node->values.end(),
                                 [&](const Node::Value& v) { return SameName(v.name, name); });
    if (it == node->values.end()) return REGISTRY_FILE_NOT_FOUND;
    node->values.erase(it);
    return REGISTRY_SUCCESS;
}

_regstatus _memoryregistry::EnumKey(_regkey key, std::uint32_t index, std::string& name) {
    _regstatus status;
    Node* node = Resolve(key, REGISTRY_ENUMERATE_SUB_KEYS, status);
    if (!node) return status;
    if (index >= node->children.size()) return REGISTRY_NO_MORE_ITEMS;
    name = node->children[index]->name;
    return REGISTRY_SUCCESS;
}

_regstatus _memoryregistry::QueryInfoKey(_regkey key, _regkeyinfo& info) {
    _regstatus status;
    Node* node = Resolve(key, REGISTRY_QUERY_VALUE, status);
    if (!node) return status;
    info = _regkeyinfo{};
    info.subKeys = static_cast<std::uint32_t>(node->children.size());
    info.values = static_cast<std::uint32_t>(node->values.size());
    for (const auto& child : node->children)
        info.maxSubKeyLength =
            std::max(info.maxSubKeyLength, static_cast<std::uint32_t>(child->name.size()));
    for (const Node::Value& value : node->values) {
        info.maxValueNameLength =
            std::max(info.maxValueNameLength, static_cast<std::uint32_t>(value.name.size()));
        const std::size_t size = value.source ? value.source().size() : value.data.size();
        info.maxValueLength = std::max(info.maxValueLength, static_cast<std::uint32_t>(size));
    }
    return REGISTRY_SUCCESS;
}

_regstatus _memoryregistry::DeleteKey(_regkey parent, const std::string& path) {
    _regstatus status;
    Node* base = Resolve(parent, 0, status);
    if (!base) return status;
    if (Split(path).empty()) return REGISTRY_INVALID_PARAMETER;
    Node* node = Walk(*base, path);
    if (!node) return REGISTRY_FILE_NOT_FOUND;
    if (!node->children.empty() || node->denyOpen || node->readOnly || !node->parent)
        return REGISTRY_ACCESS_DENIED;
    auto& siblings = node->parent->children;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [node](const auto& c) { return c.get() == node; });
    (*it)->deleted = true;
    siblings.erase(it);
    return REGISTRY_SUCCESS;
}

// ---- content

void _memoryregistry::Put(_regkey root, const std::string& path, const std::string& name,
                          std::uint32_t type, std::vector<std::uint8_t> data) {
    Node::Value& value = Make(root, path).Assign(name);
    value.type = type;
    value.data = std::move(data);
    value.source = nullptr;
}

void _memoryregistry::PutString(_regkey root, const std::string& path, const std::string& name,
                                const std::string& text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    Put(root, path, name, REGISTRY_TYPE_SZ, std::move(data));
}

void _memoryregistry::PutInteger(_regkey root, const std::string& path, const std::string& name,
                                 std::uint32_t value) {
    std::vector<std::uint8_t> data(sizeof value);
    std::memcpy(data.data(), &value, sizeof value);
    Put(root, path, name, REGISTRY_TYPE_DWORD, std::move(data));
}

void _memoryregistry::PutSource(_regkey root, const std::string& path, const std::string& name,
                                std::uint32_t type, Source source) {
    Node::Value& value = Make(root, path).Assign(name);
    value.type = type;
    value.data.clear();
    value.source = std::move(source);
}

void _memoryregistry::AddKey(_regkey root, const std::string& path) {
    Make(root, path);
}

bool _memoryregistry::HasKey(_regkey root, const std::string& path) const {
    const auto it = roots_.find(root);
    return it != roots_.end() && Walk(*it->second, path) != nullptr;
}

bool _memoryregistry::Get(_regkey root, const std::string& path, const std::string& name,
                          std::uint32_t& type, std::vector<std::uint8_t>& data) const {
    const auto it = roots_.find(root);
    Node* node = it == roots_.end() ? nullptr : Walk(*it->second, path);
    const Node::Value* value = node ? node->Find(name) : nullptr;
    if (!value) return false;
    type = value->type;
    data = value->source ? value->source() : value->data;
    return true;
}

void _memoryregistry::DenyOpen(_regkey root, const std::string& path) {
    Make(root, path).denyOpen = true;
}

void _memoryregistry::MakeReadOnly(_regkey root, const std::string& path) {
    Make(root, path).readOnly = true;
}

void _memoryregistry::RefuseWrites(_regkey root, const std::string& path) {
    Make(root, path).refuseWrites = true;
}

}  // namespace corvex
