#pragma once
// The common ground of tests that make the bar window in this process: each
// test starts as a fresh account (no stored settings, default start-up
// options) and leaves nothing behind for the next, not even the quit
// message that closing a main form posts.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "Component.h"
#include "Registry_Zolt2.h"
#include "StartupOptions.h"

namespace corvex::test {

inline void WipeSettings() {
    _registry registry;
    registry.SetRootKey(REGISTRY_CURRENT_USER);
    registry.DeleteKey("\\Software\\Brannock\\corvex");
}

inline void DrainQuit() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

class BarTest : public ::testing::Test {
protected:
    void SetUp() override {
        WipeSettings();
        StartupOptions().Reset();
    }
    void TearDown() override {
        root_.reset();
        DrainQuit();
        StartupOptions().Reset();
        WipeSettings();
    }

    // Owns the bars a test makes; they go before the settings are wiped.
    std::unique_ptr<_component> root_ = std::make_unique<_component>();
};

}  // namespace corvex::test
