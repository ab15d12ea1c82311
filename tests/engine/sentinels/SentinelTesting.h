#pragma once
// Stand-ins for the engine around a Sentinel: a bar window that records
// what the framework asks of it, and a Speeder kind that records what it
// is told.

#include <stdexcept>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "Form.h"
#include "KernelPort.h"

namespace corvex::test {

// What happened, in order, across every Speeder and Sentinel of a test.
using _journal = std::vector<std::string>;

class _testhost final : public _form, public _kernelport {
public:
    explicit _testhost(_component* owner) : _form(owner) { SetBounds(0, 0, 200, 300); }

    std::vector<std::string> ignition;
    int updateSizes = 0;
    _color tileColor = 0x00C000;
    _traycontainer* trays = nullptr;
    _lair* store = nullptr;

    _result UpdateIgnition(const std::string& text) override {
        ignition.push_back(text);
        return _OK;
    }
    _result KERNEL_UpdateSize() override {
        ++updateSizes;
        return _OK;
    }
    _result GetMuseumBitmap(_bitmap* image, int index) override {
        if (!image || index < 0) return _ERROR;
        image->SetSize(16, 16);
        image->Canvas().SetBrush(tileColor + static_cast<_color>(index));
        image->Canvas().FillRect(_rect::Bounds(0, 0, 16, 16));
        return _OK;
    }
    std::string HelpFolder() const override { return "C:\\corvex\\help\\"; }
    std::string dataFolder;  // empty: beside the test program
    std::string EngineDataFolder() const override { return dataFolder; }
    _result OpenHelp(const std::string& file, const std::string& anchor) override {
        helpOpened.push_back(file + "#" + anchor);
        return _OK;
    }
    std::vector<std::string> helpOpened;
    _traycontainer* TrayContainer() const noexcept override { return trays; }
    _lair* Store() noexcept override { return store; }
    _iftable* interfaceTable = nullptr;  // none: each Sentinel reads its own
    _iftable* InterfaceTable() override { return interfaceTable; }
};

class _testspeeder : public _speeder {
public:
    explicit _testspeeder(_component* owner, _journal* journal = nullptr, std::string name = "test")
        : _speeder(owner), journal_(journal) {
        SetName(std::move(name));
    }

    std::vector<unsigned> pulses;  // elapsed times of RefreshPulse
    int forcedRefreshes = 0;

    void SetKindOptions(_speederoptions options) { SetOptions(options); }
    void MarkUnsupported(_speederoptions options) { SetUnsupported(options); }
    using _speeder::SetHelpAnchor;

    _result Ignite() override { return Note("ignite"); }
    _result Start() override {
        Note("start");
        return _speeder::Start();
    }
    _result Stop() override {
        Note("stop");
        return _speeder::Stop();
    }
    _result Shutdown() override { return Note("shutdown"); }
    _result OnRedesign() override { return Note("redesign"); }
    _result RefreshPulse(unsigned elapsed) override {
        pulses.push_back(elapsed);
        return _speeder::RefreshPulse(elapsed);
    }
    _result Refresh(unsigned elapsed, bool forced) override {
        if (forced) ++forcedRefreshes;
        return _speeder::Refresh(elapsed, forced);
    }

private:
    _result Note(const char* what) {
        if (journal_) journal_->push_back(Name() + ":" + what);
        return _OK;
    }
    _journal* journal_;
};

// A Speeder whose construction fails, as a kind whose source is missing.
class _brokenspeeder final : public _speeder {
public:
    explicit _brokenspeeder(_component* owner) : _speeder(owner) { throw std::runtime_error("no source"); }
};

// A Sentinel kind that records the engine's calls and, like the Net and
// Mail Sentinels, makes its Speeders from the registry.
class _testsentinel : public _sentinel {
public:
    _testsentinel(_component* owner, _journal* journal, std::string caption, bool userDefined = false)
        : _sentinel(owner), journal_(journal) {
        SetCaption(std::move(caption));
        SetFlag(SENTINEL_USER_DEFINED, userDefined);
    }

    std::vector<unsigned> pulses;

    void SetPulseWhenHidden(bool on) { SetFlag(SENTINEL_PULSE_WHEN_HIDDEN, on); }

    _result NewSpeeder(_speeder*& speeder) override {
        if (!UserDefined()) return _sentinel::NewSpeeder(speeder);
        speeder = &Make<_testspeeder>(journal_, "new");
        return _OK;
    }
    _result Ignite() override { return Note("ignite"); }
    _result Start() override { return Note("start"); }
    _result Stop() override { return Note("stop"); }
    _result Shutdown() override { return Note("shutdown"); }
    _result RefreshSpeedersPulse(unsigned elapsed) override {
        pulses.push_back(elapsed);
        Note("pulse");
        return _sentinel::RefreshSpeedersPulse(elapsed);
    }
    _result OnRedesignSpeeder(_speeder& speeder) override { return Note(("redesign " + speeder.Name()).c_str()); }

    _testspeeder& AddTestSpeeder(const std::string& name) {
        _testspeeder& speeder = Make<_testspeeder>(journal_, name);
        AddSpeeder(&speeder);
        return speeder;
    }

private:
    _result Note(const char* what) {
        if (journal_) journal_->push_back(Caption() + ":" + what);
        return _OK;
    }
    _journal* journal_;
};

}  // namespace corvex::test
