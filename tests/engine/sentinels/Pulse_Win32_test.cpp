#include "Pulse_Win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RegistryMemory.h"
#include "System_Zolt2.h"
#include "Registry_Win32.h"
#include "support/PerfDataWriter.h"

namespace corvex {
namespace {

using test::PerfDataWriter;

const char* const kNamesKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009";

// Counts what reaches the registry, passing everything on.
class CountingRegistry final : public _registrybackend {
public:
    explicit CountingRegistry(_registrybackend& inner) : inner_(inner) {}
    int calls = 0;
    int queries = 0;

    _regstatus OpenKey(_regkey p, const std::string& path, bool c, std::uint32_t a,
                       _regkey& o) override {
        ++calls;
        return inner_.OpenKey(p, path, c, a, o);
    }
    _regstatus CloseKey(_regkey k) override { ++calls; return inner_.CloseKey(k); }
    _regstatus FlushKey(_regkey k) override { ++calls; return inner_.FlushKey(k); }
    _regstatus QueryValue(_regkey k, const std::string& n, std::uint32_t* t, std::uint8_t* d,
                          std::uint32_t* s) override {
        ++calls;
        ++queries;
        return inner_.QueryValue(k, n, t, d, s);
    }
    _regstatus SetValue(_regkey k, const std::string& n, std::uint32_t t, const std::uint8_t* d,
                        std::uint32_t s) override {
        ++calls;
        return inner_.SetValue(k, n, t, d, s);
    }
    _regstatus DeleteValue(_regkey k, const std::string& n) override {
        ++calls;
        return inner_.DeleteValue(k, n);
    }
    _regstatus EnumKey(_regkey k, std::uint32_t i, std::string& n) override {
        ++calls;
        return inner_.EnumKey(k, i, n);
    }
    _regstatus QueryInfoKey(_regkey k, _regkeyinfo& i) override {
        ++calls;
        return inner_.QueryInfoKey(k, i);
    }
    _regstatus DeleteKey(_regkey p, const std::string& path) override {
        ++calls;
        return inner_.DeleteKey(p, path);
    }

private:
    _registrybackend& inner_;
};

std::vector<std::uint8_t> Names() {
    const char text[] = "1\0" "1847\0" "6\0% Processor Time\0" "148\0Interrupts/sec\0"
                        "238\0Processor\0";
    return std::vector<std::uint8_t>(text, text + sizeof text);  // ends with "\0\0"
}

// A Processor object with `cpus` instances and "_Total".
std::vector<std::uint8_t> Processors(int cpus, std::uint64_t base) {
    PerfDataWriter w;
    w.Object(238, {{6, perf::SIZE_LARGE}, {148, perf::SIZE_DWORD}});
    for (int i = 0; i < cpus; ++i)
        w.Instance(std::u16string(1, static_cast<char16_t>(u'0' + i % 10)), {base + i, 7});
    w.Instance(u"_Total", {base * 10, 9});
    return w.Build();
}

class Pulse : public ::testing::Test {
protected:
    void SetUp() override {
        memory_.PutInteger(REGISTRY_LOCAL_MACHINE,
                           "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib",
                           "Last Counter", 1847);
        memory_.Put(REGISTRY_LOCAL_MACHINE, kNamesKey, "Counter", REGISTRY_TYPE_MULTI_SZ, Names());
    }
    void TearDown() override { SetVersionSource(nullptr); }

    void ServeData(std::vector<std::uint8_t> block) {
        memory_.Put(REGISTRY_PERFORMANCE_DATA, "", "238", REGISTRY_TYPE_BINARY, std::move(block));
    }

    _memoryregistry memory_;
    _component owner_;
};

TEST_F(Pulse, NamesAndCurrentItemsDuringTheWalk) {
    ServeData(Processors(2, 1000));
    _pulse& pulse = owner_.Make<_pulse>(memory_);
    ASSERT_FALSE(pulse.Dead());
    EXPECT_EQ(pulse.GetName(238), "Processor");
    EXPECT_EQ(pulse.GetName(7), "");
    EXPECT_EQ(pulse.GetName(100000), "");

    pulse.SetScope("238");
    pulse.Filters().counterId = 6;
    std::vector<std::string> seen;
    pulse.OnObject = [&](std::uint32_t title) {
        seen.push_back("object " + std::to_string(title) + " " + pulse.ObjectName());
        return 0;
    };
    pulse.OnInstance = [&](std::int32_t position) {
        seen.push_back("instance " + std::to_string(position) + " " + pulse.InstanceName());
        return 0;
    };
    pulse.OnCounter = [&](std::uint32_t title, const _perfcounter& c) {
        std::uint64_t value = 0;
        EXPECT_EQ(pulse.GetData(&c, value), _OK);
        seen.push_back(pulse.CounterName() + "=" + std::to_string(value) + " (" +
                       std::to_string(title) + ")");
        return 0;
    };
    EXPECT_EQ(pulse.Refresh(), _OK);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "object 238 Processor", "instance 0 0", "% Processor Time=1000 (6)",
                        "instance 1 1", "% Processor Time=1001 (6)", "instance 2 _Total",
                        "% Processor Time=10000 (6)"}));
    EXPECT_EQ(pulse.DataFaults(), 0u);
    EXPECT_EQ(pulse.DataSize(), 5000u);
}

TEST_F(Pulse, BufferGrowsByWhatTheQueryAsksPlusTheAdjustment) {
    const std::vector<std::uint8_t> big = Processors(150, 1);
    ASSERT_GT(big.size(), 5000u);
    ServeData(big);
    _pulse& pulse = owner_.Make<_pulse>(memory_);
    pulse.SetScope("238");
    int instances = 0;
    pulse.OnInstance = [&](std::int32_t) { return ++instances, 0; };
    EXPECT_EQ(pulse.Refresh(), _OK);
    EXPECT_EQ(instances, 151);
    EXPECT_EQ(pulse.DataFaults(), 1u);
    EXPECT_EQ(pulse.DataSize(), big.size() + 1000);

    // The next load starts at the size that sufficed.
    instances = 0;
    EXPECT_EQ(pulse.Refresh(), _OK);
    EXPECT_EQ(instances, 151);
    EXPECT_EQ(pulse.DataFaults(), 0u);
    EXPECT_EQ(pulse.DataSize(), big.size() + 1000);
}

TEST_F(Pulse, DataThatKeepsGrowingIsGivenUp) {
    std::size_t instances = 100;
    memory_.PutSource(REGISTRY_PERFORMANCE_DATA, "", "238", REGISTRY_TYPE_BINARY, [&] {
        instances += 100;  // more every time it is asked
        return Processors(static_cast<int>(instances), 1);
    });
    _pulse& pulse = owner_.Make<_pulse>(memory_);
    pulse.SetScope("238");
    int objects = 0;
    pulse.OnObject = [&](std::uint32_t) { return ++objects, 0; };
    EXPECT_EQ(pulse.Refresh(), _ERROR);
    EXPECT_EQ(pulse.DataFaults(), _pulse::MAX_GROWTHS + 1);
    EXPECT_EQ(objects, 0);
}

TEST_F(Pulse, FailedQueriesWalkNothing) {
    _pulse& pulse = owner_.Make<_pulse>(memory_);
    int objects = 0;
    pulse.OnObject = [&](std::uint32_t) { return ++objects, 0; };
    EXPECT_EQ(pulse.Refresh(), _ERROR);  // no scope yet
    pulse.SetScope("238");
    EXPECT_EQ(pulse.Refresh(), _ERROR);  // the system has no such data
    EXPECT_EQ(objects, 0);

    // Without the English names nothing is loaded either.
    _memoryregistry bare;
    bare.Put(REGISTRY_PERFORMANCE_DATA, "", "238", REGISTRY_TYPE_BINARY, Processors(1, 1));
    _component owner;  // goes before the registry it reads
    _pulse& nameless = owner.Make<_pulse>(bare);
    nameless.SetScope("238");
    nameless.OnObject = pulse.OnObject;
    EXPECT_EQ(nameless.Refresh(), _ERROR);
    EXPECT_EQ(objects, 0);
}

TEST_F(Pulse, DeadOnTheWindows98FamilyWithoutTouchingTheRegistry) {
    SetVersionSource([](_osversion& v) {
        v.platform = _osversion::WIN32_WINDOWS;
        v.major = 4;
        v.minor = 10;
        v.build = 2222;
        return true;
    });
    ServeData(Processors(1, 1));
    CountingRegistry counting(memory_);
    _component owner;
    _pulse& pulse = owner.Make<_pulse>(counting);
    EXPECT_TRUE(pulse.Dead());
    pulse.SetScope("238");
    EXPECT_EQ(pulse.Refresh(), _ERROR);
    EXPECT_EQ(pulse.KERNEL_KillScope(), _ERROR);
    _perfcounter c;
    std::uint64_t value = 5;
    EXPECT_EQ(pulse.GetData(&c, value), _ERROR);
    EXPECT_EQ(value, 0u);
    owner.Destroy(&pulse);
    EXPECT_EQ(counting.calls, 0);
}

TEST_F(Pulse, GetDataRefusesWhatItCannotRead) {
    _pulse& pulse = owner_.Make<_pulse>(memory_);
    std::uint64_t value = 5;
    EXPECT_EQ(pulse.GetData(nullptr, value), _ERROR);
    const std::uint8_t bytes[4] = {1, 0, 0, 0};
    _perfcounter c;
    c.definition = bytes;  // any definition will do: only its presence counts
    c.value = bytes;
    c.available = 4;
    c.type = perf::SIZE_VARIABLE_LEN;
    EXPECT_EQ(pulse.GetData(&c, value), _ERROR);
    c.type = perf::SIZE_LARGE;  // 8 bytes wanted, 4 there
    EXPECT_EQ(pulse.GetData(&c, value), _ERROR);
    c.type = perf::SIZE_DWORD;
    EXPECT_EQ(pulse.GetData(&c, value), _OK);
    EXPECT_EQ(value, 1u);
}

// A block without objects stands for the next EMPTY_REUSES refreshes, and
// each further one in a row for twice as many, up to EMPTY_REUSES_MAX; one
// with objects is asked for at every refresh, and a new scope at once.
TEST_F(Pulse, AnAnswerWithoutObjectsIsReusedForAWhile) {
    CountingRegistry counting(memory_);
    ServeData(PerfDataWriter().Build());
    _component owner;  // goes before the registry it uses
    _pulse& pulse = owner.Make<_pulse>(counting);
    pulse.SetScope("238");
    int objects = 0;
    pulse.OnObject = [&](std::uint32_t) { return ++objects, 0; };
    const auto queries = [&](int refreshes) {
        const int before = counting.queries;
        for (int i = 0; i < refreshes; ++i) EXPECT_EQ(pulse.Refresh(), _OK);
        return counting.queries - before;
    };
    for (const int period : {60, 120, 240, 480, 960, 1920, 3600, 3600})
        EXPECT_EQ(queries(period), 1) << period;
    ServeData(Processors(1, 5));
    EXPECT_EQ(queries(1), 1);  // the reuse has run out
    EXPECT_EQ(objects, 1);
    EXPECT_EQ(queries(3), 3);
    ServeData(PerfDataWriter().Build());
    EXPECT_EQ(queries(60), 1);  // objects in between: a minute again
    EXPECT_EQ(queries(2), 1);
    memory_.Put(REGISTRY_PERFORMANCE_DATA, "", "2", REGISTRY_TYPE_BINARY, PerfDataWriter().Build());
    pulse.SetScope("2");
    EXPECT_EQ(queries(1), 1);
    EXPECT_EQ(objects, 4);
}

// Wine's performance data is an empty block and its counter-name key cannot
// tell its largest value size: the real path still loads and finds nothing.
TEST_F(Pulse, RealRegistryAnswersWithoutObjects) {
    _pulse& pulse = owner_.Make<_pulse>(Win32Registry());
    pulse.SetScope("238");
    int objects = 0;
    pulse.OnObject = [&](std::uint32_t) { return ++objects, 0; };
    EXPECT_EQ(pulse.Refresh(), _OK);
    EXPECT_EQ(pulse.Refresh(), _OK);
    EXPECT_EQ(objects, 0);
}

}  // namespace
}  // namespace corvex
