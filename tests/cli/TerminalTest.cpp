#include "cli/Terminal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace tessel::test {
namespace {

using namespace std::chrono_literals;

// Polls `done` for up to two seconds.
template <typename Done> bool Within(Done done)
{
    for (auto waited = 0ms; waited < 2000ms; waited += 10ms) {
        if (done())
            return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

bool Echoes(int terminal)
{
    termios t{};
    return ::tcgetattr(terminal, &t) == 0 && (t.c_lflag & ECHO);
}

TEST(PasswordPrompt, EveryWayOutGivesTheTerminalItsEchoBack)
{
    struct Case
    {
        const char* name;
        const char* typed; // sent to the terminal, or
        int sent;          // sent to the process
        int endedBy;       // the signal that ends it; 0: it exits
        int exitCode;      // 0: the line was "secret", 2: the empty line, 1: no answer
    };
    const Case cases[] = {
        {"Enter", "secret\n", 0, 0, 0},
        {"Ctrl-D ends the line as Enter does", "\x04", 0, 0, 2},
        {"Ctrl-C", "\x03", 0, SIGINT, 0},
        {"Ctrl-\\", "\x1c", 0, SIGQUIT, 0},
        {"SIGTERM", nullptr, SIGTERM, SIGTERM, 0},
        {"SIGHUP", nullptr, SIGHUP, SIGHUP, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int master = -1;
        const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            const auto line = AskPasswordOnTerminal("Password: ");
            ::_exit(!line ? 1 : *line == "secret" ? 0 : line->empty() ? 2 : 3);
        }
        // Our own view of the terminal, which outlives the child.
        const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
        ASSERT_GE(terminal, 0);
        ::fcntl(master, F_SETFL, O_NONBLOCK);
        EXPECT_TRUE(Within([&] { return !Echoes(terminal); })) << "echo never went off";
        if (c.typed)
            ASSERT_GT(::write(master, c.typed, std::char_traits<char>::length(c.typed)), 0);
        else
            ::kill(pid, c.sent);
        int status = 0;
        const bool ended = Within([&] {
            char drain[256];
            while (::read(master, drain, sizeof drain) > 0) {
            }
            return ::waitpid(pid, &status, WNOHANG) == pid;
        });
        if (!ended) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
        }
        EXPECT_TRUE(ended) << "the prompt did not end";
        if (c.endedBy) {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.endedBy) << status;
        } else {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == c.exitCode) << status;
        }
        EXPECT_TRUE(Echoes(terminal)) << "the terminal was left without echo";
        ::close(terminal);
        ::close(master);
    }
}

} // namespace
} // namespace tessel::test
