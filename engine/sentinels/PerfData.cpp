#include "PerfData.h"

#include <cstring>

namespace corvex {

namespace {

using Offset = std::uint64_t;  // wide enough that no sum of two fields wraps

// The block being walked; every read is checked against its end.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    Offset Size() const { return size_; }
    const std::uint8_t* At(Offset offset) const { return data_ + offset; }

    bool U32(Offset offset, std::uint32_t& value) const {
        if (offset + 4 > size_) return false;
        std::memcpy(&value, data_ + offset, 4);
        return true;
    }
    std::uint32_t U32(Offset offset) const {
        std::uint32_t value = 0;
        U32(offset, value);
        return value;
    }

private:
    const std::uint8_t* data_;
    Offset size_;
};

class Walk {
public:
    Walk(Bytes bytes, const _perffilters& filters, _perfvisitor& visitor,
         _perfnameconverter convert)
        : bytes_(bytes), filters_(filters), visitor_(visitor), convert_(convert) {}

    void Block() {
        std::uint32_t header = 0, count = 0;
        if (!bytes_.U32(perf::BLOCK_HEADER_LENGTH, header) ||
            !bytes_.U32(perf::BLOCK_NUM_OBJECT_TYPES, count)) {
            visitor_.Malformed("data block shorter than its header", 0);
            return;
        }
        visitor_.SeenBlock(count);
        Offset object = header;
        for (std::uint32_t i = 0; i < count; ++i) {
            Offset next = 0;
            if (!ObjectAt(object, i, next)) return;  // no way to find the next one
            object = next;
        }
    }

private:
    struct Counters {
        Offset first;  // first definition
        Offset end;    // end of the object's definitions
        std::uint32_t count;
    };

    bool Fail(const char* what, Offset offset) {
        visitor_.Malformed(what, static_cast<std::size_t>(offset));
        return false;
    }

    // Walks the object at `at`; false when its own lengths do not hold,
    // which also ends the walk of the block.
    bool ObjectAt(Offset at, std::uint32_t index, Offset& next) {
        if (at + perf::OBJECT_SIZE > bytes_.Size()) return Fail("object past the end", at);
        const Offset total = bytes_.U32(at + perf::OBJECT_TOTAL_BYTE_LENGTH);
        const Offset definitions = bytes_.U32(at + perf::OBJECT_DEFINITION_LENGTH);
        const Offset header = bytes_.U32(at + perf::OBJECT_HEADER_LENGTH);
        const Offset end = at + total;
        if (total < perf::OBJECT_SIZE || end > bytes_.Size())
            return Fail("object length", at);
        next = end;

        _perfobject object;
        object.at = bytes_.At(at);
        object.index = index;
        object.titleIndex = bytes_.U32(at + perf::OBJECT_NAME_TITLE_INDEX);
        object.numCounters = bytes_.U32(at + perf::OBJECT_NUM_COUNTERS);
        object.numInstances =
            static_cast<std::int32_t>(bytes_.U32(at + perf::OBJECT_NUM_INSTANCES));
        visitor_.SeenObject(object);
        if (filters_.objectId != -1 &&
            static_cast<std::uint32_t>(filters_.objectId) != object.titleIndex)
            return true;
        visitor_.Object(object);

        if (header < perf::OBJECT_SIZE || header > definitions || definitions > total) {
            Fail("object definition lengths", at);
            return true;  // its neighbours may still be sound
        }
        const Counters counters{at + header, at + definitions, object.numCounters};
        if (!DefinitionsFit(counters)) return true;
        if (object.numInstances == perf::NO_INSTANCES) {
            Offset blockEnd = 0;
            if (CounterBlock(at + definitions, end, blockEnd))
                WalkCounters(counters, at + definitions, blockEnd);
        } else if (object.numInstances < 0) {
            Fail("instance count", at);
        } else {
            Instances(at + definitions, end, object.numInstances, counters);
        }
        return true;
    }

    // Every one of the object's counter definitions lies whole among its
    // definitions; checked once, before any instance uses them.
    bool DefinitionsFit(const Counters& counters) {
        Offset at = counters.first;
        for (std::uint32_t k = 0; k < counters.count; ++k) {
            if (at + perf::COUNTER_DEFINITION_SIZE > counters.end)
                return Fail("counter definition past its object", at);
            const Offset length = bytes_.U32(at + perf::COUNTER_BYTE_LENGTH);
            if (length < perf::COUNTER_DEFINITION_SIZE)
                return Fail("counter definition length", at);
            at += length;
        }
        return true;
    }

    // The counter block at `at` must lie whole before `limit`.
    bool CounterBlock(Offset at, Offset limit, Offset& end) {
        if (at + perf::COUNTER_BLOCK_SIZE > limit) return Fail("counter block past its object", at);
        const Offset length = bytes_.U32(at + perf::COUNTER_BLOCK_BYTE_LENGTH);
        end = at + length;
        if (length < perf::COUNTER_BLOCK_SIZE || end > limit)
            return Fail("counter block length", at);
        return true;
    }

    void Instances(Offset at, Offset limit, std::int32_t count, const Counters& counters) {
        for (std::int32_t j = 0; j < count; ++j) {
            if (at + perf::INSTANCE_SIZE > limit) {
                Fail("instance past its object", at);
                return;
            }
            const Offset length = bytes_.U32(at + perf::INSTANCE_BYTE_LENGTH);
            if (length < perf::INSTANCE_SIZE || at + length > limit) {
                Fail("instance length", at);
                return;
            }
            _perfinstance instance;
            instance.at = bytes_.At(at);
            instance.position = j;
            if (!Name(at, length, instance.name)) return;
            Offset blockEnd = 0;
            if (!CounterBlock(at + length, limit, blockEnd)) return;

            visitor_.SeenInstance(instance);
            const bool any = filters_.instanceId == -1 && filters_.instanceName.empty();
            const bool accepted = any || filters_.instanceId == j ||
                                  (!filters_.instanceName.empty() &&
                                   filters_.instanceName == instance.name);
            if (accepted) {
                if (visitor_.Instance(instance) == perf::STOP) return;
                WalkCounters(counters, at + length, blockEnd);
            }
            at = blockEnd;
        }
    }

    // The UTF-16 name inside the instance, NameLength counting its zero.
    bool Name(Offset instance, Offset length, std::string& name) {
        const Offset offset = bytes_.U32(instance + perf::INSTANCE_NAME_OFFSET);
        const Offset bytes = bytes_.U32(instance + perf::INSTANCE_NAME_LENGTH);
        if (bytes < 2 || bytes % 2 != 0 || offset + bytes > length)
            return Fail("instance name bounds", instance);
        std::vector<char16_t> text(static_cast<std::size_t>(bytes / 2));
        std::memcpy(text.data(), bytes_.At(instance + offset), static_cast<std::size_t>(bytes));
        if (text.back() != 0) return Fail("instance name without terminator", instance);
        name = convert_(text.data(), text.size() - 1);
        return true;
    }

    // The definitions have passed DefinitionsFit.
    void WalkCounters(const Counters& counters, Offset block, Offset blockEnd) {
        Offset at = counters.first;
        for (std::uint32_t k = 0; k < counters.count; ++k) {
            const Offset length = bytes_.U32(at + perf::COUNTER_BYTE_LENGTH);
            _perfcounter counter;
            counter.definition = bytes_.At(at);
            counter.index = k;
            counter.titleIndex = bytes_.U32(at + perf::COUNTER_NAME_TITLE_INDEX);
            counter.type = bytes_.U32(at + perf::COUNTER_TYPE);
            const Offset offset = bytes_.U32(at + perf::COUNTER_OFFSET);
            if (block + offset < blockEnd) {
                counter.value = bytes_.At(block + offset);
                counter.available = static_cast<std::size_t>(blockEnd - block - offset);
            }
            visitor_.SeenCounter(counter);
            if (filters_.counterId == -1 ||
                static_cast<std::uint32_t>(filters_.counterId) == counter.titleIndex) {
                if (visitor_.Counter(counter) == perf::STOP) return;
            }
            at += length;
        }
    }

    Bytes bytes_;
    const _perffilters& filters_;
    _perfvisitor& visitor_;
    _perfnameconverter convert_;
};

}  // namespace

std::string AsciiName(const char16_t* text, std::size_t length) {
    std::string name(length, '?');
    for (std::size_t i = 0; i < length; ++i)
        if (text[i] < 128) name[i] = static_cast<char>(text[i]);
    return name;
}

void WalkPerfData(const std::uint8_t* data, std::size_t size, const _perffilters& filters,
                  _perfvisitor& visitor, _perfnameconverter convert) {
    Walk(Bytes(data, data ? size : 0), filters, visitor, convert ? convert : AsciiName).Block();
}

bool ReadBlockTime(const std::uint8_t* data, std::size_t size, std::uint64_t& time) {
    time = 0;
    if (!data || size < perf::BLOCK_PERF_TIME_100NSEC + 8) return false;
    std::memcpy(&time, data + perf::BLOCK_PERF_TIME_100NSEC, 8);
    return true;
}

bool ReadCounterValue(const _perfcounter& counter, std::uint64_t& value) {
    value = 0;
    switch (counter.type & perf::SIZE_MASK) {
        case perf::SIZE_DWORD: {
            if (!counter.value || counter.available < 4) return false;
            std::uint32_t low = 0;
            std::memcpy(&low, counter.value, 4);
            value = low;
            return true;
        }
        case perf::SIZE_LARGE:
            if (!counter.value || counter.available < 8) return false;
            std::memcpy(&value, counter.value, 8);
            return true;
        case perf::SIZE_ZERO:
            return true;
        default:
            return false;
    }
}

bool ParseCounterNames(const char* data, std::size_t size, std::vector<std::string>& table) {
    table.clear();
    std::size_t at = 0;
    // The next zero-terminated string; the end of the data ends one too.
    const auto next = [&](std::string& text) {
        const void* zero = std::memchr(data + at, 0, size - at);
        const std::size_t end = zero ? static_cast<const char*>(zero) - data : size;
        text.assign(data + at, end - at);
        at = zero ? end + 1 : size;
    };
    std::string index, name;
    while (data && at < size) {
        next(index);
        if (index.empty()) break;
        name.clear();
        if (at < size) next(name);
        std::uint32_t number = 0;
        for (char c : index) {
            if (c < '0' || c > '9') return false;
            number = number * 10 + static_cast<std::uint32_t>(c - '0');
            if (number > PERF_MAX_TITLE_INDEX) return false;
        }
        if (table.size() < number + 1) table.resize(number + 1);
        table[number] = name;
    }
    return true;
}

}  // namespace corvex
