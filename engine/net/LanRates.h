#pragma once
// The arithmetic of the throughput readouts, and the interface table that
// stands in for the performance data where those hold no interfaces.
//
//   lan::*           title indexes of the network-interface object and its
//                    counters, and the shortest tick that is a rate
//   LanRate          bytes per second from two readings of a byte counter
//   BandwidthTotal   a link's maximum in bytes per second
//   IsWanInterface   the dial-up link, known by the start of its name
//   PerfInstanceName an interface's description spelt as the performance
//                    data spell instance names
//   _lanrow, _lanvisitor, WalkLanRows
//                    the interface table walked like the performance data:
//                    per interface its position and name, then its
//                    bandwidth, received and sent counters
//
// Portable: no Windows header.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvex {

namespace lan {
constexpr std::uint32_t OBJECT_NETWORK_INTERFACE = 510;
constexpr std::uint32_t COUNTER_BYTES_RECEIVED = 264;
constexpr std::uint32_t COUNTER_BYTES_SENT = 506;
constexpr std::uint32_t COUNTER_BANDWIDTH = 520;
// A tick shorter than this is no tick of the refresh timer, whose shortest
// interval is 100 ms (the launch's first refresh passes 1 ms): the time the
// delta covers is unknown, so the delta is shown as it is.
constexpr unsigned RATE_TICK_MS = 50;
// A result of the walk's handlers that ends the current instance's counters.
constexpr int STOP = 3;
}  // namespace lan

// The counter moved from `previous` to `current` during `elapsedMs`: the
// bytes per second, or the plain delta for a tick shorter than
// lan::RATE_TICK_MS. A counter that went back (it wrapped, or the
// interface was reset) gives 0.
double LanRate(std::uint64_t current, std::uint64_t previous, unsigned elapsedMs) noexcept;

// Bytes per second of a link of `measuredBits` bits per second, or of
// `userBits` when the user set one (not 0); whole bytes.
double BandwidthTotal(std::uint64_t measuredBits, std::int64_t userBits) noexcept;

// Whether `name` starts with "WAN [PPP_SLIP] Interface" (case-sensitive):
// the dial-up adapter, whatever the system appends to the name.
bool IsWanInterface(const std::string& name);

// `name` := the first `length` bytes of `text` up to a zero, with the
// characters the performance data replace in instance names replaced the
// same way ("(" "[", ")" "]", "/" "\" "#" "_"); control characters become
// "_". The name's storage is reused.
void PerfInstanceName(const char* text, std::size_t length, std::string& name);

struct _lanrow {
    std::string name;
    std::uint64_t bandwidth = 0;  // bits per second
    std::uint64_t received = 0;   // byte counters
    std::uint64_t sent = 0;
};

class _lanvisitor {
public:
    virtual ~_lanvisitor() = default;
    virtual int Instance(std::int32_t position, const std::string& name) = 0;
    // lan::STOP ends the instance's counters.
    virtual int Counter(std::uint32_t titleIndex, std::uint64_t value) = 0;
};

// Each row as an instance at its position, then its counters 520, 264 and
// 506 in that order, those that pass `counterFilter` (-1: all).
void WalkLanRows(const std::vector<_lanrow>& rows, std::int32_t counterFilter, _lanvisitor& visitor);

}  // namespace corvex
