#pragma once
// What the ping probe and its readout reckon without Windows.
//
//   _pingerror     results of the probe, the error values first
//   PingErrorText  the text of a result
//   PingNaps       how many 100 ms naps make up the pause between echoes
//   _echooutcome   echo time and result of one echo request
//   EchoOutcome
//   _pingreadout   what the readout shows for a result: its text, the
//                  graph's sample, whether it is an error
//   PingReadout
//   HostLabel      the host label's text
//
// Portable: no Windows header.

#include <cstdint>
#include <string>

namespace corvex {

// The ordinal is the value of the probe's Error: PING_OK is 5, not 0.
enum _pingerror : unsigned char {
    PING_ERROR_WINSOCK_START = 0,
    PING_ERROR_ICMP_LOAD = 1,
    PING_ERROR_ICMP_FUNC_MOUNT = 2,
    PING_ERROR_UNRESOLVED_HOST = 3,
    PING_ERROR_TIMEOUT = 4,
    PING_OK = 5,
    PING_ERROR = 6,  // only has its text: the probe never produces it
};

// "ASSERT: unknown error" for a value outside the table.
const char* PingErrorText(int error) noexcept;

constexpr unsigned PING_NAP = 100;  // milliseconds

// SleepTime / 100, truncated: under 100 there is no pause at all.
unsigned PingNaps(int sleepTime) noexcept;

struct _echooutcome {
    int echoTime = -1;  // milliseconds, -1 = none
    _pingerror error = PING_ERROR_TIMEOUT;
};

// `replies` is what the echo call reported; `status` and `roundTrip` come
// from the first reply and are read only when there is one. A reply that
// is not an echo answer (a router's "unreachable") carries a time that is
// not a round trip: it counts as lost.
_echooutcome EchoOutcome(unsigned long replies, unsigned long status, unsigned long roundTrip) noexcept;

struct _pingreadout {
    bool error = false;        // shown with ShowError: `text` is the message
    std::string text;          // the graph's text
    std::uint32_t sample = 0;  // the graph's new sample (scale `max`)
};

// An echo shows its measured time over a sample capped at `max` (the
// readout's "Lag"); a lost one "timeout" at full scale; anything else the
// error's text.
_pingreadout PingReadout(_pingerror error, int echoTime, std::uint32_t max, const std::string& errorText);

// "host", or "host (ip)" with the address shown.
std::string HostLabel(const std::string& host, const std::string& ip, bool showIp);

}  // namespace corvex
