// Feeds the performance-data walk and the counter-name table with hostile
// bytes. An input whose first byte is odd is applied as (offset, byte) pairs
// to a sound block instead, which reaches deep into the walk quickly.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "PerfData.h"
#include "support/PerfDataWriter.h"

namespace {

// Touches everything the walk hands over, as a reader's callbacks would.
class Reader : public corvex::_perfvisitor {
public:
    std::uint64_t sum = 0;
    int Instance(const corvex::_perfinstance& i) override {
        sum += i.name.size();
        return i.position == 5 ? corvex::perf::STOP : 0;
    }
    int Counter(const corvex::_perfcounter& c) override {
        std::uint64_t value = 0;
        corvex::ReadCounterValue(c, value);
        sum += value;
        return 0;
    }
};

const std::vector<std::uint8_t>& SoundBlock() {
    static const std::vector<std::uint8_t> block =
        corvex::test::PerfDataWriter()
            .Object(238, {{6, corvex::perf::SIZE_LARGE}, {148, corvex::perf::SIZE_DWORD}})
            .Instance(u"0", {10, 20})
            .Instance(u"_Total", {30, 40})
            .Object(260, {{10, corvex::perf::SIZE_DWORD}})
            .NoInstances({50})
            .Build();
    return block;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> block;
    if (size > 0 && (data[0] & 1)) {
        block = SoundBlock();
        for (std::size_t i = 1; i + 1 < size; i += 2) block[data[i] % block.size()] = data[i + 1];
    } else {
        block.assign(data, data + size);  // exactly the input's size
    }
    corvex::_perffilters filters;
    if (size > 1) filters.instanceId = data[size - 1] % 3 - 1;
    Reader reader;
    corvex::WalkPerfData(block.data(), block.size(), filters, reader);

    std::vector<std::string> names;
    corvex::ParseCounterNames(reinterpret_cast<const char*>(data), size, names);
    return 0;
}
