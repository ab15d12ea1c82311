#pragma once
// What a Sentinel and its Speeders ask of the engine's bar window. The bar
// implements it; a Sentinel finds it through its owner, so the framework
// needs no global and a test can stand in for the bar.
//
// Portable: no Windows header.

#include <string>

#include "Core_Zolt2.h"

namespace corvex {

class _bitmap;
class _iftable;
class _lair;
class _popupmenu;
class _sentinel;
class _speeder;
class _traycontainer;

class _kernelport {
public:
    virtual ~_kernelport() = default;

    // A progress text in the ignition window while the engine starts.
    virtual _result UpdateIgnition(const std::string& text) = 0;
    // Stacks the Sentinels again and fits the bar around them.
    virtual _result KERNEL_UpdateSize() = 0;
    // Copies tile `index` of the engine's icon strip into `image`.
    virtual _result GetMuseumBitmap(_bitmap* image, int index) = 0;
    // The program folder's "help\" subfolder, with the trailing backslash.
    virtual std::string HelpFolder() const = 0;
    // The program folder's "data\" subfolder, with the trailing backslash;
    // empty: the readouts find it beside the program file themselves.
    virtual std::string EngineDataFolder() const { return {}; }
    // Opens the help page `file` in the user's browser, at `anchor` when
    // one is given; _ERROR when no browser could show it.
    virtual _result OpenHelp(const std::string& file, const std::string& anchor) {
        (void)file;
        (void)anchor;
        return _ERROR;
    }
    // The engine's settings store (Speeders made while it runs read their
    // stored values from it), or nullptr.
    virtual _lair* Store() noexcept { return nullptr; }
    // The system's interface table the network Sentinels share, expired at
    // every tick, or nullptr: each Sentinel then reads a table of its own.
    virtual _iftable* InterfaceTable() { return nullptr; }
    // The user's tray gauges, which graph Speeders may drive, or nullptr.
    virtual _traycontainer* TrayContainer() const noexcept { return nullptr; }
    // The bar's popup menu, which gauges in the notification area show on a
    // right click, or nullptr.
    virtual _popupmenu* PopupMenu() const noexcept { return nullptr; }
    // Shows a shown bar hidden and a hidden one shown (a gauge's double click).
    virtual void ToggleBar() {}
    // A Speeder joined or left a Sentinel while the engine runs (the
    // Designer's tree follows these).
    virtual void SpeederAdded(_sentinel& sentinel, _speeder& speeder) { (void)sentinel; (void)speeder; }
    virtual void SpeederRemoved(_sentinel& sentinel, _speeder& speeder) { (void)sentinel; (void)speeder; }
};

}  // namespace corvex
