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

// In a child: drop root to `nobody`, since root ignores file modes. Returns
// false when that fails.
bool BecomeNobody();

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
void WriteAll(int fd, const std::string& text);

} // namespace tessel::test
