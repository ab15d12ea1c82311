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
    // One check to its end, with the messages served meanwhile.
    void RunCheck(const std::string& host, int port, const std::string& user = "alice", unsigned timeOut = 1500) {
        watcher_.SetHost(host);
        watcher_.SetPort(static_cast<unsigned>(port));
        watcher_.Engine()->SetUserID(user);
        watcher_.Engine()->SetPassword("secret");
        watcher_.Engine()->SetTimeOut(timeOut);
        ASSERT_EQ(watcher_.CheckInbox(), POP3_OK);
        ASSERT_TRUE(ServeUntil([this] { return !(watcher_.Art() & POP3_ONLINE); }, 20000));
    }

    _component root_;
    _pop3& watcher_ = root_.Make<_pop3>();
    int errors_ = 0;
    int mails_ = 0;
};

_pop3testserver::Script Conversation(_pop3script script) {
    return [script](_pop3peer& peer) { Converse(peer, script); };
}
_pop3script With(std::string _pop3script::*field, std::string value) {
    _pop3script script;
    script.*field = std::move(value);
    return script;
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
        {"counts", Conversation({}), POP3_OK, 3, true},
        {"+OK alone to STAT", Conversation(With(&_pop3script::stat, "+OK\r\n")), POP3_OK, 0, true},
        {"refused STAT", Conversation(With(&_pop3script::stat, "-ERR not now\r\n")), POP3_ERROR_CONN_FAILED, 0, true},
        {"wrong password", Conversation(With(&_pop3script::password, "other")), POP3_ERROR_AUTH_DENIED, 0, true},
        {"negative greeting", Conversation(With(&_pop3script::greeting, "-ERR busy\r\n")), POP3_ERROR_CONN_FAILED, 0,
         true},
        {"100 000-byte line", Conversation(With(&_pop3script::greeting, "+OK " + std::string(100000, 'x') + "\r\n")),
         POP3_ERROR_CONN_FAILED, 0, false},
        {"closes after the greeting", [](_pop3peer& peer) { peer.Send("+OK\r\n"); }, POP3_ERROR_CONN_FAILED, 0, false},
        {"no line end ever", [](_pop3peer& peer) { peer.Send("+OK but"); peer.Idle(); }, POP3_ERROR_CONN_FAILED, 0,
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

TEST_F(WatcherTest, FailuresBeforeTheConversation) {
    _pop3testserver server(Conversation({}), 1, 15);
    RunCheck("127.0.0.1", server.Port(), "");  // no user: nothing is sent anywhere
    EXPECT_EQ(watcher_.ErrorStr(), "login required");
    EXPECT_EQ(server.Accepted(), 0);
    RunCheck("127.0.0.1", _pop3testserver::ClosedPort());
    EXPECT_EQ(watcher_.ErrorStr(), "mail server time out");
    // An empty label is refused before any name server is asked.
    RunCheck("bad..name", server.Port());
    EXPECT_EQ(watcher_.ErrorStr(), "unresolved host");
    EXPECT_EQ(errors_, 3);
    // The client is ready for the next connection after each failure.
    RunCheck("127.0.0.1", server.Port());
    EXPECT_EQ(watcher_.Error(), POP3_OK);
    EXPECT_EQ(watcher_.TotalMails(), 3u);
}

TEST_F(WatcherTest, ASecondCheckIsRefusedAndTheFirstCompletes) {
    _pop3testserver server(Conversation({}), 2, 15);
    watcher_.SetPort(static_cast<unsigned>(server.Port()));
    watcher_.Engine()->SetUserID("alice");
    watcher_.Engine()->SetPassword("secret");
    ASSERT_EQ(watcher_.CheckInbox(), POP3_OK);
    EXPECT_EQ(watcher_.CheckInbox(), POP3_ERROR);
    EXPECT_EQ(watcher_.ErrorStr(), "general error");
    ASSERT_TRUE(ServeUntil([this] { return !(watcher_.Art() & POP3_ONLINE); }, 20000));
    EXPECT_EQ(mails_, 1);
    EXPECT_EQ(errors_, 0);
    EXPECT_EQ(watcher_.TotalMails(), 3u);
    EXPECT_EQ(server.Accepted(), 1);
}

TEST_F(WatcherTest, StoppingEndsAWaitingCheckAtOnceWithoutAReport) {
    _pop3testserver server([](_pop3peer& peer) { peer.Idle(); }, 1, 15);
    watcher_.SetPort(static_cast<unsigned>(server.Port()));
    watcher_.Engine()->SetUserID("alice");
    watcher_.Engine()->SetPassword("secret");
    ASSERT_EQ(watcher_.CheckInbox(), POP3_OK);  // the time-out is 30 s
    ASSERT_TRUE(ServeUntil([&server] { return server.Accepted() == 1; }, 5000));
    ServeUntil([] { return false; }, 100);  // the worker waits for the greeting
    const DWORD start = GetTickCount();
    EXPECT_EQ(watcher_.StopCheck(), _OK);
    const DWORD took = GetTickCount() - start;
    std::printf("StopCheck took %lu ms\n", static_cast<unsigned long>(took));
    EXPECT_LT(took, 2000u);
    EXPECT_FALSE(watcher_.Art() & POP3_ONLINE);
    ServeUntil([] { return false; }, 100);
    EXPECT_EQ(errors_ + mails_, 0);
    // Killed, the watcher holds no client and checks nothing.
    EXPECT_EQ(watcher_.Kill(), _OK);
    EXPECT_EQ(watcher_.Engine(), nullptr);
    EXPECT_EQ(watcher_.CheckInbox(), POP3_ERROR);
}

// A server that sends one byte a second: the worker waits on its socket in
// the meantime. The processor time of the whole test process over the
// check is printed.
TEST_F(WatcherTest, ASlowServerCostsNextToNoProcessorTime) {
    _pop3testserver server([](_pop3peer& peer) {
        peer.Send("+OK\r\n", 1000);
        Converse(peer, With(&_pop3script::greeting, ""));
    }, 1, 20);
    FILETIME created, exited, kernel0, user0, kernel1, user1;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel0, &user0);
    const DWORD start = GetTickCount();
    RunCheck("127.0.0.1", server.Port(), "alice", 30000);
    const DWORD wall = GetTickCount() - start;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel1, &user1);
    const auto ms = [](const FILETIME& a, const FILETIME& b) {
        const auto value = [](const FILETIME& t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
        return static_cast<double>(value(b) - value(a)) / 10000.0;
    };
    const double busy = ms(kernel0, kernel1) + ms(user0, user1);
    std::printf("one byte a second: %lu ms of waiting cost %.0f ms of processor time\n",
                static_cast<unsigned long>(wall), busy);
    RecordProperty("processor_ms", static_cast<int>(busy));
    EXPECT_EQ(watcher_.TotalMails(), 3u);
    EXPECT_GE(wall, 3500u);
    EXPECT_LT(busy, wall / 4.0);  // a polling worker would keep a processor busy
}

}  // namespace
}  // namespace corvex::test
