// The system's Extended MAPI behind _mapiport. "mapi32.dll" is loaded when
// the watcher starts, so the engine also runs where no mail system is
// installed: there the first step simply fails.

#include <windows.h>
#include <mapicode.h>
#include <mapidefs.h>
#include <mapitags.h>
#include <mapix.h>

#include <cstring>

#include "MAPI_Zolt2.h"

namespace corvex {

namespace {

using _mapiinitialize = HRESULT(WINAPI*)(LPVOID);
using _mapiuninitialize = void(WINAPI*)();
using _mapilogonex = HRESULT(WINAPI*)(ULONG_PTR, LPSTR, LPSTR, ULONG, LPMAPISESSION*);
using _mapiallocatebuffer = SCODE(WINAPI*)(ULONG, LPVOID*);
using _mapifreebuffer = ULONG(WINAPI*)(LPVOID);

// An entry identifier longer than this is not a real one.
constexpr ULONG kMaxEntryId = 4096;

template <class T>
T Entry(HMODULE module, const char* name, const char* decorated) {
    FARPROC p = GetProcAddress(module, name);
    if (!p) p = GetProcAddress(module, decorated);
    return reinterpret_cast<T>(reinterpret_cast<void*>(p));
}

class _win32mapi final : public _mapiport {
public:
    ~_win32mapi() override;

    HRESULT Initialize() override;
    void Uninitialize() override;
    HRESULT LogonEx(ULONG flags) override;
    void Logoff() override;
    bool Holds(_mapiobject object) const override;
    void Release(_mapiobject object) override;

    HRESULT GetMsgStoresTable() override;
    HRESULT StoresRowCount(ULONG& rows) override;
    HRESULT StoresSetColumns(ULONG tag) override;
    HRESULT StoresSeekRow(LONG row) override;
    HRESULT StoresQueryRow(_mapivalue& column) override;
    void ReleaseStoresTable() override { stores_.reset(); }

    HRESULT AllocateStoreEntryId(const _mapientryid& id) override;
    HRESULT OpenMsgStore(ULONG flags) override;
    HRESULT StoreGetProp(ULONG tag, _mapivalue& value) override;
    HRESULT StoreSetProp(ULONG tag, const _mapientryid& value) override;
    HRESULT GetReceiveFolder(const char* messageClass, _mapientryid& folder, std::string& explicitClass) override;
    HRESULT Advise(const _mapientryid& folder, ULONG events, IMAPIAdviseSink* sink, ULONG& connection) override;
    HRESULT Unadvise(ULONG connection) override;

    HRESULT OpenRootFolder(ULONG flags) override;
    HRESULT CreateRootSubfolder(const char* name) override;
    HRESULT SaveSubfolder() override;
    HRESULT SubfolderEntryId(_mapivalue& value) override;
    HRESULT GetRootHierarchyTable(ULONG flags) override;
    HRESULT HierarchyRowCount(ULONG& rows) override;

    HRESULT OpenInbox(const _mapientryid& folder, ULONG flags) override;
    HRESULT InboxCounts(_mapivalue& content, _mapivalue& unread) override;

private:
    void Free(void* buffer) const noexcept {
        if (buffer && free_) free_(buffer);
    }
    void FreeStoreEntryId() noexcept {
        Free(storeEntry_);
        storeEntry_ = nullptr;
        storeEntrySize_ = 0;
    }
    static void Copy(const SPropValue& prop, _mapivalue& value);
    // GetProps of `count` tags on `object` into `values`.
    HRESULT Props(IMAPIProp* object, const ULONG* tags, ULONG count, _mapivalue* values);

    ModuleHandle module_;
    _mapiuninitialize uninitialize_ = nullptr;
    _mapilogonex logon_ = nullptr;
    _mapiallocatebuffer allocate_ = nullptr;
    _mapifreebuffer free_ = nullptr;

    _comhandle<IMAPISession> session_;
    _comhandle<IMAPITable> stores_;
    void* storeEntry_ = nullptr;  // from MAPIAllocateBuffer
    ULONG storeEntrySize_ = 0;
    _comhandle<IMsgStore> store_;
    _comhandle<IMAPIFolder> root_;
    _comhandle<IMAPIFolder> subfolder_;
    _comhandle<IMAPITable> hierarchy_;
    _comhandle<IMAPIFolder> inbox_;
};

_win32mapi::~_win32mapi() {
    // The watcher normally let everything go already; this is the order
    // MAPI wants if it did not.
    FreeStoreEntryId();
    inbox_.reset();
    hierarchy_.reset();
    subfolder_.reset();
    root_.reset();
    store_.reset();
    stores_.reset();
    session_.reset();
}

HRESULT _win32mapi::Initialize() {
    if (!module_) module_.reset(LoadLibraryA("mapi32.dll"));
    if (!module_) return MAPI_E_NOT_INITIALIZED;
    const auto initialize = Entry<_mapiinitialize>(module_.get(), "MAPIInitialize", "MAPIInitialize@4");
    uninitialize_ = Entry<_mapiuninitialize>(module_.get(), "MAPIUninitialize", "MAPIUninitialize@0");
    logon_ = Entry<_mapilogonex>(module_.get(), "MAPILogonEx", "MAPILogonEx@20");
    allocate_ = Entry<_mapiallocatebuffer>(module_.get(), "MAPIAllocateBuffer", "MAPIAllocateBuffer@8");
    free_ = Entry<_mapifreebuffer>(module_.get(), "MAPIFreeBuffer", "MAPIFreeBuffer@4");
    if (!initialize || !uninitialize_ || !logon_ || !allocate_ || !free_) return MAPI_E_NOT_INITIALIZED;
    // No options: notifications come through this thread's message loop.
    return initialize(nullptr);
}

void _win32mapi::Uninitialize() {
    if (uninitialize_) uninitialize_();
}

HRESULT _win32mapi::LogonEx(ULONG flags) {
    LPMAPISESSION session = nullptr;
    const HRESULT hr = logon_(0, nullptr, nullptr, flags, &session);
    if (SUCCEEDED(hr)) session_.reset(session);
    return hr;
}

void _win32mapi::Logoff() {
    if (!session_) return;
    session_.get()->Logoff(0, 0, 0);
    session_.reset();
}

bool _win32mapi::Holds(_mapiobject object) const {
    switch (object) {
        case MAPI_OBJECT_SESSION: return session_.valid();
        case MAPI_OBJECT_STORE: return store_.valid();
        case MAPI_OBJECT_ROOT: return root_.valid();
        case MAPI_OBJECT_INBOX: return inbox_.valid();
    }
    return false;
}

void _win32mapi::Release(_mapiobject object) {
    switch (object) {
        case MAPI_OBJECT_SESSION: session_.reset(); break;
        case MAPI_OBJECT_STORE:
            FreeStoreEntryId();
            store_.reset();
            break;
        case MAPI_OBJECT_ROOT:
            hierarchy_.reset();
            subfolder_.reset();
            root_.reset();
            break;
        case MAPI_OBJECT_INBOX: inbox_.reset(); break;
    }
}

// ---- the message-stores table

HRESULT _win32mapi::GetMsgStoresTable() {
    if (!session_) return MAPI_E_NOT_INITIALIZED;
    LPMAPITABLE table = nullptr;
    const HRESULT hr = session_.get()->GetMsgStoresTable(0, &table);
    if (SUCCEEDED(hr)) stores_.reset(table);
    return hr;
}

HRESULT _win32mapi::StoresRowCount(ULONG& rows) {
    return stores_ ? stores_.get()->GetRowCount(0, &rows) : MAPI_E_NOT_INITIALIZED;
}

HRESULT _win32mapi::StoresSetColumns(ULONG tag) {
    if (!stores_) return MAPI_E_NOT_INITIALIZED;
    SizedSPropTagArray(1, columns) = {1, {tag}};
    return stores_.get()->SetColumns(reinterpret_cast<LPSPropTagArray>(&columns), 0);
}

HRESULT _win32mapi::StoresSeekRow(LONG row) {
    return stores_ ? stores_.get()->SeekRow(BOOKMARK_BEGINNING, row, nullptr) : MAPI_E_NOT_INITIALIZED;
}

HRESULT _win32mapi::StoresQueryRow(_mapivalue& column) {
    if (!stores_) return MAPI_E_NOT_INITIALIZED;
    column = _mapivalue{};
    LPSRowSet rows = nullptr;
    const HRESULT hr = stores_.get()->QueryRows(1, 0, &rows);
    if (SUCCEEDED(hr) && rows) {
        if (rows->cRows >= 1 && rows->aRow[0].cValues >= 1 && rows->aRow[0].lpProps)
            Copy(rows->aRow[0].lpProps[0], column);
        for (ULONG i = 0; i < rows->cRows; ++i) Free(rows->aRow[i].lpProps);
        Free(rows);
    }
    return hr;
}

// ---- the store

HRESULT _win32mapi::AllocateStoreEntryId(const _mapientryid& id) {
    FreeStoreEntryId();
    void* buffer = nullptr;
    const SCODE sc = allocate_(static_cast<ULONG>(id.size()), &buffer);
    if (FAILED(sc) || !buffer) return FAILED(sc) ? sc : MAPI_E_NOT_ENOUGH_MEMORY;
    if (!id.empty()) std::memcpy(buffer, id.data(), id.size());
    storeEntry_ = buffer;
    storeEntrySize_ = static_cast<ULONG>(id.size());
    return S_OK;
}

HRESULT _win32mapi::OpenMsgStore(ULONG flags) {
    if (!session_ || !storeEntry_) return MAPI_E_NOT_INITIALIZED;
    LPMDB store = nullptr;
    const HRESULT hr = session_.get()->OpenMsgStore(0, storeEntrySize_, static_cast<LPENTRYID>(storeEntry_), nullptr,
                                                    flags, &store);
    if (SUCCEEDED(hr)) store_.reset(store);
    FreeStoreEntryId();
    return hr;
}

HRESULT _win32mapi::StoreGetProp(ULONG tag, _mapivalue& value) {
    return store_ ? Props(store_.get(), &tag, 1, &value) : MAPI_E_NOT_INITIALIZED;
}

HRESULT _win32mapi::StoreSetProp(ULONG tag, const _mapientryid& value) {
    if (!store_) return MAPI_E_NOT_INITIALIZED;
    SPropValue prop{};
    prop.ulPropTag = tag;
    prop.Value.bin.cb = static_cast<ULONG>(value.size());
    prop.Value.bin.lpb = const_cast<LPBYTE>(value.data());
    return store_.get()->SetProps(1, &prop, nullptr);
}

HRESULT _win32mapi::GetReceiveFolder(const char* messageClass, _mapientryid& folder, std::string& explicitClass) {
    if (!store_) return MAPI_E_NOT_INITIALIZED;
    ULONG size = 0;
    LPENTRYID entry = nullptr;
    LPSTR named = nullptr;
    const HRESULT hr = store_.get()->GetReceiveFolder(const_cast<LPSTR>(messageClass), 0, &size, &entry, &named);
    folder.clear();
    explicitClass.clear();
    if (SUCCEEDED(hr)) {
        if (entry && size <= kMaxEntryId) folder.assign(reinterpret_cast<const std::uint8_t*>(entry),
                                                        reinterpret_cast<const std::uint8_t*>(entry) + size);
        if (named) explicitClass = named;
    }
    Free(entry);
    Free(named);
    return hr;
}

HRESULT _win32mapi::Advise(const _mapientryid& folder, ULONG events, IMAPIAdviseSink* sink, ULONG& connection) {
    if (!store_) return MAPI_E_NOT_INITIALIZED;
    return store_.get()->Advise(static_cast<ULONG>(folder.size()),
                                reinterpret_cast<LPENTRYID>(const_cast<std::uint8_t*>(folder.data())), events, sink,
                                &connection);
}

HRESULT _win32mapi::Unadvise(ULONG connection) {
    return store_ ? store_.get()->Unadvise(connection) : MAPI_E_NOT_INITIALIZED;
}

// ---- folders

HRESULT _win32mapi::OpenRootFolder(ULONG flags) {
    if (!store_) return MAPI_E_NOT_INITIALIZED;
    ULONG type = 0;
    LPUNKNOWN opened = nullptr;
    const HRESULT hr = store_.get()->OpenEntry(0, nullptr, nullptr, flags, &type, &opened);
    if (SUCCEEDED(hr)) root_.reset(static_cast<IMAPIFolder*>(opened));
    return hr;
}

HRESULT _win32mapi::CreateRootSubfolder(const char* name) {
    if (!root_) return MAPI_E_NOT_INITIALIZED;
    LPMAPIFOLDER folder = nullptr;
    const HRESULT hr = root_.get()->CreateFolder(FOLDER_GENERIC, const_cast<LPSTR>(name), nullptr, nullptr,
                                                 OPEN_IF_EXISTS, &folder);
    if (SUCCEEDED(hr)) subfolder_.reset(folder);
    return hr;
}

HRESULT _win32mapi::SaveSubfolder() {
    return subfolder_ ? subfolder_.get()->SaveChanges(KEEP_OPEN_READONLY) : MAPI_E_NOT_INITIALIZED;
}

HRESULT _win32mapi::SubfolderEntryId(_mapivalue& value) {
    if (!subfolder_) return MAPI_E_NOT_INITIALIZED;
    const ULONG tag = PR_ENTRYID;
    return Props(subfolder_.get(), &tag, 1, &value);
}

HRESULT _win32mapi::GetRootHierarchyTable(ULONG flags) {
    if (!root_) return MAPI_E_NOT_INITIALIZED;
    LPMAPITABLE table = nullptr;
    const HRESULT hr = root_.get()->GetHierarchyTable(flags, &table);
    if (SUCCEEDED(hr)) hierarchy_.reset(table);
    return hr;
}

HRESULT _win32mapi::HierarchyRowCount(ULONG& rows) {
    return hierarchy_ ? hierarchy_.get()->GetRowCount(0, &rows) : MAPI_E_NOT_INITIALIZED;
}

HRESULT _win32mapi::OpenInbox(const _mapientryid& folder, ULONG flags) {
    if (!store_) return MAPI_E_NOT_INITIALIZED;
    ULONG type = 0;
    LPUNKNOWN opened = nullptr;
    const HRESULT hr =
        store_.get()->OpenEntry(static_cast<ULONG>(folder.size()),
                                reinterpret_cast<LPENTRYID>(const_cast<std::uint8_t*>(folder.data())), nullptr, flags,
                                &type, &opened);
    if (SUCCEEDED(hr)) inbox_.reset(static_cast<IMAPIFolder*>(opened));
    return hr;
}

HRESULT _win32mapi::InboxCounts(_mapivalue& content, _mapivalue& unread) {
    if (!inbox_) return MAPI_E_NOT_INITIALIZED;
    const ULONG tags[] = {PR_CONTENT_COUNT, PR_CONTENT_UNREAD};
    _mapivalue values[2];
    const HRESULT hr = Props(inbox_.get(), tags, 2, values);
    content = values[0];
    unread = values[1];
    return hr;
}

// ---- properties

void _win32mapi::Copy(const SPropValue& prop, _mapivalue& value) {
    value = _mapivalue{};
    value.tag = prop.ulPropTag;
    switch (PROP_TYPE(prop.ulPropTag)) {
        case PT_LONG:
            value.present = true;
            value.number = prop.Value.l;
            break;
        case PT_BOOLEAN:
            value.present = true;
            value.number = prop.Value.b ? 1 : 0;
            break;
        case PT_BINARY:
            if (prop.Value.bin.cb > kMaxEntryId || (prop.Value.bin.cb && !prop.Value.bin.lpb)) break;
            value.present = true;
            value.binary.assign(prop.Value.bin.lpb, prop.Value.bin.lpb + prop.Value.bin.cb);
            break;
        default:  // PT_ERROR and kinds the watcher never asks for
            break;
    }
}

HRESULT _win32mapi::Props(IMAPIProp* object, const ULONG* tags, ULONG count, _mapivalue* values) {
    SizedSPropTagArray(2, wanted) = {count, {0, 0}};
    for (ULONG i = 0; i < count && i < 2; ++i) wanted.aulPropTag[i] = tags[i];
    ULONG returned = 0;
    LPSPropValue props = nullptr;
    const HRESULT hr = object->GetProps(reinterpret_cast<LPSPropTagArray>(&wanted), 0, &returned, &props);
    for (ULONG i = 0; i < count; ++i) values[i] = _mapivalue{};
    if (SUCCEEDED(hr) && props)
        for (ULONG i = 0; i < count && i < returned; ++i) Copy(props[i], values[i]);
    Free(props);
    return hr;
}

}  // namespace

std::unique_ptr<_mapiport> Win32MapiPort() { return std::make_unique<_win32mapi>(); }

}  // namespace corvex
