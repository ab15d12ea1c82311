// Shows the display components for a look at them: one graph of each
// style fed with a moving signal, and a colour box with its list open.
// Ends by itself after the given number of seconds (default 6).
//
//   display_showcase [seconds]

#include <windows.h>

#include <cmath>
#include <cstdlib>

#include "Application.h"
#include "Colors_Zolt2.h"
#include "Form.h"
#include "Impulse_Zolt2.h"
#include "Label.h"
#include "Timer.h"

using namespace corvex;

namespace {

// Level colours as a readout picks them: green, yellow above 60, red above 85.
_color LevelColor(std::uint32_t value) {
    return value > 85 ? 0x0000FF : value > 60 ? 0x00FFFF : 0x00C000;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 6;
    _component root;
    _form& form = root.Make<_form>();
    form.SetCaption("Corvex display components");
    form.SetBounds(40, 40, 420, 320);

    _impulse* graphs[3];
    const _istyle styles[3] = {IMPULSE_OSCILLO, IMPULSE_SPECTRUM, IMPULSE_PROGRESSOR};
    const char* names[3] = {"oscillo", "spectrum", "progressor"};
    for (int i = 0; i < 3; ++i) {
        _label& name = root.Make<_label>(&form);
        name.SetCaption(names[i]);
        name.SetBounds(10, 14 + i * 26, 70, 16);
        _impulse& graph = root.Make<_impulse>(&form);
        graph.SetBounds(90, 10 + i * 26, 150, 20);
        graph.SetStyle(styles[i]);
        graph.SetStaticColor(0x00FF00);
        graph.SetArt(IMPULSE_SHADED | IMPULSE_PERCENT | IMPULSE_CACHED);
        graphs[i] = &graph;
    }
    _colors& colors = root.Make<_colors>(&form);
    colors.SetBounds(260, 10, 130, 21);
    colors.SetPickedColor(0x405060);

    int tick = 0;
    _timer& timer = root.Make<_timer>();
    timer.SetInterval(50);
    timer.OnTimer = [&] {
        ++tick;
        const double t = tick * 0.15;
        const double signal = 50 + 40 * std::sin(t) + 9 * std::sin(t * 3.7);
        const auto value = static_cast<std::uint32_t>(signal < 0 ? 0 : signal);
        for (_impulse* graph : graphs) {
            graph->SetColor(LevelColor(value));
            graph->SetProgress(value);
            graph->Flush();
        }
        if (tick == 10) SendMessageA(colors.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        if (tick * 50 >= seconds * 1000) Application().Terminate();
    };
    Application().SetMainForm(&form);
    Application().Run();
    return 0;
}
