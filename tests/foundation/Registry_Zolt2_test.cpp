// _registry over the in-memory registry, the path rules, and the in-memory
// registry's own behaviour (it stands in for the real one in other tests).
#include "Registry_Zolt2.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "RegistryMemory.h"

namespace corvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const _registryerror& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(RegistryPath, AbsoluteRelativeAndNormalForms) {
    EXPECT_TRUE(IsAbsoluteRegistryPath("\\Software"));
    EXPECT_FALSE(IsAbsoluteRegistryPath("Software\\"));
    EXPECT_FALSE(IsAbsoluteRegistryPath(""));

    EXPECT_EQ(NormalRegistryPath("\\Software\\"), "Software");
    EXPECT_EQ(NormalRegistryPath("\\Software\\Brannock\\corvex\\0.0.1\\"), "Software\\Brannock\\corvex\\0.0.1");
    EXPECT_EQ(NormalRegistryPath("Screen\\\\1024x768"), "Screen\\1024x768");
    EXPECT_EQ(NormalRegistryPath("\\"), "");
    EXPECT_EQ(NormalRegistryPath("\\\\\\"), "");
}

TEST(RegistryPath, CurrentPathGrowsOnlyForRelativeOpensBelowAnOpenKey) {
    EXPECT_EQ(ComposeRegistryPath("Software\\Brannock", "corvex", true), "Software\\Brannock\\corvex");
    EXPECT_EQ(ComposeRegistryPath("Software\\Brannock", "corvex", false), "corvex");
    EXPECT_EQ(ComposeRegistryPath("Software\\Brannock", "\\Other\\Key", true), "Other\\Key");
    EXPECT_EQ(ComposeRegistryPath("", "x", true), "x");
    EXPECT_EQ(ComposeRegistryPath("Software\\", "\\Brannock\\", true), "Brannock");
    EXPECT_EQ(ComposeRegistryPath("Software\\", "Brannock\\", true), "Software\\Brannock");
}

class RegistryOnMemory : public ::testing::Test {
protected:
    _memoryregistry memory;
    _registry registry{memory};
};

TEST_F(RegistryOnMemory, OpensAbsoluteAndRelativePathsAndTracksThePath) {
    EXPECT_EQ(registry.RootKey(), REGISTRY_CURRENT_USER);
    EXPECT_EQ(registry.Access(), REGISTRY_ALL_ACCESS);
    EXPECT_TRUE(registry.LazyWrite());

    ASSERT_TRUE(registry.OpenKey("\\Software\\Brannock\\", true, REGISTRY_READ_WRITE));
    EXPECT_EQ(registry.CurrentPath(), "Software\\Brannock");
    EXPECT_EQ(registry.Access(), REGISTRY_READ_WRITE);
    EXPECT_EQ(memory.LastAccess(), REGISTRY_READ_WRITE);

    // Relative to the open key.
    ASSERT_TRUE(registry.OpenKey("corvex", true, REGISTRY_ALL_ACCESS));
    EXPECT_EQ(registry.CurrentPath(), "Software\\Brannock\\corvex");
    registry.WriteInteger("here", 1);
    EXPECT_TRUE(memory.HasKey(REGISTRY_CURRENT_USER, "Software\\Brannock\\corvex"));
    std::uint32_t type = 0;
    Bytes data;
    EXPECT_TRUE(memory.Get(REGISTRY_CURRENT_USER, "Software\\Brannock\\corvex", "here", type, data));

    // Absolute again: from the root, whatever is open.
    ASSERT_TRUE(registry.OpenKey("\\Software", false, REGISTRY_READ));
    EXPECT_EQ(registry.CurrentPath(), "Software");
    EXPECT_EQ(memory.OpenHandles(), 1u);

    // Relative without an open key: from the root.
    registry.CloseKey();
    EXPECT_EQ(registry.CurrentKey(), 0u);
    EXPECT_EQ(registry.CurrentPath(), "");
    ASSERT_TRUE(registry.OpenKey("Software\\Brannock", false, REGISTRY_READ));
    EXPECT_EQ(registry.CurrentPath(), "Software\\Brannock");
}

TEST_F(RegistryOnMemory, AFailedOpenKeepsTheCurrentKey) {
    ASSERT_TRUE(registry.OpenKey("\\A", true, REGISTRY_ALL_ACCESS));
    const _regkey before = registry.CurrentKey();
    EXPECT_FALSE(registry.OpenKey("Missing", false, REGISTRY_ALL_ACCESS));
    EXPECT_FALSE(memory.HasKey(REGISTRY_CURRENT_USER, "A\\Missing"));
    EXPECT_EQ(registry.CurrentKey(), before);
    EXPECT_EQ(registry.CurrentPath(), "A");

    memory.DenyOpen(REGISTRY_CURRENT_USER, "A\\Locked");
    EXPECT_FALSE(registry.OpenKey("Locked", true, REGISTRY_ALL_ACCESS));
    EXPECT_EQ(registry.CurrentPath(), "A");
}

TEST_F(RegistryOnMemory, ClosingFlushesWithoutLazyWritingAndNeverLeaksTheKey) {
    ASSERT_TRUE(registry.OpenKey("\\A", true, REGISTRY_ALL_ACCESS));
    registry.CloseKey();
    EXPECT_EQ(memory.Flushes(), 0u);
    EXPECT_EQ(memory.OpenHandles(), 0u);

    registry.SetLazyWrite(false);
    ASSERT_TRUE(registry.OpenKey("\\A", false, REGISTRY_ALL_ACCESS));
    ASSERT_TRUE(registry.OpenKey("\\B", true, REGISTRY_ALL_ACCESS));  // closes A
    EXPECT_EQ(memory.Flushes(), 1u);
    EXPECT_EQ(memory.OpenHandles(), 1u);
    registry.CloseKey();
    EXPECT_EQ(memory.Flushes(), 2u);
    EXPECT_EQ(memory.OpenHandles(), 0u);
}

TEST_F(RegistryOnMemory, ChangingTheRootClosesTheKeyAndAnOwnedRoot) {
    memory.PutInteger(REGISTRY_LOCAL_MACHINE, "Software\\Vendor", "v", 5);
    ASSERT_TRUE(registry.OpenKey("\\Software", true, REGISTRY_ALL_ACCESS));
    registry.SetRootKey(REGISTRY_CURRENT_USER);  // same root: nothing changes
    EXPECT_NE(registry.CurrentKey(), 0u);

    registry.SetRootKey(REGISTRY_LOCAL_MACHINE);
    EXPECT_EQ(registry.CurrentKey(), 0u);
    EXPECT_EQ(memory.OpenHandles(), 0u);
    ASSERT_TRUE(registry.OpenKey("Software\\Vendor", false, REGISTRY_READ));
    EXPECT_EQ(registry.ReadInteger("v"), 5);

    // A key opened elsewhere as the root: owned, closed when replaced.
    _regkey vendor = 0;
    ASSERT_EQ(memory.OpenKey(REGISTRY_LOCAL_MACHINE, "Software\\Vendor", false, REGISTRY_READ, vendor),
              REGISTRY_SUCCESS);
    registry.SetRootKey(_regkeyholder(memory, vendor));
    EXPECT_TRUE(registry.CloseRoot());
    EXPECT_TRUE(registry.OpenKey("", false, REGISTRY_READ));
    EXPECT_EQ(registry.ReadInteger("v"), 5);
    EXPECT_EQ(memory.OpenHandles(), 2u);
    registry.SetRootKey(REGISTRY_CURRENT_USER);
    EXPECT_FALSE(registry.CloseRoot());
    EXPECT_EQ(memory.OpenHandles(), 0u);
}

TEST_F(RegistryOnMemory, StringsAreStoredWithTheirZeroAndReadSafely) {
    ASSERT_TRUE(registry.OpenKey("\\K", true, REGISTRY_ALL_ACCESS));
    registry.WriteString("name", "corvex");
    std::uint32_t type = 0;
    Bytes data;
    ASSERT_TRUE(memory.Get(REGISTRY_CURRENT_USER, "K", "name", type, data));
    EXPECT_EQ(type, REGISTRY_TYPE_SZ);
    EXPECT_EQ(data, Text(std::string("corvex\0", 7)));
    EXPECT_EQ(registry.ReadString("name"), "corvex");

    memory.Put(REGISTRY_CURRENT_USER, "K", "unterminated", REGISTRY_TYPE_SZ, Text("abc"));
    memory.Put(REGISTRY_CURRENT_USER, "K", "odd", REGISTRY_TYPE_SZ, Text("abcde"));
    memory.Put(REGISTRY_CURRENT_USER, "K", "empty", REGISTRY_TYPE_SZ, Bytes{});
    memory.Put(REGISTRY_CURRENT_USER, "K", "inner zero", REGISTRY_TYPE_SZ, Text(std::string("ab\0cd\0", 6)));
    memory.Put(REGISTRY_CURRENT_USER, "K", "expand", REGISTRY_TYPE_EXPAND_SZ, Text(std::string("%WINDIR%\\x\0", 11)));
    memory.PutInteger(REGISTRY_CURRENT_USER, "K", "number", 3);
    EXPECT_EQ(registry.ReadString("unterminated"), "abc");
    EXPECT_EQ(registry.ReadString("odd"), "abcde");
    EXPECT_EQ(registry.ReadString("empty"), "");
    EXPECT_EQ(registry.ReadString("inner zero"), "ab");
    EXPECT_EQ(registry.ReadString("expand"), "%WINDIR%\\x");
    EXPECT_EQ(registry.ReadString("absent"), "");
    EXPECT_EQ(ErrorOf([&] { registry.ReadString("number"); }), "Invalid data type for 'number'");
}

TEST_F(RegistryOnMemory, IntegersAndBooleansAreDwords) {
    ASSERT_TRUE(registry.OpenKey("\\K", true, REGISTRY_ALL_ACCESS));
    registry.WriteInteger("minus", -5);
    registry.WriteBool("yes", true);
    registry.WriteBool("no", false);
    std::uint32_t type = 0;
    Bytes data;
    ASSERT_TRUE(memory.Get(REGISTRY_CURRENT_USER, "K", "minus", type, data));
    EXPECT_EQ(type, REGISTRY_TYPE_DWORD);
    EXPECT_EQ(data, (Bytes{0xFB, 0xFF, 0xFF, 0xFF}));
    ASSERT_TRUE(memory.Get(REGISTRY_CURRENT_USER, "K", "yes", type, data));
    EXPECT_EQ(data, (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(registry.ReadInteger("minus"), -5);
    EXPECT_TRUE(registry.ReadBool("yes"));
    EXPECT_FALSE(registry.ReadBool("no"));
    memory.PutInteger(REGISTRY_CURRENT_USER, "K", "seven", 7);
    EXPECT_TRUE(registry.ReadBool("seven"));

    memory.PutString(REGISTRY_CURRENT_USER, "K", "text", "12");
    memory.Put(REGISTRY_CURRENT_USER, "K", "short", REGISTRY_TYPE_DWORD, Bytes{1, 2});
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("text"); }), "Invalid data type for 'text'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("short"); }), "Invalid data type for 'short'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("absent"); }), "Failed to get data for 'absent'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadBool("absent"); }), "Failed to get data for 'absent'");
}

TEST_F(RegistryOnMemory, ValuesNeedAnOpenKeyAndAWritableOne) {
    EXPECT_EQ(registry.GetDataSize("x"), -1);
    EXPECT_FALSE(registry.ValueExists("x"));
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("x"); }), "Failed to get data for 'x'");
    EXPECT_EQ(ErrorOf([&] { registry.WriteInteger("x", 1); }), "Failed to set data for 'x'");

    memory.PutString(REGISTRY_CURRENT_USER, "K", "s", "abc");
    ASSERT_TRUE(registry.OpenKey("\\K", false, REGISTRY_READ));
    EXPECT_EQ(registry.GetDataSize("s"), 4);
    EXPECT_EQ(registry.GetDataKind("s"), REGISTRY_STRING);
    EXPECT_EQ(ErrorOf([&] { registry.WriteString("s", "new"); }), "Failed to set data for 's'");
    EXPECT_EQ(registry.ReadString("s"), "abc");

    memory.RefuseWrites(REGISTRY_CURRENT_USER, "K");
    ASSERT_TRUE(registry.OpenKey("\\K", false, REGISTRY_ALL_ACCESS));
    EXPECT_EQ(ErrorOf([&] { registry.WriteBool("b", true); }), "Failed to set data for 'b'");
}

TEST_F(RegistryOnMemory, BinaryReadsStayInsideTheCallersBuffer) {
    memory.Put(REGISTRY_CURRENT_USER, "K", "blob", REGISTRY_TYPE_BINARY, Bytes{1, 2, 3, 4, 5, 6});
    memory.Put(REGISTRY_CURRENT_USER, "K", "untyped", REGISTRY_TYPE_NONE, Bytes{9, 8});
    memory.PutString(REGISTRY_CURRENT_USER, "K", "text", "ab");
    ASSERT_TRUE(registry.OpenKey("\\K", false, REGISTRY_READ));

    std::uint8_t buffer[8];
    std::memset(buffer, 0xEE, sizeof buffer);
    EXPECT_EQ(registry.ReadBinaryData("blob", buffer, 6), 6);
    EXPECT_EQ(Bytes(buffer, buffer + 8), (Bytes{1, 2, 3, 4, 5, 6, 0xEE, 0xEE}));

    std::memset(buffer, 0xEE, sizeof buffer);
    EXPECT_EQ(ErrorOf([&] { registry.ReadBinaryData("blob", buffer, 4); }), "Invalid data type for 'blob'");
    EXPECT_EQ(Bytes(buffer, buffer + 8), Bytes(8, 0xEE));

    EXPECT_EQ(registry.ReadBinaryData("untyped", buffer, 2), 2);
    EXPECT_EQ(buffer[0], 9);
    EXPECT_EQ(ErrorOf([&] { registry.ReadBinaryData("text", buffer, 8); }), "Invalid data type for 'text'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadBinaryData("absent", buffer, 8); }), "Failed to get data for 'absent'");
}

TEST_F(RegistryOnMemory, ServesValuesThatChangeAtEveryRead) {
    // Counters of the 95/98/ME statistics: a value name with a backslash
    // below HKEY_DYN_DATA, different at each read.
    std::uint8_t load = 10;
    memory.PutSource(REGISTRY_DYN_DATA, "PerfStats\\StatData", "KERNEL\\CPUUsage", REGISTRY_TYPE_BINARY,
                     [&load] { return Bytes{load++, 0, 0, 0}; });
    registry.SetRootKey(REGISTRY_DYN_DATA);
    ASSERT_TRUE(registry.OpenKey("\\PerfStats\\StatData", false, REGISTRY_READ_WRITE));
    std::uint8_t sample[4] = {};
    ASSERT_EQ(registry.ReadBinaryData("KERNEL\\CPUUsage", sample, 4), 4);
    const std::uint8_t first = sample[0];
    ASSERT_EQ(registry.ReadBinaryData("KERNEL\\CPUUsage", sample, 4), 4);
    EXPECT_GT(sample[0], first);
    EXPECT_FALSE(memory.HasKey(REGISTRY_DYN_DATA, "PerfStats\\StatData\\KERNEL"));
}

TEST_F(RegistryOnMemory, AValueThatKeepsGrowingIsAFailureNotAnOverrun) {
    std::size_t size = 4;
    memory.PutSource(REGISTRY_CURRENT_USER, "K", "growing", REGISTRY_TYPE_BINARY,
                     [&size] { return Bytes(size += 4, 0x55); });
    int reads = 0;
    memory.PutSource(REGISTRY_CURRENT_USER, "K", "grows once", REGISTRY_TYPE_SZ,
                     [&reads] { return ++reads == 1 ? Text("ab") : Text("abcdef"); });
    ASSERT_TRUE(registry.OpenKey("\\K", false, REGISTRY_READ));
    std::uint8_t buffer[64];
    EXPECT_EQ(ErrorOf([&] { registry.ReadBinaryData("growing", buffer, sizeof buffer); }),
              "Failed to get data for 'growing'");
    EXPECT_EQ(registry.ReadString("grows once"), "abcdef");
}

TEST_F(RegistryOnMemory, KeyNamesComeInTheRegistrysOrder) {
    for (const char* name : {"b", "A", "c"}) memory.PutInteger(REGISTRY_CURRENT_USER, std::string("K\\") + name, "v", 0);
    std::vector<std::string> names{"stale"};
    EXPECT_FALSE(registry.GetKeyNames(names));
    EXPECT_TRUE(names.empty());
    ASSERT_TRUE(registry.OpenKey("\\K", false, REGISTRY_READ));
    ASSERT_TRUE(registry.GetKeyNames(names));
    EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "c"}));
    EXPECT_TRUE(registry.KeyExists("a"));  // names ignore case
    EXPECT_TRUE(registry.KeyExists("\\K\\C"));
    EXPECT_FALSE(registry.KeyExists("d"));
}

// Forwards to the in-memory registry and records the keys it deletes.
class DeleteRecorder final : public _registrybackend {
public:
    explicit DeleteRecorder(_memoryregistry& memory) : memory_(memory) {}
    std::vector<std::string> deleted;

    _regstatus OpenKey(_regkey p, const std::string& path, bool c, std::uint32_t a, _regkey& o) override {
        return memory_.OpenKey(p, path, c, a, o);
    }
    _regstatus CloseKey(_regkey k) override { return memory_.CloseKey(k); }
    _regstatus FlushKey(_regkey k) override { return memory_.FlushKey(k); }
    _regstatus QueryValue(_regkey k, const std::string& n, std::uint32_t* t, std::uint8_t* d,
                          std::uint32_t* s) override {
        return memory_.QueryValue(k, n, t, d, s);
    }
    _regstatus SetValue(_regkey k, const std::string& n, std::uint32_t t, const std::uint8_t* d,
                        std::uint32_t s) override {
        return memory_.SetValue(k, n, t, d, s);
    }
    _regstatus DeleteValue(_regkey k, const std::string& n) override { return memory_.DeleteValue(k, n); }
    _regstatus EnumKey(_regkey k, std::uint32_t i, std::string& n) override { return memory_.EnumKey(k, i, n); }
    _regstatus QueryInfoKey(_regkey k, _regkeyinfo& i) override { return memory_.QueryInfoKey(k, i); }
    _regstatus DeleteKey(_regkey p, const std::string& path) override {
        const _regstatus status = memory_.DeleteKey(p, path);
        if (status == REGISTRY_SUCCESS) deleted.push_back(path);
        return status;
    }

private:
    _memoryregistry& memory_;
};

TEST(RegistryDeleteKey, DeletesTheWholeTreeLastSubKeyFirst) {
    _memoryregistry memory;
    for (const char* path : {"App\\Tree\\a\\a1", "App\\Tree\\a\\a2", "App\\Tree\\b", "App\\Tree\\c\\c1\\deep",
                             "App\\Sibling"})
        memory.PutInteger(REGISTRY_CURRENT_USER, path, "v", 1);
    DeleteRecorder recorder(memory);
    _registry registry(recorder);
    ASSERT_TRUE(registry.OpenKey("\\App", false, REGISTRY_ALL_ACCESS));

    EXPECT_TRUE(registry.DeleteKey("Tree"));
    EXPECT_EQ(recorder.deleted,
              (std::vector<std::string>{"deep", "c1", "c", "b", "a2", "a1", "a", "Tree"}));
    EXPECT_FALSE(memory.HasKey(REGISTRY_CURRENT_USER, "App\\Tree"));
    EXPECT_TRUE(memory.HasKey(REGISTRY_CURRENT_USER, "App\\Sibling"));
    EXPECT_EQ(memory.OpenHandles(), 1u);  // only the current key

    EXPECT_FALSE(registry.DeleteKey("Tree"));
    // Never the base key itself.
    EXPECT_FALSE(registry.DeleteKey(""));
    EXPECT_FALSE(registry.DeleteKey("\\"));
    EXPECT_TRUE(memory.HasKey(REGISTRY_CURRENT_USER, "App\\Sibling"));
    // Absolute: from the root, not the current key.
    EXPECT_TRUE(registry.DeleteKey("\\App\\Sibling"));
    EXPECT_FALSE(memory.HasKey(REGISTRY_CURRENT_USER, "App\\Sibling"));
}

TEST(MemoryRegistry, EnforcesAccessRightsLikeWindows) {
    _memoryregistry memory;
    memory.PutInteger(REGISTRY_LOCAL_MACHINE, "Software\\Vendor", "v", 1);
    _regkey key = 0;
    ASSERT_EQ(memory.OpenKey(REGISTRY_LOCAL_MACHINE, "Software", false, REGISTRY_QUERY_VALUE, key), REGISTRY_SUCCESS);
    const std::uint8_t one[4] = {1, 0, 0, 0};
    EXPECT_EQ(memory.SetValue(key, "x", REGISTRY_TYPE_DWORD, one, 4), REGISTRY_ACCESS_DENIED);
    std::string name;
    EXPECT_EQ(memory.EnumKey(key, 0, name), REGISTRY_ACCESS_DENIED);
    _regkey child = 0;
    EXPECT_EQ(memory.OpenKey(key, "New", true, REGISTRY_ALL_ACCESS, child), REGISTRY_ACCESS_DENIED);
    EXPECT_EQ(memory.OpenKey(key, "Vendor", true, REGISTRY_ALL_ACCESS, child), REGISTRY_SUCCESS);
    EXPECT_EQ(memory.CloseKey(child), REGISTRY_SUCCESS);
    EXPECT_EQ(memory.CloseKey(child), REGISTRY_INVALID_HANDLE);
    EXPECT_EQ(memory.CloseKey(key), REGISTRY_SUCCESS);

    memory.MakeReadOnly(REGISTRY_LOCAL_MACHINE, "Software");
    EXPECT_EQ(memory.OpenKey(REGISTRY_LOCAL_MACHINE, "Software", false, REGISTRY_READ_WRITE, key),
              REGISTRY_ACCESS_DENIED);
    ASSERT_EQ(memory.OpenKey(REGISTRY_LOCAL_MACHINE, "Software", false, REGISTRY_READ, key), REGISTRY_SUCCESS);
    EXPECT_EQ(memory.CloseKey(key), REGISTRY_SUCCESS);
    EXPECT_EQ(memory.OpenKey(REGISTRY_LOCAL_MACHINE, "Software\\New", true, REGISTRY_READ, key),
              REGISTRY_ACCESS_DENIED);
    EXPECT_EQ(memory.OpenHandles(), 0u);
}

TEST(MemoryRegistry, QueriesFollowTheWindowsBufferContract) {
    _memoryregistry memory;
    memory.Put(REGISTRY_PERFORMANCE_DATA, "", "238", REGISTRY_TYPE_BINARY, Bytes(10, 0x42));
    std::uint32_t type = 0, size = 4;
    std::uint8_t buffer[12];
    std::memset(buffer, 0, sizeof buffer);
    EXPECT_EQ(memory.QueryValue(REGISTRY_PERFORMANCE_DATA, "238", &type, buffer, &size), REGISTRY_MORE_DATA);
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(buffer[0], 0);  // nothing written on a short buffer
    size = sizeof buffer;
    EXPECT_EQ(memory.QueryValue(REGISTRY_PERFORMANCE_DATA, "238", &type, buffer, &size), REGISTRY_SUCCESS);
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(type, REGISTRY_TYPE_BINARY);
    EXPECT_EQ(buffer[9], 0x42);
    EXPECT_EQ(buffer[10], 0);
    EXPECT_EQ(memory.QueryValue(REGISTRY_PERFORMANCE_DATA, "510", &type, buffer, &size), REGISTRY_FILE_NOT_FOUND);
}

TEST(MemoryRegistry, AKeyDeletedWhileOpenAnswersKeyDeleted) {
    _memoryregistry memory;
    memory.PutInteger(REGISTRY_CURRENT_USER, "A\\B", "v", 1);
    _regkey b = 0;
    ASSERT_EQ(memory.OpenKey(REGISTRY_CURRENT_USER, "a\\b", false, REGISTRY_ALL_ACCESS, b), REGISTRY_SUCCESS);
    EXPECT_EQ(memory.DeleteKey(REGISTRY_CURRENT_USER, "A"), REGISTRY_ACCESS_DENIED);  // has a sub-key
    EXPECT_EQ(memory.DeleteKey(REGISTRY_CURRENT_USER, "A\\B"), REGISTRY_SUCCESS);
    std::uint32_t size = 0;
    EXPECT_EQ(memory.QueryValue(b, "v", nullptr, nullptr, &size), REGISTRY_KEY_DELETED);
    EXPECT_EQ(memory.CloseKey(b), REGISTRY_SUCCESS);
    EXPECT_EQ(memory.DeleteKey(REGISTRY_CURRENT_USER, "A"), REGISTRY_SUCCESS);
    EXPECT_FALSE(memory.HasKey(REGISTRY_CURRENT_USER, "A"));
}

}  // namespace
}  // namespace corvex
