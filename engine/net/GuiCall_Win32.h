#pragma once
// _guicall: a worker thread's synchronous calls into the GUI thread. A
// call waits in a queue, the GUI thread is woken by a message to a hidden
// window of its own, runs the call and lets the worker go on; the worker
// sleeps meanwhile. A GUI thread that waits for a worker to end does so
// with WaitServing, which keeps running the calls that arrive: the worker
// may be waiting for exactly such a call, and the two would otherwise wait
// for each other for good.
//
// Windows tree only.

#include <windows.h>

#include <mutex>
#include <vector>

#include "Handle.h"
#include "MessageWindow.h"

namespace corvex {

class _guicall {
public:
    using _callfn = void (*)(void* context);

    // On the GUI thread: the calls run on the thread that makes this.
    _guicall();
    ~_guicall();
    _guicall(const _guicall&) = delete;
    _guicall& operator=(const _guicall&) = delete;

    // ---- the worker's side
    // Runs fn(context) on the GUI thread and returns once it has run.
    // `done` is the worker's own auto-reset event.
    void Call(_callfn fn, void* context, HANDLE done);

    // ---- the GUI thread's side
    // Runs every call waiting now.
    void Serve();
    // Waits until `handle` is signalled, running calls meanwhile.
    void WaitServing(HANDLE handle);
    // True while a call runs.
    bool Serving() const noexcept { return serving_ > 0; }

private:
    struct _request {
        _callfn fn;
        void* context;
        HANDLE done;
    };

    bool Wake() noexcept;

    std::mutex mutex_;
    std::vector<_request*> queue_;  // on the callers' stacks
    KernelHandle arrived_;          // auto-reset: a call was queued
    int serving_ = 0;
    _messagewindow window_;
};

}  // namespace corvex
