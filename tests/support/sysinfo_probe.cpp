// Prints what the system-information helpers report for this process, so
// tests can run it under each Windows version Wine can pretend to be.

#include <cstdio>

#include "System_Zolt2.h"

int main() {
    std::printf("%d|%s", static_cast<int>(corvex::WindowsRelease()),
                corvex::SystemDescription().c_str());
    return 0;
}
