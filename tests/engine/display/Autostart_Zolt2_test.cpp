#include "Autostart_Zolt2.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Application.h"
#include "Button.h"
#include "Form.h"

namespace corvex {
namespace {

const char* const kItem = "CorvexAutostartTest";

// The value as the system sees it; `exists` false when it is missing.
std::string RunValue(const std::string& key, const std::string& name, bool& exists) {
    HKEY opened = nullptr;
    exists = false;
    const std::string path = "Software\\Microsoft\\Windows\\CurrentVersion\\" + key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return {};
    char data[1024] = {};
    DWORD size = sizeof(data) - 1, type = 0;
    exists = RegQueryValueExA(opened, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) ==
             ERROR_SUCCESS;
    RegCloseKey(opened);
    return exists ? std::string(data) : std::string();
}

bool Exists(const std::string& key = "Run", const std::string& name = kItem) {
    bool exists = false;
    RunValue(key, name, exists);
    return exists;
}

DWORD ValueCount(const std::string& key) {
    HKEY opened = nullptr;
    const std::string path = "Software\\Microsoft\\Windows\\CurrentVersion\\" + key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return 0;
    DWORD values = 0;
    RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(opened);
    return values;
}

void Remove(const std::string& key = "Run", const std::string& name = kItem) {
    HKEY opened = nullptr;
    const std::string path = "Software\\Microsoft\\Windows\\CurrentVersion\\" + key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
    RegDeleteValueA(opened, name.c_str());
    RegCloseKey(opened);
}

struct AutostartTest : ::testing::Test {
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }
};

TEST_F(AutostartTest, WithoutAnItemNameTheRegistryIsNeverTouched) {
    const DWORD before = ValueCount("Run");
    {
        _autostart start(nullptr);  // AutoRegister: registers when destroyed
        EXPECT_TRUE(start.AutoRegister());
        EXPECT_FALSE(start.Register());
        EXPECT_FALSE(start.Unregister());
        EXPECT_FALSE(start.Registered());
    }
    EXPECT_EQ(ValueCount("Run"), before);
}

TEST_F(AutostartTest, RegisteringTwiceWritesOnceAndUnregisteringDeletes) {
    _autostart start(nullptr);
    start.SetAutoRegister(false);
    start.SetAppItemName(kItem);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    EXPECT_EQ(start.Exe(), self);

    EXPECT_TRUE(start.Register());
    bool exists = false;
    EXPECT_EQ(RunValue("Run", kItem, exists), self);
    EXPECT_TRUE(exists);

    start.SetExe("motor32.dex");
    std::string folder = self;
    folder.erase(folder.find_last_of('\\') + 1);
    EXPECT_EQ(start.Exe(), folder + "motor32.dex");
    EXPECT_FALSE(start.Register());  // an existing value is left as it is
    EXPECT_EQ(RunValue("Run", kItem, exists), self);

    EXPECT_TRUE(start.Unregister());
    EXPECT_FALSE(Exists());
    EXPECT_FALSE(start.Unregister());
    start.SetExe("corvex 32.exe");  // blanks: quoted, or the system runs "...\corvex"
    ASSERT_TRUE(start.Register());
    EXPECT_EQ(RunValue("Run", kItem, exists), '"' + start.Exe() + '"');
}

TEST_F(AutostartTest, AutoRegisterRegistersWhenTheComponentGoes) {
    {
        _autostart start(nullptr);
        start.SetAppItemName(kItem);
        EXPECT_FALSE(Exists());
    }
    EXPECT_TRUE(Exists());
}

TEST_F(AutostartTest, TheRunTypeNamesOneKeyForEveryInstance) {
    _autostart first(nullptr), second(nullptr);
    first.SetAutoRegister(false);
    second.SetAutoRegister(false);
    second.SetAppItemName(kItem);
    EXPECT_EQ(_autostart::RunKeyName(), "Run");
    first.SetRunType(rtRunOnce);
    EXPECT_EQ(_autostart::RunKeyName(), "RunOnce");
    EXPECT_EQ(second.RunType(), rtRun);
    EXPECT_TRUE(second.Register());  // lands where the last set run type points
    EXPECT_TRUE(Exists("RunOnce"));
    EXPECT_FALSE(Exists("Run"));
    EXPECT_TRUE(second.Unregister());
    Remove("RunOnce");

    second.SetRunType(rtRunServices);
    EXPECT_EQ(_autostart::RunKeyName(), "RunServices");
    first.SetRunType(rtRun);
    EXPECT_EQ(_autostart::RunKeyName(), "Run");
    EXPECT_STREQ(RunKeyNameOf(rtRunOnceEx), "RunOnceEx");
    EXPECT_STREQ(RunKeyNameOf(rtRunServicesOnce), "RunServicesOnce");
}

TEST_F(AutostartTest, ABoundCheckBoxShowsAndSwitchesTheRegistration) {
    _component root;
    _form& form = root.Make<_form>();
    form.SetBounds(20, 20, 200, 100);
    form.Show();
    _checkbox& box = root.Make<_checkbox>(&form, "Start with Windows");
    _autostart& start = root.Make<_autostart>();
    start.SetAppItemName(kItem);
    start.SetCheckBox(&box);
    EXPECT_FALSE(start.AutoRegister());
    start.SetAutoRegister(true);  // not while a box is bound
    EXPECT_FALSE(start.AutoRegister());

    _autostart helper(nullptr);
    helper.SetAutoRegister(false);
    helper.SetAppItemName(kItem);
    ASSERT_TRUE(helper.Register());
    root.LoadComponents();
    EXPECT_TRUE(box.Checked());  // the box shows what the registry holds

    SendMessageA(box.Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(box.Checked());
    EXPECT_FALSE(Exists());
    SendMessageA(box.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(box.Checked());
    EXPECT_TRUE(Exists());

    // A change made through the component moves the box.
    EXPECT_TRUE(start.Unregister());
    EXPECT_FALSE(box.Checked());

    // A click the registry cannot follow leaves the box as it was.
    start.SetAppItemName("");
    SendMessageA(box.Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(box.Checked());
    start.SetAppItemName(kItem);

    // The box going first leaves no dangling reference behind.
    root.Destroy(&box);
    EXPECT_EQ(start.CheckBox(), nullptr);
    EXPECT_TRUE(start.Register());
}

}  // namespace
}  // namespace corvex
