// What the ping probe costs the processor while it waits: a probe that
// sleeps between echoes, a worker blocked in a hand-back the GUI thread
// does not serve, a paused probe, each against the process idling with no
// probe at all; then ten fast probes, for the cost of one echo. The
// waiting cases should stay at the idle level. Echo requests go to
// 127.0.0.1 only.
//
//   bench_ping [seconds per case]

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "Application.h"
#include "BenchClock.h"
#include "Ping_Zolt2.h"

namespace {

using namespace corvex;

// Processor time of the whole process so far, in milliseconds.
double ProcessMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// Runs the GUI thread's messages for `seconds`, as the engine's loop does.
void Serve(double seconds) {
    const double end = Seconds() + seconds;
    for (double now = Seconds(); now < end; now = Seconds()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>((end - now) * 1000) + 1, QS_ALLINPUT);
        Application().ProcessMessages();
    }
}

// `during` runs for `seconds`; prints the processor time it took per second.
template <class During>
void Measure(const char* what, double seconds, const int& echoes, During during) {
    const int before = echoes;
    const double cpu = ProcessMs();
    const double start = Seconds();
    during(seconds);
    const double wall = Seconds() - start;
    const double used = ProcessMs() - cpu;
    std::printf("%-40s %8.1f ms cpu in %4.1f s = %6.2f ms/s, %4d echoes\n", what, used, wall, used / wall,
                echoes - before);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 4;
    _component root;
    int echoes = 0;
    const auto probe = [&root, &echoes](int sleepTime) -> _ping& {
        _ping& ping = root.Make<_ping>();
        ping.SetHost("127.0.0.1");
        ping.SetIterations(-1);
        ping.SetSleepTime(sleepTime);
        ping.OnPinged = [&echoes](_ping&) { ++echoes; };
        return ping;
    };
    std::printf("bench_ping: %.1f s per case, processor time of the whole process (Wine counts it in 10 ms steps)\n",
                seconds);
    Serve(0.5);  // the process settles after its start
    Measure("idle, no probe", seconds, echoes, Serve);

    _ping& ping = probe(1000);
    ping.Ping(true);
    Serve(0.5);
    Measure("one probe, an echo a second", seconds, echoes, Serve);
    // The GUI thread busy elsewhere: the worker waits inside a hand-back.
    Measure("one probe waiting for its hand-back", seconds, echoes,
            [](double s) { Sleep(static_cast<DWORD>(s * 1000)); });
    ping.Suspend();
    Measure("one probe paused", seconds, echoes, Serve);
    ping.Stop();

    std::vector<_ping*> fast;
    for (int i = 0; i < 10; ++i) fast.push_back(&probe(100));
    for (_ping* p : fast) p->Ping(true);
    const int before = echoes;
    const double cpu = ProcessMs();
    Measure("ten probes, ten echoes a second each", seconds, echoes, Serve);
    const int done = echoes - before;
    if (done > 0) std::printf("%-44s %7.3f ms cpu\n", "one echo and its hand-back", (ProcessMs() - cpu) / done);
    for (_ping* p : fast) p->Stop();
    return 0;
}
