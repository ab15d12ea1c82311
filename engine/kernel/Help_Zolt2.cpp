#include "Help_Zolt2.h"

#include <windows.h>

#include "Debug_Zolt2.h"
#include "Error_Zolt2.h"
#include "HelpCommand.h"
#include "Registry_Zolt2.h"

namespace corvex {

namespace {

bool StartCommand(const std::string& command) {
    return WinExec(command.c_str(), SW_RESTORE) >= 32;
}

}  // namespace

_help::_help(_component* owner) : _component(owner), starter_(&StartCommand) { GetBrowser(); }

void _help::SetStarter(_commandstarter starter) { starter_ = starter ? std::move(starter) : &StartCommand; }

_result _help::GetBrowser() {
    for (const char* extension : {"\\.htm", "\\.html"}) {
        Log(80, "GetBrowser: reading \"%s\"", extension);
        _registry registry;
        registry.SetRootKey(REGISTRY_CLASSES_ROOT);
        std::string type;
        if (registry.OpenKey(extension, false, REGISTRY_READ)) type = registry.ReadString("");
        Log(80, "GetBrowser: browser type=\"%s\"", type.c_str());
        if (type.empty()) continue;
        const std::string command = type + "\\shell\\Open\\Command";
        Log(80, "GetBrowser: opening \"%s\"", command.c_str());
        if (registry.OpenKey("\\" + command, false, REGISTRY_READ)) {
            browser_ = registry.ReadString("");
            Log(80, "GetBrowser: browser exe=\"%s\"", browser_.c_str());
            errorStr_.clear();
            return _OK;
        }
    }
    errorStr_ = "browser not found";
    return _ERROR;
}

_result _help::OpenPage(const std::string& anchor) {
    const std::string page = anchor.empty() ? helpFile_ : helpFile_ + "#" + anchor;
    Log(80, "GetBrowser: opening page %s %s", browser_.c_str(), page.c_str());
    if (!starter_(BrowserCommand(browser_, helpFile_, anchor))) {
        errorStr_ = LastErrorText();
        return _ERROR;
    }
    errorStr_.clear();
    return _OK;
}

}  // namespace corvex
