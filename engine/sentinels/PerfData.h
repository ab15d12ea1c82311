#pragma once
// The Windows performance data block, read without trusting it: the layout
// of the published structures (32-bit), a bounds-checked walk over objects,
// instances and counters with the reader's filters, the counter-name table
// and the raw counter values.
//
//   PERF_* offsets      where each field lies in its structure
//   _perffilters        which objects, instances and counters are wanted
//   _perfobject, _perfinstance, _perfcounter   checked views of one item
//   _perfvisitor        what the walk hands each item to
//   WalkPerfData        the walk
//   ReadBlockTime       when the data were gathered
//   ReadCounterValue    a counter's raw value by its size bits
//   ParseCounterNames   the "index\0name\0...\0\0" table
//
// Portable: no Windows header.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvex {

// Field offsets and sizes of the 32-bit structures.
namespace perf {
constexpr std::size_t BLOCK_TOTAL_BYTE_LENGTH = 20;
constexpr std::size_t BLOCK_HEADER_LENGTH = 24;
constexpr std::size_t BLOCK_NUM_OBJECT_TYPES = 28;
constexpr std::size_t BLOCK_PERF_TIME_100NSEC = 72;
constexpr std::size_t BLOCK_SIZE = 88;

constexpr std::size_t OBJECT_TOTAL_BYTE_LENGTH = 0;
constexpr std::size_t OBJECT_DEFINITION_LENGTH = 4;
constexpr std::size_t OBJECT_HEADER_LENGTH = 8;
constexpr std::size_t OBJECT_NAME_TITLE_INDEX = 12;
constexpr std::size_t OBJECT_NUM_COUNTERS = 32;
constexpr std::size_t OBJECT_NUM_INSTANCES = 40;
constexpr std::size_t OBJECT_SIZE = 64;

constexpr std::size_t COUNTER_BYTE_LENGTH = 0;
constexpr std::size_t COUNTER_NAME_TITLE_INDEX = 4;
constexpr std::size_t COUNTER_TYPE = 28;
constexpr std::size_t COUNTER_SIZE = 32;
constexpr std::size_t COUNTER_OFFSET = 36;
constexpr std::size_t COUNTER_DEFINITION_SIZE = 40;

constexpr std::size_t INSTANCE_BYTE_LENGTH = 0;
constexpr std::size_t INSTANCE_NAME_OFFSET = 16;
constexpr std::size_t INSTANCE_NAME_LENGTH = 20;
constexpr std::size_t INSTANCE_SIZE = 24;

constexpr std::size_t COUNTER_BLOCK_BYTE_LENGTH = 0;
constexpr std::size_t COUNTER_BLOCK_SIZE = 4;

constexpr std::int32_t NO_INSTANCES = -1;

// Size bits of CounterType.
constexpr std::uint32_t SIZE_MASK = 0x300;
constexpr std::uint32_t SIZE_DWORD = 0x000;
constexpr std::uint32_t SIZE_LARGE = 0x100;
constexpr std::uint32_t SIZE_ZERO = 0x200;
constexpr std::uint32_t SIZE_VARIABLE_LEN = 0x300;

// A callback result that ends the current run of instances or counters.
constexpr int STOP = 3;
}  // namespace perf

struct _perffilters {
    std::int32_t objectId = -1;    // ObjectNameTitleIndex, -1: all
    std::int32_t counterId = -1;   // CounterNameTitleIndex, -1: all
    std::int32_t instanceId = -1;  // position in its object, -1: any
    std::string instanceName;      // exact name, empty: any
};

struct _perfobject {
    const std::uint8_t* at = nullptr;
    std::size_t index = 0;  // position in the block
    std::uint32_t titleIndex = 0;
    std::int32_t numInstances = 0;
    std::uint32_t numCounters = 0;
};

struct _perfinstance {
    const std::uint8_t* at = nullptr;
    std::int32_t position = 0;
    std::string name;  // converted to the ANSI code page
};

struct _perfcounter {
    const std::uint8_t* definition = nullptr;
    std::size_t index = 0;  // position among the object's definitions
    std::uint32_t titleIndex = 0;
    std::uint32_t type = 0;
    // The counter's bytes inside the current counter block: `value` points
    // at CounterOffset, and `available` bytes of the block follow it.
    const std::uint8_t* value = nullptr;
    std::size_t available = 0;
};

// Receives the walk. The Seen* hooks see every item before filtering (for
// tracing); the others only accepted items and may return perf::STOP.
class _perfvisitor {
public:
    virtual ~_perfvisitor() = default;
    virtual void SeenBlock(std::uint32_t numObjects) { (void)numObjects; }
    virtual void SeenObject(const _perfobject& object) { (void)object; }
    virtual void Object(const _perfobject& object) { (void)object; }
    virtual void SeenInstance(const _perfinstance& instance) { (void)instance; }
    virtual int Instance(const _perfinstance& instance) { (void)instance; return 0; }
    virtual void SeenCounter(const _perfcounter& counter) { (void)counter; }
    virtual int Counter(const _perfcounter& counter) { (void)counter; return 0; }
    // Something in the data does not fit: what was walked of that object or
    // instance stands, the rest of it is left out. `offset` is from the
    // start of the block.
    virtual void Malformed(const char* what, std::size_t offset) {
        (void)what;
        (void)offset;
    }
};

// Turns `length` UTF-16 code units into text of the ANSI code page.
using _perfnameconverter = std::string (*)(const char16_t* text, std::size_t length);

// Plain conversion for code units below 128; others become '?'.
std::string AsciiName(const char16_t* text, std::size_t length);

// Walks `size` bytes of performance data. Never reads outside them.
void WalkPerfData(const std::uint8_t* data, std::size_t size, const _perffilters& filters,
                  _perfvisitor& visitor, _perfnameconverter convert = AsciiName);

// The block's own time stamp (PerfTime100nSec, 100-nanosecond units);
// false, with 0, for data too short to hold one.
bool ReadBlockTime(const std::uint8_t* data, std::size_t size, std::uint64_t& time);

// The raw value of a counter by the size bits of its type: 32 bits (high
// part 0), 64 bits, or 0 for zero-size. False, with value 0, for a
// variable-length counter or one whose bytes do not fit its block.
bool ReadCounterValue(const _perfcounter& counter, std::uint64_t& value);

// Fills `table` from the multi-string "index\0name\0...\0\0": table[index]
// = name, empty where there is none. Stops at the first index that is not a
// decimal number (or is absurdly large) and returns false; true otherwise.
bool ParseCounterNames(const char* data, std::size_t size, std::vector<std::string>& table);

// Largest title index the table accepts; real tables stay far below.
constexpr std::uint32_t PERF_MAX_TITLE_INDEX = 0xFFFFF;

}  // namespace corvex
