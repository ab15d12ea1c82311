#pragma once
// The tool-tip text of the notification-area icons.
//
//   CutTrayHint       keeps at most `limit` characters
//   FormatTrayHint    puts a percentage into the one "%s" of a hint
//
// Portable: no Windows header.

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvex {

// The shell's tip holds 64 bytes with its terminating zero.
constexpr std::size_t TRAY_TIP_CHARS = 63;

std::string CutTrayHint(const std::string& hint, std::size_t limit);

// True when `hint` holds "%s" in either case, i.e. asks for the value.
bool TrayHintWantsValue(const std::string& hint);

// The hint with its first "%s" (either case) replaced by the decimal
// `position` and "%"; "%%" becomes "%". Any other "%" sequence, a second
// "%s" included, is kept as it stands: the hint is user text and never
// reaches a printf-style formatter.
std::string FormatTrayHint(const std::string& hint, std::uint32_t position);

}  // namespace corvex
