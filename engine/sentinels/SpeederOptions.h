#pragma once
// The option bits of a Speeder (32-bit set), used by value by the Speeder
// kinds, the Sentinels and the Designer.
//
// Portable: no Windows header.

#include <cstdint>

namespace corvex {

using _speederoptions = std::uint32_t;

constexpr _speederoptions SPEEDER_ERROR = 0x00000001;       // graph shows an error text
constexpr _speederoptions SPEEDER_NOTICE = 0x00000002;      // graph shows a notice text
constexpr _speederoptions SPEEDER_UNTIMED = 0x00000008;     // not refreshed by the engine timer
constexpr _speederoptions SPEEDER_TRAYED = 0x00000010;      // attached to a tray gauge bar
constexpr _speederoptions SPEEDER_BITS = 0x00000020;        // bytes per second shown as bits
constexpr _speederoptions SPEEDER_STOPPED = 0x00000080;
constexpr _speederoptions SPEEDER_DESIGNER = 0x00000100;    // has its own Designer page
constexpr _speederoptions SPEEDER_FREQUENCY = 0x00000400;   // has its own frequency
constexpr _speederoptions SPEEDER_TEXT = 0x00000800;        // text area shown
constexpr _speederoptions SPEEDER_GRAPH = 0x00001000;       // graph shown
constexpr _speederoptions SPEEDER_NAMED = 0x00002000;
constexpr _speederoptions SPEEDER_ICONED = 0x00004000;
constexpr _speederoptions SPEEDER_METERS = 0x00008000;
constexpr _speederoptions SPEEDER_INVERTED = 0x00010000;    // gauge shows 100 - percent
constexpr _speederoptions SPEEDER_STASIS = 0x00020000;      // always the stasis colour
constexpr _speederoptions SPEEDER_HIDDEN = 0x00040000;

// The ranges of the row sizes and the nick the Designer offers; stored
// values outside them are damage.
constexpr int SPEEDER_NBX_MAX = 50;
constexpr int SPEEDER_NBY_MIN = 10;
constexpr int SPEEDER_NBY_MAX = 200;
constexpr unsigned SPEEDER_NICK_MAX = 255;

// A new Speeder: Named, Iconed, stopped.
constexpr _speederoptions SPEEDER_INITIAL = SPEEDER_NAMED | SPEEDER_ICONED | SPEEDER_STOPPED;

}  // namespace corvex
