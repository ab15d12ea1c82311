#include "PerfData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/PerfDataWriter.h"

namespace corvex {
namespace {

using test::GetU32;
using test::PerfDataWriter;
using test::PutU32;
using Trace = std::vector<std::string>;

constexpr std::uint32_t kProcessor = 238, kProcessorTime = 6, kInterrupts = 148;
constexpr std::uint32_t kLarge = perf::SIZE_LARGE, kDword = perf::SIZE_DWORD;

// Writes down what the walk hands over, and can stop where told to.
class Recorder : public _perfvisitor {
public:
    Trace trace;
    Trace malformed;
    int stopInstanceAt = -1;
    std::size_t stopCounterAt = ~std::size_t{0};

    void Object(const _perfobject& o) override {
        trace.push_back("object " + std::to_string(o.titleIndex));
    }
    int Instance(const _perfinstance& i) override {
        trace.push_back("instance " + std::to_string(i.position) + " " + i.name);
        return i.position == stopInstanceAt ? perf::STOP : 0;
    }
    int Counter(const _perfcounter& c) override {
        std::uint64_t value = 0;
        const bool read = ReadCounterValue(c, value);
        trace.push_back("counter " + std::to_string(c.titleIndex) + "=" +
                        (read ? std::to_string(value) : std::string("?")));
        return c.index == stopCounterAt ? perf::STOP : 0;
    }
    void Malformed(const char* what, std::size_t) override { malformed.push_back(what); }
};

std::vector<std::uint8_t> Processors() {
    return PerfDataWriter()
        .Object(kProcessor, {{kProcessorTime, kLarge}, {kInterrupts, kDword}})
        .Instance(u"0", {1000, 7})
        .Instance(u"1", {2000, 8})
        .Instance(u"_Total", {3000, 15})
        .Build();
}

Trace Walk(const std::vector<std::uint8_t>& data, const _perffilters& filters = {},
           Recorder&& recorder = Recorder()) {
    WalkPerfData(data.data(), data.size(), filters, recorder);
    EXPECT_EQ(recorder.malformed, Trace{});
    return recorder.trace;
}

TEST(PerfData, WalksObjectsInstancesAndCounters) {
    const auto data = PerfDataWriter()
                          .Object(kProcessor, {{kProcessorTime, kLarge}, {kInterrupts, kDword}})
                          .Instance(u"0", {0x1122334455ULL, 7})
                          .Instance(u"_Total", {9, 0xFFFFFFFFu})
                          .Object(260, {{10, kDword}})
                          .NoInstances({42})
                          .Build();
    EXPECT_EQ(Walk(data), (Trace{"object 238", "instance 0 0", "counter 6=73588229205",
                                 "counter 148=7", "instance 1 _Total", "counter 6=9",
                                 "counter 148=4294967295", "object 260", "counter 10=42"}));
}

TEST(PerfData, Filters) {
    const auto data = PerfDataWriter()
                          .Object(kProcessor, {{kProcessorTime, kLarge}, {kInterrupts, kDword}})
                          .Instance(u"0", {1000, 7})
                          .Instance(u"1", {2000, 8})
                          .Instance(u"_Total", {3000, 15})
                          .Object(260, {{10, kDword}})
                          .NoInstances({42})
                          .Build();
    _perffilters f;
    f.objectId = 260;
    EXPECT_EQ(Walk(data, f), (Trace{"object 260", "counter 10=42"}));

    f = {};
    f.counterId = kInterrupts;
    f.objectId = kProcessor;
    EXPECT_EQ(Walk(data, f), (Trace{"object 238", "instance 0 0", "counter 148=7", "instance 1 1",
                                    "counter 148=8", "instance 2 _Total", "counter 148=15"}));

    // Position and name filters each accept their own instance.
    f = {};
    f.objectId = kProcessor;
    f.counterId = kProcessorTime;
    f.instanceId = 0;
    f.instanceName = "_Total";
    EXPECT_EQ(Walk(data, f), (Trace{"object 238", "instance 0 0", "counter 6=1000",
                                    "instance 2 _Total", "counter 6=3000"}));
    f.instanceId = -1;
    f.instanceName = "1";
    EXPECT_EQ(Walk(data, f), (Trace{"object 238", "instance 1 1", "counter 6=2000"}));
    f.instanceName = "_total";  // names match exactly
    EXPECT_EQ(Walk(data, f), (Trace{"object 238"}));
    f.instanceName.clear();
    f.instanceId = 2;
    EXPECT_EQ(Walk(data, f), (Trace{"object 238", "instance 2 _Total", "counter 6=3000"}));
}

TEST(PerfData, StopEndsOnlyTheCurrentRun) {
    Recorder counters;
    counters.stopCounterAt = 0;
    EXPECT_EQ(Walk(Processors(), {}, std::move(counters)),
              (Trace{"object 238", "instance 0 0", "counter 6=1000", "instance 1 1",
                     "counter 6=2000", "instance 2 _Total", "counter 6=3000"}));

    auto two = PerfDataWriter()
                   .Object(kProcessor, {{kProcessorTime, kLarge}})
                   .Instance(u"0", {1})
                   .Instance(u"1", {2})
                   .Object(260, {{10, kDword}})
                   .Instance(u"x", {3})
                   .Build();
    Recorder instances;
    instances.stopInstanceAt = 0;
    EXPECT_EQ(Walk(two, {}, std::move(instances)),
              (Trace{"object 238", "instance 0 0", "object 260", "instance 0 x"}));
}

TEST(PerfData, CounterValuesBySize) {
    std::uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    _perfcounter c;
    c.value = bytes;
    c.available = 8;
    std::uint64_t v = 99;
    c.type = perf::SIZE_DWORD | 0x10000;  // other type bits do not matter
    EXPECT_TRUE(ReadCounterValue(c, v));
    EXPECT_EQ(v, 0x04030201u);
    c.type = perf::SIZE_LARGE;
    EXPECT_TRUE(ReadCounterValue(c, v));
    EXPECT_EQ(v, 0x0807060504030201ULL);
    c.type = perf::SIZE_ZERO;
    EXPECT_TRUE(ReadCounterValue(c, v));
    EXPECT_EQ(v, 0u);
    c.type = perf::SIZE_VARIABLE_LEN;
    v = 5;
    EXPECT_FALSE(ReadCounterValue(c, v));
    EXPECT_EQ(v, 0u);
    // A value that would run past its counter block is not read.
    c.type = perf::SIZE_LARGE;
    c.available = 7;
    EXPECT_FALSE(ReadCounterValue(c, v));
    c.type = perf::SIZE_DWORD;
    c.available = 3;
    EXPECT_FALSE(ReadCounterValue(c, v));
}

// Every prefix of a sound block, in a buffer of exactly that size: the walk
// stops at what is missing and never reads beyond (AddressSanitizer).
TEST(PerfData, TruncatedBlocksAreWalkedSafely) {
    const auto full = Processors();
    for (std::size_t n = 0; n < full.size(); ++n) {
        std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<long>(n));
        Recorder r;
        WalkPerfData(cut.data(), cut.size(), {}, r);
        EXPECT_FALSE(r.malformed.empty()) << n;
    }
    Recorder none;
    WalkPerfData(nullptr, 100, {}, none);
    EXPECT_EQ(none.malformed, Trace{"data block shorter than its header"});
}

struct Damage {
    const char* what;
    std::size_t at;  // offset in the block
    std::uint32_t value;
    Trace expected;
    const char* malformed;
};

TEST(PerfData, MalformedPartsEndTheirObjectOrInstance) {
    const std::size_t obj = test::perfblock::FIRST_OBJECT;
    const auto sound = Processors();
    const std::size_t definitions = GetU32(sound, obj + perf::OBJECT_DEFINITION_LENGTH);
    const std::size_t inst0 = obj + definitions;
    const std::size_t block0 = inst0 + GetU32(sound, inst0);
    const std::size_t inst1 = block0 + GetU32(sound, block0);

    const Damage cases[] = {
        {"object length 0", obj + perf::OBJECT_TOTAL_BYTE_LENGTH, 0, {}, "object length"},
        {"object past the end", obj + perf::OBJECT_TOTAL_BYTE_LENGTH, 0x7FFFFFFF, {},
         "object length"},
        {"header beyond definitions", obj + perf::OBJECT_HEADER_LENGTH, 0xFFFFFFF0,
         {"object 238"}, "object definition lengths"},
        {"too many instances", obj + perf::OBJECT_NUM_INSTANCES, 1000,
         {"object 238", "instance 0 0", "counter 6=1000", "counter 148=7", "instance 1 1",
          "counter 6=2000", "counter 148=8", "instance 2 _Total", "counter 6=3000",
          "counter 148=15"},
         "instance past its object"},
        {"negative instance count", obj + perf::OBJECT_NUM_INSTANCES, 0xFFFFFFFE, {"object 238"},
         "instance count"},
        {"too many counters", obj + perf::OBJECT_NUM_COUNTERS, 0x10000000, {"object 238"},
         "counter definition past its object"},
        {"counter definition length 0", obj + perf::OBJECT_SIZE, 0, {"object 238"},
         "counter definition length"},
        {"instance length 0", inst1 + perf::INSTANCE_BYTE_LENGTH, 0,
         {"object 238", "instance 0 0", "counter 6=1000", "counter 148=7"}, "instance length"},
        {"odd name length", inst1 + perf::INSTANCE_NAME_LENGTH, 3,
         {"object 238", "instance 0 0", "counter 6=1000", "counter 148=7"},
         "instance name bounds"},
        {"name past its instance", inst1 + perf::INSTANCE_NAME_OFFSET, 0xFFFFFFFE,
         {"object 238", "instance 0 0", "counter 6=1000", "counter 148=7"},
         "instance name bounds"},
        {"name without terminator", inst1 + perf::INSTANCE_NAME_LENGTH, 2 /* "1" w/o zero */,
         {"object 238", "instance 0 0", "counter 6=1000", "counter 148=7"},
         "instance name without terminator"},
        {"counter block length 0", block0, 0, {"object 238"}, "counter block length"},
        {"counter block too long", block0, 0x00FFFFFF, {"object 238"}, "counter block length"},
    };
    for (const Damage& d : cases) {
        auto data = sound;
        PutU32(data, d.at, d.value);
        if (std::string(d.what) == "name without terminator")
            data[inst1 + perf::INSTANCE_SIZE + 2] = 'x';  // overwrite the zero
        Recorder r;
        WalkPerfData(data.data(), data.size(), {}, r);
        EXPECT_EQ(r.trace, d.expected) << d.what;
        EXPECT_EQ(r.malformed, Trace{d.malformed}) << d.what;
    }
}

TEST(PerfData, CounterOffsetOutsideItsBlockGivesNoValue) {
    auto data = Processors();
    const std::size_t firstDefinition = test::perfblock::FIRST_OBJECT + perf::OBJECT_SIZE;
    PutU32(data, firstDefinition + perf::COUNTER_OFFSET, 0x7FFFFFF0);
    Recorder r;
    WalkPerfData(data.data(), data.size(), {}, r);
    EXPECT_EQ(r.trace[2], "counter 6=?");
    EXPECT_EQ(r.trace[3], "counter 148=7");
}

TEST(CounterNames, TableByTitleIndex) {
    const char names[] = "1\0" "1847\0" "2\0System\0" "6\0% Processor Time\0"
                         "238\0Processor\0" "\0";
    std::vector<std::string> table;
    ASSERT_TRUE(ParseCounterNames(names, sizeof names - 1, table));
    ASSERT_EQ(table.size(), 239u);
    EXPECT_EQ(table[1], "1847");
    EXPECT_EQ(table[6], "% Processor Time");
    EXPECT_EQ(table[238], "Processor");
    EXPECT_EQ(table[3], "");
}

TEST(CounterNames, BadDataStopsSafely) {
    std::vector<std::string> table;
    const char bad[] = "2\0System\0x9\0Oops\0" "4\0Never\0";
    EXPECT_FALSE(ParseCounterNames(bad, sizeof bad - 1, table));
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[2], "System");

    // No terminator at all: the data's end ends the last string.
    const char open[] = {'5', 0, 'D', 'i', 's', 'k'};
    EXPECT_TRUE(ParseCounterNames(open, sizeof open, table));
    ASSERT_EQ(table.size(), 6u);
    EXPECT_EQ(table[5], "Disk");

    // An index that would make the table huge is refused.
    const char huge[] = "4294967295\0Big\0";
    EXPECT_FALSE(ParseCounterNames(huge, sizeof huge - 1, table));
    EXPECT_TRUE(table.empty());
    EXPECT_TRUE(ParseCounterNames(nullptr, 10, table));
    EXPECT_TRUE(table.empty());
}

}  // namespace
}  // namespace corvex
