#pragma once
// The version both programs show: the launcher's banner, the engine's log
// and about box. (The version resources and the installer take the same
// numbers from cmake/Corvex.cmake; the release test compares them.)
//
// Portable: no Windows header.

namespace corvex {

constexpr const char* CORVEX_VERSION = "0.5.3 build:1";

}  // namespace corvex
