// The store's checked reads: a stored value of the wrong type or out of
// its range gives the caller's default and marks the read as failed.

#include "Lair_Zolt2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RegistryMemory.h"

namespace corvex {
namespace {

const char* const kOptions = "Software\\Brannock\\corvex\\0.0.1\\Options";

TEST(LairReads, ValuesOutOfRangeOrOfTheWrongTypeGiveTheDefault) {
    _memoryregistry memory;
    memory.PutInteger(REGISTRY_CURRENT_USER, kOptions, "in", 255);
    memory.PutInteger(REGISTRY_CURRENT_USER, kOptions, "over", 4096);
    memory.PutInteger(REGISTRY_CURRENT_USER, kOptions, "negative", 0xFFFFFFFFu);
    memory.PutString(REGISTRY_CURRENT_USER, kOptions, "text", "fast");
    memory.PutInteger(REGISTRY_CURRENT_USER, kOptions, "bool", 7);
    memory.PutInteger(REGISTRY_CURRENT_USER, kOptions, "rgb", 0x00102030);
    memory.PutInteger(REGISTRY_CURRENT_USER, kOptions, "system", 0x8000000F);
    memory.PutInteger(REGISTRY_CURRENT_USER, kOptions, "nocolor", 0x7F000000);
    memory.PutInteger(REGISTRY_CURRENT_USER, kOptions, "nosystem", 0x80000040);
    memory.PutString(REGISTRY_CURRENT_USER, kOptions, "long", std::string(300, 'x'));
    _lair store(nullptr, memory);
    store.SetCompany("Brannock");
    store.SetApp("corvex");
    store.SetKey("Options");

    const struct {
        const char* name;
        int expected;
        bool failed;
    } integers[] = {{"in", 255, false}, {"over", 9, true}, {"negative", 9, true}, {"text", 9, true}, {"absent", 9, true}};
    for (const auto& c : integers) {
        EXPECT_EQ(store.ReadInteger(c.name, 9, 0, 255), c.expected) << c.name;
        EXPECT_EQ(store.Failed(), c.failed) << c.name;
    }
    EXPECT_TRUE(store.ReadBool("bool", true));  // 7 is no boolean: the default
    EXPECT_TRUE(store.Failed());
    EXPECT_EQ(store.ReadColor("rgb", 1), 0x00102030u);
    EXPECT_EQ(store.ReadColor("system", 1), 0x8000000Fu);
    EXPECT_EQ(store.ReadColor("nocolor", 1), 1u);
    EXPECT_EQ(store.ReadColor("nosystem", 1), 1u);
    EXPECT_EQ(store.ReadString("long", "d", 255), "d");
    EXPECT_EQ(store.ReadString("long", "d", 300), std::string(300, 'x'));
    EXPECT_EQ(store.ReadString("text", "d", 255), "fast");
}

}  // namespace
}  // namespace corvex
