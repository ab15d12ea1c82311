#include "SystemSentinel.h"

#include "Battery_Zolt2.h"
#include "ExeSpeeder.h"
#include "KeySpeeder.h"
#include "SystemSpeeders.h"

namespace corvex {

_syssentinel::_syssentinel(_component* owner, _systemsources sources)
    : _sentinel(owner), sources_(std::move(sources)) {
    SetCaption("System Sentinel");
}

_result _syssentinel::PlugSpeeders() {
    _sentinel::PlugSpeeders();
    _speeder* made = nullptr;
    LinkSpeeder<_sclock>("clock", made);
    LinkSpeeder<_splatform>("os", made);
    LinkSpeeder<_sscreen>("scr", made);
    LinkSpeeder<_shost>("host", made);
    LinkSpeeder<_suser>("user", made);
    LinkSpeeder<_srunning>("live", made);
    LinkSpeeder(
        "mapi",
        [this](_sentinel& self) -> _speeder& {
            return sources_.mapi ? self.Make<_smapi>(sources_.mapi) : self.Make<_smapi>();
        },
        made);
    LinkSpeeder<_skey>("key", made);
    LinkSpeeder<_sexe>("exe", made);
    LinkSpeeder(
        "power",
        [this](_sentinel& self) -> _speeder& {
            return self.Make<_spower>(sources_.power ? *sources_.power : Win32PowerSource());
        },
        made);
    return _OK;
}

}  // namespace corvex
