#include "Pop3Errors.h"

namespace corvex {

const char* Pop3ErrorText(int error) noexcept {
    switch (error) {
        case POP3_ERROR_UNRESOLVED_HOST: return "unresolved host";
        case POP3_ERROR_TIMEOUT: return "mail server time out";
        case POP3_ERROR_AUTH_REQUIRED: return "login required";
        case POP3_ERROR_AUTH_DENIED: return "login incorrect";
        case POP3_ERROR_CONN_FAILED: return "connection failed";
        case POP3_OK: return "";
        case POP3_ERROR: return "general error";
        default: return "ASSERT: unknown error";
    }
}

std::string SocketErrorText(int code) {
    const char* text = nullptr;
    switch (code) {
        case 10004: text = "Interrupted system call"; break;
        case 10009: text = "Bad file number"; break;
        case 10013: text = "Permission denied"; break;
        case 10014: text = "Bad address"; break;
        case 10022: text = "Invalid argument"; break;
        case 10024: text = "Too many open files"; break;
        case 10035: text = "Operation would block"; break;
        case 10036: text = "Operation now in progress"; break;
        case 10037: text = "Operation already in progress"; break;
        case 10038: text = "Socket operation on non-socket"; break;
        case 10039: text = "Destination address required"; break;
        case 10040: text = "Message too long"; break;
        case 10047: text = "Address family not supported by protocol family"; break;
        case 10048: text = "Address already in use"; break;
        case 10049: text = "Can't assign requested address"; break;
        case 10050: text = "Network is down"; break;
        case 10051: text = "Network is unreachable"; break;
        case 10052: text = "Net dropped connection or reset"; break;
        case 10053: text = "Software caused connection abort"; break;
        case 10054: text = "Connection reset by peer"; break;
        case 10055: text = "No buffer space available"; break;
        case 10056: text = "Socket is already connected"; break;
        case 10057: text = "Socket is not connected"; break;
        case 10058: text = "Can't send after socket shutdown"; break;
        case 10060: text = "Connection timed out"; break;
        case 10061: text = "Connection refused"; break;
        case 10064: text = "Host is down"; break;
        case 10065: text = "No route to host"; break;
        case 10091: text = "Network subsystem is unavailable"; break;
        case 10092: text = "Winsock version not supported"; break;
        case 10093: text = "Winsock not initialized"; break;
        case 11001: text = "Host not found"; break;
        case 11002: text = "Non-authoritative host not found"; break;
        case 11003: text = "Non-recoverable error"; break;
        case 11004: text = "Valid name, no data record of requested type"; break;
        default: break;
    }
    const std::string number = std::to_string(code);
    return number + ":" + (text ? std::string(text) : "Unknown Error No. " + number);
}

std::string MaskedSecret(std::string_view secret) { return secret.empty() ? std::string() : "******"; }

}  // namespace corvex
