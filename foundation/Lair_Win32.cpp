// The settings store on the Win32 registry.

#include "Lair_Zolt2.h"
#include "Registry_Win32.h"

namespace corvex {

_lair::_lair(_component* owner) : _lair(owner, Win32Registry()) {}

}  // namespace corvex
