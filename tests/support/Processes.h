#pragma once
// Test support on Windows: temporary folders, copies of the built programs,
// and child processes whose standard output is captured.

#include <string>

namespace corvex::test {

// Folder of the running test executable; the build puts every program there.
std::string BinFolder();

// A fresh folder below the temporary folder, removed with all it holds.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const noexcept { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

bool CopyProgram(const std::string& from, const std::string& to);

struct ProcessResult {
    bool started = false;
    bool finished = false;
    unsigned long exitCode = 0;
    std::string output;  // standard output and standard error, as bytes
};

// Runs `commandLine` in `folder` and collects its output until it ends or
// `timeoutMs` passes.
ProcessResult RunCaptured(const std::string& commandLine, const std::string& folder,
                          unsigned long timeoutMs = 30000);

// Waits up to `timeoutMs` for a file to appear and returns its contents.
bool WaitForFile(const std::string& path, std::string& contents,
                 unsigned long timeoutMs = 10000);

bool RunningUnderWine();

}  // namespace corvex::test
