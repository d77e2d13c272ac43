// tessel.com, the console twin of tessel.exe. Typed as `tessel` in cmd or
// PowerShell it is found before tessel.exe (PATHEXT lists .COM first), so the
// command line prints to that console and returns its exit code. Without
// arguments it starts the window program beside it and returns at once.
#include "cli/CommandLine.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

int StartWindowProgram()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n == 0)
            break;
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t dot = path.rfind(L'.');
    if (path.empty() || dot == std::wstring::npos) {
        std::fprintf(stderr, "tessel: cannot find tessel.exe\n");
        return 1;
    }
    path.replace(dot, std::wstring::npos, L".exe");
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "tessel: cannot start %ls (error %lu)\n", path.c_str(), GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        return tessel::RunCommandLine(argc, argv);
    return StartWindowProgram();
}
