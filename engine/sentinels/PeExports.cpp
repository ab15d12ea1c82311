#include "PeExports.h"

namespace corvex {

namespace {

// Offsets of the fields read here.
constexpr std::size_t DOS_LFANEW = 0x3C;
constexpr std::size_t NT_SIZE_OF_OPTIONAL = 4 + 16;  // in the file header, after the signature
constexpr std::size_t NT_OPTIONAL = 4 + 20;
constexpr std::size_t OPT_SIZE_OF_IMAGE = 56;
constexpr std::size_t OPT32_DIRECTORY_COUNT = 92;
constexpr std::size_t OPT32_DIRECTORIES = 96;
constexpr std::size_t OPT64_DIRECTORY_COUNT = 108;
constexpr std::size_t OPT64_DIRECTORIES = 112;
constexpr std::uint16_t MAGIC_PE32 = 0x10B;
constexpr std::uint16_t MAGIC_PE64 = 0x20B;

constexpr std::size_t EXP_BASE = 16;
constexpr std::size_t EXP_FUNCTION_COUNT = 20;
constexpr std::size_t EXP_FUNCTIONS = 28;
constexpr std::size_t EXP_SIZE = 40;

// A byte range [offset, offset + length) lies within `size`, overflow-safe.
bool Within(std::size_t size, std::size_t offset, std::size_t length) noexcept {
    return offset <= size && length <= size - offset;
}

std::uint16_t U16(const std::uint8_t* p) noexcept {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const std::uint8_t* p) noexcept {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The optional header's offset, or 0 when the headers are not a PE image.
std::size_t OptionalHeader(const std::uint8_t* image, std::size_t size, std::uint16_t& magic,
                           std::size_t& optionalSize) noexcept {
    if (!image || !Within(size, 0, DOS_LFANEW + 4) || image[0] != 'M' || image[1] != 'Z') return 0;
    const std::size_t nt = U32(image + DOS_LFANEW);
    if (!Within(size, nt, NT_OPTIONAL + 2)) return 0;
    if (image[nt] != 'P' || image[nt + 1] != 'E' || image[nt + 2] != 0 || image[nt + 3] != 0) return 0;
    optionalSize = U16(image + nt + NT_SIZE_OF_OPTIONAL);
    const std::size_t optional = nt + NT_OPTIONAL;
    if (!Within(size, optional, optionalSize) || optionalSize < 2) return 0;
    magic = U16(image + optional);
    return optional;
}

}  // namespace

std::uint32_t PeImageSize(const std::uint8_t* image, std::size_t available) noexcept {
    std::uint16_t magic = 0;
    std::size_t optionalSize = 0;
    const std::size_t optional = OptionalHeader(image, available, magic, optionalSize);
    if (!optional || (magic != MAGIC_PE32 && magic != MAGIC_PE64) || optionalSize < OPT_SIZE_OF_IMAGE + 4)
        return 0;
    return U32(image + optional + OPT_SIZE_OF_IMAGE);
}

_peexport FindExportByOrdinal(const std::uint8_t* image, std::size_t size, std::uint32_t ordinal) noexcept {
    _peexport result;
    std::uint16_t magic = 0;
    std::size_t optionalSize = 0;
    const std::size_t optional = OptionalHeader(image, size, magic, optionalSize);
    if (!optional) return result;
    std::size_t countAt = 0, directoriesAt = 0;
    if (magic == MAGIC_PE32) {
        countAt = OPT32_DIRECTORY_COUNT;
        directoriesAt = OPT32_DIRECTORIES;
    } else if (magic == MAGIC_PE64) {
        countAt = OPT64_DIRECTORY_COUNT;
        directoriesAt = OPT64_DIRECTORIES;
    } else {
        return result;
    }
    // The export directory is entry 0 of the data directories.
    if (optionalSize < directoriesAt + 8) return result;
    if (U32(image + optional + countAt) < 1) {
        result.kind = PEEXPORT_MISSING;
        return result;
    }
    const std::uint32_t exportsAt = U32(image + optional + directoriesAt);
    const std::uint32_t exportsSize = U32(image + optional + directoriesAt + 4);
    if (exportsAt == 0 && exportsSize == 0) {
        result.kind = PEEXPORT_MISSING;
        return result;
    }
    if (!Within(size, exportsAt, EXP_SIZE)) return result;
    const std::uint8_t* exports = image + exportsAt;
    const std::uint32_t base = U32(exports + EXP_BASE);
    const std::uint32_t count = U32(exports + EXP_FUNCTION_COUNT);
    const std::uint32_t functions = U32(exports + EXP_FUNCTIONS);
    if (ordinal < base || ordinal - base >= count) {
        result.kind = PEEXPORT_MISSING;
        return result;
    }
    const std::size_t slot = static_cast<std::size_t>(ordinal - base);
    // The table itself must lie within the image, not only the slot read.
    if (count > (size / 4) || !Within(size, functions, static_cast<std::size_t>(count) * 4)) return result;
    const std::uint32_t rva = U32(image + functions + slot * 4);
    if (rva == 0) {
        result.kind = PEEXPORT_MISSING;
        return result;
    }
    // An address inside the export directory is the text of a forwarder.
    if (rva >= exportsAt && rva - exportsAt < exportsSize) {
        result.kind = PEEXPORT_FORWARDED;
        result.rva = rva;
        return result;
    }
    if (rva >= size) return result;
    result.kind = PEEXPORT_FOUND;
    result.rva = rva;
    return result;
}

}  // namespace corvex
