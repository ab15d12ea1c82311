#pragma once
// The settings store.
//
//   _lairplace   which hive the store lives in
//   _lair        the settings store: an application key below "\Software\"
//                built from Company, App and Ver, a current sub-key (Key)
//                with a push/pop stack, keys opened and created lazily, and
//                reads that fall back to the caller's default
//   _lairkey     keeps the store's current key while it lives: pushed when
//                made, popped when it goes, also when a write raises
//
// Portable: no Windows header. The store on the Win32 registry is made by
// the constructor without a backend (Lair_Win32.cpp, Windows tree only).

#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Core_Zolt2.h"
#include "Registry_Zolt2.h"

namespace corvex {

enum _lairplace : unsigned char {
    LAIR_USER = 0,    // HKEY_CURRENT_USER
    LAIR_SYSTEM = 1,  // HKEY_LOCAL_MACHINE
};

class _lair : public _component {
public:
    // On the Win32 registry.
    explicit _lair(_component* owner);
    // On `backend`, which must outlive the store.
    _lair(_component* owner, _registrybackend& backend);
    ~_lair() override;

    // ---- properties
    const std::string& Key() const noexcept { return key_; }
    // Stores the key and opens it at once, creating it.
    void SetKey(const std::string& key);
    // Whether the application key was absent before this store first
    // opened a key in this run (evaluated then, or now when nothing has
    // been opened yet).
    bool FirstRun();
    _lairplace Place() const noexcept { return place_; }
    void SetPlace(_lairplace place);
    const std::string& Company() const noexcept { return company_; }
    void SetCompany(const std::string& company);
    const std::string& Ver() const noexcept { return ver_; }
    void SetVer(const std::string& ver);
    const std::string& App() const noexcept { return app_; }
    void SetApp(const std::string& app);
    _registry& Hive() noexcept { return hive_; }
    // "\Software\<Company>\<App>\<Ver>\<Key>"
    std::string FullPath() const;
    std::string GetFullPath() const { return FullPath(); }
    // Whether the last open or read failed (a read then gave its default).
    bool Failed() const noexcept { return error_; }

    // ---- operations
    bool Open();
    // A value of the wrong type gives `fallback` and one level-1 log line
    // naming the key and the value (a missing one just gives `fallback`).
    std::string ReadString(const std::string& name, const std::string& fallback);
    int ReadInteger(const std::string& name, int fallback);
    // Stored as 1 or 0: any other number is out of range.
    bool ReadBool(const std::string& name, bool fallback);
    // Checked reads: a stored value outside its range gives `fallback`,
    // with the same log line, so a damaged registry never reaches the
    // program. Longer strings than `maxLength` count as out of range.
    int ReadInteger(const std::string& name, int fallback, int min, int max);
    std::string ReadString(const std::string& name, const std::string& fallback, std::size_t maxLength);
    // A colour value: $00BBGGRR, or $80000000 + a system colour index.
    unsigned ReadColor(const std::string& name, unsigned fallback);
    // For checks of the callers' own: logs that the stored value `shown`
    // of `name` is not taken (`why`) and flags the read as failed.
    void Refuse(const std::string& name, const std::string& shown, const std::string& why);
    // _ERROR when the key cannot be opened; a write the registry refuses
    // raises _registryerror.
    _result WriteString(const std::string& name, const std::string& text);
    _result WriteInteger(const std::string& name, int value);
    _result WriteBool(const std::string& name, bool value);
    void PushKey();
    // _ERROR, and the key unchanged, when the stack is empty.
    _result PopKey();

protected:
    void Loaded() override;

private:
    void Create();
    // The application key's path changed: reopen, and find out afresh
    // whether it existed.
    void PathChanged();
    // Opens, and tells whether the value can be read at all.
    bool OpenFor(const std::string& name);

    std::string key_;
    _lairplace place_ = LAIR_USER;
    std::string company_;
    std::string ver_ = "0.0.1";
    std::string app_;
    _registry hive_;

    std::vector<std::string> stack_;
    bool rootSelected_ = false;
    bool unusable_ = false;
    bool keyOpen_ = false;
    bool error_ = false;
    bool pathExisted_ = false;    // the full path existed before its last open
    bool firstRunKnown_ = false;  // firstRun_ has been found for this path
    bool firstRun_ = false;
};

class _lairkey {
public:
    explicit _lairkey(_lair& store) : store_(store) { store_.PushKey(); }
    // Pushes, then makes `key` the current key.
    _lairkey(_lair& store, const std::string& key) : _lairkey(store) { store_.SetKey(key); }
    ~_lairkey() { store_.PopKey(); }
    _lairkey(const _lairkey&) = delete;
    _lairkey& operator=(const _lairkey&) = delete;

private:
    _lair& store_;
};

}  // namespace corvex
