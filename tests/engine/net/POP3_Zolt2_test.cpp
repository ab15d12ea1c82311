// The mailbox watcher on real worker threads and real loopback sockets,
// against a POP3 server of the test's own that also misbehaves.

#include "POP3_Zolt2.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "Pop3Client_Win32.h"
#include "engine/net/MailTesting.h"
#include "support/Pop3TestServer.h"

namespace corvex::test {
namespace {

class WatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        watcher_.OnError = [this] { ++errors_; };
        watcher_.OnMail = [this] { ++mails_; };
    }
    void Prepare(const std::string& host, int port, const std::string& user, unsigned timeOut) {
        watcher_.SetHost(host);
        watcher_.SetPort(static_cast<unsigned>(port));
        watcher_.Engine()->SetUserID(user);
        watcher_.Engine()->SetPassword("secret");
        watcher_.Engine()->SetTimeOut(timeOut);
    }
    bool Idle() {
        return ServeUntil([this] { return !(watcher_.Art() & POP3_ONLINE); }, 20000);
    }
    // One check to its end, with the messages served meanwhile.
    void RunCheck(const std::string& host, int port, const std::string& user = "alice", unsigned timeOut = 1500) {
        Prepare(host, port, user, timeOut);
        ASSERT_EQ(watcher_.CheckInbox(), POP3_OK);
        ASSERT_TRUE(Idle());
    }

    _component root_;
    _pop3& watcher_ = root_.Make<_pop3>();
    int errors_ = 0;
    int mails_ = 0;
};

_pop3testserver::Script Conversation(std::string _pop3script::*field = nullptr, std::string value = {}) {
    _pop3script script;
    if (field) script.*field = std::move(value);
    return [script](_pop3peer& peer) { Converse(peer, script); };
}

TEST_F(WatcherTest, EveryCheckEndsWithOneReportWhateverTheServerDoes) {
    // Whoever got a conversation going says goodbye with QUIT; a broken
    // stream or a silent server is cut off instead.
    struct Case {
        const char* what;
        _pop3testserver::Script script;
        _pop3error error;
        unsigned count;
        bool quit;
    } const cases[] = {
        {"counts", Conversation(), POP3_OK, 3, true},
        {"+OK alone to STAT", Conversation(&_pop3script::stat, "+OK\r\n"), POP3_OK, 0, true},
        {"refused STAT", Conversation(&_pop3script::stat, "-ERR not now\r\n"), POP3_ERROR_CONN_FAILED, 0, true},
        {"wrong password", Conversation(&_pop3script::password, "other"), POP3_ERROR_AUTH_DENIED, 0, true},
        {"negative greeting", Conversation(&_pop3script::greeting, "-ERR busy\r\n"), POP3_ERROR_CONN_FAILED, 0, true},
        {"100 000-byte line", Conversation(&_pop3script::greeting, "+OK " + std::string(100000, 'x') + "\r\n"),
         POP3_ERROR_CONN_FAILED, 0, false},
        {"closes after greeting", [](_pop3peer& peer) { peer.Send("+OK\r\n"); }, POP3_ERROR_CONN_FAILED, 0, false},
        {"no line end ever", [](_pop3peer& peer) { if (peer.Send("+OK b")) peer.Idle(); }, POP3_ERROR_CONN_FAILED, 0,
         false},
        {"never answers", [](_pop3peer& peer) { peer.Idle(); }, POP3_ERROR_CONN_FAILED, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        errors_ = mails_ = 0;
        _pop3testserver server(c.script, 1, 15);
        RunCheck("127.0.0.1", server.Port());
        EXPECT_EQ(errors_ + mails_, 1);
        EXPECT_EQ(watcher_.Error(), c.error);
        if (c.error == POP3_OK) {
            EXPECT_EQ(watcher_.TotalMails(), c.count);
        }
        const std::vector<std::string> sent = server.Received();
        EXPECT_EQ(std::find(sent.begin(), sent.end(), "QUIT") != sent.end(), c.quit);
    }
}

TEST_F(WatcherTest, FailuresBeforeOrInsteadOfTheConversation) {
    _pop3testserver server(Conversation(), 2, 15);
    RunCheck("127.0.0.1", server.Port(), "");  // no user: nothing is sent anywhere
    EXPECT_EQ(watcher_.ErrorStr(), "login required");
    EXPECT_EQ(server.Accepted(), 0);
    RunCheck("bad..name", server.Port());  // an empty label: no name server is asked
    EXPECT_EQ(watcher_.ErrorStr(), "unresolved host");
    // A line break in a user name would smuggle in a command of its own.
    RunCheck("127.0.0.1", server.Port(), "alice\r\nDELE 1");
    EXPECT_EQ(watcher_.ErrorStr(), "connection failed");
    EXPECT_EQ(server.Received(), std::vector<std::string>{"QUIT"});
    EXPECT_EQ(errors_, 3);
    // After each failure the client is ready for the next connection (a
    // name looked up this time); a second check while one runs is refused,
    // and the first completes.
    Prepare("localhost", server.Port(), "alice", 1500);
    ASSERT_EQ(watcher_.CheckInbox(), POP3_OK);
    EXPECT_EQ(watcher_.CheckInbox(), POP3_ERROR);
    EXPECT_EQ(watcher_.ErrorStr(), "general error");
    ASSERT_TRUE(Idle());
    EXPECT_EQ(mails_, 1);
    EXPECT_EQ(watcher_.TotalMails(), 3u);
}

TEST_F(WatcherTest, StoppingEndsAWaitingCheckAtOnceWithoutAReport) {
    _pop3testserver server([](_pop3peer& peer) { peer.Idle(); }, 1, 15);
    Prepare("127.0.0.1", server.Port(), "alice", 30000);
    ASSERT_EQ(watcher_.CheckInbox(), POP3_OK);
    ASSERT_TRUE(ServeUntil([&server] { return server.Accepted() == 1; }, 5000));
    ServeUntil([] { return false; }, 100);  // the worker waits for the greeting
    const DWORD start = GetTickCount();
    EXPECT_EQ(watcher_.StopCheck(), _OK);
    const DWORD took = GetTickCount() - start;
    std::printf("StopCheck took %lu ms\n", static_cast<unsigned long>(took));
    EXPECT_LT(took, 2000u);  // not the 30 s of the time-out
    EXPECT_FALSE(watcher_.Art() & POP3_ONLINE);
    ServeUntil([] { return false; }, 100);
    EXPECT_EQ(errors_ + mails_, 0);
    EXPECT_EQ(watcher_.Kill(), _OK);  // dead: no client, no more checks
    EXPECT_EQ(watcher_.Engine(), nullptr);
    EXPECT_EQ(watcher_.CheckInbox(), POP3_ERROR);
}

// One byte a second: the worker waits on its socket meanwhile. Prints the
// processor time of the whole test process over the check.
TEST_F(WatcherTest, ASlowServerCostsNextToNoProcessorTime) {
    _pop3testserver server([](_pop3peer& peer) {
        peer.Send("+OK\r\n", 1000);
        Converse(peer, _pop3script{""});
    }, 1, 20);
    const auto busy = [] {  // milliseconds of processor time
        FILETIME t[4];
        GetProcessTimes(GetCurrentProcess(), &t[0], &t[1], &t[2], &t[3]);
        return (t[2].dwLowDateTime + t[3].dwLowDateTime + 4294967296.0 * (t[2].dwHighDateTime + t[3].dwHighDateTime)) / 1e4;
    };
    const double before = busy();
    const DWORD start = GetTickCount();
    RunCheck("127.0.0.1", server.Port(), "alice", 30000);
    const DWORD wall = GetTickCount() - start;
    const double used = busy() - before;
    std::printf("one byte a second: %lu ms of waiting cost %.0f ms of processor time\n",
                static_cast<unsigned long>(wall), used);
    EXPECT_EQ(watcher_.TotalMails(), 3u);
    EXPECT_GE(wall, 3500u);
    EXPECT_LT(used, wall / 4.0);  // a polling worker would keep a processor busy
}

}  // namespace
}  // namespace corvex::test
