#pragma once
// The screen mode as the screen readout writes it.
//
// Portable: no Windows header.

#include <string>

namespace corvex {

// "%dx%-4d %dbits @ %s" with the refresh rate and "Hz", or "hardware" for
// the rates 0 and 1 (the display's own default): "1280x1024 32bits @ 60Hz",
// "800x600  16bits @ hardware".
std::string ScreenModeText(int width, int height, int bits, int refresh);

}  // namespace corvex
