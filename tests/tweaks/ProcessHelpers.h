#pragma once

#include <functional>
#include <string>

namespace tessel::test {

// Runs `body` in a forked child and returns what it wrote to `out` and its
// exit code. The child never returns into the test framework.
struct ChildResult
{
    int exitCode = -1;
    std::string output;
};
ChildResult RunChild(const std::function<int(int out)>& body);

// Another program that stays in a state while the test looks: the child runs
// `hold`, then waits until Finish() (or the end of the test) to run `finish`
// and exit with its code. Finish() returns that code, or -1 when the child did
// not exit.
class PausedChild
{
public:
    PausedChild(const std::function<void()>& hold, const std::function<int()>& finish);
    ~PausedChild();
    PausedChild(const PausedChild&) = delete;
    PausedChild& operator=(const PausedChild&) = delete;
    // False when the child never got to its state.
    bool Ready() const { return ready_; }
    int Finish();

private:
    int pid_ = -1;
    int release_ = -1;
    bool ready_ = false;
};

// In a child: drop root to `nobody`, since root ignores file modes. Returns
// false when that fails.
bool BecomeNobody();

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
void WriteAll(int fd, const std::string& text);

} // namespace tessel::test
