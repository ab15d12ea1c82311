#pragma once
// Host texts and IPv4 addresses as the ping probe reads and shows them.
//
//   _ipv4               an address, its four bytes in network order
//   ParseDottedAddress  "a.b.c.d" to an address, without any lookup
//   DottedAddress       an address to "a.b.c.d"
//   LastHostAddress     the last entry of a host lookup's address list
//   HostFromText        the host a typed or stored text names, or none
//
// Portable: no Windows header.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace corvex {

using _ipv4 = std::array<std::uint8_t, 4>;

// Four decimal parts of 0 .. 255, nothing else. Other forms ("127.1",
// "0x7f.1", octal "010.0.0.1") are left to the name lookup, which reads
// them as the system does.
bool ParseDottedAddress(const std::string& text, _ipv4& address) noexcept;

std::string DottedAddress(const _ipv4& address);

// The last of at most `limit` entries of a null-terminated list (a host
// lookup's address list), or nullptr for an empty one.
const char* LastHostAddress(const char* const* list, std::size_t limit) noexcept;

// Longer host names are damaged data (a name has at most 255 characters).
constexpr std::size_t MAX_HOST_LENGTH = 255;

// The text without surrounding spaces when it can name a host: 1 to 255
// printable characters without spaces or a backslash (a host is also the
// registry key of its readout, where a backslash would open a sub-key);
// otherwise empty.
std::string HostFromText(const std::string& text);

}  // namespace corvex
