#include "MailSentinel.h"

namespace corvex {

_mailsentinel::_mailsentinel(_component* owner) : _sentinel(owner) {
    SetCaption("Mail Sentinel");
    SetFlag(SENTINEL_USER_DEFINED, true);
}

}  // namespace corvex
