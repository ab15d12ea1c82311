#pragma once
// Message boxes that answer with result codes, and the text of the last
// system error.

#include <string>

#include "Core_Zolt2.h"

namespace corvex {

// A modal box without owner: `text`, caption "<application>: error", the
// error icon and an OK button. _OK.
_result ErrorBox(const std::string& text, const std::string& application);

// A modal box without owner: `text`, caption "<application>: question", the
// question icon and `buttons` (MB_OK, MB_YESNO, MB_ABORTRETRYIGNORE ...).
// The pressed button as _OK, _CANCEL, _ABORT, _YES or _NO; any other
// (or a box that could not be shown) as _ERROR.
_result QuestionBox(const std::string& text, const std::string& application,
                    unsigned buttons);

// The result code of a message box's answer (IDOK, IDYES ...).
_result ResultOfButton(int id) noexcept;

// The system's text for the calling thread's last error, in the neutral
// language with the user's default sub-language, without the line break
// the system ends it with; empty when the system has no text for it.
std::string LastErrorText();

}  // namespace corvex
