#include "BuiltinSentinels.h"

#include "AudioSentinel.h"
#include "Corvex_Kernel.h"
#include "CpuSentinel.h"
#include "DriveSentinel.h"
#include "FsrSentinel.h"
#include "KernelSentinel.h"
#include "LanSentinel.h"
#include "MailSentinel.h"
#include "MemorySentinel.h"
#include "NetSentinel.h"
#include "SystemSentinel.h"

namespace corvex {

namespace {

template <class T>
_sentinel& MakeSentinel(TPULSE& bar) {
    return bar.Make<T>();
}

const _builtinsentinel kBuiltins[SENTINEL_BUILTIN_COUNT] = {
    {"_drivessentinel", "Plugging Drive Sentinel", &MakeSentinel<_drivessentinel>},
    {"_cpusentinel", "Plugging CPU Sentinel", &MakeSentinel<_cpusentinel>},
    {"_memsentinel", "Plugging Memory Sentinel", &MakeSentinel<_memsentinel>},
    {"_fsrsentinel", "Plugging FSR Sentinel", &MakeSentinel<_fsrsentinel>},
    {"_audiosentinel", "Plugging Audio Sentinel", &MakeSentinel<_audiosentinel>},
    {"_syssentinel", "Plugging System Sentinel", &MakeSentinel<_syssentinel>},
    {"_netsentinel", "Plugging Net Sentinel", &MakeSentinel<_netsentinel>},
    {"_kernelsentinel", "Plugging Kernel Sentinel", &MakeSentinel<_kernelsentinel>},
    {"_lansentinel", "Plugging LAN Sentinel", &MakeSentinel<_lansentinel>},
    {"_mailsentinel", "Plugging Mail Sentinel", &MakeSentinel<_mailsentinel>},
    {"_rassentinel", "Plugging RAS Sentinel", &MakeSentinel<_rassentinel>},
};

}  // namespace

const _builtinsentinel& BuiltinSentinel(_sentinelrole role) noexcept { return kBuiltins[role]; }

}  // namespace corvex
