#pragma once
// Builds performance data blocks laid out as the system's published
// structures, for tests and fuzzing of the reader. Portable.

#include <cstdint>
#include <string>
#include <vector>

namespace corvex::test {

class PerfDataWriter {
public:
    struct Counter {
        std::uint32_t title;
        std::uint32_t type;  // size bits decide 4 or 8 bytes of value
    };

    // Starts an object with these counter definitions; instances follow.
    PerfDataWriter& Object(std::uint32_t title, std::vector<Counter> counters);
    // Makes the current object one without instances, with these values.
    PerfDataWriter& NoInstances(std::vector<std::uint64_t> values);
    PerfDataWriter& Instance(const std::u16string& name, std::vector<std::uint64_t> values);

    // `time100ns` is the block's PerfTime100nSec.
    std::vector<std::uint8_t> Build(std::uint64_t time100ns = 0) const;

private:
    struct InstanceData {
        std::u16string name;
        std::vector<std::uint64_t> values;
    };
    struct ObjectData {
        std::uint32_t title;
        std::vector<Counter> counters;
        bool instances = true;
        std::vector<std::uint64_t> values;  // without instances
        std::vector<InstanceData> list;
    };
    std::vector<ObjectData> objects_;
};

// Offsets of the first object and its parts in a block made by the writer.
namespace perfblock {
constexpr std::size_t FIRST_OBJECT = 88;
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value);
std::uint32_t GetU32(const std::vector<std::uint8_t>& bytes, std::size_t at);

}  // namespace corvex::test
