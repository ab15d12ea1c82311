// Feeds the export-table walk with hostile images, asking for the ordinal
// the input's second byte names. An input whose first byte is odd is
// applied as (offset, byte) pairs to a sound image instead, which reaches
// deep into the walk quickly.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "PeExports.h"

namespace {

void Put32(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) image[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Headers at 0x40, exports at 0x100: ordinals 1 .. 4, the third forwarded.
std::vector<std::uint8_t> SoundImage() {
    std::vector<std::uint8_t> image(0x200, 0);
    image[0] = 'M';
    image[1] = 'Z';
    Put32(image, 0x3C, 0x40);
    image[0x40] = 'P';
    image[0x41] = 'E';
    Put32(image, 0x40 + 20, 224);     // SizeOfOptionalHeader
    Put32(image, 0x58, 0x10B);        // magic
    Put32(image, 0x58 + 56, 0x200);   // SizeOfImage
    Put32(image, 0x58 + 92, 16);      // directories
    Put32(image, 0x58 + 96, 0x100);   // export directory
    Put32(image, 0x58 + 100, 0x60);
    Put32(image, 0x100 + 16, 1);      // Base
    Put32(image, 0x100 + 20, 4);      // NumberOfFunctions
    Put32(image, 0x100 + 28, 0x140);  // AddressOfFunctions
    Put32(image, 0x140, 0x180);
    Put32(image, 0x148, 0x150);
    Put32(image, 0x14C, 0x1F0);
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    std::vector<std::uint8_t> image;
    if (data[0] & 1) {
        image = SoundImage();
        for (std::size_t i = 2; i + 1 < size; i += 2) image[data[i] % image.size()] = data[i + 1];
    } else {
        image.assign(data + 2, data + size);  // exactly the input's size
    }
    corvex::PeImageSize(image.data(), image.size());
    corvex::FindExportByOrdinal(image.data(), image.size(), data[1] % 8);
    return 0;
}
