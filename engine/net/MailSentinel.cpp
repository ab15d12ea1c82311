#include "MailSentinel.h"

#include <algorithm>
#include <vector>

#include "Debug_Zolt2.h"
#include "Edit.h"
#include "KernelPort.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Menu.h"
#include "POP3_Zolt2.h"
#include "Panel.h"
#include "Pop3Client_Win32.h"
#include "Timer.h"
#include "PageAnchor.h"

namespace corvex {

namespace {

constexpr int ICON_NO_MAIL = 15;
constexpr int ICON_MAIL = 18;
constexpr unsigned MIN_PERIOD = 1000;
constexpr unsigned NEW_ACCOUNT_PERIOD = 600000;  // ten minutes
// Stored values beyond these are damaged: no host name, user name or
// password is longer, and the Designer's frequency box goes no further.
constexpr std::size_t MAX_TEXT = 255;
constexpr int MIN_STORED_PERIOD = 10;
constexpr int MAX_STORED_PERIOD = 100000000;
// The page's edits start here and end this far short of its right edge.
constexpr int EDIT_LEFT = 60;
constexpr int EDIT_MARGIN = 10;

// A label at (10, top) and, 3 pixels higher, the control it names.
template <class T>
T& PageRow(_panel& page, const char* caption, int top, int width) {
    _label& label = page.Make<_label>(&page, caption);
    label.SetBounds(10, top, label.Width(), label.Height());
    T& control = page.Make<T>(&page);
    control.SetBounds(EDIT_LEFT, label.Top() - 3, width, control.Height());
    return control;
}

// An edit of the page that stretches with it.
_edit& StretchedRow(_panel& page, const char* caption, int top) {
    _edit& edit = PageRow<_edit>(page, caption, top, 0);
    edit.Make<_pageanchor>(edit, EDIT_MARGIN);
    return edit;
}

bool ValidAccountName(const std::string& name) { return !name.empty() && name.find('\\') == std::string::npos; }

}  // namespace

// ---------------------------------------------------------------------------

_smail::_smail(_component* owner) : _tspeeder(owner) {
    SetOption(SPEEDER_DESIGNER, true);
    SetName("mail");
    SetIconIndex(ICON_NO_MAIL);
    SetHelpAnchor("");
}

_smail::~_smail() = default;

void _smail::SetCount(int count) {
    count_ = count;
    UpdateIcon();
    UpdateCaption();
}

_result _smail::UpdateIcon() {
    SetIconIndex(errorCode_ != _OK || count_ == 0 ? ICON_NO_MAIL : ICON_MAIL);
    const _result result = _tspeeder::UpdateIcon();
    blink_ ^= 1;
    return result;
}

_result _smail::UpdateCaption() {
    const _result result = _tspeeder::UpdateCaption();
    _label& text = TextLabel();
    _fontspec font = text.Font();
    const bool bold = errorCode_ != _OK || count_ > 0;
    font.style = static_cast<unsigned char>(bold ? (font.style | FONT_BOLD) : (font.style & ~FONT_BOLD));
    const std::string caption = errorCode_ != _OK ? "ERROR: " + errorText_ : std::to_string(count_);
    if (font == text.Font() && caption == text.Caption()) return result;
    text.SetFont(font);
    text.SetCaption(caption);
    text.Repaint();
    return result;
}

_result _smail::SaveSettings(const std::string& key, _lair& store) {
    _tspeeder::SaveSettings(key, store);
    store.WriteString("user", user_);
    // Kept as the plain string it always was: stored accounts rely on it.
    store.WriteString("pass", pass_);
    return _OK;
}

_result _smail::LoadSettings(const std::string& key, _lair& store) {
    _tspeeder::LoadSettings(key, store);
    user_ = store.ReadString("user", user_, MAX_TEXT);
    pass_ = store.ReadString("pass", pass_, MAX_TEXT);
    return _OK;
}

_result _smail::KillAccount() { return _OK; }

// ---------------------------------------------------------------------------

_spop3::_spop3(_component* owner) : _smail(owner) {
    SetName("pop3");
    SetHelpAnchor("_spop3");
    // Checked on its own timer, never by the engine's tick.
    SetOption(SPEEDER_FREQUENCY | SPEEDER_UNTIMED, true);
    watcher_ = &Make<_pop3>();
    watcher_->OnError = [this] { WatcherError(); };
    watcher_->OnMail = [this] { WatcherMail(); };
    CopyState();
    timer_ = &Make<_timer>();
    timer_->SetEnabled(false);
    timer_->SetInterval(MIN_PERIOD);
    timer_->OnTimer = [this] { CheckMailbox(); };
}

_spop3::~_spop3() {
    timer_->SetEnabled(false);
    watcher_->Kill();
}

const std::string& _spop3::Server() const { return watcher_->Host(); }
unsigned _spop3::Port() const { return watcher_->Port(); }
void _spop3::SetServer(const std::string& server) { watcher_->SetHost(server); }
void _spop3::SetPort(unsigned port) { watcher_->SetPort(port); }

void _spop3::CopyState() {
    SetErrorState(watcher_->Error() == POP3_OK ? _OK : _ERROR, watcher_->ErrorStr());
}

void _spop3::WatcherError() {
    CopyState();
    SetCount(0);
}

void _spop3::WatcherMail() {
    CopyState();
    SetCount(static_cast<int>(std::min<unsigned>(watcher_->TotalMails(), 0x7FFFFFFF)));
}

void _spop3::CheckMailbox() {
    _pop3client* client = watcher_->Engine();
    if (!client) return;  // killed: Windows is ending the session
    ShowNotice("checking...");
    // A running check reads them: it keeps what it started with, and this
    // request is refused anyway.
    if (!(watcher_->Art() & POP3_ONLINE)) {
        client->SetUserID(User());
        client->SetPassword(Pass());
    }
    watcher_->CheckInbox();
}

_result _spop3::ApplyFrequency(unsigned period) {
    // A refused period leaves the account checking as it did.
    if (period < MIN_PERIOD) return _ERROR;
    timer_->SetInterval(period);
    // A stopped account starts its timer when it is started.
    if (!Stopped()) timer_->SetEnabled(true);
    return _OK;
}

_result _spop3::Start() {
    const _result result = _smail::Start();
    timer_->SetEnabled(true);
    return result;
}

_result _spop3::Stop() {
    const _result result = _smail::Stop();
    timer_->SetEnabled(false);
    watcher_->StopCheck();
    return result;
}

_result _spop3::Ignite() {
    const _result result = _smail::Ignite();
    CheckMailbox();
    return result;
}

_result _spop3::Shutdown() { return _smail::Shutdown(); }

_result _spop3::GetFrequency(unsigned& period) {
    period = timer_->Interval();
    return _OK;
}

_result _spop3::SetFrequency(unsigned period) { return ApplyFrequency(period); }

_result _spop3::SaveSettings(const std::string& key, _lair& store) {
    _smail::SaveSettings(key, store);
    store.WriteString("server", Server());
    store.WriteInteger("port", static_cast<int>(Port()));
    store.WriteInteger("freq", static_cast<int>(timer_->Interval()));
    return _OK;
}

_result _spop3::LoadSettings(const std::string& key, _lair& store) {
    _smail::LoadSettings(key, store);
    SetServer(store.ReadString("server", Server(), MAX_TEXT));
    SetPort(static_cast<unsigned>(store.ReadInteger("port", static_cast<int>(Port()), 1, 65535)));
    // As stored: the 1000 ms floor is the Designer's, not the registry's.
    timer_->SetInterval(static_cast<unsigned>(
        store.ReadInteger("freq", static_cast<int>(timer_->Interval()), MIN_STORED_PERIOD, MAX_STORED_PERIOD)));
    return _OK;
}

void _spop3::AddMenuItems(_menuitem& item) {
    _smail::AddMenuItems(item);
    item.Add("check now...").OnClick = [this](_menuitem&) { CheckMailbox(); };
}

void _spop3::OnCreateDesigner(_panel& page) {
    OnDestroyDesigner(page);
    serverEdit_ = &StretchedRow(page, "server:", 10);
    serverEdit_->SetMaxLength(static_cast<int>(MAX_TEXT));
    serverEdit_->SetText(Server());
    portSpin_ = &PageRow<_spinedit>(page, "port:", 35, 50);
    portSpin_->SetRange(1, 65535);
    portSpin_->SetValue(static_cast<long>(Port()));
    serverEdit_->FreeNotification(*this);
    portSpin_->FreeNotification(*this);
}

void _spop3::OnDestroyDesigner(_panel& page) {
    (void)page;
    if (serverEdit_) serverEdit_->RemoveFreeNotification(*this);
    if (portSpin_) portSpin_->RemoveFreeNotification(*this);
    serverEdit_ = nullptr;
    portSpin_ = nullptr;
}

_result _spop3::OnRedesign() {
    if (serverEdit_) SetServer(serverEdit_->Text());
    if (portSpin_) SetPort(static_cast<unsigned>(portSpin_->Value()));
    return _smail::OnRedesign();
}

_result _spop3::KillAccount() {
    timer_->SetEnabled(false);
    watcher_->Kill();
    return _OK;
}

void _spop3::Notification(_component& destroyed) {
    if (&destroyed == serverEdit_) serverEdit_ = nullptr;
    if (&destroyed == portSpin_) portSpin_ = nullptr;
    _smail::Notification(destroyed);
}

// ---------------------------------------------------------------------------

_mailsentinel::_mailsentinel(_component* owner) : _sentinel(owner) {
    SetCaption("Mail Sentinel");
    SetFlag(SENTINEL_USER_DEFINED, true);
}

_mailsentinel::~_mailsentinel() {
    if (userEdit_) userEdit_->RemoveFreeNotification(*this);
    if (passEdit_) passEdit_->RemoveFreeNotification(*this);
}

_result _mailsentinel::NewSpeeder(_speeder*& speeder) {
    try {
        speeder = &Make<_spop3>();
    } catch (...) {
        // No sockets to be had: an account that could never check.
        speeder = nullptr;
        return _ERROR;
    }
    return _OK;
}

_result _mailsentinel::PlugSpeeders() { return _sentinel::PlugSpeeders(); }

_result _mailsentinel::OnCreateDesigner(_panel& page, _speeder* speeder) {
    Log(10, "_mailsentinel.OnCreateDesigner(%p,%p): <-", static_cast<void*>(&page), static_cast<void*>(speeder));
    OnDestroyDesigner(page);
    const _smail* mail = dynamic_cast<const _smail*>(speeder);
    userEdit_ = &StretchedRow(page, "user:", 10);
    passEdit_ = &StretchedRow(page, "pass:", 35);
    passEdit_->SetPasswordChar('*');
    for (_edit* edit : {userEdit_, passEdit_}) {
        edit->SetMaxLength(static_cast<int>(MAX_TEXT));
        edit->FreeNotification(*this);
    }
    userEdit_->SetText(mail ? mail->User() : "brannock");
    passEdit_->SetText(mail ? mail->Pass() : "579");
    Log(10, "_mailsentinel.OnCreateDesigner(%p,%p): -> (result=%d)", static_cast<void*>(&page),
        static_cast<void*>(speeder), _OK);
    return _OK;
}

bool _mailsentinel::NameFree(const std::string& name, const _speeder* except) const {
    if (!ValidAccountName(name)) return false;
    for (std::size_t i = 0; i < SpeederCount(); ++i) {
        const _speeder* other = Speeders(i);
        if (other != except && other->Name() == name) return false;
    }
    return true;
}

_result _mailsentinel::OnAddSpeeder(_speeder*& speeder) {
    speeder = nullptr;
    if (Check(!userEdit_ || !passEdit_, "_mailsentinel.OnAddSpeeder: no Designer page") == DEBUG_ASSERT)
        return _ERROR;
    const std::string user = userEdit_->Text();
    // Two accounts of one name would share one registry key, and the
    // second would overwrite the first when the settings are saved.
    if (Check(!NameFree(user, nullptr), "_mailsentinel.OnAddSpeeder(%s): not a free account name", user.c_str()) ==
        DEBUG_ASSERT)
        return _ERROR;
    _speeder* made = nullptr;
    if (NewSpeeder(made) != _OK) return _ERROR;
    auto& account = static_cast<_spop3&>(*made);
    account.SetName(user);
    account.SetUser(user);
    account.SetPass(passEdit_->Text());
    account.ApplyFrequency(NEW_ACCOUNT_PERIOD);
    // A key left by an account of this name destroyed since the last save
    // would otherwise hand its old password to the new one.
    _kernelport* kernel = Kernel();
    if (_lair* store = kernel ? kernel->Store() : nullptr; store && !Key().empty()) {
        const _lairkey scope(*store, Key() + "\\Speeders");
        store->Hive().DeleteKey(store->FullPath() + "\\" + user);
    }
    AddSpeeder(&account);
    speeder = &account;
    return _sentinel::OnAddSpeeder(speeder);
}

_result _mailsentinel::OnRedesignSpeeder(_speeder& speeder) {
    auto* mail = dynamic_cast<_smail*>(&speeder);
    if (Check(!mail || !userEdit_ || !passEdit_, "_mailsentinel.OnRedesignSpeeder(%p): no account or no page",
              static_cast<void*>(&speeder)) == DEBUG_ASSERT)
        return _ERROR;
    const std::string user = userEdit_->Text();
    if (Check(!NameFree(user, &speeder), "_mailsentinel.OnRedesignSpeeder(%s): not a free account name",
              user.c_str()) == DEBUG_ASSERT)
        return _ERROR;
    mail->SetName(user);
    mail->SetUser(user);
    mail->SetPass(passEdit_->Text());
    return _OK;
}

_result _mailsentinel::OnDestroyDesigner(_panel& page) {
    (void)page;
    if (userEdit_) userEdit_->RemoveFreeNotification(*this);
    if (passEdit_) passEdit_->RemoveFreeNotification(*this);
    userEdit_ = nullptr;
    passEdit_ = nullptr;
    return _OK;
}

_result _mailsentinel::KillAccounts() {
    Log(10, "_mailsentinel.KillAccounts: <-");
    for (std::size_t i = 0; i < SpeederCount(); ++i)
        if (auto* mail = dynamic_cast<_smail*>(Speeders(i))) mail->KillAccount();
    Log(10, "_mailsentinel.KillAccounts: -> %d", _OK);
    return _OK;
}

void _mailsentinel::Notification(_component& destroyed) {
    if (&destroyed == userEdit_) userEdit_ = nullptr;
    if (&destroyed == passEdit_) passEdit_ = nullptr;
    _sentinel::Notification(destroyed);
}

}  // namespace corvex
