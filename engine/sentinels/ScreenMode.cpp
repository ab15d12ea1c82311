#include "ScreenMode.h"

#include "TextFormat.h"

namespace corvex {

std::string ScreenModeText(int width, int height, int bits, int refresh) {
    const std::string rate = refresh == 0 || refresh == 1 ? std::string("hardware") : FormatText("%dHz", refresh);
    return FormatText("%dx%-4d %dbits @ %s", width, height, bits, rate.c_str());
}

}  // namespace corvex
