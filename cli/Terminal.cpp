#include "cli/Terminal.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace tessel {

#ifdef _WIN32

bool StandardOutputIsTerminal()
{
    return _isatty(_fileno(stdout)) != 0;
}

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

bool StandardOutputIsTerminal()
{
    return ::isatty(STDOUT_FILENO) == 1;
}

namespace {

enum class PromptEnd : std::uint8_t
{
    Line,
    EndOfInput,
    Signal, // one that ends or stops the program is pending
};

// Reads one line with echo off. The signals that end or stop the program are
// held back meanwhile, so the terminal gets its echo back before any of them acts.
PromptEnd ReadQuietly(const termios& saved, const sigset_t& held, std::string& line)
{
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    PromptEnd end = PromptEnd::EndOfInput;
    while (true) {
        sigset_t pending;
        ::sigpending(&pending);
        bool signalled = false;
        for (int signal = 1; signal < NSIG; ++signal)
            signalled |= ::sigismember(&held, signal) == 1 && ::sigismember(&pending, signal) == 1;
        if (signalled) {
            end = PromptEnd::Signal;
            break;
        }
        pollfd input{STDIN_FILENO, POLLIN, 0};
        // Short waits: a held signal does not wake poll.
        if (::poll(&input, 1, 50) <= 0)
            continue;
        char c = 0;
        const ssize_t got = ::read(STDIN_FILENO, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got != 1)
            break;
        if (c == '\n') {
            end = PromptEnd::Line;
            break;
        }
        line += c;
    }
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    return end;
}

} // namespace

std::optional<std::string> AskPasswordOnTerminal(const char* prompt)
{
    termios saved{};
    if (!::isatty(STDIN_FILENO) || ::tcgetattr(STDIN_FILENO, &saved) != 0)
        return std::nullopt;
    sigset_t held, previous;
    ::sigemptyset(&held);
    for (int signal : {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGTSTP})
        ::sigaddset(&held, signal);
    ::sigprocmask(SIG_BLOCK, &held, &previous);
    std::string line;
    PromptEnd end = PromptEnd::Signal;
    while (end == PromptEnd::Signal) {
        std::fputs(prompt, stderr);
        std::fflush(stderr);
        line.clear();
        end = ReadQuietly(saved, held, line);
        if (end != PromptEnd::Signal)
            break;
        std::fputs("\n", stderr);
        // Delivered now, with the terminal as it was: Ctrl-C ends the program;
        // after Ctrl-Z and fg, or a signal the program ignores, the prompt comes again.
        ::sigprocmask(SIG_SETMASK, &previous, nullptr);
        ::sigprocmask(SIG_BLOCK, &held, nullptr);
        if (::tcgetattr(STDIN_FILENO, &saved) != 0)
            break;
    }
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
    // The end of input (Ctrl-D) ends the line as Enter does, as it does for
    // --password-stdin.
    if (end == PromptEnd::Signal)
        return std::nullopt;
    return line;
}

#endif

} // namespace tessel
