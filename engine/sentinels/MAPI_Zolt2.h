#pragma once
// The new-mail watcher of the local mail client: it logs on to MAPI with
// the default profile, opens the default message store and its Inbox,
// reads the Inbox's counts and has MAPI tell it of changes to the Inbox.
//
//   _comtraits, _comhandle  an owned COM interface (Release when it goes)
//   _mapientryid, _mapivalue  what MAPI hands back, copied
//   _mapiobject   the objects a MAPI session holds open
//   _mapiport     the MAPI calls the watcher makes, one operation per call:
//                 the system's MAPI (MAPI_Win32.h) or a test's message store
//   _mapi         the watcher: the start-up steps, the counts, the
//                 notifications and the orderly end
//   _mailsink     the advise sink MAPI calls with notifications
//
// The watcher runs on the GUI thread: MAPI is started without
// multithreaded notifications, so they arrive through its message loop.
//
// Windows tree only.

#include <windows.h>
#include <mapidefs.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Core_Zolt2.h"
#include "Handle.h"

namespace corvex {

template <class Interface>
struct _comtraits {
    using value_type = Interface*;
    static value_type Invalid() noexcept { return nullptr; }
    static void Close(value_type p) noexcept { p->Release(); }
};
template <class Interface>
using _comhandle = _handle<_comtraits<Interface>>;

using _mapientryid = std::vector<std::uint8_t>;

// One property as MAPI returned it.
struct _mapivalue {
    ULONG tag = 0;           // the property tag; PT_ERROR type when missing
    bool present = false;    // a value came back (not an error value)
    long number = 0;         // PT_LONG, PT_BOOLEAN
    _mapientryid binary;     // PT_BINARY
};

enum _mapiobject : unsigned char {
    MAPI_OBJECT_SESSION,
    MAPI_OBJECT_STORE,
    MAPI_OBJECT_ROOT,
    MAPI_OBJECT_INBOX,
};

class _mapiport {
public:
    virtual ~_mapiport() = default;

    virtual HRESULT Initialize() = 0;  // MAPIInitialize, no options
    virtual void Uninitialize() = 0;
    virtual HRESULT LogonEx(ULONG flags) = 0;  // no window, profile or password
    virtual void Logoff() = 0;                  // and the session is let go
    virtual bool Holds(_mapiobject object) const = 0;
    virtual void Release(_mapiobject object) = 0;

    // The session's message-stores table.
    virtual HRESULT GetMsgStoresTable() = 0;
    virtual HRESULT StoresRowCount(ULONG& rows) = 0;
    virtual HRESULT StoresSetColumns(ULONG tag) = 0;
    virtual HRESULT StoresSeekRow(LONG row) = 0;  // from the beginning
    // QueryRows of one row: its first column, not present past the end.
    virtual HRESULT StoresQueryRow(_mapivalue& column) = 0;
    virtual void ReleaseStoresTable() = 0;

    // A copy of `id` in a buffer of MAPIAllocateBuffer, for OpenMsgStore.
    virtual HRESULT AllocateStoreEntryId(const _mapientryid& id) = 0;
    virtual HRESULT OpenMsgStore(ULONG flags) = 0;
    virtual HRESULT StoreGetProp(ULONG tag, _mapivalue& value) = 0;
    virtual HRESULT StoreSetProp(ULONG tag, const _mapientryid& value) = 0;
    virtual HRESULT GetReceiveFolder(const char* messageClass, _mapientryid& folder,
                                     std::string& explicitClass) = 0;
    virtual HRESULT Advise(const _mapientryid& folder, ULONG events, IMAPIAdviseSink* sink,
                           ULONG& connection) = 0;
    virtual HRESULT Unadvise(ULONG connection) = 0;

    virtual HRESULT OpenRootFolder(ULONG flags) = 0;
    // A generic subfolder of the root, opened when it exists.
    virtual HRESULT CreateRootSubfolder(const char* name) = 0;
    virtual HRESULT SaveSubfolder() = 0;
    virtual HRESULT SubfolderEntryId(_mapivalue& value) = 0;
    virtual HRESULT GetRootHierarchyTable(ULONG flags) = 0;
    virtual HRESULT HierarchyRowCount(ULONG& rows) = 0;

    virtual HRESULT OpenInbox(const _mapientryid& folder, ULONG flags) = 0;
    // PR_CONTENT_COUNT and PR_CONTENT_UNREAD of the Inbox, in one call.
    virtual HRESULT InboxCounts(_mapivalue& content, _mapivalue& unread) = 0;
};

// The system's MAPI (MAPI_Win32.cpp).
std::unique_ptr<_mapiport> Win32MapiPort();

class _mailsink;

class _mapi {
public:
    // Runs the whole start-up; failures show in Failed, Status, ErrorText.
    explicit _mapi(std::unique_ptr<_mapiport> port);
    // KERNEL_Die: unadvises, lets the folders, the store and the session go.
    ~_mapi();
    _mapi(const _mapi&) = delete;
    _mapi& operator=(const _mapi&) = delete;

    bool Initialised() const noexcept { return initialised_; }
    bool Failed() const noexcept { return failed_; }
    _result Status() const noexcept { return status_; }
    const std::string& ErrorText() const noexcept { return errorText_; }
    long NewMailCount() const noexcept { return newMail_; }
    long ContentCount() const noexcept { return content_; }
    long UnreadCount() const noexcept { return unread_; }
    bool Registered() const noexcept { return registered_; }
    ULONG Connection() const noexcept { return connection_; }
    _mailsink* Sink() const noexcept { return sink_.get(); }

    std::function<void()> OnNewMail;
    std::function<void()> OnChange;

    // Reads the Inbox's counts: _ERROR without an Inbox or on a failed read.
    _result Inbox();
    // A batch from the advise sink; only its first notification counts.
    void Notify(ULONG count, const NOTIFICATION* notifications);

private:
    // Stores the failure of a step; the start-up ends there.
    _result Fail(const std::string& text);
    _result OpenDefaultMsgStore();
    _result FindDefaultStore(ULONG rows, LONG& row);
    _result RepairStore();
    _result RegisterForNewMail();
    _result KERNEL_GetInbox();
    void DropSink();
    void KERNEL_Die();

    std::unique_ptr<_mapiport> port_;
    bool initialised_ = false;
    bool failed_ = false;
    _result status_ = _OK;
    std::string errorText_;
    long newMail_ = 0;
    long content_ = 0;
    long unread_ = 0;
    ULONG connection_ = 0;
    bool registered_ = false;
    _comhandle<_mailsink> sink_;
};

// COM objects are destroyed by their last Release, never through a base
// pointer: the interfaces have no virtual destructor on purpose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class _mailsink final : public IMAPIAdviseSink {
public:
    // The sink's class as the process's COM objects know it: many
    // instances, single-threaded.
    static constexpr const char* ClassName = "NewMailAdviseSink";
    static constexpr const char* Description = "New Mail Advise Sink PFS";

    // Made with one reference, which the caller owns.
    explicit _mailsink(_mapi& owner) noexcept : owner_(&owner) {}

    // The watcher is gone: MAPI may still hold the sink, which from now on
    // only answers.
    void Detach() noexcept { owner_ = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP_(ULONG) OnNotify(ULONG count, LPNOTIFICATION notifications) override;

private:
    ~_mailsink() = default;

    _mapi* owner_;
    ULONG references_ = 1;
};
#pragma GCC diagnostic pop

}  // namespace corvex
