#pragma once

#include <optional>
#include <string>

namespace tessel {

// Prints the prompt on standard error and reads one line from the terminal on
// standard input with echo off, as UTF-8. None when standard input is not a
// terminal or cannot be read.
std::optional<std::string> AskPasswordOnTerminal(const char* prompt);

} // namespace tessel
