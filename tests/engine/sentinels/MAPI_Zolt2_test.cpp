// The new-mail watcher on a message store the test plays, and on the
// system's MAPI (which Wine does not start).

#include "MAPI_Zolt2.h"

#include <mapicode.h>
#include <mapitags.h>
#include <mapix.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "Label.h"
#include "MapiSpeeder.h"
#include "engine/display/TrayTesting.h"
#include "engine/sentinels/SentinelTesting.h"

namespace corvex::test {
namespace {

// What the played store holds and how it answers. Every call succeeds but
// the one named in `failAt`.
struct _store {
    std::string failAt;
    std::vector<bool> defaults{false, true};  // PR_DEFAULT_STORE of each row
    bool subtreeMissing = false;
    std::string receiveClass = "IPM";
    long content = 5, unread = 3;
    bool countsMissing = false;
    ULONG logonFlags = 0, events = 0;
    IMAPIAdviseSink* sink = nullptr;  // as advised, with MAPI's reference
    std::vector<std::string> calls;
    std::set<_mapiobject> held;
    bool uninitialized = false;
};

class _playport final : public _mapiport {
public:
    explicit _playport(_store& s) : s_(s) {}

    HRESULT Initialize() override { return Call("Initialize"); }
    void Uninitialize() override { s_.uninitialized = true; }
    HRESULT LogonEx(ULONG flags) override {
        s_.logonFlags = flags;
        return Open("LogonEx", MAPI_OBJECT_SESSION);
    }
    void Logoff() override { s_.held.erase(MAPI_OBJECT_SESSION); }
    bool Holds(_mapiobject object) const override { return s_.held.count(object) != 0; }
    void Release(_mapiobject object) override { s_.held.erase(object); }
    HRESULT GetMsgStoresTable() override { return Call("GetMsgStoresTable"); }
    HRESULT StoresRowCount(ULONG& rows) override {
        rows = static_cast<ULONG>(s_.defaults.size());
        return Call("StoresRowCount");
    }
    HRESULT StoresSetColumns(ULONG tag) override {
        column_ = tag;
        return Call("StoresSetColumns");
    }
    HRESULT StoresSeekRow(LONG row) override {
        row_ = row;
        return Call("StoresSeekRow");
    }
    HRESULT StoresQueryRow(_mapivalue& v) override {
        v = _mapivalue{};
        if (static_cast<std::size_t>(row_) < s_.defaults.size()) {
            v.present = true;
            v.tag = column_;
            v.number = s_.defaults[static_cast<std::size_t>(row_)];
            v.binary = {7, static_cast<std::uint8_t>(row_)};
        }
        return Call("StoresQueryRow");
    }
    void ReleaseStoresTable() override {}
    HRESULT AllocateStoreEntryId(const _mapientryid&) override { return Call("AllocateStoreEntryId"); }
    HRESULT OpenMsgStore(ULONG) override { return Open("OpenMsgStore", MAPI_OBJECT_STORE); }
    HRESULT StoreGetProp(ULONG tag, _mapivalue& v) override {
        v.tag = tag;
        v.present = !s_.subtreeMissing;
        return Call("StoreGetProp");
    }
    HRESULT StoreSetProp(ULONG, const _mapientryid&) override { return Call("StoreSetProp"); }
    HRESULT GetReceiveFolder(const char*, _mapientryid& folder, std::string& named) override {
        folder = {1, 2, 3};
        named = s_.receiveClass;
        return Call("GetReceiveFolder");
    }
    HRESULT Advise(const _mapientryid&, ULONG events, IMAPIAdviseSink* sink, ULONG& connection) override {
        s_.events = events;
        connection = 42;
        const HRESULT hr = Call("Advise");
        if (SUCCEEDED(hr)) (s_.sink = sink)->AddRef();
        return hr;
    }
    HRESULT Unadvise(ULONG connection) override {
        if (connection == 42 && s_.sink) std::exchange(s_.sink, nullptr)->Release();
        return Call("Unadvise");
    }
    HRESULT OpenRootFolder(ULONG) override { return Open("OpenRootFolder", MAPI_OBJECT_ROOT); }
    HRESULT CreateRootSubfolder(const char*) override { return Call("CreateRootSubfolder"); }
    HRESULT SaveSubfolder() override { return Call("SaveSubfolder"); }
    HRESULT SubfolderEntryId(_mapivalue& v) override {
        v.present = true;
        return Call("SubfolderEntryId");
    }
    HRESULT GetRootHierarchyTable(ULONG) override { return Call("GetRootHierarchyTable"); }
    HRESULT HierarchyRowCount(ULONG& rows) override {
        rows = 4;
        return Call("HierarchyRowCount");
    }
    HRESULT OpenInbox(const _mapientryid&, ULONG) override { return Open("OpenInbox", MAPI_OBJECT_INBOX); }
    HRESULT InboxCounts(_mapivalue& content, _mapivalue& unread) override {
        content.present = unread.present = !s_.countsMissing;
        content.number = s_.content;
        unread.number = s_.unread;
        return Call("InboxCounts");
    }

private:
    HRESULT Call(const char* name) {
        s_.calls.push_back(name);
        return s_.failAt == name ? MAPI_E_CALL_FAILED : S_OK;
    }
    HRESULT Open(const char* name, _mapiobject object) {
        const HRESULT hr = Call(name);
        if (SUCCEEDED(hr)) s_.held.insert(object);
        return hr;
    }
    _store& s_;
    ULONG column_ = 0;
    LONG row_ = 0;
};

NOTIFICATION Event(ULONG type) {
    NOTIFICATION n{};
    n.ulEventType = type;
    return n;
}

TEST(Mapi, EachFailingStepSaysWhatFailedAndEverythingIsLetGo) {
    const struct {
        const char* failAt;
        std::vector<bool> defaults;
        const char* receiveClass;
        bool subtreeMissing;
        const char* text;
    } cases[] = {
        {"Initialize", {false, true}, "IPM", false, "Could not initialize MAPI session"},
        {"LogonEx", {false, true}, "IPM", false, "Failed to logon and create MAPI session"},
        {"GetMsgStoresTable", {false, true}, "IPM", false, "Failed to get Messages Store Table"},
        {"StoresRowCount", {false, true}, "IPM", false, "Failed to get Row Count of MsgStoreTable"},
        {"", {}, "IPM", false, "Failed to get rows number in Messages Store Table"},
        {"StoresSetColumns", {false, true}, "IPM", false, "Failed to get columns number in Messages Store Table"},
        {"StoresSeekRow", {false, true}, "IPM", false, "Failed to seek a row number in Messages Store Table"},
        {"StoresQueryRow", {false, true}, "IPM", false, "Failed to query rows number in Messages Store Table"},
        {"", {false, false}, "IPM", false, "Default Messages Store entry not found"},
        {"AllocateStoreEntryId", {true}, "IPM", false, "MAPI failed to allocate buffer"},
        {"OpenMsgStore", {true}, "IPM", false, "Failed to open Messages Store"},
        {"CreateRootSubfolder", {true}, "IPM", true, "Failed to create folder in Folder Root"},
        {"StoreSetProp", {true}, "IPM", true, "Failed to set properties in Default Store"},
        {"GetReceiveFolder", {true}, "IPM", false, "Failed to get IPM receive folder from Default Store"},
        {"", {true}, "IPC", false, "Failed to get IPM receive folder from Default Store"},
        {"Advise", {true}, "IPM", false, "Failed to advise in Default Folder"},
        {"GetRootHierarchyTable", {true}, "IPM", false, "Failed to get Hierarchy Table in Root Folder"},
        {"HierarchyRowCount", {true}, "IPM", false, "Failed to get rows number in Root Hierarchy Table"},
        {"OpenInbox", {true}, "IPM", false, "Failed to open Inbox entry in Default Store"},
    };
    for (const auto& c : cases) {
        _store s;
        s.failAt = c.failAt;
        s.defaults = c.defaults;
        s.receiveClass = c.receiveClass;
        s.subtreeMissing = c.subtreeMissing;
        {
            const _mapi mapi(std::make_unique<_playport>(s));
            EXPECT_TRUE(mapi.Failed()) << c.text;
            EXPECT_EQ(mapi.Status(), _ERROR);
            EXPECT_EQ(mapi.ErrorText(), c.text);
        }
        EXPECT_TRUE(s.held.empty()) << c.text;
        EXPECT_EQ(s.sink, nullptr) << c.text;  // no store keeps calling a sink nobody answers
        EXPECT_EQ(s.uninitialized, s.failAt != "Initialize") << c.text;
    }
}

TEST(Mapi, StartsUpReadsTheCountsAndFollowsTheFirstNotification) {
    _store s;
    s.subtreeMissing = true;  // repaired on the way
    int newMail = 0, changes = 0;
    {
        _mapi mapi(std::make_unique<_playport>(s));
        EXPECT_FALSE(mapi.Failed());
        EXPECT_EQ(mapi.Status(), _OK);
        EXPECT_TRUE(mapi.Registered());
        EXPECT_EQ(s.logonFlags, 0x60u);
        EXPECT_EQ(s.events, 0x3Au);
        EXPECT_EQ(std::count(s.calls.begin(), s.calls.end(), "StoreSetProp"), 1);
        EXPECT_EQ(mapi.ContentCount(), 5);
        EXPECT_EQ(mapi.UnreadCount(), 3);
        EXPECT_EQ(mapi.NewMailCount(), 3);
        mapi.OnNewMail = [&] { ++newMail; };
        mapi.OnChange = [&] { ++changes; };
        ASSERT_NE(s.sink, nullptr);

        NOTIFICATION batch[] = {Event(fnevNewMail), Event(fnevObjectModified)};
        EXPECT_EQ(s.sink->OnNotify(2, batch), S_OK);
        EXPECT_EQ(mapi.NewMailCount(), 4);
        EXPECT_EQ(newMail, 1);
        EXPECT_EQ(changes, 1);

        s.unread = 0;
        NOTIFICATION moved[] = {Event(fnevObjectMoved), Event(fnevObjectModified)};
        s.sink->OnNotify(2, moved);
        s.sink->OnNotify(0, nullptr);
        EXPECT_EQ(mapi.UnreadCount(), 3);
        EXPECT_EQ(changes, 1);

        NOTIFICATION modified[] = {Event(fnevObjectModified)};
        s.sink->OnNotify(1, modified);
        EXPECT_EQ(mapi.UnreadCount(), 0);
        EXPECT_EQ(mapi.NewMailCount(), 0);
        EXPECT_EQ(newMail, 2);
        EXPECT_EQ(changes, 2);

        s.countsMissing = true;
        NOTIFICATION deleted[] = {Event(fnevObjectDeleted)};
        s.sink->OnNotify(1, deleted);
        EXPECT_EQ(mapi.Status(), _ERROR);
        EXPECT_EQ(mapi.ErrorText(), "Failed to get content count from Inbox Folder");
        EXPECT_FALSE(mapi.Failed());
    }
    EXPECT_TRUE(s.held.empty());
    EXPECT_EQ(s.sink, nullptr);
    EXPECT_TRUE(s.uninitialized);
}

class MapiSpeederTest : public ::testing::Test {
protected:
    _store store_;  // outlives the readout, whose end still talks to it
    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
    _testsentinel& sentinel_ = host_.Make<_testsentinel>(nullptr, "Mapi Test");
    _smapi& Speeder(_mapiportfactory factory) {
        _smapi& s = sentinel_.Make<_smapi>(std::move(factory));
        sentinel_.AddSpeeder(&s);
        s.Prepare();
        return s;
    }
    static bool Bold(const _smapi& s) { return (s.TextLabel().Font().style & FONT_BOLD) != 0; }
};

TEST_F(MapiSpeederTest, UnreadMailIsBoldWithTheMailIcon) {
    _smapi& s = Speeder([this] { return std::make_unique<_playport>(store_); });
    EXPECT_EQ(s.TextLabel().Caption(), "off");
    s.Ignite();
    EXPECT_EQ(s.TextLabel().Caption(), "3");
    EXPECT_TRUE(Bold(s));
    EXPECT_EQ(s.IconIndex(), 14);

    store_.unread = 0;
    NOTIFICATION modified[] = {Event(fnevObjectModified)};
    store_.sink->OnNotify(1, modified);
    EXPECT_EQ(s.TextLabel().Caption(), "0");
    EXPECT_FALSE(Bold(s));
    EXPECT_EQ(s.IconIndex(), 15);

    store_.unread = 2;
    NOTIFICATION moved[] = {Event(fnevObjectMoved)};
    store_.sink->OnNotify(1, moved);
    EXPECT_EQ(s.TextLabel().Caption(), "0");

    store_.countsMissing = true;
    store_.sink->OnNotify(1, modified);
    EXPECT_EQ(s.TextLabel().Caption(), "ERROR: Failed to get content count from Inbox Folder");
    EXPECT_TRUE(Bold(s));
    EXPECT_EQ(s.IconIndex(), 15);
}

TEST_F(MapiSpeederTest, WithoutMapiTheFirstStepsErrorShows) {
    LogFile log;
    _smapi& s = sentinel_.Make<_smapi>();  // the system's MAPI
    sentinel_.AddSpeeder(&s);
    s.Prepare();
    s.Ignite();
    ASSERT_NE(s.Mapi(), nullptr);
    EXPECT_EQ(s.TextLabel().Caption(), "ERROR: Could not initialize MAPI session");
    EXPECT_TRUE(Bold(s));
    EXPECT_EQ(s.IconIndex(), 15);
    EXPECT_EQ(log.Occurrences("_mapi.Create: MAPIInitialize: initilizing MAPI Interface"), 1);
    EXPECT_EQ(log.Occurrences("_mapi.Create: ERROR: Could not initialize MAPI session"), 1);
}

}  // namespace
}  // namespace corvex::test
