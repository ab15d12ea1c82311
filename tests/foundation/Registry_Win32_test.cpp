// _registry on the real registry of the test account.
#include "Registry_Win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Registry_Zolt2.h"
#include "support/RawRegistry.h"

namespace corvex {
namespace {

using namespace corvex::test;

const char* const kArea = "Software\\Brannock\\registry-tests";

class RealRegistry : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(RawDeleteTree(HKEY_CURRENT_USER, kArea)); }
    void TearDown() override {
        registry.CloseKey();
        RawDeleteTree(HKEY_CURRENT_USER, kArea);
    }
    static std::string At(const std::string& sub) { return std::string(kArea) + "\\" + sub; }

    _registry registry;  // the Win32 registry
};

TEST_F(RealRegistry, CreatesOpensAndComposesPaths) {
    ASSERT_TRUE(registry.OpenKey(std::string("\\") + kArea + "\\", true, REGISTRY_ALL_ACCESS));
    EXPECT_EQ(registry.CurrentPath(), kArea);
    ASSERT_TRUE(registry.OpenKey("Screen\\1024x768", true, REGISTRY_READ_WRITE));
    EXPECT_EQ(registry.CurrentPath(), At("Screen\\1024x768"));
    registry.WriteInteger("Left", -20);
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, At("Screen\\1024x768"), "Left", 0), -20);

    EXPECT_FALSE(registry.OpenKey("Missing", false, REGISTRY_READ));
    EXPECT_EQ(registry.CurrentPath(), At("Screen\\1024x768"));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, At("Screen\\1024x768\\Missing")));
    EXPECT_TRUE(registry.KeyExists(std::string("\\") + kArea + "\\Screen"));
    EXPECT_FALSE(registry.KeyExists("Missing"));
}

TEST_F(RealRegistry, ReadsAndWritesEveryValueKind) {
    ASSERT_TRUE(registry.OpenKey(std::string("\\") + kArea, true, REGISTRY_ALL_ACCESS));
    registry.WriteString("host", "127.0.0.1");
    registry.WriteBool("on", true);
    const std::uint8_t blob[3] = {7, 8, 9};
    registry.WriteBinaryData("blob", blob, 3);

    DWORD type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_TRUE(RawGet(HKEY_CURRENT_USER, kArea, "host", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data.size(), 10u);  // with the terminating zero
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kArea, "on", -1), 1);

    EXPECT_EQ(registry.ReadString("host"), "127.0.0.1");
    EXPECT_TRUE(registry.ReadBool("on"));
    EXPECT_EQ(registry.GetDataSize("blob"), 3);
    EXPECT_EQ(registry.GetDataSize("absent"), -1);
    std::uint8_t back[4] = {0, 0, 0, 0xEE};
    EXPECT_EQ(registry.ReadBinaryData("blob", back, 4), 3);
    EXPECT_EQ(back[2], 9);
    EXPECT_EQ(back[3], 0xEE);

    ASSERT_TRUE(RawSet(HKEY_CURRENT_USER, kArea, "path", REG_EXPAND_SZ, "%WINDIR%\\x", 12));
    EXPECT_EQ(registry.ReadString("path"), "%WINDIR%\\x");
    try {
        registry.ReadInteger("host");
        ADD_FAILURE() << "a string read as an integer";
    } catch (const _registryerror& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'host'");
    }
}

TEST_F(RealRegistry, StringsWithoutTheirZeroAreReadWithinTheirSize) {
    ASSERT_TRUE(RawSet(HKEY_CURRENT_USER, kArea, "bare", REG_SZ, "abcXYZ", 3));
    ASSERT_TRUE(RawSet(HKEY_CURRENT_USER, kArea, "odd", REG_SZ, "abcde", 5));
    ASSERT_TRUE(RawSet(HKEY_CURRENT_USER, kArea, "empty", REG_SZ, "", 0));
    ASSERT_TRUE(RawSet(HKEY_CURRENT_USER, kArea, "inner", REG_SZ, "ab\0cd", 6));
    ASSERT_TRUE(registry.OpenKey(std::string("\\") + kArea, false, REGISTRY_READ));
    EXPECT_EQ(registry.ReadString("bare"), "abc");
    EXPECT_EQ(registry.ReadString("odd"), "abcde");
    EXPECT_EQ(registry.ReadString("empty"), "");
    EXPECT_EQ(registry.ReadString("inner"), "ab");
}

TEST_F(RealRegistry, BinaryLargerThanTheBufferIsRefusedUntouched) {
    std::uint8_t sixteen[16];
    std::memset(sixteen, 0x11, sizeof sixteen);
    ASSERT_TRUE(RawSet(HKEY_CURRENT_USER, kArea, "big", REG_BINARY, sixteen, sizeof sixteen));
    ASSERT_TRUE(registry.OpenKey(std::string("\\") + kArea, false, REGISTRY_READ));
    std::uint8_t buffer[12];
    std::memset(buffer, 0xEE, sizeof buffer);
    EXPECT_THROW(registry.ReadBinaryData("big", buffer, 8), _registryerror);
    for (std::uint8_t b : buffer) EXPECT_EQ(b, 0xEE);
}

TEST_F(RealRegistry, DeletesWholeTreesAndListsKeys) {
    for (const char* path : {"Tree\\b\\b1", "Tree\\a", "Tree\\c\\c1\\c2", "Keep"})
        ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, At(path), "v", 1));
    ASSERT_TRUE(registry.OpenKey(std::string("\\") + kArea + "\\Tree", false, REGISTRY_ALL_ACCESS));
    std::vector<std::string> names;
    ASSERT_TRUE(registry.GetKeyNames(names));
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "c"}));

    ASSERT_TRUE(registry.OpenKey(std::string("\\") + kArea, false, REGISTRY_ALL_ACCESS));
    EXPECT_TRUE(registry.DeleteKey("Tree"));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, At("Tree")));
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, At("Keep")));
    EXPECT_FALSE(registry.DeleteKey("Tree"));
    EXPECT_FALSE(registry.DeleteKey(""));
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, kArea));
}

TEST_F(RealRegistry, AReadOnlyKeyRefusesWrites) {
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, kArea, "v", 4));
    ASSERT_TRUE(registry.OpenKey(std::string("\\") + kArea, false, REGISTRY_READ));
    EXPECT_EQ(registry.ReadInteger("v"), 4);
    try {
        registry.WriteInteger("v", 5);
        ADD_FAILURE() << "written through a key opened for reading";
    } catch (const _registryerror& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'v'");
    }
    EXPECT_EQ(RawDword(HKEY_CURRENT_USER, kArea, "v", 0), 4);
}

TEST(RealRegistryRoots, OtherHivesAreReachedThroughTheirPredefinedKeys) {
    _registry registry;
    registry.SetRootKey(REGISTRY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", false, REGISTRY_READ));
    EXPECT_FALSE(registry.ReadString("CurrentVersion").empty());
    ASSERT_TRUE(RawSetDword(HKEY_CURRENT_USER, "Software\\Brannock\\roots-test", "v", 1));
    EXPECT_FALSE(registry.KeyExists("\\Software\\Brannock\\roots-test"));
    registry.SetRootKey(REGISTRY_CURRENT_USER);
    EXPECT_TRUE(registry.KeyExists("\\Software\\Brannock\\roots-test"));
    EXPECT_TRUE(RawDeleteTree(HKEY_CURRENT_USER, "Software\\Brannock\\roots-test"));
}

}  // namespace
}  // namespace corvex
