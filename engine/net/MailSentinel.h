#pragma once
// _mailsentinel: the messages waiting in POP3 mailboxes of the user's
// choice, one Speeder per account.
//
// Windows tree only.

#include "Corvex_Sentinels.h"

namespace corvex {

class _mailsentinel : public _sentinel {
public:
    explicit _mailsentinel(_component* owner);
    // Ends every mail account's connection (before Windows ends the session).
    virtual _result KillAccounts() { return _OK; }
};

}  // namespace corvex
