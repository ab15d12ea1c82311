// What one engine tick costs the graph readouts of a bar: every Speeder
// samples a synthetic source, picks its level colour, appends the sample
// to its graph, rewrites its free meter and repaints, and the bar's window
// then paints what changed. Measured for 10, 40 and 160 Speeders in bands
// of 20 rows; the cost should grow in proportion to the count. The same
// ticks on a hidden bar give the share of sampling and colouring alone.
//
//   bench_speeders [ticks]

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "Bitmap.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "Form.h"
#include "KernelPort.h"
#include "BenchClock.h"

namespace {

using namespace corvex;

// The bar, as far as its bands need one.
class _benchbar final : public _form, public _kernelport {
public:
    explicit _benchbar(_component* owner) : _form(owner) {}
    _result UpdateIgnition(const std::string&) override { return _OK; }
    _result KERNEL_UpdateSize() override { return _OK; }
    _result GetMuseumBitmap(_bitmap* image, int index) override {
        if (!image) return _ERROR;
        image->SetSize(16, 16);
        image->Canvas().SetBrush(0x406080 + static_cast<_color>(index) * 0x100810);
        image->Canvas().FillRect(_rect::Bounds(0, 0, 16, 16));
        return _OK;
    }
    std::string HelpFolder() const override { return ""; }
};

// A load that wanders between 0 and 100 %, each Speeder at its own phase.
class _wavespeeder final : public _gspeeder {
public:
    _wavespeeder(_component* owner, int phase) : _gspeeder(owner), phase_(phase) { SetName("wave"); }
    _result RefreshPulse(unsigned elapsed) override {
        ++tick_;
        const double t = (tick_ + phase_ * 7) * 0.13;
        const double used = 50 + 45 * std::sin(t) + 4 * std::sin(t * 5.3);
        SetAmounts((100 - used) * 1048576.0, 100 * 1048576.0);
        return _gspeeder::RefreshPulse(elapsed);
    }

private:
    int phase_;
    long tick_ = 0;
};

constexpr int ROWS_PER_BAND = 20;
constexpr int BAND_WIDTH = 150;

struct Bar {
    Bar(int count, bool visible) {
        _benchbar& form = root.Make<_benchbar>();
        form.SetBounds(0, 0, BAND_WIDTH * ((count + ROWS_PER_BAND - 1) / ROWS_PER_BAND) + 16, 640);
        form.SetVisible(visible);
        for (int i = 0; i < count; ++i) {
            if (i % ROWS_PER_BAND == 0) bands.push_back(&form.Make<_sentinel>());
            _sentinel& band = *bands.back();
            _wavespeeder& speeder = band.Make<_wavespeeder>(i);
            band.AddSpeeder(&speeder);
            speeder.Prepare();
            speeder.UpdateIcon();
            speeder.Start();
        }
        for (std::size_t b = 0; b < bands.size(); ++b)
            bands[b]->SetBounds(static_cast<int>(b) * BAND_WIDTH, 0, BAND_WIDTH, -1);
        window = form.Handle();
        Tick();
        Pump();
    }
    // One tick of the engine's timer, painted.
    void Tick() {
        for (_sentinel* band : bands) band->RefreshSpeedersPulse(1000);
        UpdateWindow(window);
        for (_sentinel* band : bands) UpdateWindow(band->Handle());
        GdiFlush();
    }
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }

    _component root;
    std::vector<_sentinel*> bands;
    HWND window = nullptr;
};

// Milliseconds per tick for one round of `ticks`: on the clock, and of
// this thread's processor time.
struct Cost {
    double wall;
    double cpu;
};
Cost Round(Bar& bar, long ticks) {
    // The bars lie over each other: the one measured goes on top, so that
    // all of it is painted, and paints what it shows anew before the clock
    // starts.
    SetWindowPos(bar.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Bar::Pump();
    const double start = Seconds(), cpu = ThreadSeconds();
    for (long i = 0; i < ticks; ++i) bar.Tick();
    return {(Seconds() - start) * 1e3 / static_cast<double>(ticks),
            (ThreadSeconds() - cpu) * 1e3 / static_cast<double>(ticks)};
}

}  // namespace

int main(int argc, char** argv) {
    const long ticks = argc > 1 ? std::atol(argv[1]) : 200;
    if (ticks <= 0) {
        std::fprintf(stderr, "usage: bench_speeders [ticks]\n");
        return 2;
    }
    const int counts[] = {10, 40, 160};
    std::printf("graph Speeders with meters, %ld ticks per round, best of 5 interleaved rounds\n", ticks);
    for (const bool visible : {true, false}) {
        Cost best[3] = {{1e30, 1e30}, {1e30, 1e30}, {1e30, 1e30}};
        // The three bars take turns, so load on the machine hits them alike.
        std::unique_ptr<Bar> bars[3];
        for (int i = 0; i < 3; ++i) bars[i] = std::make_unique<Bar>(counts[i], visible);
        for (int round = 0; round < 5; ++round)
            for (int i = 0; i < 3; ++i) {
                const Cost cost = Round(*bars[i], ticks);
                if (cost.wall < best[i].wall) best[i].wall = cost.wall;
                if (cost.cpu < best[i].cpu) best[i].cpu = cost.cpu;
                Bar::Pump();
            }
        std::printf("%s\n%9s %12s %14s %16s\n", visible ? "bar shown, every tick painted:" : "bar hidden, nothing painted:",
                    "speeders", "ms/tick", "us/speeder", "thread CPU ms");
        for (int i = 0; i < 3; ++i)
            std::printf("%9d %12.3f %14.1f %16.3f\n", counts[i], best[i].wall, best[i].wall * 1e3 / counts[i],
                        best[i].cpu > 0 ? best[i].cpu : 0.0);
        // The thread's clock counts in steps of several milliseconds: a
        // share of a step is no figure to divide by.
        const auto ratio = [](double a, double b) { return b > 0.001 ? a / b : 0.0; };
        std::printf("growth 40/10: %.2f, 160/40: %.2f (4.00 is linear); thread CPU: %.2f, %.2f (0: too small to tell)\n",
                    best[1].wall / best[0].wall, best[2].wall / best[1].wall, ratio(best[1].cpu, best[0].cpu),
                    ratio(best[2].cpu, best[1].cpu));
    }
    return 0;
}
