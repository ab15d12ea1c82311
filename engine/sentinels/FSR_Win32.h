#pragma once
// Memory and free system resources, as the Memory and FSR Sentinels read
// them.
//
//   _memorystatus  one reading of the memory status, in bytes
//   _mem           physical memory, page file and address space
//   _thunk16       the 32-to-16-bit calls of Windows 95/98/ME: one thin
//                  wrapper, so tests can play a 95/98 system
//   _fsr           the free USER and GDI resources of Windows 95/98/ME,
//                  read from the 16-bit USER module through QT_Thunk
//
// Windows tree only.

#include <cstdint>
#include <memory>
#include <string>

#include "Component.h"
#include "FsrStates.h"
#include "OsVersion.h"

namespace corvex {

struct _memorystatus {
    std::uint64_t ramFree = 0;
    std::uint64_t ramTotal = 0;
    std::uint64_t pageFree = 0;
    std::uint64_t pageTotal = 0;
    std::uint64_t virtualFree = 0;
    std::uint64_t virtualTotal = 0;
};

// Every read is a fresh status. Amounts are 64-bit: where the system has
// GlobalMemoryStatusEx (2000 and later) it is used, since GlobalMemoryStatus
// saturates at 4 GiB (2 GiB for a program like this one). Where only the
// 32-bit status exists, its amounts are shown as it reports them.
class _mem : public _component {
public:
    explicit _mem(_component* owner);

    // Where the status comes from: the system unless another source is put
    // in (a soak of the readouts on changing amounts).
    using _statussource = _memorystatus (*)();
    void SetSource(_statussource source) noexcept { source_ = source; }

    _memorystatus Status() const noexcept;
    std::uint64_t RAMFree() const noexcept { return Status().ramFree; }
    std::uint64_t RAMTotal() const noexcept { return Status().ramTotal; }
    std::uint64_t PageFree() const noexcept { return Status().pageFree; }
    std::uint64_t PageTotal() const noexcept { return Status().pageTotal; }
    std::uint64_t VirtualFree() const noexcept { return Status().virtualFree; }
    std::uint64_t VirtualTotal() const noexcept { return Status().virtualTotal; }

private:
    using _statusex = int(__stdcall*)(void* status);
    _statusex statusEx_ = nullptr;  // looked up once: missing before 2000
    _statussource source_ = nullptr;
};

class _thunk16 {
public:
    virtual ~_thunk16() = default;
    // The steps of the set-up, in order; each false or 0 on failure.
    virtual bool FindKernel() = 0;  // "Kernel32.dll"
    virtual bool FindThunk() = 0;   // its export "QT_Thunk"
    // The 16-bit loader (KERNEL32 ordinal 35): an instance handle, or an
    // error code of 31 or less.
    virtual std::uint32_t LoadModule16(const char* name) = 0;
    // GetProcAddress16 (ordinal 37): a 16:16 address, or 0.
    virtual std::uint32_t FindProcedure16(std::uint32_t module, const char* name) = 0;
    // FreeLibrary16 (ordinal 36).
    virtual void FreeModule16(std::uint32_t module) = 0;
    // Calls the 16-bit `procedure` with one word through QT_Thunk.
    virtual std::uint16_t Call16(std::uint32_t procedure, std::uint16_t argument) = 0;
};

// The real calls.
std::unique_ptr<_thunk16> MakeWin32Thunk();

class _fsr : public _component {
public:
    // On the real system.
    explicit _fsr(_component* owner);
    // On `thunk` (which must outlive the reader), as release `release`.
    _fsr(_component* owner, _thunk16& thunk, _winrelease release);
    ~_fsr() override;

    // ---- properties
    bool Dead() const noexcept { return dead_; }
    _fsrerror Error() const noexcept { return error_; }
    const char* ErrorStr() const noexcept { return FsrErrorText(error_); }
    // Percent free, read now; 100 when dead. The last values read stay in
    // LastUser and LastGdi.
    std::int32_t USER();
    std::int32_t GDI();
    std::int32_t LastUser() const noexcept { return user_; }
    std::int32_t LastGdi() const noexcept { return gdi_; }

private:
    void SetUp(_winrelease release);
    std::int32_t Read(std::uint16_t resource, std::int32_t& last);

    std::unique_ptr<_thunk16> own_;  // the real one, when none was given
    _thunk16& thunk_;
    bool dead_ = true;
    _fsrerror error_ = FSR_GENERAL;
    std::uint32_t module_ = 0;     // user.exe, while alive
    std::uint32_t procedure_ = 0;  // its GetFreeSystemResources
    std::int32_t user_ = 100;
    std::int32_t gdi_ = 100;
};

}  // namespace corvex
