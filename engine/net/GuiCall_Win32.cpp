#include "GuiCall_Win32.h"

namespace corvex {

namespace {

constexpr UINT WM_GUICALL = WM_APP + 0x0150;

// How often a worker whose wake-up message could not be posted (a full
// message queue) tries again.
constexpr DWORD kRepost = 100;

}  // namespace

_guicall::_guicall()
    : arrived_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      window_([this](UINT message, WPARAM, LPARAM, LRESULT& result) {
          if (message != WM_GUICALL) return false;
          Serve();
          result = 0;
          return true;
      }) {
    // Workers are never more than a few at a time (the current one and
    // those stopped from inside a call): queueing allocates nothing.
    queue_.reserve(8);
}

_guicall::~_guicall() = default;

bool _guicall::Wake() noexcept {
    SetEvent(arrived_.get());
    return PostMessageA(window_.Handle(), WM_GUICALL, 0, 0) != FALSE;
}

void _guicall::Call(_callfn fn, void* context, HANDLE done) {
    _request request{fn, context, done};
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(&request);
    }
    bool posted = Wake();
    while (WaitForSingleObject(done, posted ? INFINITE : kRepost) == WAIT_TIMEOUT) posted = Wake();
}

void _guicall::Serve() {
    for (;;) {
        _request* request = nullptr;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (queue_.empty()) return;
            request = queue_.front();
            queue_.erase(queue_.begin());
        }
        // The request lives on the worker's stack, which it leaves as soon
        // as `done` is set: everything is read from it before.
        struct _release {
            HANDLE done;
            int& serving;
            ~_release() {
                --serving;
                SetEvent(done);
            }
        } release{request->done, serving_};
        ++serving_;
        request->fn(request->context);
    }
}

void _guicall::WaitServing(HANDLE handle) {
    const HANDLE handles[2] = {handle, arrived_.get()};
    for (;;) {
        const DWORD woke = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (woke == WAIT_OBJECT_0 + 1) {
            Serve();
            continue;
        }
        return;  // the handle, or a wait that cannot succeed
    }
}

}  // namespace corvex
