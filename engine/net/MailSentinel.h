#pragma once
// The messages waiting in POP3 mailboxes of the user's choice, one Speeder
// per account.
//
//   _smail         a mail readout: the count or the reason a check failed
//                  in its text, an icon that changes when mail waits, the
//                  account's user and password
//   _spop3         one POP3 account, checked on its own timer by a _pop3
//                  watcher; its Designer page holds server and port
//   _mailsentinel  the band of accounts; its Designer page holds user and
//                  password, for a new account or the selected one
//
// Windows tree only.

#include <string>

#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"

namespace corvex {

class _edit;
class _pop3;
class _spinedit;
class _timer;

class _smail : public _tspeeder {
public:
    explicit _smail(_component* owner);
    ~_smail() override;

    // ---- attributes
    int Count() const noexcept { return count_; }
    // Stores the count and shows it (or the error) with its icon.
    void SetCount(int count);
    // _OK after a check that counted, _ERROR otherwise.
    _result ErrorCode() const noexcept { return errorCode_; }
    const std::string& ErrorText() const noexcept { return errorText_; }
    const std::string& User() const noexcept { return user_; }
    void SetUser(const std::string& user) { user_ = user; }
    const std::string& Pass() const noexcept { return pass_; }
    void SetPass(const std::string& pass) { pass_ = pass; }
    int BlinkPhase() const noexcept { return blink_; }

    // ---- overrides
    _result UpdateIcon() override;
    _result UpdateCaption() override;
    _result SaveSettings(const std::string& key, _lair& store) override;
    _result LoadSettings(const std::string& key, _lair& store) override;

    // Ends the account's connection for good (Windows is ending the
    // session); nothing for the base.
    virtual _result KillAccount();

protected:
    void SetErrorState(_result code, const std::string& text) {
        errorCode_ = code;
        errorText_ = text;
    }

private:
    int count_ = 0;
    _result errorCode_ = _ERROR;
    std::string errorText_ = "off";
    std::string user_;
    std::string pass_;
    int blink_ = 0;
};

class _spop3 : public _smail {
public:
    explicit _spop3(_component* owner);
    ~_spop3() override;

    _pop3& Watcher() const noexcept { return *watcher_; }
    // The page's controls while it is open (for the Designer's tests).
    _edit* ServerEdit() const noexcept { return serverEdit_; }
    _spinedit* PortSpin() const noexcept { return portSpin_; }
    _timer& CheckTimer() const noexcept { return *timer_; }
    const std::string& Server() const;
    unsigned Port() const;
    void SetServer(const std::string& server);
    void SetPort(unsigned port);

    // One check now: "checking..." until the watcher reports. Nothing once
    // the account was killed.
    void CheckMailbox();
    // The checking period in ms: _ERROR, and nothing changed, under 1000.
    _result ApplyFrequency(unsigned period);

    // ---- overrides
    _result Start() override;
    _result Stop() override;
    _result Ignite() override;
    _result Shutdown() override;
    _result GetFrequency(unsigned& period) override;
    _result SetFrequency(unsigned period) override;
    _result SaveSettings(const std::string& key, _lair& store) override;
    _result LoadSettings(const std::string& key, _lair& store) override;
    void AddMenuItems(_menuitem& item) override;
    void OnCreateDesigner(_panel& page) override;
    void OnDestroyDesigner(_panel& page) override;
    _result OnRedesign() override;
    _result KillAccount() override;

protected:
    void Notification(_component& destroyed) override;

private:
    void CopyState();
    void WatcherError();
    void WatcherMail();

    _pop3* watcher_ = nullptr;  // owned through the component list
    _timer* timer_ = nullptr;   // owned through the component list
    _edit* serverEdit_ = nullptr;     // on the Designer page while it is open
    _spinedit* portSpin_ = nullptr;
};

class _mailsentinel : public _sentinel {
public:
    explicit _mailsentinel(_component* owner);
    ~_mailsentinel() override;

    // The page's edits while it is open (for the Designer's tests).
    _edit* UserEdit() const noexcept { return userEdit_; }
    _edit* PassEdit() const noexcept { return passEdit_; }

    _result NewSpeeder(_speeder*& speeder) override;
    _result PlugSpeeders() override;
    _result OnCreateDesigner(_panel& page, _speeder* speeder) override;
    _result OnAddSpeeder(_speeder*& speeder) override;
    _result OnRedesignSpeeder(_speeder& speeder) override;
    _result OnDestroyDesigner(_panel& page) override;

    // Ends every account's connection, in list order (Windows is ending
    // the session).
    _result KillAccounts();

protected:
    void Notification(_component& destroyed) override;

private:
    // An account's name is its registry key: not empty, no "\", and not
    // one another account of this band has.
    bool NameFree(const std::string& name, const _speeder* except) const;

    _edit* userEdit_ = nullptr;
    _edit* passEdit_ = nullptr;
};

}  // namespace corvex
