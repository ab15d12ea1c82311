#pragma once
// _help: opens an HTML help page, at an anchor when given, in the browser
// the user has registered for ".htm" (or ".html") files.

#include <functional>
#include <string>

#include "Component.h"
#include "Core_Zolt2.h"

namespace corvex {

// Starts a command line with its window restored; false when it could
// not be started.
using _commandstarter = std::function<bool(const std::string& command)>;

class _help : public _component {
public:
    // Looks the browser up at once.
    explicit _help(_component* owner);

    // ---- published
    const std::string& Browser() const noexcept { return browser_; }
    const std::string& HelpFile() const noexcept { return helpFile_; }
    void SetHelpFile(std::string file) { helpFile_ = std::move(file); }
    const std::string& ErrorStr() const noexcept { return errorStr_; }

    // Tests put another starter in; the default runs the program.
    void SetStarter(_commandstarter starter);

    // ---- operations
    _result GetBrowser();
    _result OpenPage(const std::string& anchor = {});

private:
    std::string browser_;
    std::string helpFile_ = "help.htm";
    std::string errorStr_;
    _commandstarter starter_;
};

}  // namespace corvex
