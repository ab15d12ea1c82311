#include "FSR_Win32.h"

#include <windows.h>

#include "Debug_Zolt2.h"
#include "PeExports.h"
#include "System_Zolt2.h"

// Calls the 16:16 address `procedure` with one word through QT_Thunk.
// QT_Thunk takes its target in EDX and reckons the size of the arguments
// to copy onto the 16-bit stack as EBP - ESP - 0x40: the 0x40 bytes below
// EBP are its own, and the word must sit directly beneath them. So the
// frame is made by hand, with the registers this function keeps saved
// above EBP, out of the thunk's reach. The 16-bit callee (pascal) takes
// its word off the stack; EBP puts ESP right whatever it did.
extern "C" std::uint32_t corvex_qt_call(void* thunk, std::uint32_t procedure, std::uint32_t argument);
#if defined(__i386__)
asm(".text\n"
    ".globl _corvex_qt_call\n"
    "_corvex_qt_call:\n"
    "  pushl %ebx\n"
    "  pushl %esi\n"
    "  pushl %edi\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  movl 20(%ebp), %eax\n"   // thunk
    "  movl 24(%ebp), %edx\n"   // procedure
    "  movl 28(%ebp), %ecx\n"   // argument
    "  subl $0x40, %esp\n"
    "  pushw %cx\n"
    "  call *%eax\n"
    "  movzwl %ax, %eax\n"
    "  movl %ebp, %esp\n"
    "  popl %ebp\n"
    "  popl %edi\n"
    "  popl %esi\n"
    "  popl %ebx\n"
    "  ret\n");
#else
// A 64-bit process has no 16-bit side to call into (and Win64 has no QT_Thunk).
extern "C" std::uint32_t corvex_qt_call(void*, std::uint32_t, std::uint32_t) { return 0; }
#endif

namespace corvex {

namespace {

constexpr unsigned ORDINAL_LOADLIBRARY16 = 35;
constexpr unsigned ORDINAL_FREELIBRARY16 = 36;
constexpr unsigned ORDINAL_GETPROCADDRESS16 = 37;
// Handles of 31 or less from the 16-bit loader are error codes.
constexpr std::uint32_t LAST_LOADER_ERROR = 31;

template <class Function>
Function As(FARPROC address) noexcept {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

class _win32thunk final : public _thunk16 {
public:
    bool FindKernel() override {
        // Loaded into every process for its whole life: borrowed, not owned.
        kernel_ = GetModuleHandleA("Kernel32.dll");
        return kernel_ != nullptr;
    }
    bool FindThunk() override {
        thunk_ = kernel_ ? GetProcAddress(kernel_, "QT_Thunk") : nullptr;
        return thunk_ != nullptr;
    }
    std::uint32_t LoadModule16(const char* name) override {
        const auto load = As<DWORD(WINAPI*)(LPCSTR)>(Ordinal(ORDINAL_LOADLIBRARY16));
        return load ? load(name) : 0;
    }
    std::uint32_t FindProcedure16(std::uint32_t module, const char* name) override {
        const auto find = As<DWORD(WINAPI*)(DWORD, LPCSTR)>(Ordinal(ORDINAL_GETPROCADDRESS16));
        return find ? find(module, name) : 0;
    }
    void FreeModule16(std::uint32_t module) override {
        if (const auto release = As<void(WINAPI*)(DWORD)>(Ordinal(ORDINAL_FREELIBRARY16))) release(module);
    }
    std::uint16_t Call16(std::uint32_t procedure, std::uint16_t argument) override {
        if (!thunk_ || !procedure) return 0;
        return static_cast<std::uint16_t>(
            corvex_qt_call(reinterpret_cast<void*>(thunk_), procedure, argument));
    }

private:
    // GetProcAddress first; Windows 95/98/ME refuse ordinals of KERNEL32
    // there, so then the export table of the loaded image is read.
    FARPROC Ordinal(unsigned ordinal) const noexcept {
        if (!kernel_) return nullptr;
        if (FARPROC found = GetProcAddress(kernel_, MAKEINTRESOURCEA(ordinal))) return found;
        const auto* image = reinterpret_cast<const std::uint8_t*>(kernel_);
        MEMORY_BASIC_INFORMATION region{};
        if (!VirtualQuery(image, &region, sizeof region) || region.State != MEM_COMMIT) return nullptr;
        const std::uint32_t size = PeImageSize(image, region.RegionSize);
        const _peexport entry = FindExportByOrdinal(image, size, ordinal);
        if (entry.kind != PEEXPORT_FOUND) return nullptr;
        return reinterpret_cast<FARPROC>(reinterpret_cast<std::uintptr_t>(image) + entry.rva);
    }

    HMODULE kernel_ = nullptr;
    FARPROC thunk_ = nullptr;
};

}  // namespace

// ---- _mem

_mem::_mem(_component* owner) : _component(owner) {
    if (HMODULE kernel = GetModuleHandleA("Kernel32.dll"))
        statusEx_ = As<_statusex>(GetProcAddress(kernel, "GlobalMemoryStatusEx"));
}

_memorystatus _mem::Status() const noexcept {
    if (source_) return source_();
    _memorystatus status;
    if (statusEx_) {
        MEMORYSTATUSEX ex{};
        ex.dwLength = sizeof ex;
        if (statusEx_(&ex)) {
            status.ramFree = ex.ullAvailPhys;
            status.ramTotal = ex.ullTotalPhys;
            status.pageFree = ex.ullAvailPageFile;
            status.pageTotal = ex.ullTotalPageFile;
            status.virtualFree = ex.ullAvailVirtual;
            status.virtualTotal = ex.ullTotalVirtual;
            return status;
        }
    }
    MEMORYSTATUS classic{};
    classic.dwLength = sizeof classic;
    GlobalMemoryStatus(&classic);
    status.ramFree = classic.dwAvailPhys;
    status.ramTotal = classic.dwTotalPhys;
    status.pageFree = classic.dwAvailPageFile;
    status.pageTotal = classic.dwTotalPageFile;
    status.virtualFree = classic.dwAvailVirtual;
    status.virtualTotal = classic.dwTotalVirtual;
    return status;
}

// ---- the 16-bit calls

std::unique_ptr<_thunk16> MakeWin32Thunk() { return std::make_unique<_win32thunk>(); }

// ---- _fsr

_fsr::_fsr(_component* owner) : _component(owner), own_(MakeWin32Thunk()), thunk_(*own_) {
    SetUp(WindowsRelease());
}

_fsr::_fsr(_component* owner, _thunk16& thunk, _winrelease release) : _component(owner), thunk_(thunk) {
    SetUp(release);
}

_fsr::~_fsr() {
    if (!dead_) thunk_.FreeModule16(module_);
}

void _fsr::SetUp(_winrelease release) {
    dead_ = true;
    if (release > RELEASE_WIN98) {
        error_ = FSR_NOT_SUPPORTED;
        return;
    }
    if (!thunk_.FindKernel()) {
        error_ = FSR_NO_KERNEL32;
    } else if (!thunk_.FindThunk()) {
        error_ = FSR_NO_QT_THUNK;
    } else if (const std::uint32_t module = thunk_.LoadModule16("user.exe"); module <= LAST_LOADER_ERROR) {
        error_ = FSR_NO_USER16;
    } else if (const std::uint32_t procedure = thunk_.FindProcedure16(module, "GetFreeSystemResources");
               !procedure) {
        thunk_.FreeModule16(module);
        error_ = FSR_NO_PROCEDURE;
    } else {
        module_ = module;
        procedure_ = procedure;
        error_ = FSR_NONE;
        dead_ = false;
        USER();
        GDI();
    }
    if (dead_) Log(1, "ERROR: _fsr: %s", ErrorStr());
}

std::int32_t _fsr::Read(std::uint16_t resource, std::int32_t& last) {
    if (dead_) return 100;
    last = thunk_.Call16(procedure_, resource);
    return last;
}

std::int32_t _fsr::USER() { return Read(GFSR_USERRESOURCES, user_); }
std::int32_t _fsr::GDI() { return Read(GFSR_GDIRESOURCES, gdi_); }

}  // namespace corvex
