// KERNEL32 entries that the compiler's thread library imports and older
// Windows lacks: GetTickCount64 (Vista), Add- and
// RemoveVectoredExceptionHandler (XP), TryEnterCriticalSection (NT 4) and
// IsDebuggerPresent (98, NT 4). A program importing a missing entry does not
// start at all, so the programs' import slots for these are defined here
// instead of taken from KERNEL32's import library. The first call through a
// slot looks the system's entry up and puts it into the slot, or an
// equivalent where the system has none.
// Linked into each program as an object: as a library member it would come
// too late, since the thread library is searched after the program's own.

#include <windows.h>

#include "TickExtender.h"

namespace {

template <class Proc>
Proc SystemEntry(const char* name, Proc fallback) noexcept {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const FARPROC entry = kernel ? GetProcAddress(kernel, name) : nullptr;
    return entry ? reinterpret_cast<Proc>(reinterpret_cast<void*>(entry)) : fallback;
}

// Process-wide like the counter it extends; guarded by a spin lock, since a
// critical section would need initialising before the first caller.
corvex::_tickextender tickExtender;
volatile LONG tickLock = 0;

ULONGLONG WINAPI ExtendedTickCount() {
    while (InterlockedExchange(&tickLock, 1) != 0) Sleep(0);
    const ULONGLONG now = tickExtender.Extend(GetTickCount());
    InterlockedExchange(&tickLock, 0);
    return now;
}

// Without vectored handlers nothing is added; the handle only has to be
// one that is not null and that removing accepts.
PVOID WINAPI NoVectoredHandler(ULONG, PVECTORED_EXCEPTION_HANDLER handler) {
    return reinterpret_cast<PVOID>(handler);
}
ULONG WINAPI RemoveNoVectoredHandler(PVOID) { return 1; }

// Waiting instead of trying: the thread library tries only where it would
// otherwise report a condition variable busy.
BOOL WINAPI EnterInsteadOfTrying(LPCRITICAL_SECTION section) {
    EnterCriticalSection(section);
    return TRUE;
}

BOOL WINAPI NoDebugger() { return FALSE; }

ULONGLONG WINAPI FirstGetTickCount64();
PVOID WINAPI FirstAddVectoredExceptionHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler);
ULONG WINAPI FirstRemoveVectoredExceptionHandler(PVOID handle);
BOOL WINAPI FirstTryEnterCriticalSection(LPCRITICAL_SECTION section);
BOOL WINAPI FirstIsDebuggerPresent();

}  // namespace

// The slots, under the names the import library would give them.
extern "C" {
ULONGLONG(WINAPI* corvexGetTickCount64)() __asm__("__imp__GetTickCount64@0") = &FirstGetTickCount64;
PVOID(WINAPI* corvexAddVectoredExceptionHandler)(ULONG, PVECTORED_EXCEPTION_HANDLER) __asm__(
    "__imp__AddVectoredExceptionHandler@8") = &FirstAddVectoredExceptionHandler;
ULONG(WINAPI* corvexRemoveVectoredExceptionHandler)(PVOID) __asm__("__imp__RemoveVectoredExceptionHandler@4") =
    &FirstRemoveVectoredExceptionHandler;
BOOL(WINAPI* corvexTryEnterCriticalSection)(LPCRITICAL_SECTION) __asm__("__imp__TryEnterCriticalSection@4") =
    &FirstTryEnterCriticalSection;
BOOL(WINAPI* corvexIsDebuggerPresent)() __asm__("__imp__IsDebuggerPresent@0") = &FirstIsDebuggerPresent;
}

namespace {

ULONGLONG WINAPI FirstGetTickCount64() {
    corvexGetTickCount64 = SystemEntry("GetTickCount64", &ExtendedTickCount);
    return corvexGetTickCount64();
}

PVOID WINAPI FirstAddVectoredExceptionHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
    corvexAddVectoredExceptionHandler = SystemEntry("AddVectoredExceptionHandler", &NoVectoredHandler);
    corvexRemoveVectoredExceptionHandler = SystemEntry("RemoveVectoredExceptionHandler", &RemoveNoVectoredHandler);
    return corvexAddVectoredExceptionHandler(first, handler);
}

ULONG WINAPI FirstRemoveVectoredExceptionHandler(PVOID handle) {
    corvexRemoveVectoredExceptionHandler = SystemEntry("RemoveVectoredExceptionHandler", &RemoveNoVectoredHandler);
    return corvexRemoveVectoredExceptionHandler(handle);
}

BOOL WINAPI FirstTryEnterCriticalSection(LPCRITICAL_SECTION section) {
    corvexTryEnterCriticalSection = SystemEntry("TryEnterCriticalSection", &EnterInsteadOfTrying);
    return corvexTryEnterCriticalSection(section);
}

BOOL WINAPI FirstIsDebuggerPresent() {
    corvexIsDebuggerPresent = SystemEntry("IsDebuggerPresent", &NoDebugger);
    return corvexIsDebuggerPresent();
}

}  // namespace
