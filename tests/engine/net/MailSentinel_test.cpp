// The Mail Sentinel and its accounts on a real band, the real registry of
// the fresh account and a real Dovecot POP3 server on loopback.

#include "MailSentinel.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "Debug_Zolt2.h"
#include "Edit.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Menu.h"
#include "POP3_Zolt2.h"
#include "Panel.h"
#include "Registry_Zolt2.h"
#include "Timer.h"
#include "engine/net/MailTesting.h"
#include "engine/sentinels/SentinelTesting.h"
#include "support/Pop3TestServer.h"
#include "support/Processes.h"

namespace corvex::test {
namespace {

class MailTest : public ::testing::Test {
protected:
    void SetUp() override {
        store_.SetCompany("Brannock");
        store_.SetApp("corvex-mail-test");
        Wipe();
        host_.store = &store_;
    }
    void TearDown() override { Wipe(); }
    static void Wipe() {
        _registry registry;
        registry.SetRootKey(REGISTRY_CURRENT_USER);
        registry.DeleteKey("\\Software\\Brannock\\corvex-mail-test");
    }
    _spop3& Account(const std::string& user, const std::string& pass, int port) {
        _spop3& account = mail_->Make<_spop3>();
        account.SetUser(user);
        account.SetPass(pass);
        account.SetPort(static_cast<unsigned>(port));
        return account;
    }
    // Runs `options` against the band's key of the store.
    template <class F>
    void Stored(F options) {
        store_.SetKey("Sentinels\\Mail Sentinel");
        (mail_->*options)(store_.Key(), store_);
    }
    static bool Idle(_spop3& account) {
        return ServeUntil([&account] { return !(account.Watcher().Art() & POP3_ONLINE); }, 20000);
    }
    static bool Bold(const _spop3& account) { return (account.TextLabel().Font().style & FONT_BOLD) != 0; }

    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
    _lair& store_ = root_.Make<_lair>();
    _mailsentinel* mail_ = &host_.Make<_mailsentinel>();
};

// The debug log is on throughout: the password must never reach it.
TEST_F(MailTest, TheRowShowsTheCountOrWhyTheCheckFailed) {
    CORVEX_NEED_DOVECOT(port);
    TempFolder folder("mail-log");
    _debug& log = *Debugger();
    log.SetLogging(true);
    log.SetConsole(true);  // no console of its own: the lines go to the test's output
    log.SetLevel(20);
    log.SetLogFileName(folder / "DEBUG.log");
    ASSERT_EQ(log.SetDebugging(true), DEBUG_OK);
    struct Case {
        const char* user;
        const char* pass;
        bool closedPort;
        const char* text;
        bool bold;
        int icon;
    } const cases[] = {
        {"alice", "secret", false, "3", true, 18},
        {"bob", "secret", false, "0", false, 15},
        {"alice", "wrong", false, "ERROR: login incorrect", true, 15},
        {"", "secret", false, "ERROR: login required", true, 15},
        {"alice", "secret", true, "ERROR: mail server time out", true, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        _spop3& account = Account(c.user, c.pass, c.closedPort ? _pop3testserver::ClosedPort() : port);
        account.CheckMailbox();
        EXPECT_EQ(account.TextLabel().Caption(), "checking...");
        EXPECT_FALSE(Bold(account));
        account.CheckMailbox();  // refused while the first runs
        EXPECT_EQ(account.Watcher().Error(), POP3_ERROR);
        ASSERT_TRUE(Idle(account));
        EXPECT_EQ(account.TextLabel().Caption(), c.text);
        EXPECT_EQ(Bold(account), c.bold);
        EXPECT_EQ(account.IconIndex(), c.icon);
    }
    log.SetDebugging(false);
    log.SetLogging(false);
    log.SetConsole(false);
    log.SetLevel(100);
    std::ifstream file(folder / "DEBUG.log", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("as \"alice/******\""), std::string::npos);
    EXPECT_NE(text.find("_pop3.KERNEL_ServerReply: number of mails= 3"), std::string::npos);
    EXPECT_EQ(text.find("secret"), std::string::npos);
}

TEST_F(MailTest, AnAccountMadeOnThePagesKeepsItsServerAcrossARestart) {
    CORVEX_NEED_DOVECOT(port);
    Stored(&_sentinel::LoadOptions);
    EXPECT_EQ(mail_->SpeederCount(), 0u);  // no account on a first run
    _panel& page = root_.Make<_panel>(&host_);
    page.SetBounds(0, 0, 300, 80);
    ASSERT_EQ(mail_->OnCreateDesigner(page, nullptr), _OK);
    _edit& user = *mail_->UserEdit();
    EXPECT_EQ(user.Text(), "brannock");
    EXPECT_EQ(mail_->PassEdit()->Text(), "579");
    EXPECT_EQ(mail_->PassEdit()->PasswordChar(), '*');
    EXPECT_EQ(user.BoundsRect(), _rect::Bounds(60, 7, 230, 21));
    page.SetWidth(400);  // the page follows the Designer's width
    EXPECT_EQ(user.Width(), 330);

    user.SetText("alice");
    mail_->PassEdit()->SetText("secret");
    _speeder* added = nullptr;
    ASSERT_EQ(mail_->OnAddSpeeder(added), _OK);
    auto& account = dynamic_cast<_spop3&>(*added);
    EXPECT_EQ(account.Name(), "alice");
    unsigned period = 0;
    account.SetFrequency(500);  // refused: the new account's period stays
    EXPECT_EQ(account.GetFrequency(period), _OK);
    EXPECT_EQ(period, 600000u);
    EXPECT_TRUE(account.CheckTimer().Enabled());
    ASSERT_TRUE(Idle(account));  // checked at once, at the default port
    EXPECT_EQ(account.TextLabel().Caption(), "ERROR: mail server time out");
    EXPECT_EQ(mail_->OnAddSpeeder(added), _ERROR);  // "alice" is taken
    EXPECT_EQ(mail_->SpeederCount(), 1u);

    // The account's own page, applied with the Designer's "Update".
    _panel& own = root_.Make<_panel>(&host_);
    own.SetBounds(0, 0, 300, 71);
    account.OnCreateDesigner(own);
    EXPECT_EQ(account.ServerEdit()->Text(), "127.0.0.1");
    account.PortSpin()->SetValue(port);
    ASSERT_EQ(mail_->RedesignSpeeder(&account), _OK);
    mail_->SignalSpeeders(SIGNAL_STOP);
    Stored(&_sentinel::SaveOptions);
    host_.Destroy(mail_);

    mail_ = &host_.Make<_mailsentinel>();
    Stored(&_sentinel::LoadOptions);
    ASSERT_EQ(mail_->SpeederCount(), 1u);
    auto& restored = dynamic_cast<_spop3&>(*mail_->Speeders(0));
    EXPECT_EQ(restored.Name(), "alice");
    EXPECT_EQ(restored.Port(), static_cast<unsigned>(port));
    restored.Ignite();
    ASSERT_TRUE(Idle(restored));
    EXPECT_EQ(restored.TextLabel().Caption(), "3");

    // Windows ends the session: the menu's check does nothing any more.
    EXPECT_EQ(mail_->KillAccounts(), _OK);
    EXPECT_TRUE(restored.Watcher().Art() & POP3_DEAD);
    _menuitem& menu = root_.Make<_menuitem>();
    restored.AddMenuItems(menu);
    ASSERT_EQ(menu.Count(), 1u);
    EXPECT_EQ(menu.Items(0)->Caption(), "check now...");
    menu.Items(0)->Click();
    EXPECT_EQ(restored.TextLabel().Caption(), "3");
}

}  // namespace
}  // namespace corvex::test
