#include "MAPI_Zolt2.h"

#include <mapicode.h>
#include <mapitags.h>
#include <mapix.h>

#include "Debug_Zolt2.h"

namespace corvex {

namespace {

constexpr ULONG kLogonFlags = MAPI_EXTENDED | MAPI_USE_DEFAULT;  // 0x60
constexpr ULONG kInboxEvents = fnevNewMail | fnevObjectDeleted | fnevObjectModified | fnevObjectMoved;  // 0x3A
// A provider that reports more stores than this is not walked further.
constexpr ULONG kMaxStoreRows = 256;

// The owner's handler may drop the watcher's callbacks: it runs from a copy.
void Raise(const std::function<void()>& event) {
    if (!event) return;
    const std::function<void()> handler = event;
    handler();
}

const IID kIID_IMAPIAdviseSink = {0x00020302, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

}  // namespace

// ---- _mapi: start-up

_mapi::_mapi(std::unique_ptr<_mapiport> port) : port_(std::move(port)) {
    Log(20, "_mapi.Create: MAPIInitialize: initilizing MAPI Interface");
    if (FAILED(port_->Initialize())) {
        Fail("Could not initialize MAPI session");
        return;
    }
    initialised_ = true;

    Log(20, "_mapi.Create: MAPILogonEx: logging...");
    if (FAILED(port_->LogonEx(kLogonFlags))) {
        Fail("Failed to logon and create MAPI session");
        return;
    }
    Log(20, "_mapi.Create: OpenDefaultMsgStore: opening...");
    if (OpenDefaultMsgStore() != _OK) return;
    Log(20, "_mapi.Create: RegisterForNewMail: registering...");
    if (RegisterForNewMail() != _OK) return;
    Log(20, "_mapi.Create: KERNEL_GetInbox: requesting...");
    if (KERNEL_GetInbox() != _OK) return;
    // A failed first reading keeps its text, so the readout can say why.
    status_ = Inbox();
    failed_ = false;
}

_result _mapi::Fail(const std::string& text) {
    errorText_ = text;
    status_ = _ERROR;
    failed_ = true;
    Log(1, "_mapi.Create: ERROR: %s", text.c_str());
    return _ERROR;
}

_result _mapi::OpenDefaultMsgStore() {
    if (!port_->Holds(MAPI_OBJECT_SESSION)) return Fail("No MAPI session established");
    Log(20, "_mapi.OpenDefaultMsgStore: MAPISession.GetMsgStoresTable");
    if (FAILED(port_->GetMsgStoresTable())) return Fail("Failed to get Messages Store Table");
    ULONG rows = 0;
    Log(20, "_mapi.OpenDefaultMsgStore: MsgStoresTable.GetRowCount");
    if (FAILED(port_->StoresRowCount(rows))) {
        port_->ReleaseStoresTable();
        return Fail("Failed to get Row Count of MsgStoreTable");
    }
    if (rows == 0) {
        port_->ReleaseStoresTable();
        return Fail("Failed to get rows number in Messages Store Table");
    }
    LONG row = -1;
    const _result found = FindDefaultStore(rows, row);
    if (found != _OK) {
        port_->ReleaseStoresTable();
        return found;
    }

    _mapivalue entry;
    const char* failure = nullptr;
    Log(20, "_mapi.OpenDefaultMsgStore: MsgStoresTable.SetColumns(PR_ENTRYID)");
    if (FAILED(port_->StoresSetColumns(PR_ENTRYID))) {
        failure = "Failed to set columns in Messages Store Table";
    } else {
        Log(20, "_mapi.OpenDefaultMsgStore: MsgStoresTable.SeekRow(%ld)", static_cast<long>(row));
        if (FAILED(port_->StoresSeekRow(row))) {
            failure = "Failed to seek a row in Messages Store Table";
        } else {
            Log(20, "_mapi.OpenDefaultMsgStore: MsgStoresTable.QueryRows");
            if (FAILED(port_->StoresQueryRow(entry))) failure = "Failed to query rows in Messages Store Table";
        }
    }
    port_->ReleaseStoresTable();
    if (failure) return Fail(failure);
    if (!entry.present || entry.tag != PR_ENTRYID) return Fail("MAPI: internal failure");
    Log(20, "_mapi.OpenDefaultMsgStore: MAPIAllocateBuffer(%u)", static_cast<unsigned>(entry.binary.size()));
    if (FAILED(port_->AllocateStoreEntryId(entry.binary))) return Fail("MAPI failed to allocate buffer");
    Log(20, "_mapi.OpenDefaultMsgStore: MAPISession.OpenMsgStore");
    if (FAILED(port_->OpenMsgStore(MDB_WRITE))) return Fail("Failed to open Messages Store");

    _mapivalue subtree;
    Log(20, "_mapi.OpenDefaultMsgStore: DefaultStore.GetProps(PR_IPM_SUBTREE_ENTRYID)");
    const HRESULT read = port_->StoreGetProp(PR_IPM_SUBTREE_ENTRYID, subtree);
    // A failed read, or the property itself: the store is ready. Only a
    // store that answers "missing" lacks its folder tree.
    if (FAILED(read) || subtree.present) return _OK;
    return RepairStore();
}

_result _mapi::FindDefaultStore(ULONG rows, LONG& row) {
    const ULONG walked = rows < kMaxStoreRows ? rows : kMaxStoreRows;
    for (ULONG i = 0; i < walked; ++i) {
        Log(20, "_mapi.Create: OpenDefaultMsgStore: MsgStoresTable.SetColumns(PR_DEFAULT_STORE)");
        if (FAILED(port_->StoresSetColumns(PR_DEFAULT_STORE)))
            return Fail("Failed to get columns number in Messages Store Table");
        Log(20, "_mapi.Create: OpenDefaultMsgStore: MsgStoresTable.SeekRow(%lu)", static_cast<unsigned long>(i));
        if (FAILED(port_->StoresSeekRow(static_cast<LONG>(i))))
            return Fail("Failed to seek a row number in Messages Store Table");
        _mapivalue flag;
        Log(20, "_mapi.Create: OpenDefaultMsgStore: MsgStoresTable.QueryRows");
        if (FAILED(port_->StoresQueryRow(flag))) return Fail("Failed to query rows number in Messages Store Table");
        if (flag.present && flag.tag == PR_DEFAULT_STORE && flag.number) {
            row = static_cast<LONG>(i);
            return _OK;
        }
    }
    return Fail("Default Messages Store entry not found");
}

_result _mapi::RepairStore() {
    Log(20, "_mapi.OpenDefaultMsgStore: DefaultStore.OpenEntry(root)");
    if (FAILED(port_->OpenRootFolder(MAPI_MODIFY))) return Fail("Failed to open entry in Default Store");
    Log(20, "_mapi.OpenDefaultMsgStore: RootFolder.CreateFolder(IPM_SUBTREE)");
    if (FAILED(port_->CreateRootSubfolder("IPM_SUBTREE"))) return Fail("Failed to create folder in Folder Root");
    Log(20, "_mapi.OpenDefaultMsgStore: Folder.SaveChanges");
    if (FAILED(port_->SaveSubfolder())) return Fail("Failed to save changes in Folder");
    _mapivalue id;
    Log(20, "_mapi.OpenDefaultMsgStore: Folder.GetProps(PR_ENTRYID)");
    if (FAILED(port_->SubfolderEntryId(id)) || !id.present) return Fail("Failed to get properties of a Folder");
    Log(20, "_mapi.OpenDefaultMsgStore: DefaultStore.SetProps(PR_IPM_SUBTREE_ENTRYID)");
    if (FAILED(port_->StoreSetProp(PR_IPM_SUBTREE_ENTRYID, id.binary)))
        return Fail("Failed to set properties in Default Store");
    return _OK;
}

_result _mapi::RegisterForNewMail() {
    _mapientryid folder;
    std::string explicitClass;
    Log(20, "_mapi.RegisterForNewMail: DefaultStore.GetReceiveFolder(IPM)");
    if (FAILED(port_->GetReceiveFolder("IPM", folder, explicitClass)) || explicitClass != "IPM")
        return Fail("Failed to get IPM receive folder from Default Store");
    Log(20, "_mapi.RegisterForNewMail: DefaultStore.OpenEntry(root)");
    if (FAILED(port_->OpenRootFolder(MAPI_MODIFY | MAPI_DEFERRED_ERRORS)))
        return Fail("Failed to open entry in Default Folder");

    sink_.reset(new _mailsink(*this));
    Log(20, "_mapi.RegisterForNewMail: DefaultStore.Advise");
    if (FAILED(port_->Advise(folder, kInboxEvents, sink_.get(), connection_))) {
        DropSink();
        return Fail("Failed to advise in Default Folder");
    }
    const char* failure = nullptr;
    ULONG rows = 0;
    Log(20, "_mapi.RegisterForNewMail: RootFolder.GetHierarchyTable");
    if (FAILED(port_->GetRootHierarchyTable(MAPI_DEFERRED_ERRORS))) {
        failure = "Failed to get Hierarchy Table in Root Folder";
    } else {
        Log(20, "_mapi.RegisterForNewMail: RootHierarchyTable.GetRowCount");
        if (FAILED(port_->HierarchyRowCount(rows))) failure = "Failed to get rows number in Root Hierarchy Table";
    }
    if (failure) {
        // The store must not call a sink nobody answers for any more.
        port_->Unadvise(connection_);
        DropSink();
        return Fail(failure);
    }
    registered_ = true;
    return _OK;
}

_result _mapi::KERNEL_GetInbox() {
    _mapientryid folder;
    std::string explicitClass;
    Log(20, "_mapi.KERNEL_GetInbox: DefaultStore.GetReceiveFolder(IPM)");
    if (FAILED(port_->GetReceiveFolder("IPM", folder, explicitClass)))
        return Fail("Failed to get Inbox folder from Default Store");
    Log(20, "_mapi.KERNEL_GetInbox: DefaultStore.OpenEntry(Inbox)");
    if (FAILED(port_->OpenInbox(folder, MAPI_MODIFY | MAPI_DEFERRED_ERRORS)))
        return Fail("Failed to open Inbox entry in Default Store");
    return _OK;
}

// ---- _mapi: counts and notifications

_result _mapi::Inbox() {
    if (!port_->Holds(MAPI_OBJECT_INBOX)) return _ERROR;
    Log(20, "_mapi.Inbox: FInboxFolder.GetProps");
    _mapivalue content, unread;
    const HRESULT read = port_->InboxCounts(content, unread);
    const char* failure = nullptr;
    if (FAILED(read) || !content.present)
        failure = "Failed to get content count from Inbox Folder";
    else if (!unread.present)
        failure = "Failed to get content unread from Inbox Folder";
    if (failure) {
        errorText_ = failure;
        status_ = _ERROR;
        return _ERROR;
    }
    content_ = content.number;
    unread_ = unread.number;
    status_ = _OK;
    errorText_.clear();
    if (unread_ != newMail_) {
        newMail_ = unread_;
        Raise(OnNewMail);
    }
    return _OK;
}

void _mapi::Notify(ULONG count, const NOTIFICATION* notifications) {
    if (count == 0 || !notifications) return;
    switch (notifications[0].ulEventType) {
        case fnevNewMail:
            ++newMail_;
            Raise(OnNewMail);
            Raise(OnChange);
            break;
        case fnevObjectDeleted:
        case fnevObjectModified:
            status_ = Inbox();
            Raise(OnChange);
            break;
        default:
            break;
    }
}

// ---- _mapi: the end

_mapi::~_mapi() { KERNEL_Die(); }

void _mapi::DropSink() {
    if (sink_) sink_.get()->Detach();
    sink_.reset();
}

void _mapi::KERNEL_Die() {
    if (registered_) {
        Log(20, "_mapi.KERNEL_Die: DefaultStore.Unadvise");
        port_->Unadvise(connection_);
        registered_ = false;
    }
    DropSink();
    if (port_->Holds(MAPI_OBJECT_INBOX)) {
        Log(20, "_mapi.KERNEL_Die: FInboxFolder._Release");
        port_->Release(MAPI_OBJECT_INBOX);
    }
    if (port_->Holds(MAPI_OBJECT_ROOT)) {
        Log(20, "_mapi.KERNEL_Die: RootFolder._Release");
        port_->Release(MAPI_OBJECT_ROOT);
    }
    if (port_->Holds(MAPI_OBJECT_STORE)) {
        Log(20, "_mapi.KERNEL_Die: DefaultStore._Release");
        port_->Release(MAPI_OBJECT_STORE);
    }
    if (port_->Holds(MAPI_OBJECT_SESSION)) {
        Log(20, "_mapi.KERNEL_Die: MAPISession.Logoff");
        port_->Logoff();
    }
    if (initialised_) {
        Log(20, "_mapi.KERNEL_Die: MAPIUninitialize");
        port_->Uninitialize();
        initialised_ = false;
    }
}

// ---- _mailsink

STDMETHODIMP _mailsink::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIID_IMAPIAdviseSink)) {
        *object = static_cast<IMAPIAdviseSink*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) _mailsink::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) _mailsink::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP_(ULONG) _mailsink::OnNotify(ULONG count, LPNOTIFICATION notifications) {
    if (owner_) owner_->Notify(count, notifications);
    return S_OK;
}

}  // namespace corvex
