// cpupanel32.dll as the engine uses it: LaunchCpuInfo loads it from beside
// this program and calls "cpupanel_Go", which shows the processor panel
// until it is closed. A second thread reads the panel and closes it.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CPU_Wizard_Launcher_Zolt2.h"
#include "CPU_Win32.h"
#include "PanelIds.h"
#include "PanelText.h"
#include "extras/PanelWatch.h"

namespace corvex::test {
namespace {

TEST(CpuPanel, ShowsTheProcessorAsTheIdentificationReadsIt) {
    const _cpu cpu;
    std::string told;
    std::map<std::string, std::string> rows;
    std::string caption;
    const _result result = WhileShown(
        CPUPANEL_CLASS, [&] { return LaunchCpuInfo([&](const std::string& text) { told = text; }); },
        [&](HWND panel) {
            caption = TextOf(panel);
            for (int row = 0; GetDlgItem(panel, CPUPANEL_CAPTION + row); ++row)
                rows[ItemText(panel, CPUPANEL_CAPTION + row)] = ItemText(panel, CPUPANEL_VALUE + row);
            PressKey(panel, VK_ESCAPE);
        });
    EXPECT_EQ(result, _OK);
    EXPECT_EQ(told, "");
    EXPECT_EQ(caption, "Processor information");
    EXPECT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows["Processors:"], std::to_string(ProcessorCount()));
    const std::string name = CollapseBlanks(cpu.FullName());
    EXPECT_EQ(rows["Processor:"], name.empty() ? CollapseBlanks(cpu.ProcessorDescription()) : name);
    EXPECT_EQ(rows["Kind:"], CollapseBlanks(cpu.ProcessorDescription()));
    EXPECT_EQ(rows["Vendor:"], cpu.ProcessorVendor());
    EXPECT_EQ(rows["Signature:"], "family " + std::to_string(cpu.ProcessorFamily()) + ", model " +
                                      std::to_string(cpu.ProcessorModel()) + ", stepping " +
                                      std::to_string(cpu.ProcessorStepping()));
    EXPECT_NE(rows["Features:"].find("FPU"), std::string::npos);
}

// The library is unloaded right after the call: its window class must not
// outlive it, or the next window of that class would run code that is gone.
TEST(CpuPanel, LeavesNoWindowClassBehind) {
    for (int round = 0; round < 2; ++round) {
        HINSTANCE library = nullptr;
        const _result result = WhileShown(CPUPANEL_CLASS, [] { return LaunchCpuInfo(); }, [&](HWND panel) {
            library = reinterpret_cast<HINSTANCE>(GetClassLongPtrA(panel, GCLP_HMODULE));
            SendMessageA(GetDlgItem(panel, IDOK), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(result, _OK);
        ASSERT_NE(library, nullptr);
        EXPECT_EQ(GetModuleHandleA("cpupanel32.dll"), nullptr);
        WNDCLASSA left{};
        EXPECT_FALSE(GetClassInfoA(library, CPUPANEL_CLASS, &left));
    }
}

}  // namespace
}  // namespace corvex::test
