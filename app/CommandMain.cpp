// `tessel`, the command line: it links only the Qt-free core, so a command
// starts without loading any of the GUI. Without arguments it starts the
// window program, which it finds beside itself: tessel.exe beside tessel.com
// on Windows (typed as `tessel` in cmd, tessel.com is found first, as PATHEXT
// lists .COM before .EXE), TESSEL_WINDOW_DIR/tessel relative to its own folder
// elsewhere (/usr/libexec/tessel/tessel for /usr/bin/tessel).
#include "cli/CommandLine.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#endif

#include <cstdio>
#include <string>

namespace {

#ifdef _WIN32

int StartWindowProgram(char**)
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

#else

// The window program takes this process's place: the same process id and
// name for launchers and window managers, and argv[0] for its messages.
int StartWindowProgram(char** argv)
{
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) {
        std::fprintf(stderr, "tessel: cannot find the window program: %s\n", std::strerror(errno));
        return 1;
    }
    std::string path(self, static_cast<std::size_t>(n));
    path = path.substr(0, path.rfind('/') + 1) + TESSEL_WINDOW_DIR "/tessel";
    ::execv(path.c_str(), argv);
    std::fprintf(stderr, "tessel: cannot start the window program %s: %s\n", path.c_str(),
                 std::strerror(errno));
    return 1;
}

#endif

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        return tessel::RunCommandLine(argc, argv);
    return StartWindowProgram(argv);
}
