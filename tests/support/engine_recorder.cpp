// Stands in for the engine in launcher tests: installed as "motor32.dex",
// it writes the command line it was started with into
// "engine-command-line.txt" beside itself, then ends.

#include <windows.h>

#include <string>

int main() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.erase(folder.find_last_of('\\'));
    const std::string partial = folder + "\\engine-command-line.part";
    const std::string done = folder + "\\engine-command-line.txt";

    const char* line = GetCommandLineA();
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(lstrlenA(line)), &written, nullptr);
    CloseHandle(file);
    // Renamed when complete, so the test never reads half a line.
    return MoveFileA(partial.c_str(), done.c_str()) ? 0 : 1;
}
