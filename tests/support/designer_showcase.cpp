// The Designer over a launched bar, for test.sh's pictures: "graph" selects
// the CPU Sentinel's first readout (a graph Speeder), "net" the Net
// Sentinel's first Speeder, whose Sentinel page then shows its host (the
// band itself, and the page for a new Speeder, when it has none). It starts
// as a fresh account (the stored settings go). With
// a file name, writes that file once the window is up; ends by itself
// after [seconds] (6).
//
//   designer_showcase graph|net [seconds] [ready-file]

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Application.h"
#include "Corvex_Designer.h"
#include "Corvex_Kernel.h"
#include "Corvex_Sentinels.h"
#include "Registry_Zolt2.h"
#include "Timer.h"
#include "TreeView.h"

using namespace corvex;

int main(int argc, char** argv) {
    const std::string which = argc > 1 ? argv[1] : "graph";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 6;
    const std::string ready = argc > 3 ? argv[3] : "";

    // A fresh account: what the engine stored in earlier pictures (a docked
    // bar, say) must not shape this one.
    _registry registry;
    registry.SetRootKey(REGISTRY_CURRENT_USER);
    registry.DeleteKey("\\Software\\Brannock\\corvex");

    _component forms;
    TPULSE& bar = forms.Make<TPULSE>();
    TDESIGNER& designer = forms.Make<TDESIGNER>(bar);
    bar.Launch();
    // Beside the Designer, wherever an earlier run left it.
    bar.Show();
    bar.SetBounds(740, 146, 240, bar.Height());
    designer.Open();
    const char* caption = which == "net" ? "Net Sentinel" : "CPU Sentinel";
    for (std::size_t i = 0; i < designer.TREE.TopCount(); ++i) {
        _treenode* band = designer.TREE.TopItem(i);
        // The band itself when it has no Speeder: its page for a new one.
        if (band->Text() == caption) designer.TREE.SetSelected(band->Count() ? band->Item(0) : band);
    }
    _timer& ready_timer = forms.Make<_timer>();
    ready_timer.SetInterval(2500);  // every band and control painted by then
    ready_timer.OnTimer = [&ready, &ready_timer] {
        ready_timer.SetEnabled(false);
        if (!ready.empty())
            if (FILE* file = std::fopen(ready.c_str(), "w")) std::fclose(file);
    };
    _timer& end = forms.Make<_timer>();
    end.SetInterval(static_cast<unsigned>(seconds) * 1000);
    end.OnTimer = [] { Application().Terminate(); };
    Application().Run();
    return 0;
}
