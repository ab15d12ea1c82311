#pragma once
// _skey: the keyboard language of the window in the foreground, with its
// icon, from the language file "keylang.ini" of the data folder. The
// layout is polled every 100 ms while the readout runs; only a change of
// layout touches the readout.
//
// Windows tree only.

#include <cstdint>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Corvex_Speeders.h"

namespace corvex {

class _timer;

struct _keylanguage {
    std::string name;
    std::uint16_t identifier = 0;
};

class _skey : public _tspeeder {
public:
    explicit _skey(_component* owner);

    // ---- state
    // The layout last seen ($FFFF before the first poll).
    std::uint32_t Layout() const noexcept { return layout_; }
    // Entry 0 is always "Unknown language"; icon k belongs to entry k + 1.
    const std::vector<_keylanguage>& Languages() const noexcept { return languages_; }
    const _imagelist& Icons() const noexcept { return icons_; }
    // The entry shown now.
    std::size_t Shown() const noexcept { return shown_; }
    // Of the last LoadLanguages: _OK, or _ERROR with its text.
    _result Error() const noexcept { return error_; }
    const std::string& ErrorText() const noexcept { return errorText_; }
    _timer& PollTimer() const noexcept { return *poll_; }

    // ---- overrides
    // Reads the language file again.
    _result LoadSettings(const std::string& key, _lair& store) override;
    _result Start() override;
    _result Stop() override;
    // The language's icon while one is shown, else the readout's own.
    _result UpdateIcon() override;

    // ---- operations
    // Both lists afresh from the file; _ERROR when the file or its section
    // is missing (the list then holds only "Unknown language").
    _result LoadLanguages();
    // One look at the foreground window's keyboard layout.
    void Poll();
    // The data folder with its trailing backslash.
    std::string DataFolder() const;

private:
    _result Fail(std::string text);
    bool AddIcon(const std::string& file);
    void ShowLanguage(std::uint16_t identifier);

    std::uint32_t layout_ = 0xFFFF;
    std::vector<_keylanguage> languages_;
    _imagelist icons_{16, 16, COLOR_FUCHSIA};
    std::size_t shown_ = 0;
    _result error_ = _OK;
    std::string errorText_;
    _timer* poll_ = nullptr;  // owned through the component list
};

}  // namespace corvex
