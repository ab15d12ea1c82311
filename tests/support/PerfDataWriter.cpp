#include "support/PerfDataWriter.h"

#include <cstring>

#include "PerfData.h"

namespace corvex::test {

namespace {

void Append(std::vector<std::uint8_t>& bytes, const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + size);
}

std::size_t ValueSize(std::uint32_t type) {
    return (type & perf::SIZE_MASK) == perf::SIZE_LARGE ? 8 : 4;
}

// A counter block: its length, then each value at the definition's offset.
std::vector<std::uint8_t> CounterBlock(const std::vector<PerfDataWriter::Counter>& counters,
                                       const std::vector<std::uint64_t>& values) {
    std::vector<std::uint8_t> block(perf::COUNTER_BLOCK_SIZE);
    for (std::size_t k = 0; k < counters.size(); ++k) {
        const std::uint64_t v = k < values.size() ? values[k] : 0;
        Append(block, &v, ValueSize(counters[k].type));
    }
    while (block.size() % 8) block.push_back(0);
    PutU32(block, 0, static_cast<std::uint32_t>(block.size()));
    return block;
}

}  // namespace

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    std::memcpy(bytes.data() + at, &value, 4);
}

std::uint32_t GetU32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

PerfDataWriter& PerfDataWriter::Object(std::uint32_t title, std::vector<Counter> counters) {
    objects_.push_back({title, std::move(counters), true, {}, {}});
    return *this;
}

PerfDataWriter& PerfDataWriter::NoInstances(std::vector<std::uint64_t> values) {
    objects_.back().instances = false;
    objects_.back().values = std::move(values);
    return *this;
}

PerfDataWriter& PerfDataWriter::Instance(const std::u16string& name,
                                         std::vector<std::uint64_t> values) {
    objects_.back().list.push_back({name, std::move(values)});
    return *this;
}

std::vector<std::uint8_t> PerfDataWriter::Build(std::uint64_t time100ns) const {
    std::vector<std::uint8_t> block(perf::BLOCK_SIZE, 0);
    std::memcpy(block.data(), u"PERF", 8);
    PutU32(block, 8, 1);  // little endian
    PutU32(block, perf::BLOCK_HEADER_LENGTH, perf::BLOCK_SIZE);
    PutU32(block, perf::BLOCK_NUM_OBJECT_TYPES, static_cast<std::uint32_t>(objects_.size()));
    std::memcpy(block.data() + perf::BLOCK_PERF_TIME_100NSEC, &time100ns, 8);

    for (const ObjectData& o : objects_) {
        std::vector<std::uint8_t> object(perf::OBJECT_SIZE, 0);
        PutU32(object, perf::OBJECT_HEADER_LENGTH, perf::OBJECT_SIZE);
        PutU32(object, perf::OBJECT_NAME_TITLE_INDEX, o.title);
        PutU32(object, perf::OBJECT_NUM_COUNTERS, static_cast<std::uint32_t>(o.counters.size()));
        PutU32(object, perf::OBJECT_NUM_INSTANCES,
               o.instances ? static_cast<std::uint32_t>(o.list.size())
                           : static_cast<std::uint32_t>(perf::NO_INSTANCES));

        std::uint32_t offset = perf::COUNTER_BLOCK_SIZE;
        for (const Counter& c : o.counters) {
            std::vector<std::uint8_t> def(perf::COUNTER_DEFINITION_SIZE, 0);
            PutU32(def, perf::COUNTER_BYTE_LENGTH, perf::COUNTER_DEFINITION_SIZE);
            PutU32(def, perf::COUNTER_NAME_TITLE_INDEX, c.title);
            PutU32(def, perf::COUNTER_TYPE, c.type);
            PutU32(def, perf::COUNTER_SIZE, static_cast<std::uint32_t>(ValueSize(c.type)));
            PutU32(def, perf::COUNTER_OFFSET, offset);
            offset += static_cast<std::uint32_t>(ValueSize(c.type));
            Append(object, def.data(), def.size());
        }
        PutU32(object, perf::OBJECT_DEFINITION_LENGTH, static_cast<std::uint32_t>(object.size()));

        if (!o.instances) {
            const auto counters = CounterBlock(o.counters, o.values);
            Append(object, counters.data(), counters.size());
        }
        for (const InstanceData& i : o.list) {
            std::vector<std::uint8_t> instance(perf::INSTANCE_SIZE, 0);
            const std::uint32_t nameBytes = static_cast<std::uint32_t>((i.name.size() + 1) * 2);
            PutU32(instance, perf::INSTANCE_NAME_OFFSET, perf::INSTANCE_SIZE);
            PutU32(instance, perf::INSTANCE_NAME_LENGTH, nameBytes);
            Append(instance, i.name.c_str(), nameBytes);
            while (instance.size() % 8) instance.push_back(0);
            PutU32(instance, perf::INSTANCE_BYTE_LENGTH, static_cast<std::uint32_t>(instance.size()));
            Append(object, instance.data(), instance.size());
            const auto counters = CounterBlock(o.counters, i.values);
            Append(object, counters.data(), counters.size());
        }
        PutU32(object, perf::OBJECT_TOTAL_BYTE_LENGTH, static_cast<std::uint32_t>(object.size()));
        Append(block, object.data(), object.size());
    }
    PutU32(block, perf::BLOCK_TOTAL_BYTE_LENGTH, static_cast<std::uint32_t>(block.size()));
    return block;
}

}  // namespace corvex::test
