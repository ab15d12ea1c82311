// The Options dialog on an empty bar at one of its pages (the tray page with
// two gauges), for a look; nothing is saved. Writes the ready file once it is up.
//
//   options_showcase general|tray|colors [seconds] [ready-file]

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Application.h"
#include "Button.h"
#include "Corvex_Kernel.h"
#include "Corvex_Options.h"
#include "OptionsTree_Zolt2.h"
#include "StartupOptions.h"

using namespace corvex;

int main(int argc, char** argv) {
    const std::string page = argc > 1 ? argv[1] : "general";
    for (int i = 0; i < SENTINEL_BUILTIN_COUNT; ++i) StartupOptions().Unplug(i);
    _component forms;
    TPULSE& bar = forms.Make<TPULSE>();
    TOPTIONS& dialog = forms.Make<TOPTIONS>(bar);
    bar.SetOptionsHolder(&dialog);
    bar.Launch();
    dialog.OTREE.SetSelected(dialog.OTREE.TopItem(page == "tray" ? 1 : page == "colors" ? 2 : 0));
    for (int i = 0; page == "tray" && i < 2; ++i) dialog.AddBUTTON.Click();
    dialog.Show();
    Application().ProcessMessages();
    if (FILE* ready = argc > 3 ? std::fopen(argv[3], "w") : nullptr) std::fclose(ready);
    const DWORD end = GetTickCount() + 1000u * static_cast<DWORD>(argc > 2 ? std::atoi(argv[2]) : 5);
    while (GetTickCount() < end) {
        Application().ProcessMessages();
        Sleep(20);
    }
    return 0;
}
