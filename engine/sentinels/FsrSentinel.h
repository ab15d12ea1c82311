#pragma once
// The FSR Sentinel and its Speeders: the free system resources of Windows
// 95/98/ME.
//
//   _fsrsentinel  owns the _fsr reader both rows share
//   _sfsr         what the two rows share
//   _suser32      free USER resources
//   _sgdi32       free GDI resources
//
// The rows are gauges of the used share drawn inverted: the bar is the
// free part, its colour that of the used part. On the NT family the reader
// is dead and both read 100 % free; there the rows start hidden (until the
// user shows them), since two bars that are always full tell nothing.
//
// Windows tree only.

#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "OsVersion.h"

namespace corvex {

class _fsr;
class _thunk16;

class _fsrsentinel : public _sentinel {
public:
    // On the real system.
    explicit _fsrsentinel(_component* owner);
    // On `thunk` (tests: a 95/98 system), as release `release`.
    _fsrsentinel(_component* owner, _thunk16& thunk, _winrelease release);

    _fsr* Fsr() const noexcept { return fsr_; }

    _result PlugSpeeders() override;

private:
    _fsr* fsr_ = nullptr;  // owned through the component list
};

// The common part of the two rows: the reader given by the Sentinel.
class _sfsr : public _gspeeder {
public:
    explicit _sfsr(_component* owner);
    void Bind(_fsr* fsr) noexcept { fsr_ = fsr; }
    _fsr* Fsr() const noexcept { return fsr_; }

    // 6 without a reader.
    _result RefreshPulse(unsigned elapsed) override;

protected:
    // Percent free of this row's resource.
    virtual std::int32_t Sample(_fsr& fsr) = 0;

private:
    _fsr* fsr_ = nullptr;
};

class _suser32 final : public _sfsr {
public:
    explicit _suser32(_component* owner);

protected:
    std::int32_t Sample(_fsr& fsr) override;
};

class _sgdi32 final : public _sfsr {
public:
    explicit _sgdi32(_component* owner);

protected:
    std::int32_t Sample(_fsr& fsr) override;
};

}  // namespace corvex
