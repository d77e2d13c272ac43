#include "tests/tweaks/ProcessHelpers.h"

#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace tessel::test {

ChildResult RunChild(const std::function<int(int out)>& body)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        int code = 99;
        try {
            code = body(fds[1]);
        } catch (...) {
            code = 98;
        }
        ::close(fds[1]);
        ::_exit(code);
    }
    ::close(fds[1]);
    ChildResult result;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0)
        result.output.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    return result;
}

PausedChild::PausedChild(const std::function<void()>& hold, const std::function<int()>& finish)
{
    int ready[2];
    int release[2];
    if (::pipe(ready) != 0)
        return;
    if (::pipe(release) != 0) {
        ::close(ready[0]);
        ::close(ready[1]);
        return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(ready[0]);
        ::close(release[1]); // the test's end closing it is the release too
        hold();
        (void)!::write(ready[1], "x", 1);
        char c;
        (void)!::read(release[0], &c, 1);
        ::_exit(finish());
    }
    ::close(ready[1]);
    ::close(release[0]);
    release_ = release[1];
    char c;
    ready_ = pid_ > 0 && ::read(ready[0], &c, 1) == 1;
    ::close(ready[0]);
}

PausedChild::~PausedChild()
{
    Finish();
}

int PausedChild::Finish()
{
    if (release_ >= 0) {
        ::close(release_);
        release_ = -1;
    }
    if (pid_ <= 0)
        return -1;
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool BecomeNobody()
{
    if (::geteuid() != 0)
        return true;
    return ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

void WriteAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

} // namespace tessel::test
