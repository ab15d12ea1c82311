#pragma once
// LaunchCpuInfo: the processor information, shown by "cpupanel32.dll", a
// library outside the program that is loaded for each showing and freed
// when its window has been closed. A missing library, or one without its
// entry point, is told to the user like a missing about box.

#include "About_Launcher_Zolt2.h"
#include "Core_Zolt2.h"

namespace corvex {

_result LaunchCpuInfo(const _aboutnotice& notice = {});

}  // namespace corvex
