#pragma once
// Which part of its block each step of the free-memory command fills.
//
// Portable: no Windows header.

#include <cstdint>

namespace corvex {

// The command fills its block in this many steps, one percent of the
// progress row each.
constexpr unsigned FREEMEM_STEPS = 100;

// Bytes [begin, end) of a block.
struct _fillrange {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
};

// The bytes step `step` (0 .. steps - 1) fills in a block of `size` bytes.
// The steps follow one another without gap or overlap, differ in length by
// one byte at most, and the last one ends at the end of the block, however
// size / steps rounds. Any other step, or steps 0, fills nothing.
_fillrange FreeMemStep(std::uint64_t size, unsigned step, unsigned steps) noexcept;

}  // namespace corvex
