#pragma once

#include "tweaks/RegistryBackend.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessel {

// Exit codes of the command line.
namespace exitcode {
inline constexpr int Done = 0;
inline constexpr int StoreError = 1;
inline constexpr int Usage = 2;
inline constexpr int WrongPassword = 3;
inline constexpr int RowsNotOpened = 4; // done, but some rows' keys could not be opened
} // namespace exitcode

inline constexpr const char* kVersionLine = "tessel 1.2";

// Where a command reads, writes and finds the registry.
struct CommandIo
{
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    std::function<std::unique_ptr<RegistryBackend>()> openRegistry;
    // Asks for the password on the terminal without echo (UTF-8); none when
    // there is no terminal to ask on.
    std::function<std::optional<std::string>()> askPassword;
    // The change log that changes are appended to and `log` reads; none when empty.
    std::filesystem::path logPath = {};
    // Standard output is a terminal: no UTF-16 file is written there.
    bool outIsTerminal = false;
};

// Runs `tessel ARGS...` (the arguments after the program's name) and returns its exit code.
int RunCommandLine(const std::vector<std::string>& args, CommandIo& io);

// The same with the process's streams, terminal and default registry.
int RunCommandLine(int argc, char** argv);

} // namespace tessel
