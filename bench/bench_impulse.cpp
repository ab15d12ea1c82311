// What one refresh of a graph costs: a sample appended and the frame
// rendered off-screen and copied out, for a 150 x 15 graph of each style
// and histories of 100, 500 and 5000 samples. The trace walks only the
// columns it shows, so a longer history must not make a frame dearer.
//
//   bench_impulse [frames]

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "Bitmap.h"
#include "Impulse_Zolt2.h"
#include "BenchClock.h"

namespace {

using namespace corvex;

// A graph of the bench's size whose ring is full, so every frame walks as
// far as it ever will.
void Prepare(_impulse& graph, _istyle style, std::uint32_t history) {
    graph.SetBounds(0, 0, 150, 15);
    graph.SetStyle(style);
    graph.SetHistorySize(history);
    graph.SetColor(0x00FF00);
    graph.SetStaticColor(0x00FF00);
    for (std::uint32_t i = 0; i < history + 1; ++i) graph.SetProgress((i * 37) % 101);
}

// Microseconds per sample and frame for one round of `frames`.
double Round(_impulse& graph, _bitmap& screen, long frames) {
    const double start = Seconds();
    for (long i = 0; i < frames; ++i) {
        graph.SetProgress(static_cast<std::uint32_t>((i * 37) % 101));
        graph.Paint(screen.Canvas());
    }
    GdiFlush();
    return (Seconds() - start) * 1e6 / static_cast<double>(frames);
}

}  // namespace

int main(int argc, char** argv) {
    const long frames = argc > 1 ? std::atol(argv[1]) : 2000;
    if (frames <= 0) {
        std::fprintf(stderr, "usage: bench_impulse [frames]\n");
        return 2;
    }
    const struct {
        _istyle style;
        const char* name;
    } styles[] = {{IMPULSE_OSCILLO, "oscillo"}, {IMPULSE_SPECTRUM, "spectrum"}, {IMPULSE_PROGRESSOR, "progressor"}};
    const std::uint32_t histories[] = {100, 500, 5000};

    std::printf("graph 150 x 15, %ld frames per round, best of 7 interleaved rounds\n", frames);
    std::printf("%-11s %12s %12s %12s %10s\n", "style", "h=100 us", "h=500 us", "h=5000 us", "5000/500");
    for (const auto& s : styles) {
        // The three sizes take turns, so load on the machine hits them alike.
        _impulse small(nullptr), medium(nullptr), large(nullptr);
        _impulse* graphs[3] = {&small, &medium, &large};
        _bitmap screen(150, 15);
        double best[3] = {1e30, 1e30, 1e30};
        for (int i = 0; i < 3; ++i) Prepare(*graphs[i], s.style, histories[i]);
        for (int round = 0; round < 7; ++round)
            for (int i = 0; i < 3; ++i) {
                const double cost = Round(*graphs[i], screen, frames);
                if (cost < best[i]) best[i] = cost;
            }
        std::printf("%-11s %12.1f %12.1f %12.1f %10.2f\n", s.name, best[0], best[1], best[2], best[2] / best[1]);
    }
    return 0;
}
