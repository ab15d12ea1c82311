#pragma once
// What the Designer's controls say and read, kept free of Windows:
//
//   EntityPosition      the status bar's place of a tree entry ("2", "2:1")
//   EntityText          the status bar's text of a tree entry
//   TrayItems           the tray box's items, two per tray gauge
//   TrayItem, TrayOfItem  a tray gauge's bar and its item, both ways
//   _frequencyentry     what a text typed into the frequency box asks for
//   ReadFrequencyBox    reads such a text
//
// Portable: no Windows header.

#include <string>
#include <vector>

namespace corvex {

// "t" for Sentinel number t, "t:s" for its Speeder number s (both counted
// from 1; a Speeder number below 1 means the Sentinel itself).
std::string EntityPosition(int sentinel, int speeder);
// Five spaces, then the entry's text.
std::string EntityText(const std::string& text);

// "1 - left", "1 - right", "2 - left", ... for `trays` tray gauges.
std::vector<std::string> TrayItems(int trays);
// The item of bar `bar` (0 left, 1 right) of the tray gauge at `tray` in
// the container, or -1 when either is out of range.
int TrayItem(int tray, int bar, int trays) noexcept;
struct _trayplace {
    int tray = -1;
    int bar = -1;
};
// The tray gauge and bar an item stands for; -1 and -1 for no item.
_trayplace TrayOfItem(int item, int trays) noexcept;

struct _frequencyentry {
    enum _action : unsigned char {
        FREQUENCY_KEEP,   // nothing to do (0, or a number still being typed)
        FREQUENCY_RESET,  // not a number: the box goes back to 0
        FREQUENCY_SET,    // the Speeder's period becomes `period`
    };
    _action action = FREQUENCY_KEEP;
    unsigned long period = 0;
    // The box's new text when it is to change (a negative number turned
    // round, a number held to the range, "0" after a reset), else empty.
    std::string rewrite;
};

// The box's range is [minimum, maximum] milliseconds. A negative number
// counts as its absolute value and is shown so; 0 changes nothing; a
// number below the minimum is one being typed (on its way from "5" to
// "500") and changes nothing yet; one above the maximum is held to it.
// An empty box or a lone minus sign is typing too; anything else that is
// not a whole number resets the box.
_frequencyentry ReadFrequencyBox(const std::string& text, unsigned long minimum, unsigned long maximum);

}  // namespace corvex
