#pragma once
// Answers a message box from another thread, as a user would: finds the
// box by its caption, notes its text and buttons, and presses a button.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace corvex::test {

class BoxPresser {
public:
    BoxPresser(std::string caption, int button)
        : caption_(std::move(caption)), button_(button), thread_([this] { Run(); }) {}
    ~BoxPresser() { thread_.join(); }
    BoxPresser(const BoxPresser&) = delete;
    BoxPresser& operator=(const BoxPresser&) = delete;

    bool Found() const { return found_; }
    bool Has(int id) const { return (buttons_ >> id) & 1; }
    bool Owned() const { return owned_; }
    std::string Text() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return text_;
    }

private:
    void Run() {
        for (int tries = 0; tries < 1000 && !found_; ++tries) {
            // The box is made hidden and shown once its buttons are set up.
            HWND box = FindWindowA(nullptr, caption_.c_str());
            if (box && IsWindowVisible(box)) {
                owned_ = GetWindow(box, GW_OWNER) != nullptr;
                for (int id = IDOK; id <= IDNO; ++id)
                    // The box may keep every button and hide the unused ones.
                    if (HWND item = GetDlgItem(box, id); item && IsWindowVisible(item))
                        buttons_ |= 1u << id;
                char text[1024] = {};
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's text line
                {
                    const std::lock_guard<std::mutex> lock(mutex_);
                    text_ = text;
                }
                found_ = true;
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(box, button_)));
            } else {
                Sleep(10);
            }
        }
    }

    std::string caption_;
    int button_;
    std::atomic<bool> found_{false};
    std::atomic<bool> owned_{false};
    std::atomic<unsigned> buttons_{0};
    mutable std::mutex mutex_;
    std::string text_;
    std::thread thread_;  // last: starts once the rest is made
};

}  // namespace corvex::test
