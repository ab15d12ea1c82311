#include "PingReadout.h"

#include <climits>

#include "TextFormat.h"

namespace corvex {

const char* PingErrorText(int error) noexcept {
    switch (error) {
        case PING_ERROR_WINSOCK_START: return "Winsock not started";
        case PING_ERROR_ICMP_LOAD: return "icmp.dll not loaded";
        case PING_ERROR_ICMP_FUNC_MOUNT: return "icmp.dll functions mount failed";
        case PING_ERROR_UNRESOLVED_HOST: return "unresolved host";
        case PING_ERROR_TIMEOUT: return "time out";
        case PING_OK: return "";
        case PING_ERROR: return "general error";
        default: return "ASSERT: unknown error";
    }
}

unsigned PingNaps(int sleepTime) noexcept {
    return sleepTime > 0 ? static_cast<unsigned>(sleepTime) / PING_NAP : 0;
}

_echooutcome EchoOutcome(unsigned long replies, unsigned long status, unsigned long roundTrip) noexcept {
    _echooutcome outcome;
    if (replies == 0 || status != 0) return outcome;
    outcome.echoTime = roundTrip > static_cast<unsigned long>(INT_MAX) ? INT_MAX : static_cast<int>(roundTrip);
    outcome.error = PING_OK;
    return outcome;
}

_pingreadout PingReadout(_pingerror error, int echoTime, std::uint32_t max, const std::string& errorText) {
    _pingreadout shown;
    switch (error) {
        case PING_OK:
            shown.text = FormatText("%d ms", echoTime);
            // An echo of "Lag" or longer fills the graph.
            shown.sample = echoTime <= 0 ? 0 : static_cast<std::uint32_t>(echoTime);
            if (shown.sample > max) shown.sample = max;
            break;
        case PING_ERROR_TIMEOUT:
            shown.text = "timeout";
            shown.sample = max;
            break;
        default:
            shown.error = true;
            shown.text = errorText;
            break;
    }
    return shown;
}

std::string HostLabel(const std::string& host, const std::string& ip, bool showIp) {
    return showIp ? host + " (" + ip + ")" : host;
}

}  // namespace corvex
