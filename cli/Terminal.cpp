#include "cli/Terminal.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

namespace tessel {

#ifdef _WIN32

std::optional<std::string> AskPasswordOnTerminal(const char* prompt)
{
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (!_isatty(_fileno(stdin)) || !GetConsoleMode(input, &mode))
        return std::nullopt;
    std::fputs(prompt, stderr);
    std::fflush(stderr);
    SetConsoleMode(input, mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
    std::wstring line;
    wchar_t buffer[256];
    DWORD got = 0;
    bool ok = true;
    while (line.find(L'\n') == std::wstring::npos) {
        if (!ReadConsoleW(input, buffer, 256, &got, nullptr) || got == 0) {
            ok = false;
            break;
        }
        line.append(buffer, got);
    }
    SetConsoleMode(input, mode);
    std::fputs("\n", stderr);
    if (!ok)
        return std::nullopt;
    line.erase(line.find_first_of(L"\r\n"));
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(), size, nullptr,
                        nullptr);
    return utf8;
}

#else

std::optional<std::string> AskPasswordOnTerminal(const char* prompt)
{
    termios saved{};
    if (!::isatty(STDIN_FILENO) || ::tcgetattr(STDIN_FILENO, &saved) != 0)
        return std::nullopt;
    std::fputs(prompt, stderr);
    std::fflush(stderr);
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    std::string line;
    bool ended = false;
    char c = 0;
    while (::read(STDIN_FILENO, &c, 1) == 1) {
        if (c == '\n') {
            ended = true;
            break;
        }
        line += c;
    }
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    // End of input before Enter (Ctrl-D) is no answer.
    if (!ended)
        return std::nullopt;
    return line;
}

#endif

} // namespace tessel
